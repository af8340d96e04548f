#pragma once

#include <optional>

#include "practice/PractiseRulesForm.h"
#include "practice/SquareThreeDigitRules.h"

class QFrame;

// The square of a three-digit number HTU in rows: the 2-digit square of TU
// (row 1 mental, row 2), 2 x H x U (row 3 mental), row 4 = row 2 div 100 +
// row 3, H x H and 2 x H x T (row 5 mental), then the six answer digits.
// The digits that drop straight down (the last two of row 2, the last of
// row 4) are copied into the answer row as they are typed; guide lines show
// where they go. The total line above row 4 spans the digits row 4 has.
class TPractiseSquare3DigitForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    explicit TPractiseSquare3DigitForm(QWidget* parent = nullptr);

    const SquareThreeDigitRules::Question& question() const { return *m_question; }

protected:
    TCustomQuestionForm::Setup CustomQuestionSetup() const override;
    void NewQuestion() override;
    bool QuestionFitsOptions() override;
    WorkedProblem SolveQuestion() override;
    void BuildWorkingPanels() override;
    void WorkingPanelChanged(QWidget* panel) override;

private:
    void createGuides();

    QFrame* bvlTotal = nullptr;
    std::optional<SquareThreeDigitRules::Question> m_question;
};
