#pragma once

#include <QMetaObject>

#include <array>

#include "practice/MultiplyBasicRules.h"
#include "practice/PractiseRulesForm.h"

class QLabel;

// Basic speed multiplication: an 8-digit multiplicand times 3..9, 11 or 12,
// worked from the right, one box per position. A box takes the position's
// whole value (one or two digits); the tens digit drops into the carry box
// above the next position. The rule of the chosen multiplier stands in the
// rule panel ("Show Rule" takes the place of "Hide Mental Boxes"); while
// playing with 3, 4, 8 or 9 only the line of the current position is lit.
// After STOP, choosing another multiplier shows its rule in red; resting the
// mouse on a working box (or moving the highlight) brings the played
// multiplier back.
//
// Questions: the custom multiplicand after OK, otherwise a posed question of
// the method (its multiplicand; the multiplier is always the selected one),
// otherwise a random multiplicand of digits 1..9.
class TPractiseMultiplyBasicForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    explicit TPractiseMultiplyBasicForm(QWidget* parent = nullptr);

    // The question of the last PLAY (tests, benchmarks).
    const MultiplyBasicRules::Question& question() const { return m_question; }
    int selectedMultiplier() const;

protected:
    void ActivateOptionButton(Panel* button) override;
    TCustomQuestionForm::Setup CustomQuestionSetup() const override;
    void chkHideMentalBoxesClick() override;

    void NewQuestion() override;
    WorkedProblem SolveQuestion() override;
    void BuildWorkingPanels() override;
    void CheckWorkingPanels() override;
    void RestoreColors() override;
    void RefreshHighlight() override;

private:
    void createQuestionRow();
    void createWorkingRows();
    void createRulePanel();
    void placeCommonControls();

    void showRuleTexts(int multiplier);
    void UpdateRuleDisplay();
    void showHintWords();
    void setMultiplicandHints(const QString& hint);

    // The switch back to the played multiplier after STOP.
    void installHoverHandler();
    void removeHoverHandler();
    void switchBackToPlayed();

    Panel* pnlRule = nullptr;
    QLabel* lblRule = nullptr;
    std::array<QLabel*, 3> m_ruleLines{};

    MultiplyBasicRules::Question m_question;
    QMetaObject::Connection m_hoverConnection;
};
