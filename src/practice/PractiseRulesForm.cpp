#include "practice/PractiseRulesForm.h"

#include <QRadioButton>

#include "shell/Globals.h"
#include "shell/Panel.h"

TPractiseRulesForm::TPractiseRulesForm(QWidget* parent) : TPractise0BaseForm(parent)
{
}

void TPractiseRulesForm::BitBtnCustomClick()
{
    TPractise0BaseForm::BitBtnCustomClick();
    if (TCustomQuestionForm::ask(this, CustomQuestionSetup()))
        m_custom = CustomTexts{Globals::CustomQuestion, Globals::CustomOperator};
}

std::optional<TPractiseRulesForm::CustomTexts> TPractiseRulesForm::TakeCustomQuestion()
{
    return std::exchange(m_custom, std::nullopt);
}

void TPractiseRulesForm::SelectOptionOfQuestion(int n)
{
    if (Panel* button = GetOptionButton(n); button && button != CurrentOption)
        ActivateOptionButton(button);
}

void TPractiseRulesForm::ShowQuestion()
{
    for (const PanelText& q : std::as_const(Problem.questionPanels)) {
        if (Panel* panel = PanelNamed(q.panel)) {
            panel->setCaption(q.text);
            panel->setTag(q.text.toInt());
        }
    }
}

void TPractiseRulesForm::ShowActualAnswer()
{
    for (const PanelText& a : std::as_const(Problem.answerPanels)) {
        if (Panel* panel = PanelNamed(a.panel))
            panel->setCaption(a.text);
    }
}

void TPractiseRulesForm::BuildWorkingPanels()
{
    ResetWorkingPanels();
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.ExpectedValue = 0;
        e.TypedValue = 0;
    }
    showAnswerCarryRow(false); // the previous problem's row, which may be longer
    Problem = SolveQuestion();
    ApplyWorkedProblem(Problem); // boxes it does not name are out of the problem
    // An answer column is out of the problem when its working box is.
    for (int k = 0; k < MyAnswerPanels.size(); ++k) {
        const int box = FindWorkingPanel(MyAnswerPanels[k].Panel, WorkingPanels, int(WorkingPanels.size()) - 1);
        MyAnswerPanels[k].IsUnused = box >= 0 && WorkingPanels[box].IsUnused;
        if (k < AnswerPanels.size())
            AnswerPanels[k].IsUnused = MyAnswerPanels[k].IsUnused;
    }
    showAnswerCarryRow(false);
    TPractise0BaseForm::BuildWorkingPanels();
}

void TPractiseRulesForm::showAnswerCarryRow(bool shown)
{
    for (const PanelText& c : std::as_const(Problem.answerCarryRow)) {
        if (Panel* panel = PanelNamed(c.panel)) {
            panel->setCaption(c.text);
            panel->setVisible(shown);
        }
    }
}

void TPractiseRulesForm::CheckWorkingPanels()
{
    for (const PanelEntry& a : std::as_const(AnswerPanels))
        a.Panel->setVisible(!a.IsUnused);
    showAnswerCarryRow(true);
    pnlViewAnswers->show();
    for (const RuleBox& rule : std::as_const(Problem.boxes)) {
        const int i = WorkingPanelNamed(rule.box);
        if (i < 0)
            continue;
        Panel* box = WorkingPanels.at(i).Panel;
        if (rule.stripZeros)
            box->setCaption(StripLeadingZeros(box->caption()));
        if (rule.zeroMayBeLeftOut && rule.text == QLatin1String("0") && box->caption().isEmpty())
            box->setCaption(rule.text);
    }
    m_myCarries.clear();
    for (const CarryPanelEntry& c : std::as_const(CarryPanels))
        m_myCarries.append(c.Panel->caption().trimmed());
    TPractise0BaseForm::CheckWorkingPanels();
}

void TPractiseRulesForm::ResetWorkingPanels()
{
    if (EntryStyle == CarryPairEntry)
        ResetCarryPairBoxes();
    TPractise0BaseForm::ResetWorkingPanels();
}

// The carry boxes follow the steps shown: the learner's carries, or the
// correct ones.
void TPractiseRulesForm::ShowAnswerSteps(const QString& which)
{
    TPractise0BaseForm::ShowAnswerSteps(which);
    const bool actual = which == QLatin1String("sAA");
    for (int c = 0; c < CarryPanels.size(); ++c) {
        const QString mine = m_myCarries.value(c);
        CarryPanels[c].Panel->setCaption(actual ? PracticeText::carryText(CarryPanels[c].ExpectedDigit) : mine);
    }
}
