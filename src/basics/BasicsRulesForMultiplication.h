#pragma once

#include <memory>

#include "basics/BasicsOptionForm.h"
#include "basics/FactDrillRules.h"
#include "basics/RuleDrillRules.h"

class QLabel;
class QPlainTextEdit;
class UpDown;

// Rules for multiplication: the learner pages through the rule for each
// multiplier 0..12 ("Learn Rules"), or a number flashes and its rule follows
// ("Guess Rule"), or a rule flashes and its number follows ("Guess Number").
class TBasicsRulesForMultiplicationForm : public TBasicsOptionForm
{
    Q_OBJECT
public:
    enum Mode { LearnRules = 1, GuessRule = 2, GuessNumber = 3 };

    explicit TBasicsRulesForMultiplicationForm(QWidget* parent = nullptr);

    // Replaces where the guessing modes get their numbers (tests pose their own).
    void setQuestionSource(std::unique_ptr<NumberSource> source);
    Mode mode() const { return Mode(GetOptionIndex()); }

    // The previous or next button: the number and its rule show.
    void updnRuleChangerClick();

protected:
    void NewQuestion() override;
    void ShowQuestion() override;
    void ClearQuestion() override;
    void ShowAnswer() override;
    void ClearAnswer() override;
    void ApplyOption() override;
    // A guessing mode's facts are its numbers: "Guess Rule 7" is the rule
    // for 7 to say, "Guess Number 7" the number of its rule. Learning pages
    // through the rules: nothing to review.
    QStringList ReviewFacts() override;
    void PoseFact(int index) override { current() = RuleDrillRules::FirstGuess + index; }
    QString FactKey() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The number of the current question of the guessing mode on.
    int& current();
    int current() const { return mode() == GuessNumber ? m_guessNumber : m_guessRule; }
    // The key of the mode's question n.
    QString factKey(int n) const;
    void showRule(int n);
    void showNumber(int n);

    QPlainTextEdit* mmoRule = nullptr;
    QLabel* lblEqual = nullptr;
    Panel* pnlNumber = nullptr;
    UpDown* updnRuleChanger = nullptr;
    std::unique_ptr<NumberSource> m_source;
    int m_guessRule = 0;
    int m_guessNumber = 0;
};
