#include "practice/PractiseMultiplyBasic.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include <cmath>

#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/QuestionSource.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"

using Rules = MultiplyBasicRules;

namespace {

const QString Method = QStringLiteral("multiply-basic");

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
    return 335 - 26 * position;
}

// A carry box stands above the next position, in the middle of its column.
constexpr int carryLeft(int position)
{
    return columnLeft(position + 1) + (BoxSize - CarrySize + 1) / 2;
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

} // namespace

TPractiseMultiplyBasicForm::TPractiseMultiplyBasicForm(QWidget* parent) : TPractise0BaseForm(parent)
{
    setObjectName(QStringLiteral("PractiseMultiplyBasicForm"));
    for (const Option& o : Rules::options()) {
        Panel* button = AddOptionButton(o.button, o.caption, o.hint);
        m_options.insert(button, &o);
    }
    createRulePanel();
    createQuestionRow();
    createWorkingRows();
    placeCommonControls();

    CurrentOption = buttonOf(11);
    SetUpScreen({QStringLiteral("MultiplyBasic"), 605, 20260, CarryPairEntry, RightToLeft, true});
    ResetWorkingPanels();
}

TPractiseMultiplyBasicForm::~TPractiseMultiplyBasicForm()
{
    removeHoverHandler();
}

// ---------------------------------------------------------------- layout

Panel* TPractiseMultiplyBasicForm::addPanel(const QString& name, int left, int top, int size)
{
    auto* panel = new Panel(this, name);
    panel->setGeometry(left, top, size, size);
    return panel;
}

void TPractiseMultiplyBasicForm::createQuestionRow()
{
    auto digitPanel = [this](const QString& name, int left) {
        Panel* p = addPanel(name, left, QuestionTop, BoxSize);
        p->setFontSpec(QStringLiteral("Arial"), 16, true);
        return p;
    };
    for (int i = 0; i < Rules::Digits; ++i) {
        Panel* p = digitPanel(Rules::multiplicandPanel(i), columnLeft(i));
        Hints::setHint(p, Strings::text(Strings::HintMultiplicand));
        AddQuestionPanel(p);
        m_multiplicand.append(p);
    }
    m_dummyRight = digitPanel(Rules::dummyRight(), 361);
    m_dummyLeft = digitPanel(Rules::dummyLeft(), 127);
    for (Panel* dummy : {m_dummyRight, m_dummyLeft}) {
        dummy->setCaption(QStringLiteral("0"));
        dummy->setFontColor(SysColors::buttonShadow());
        dummy->setBevelOuter(Panel::Bevel::None);
        dummy->hide();
    }

    auto* times = new QLabel(QString(TextChars::Times), this);
    times->setObjectName(QStringLiteral("lblMultiplySign"));
    times->setGeometry(396, QuestionTop, BoxSize, BoxSize);
    times->setAlignment(Qt::AlignCenter);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(19);
    f.setBold(true);
    times->setFont(f);

    for (int k = 0; k < 2; ++k) {
        m_multiplier[k] = digitPanel(QStringLiteral("pnlMultiplier%1").arg(k), 424 + 26 * k);
        Hints::setHint(m_multiplier[k], QStringLiteral("Multiplier|"));
    }

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("bvlQuestionLine"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(columnLeft(Rules::Digits), LineTop, 475 - columnLeft(Rules::Digits), 2);
}

void TPractiseMultiplyBasicForm::createWorkingRows()
{
    QList<Panel*> carries;
    for (int i = 0; i < Rules::Digits; ++i) {
        Panel* carry = addPanel(Rules::carryBox(i), carryLeft(i), CarryTop, CarrySize);
        carry->setFontSpec(QStringLiteral("Arial"), 11, false);
        carry->setBevelOuter(Panel::Bevel::Lowered);
        Hints::setHint(carry, QStringLiteral("Carry Box|"));
        Hints::setHelpContext(carry, 20240);
        carries.append(carry);

        Panel* answerCarry = addPanel(PracticeText::numbered("pnlAnswerCarry", i), carryLeft(i), AnswerCarryTop, CarrySize);
        answerCarry->setFontSpec(QStringLiteral("Arial"), 11, false);
        answerCarry->setBevelOuter(Panel::Bevel::None);
        answerCarry->hide();
        m_answerCarry.append(answerCarry);
    }
    for (int i = 0; i < Rules::Positions; ++i) {
        Panel* box = addPanel(Rules::workingBox(i), columnLeft(i), WorkingTop, BoxSize);
        box->setFontSpec(QStringLiteral("Arial"), 16, false);
        box->setBevelOuter(Panel::Bevel::Lowered);
        Hints::setHint(box, QStringLiteral("Working Box|"));
        // Boxes 0..7 send their tens digit to the carry box of the same number.
        const int link = i < Rules::Digits ? AddCarryPanel(carries.at(i)) : -1;
        AddWorkingPanel(box, 2, link);
        AddMyAnswerPanel(box);

        Panel* answer = addPanel(PracticeText::numbered("pnlAnswer", i), columnLeft(i), AnswerTop, BoxSize);
        answer->setFontSpec(QStringLiteral("Arial"), 16, true);
        answer->setBevelOuter(Panel::Bevel::None);
        answer->hide();
        AddAnswerPanel(answer);
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
    Hints::setHelpContext(chkHideMentalBoxes, 20190);
    chkHideMentalBoxes->setChecked(true);
    connect(chkHideMentalBoxes, &QCheckBox::clicked, this, [this] { chkShowRuleClick(); });
}

// The rule panel takes the whole width under the options, so the check
// boxes, the stopwatch and the scores stand below it.
void TPractiseMultiplyBasicForm::placeCommonControls()
{
    pnlShowHide->setGeometry(4, 146, 118, 66);
    for (QCheckBox* box : {chkShowHint, chkShowColorHints, chkHideMentalBoxes})
        box->resize(110, box->height());
    lblBestTime->move(508, 146);
    pnlTime->move(508, 160);
    pnlScores->move(508, 194);
    pnlRightWrong->move(424, WorkingTop);
    pnlMover->setBevelOuter(Panel::Bevel::None);
}

// ---------------------------------------------------------------- options and rule

const MultiplyBasicRules::Option* TPractiseMultiplyBasicForm::optionOf(const Panel* button) const
{
    return m_options.value(button, nullptr);
}

Panel* TPractiseMultiplyBasicForm::buttonOf(int multiplier)
{
    const Option* option = Rules::optionForMultiplier(multiplier);
    return option ? PanelNamed(option->button) : nullptr;
}

int TPractiseMultiplyBasicForm::selectedMultiplier() const
{
    const Option* option = optionOf(CurrentOption);
    return option ? option->multiplier : Rules::options().first().multiplier;
}

void TPractiseMultiplyBasicForm::ActivateOptionButton(Panel* button)
{
    if (!optionOf(button))
        return;
    TPractise0BaseForm::ActivateOptionButton(button);
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
        if (selected != m_playedMultiplier)
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

void TPractiseMultiplyBasicForm::chkShowRuleClick()
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
    if (State == Finished && selectedMultiplier() != m_playedMultiplier)
        ActivateOptionButton(buttonOf(m_playedMultiplier));
}

// ---------------------------------------------------------------- custom question

void TPractiseMultiplyBasicForm::BitBtnCustomClick()
{
    TPractise0BaseForm::BitBtnCustomClick();
    TCustomQuestionForm::Setup setup;
    setup.questionWidth = Rules::Digits;
    setup.showQuestionOption = false;
    if (!TCustomQuestionForm::ask(this, setup))
        return;
    Rules::Question check;
    m_customPending = Rules::setMultiplicand(check, Globals::CustomQuestion);
}

// ---------------------------------------------------------------- hooks

void TPractiseMultiplyBasicForm::NewQuestion()
{
    Rules::Question q;
    bool chosen = false;
    if (m_customPending) {
        chosen = Rules::setMultiplicand(q, Globals::CustomQuestion);
        m_customPending = false;
    }
    if (!chosen) {
        const QString posed = QuestionSource::takePosed(Method);
        if (const auto parsed = Rules::parse(posed); parsed.ok()) {
            q = *parsed.question;
            chosen = true;
        } else {
            chosen = Rules::setMultiplicand(q, posed);
        }
    }
    if (!chosen)
        q = Rules::draw(QuestionSource::generator(), selectedMultiplier());
    q.multiplier = selectedMultiplier();
    m_question = q;
    m_playedMultiplier = q.multiplier;
}

void TPractiseMultiplyBasicForm::ShowQuestion()
{
    // BuildWorkingPanels has written the digits.
}

void TPractiseMultiplyBasicForm::ShowActualAnswer()
{
    for (int i = 0; i < AnswerPanels.size() && i < m_solution.answerPanels.size(); ++i)
        AnswerPanels[i].Panel->setCaption(m_solution.answerPanels.at(i).text);
}

void TPractiseMultiplyBasicForm::BuildWorkingPanels()
{
    removeHoverHandler();
    ResetWorkingPanels();
    // The problem is always the one of the selected multiplier (PLAY without
    // a new question works the same multiplicand with it).
    m_question.multiplier = selectedMultiplier();
    m_playedMultiplier = m_question.multiplier;
    m_solution = Rules::solve(m_question);

    for (int i = 0; i < Rules::Digits; ++i) {
        m_multiplicand[i]->setTag(m_question.digits.at(i));
        m_multiplicand[i]->setCaption(QString::number(m_question.digits.at(i)));
    }
    for (Panel* carry : m_answerCarry)
        carry->hide();

    const QStringList multiplier = Rules::multiplierTexts(m_playedMultiplier);
    m_multiplier[0]->setCaption(multiplier.value(0));
    m_multiplier[1]->setCaption(multiplier.value(1));
    m_multiplier[1]->setVisible(multiplier.size() > 1);
    const bool zeros = Rules::dummyZerosVisible(m_playedMultiplier);
    m_dummyRight->setVisible(zeros);
    m_dummyLeft->setVisible(zeros);

    ApplyWorkedProblem(m_solution);

    TPractise0BaseForm::BuildWorkingPanels();
}

void TPractiseMultiplyBasicForm::CheckWorkingPanels()
{
    for (const PanelEntry& a : AnswerPanels)
        a.Panel->show();
    Panel* leading = WorkingPanels.last().Panel;
    if (m_solution.boxes.last().text == QLatin1String("0") && leading->caption().isEmpty())
        leading->setCaption(QStringLiteral("0"));
    leading->setCaption(StripLeadingZeros(leading->caption()));
    for (int i = 0; i < m_answerCarry.size() && i < m_solution.answerCarryRow.size(); ++i) {
        m_answerCarry[i]->setCaption(m_solution.answerCarryRow.at(i).text);
        m_answerCarry[i]->show();
    }
    for (Panel* p : m_multiplicand)
        Hints::setHint(p, Strings::text(Strings::HintMultiplicand));
    Hints::setHint(m_dummyRight, QString());
    Hints::setHint(m_dummyLeft, QString());
    pnlViewAnswers->show();

    TPractise0BaseForm::CheckWorkingPanels();

    for (QLabel* line : m_ruleLines)
        line->setEnabled(true);
    installHoverHandler();
}

void TPractiseMultiplyBasicForm::ShowColorHints(QWidget* panel)
{
    ShowRuleColorHints(panel);
}

void TPractiseMultiplyBasicForm::WorkingPanelChanged(QWidget*)
{
}

void TPractiseMultiplyBasicForm::RestoreColors()
{
    TPractise0BaseForm::RestoreColors();
    m_dummyRight->setFontColor(SysColors::buttonShadow());
    m_dummyLeft->setFontColor(SysColors::buttonShadow());
    UpdateRuleDisplay();
}

void TPractiseMultiplyBasicForm::ResetWorkingPanels()
{
    ResetCarryPairBoxes();
    for (const PanelEntry& q : QuestionPanels)
        q.Panel->setCaption(QString());
    for (Panel* m : m_multiplier)
        m->setCaption(QString());
    TPractise0BaseForm::ResetWorkingPanels();
}

void TPractiseMultiplyBasicForm::RefreshHighlight()
{
    // Moving the highlight after STOP brings the played multiplier back.
    switchBackToPlayed();
    TPractise0BaseForm::RefreshHighlight();
    if (State != Idle)
        showHintWords();
}

void TPractiseMultiplyBasicForm::showHintWords()
{
    if (CurrentIndex < 0 || CurrentIndex >= Rules::Positions)
        return;
    for (Panel* p : m_multiplicand)
        Hints::setHint(p, QString());
    Hints::setHint(m_dummyRight, QString());
    Hints::setHint(m_dummyLeft, QString());
    for (const PanelText& word : Rules::hintWords(m_playedMultiplier, CurrentIndex))
        Hints::setHint(PanelNamed(word.panel), word.text);
}

// ---------------------------------------------------------------- best times

bool TPractiseMultiplyBasicForm::UpdateBestTime(double elapsed)
{
    const Option* played = Rules::optionForMultiplier(m_playedMultiplier);
    if (!played || !IsNewBestTime(IsCorrect, elapsed, m_bestTimes[played->index]))
        return false;
    m_bestTimes[played->index] = elapsed;
    return true;
}

void TPractiseMultiplyBasicForm::SaveBestTimes(IniFile& file)
{
    for (const Option& o : Rules::options())
        file.writeTime(SectionName, o.bestTimeKey, m_bestTimes[o.index]);
}

void TPractiseMultiplyBasicForm::LoadBestTimes(const IniFile& file)
{
    for (const Option& o : Rules::options()) {
        const double t = file.readTime(SectionName, o.bestTimeKey, 0);
        // A time that cannot be one (negative, not a number) counts as none.
        m_bestTimes[o.index] = std::isfinite(t) && t > 0 ? t : 0;
    }
}

void TPractiseMultiplyBasicForm::SelectBestTime()
{
    const Option* option = optionOf(CurrentOption);
    BestTimeText = FormatElapsed(option ? m_bestTimes[option->index] : 0);
}

int TPractiseMultiplyBasicForm::GetOptionIndex()
{
    const Option* option = optionOf(CurrentOption);
    return option ? option->storedOption : 1;
}

Panel* TPractiseMultiplyBasicForm::GetOptionButton(int n)
{
    const Option* option = Rules::optionForStored(n);
    return option ? buttonOf(option->multiplier) : nullptr;
}
