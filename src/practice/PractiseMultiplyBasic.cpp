#include "practice/PractiseMultiplyBasic.h"

#include <QCheckBox>
#include <QLabel>

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"
#include "shell/Hints.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"

using Rules = MultiplyBasicRules;

namespace {

// Client pixels of the rows; the column of position i stands at 335 - 26i.
constexpr int BoxSize = 25;
constexpr int CarrySize = 14;
constexpr int QuestionTop = 187;
constexpr int LineTop = 219;
constexpr int CarryTop = 227;
constexpr int WorkingTop = 242;
constexpr int AnswerCarryTop = 273;
constexpr int AnswerTop = 288;

constexpr int columnLeft(int position)
{
    return 335 - BoxFactory::Step * position;
}

// A carry box stands above the next position, in the middle of its column.
constexpr int carryLeft(int position)
{
    return columnLeft(position + 1) + (BoxSize - CarrySize + 1) / 2;
}

QRect box(int left, int top, int size = BoxSize)
{
    return {left, top, size, size};
}

// The text colour of an enabled label; a disabled one stays grey.
void setLabelColor(QLabel* label, const QColor& color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, color);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, color);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, SysColors::buttonShadow());
    label->setPalette(pal);
}

const Rules::Option* optionOf(const Panel* button)
{
    return button ? Rules::optionForButton(button->objectName()) : nullptr;
}

} // namespace

TPractiseMultiplyBasicForm::TPractiseMultiplyBasicForm(QWidget* parent) : TPractiseRulesForm(parent)
{
    setObjectName(QStringLiteral("PractiseMultiplyBasicForm"));
    AddOptionButtons(Rules::options());
    createRulePanel();
    createQuestionRow();
    createWorkingRows();
    placeCommonControls();

    // The first option (11) is the default.
    SetUpScreen({ScreenId::MultiplyBasic, PracticeHelp::LegendMultiply,
                 CarryPairEntry, RightToLeft});
    ResetWorkingPanels();
}

// ---------------------------------------------------------------- layout

void TPractiseMultiplyBasicForm::createQuestionRow()
{
    const BoxFactory boxes(this);
    for (int i = 0; i < Rules::Digits; ++i)
        AddQuestionPanel(boxes.question(Rules::multiplicandPanel(i), box(columnLeft(i), QuestionTop), 16,
                                        Panel::Bevel::Raised, Strings::text(Strings::HintMultiplicand)));
    for (const auto& [name, left] : {std::pair{Rules::dummyRight(), 361}, std::pair{Rules::dummyLeft(), 127}}) {
        Panel* dummy = boxes.question(name, box(left, QuestionTop), 16);
        dummy->setCaption(QStringLiteral("0"));
        dummy->setFontColor(SysColors::buttonShadow());
        dummy->hide();
    }
    boxes.sign(QStringLiteral("lblMultiplySign"), QString(TextChars::Times), box(396, QuestionTop), 19);
    for (int k = 0; k < 2; ++k)
        boxes.question(QStringLiteral("pnlMultiplier%1").arg(k), box(424 + BoxFactory::Step * k, QuestionTop), 16,
                       Panel::Bevel::Raised, QStringLiteral("Multiplier|"));
    boxes.rule(QStringLiteral("bvlQuestionLine"),
               {columnLeft(Rules::Digits), LineTop, 475 - columnLeft(Rules::Digits), 2});
}

void TPractiseMultiplyBasicForm::createWorkingRows()
{
    const BoxFactory boxes(this);
    for (int i = 0; i < Rules::Positions; ++i) {
        // Boxes 0..7 send their tens digit to the carry box of the same number.
        int link = -1;
        if (i < Rules::Digits) {
            link = AddCarryPanel(boxes.carry(Rules::carryBox(i), box(carryLeft(i), CarryTop, CarrySize)));
            boxes.answer(PracticeText::numbered("pnlAnswerCarry", i), box(carryLeft(i), AnswerCarryTop, CarrySize), 11, false);
        }
        Panel* working = boxes.working(Rules::workingBox(i), box(columnLeft(i), WorkingTop), 16);
        AddWorkingPanel(working, 2, link);
        AddMyAnswerPanel(working);
        AddAnswerPanel(boxes.answer(PracticeText::numbered("pnlAnswer", i), box(columnLeft(i), AnswerTop), 16));
    }
}

void TPractiseMultiplyBasicForm::createRulePanel()
{
    pnlRule = new Panel(this, QStringLiteral("pnlRule"));
    pnlRule->setGeometry(1, 58, 586, 84);
    pnlRule->setBevelOuter(Panel::Bevel::Raised);
    lblRule = new QLabel(pnlRule);
    lblRule->setObjectName(QStringLiteral("lblRule"));
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(14);
    title.setBold(true);
    lblRule->setFont(title);
    lblRule->move(0, 4);
    QFont line(QStringLiteral("Arial"));
    line.setPixelSize(14);
    for (int k = 0; k < 3; ++k) {
        m_ruleLines[k] = new QLabel(pnlRule);
        m_ruleLines[k]->setObjectName(QStringLiteral("lblRule%1").arg(k + 1));
        m_ruleLines[k]->setFont(line);
        m_ruleLines[k]->move(0, 24 + 20 * k);
    }

    chkHideMentalBoxes->setText(QStringLiteral("Show &Rule"));
    Hints::setHint(chkHideMentalBoxes, QStringLiteral("|Show the rule used for speed multiplication."));
    Hints::setHelpContext(chkHideMentalBoxes, PracticeHelp::ShowRule);
    chkHideMentalBoxes->setChecked(true);
}

// The rule panel takes the whole width under the options, so the check
// boxes, the stopwatch and the scores stand below it.
void TPractiseMultiplyBasicForm::placeCommonControls()
{
    pnlShowHide->setGeometry(4, 146, 118, 66);
    for (QCheckBox* check : {chkShowHint, chkShowColorHints, chkHideMentalBoxes})
        check->resize(110, check->height());
    lblBestTime->move(508, 146);
    pnlTime->move(508, 160);
    pnlScores->move(508, 194);
    pnlRightWrong->move(424, WorkingTop);
    pnlMover->setBevelOuter(Panel::Bevel::None);
}

// ---------------------------------------------------------------- options and rule

int TPractiseMultiplyBasicForm::selectedMultiplier() const
{
    const Rules::Option* option = optionOf(CurrentOption);
    return option ? option->multiplier : Rules::options().first().multiplier;
}

void TPractiseMultiplyBasicForm::ActivateOptionButton(Panel* button)
{
    if (!optionOf(button))
        return;
    TPractiseRulesForm::ActivateOptionButton(button);
    showRuleTexts(optionOf(button)->multiplier);
}

void TPractiseMultiplyBasicForm::showRuleTexts(int multiplier)
{
    lblRule->setText(Rules::ruleTitle(multiplier));
    const QStringList lines = Rules::ruleLines(multiplier);
    for (int k = 0; k < 3; ++k)
        m_ruleLines[k]->setText(lines.value(k));
    for (QLabel* label : {lblRule, m_ruleLines[0], m_ruleLines[1], m_ruleLines[2]}) {
        label->adjustSize();
        label->move((pnlRule->width() - label->width()) / 2, label->y());
    }
    UpdateRuleDisplay();
}

// Which rule lines are lit and in which colour: while playing with 3, 4, 8
// or 9 only the line of the current position; after STOP the same for the
// played multiplier, and every line in red for another one.
void TPractiseMultiplyBasicForm::UpdateRuleDisplay()
{
    const int selected = selectedMultiplier();
    QColor color = SysColors::windowText();
    std::array<bool, 3> lit{true, true, true};
    const bool onBox = CurrentIndex >= 0 && CurrentIndex < Rules::Positions;
    if (State == Playing && onBox) {
        lit = Rules::enabledRuleLines(selected, CurrentIndex);
    } else if (State == Finished) {
        if (selected != m_question.multiplier)
            color = SysColors::Red;
        else if (onBox)
            lit = Rules::enabledRuleLines(selected, CurrentIndex);
    }
    setLabelColor(lblRule, color);
    for (int k = 0; k < 3; ++k) {
        setLabelColor(m_ruleLines[k], color);
        m_ruleLines[k]->setEnabled(lit[k]);
    }
}

// "Show Rule": the rule's texts come and go; the panel stays.
void TPractiseMultiplyBasicForm::chkHideMentalBoxesClick()
{
    const bool shown = chkHideMentalBoxes->isChecked();
    for (QLabel* label : {lblRule, m_ruleLines[0], m_ruleLines[1], m_ruleLines[2]})
        label->setVisible(shown);
    pnlRule->setBevelOuter(shown ? Panel::Bevel::Raised : Panel::Bevel::Lowered);
    setFocus();
}

// ---------------------------------------------------------------- switching back

void TPractiseMultiplyBasicForm::installHoverHandler()
{
    removeHoverHandler();
    m_hoverConnection = connect(&HintRouter::instance(), &HintRouter::hintShown, this, [this](QWidget* control) {
        if (FindWorkingPanel(control, WorkingPanels, int(WorkingPanels.size()) - 1) >= 0)
            switchBackToPlayed();
    });
}

void TPractiseMultiplyBasicForm::removeHoverHandler()
{
    disconnect(m_hoverConnection);
    m_hoverConnection = {};
}

void TPractiseMultiplyBasicForm::switchBackToPlayed()
{
    if (State == Finished && selectedMultiplier() != m_question.multiplier)
        ActivateOptionButton(PanelNamed(Rules::optionForMultiplier(m_question.multiplier)->button));
}

// ---------------------------------------------------------------- the problem

TCustomQuestionForm::Setup TPractiseMultiplyBasicForm::CustomQuestionSetup() const
{
    return TCustomQuestionForm::Setup::questionOnly(Rules::Digits);
}

void TPractiseMultiplyBasicForm::NewQuestion()
{
    Rules::Question q;
    const auto custom = TakeCustomQuestion();
    if (!custom || !Rules::setMultiplicand(q, custom->question)) {
        // A posed question may be a whole question or its multiplicand alone.
        const QString posed = QuestionSource::takePosed(Rules::methodName());
        if (const auto parsed = Rules::parse(posed); parsed.ok()) {
            q = *parsed.question;
            // A whole question selects the option of its multiplier.
            if (const Rules::Option* option = Rules::optionForMultiplier(q.multiplier))
                ActivateOptionButton(PanelNamed(option->button));
        } else if (!Rules::setMultiplicand(q, posed))
            q = Rules::draw(QuestionSource::generator(), selectedMultiplier());
    }
    m_question = q;
}

// The problem is always the one of the selected multiplier (PLAY without a
// new question works the same multiplicand with it).
WorkedProblem TPractiseMultiplyBasicForm::SolveQuestion()
{
    m_question.multiplier = selectedMultiplier();
    return Rules::solve(m_question);
}

void TPractiseMultiplyBasicForm::BuildWorkingPanels()
{
    removeHoverHandler();
    TPractiseRulesForm::BuildWorkingPanels();
    PanelNamed(QStringLiteral("pnlMultiplier1"))->setVisible(Rules::multiplierTexts(m_question.multiplier).size() > 1);
    const bool zeros = Rules::dummyZerosVisible(m_question.multiplier);
    PanelNamed(Rules::dummyRight())->setVisible(zeros);
    PanelNamed(Rules::dummyLeft())->setVisible(zeros);
}

void TPractiseMultiplyBasicForm::CheckWorkingPanels()
{
    setMultiplicandHints(Strings::text(Strings::HintMultiplicand));

    TPractiseRulesForm::CheckWorkingPanels();

    for (QLabel* line : m_ruleLines)
        line->setEnabled(true);
    installHoverHandler();
}

void TPractiseMultiplyBasicForm::RestoreColors()
{
    TPractiseRulesForm::RestoreColors();
    UpdateRuleDisplay();
}

void TPractiseMultiplyBasicForm::RefreshHighlight()
{
    // Moving the highlight after STOP brings the played multiplier back.
    switchBackToPlayed();
    TPractiseRulesForm::RefreshHighlight();
    if (State != Idle)
        showHintWords();
}

// The hints of the multiplicand digits name their part in the current step.
void TPractiseMultiplyBasicForm::showHintWords()
{
    if (CurrentIndex < 0 || CurrentIndex >= Rules::Positions)
        return;
    setMultiplicandHints(QString());
    for (const PanelText& word : Rules::hintWords(m_question.multiplier, CurrentIndex))
        Hints::setHint(PanelNamed(word.panel), word.text);
}

// Every multiplicand digit gets the hint; the imaginary zeros have none.
void TPractiseMultiplyBasicForm::setMultiplicandHints(const QString& hint)
{
    for (int i = 0; i < Rules::Digits; ++i)
        Hints::setHint(PanelNamed(Rules::multiplicandPanel(i)), hint);
    Hints::setHint(PanelNamed(Rules::dummyRight()), QString());
    Hints::setHint(PanelNamed(Rules::dummyLeft()), QString());
}
