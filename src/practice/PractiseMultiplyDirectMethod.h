#pragma once

#include "practice/MultiplyDirectRules.h"
#include "practice/PractiseLongMultiplication.h"

// Direct-method multiplication: an 8-digit multiplicand times a multiplier
// of 2 to 5 digits, one column total per answer column from the right. The
// colour hints give every multiplier digit its colour and the multiplicand
// digit it pairs with in the current column the same one. A typed question
// may have a column total of 100 or more: that box takes three digits and its
// carry box the two-digit carry, in a smaller font.
class TPractiseMultiplyDirectMethodForm : public TPractiseLongMultiplicationForm
{
    Q_OBJECT
public:
    explicit TPractiseMultiplyDirectMethodForm(QWidget* parent = nullptr);

protected:
    void NewQuestion() override;
    WorkedProblem SolveQuestion() override;
    void BuildWorkingPanels() override;
};
