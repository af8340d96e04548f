#include "practice/PractiseSpeedAddition.h"

#include <QLabel>

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"
#include "shell/GlyphButton.h"
#include "shell/Hints.h"
#include "shell/SysColors.h"

namespace {

using Rules = SpeedAdditionRules;

int columnLeft(int g)
{
    return 156 + 46 * g;
}

// Left of answer box 56 + c (position c counted from the right).
int answerLeft(int c)
{
    return c < Rules::Columns ? 478 - 46 * c : 110;
}

QRect square(int left, int top, int size)
{
    return {left, top, size, size};
}

} // namespace

TPractiseSpeedAdditionForm::TPractiseSpeedAdditionForm(QWidget* parent) : TPractiseRulesForm(parent)
{
    setObjectName(QStringLiteral("PractiseSpeedAdditionForm"));
    SetUpScreen({ScreenId::SpeedAddition, PracticeHelp::LegendSpeedAddition,
                 CarryPairEntry, Grid, false, Rules::bestTimeKey()});
    pnlMover->setBevelOuter(Panel::Bevel::None);
    BitBtnCustom->hide();
    createGrid();
    createLabels();
    ClearQuestionPanels();
    ResetWorkingPanels();
}

void TPractiseSpeedAdditionForm::createGrid()
{
    const BoxFactory boxes(this);
    for (int r = 0; r < Rules::Rows; ++r) {
        for (int g = 0; g < Rules::Columns; ++g)
            AddQuestionPanel(boxes.question(Rules::questionPanel(r, g), square(columnLeft(g), 58 + BoxFactory::Step * r, 25), 16));
    }
    // Working boxes in list order: per column five tick boxes, the running
    // total and the carry total; then the answer row from the right; then
    // the leading answer digit.
    for (int g = 0; g < Rules::Columns; ++g) {
        for (int k = 0; k < 5; ++k)
            AddWorkingPanel(boxes.working(Rules::boxName(Rules::tickBox(g, k)), square(columnLeft(g) - 16, 84 + BoxFactory::Step * k, 14), 11, true), 1);
        AddWorkingPanel(boxes.working(Rules::boxName(Rules::runningTotalBox(g)), square(columnLeft(g), 218, 25), 15, true), 2);
        AddWorkingPanel(boxes.working(Rules::boxName(Rules::carryTotalBox(g)), square(columnLeft(g), 244, 25), 15, true), 1);
    }
    for (int c = 0; c < Rules::Columns; ++c)
        AddCarryPanel(boxes.carry(QStringLiteral("pnlCarryTotal%1").arg(c), square(answerLeft(c) - 16, 275, 14), true));
    for (int c = 0; c < Rules::AnswerPositions; ++c) {
        const bool leading = c == Rules::Columns;
        Panel* answer = boxes.working(Rules::boxName(leading ? Rules::LeadingBox : Rules::answerBox(c)), square(answerLeft(c), 275, 25), 15, true);
        AddWorkingPanel(answer, leading ? 1 : 2, leading ? -1 : c);
        AddMyAnswerPanel(answer);
    }
    // The correct answer and its carries, shown after STOP.
    for (int c = 0; c < Rules::AnswerPositions; ++c)
        AddAnswerPanel(boxes.answer(QStringLiteral("pnlAnswer%1").arg(c), square(answerLeft(c), 308, 25), 15, true, Panel::Bevel::Raised));
    for (int c = 0; c < Rules::Columns; ++c)
        boxes.answer(QStringLiteral("pnlAnswerCarry%1").arg(c), square(answerLeft(c) - 16, 308, 14), 11);
}

void TPractiseSpeedAdditionForm::createLabels()
{
    const BoxFactory boxes(this);
    boxes.sign(QStringLiteral("lblPlus"), QStringLiteral("+"), {110, 191, 25, 20}, 18);
    // Rules under the question, the carry totals and the answer row.
    for (const auto& [name, top] : {std::pair{"bvlQuestion", 215}, std::pair{"bvlCarryTotals", 271}, std::pair{"bvlAnswer", 303}})
        boxes.rule(QString::fromLatin1(name), {106, top, 400, 3});
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
        QLabel* zero = boxes.sign(zeroNames[i], QStringLiteral("0"), {zeroAt[i], QSize(14, 25)}, 15);
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
    TPractiseRulesForm::FormKeyDown(key, modifiers);
}

void TPractiseSpeedAdditionForm::MoveHighlight(int direction, QWidget* panel)
{
    static const Rules::Move moves[] = {Rules::Move::Left, Rules::Move::Right, Rules::Move::Up, Rules::Move::Down};
    if (direction >= MoveLeft && direction <= MoveDown && CurrentIndex < WorkingPanels.size()) {
        const Rules::Move move = moves[direction - MoveLeft];
        if (CurrentIndex >= 0)
            CurrentIndex = Rules::move(CurrentIndex, move);
        else if (move == Rules::Move::Left || move == Rules::Move::Right)
            CurrentIndex = Rules::enter(move);
    }
    TPractiseRulesForm::MoveHighlight(direction, panel);
}

// The imaginary zeros beside the current box follow the highlight.
void TPractiseSpeedAdditionForm::RefreshHighlight()
{
    TPractiseRulesForm::RefreshHighlight();
    const QStringList shown = Rules::imaginaryZerosShown(CurrentIndex);
    for (QLabel* zero : std::as_const(m_imaginaryZeros))
        zero->setVisible(shown.contains(zero->objectName()));
}

// ---------------------------------------------------------------- the problem

void TPractiseSpeedAdditionForm::NewQuestion()
{
    m_question = PosedOr<Rules>([] { return Rules::draw(QuestionSource::generator()); });
}

WorkedProblem TPractiseSpeedAdditionForm::SolveQuestion()
{
    return Rules::solve(m_question);
}

void TPractiseSpeedAdditionForm::CheckWorkingPanels()
{
    // An empty tick box means "no tick": it is checked as a 0 and emptied again.
    for (int i = 0; i < Rules::LeadingBox; ++i) {
        if (Rules::isTickBox(i) && WorkingPanels[i].Panel->caption().isEmpty())
            WorkingPanels[i].Panel->setCaption(QStringLiteral("0"));
    }
    TPractiseRulesForm::CheckWorkingPanels();
    for (int i = 0; i < Rules::LeadingBox; ++i) {
        WorkingPanelEntry& e = WorkingPanels[i];
        if (Rules::isTickBox(i) && e.Panel->caption() == QLatin1String("0")) {
            e.Panel->setCaption(QString());
            e.MyAnswer.clear();
        }
    }
}
