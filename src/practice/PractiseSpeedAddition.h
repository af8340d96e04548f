#pragma once

#include <QList>

#include "practice/PractiseRulesForm.h"
#include "practice/SpeedAdditionRules.h"

class QLabel;

// Speed addition of six 8-digit numbers with ticks and running totals, on
// the practice workbench. The method (box values, texts, hints, carries,
// colour hints, grid moves) comes from SpeedAdditionRules; this screen lays
// out the grid.
class TPractiseSpeedAdditionForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    explicit TPractiseSpeedAdditionForm(QWidget* parent = nullptr);

    // The question being worked (its sum is the answer).
    const SpeedAdditionRules::Question& question() const { return m_question; }

protected:
    void FormKeyDown(int& key, Qt::KeyboardModifiers modifiers) override;

    void MoveHighlight(int direction, QWidget* panel) override;
    void NewQuestion() override;
    WorkedProblem SolveQuestion() override;
    void CheckWorkingPanels() override;
    void RefreshHighlight() override;

private:
    void createGrid();
    void createLabels();

    SpeedAdditionRules::Question m_question;
    QList<QLabel*> m_imaginaryZeros; // left 1, left 2, right
};
