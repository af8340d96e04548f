#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class Panel;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The learner's own question for a practice screen: a number with a fixed
// count of digits (a multiplicand, a dividend, the number under a root) and,
// on screens with a second number, an operator number (a multiplier, a
// divisor). Only the digits 1 to 9 are accepted; every digit also shows in
// a row of boxes, right-aligned, as the screen would show it. OK hands the
// two texts back through Globals::CustomQuestion and Globals::CustomOperator;
// Cancel and the close box leave both alone.
//
// A screen runs the whole command with ask(); the steps (configure, Prepare,
// exec) are public for screens that need more.
class TCustomQuestionForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MaxQuestionWidth = 8;
    static constexpr int MaxOperatorWidth = 5;
    static constexpr int ClientWidth = 428;
    static constexpr int QuestionOnlyWidth = 249; // the operator half cut off
    static constexpr int ClientHeight = 140;

    // How a screen sets the dialog up for its question.
    struct Setup {
        int questionWidth = MaxQuestionWidth; // digits of the question, 1..8
        QString questionOptionText;           // caption of pnlOptQuestionDigit, e.g. "4-Digit"
        bool showQuestionOption = true;       // false hides PnlOptionsQuestion
        bool usesOperator = false;            // the question has an operator number
        int operatorWidth = 0;                // its digits, 1..5
        QString operatorOptionText;           // caption of pnlOptOperatorDigit
        QString operatorSign;                 // lblOperatorSign, e.g. "×" or "÷"
        bool showRootSign = false;            // the root sign left of the question boxes

        // A question of digits alone, with no option caption shown.
        static Setup questionOnly(int width)
        {
            Setup setup;
            setup.questionWidth = width;
            setup.showQuestionOption = false;
            return setup;
        }
    };

    explicit TCustomQuestionForm(QWidget* parent = nullptr);

    // Creates the dialog, sets it up, shows it modally and destroys it.
    // True when the learner pressed OK.
    static bool ask(QWidget* parent, const Setup& setup);

    // Takes the screen's set-up: edit lengths, the operator edit, sign and
    // button places, the question option panel. Widths out of range are
    // brought into range.
    void configure(const Setup& setup);
    const Setup& setup() const { return m_setup; }

    // Shows the set-up: active boxes, option captions, root sign, and the
    // question half only when there is no operator number.
    void Prepare();

    QString questionText() const;
    QString operatorText() const;

private:
    struct Group {
        QLineEdit* edit = nullptr;
        QList<Panel*> boxes;
        int width = 0;
    };

    void FormCreate();
    Group& groupOf(QLineEdit* edit);
    void edtQuestionChange(QLineEdit* edit);
    void Validate(QLineEdit* edit);
    void showDigits(Group& group);
    void focusGroupEdit(Group& group);
    void BitBtnOKClick();

    Setup m_setup;
    Group m_question;
    Group m_operator;
    Panel* m_optionsQuestion = nullptr;
    Panel* m_optQuestionDigit = nullptr;
    Panel* m_optionsOperator = nullptr;
    Panel* m_optOperatorDigit = nullptr;
    QLabel* m_operatorSign = nullptr;
    QWidget* m_rootSign = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_filtering = false;
};
