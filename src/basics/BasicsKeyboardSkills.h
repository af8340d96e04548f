#pragma once

#include <memory>

#include "basics/BasicsOptionForm.h"
#include "basics/FactDrillRules.h"
#include "basics/KeyboardDrillRules.h"

class QLabel;

// Keyboard skills: a digit, "+" or "-" flashes and the learner types it on
// the numeric keypad; the key is scored at once, lime when right and red
// when wrong. Only the question delay can be set.
class TBasicsKeyboardSkillsForm : public TBasicsOptionForm
{
    Q_OBJECT
public:
    explicit TBasicsKeyboardSkillsForm(QWidget* parent = nullptr);

    // Replaces where the questions come from (tests pose their own).
    void setQuestionSource(std::unique_ptr<NumberSource> source);
    // The number of the question on screen (0..11; 0 before the first).
    int question() const { return m_question; }

    void BitBtnPlayClick(QObject* sender) override;
    void tmrAnswerTimer() override;
    bool FormKeyDown(QKeyEvent* event) override;
    bool FormKeyUp(QKeyEvent* event) override;

protected:
    void NewQuestion() override;
    void ShowQuestion() override;
    void ClearQuestion() override;
    // Lime when the typed character is the question (or none was typed),
    // red when another was typed.
    void ShowAnswer() override;
    void ClearAnswer() override;
    void ApplyOption() override {}
    // Total + 1, and Correct + 1 when the typed character is the question.
    void UpdateScores() override;
    // A fact is a character asked: a key typed wrong (or SPACE) misses it.
    QStringList ReviewFacts() override;
    void PoseFact(int index) override { m_question = KeyboardDrillRules::FirstQuestion + index; }
    QString FactKey() const override;

private:
    Panel* pnlQuestion1 = nullptr;
    QLabel* lblEqual = nullptr;
    Panel* pnlAnswer = nullptr;
    std::unique_ptr<NumberSource> m_source;
    int m_question = 0;
};
