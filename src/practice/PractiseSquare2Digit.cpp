#include "practice/PractiseSquare2Digit.h"

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"
#include "shell/Hints.h"

using Rules = SquareTwoDigitRules;

namespace {

constexpr int Box = 33;
constexpr int FontPx = 20;
constexpr int QuestionTop = 147;
constexpr int PartsTop = 198;

// Answer digit k (1 units .. 4 thousands) stands at 454 - 34 (k - 1).
constexpr int answerLeft(int k)
{
    return 454 - 34 * (k - 1);
}

} // namespace

TPractiseSquare2DigitForm::TPractiseSquare2DigitForm(QWidget* parent) : TPractiseRulesForm(parent)
{
    setObjectName(QStringLiteral("PractiseSquare2DigitForm"));
    AddOptionButtons(Rules::options());
    PnlOptions->setGeometry(369, 22, 215, 32);
    SetUpScreen({ScreenId::Square2Digit, PracticeHelp::LegendSquares,
                 FreeEntry, LeftToRight});
    pnlMover->setBevelOuter(Panel::Bevel::None);

    const BoxFactory boxes(this);
    AddQuestionPanel(boxes.question(Rules::questionPanel(1), {153, QuestionTop, Box, Box}, FontPx, Panel::Bevel::Raised));
    AddQuestionPanel(boxes.question(Rules::questionPanel(2), {119, QuestionTop, Box, Box}, FontPx, Panel::Bevel::Raised));
    boxes.sign(QStringLiteral("Label1"), QStringLiteral("2"), {190, QuestionTop, 14, 18}, 16);
    boxes.sign(QStringLiteral("lblEqual"), QStringLiteral("="), {265, 149, 33, Box}, FontPx);

    const QRect parts[] = {{90, PartsTop, Box, Box}, {128, PartsTop, 51, Box}, {184, PartsTop, Box, Box}};
    const int widths[] = {2, 3, 2};
    for (int i = 0; i < 3; ++i)
        AddWorkingPanel(boxes.working(Rules::workingBox(i), parts[i], FontPx), widths[i]);
    for (int k = 4; k >= 1; --k)
        AddWorkingPanel(boxes.working(Rules::answerUserBox(k), {answerLeft(k), QuestionTop, Box, Box}, FontPx), 1);
    for (int k = 1; k <= 4; ++k) {
        AddMyAnswerPanel(PanelNamed(Rules::answerUserBox(k)));
        Panel* answer = boxes.answer(Rules::answerPanel(k), {answerLeft(k), PartsTop, Box, Box}, FontPx);
        Hints::setHint(answer, QStringLiteral("|The correct answer for this problem"));
        AddAnswerPanel(answer);
    }
    ResetWorkingPanels();
}

TCustomQuestionForm::Setup TPractiseSquare2DigitForm::CustomQuestionSetup() const
{
    return TCustomQuestionForm::Setup::questionOnly(2);
}

void TPractiseSquare2DigitForm::NewQuestion()
{
    m_question = CustomPosedOr<Rules>([this] {
        return Rules::draw(QuestionSource::generator(), GetOptionIndex(), m_question ? &*m_question : nullptr);
    });
    // A typed number is played under the level whose digits it has.
    SelectOptionOfQuestion(Rules::levelOf(*m_question));
}

bool TPractiseSquare2DigitForm::QuestionFitsOptions()
{
    return m_question && Rules::levelOf(*m_question) == GetOptionIndex();
}

WorkedProblem TPractiseSquare2DigitForm::SolveQuestion()
{
    return Rules::solve(*m_question);
}

// The correct answer panels explain the joining as the answer boxes do.
void TPractiseSquare2DigitForm::BuildWorkingPanels()
{
    TPractiseRulesForm::BuildWorkingPanels();
    const QString explanation = Problem.boxes.value(Rules::FirstAnswerBox).hint;
    for (const PanelEntry& a : std::as_const(AnswerPanels))
        Hints::setHint(a.Panel, explanation);
}
