#include "practice/PractiseLongMultiplication.h"

#include <QFrame>
#include <QLayout>

#include "practice/BoxFactory.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/Strings.h"

using LM = LongMultiplicationRules;

namespace {

constexpr int BoxSize = 25;
constexpr int CarrySize = 14;

QRect square(int left, int top, int size = BoxSize)
{
    return {left, top, size, size};
}

} // namespace

TPractiseLongMultiplicationForm::TPractiseLongMultiplicationForm(const Layout& layout, QWidget* parent)
    : TPractiseRulesForm(parent), m_layout(layout)
{
    PnlOptions->setGeometry(layout.options);
    PnlOptions->layout()->setContentsMargins(5, 3, 5, 3);
    createRows();
    // The scores stand below the multiplier, right of the answer row.
    pnlScores->move(pnlScores->x(), layout.workingTop - 12);
    pnlRightWrong->move(layout.multiplierLeft, layout.workingTop);
    pnlMover->setBevelOuter(Panel::Bevel::None);
}

void TPractiseLongMultiplicationForm::createRows()
{
    const BoxFactory boxes(this);
    const Layout& l = m_layout;
    for (int d = 0; d < LM::Digits; ++d)
        AddQuestionPanel(boxes.question(LM::multiplicandPanel(d), square(ColumnLeft(d), l.questionTop), 16,
                                        Panel::Bevel::Raised, Strings::text(Strings::HintMultiplicand)));
    boxes.sign(QStringLiteral("lblEqual"), QString(TextChars::Times), {l.signLeft, l.questionTop + 2, BoxSize, 23}, 19);
    for (int k = 0; k < LM::MaxMultiplierDigits; ++k)
        boxes.question(LM::multiplierPanel(k), square(l.multiplierLeft + BoxFactory::Step * k, l.questionTop), 16,
                       Panel::Bevel::Raised, QStringLiteral("Multiplier|"));
    bvlSeparator = boxes.rule(QStringLiteral("bvlSeparator"), {ColumnLeft(0), l.ruleTop, BoxSize, 2});

    for (int c = 0; c < l.maxColumns; ++c) {
        // Every column but the top one sends its tens to the carry box above it.
        int link = -1;
        if (c < l.maxColumns - 1) {
            link = AddCarryPanel(boxes.carry(LM::carryBox(c), square(ColumnLeft(c), l.carryTop, CarrySize)));
            boxes.answer(LM::answerCarryPanel(c), square(ColumnLeft(c), l.answerCarryTop, CarrySize), 11, false);
        }
        Panel* working = boxes.working(LM::workingBox(c), square(ColumnLeft(c), l.workingTop), 13);
        AddWorkingPanel(working, 2, link);
        AddMyAnswerPanel(working);
        AddAnswerPanel(boxes.answer(LM::answerPanel(c), square(ColumnLeft(c), l.answerTop), 16));
    }
}

void TPractiseLongMultiplicationForm::AddDigitOptions(const QList<LM::DigitOption>& options,
                                                      const std::function<QString(int)>& bestTimeKey)
{
    for (const LM::DigitOption& o : options)
        m_digits.insert(AddOptionButton(o.button, o.caption, o.hint, bestTimeKey(o.digits)), o.digits);
}

Panel* TPractiseLongMultiplicationForm::DigitButton(int digits) const
{
    for (auto it = m_digits.constBegin(); it != m_digits.constEnd(); ++it)
        if (it.value() == digits)
            return it.key();
    return nullptr;
}

int TPractiseLongMultiplicationForm::selectedDigits() const
{
    return m_digits.value(CurrentOption, OptionButtons().isEmpty() ? 1 : m_digits.value(OptionButtons().first()));
}

void TPractiseLongMultiplicationForm::ShowColumns(int digits)
{
    for (int k = 0; k < LM::MaxMultiplierDigits; ++k)
        PanelNamed(LM::multiplierPanel(k))->setVisible(k < digits);
    const int columns = m_layout.columnCount(digits);
    const int left = ColumnLeft(columns - 1);
    bvlSeparator->setGeometry(left, m_layout.ruleTop, ColumnLeft(0) + BoxSize - left, 2);
    if (State != Idle)
        return;
    for (int c = 0; c < WorkingPanels.size(); ++c)
        WorkingPanels[c].Panel->setVisible(c < columns);
    for (int c = 0; c < CarryPanels.size(); ++c)
        CarryPanels[c].Panel->setVisible(c < columns - 1);
}

void TPractiseLongMultiplicationForm::ActivateOptionButton(Panel* button)
{
    if (!m_digits.contains(button))
        return;
    TPractiseRulesForm::ActivateOptionButton(button);
    // Before the first PLAY the option lays out its empty columns; after
    // that the problem on the screen keeps its own until the next PLAY.
    ShowColumns(State == Idle ? selectedDigits() : m_question.multiplierDigits());
}

void TPractiseLongMultiplicationForm::BuildWorkingPanels()
{
    TPractiseRulesForm::BuildWorkingPanels();
    ShowColumns(m_question.multiplierDigits());
}

bool TPractiseLongMultiplicationForm::QuestionFitsOptions()
{
    return m_question.multiplierDigits() == selectedDigits();
}

TCustomQuestionForm::Setup TPractiseLongMultiplicationForm::CustomQuestionSetup() const
{
    TCustomQuestionForm::Setup setup;
    setup.questionWidth = LM::Digits;
    setup.showQuestionOption = false;
    setup.usesOperator = true;
    setup.operatorWidth = selectedDigits();
    setup.operatorOptionText = CurrentOption ? CurrentOption->caption() : QString();
    setup.operatorSign = QString(TextChars::Times);
    return setup;
}
