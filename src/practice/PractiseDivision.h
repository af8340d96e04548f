#pragma once

#include <QList>

#include "practice/DivisionRules.h"
#include "practice/PractiseRulesForm.h"

class QFrame;
class QLabel;

// Speed division: a 4- to 6-digit dividend by a 2- or 3-digit divisor. The
// quotient digits are typed on the question line; the working number, NT, B
// and U of each quotient digit stand under the dividend, one group per
// digit brought down, and the remainder last. Two rows of option buttons
// choose the divisor (PnlOptions) and the dividend (pnlOptDividend); every
// pair of them has its own best time. While colour hints are on, the marks
// N, T and U over the divisor and the guide lines show which digit's whole
// product, tens or units the current box takes.
//
// Questions: the custom dividend and divisor after OK, otherwise a posed
// question of the method, otherwise a random problem of the selected sizes.
class TPractiseDivisionForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    explicit TPractiseDivisionForm(QWidget* parent = nullptr);

    // The question of the last PLAY (tests, benchmarks).
    const DivisionRules::Question& question() const { return m_question; }
    // The digits of the selected divisor and dividend options.
    int divisorDigits() const;
    int dividendDigits() const;

protected:
    void ActivateOptionButton(Panel* button) override;
    void BitBtnRewindClick() override;
    TCustomQuestionForm::Setup CustomQuestionSetup() const override;

    void NewQuestion() override;
    bool QuestionFitsOptions() override;
    WorkedProblem SolveQuestion() override;
    void HideOptionPanels() override;
    void ShowOptionPanels() override;
    void BuildWorkingPanels() override;
    void CheckWorkingPanels() override;
    void ShowColorHints(QWidget* panel) override;
    void RestoreColors() override;
    void ResetWorkingPanels() override;
    void JumpVertically(QWidget* panel, bool showOnly) override;
    int GetOptionDividendIndex() override;
    Panel* GetOptionDividendButton(int n) override;
    QStringList BestTimeKeys() const override;
    QString BestTimeKey() const override;

private:
    void createQuestionLine();
    void createOptions();
    void createBoxes();
    void createMarksAndLines();
    void placeCommonControls();

    void ActivateOptionDividendButton(Panel* button);
    // With Show Color Hints ticked: before any problem all five letters stand.
    void showMarkLettersWhileIdle();
    void showMarks(const DivisionRules::Marks& marks);
    void setAnswerLabelsVisible(bool shown);

    QList<Panel*> m_dividendButtons;
    Panel* m_playedDividend = nullptr;
    QList<WorkingPanelEntry> m_boxes; // all 26 boxes; the list of a problem is the first 5G + 1
    QList<Panel*> m_dividendDigits;   // pnlDividend0 (units) .. pnlDividend5
    Panel* pnlDividend = nullptr;
    Panel* pnlOptDividend = nullptr;
    QLabel* lblDivide = nullptr;
    Panel* pnlSeparator = nullptr;
    QList<QFrame*> m_arm;             // lineArmVertical, lineArmHorizontal
    Panel* pnlLines = nullptr;
    QFrame* lineNTVertical = nullptr;
    QFrame* lineNThorizontal = nullptr;
    QFrame* lineUTVertical = nullptr;
    QFrame* lineUTHorizontal = nullptr;
    Panel* pnlJumpGraphic = nullptr;
    QList<QLabel*> m_answerLabels;    // Answer:, Quotient, Remainder, My Remainder

    DivisionRules::Question m_question;
    DivisionRules::Layout m_layout;
};
