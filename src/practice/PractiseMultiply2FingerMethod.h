#pragma once

#include <QList>

#include <optional>

#include "practice/MultiplyTwoFingerRules.h"
#include "practice/PractiseLongMultiplication.h"

class QRadioButton;

// Two-finger multiplication: an 8-digit multiplicand times a multiplier of 1
// to 5 digits, every digit from 1-5 or 1-9 ("Numbers from"), each column total
// made of the units and tens digits of small products. The UT row under the
// multiplicand follows the current column: one small panel per multiplier
// digit, under the two digits it works on, saying which part it gives ("Hide
// UT Panels" hides it). Each option and range keeps its own best time; a
// typed question with a digit above 5 is played in 1-9.
class TPractiseMultiply2FingerMethodForm : public TPractiseLongMultiplicationForm
{
    Q_OBJECT
public:
    using DigitRange = MultiplyTwoFingerRules::DigitRange;

    explicit TPractiseMultiply2FingerMethodForm(QWidget* parent = nullptr);

    DigitRange selectedRange() const { return m_range; }

protected:
    void BitBtnRewindClick() override;
    void chkHideMentalBoxesClick() override;

    void NewQuestion() override;
    bool QuestionFitsOptions() override;
    WorkedProblem SolveQuestion() override;
    void HideOptionPanels() override;
    void ShowOptionPanels() override;
    void BuildWorkingPanels() override;
    void CheckWorkingPanels() override;
    void RefreshHighlight() override;
    QStringList BestTimeKeys() const override;
    QString BestTimeKey() const override;
    void ShowColumns(int digits) override;

private:
    void createDigitRange();
    void createUtRow();
    // Checks the range's radio button and shows its best time.
    void selectRange(DigitRange range);
    void showUtRow();
    void setUtHintsShown(bool shown);

    Panel* pnlOptDigits = nullptr;
    QRadioButton* rdo1To5 = nullptr;
    QRadioButton* rdo1To9 = nullptr;
    Panel* pnlUT = nullptr;
    QList<Panel*> m_ut; // pnlUT0..pnlUT4
    DigitRange m_range = DigitRange::OneToFive;
    DigitRange m_playedRange = DigitRange::OneToFive;
};
