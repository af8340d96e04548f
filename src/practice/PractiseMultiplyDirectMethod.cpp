#include "practice/PractiseMultiplyDirectMethod.h"

#include <QCheckBox>

#include "practice/PracticeHelp.h"
#include "shell/Panel.h"

using Rules = MultiplyDirectRules;
using LM = LongMultiplicationRules;

namespace {

const TPractiseLongMultiplicationForm::Layout DirectLayout = {
    340, 147, 387, 417, 183, 195, 210, 245, 260, Rules::columnCount(Rules::MaxMultiplierDigits),
    &Rules::columnCount, {359, 22, 191, 32}};

} // namespace

TPractiseMultiplyDirectMethodForm::TPractiseMultiplyDirectMethodForm(QWidget* parent)
    : TPractiseLongMultiplicationForm(DirectLayout, parent)
{
    setObjectName(QStringLiteral("PractiseMultiplyDirectMethodForm"));
    AddDigitOptions(Rules::options(), &Rules::bestTimeKey);
    chkHideMentalBoxes->hide(); // no mental boxes here
    CurrentOption = DigitButton(Rules::MinMultiplierDigits);
    SetUpScreen({ScreenId::MultiplyDirect, PracticeHelp::LegendMultiply,
                 CarryPairEntry, RightToLeft});
    ResetWorkingPanels();
}

void TPractiseMultiplyDirectMethodForm::NewQuestion()
{
    NextQuestion<Rules>(
        [this] { return Rules::draw(QuestionSource::generator(), selectedDigits(), &m_question); });
}

WorkedProblem TPractiseMultiplyDirectMethodForm::SolveQuestion()
{
    return Rules::solve(m_question);
}

// A carry of two digits (a column total of 100 or more) takes a smaller font.
void TPractiseMultiplyDirectMethodForm::BuildWorkingPanels()
{
    TPractiseLongMultiplicationForm::BuildWorkingPanels();
    for (int c = 0; c < CarryPanels.size(); ++c) {
        const int px = c < Problem.boxes.size() && Problem.boxes.at(c).width > 2 ? 8 : 11;
        CarryPanels[c].Panel->setFontSpec(QStringLiteral("Arial"), px, false);
        PanelNamed(LM::answerCarryPanel(c))->setFontSpec(QStringLiteral("Arial"), px, false);
    }
}
