#pragma once

#include <QHash>
#include <QList>
#include <QMetaObject>

#include <array>

#include "practice/MultiplyBasicRules.h"
#include "practice/Practise0Base.h"

class QLabel;

// Basic speed multiplication: an 8-digit multiplicand times 3..9, 11 or 12,
// worked from the right, one box per position. A box takes the position's
// whole value (one or two digits); the tens digit drops into the carry box
// above the next position. The rule of the chosen multiplier stands in the
// rule panel; while playing with 3, 4, 8 or 9 only the line of the current
// position is lit. After STOP, choosing another multiplier shows its rule in
// red; resting the mouse on a working box (or moving the highlight) brings
// the played multiplier back.
//
// Questions: the custom question after OK, otherwise a posed question of
// "multiply-basic" (its multiplicand; the multiplier is always the selected
// one), otherwise a random multiplicand of digits 1..9.
class TPractiseMultiplyBasicForm : public TPractise0BaseForm
{
    Q_OBJECT
public:
    explicit TPractiseMultiplyBasicForm(QWidget* parent = nullptr);
    ~TPractiseMultiplyBasicForm() override;

    // The question of the last PLAY (tests, benchmarks).
    const MultiplyBasicRules::Question& question() const { return m_question; }
    int playedMultiplier() const { return m_playedMultiplier; }
    int selectedMultiplier() const;

protected:
    void ActivateOptionButton(Panel* button) override;
    void BitBtnCustomClick() override;

    void NewQuestion() override;
    void ShowQuestion() override;
    void ShowActualAnswer() override;
    void BuildWorkingPanels() override;
    void CheckWorkingPanels() override;
    void ShowColorHints(QWidget* panel) override;
    void WorkingPanelChanged(QWidget* panel) override;
    void RestoreColors() override;
    void ResetWorkingPanels() override;
    bool UpdateBestTime(double elapsed) override;
    void SaveBestTimes(IniFile& file) override;
    void LoadBestTimes(const IniFile& file) override;
    void SelectBestTime() override;
    int GetOptionIndex() override;
    Panel* GetOptionButton(int n) override;
    void RefreshHighlight() override;

private:
    using Option = MultiplyBasicRules::Option;

    void createQuestionRow();
    void createWorkingRows();
    void createRulePanel();
    void placeCommonControls();
    Panel* addPanel(const QString& name, int left, int top, int size);

    const Option* optionOf(const Panel* button) const;
    Panel* buttonOf(int multiplier);
    void showRuleTexts(int multiplier);
    void UpdateRuleDisplay();
    void chkShowRuleClick();
    void showHintWords();

    // The switch back to the played multiplier after STOP.
    void installHoverHandler();
    void removeHoverHandler();
    void switchBackToPlayed();

    QHash<const Panel*, const Option*> m_options;
    QList<Panel*> m_multiplicand;
    Panel* m_dummyRight = nullptr;
    Panel* m_dummyLeft = nullptr;
    std::array<Panel*, 2> m_multiplier{};
    QList<Panel*> m_answerCarry;

    Panel* pnlRule = nullptr;
    QLabel* lblRule = nullptr;
    std::array<QLabel*, 3> m_ruleLines{};

    MultiplyBasicRules::Question m_question;
    WorkedProblem m_solution;
    int m_playedMultiplier = 0;
    bool m_customPending = false;
    std::array<double, 9> m_bestTimes{}; // by multiplier index (3, 4, .., 9, 11, 12)
    QMetaObject::Connection m_hoverConnection;
};
