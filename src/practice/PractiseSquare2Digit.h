#pragma once

#include <optional>

#include "practice/PractiseRulesForm.h"
#include "practice/SquareTwoDigitRules.h"

// The square of a two-digit number TU, worked as (T x T) (2 x T x U) (U x U)
// in three mental boxes and joined into the four answer digits, from left to
// right. Levels 1..3 choose the digits; each keeps its own best time. A
// square of three digits has no thousands box.
//
// Questions: the custom number after OK, otherwise a posed question of the
// method, otherwise a number of the selected level, never the last one again.
class TPractiseSquare2DigitForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    explicit TPractiseSquare2DigitForm(QWidget* parent = nullptr);

    // The question of the last PLAY (tests).
    const SquareTwoDigitRules::Question& question() const { return *m_question; }

protected:
    TCustomQuestionForm::Setup CustomQuestionSetup() const override;
    void NewQuestion() override;
    bool QuestionFitsOptions() override;
    WorkedProblem SolveQuestion() override;
    void BuildWorkingPanels() override;

private:
    std::optional<SquareTwoDigitRules::Question> m_question;
};
