#pragma once

#include <QHash>
#include <QList>
#include <QRect>

#include <functional>

#include "practice/LongMultiplicationRules.h"
#include "practice/PractiseRulesForm.h"

class QFrame;

// What the direct-method and the two-finger screens share: an 8-digit
// multiplicand with the multiplier to its right, a rule under them, the
// answer row with a carry box over every column but the top one, and the
// correct carries and answer under it after STOP. The option buttons choose
// the multiplier's digit count; the row is laid out for the largest option
// and shows the columns of the selected one (the workbench leaves out the
// boxes the worked problem does not name).
//
// Questions: the custom question after OK, otherwise a posed question of the
// method, otherwise the method's draw (never the previous question again).
class TPractiseLongMultiplicationForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    // Client pixels of a screen's rows; column c's boxes stand at
    // columnZeroLeft - 26c.
    struct Layout {
        int columnZeroLeft;
        int questionTop;
        int signLeft;
        int multiplierLeft; // pnlMultiplier0
        int ruleTop;
        int carryTop;
        int workingTop;
        int answerCarryTop;
        int answerTop;
        int maxColumns;              // working boxes of the largest option
        int (*columnCount)(int digits); // answer columns of a multiplier of that many digits
        QRect options;               // PnlOptions
    };
    // The question of the last PLAY (tests, benchmarks).
    const LongMultiplicationRules::Question& question() const { return m_question; }
    // The digit count of the selected option.
    int selectedDigits() const;

protected:
    TPractiseLongMultiplicationForm(const Layout& layout, QWidget* parent);

    // Adds one option button per digit option, with its best-time key
    // (empty when the screen chooses the key itself).
    void AddDigitOptions(const QList<LongMultiplicationRules::DigitOption>& options,
                         const std::function<QString(int digits)>& bestTimeKey);
    Panel* DigitButton(int digits) const;
    int ColumnLeft(int column) const { return m_layout.columnZeroLeft - 26 * column; }

    // The panels of a question of the given multiplier digit count: the
    // multiplier digits and the rule under the question; before the first
    // PLAY also the empty columns.
    virtual void ShowColumns(int digits);
    // The next question: the custom one (when it is one of the method's and
    // the option was not changed since), a posed one, or a drawn one. A
    // posed question of another multiplier size selects its option.
    template <typename Rules, typename Draw>
    void NextQuestion(Draw draw)
    {
        const auto custom = TakeCustomQuestion();
        const auto typed = custom ? Rules::fromTexts(custom->question, custom->op)
                                  : ParseResult<LongMultiplicationRules::Question>::failure(QString());
        if (typed.ok() && typed.question->multiplierDigits() == selectedDigits())
            m_question = *typed.question;
        else
            m_question = PosedOr<Rules>(draw);
        if (Panel* button = DigitButton(m_question.multiplierDigits()); button && button != CurrentOption)
            ActivateOptionButton(button);
    }
    // The question has the selected multiplier size.
    bool QuestionFitsOptions() override;

    TCustomQuestionForm::Setup CustomQuestionSetup() const override;
    void ActivateOptionButton(Panel* button) override;
    void BuildWorkingPanels() override;

    LongMultiplicationRules::Question m_question;

private:
    void createRows();

    Layout m_layout;
    QHash<Panel*, int> m_digits; // option button -> digit count
    QFrame* bvlSeparator = nullptr;
};
