#include "practice/PractiseSpeedAddition.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/IniFile.h"
#include "practice/QuestionSource.h"
#include "shell/GlyphButton.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"
#include "shell/TextHelpers.h"

namespace {

using Rules = SpeedAdditionRules;

const QString Section = QStringLiteral("SpeedAddition");
const QString BestTimeKey = QStringLiteral("Time1");

int columnLeft(int g)
{
    return 156 + 46 * g;
}

// Left of answer box 56 + c (position c counted from the right).
int answerLeft(int c)
{
    return c < Rules::Columns ? 478 - 46 * c : 110;
}

} // namespace

TPractiseSpeedAdditionForm::TPractiseSpeedAdditionForm(QWidget* parent) : TPractise0BaseForm(parent)
{
    setObjectName(QStringLiteral("PractiseSpeedAdditionForm"));
    SetUpScreen({Section, 600, 20280, CarryPairEntry, Grid, false});
    pnlMover->setBevelOuter(Panel::Bevel::None);
    BitBtnCustom->hide();
    createGrid();
    ClearQuestionPanels();
    ResetWorkingPanels();
}

Panel* TPractiseSpeedAdditionForm::box(const QString& name, int left, int top, int size, int fontPx)
{
    auto* panel = new Panel(this, name);
    panel->setGeometry(left, top, size, size);
    panel->setFontSpec(QStringLiteral("Arial"), fontPx, true);
    panel->setBevelOuter(Panel::Bevel::Lowered);
    return panel;
}

void TPractiseSpeedAdditionForm::createGrid()
{
    // The six numbers.
    for (int r = 0; r < Rules::Rows; ++r) {
        for (int g = 0; g < Rules::Columns; ++g) {
            Panel* digit = box(Rules::questionPanel(r, g), columnLeft(g), 58 + 26 * r, 25, 16);
            digit->setBevelOuter(Panel::Bevel::None);
            AddQuestionPanel(digit);
        }
    }
    auto* plus = new QLabel(QStringLiteral("+"), this);
    plus->setObjectName(QStringLiteral("lblPlus"));
    plus->setGeometry(110, 191, 25, 20);
    plus->setAlignment(Qt::AlignCenter);
    QFont plusFont = plus->font();
    plusFont.setPixelSize(18);
    plusFont.setBold(true);
    plus->setFont(plusFont);

    // Working boxes in list order: per column five tick boxes, the running
    // total and the carry total; then the answer row from the right; then
    // the leading answer digit.
    const QString workingHint = QStringLiteral("Working Box|");
    for (int g = 0; g < Rules::Columns; ++g) {
        for (int k = 0; k < 5; ++k)
            AddWorkingPanel(box(Rules::boxName(Rules::tickBox(g, k)), columnLeft(g) - 16, 84 + 26 * k, 14, 11), 1);
        Panel* running = box(Rules::boxName(Rules::runningTotalBox(g)), columnLeft(g), 218, 25, 15);
        Hints::setHint(running, workingHint);
        AddWorkingPanel(running, 2);
        Panel* ticks = box(Rules::boxName(Rules::carryTotalBox(g)), columnLeft(g), 244, 25, 15);
        Hints::setHint(ticks, workingHint);
        AddWorkingPanel(ticks, 1);
    }
    for (int c = 0; c < Rules::Columns; ++c) {
        Panel* carry = box(QStringLiteral("pnlCarryTotal%1").arg(c), answerLeft(c) - 16, 275, 14, 11);
        Hints::setHint(carry, QStringLiteral("Carry Box|"));
        Hints::setHelpContext(carry, 20240);
        AddCarryPanel(carry);
    }
    for (int c = 0; c < Rules::AnswerPositions; ++c) {
        const bool leading = c == Rules::Columns;
        Panel* answer = box(Rules::boxName(leading ? Rules::LeadingBox : Rules::answerBox(c)), answerLeft(c), 275, 25, 15);
        Hints::setHint(answer, workingHint);
        AddWorkingPanel(answer, leading ? 1 : 2, leading ? -1 : c);
        AddMyAnswerPanel(answer);
    }

    // The correct answer and its carries, shown after STOP.
    for (int c = 0; c < Rules::AnswerPositions; ++c) {
        Panel* answer = box(QStringLiteral("pnlAnswer%1").arg(c), answerLeft(c), 308, 25, 15);
        answer->setBevelOuter(Panel::Bevel::Raised);
        answer->hide();
        AddAnswerPanel(answer);
    }
    for (int c = 0; c < Rules::Columns; ++c) {
        Panel* carry = box(QStringLiteral("pnlAnswerCarry%1").arg(c), answerLeft(c) - 16, 308, 14, 11);
        carry->setBevelOuter(Panel::Bevel::None);
        carry->hide();
        m_answerCarries.append(carry);
    }

    // Rules under the question, the carry totals and the answer row.
    for (const auto& [name, top] : {std::pair{"bvlQuestion", 215}, std::pair{"bvlCarryTotals", 271}, std::pair{"bvlAnswer", 303}}) {
        auto* line = new QFrame(this);
        line->setObjectName(QString::fromLatin1(name));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(106, top, 400, 3);
    }
    auto rowLabel = [this](const char* name, const QString& text, int right, int top) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(right - 100, top, 100, 25);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    };
    rowLabel("lblRunningTotals", QStringLiteral("Running Totals"), 136, 218);
    rowLabel("lblCarryTotals", QStringLiteral("Carry Totals"), 136, 244);
    rowLabel("lblAnswer", QStringLiteral("Answer"), 106, 275);

    // The imaginary zeros beside the grid.
    const QList<QPoint> zeroAt = {{141, 218}, {141, 244}, {505, 244}};
    const QStringList zeroNames = Rules::imaginaryZeroLabels();
    for (int i = 0; i < zeroNames.size() && i < zeroAt.size(); ++i) {
        auto* zero = new QLabel(QStringLiteral("0"), this);
        zero->setObjectName(zeroNames[i]);
        zero->setGeometry(zeroAt[i].x(), zeroAt[i].y(), 14, 25);
        zero->setAlignment(Qt::AlignCenter);
        QFont f = zero->font();
        f.setPixelSize(15);
        f.setBold(true);
        zero->setFont(f);
        QPalette pal = zero->palette();
        pal.setColor(QPalette::WindowText, SysColors::Grey);
        zero->setPalette(pal);
        Hints::setHint(zero, QStringLiteral("Imaginary Zero|"));
        zero->hide();
        m_imaginaryZeros.append(zero);
    }
}

// ---------------------------------------------------------------- keys and moves

void TPractiseSpeedAdditionForm::FormKeyDown(int& key, Qt::KeyboardModifiers modifiers)
{
    // Any digit 2..9 typed into a tick box is a tick.
    if (State == Playing && key >= Qt::Key_2 && key <= Qt::Key_9 && Rules::isTickBox(CurrentIndex))
        key = Qt::Key_1;
    TPractise0BaseForm::FormKeyDown(key, modifiers);
}

void TPractiseSpeedAdditionForm::MoveHighlight(int direction, QWidget* panel)
{
    static const Rules::Move moves[] = {Rules::Move::Left, Rules::Move::Right, Rules::Move::Up, Rules::Move::Down};
    if (direction >= MoveLeft && direction <= MoveDown && CurrentIndex >= 0 && CurrentIndex < WorkingPanels.size())
        CurrentIndex = Rules::move(CurrentIndex, moves[direction - MoveLeft]);
    TPractise0BaseForm::MoveHighlight(direction, panel);
    updateImaginaryZeros();
}

void TPractiseSpeedAdditionForm::updateImaginaryZeros()
{
    const QStringList shown = Rules::imaginaryZerosShown(CurrentIndex);
    for (QLabel* zero : m_imaginaryZeros)
        zero->setVisible(shown.contains(zero->objectName()));
}

// ---------------------------------------------------------------- the question

void TPractiseSpeedAdditionForm::NewQuestion()
{
    const auto posed = Rules::parse(QuestionSource::takePosed(methodName()));
    m_question = posed.ok() ? *posed.question : Rules::draw(QuestionSource::generator());
    for (int r = 0; r < Rules::Rows; ++r) {
        for (int g = 0; g < Rules::Columns; ++g)
            QuestionPanels[r * Rules::Columns + g].Panel->setTag(m_question.digits[r][g]);
    }
}

void TPractiseSpeedAdditionForm::ShowQuestion()
{
    for (const PanelEntry& q : QuestionPanels)
        q.Panel->setCaption(QString::number(q.Panel->tag()));
}

void TPractiseSpeedAdditionForm::ShowActualAnswer()
{
    // The answer panels were filled with the working panels.
}

void TPractiseSpeedAdditionForm::BuildWorkingPanels()
{
    ResetWorkingPanels();
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.ExpectedValue = 0;
        e.TypedValue = 0;
    }
    const WorkedProblem problem = Rules::solve(m_question);

    for (Panel* carry : m_answerCarries) {
        carry->hide();
        carry->setCaption(QString());
    }
    for (int c = 0; c < AnswerPanels.size() && c < problem.answerPanels.size(); ++c)
        AnswerPanels[c].Panel->setCaption(problem.answerPanels[c].text);

    ApplyWorkedProblem(problem);
    for (int c = 0; c < m_answerCarries.size() && c < problem.carries.size(); ++c) {
        m_answerCarries[c]->setTag(problem.carries[c].value);
        m_answerCarries[c]->setCaption(problem.answerCarryRow.value(c).text);
    }
    TPractise0BaseForm::BuildWorkingPanels();
    updateImaginaryZeros();
}

// ---------------------------------------------------------------- checking

void TPractiseSpeedAdditionForm::CheckWorkingPanels()
{
    Panel* leading = WorkingPanels[Rules::LeadingBox].Panel;
    leading->setCaption(StripLeadingZeros(leading->caption()));
    pnlViewAnswers->show();
    for (const PanelEntry& a : AnswerPanels)
        a.Panel->show();
    for (Panel* carry : m_answerCarries)
        carry->show();
    for (int g = 0; g < Rules::Columns; ++g) {
        Panel* running = WorkingPanels[Rules::runningTotalBox(g)].Panel;
        running->setCaption(StripLeadingZeros(running->caption()));
    }

    // An empty tick box means "no tick": it is checked as a 0 and emptied again.
    QList<int> ticks;
    for (int i = 0; i < Rules::LeadingBox; ++i) {
        if (Rules::isTickBox(i))
            ticks.append(i);
    }
    for (int i : ticks) {
        if (WorkingPanels[i].Panel->caption().isEmpty())
            WorkingPanels[i].Panel->setCaption(QStringLiteral("0"));
    }
    TPractise0BaseForm::CheckWorkingPanels();
    for (int i : ticks) {
        WorkingPanelEntry& e = WorkingPanels[i];
        if (e.Panel->caption() == QLatin1String("0")) {
            e.Panel->setCaption(QString());
            e.MyAnswer.clear();
        }
    }
    // The carry boxes keep the learner's digits for "Show My Answer Steps".
    for (CarryPanelEntry& c : CarryPanels)
        c.ExpectedDigit = c.Panel->caption().trimmed().toInt();
}

void TPractiseSpeedAdditionForm::ShowColorHints(QWidget* panel)
{
    ShowRuleColorHints(panel);
}

void TPractiseSpeedAdditionForm::WorkingPanelChanged(QWidget*)
{
}

void TPractiseSpeedAdditionForm::ResetWorkingPanels()
{
    ResetCarryPairBoxes();
    TPractise0BaseForm::ResetWorkingPanels();
}

void TPractiseSpeedAdditionForm::ShowAnswerSteps(const QString& which)
{
    TPractise0BaseForm::ShowAnswerSteps(which);
    const bool actual = which == QLatin1String("sAA");
    for (int c = 0; c < CarryPanels.size() && c < m_answerCarries.size(); ++c) {
        const int digit = CarryPanels[c].ExpectedDigit;
        CarryPanels[c].Panel->setCaption(actual ? m_answerCarries[c]->caption() : PracticeText::carryText(digit));
    }
}

// ---------------------------------------------------------------- best time and options

bool TPractiseSpeedAdditionForm::UpdateBestTime(double elapsed)
{
    if (!IsNewBestTime(IsCorrect, elapsed, m_bestTime))
        return false;
    m_bestTime = elapsed;
    return true;
}

void TPractiseSpeedAdditionForm::SaveBestTimes(IniFile& file)
{
    file.writeTime(SectionName, BestTimeKey, m_bestTime);
}

void TPractiseSpeedAdditionForm::LoadBestTimes(const IniFile& file)
{
    m_bestTime = qMax(0.0, file.readTime(SectionName, BestTimeKey, 0));
}

void TPractiseSpeedAdditionForm::SelectBestTime()
{
    BestTimeText = FormatElapsed(m_bestTime);
}

int TPractiseSpeedAdditionForm::GetOptionIndex()
{
    return 1;
}

Panel* TPractiseSpeedAdditionForm::GetOptionButton(int)
{
    return nullptr;
}
