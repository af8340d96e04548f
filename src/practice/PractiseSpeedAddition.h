#pragma once

#include <QList>

#include "practice/PracticeRules.h"
#include "practice/Practise0Base.h"
#include "practice/SpeedAdditionRules.h"

class QLabel;

// Speed addition of six 8-digit numbers with ticks and running totals, on
// the practice workbench. The method (box values, texts, hints, carries,
// colour hints, grid moves) comes from SpeedAdditionRules; this screen lays
// out the grid and maps the rules onto its panels.
class TPractiseSpeedAdditionForm : public TPractise0BaseForm
{
    Q_OBJECT
public:
    // The worksheet tool's name of the method, also the question source's.
    static QString methodName() { return QStringLiteral("speed-addition"); }

    explicit TPractiseSpeedAdditionForm(QWidget* parent = nullptr);

    // The question being worked (its sum is the answer).
    const SpeedAdditionRules::Question& question() const { return m_question; }

protected:
    void FormKeyDown(int& key, Qt::KeyboardModifiers modifiers) override;

    void MoveHighlight(int direction, QWidget* panel) override;
    void NewQuestion() override;
    void ShowQuestion() override;
    void ShowActualAnswer() override;
    void BuildWorkingPanels() override;
    void CheckWorkingPanels() override;
    void ShowColorHints(QWidget* panel) override;
    void WorkingPanelChanged(QWidget* panel) override;
    void ResetWorkingPanels() override;
    void ShowAnswerSteps(const QString& which) override;
    bool UpdateBestTime(double elapsed) override;
    void SaveBestTimes(IniFile& file) override;
    void LoadBestTimes(const IniFile& file) override;
    void SelectBestTime() override;
    int GetOptionIndex() override;
    Panel* GetOptionButton(int n) override;

private:
    void createGrid();
    Panel* box(const QString& name, int left, int top, int size, int fontPx);
    void updateImaginaryZeros();

    SpeedAdditionRules::Question m_question;
    double m_bestTime = 0;
    QList<Panel*> m_answerCarries;            // pnlAnswerCarry0..7
    QList<QLabel*> m_imaginaryZeros;          // left 1, left 2, right
};
