// The direct-method and the two-finger screens, opened from their menu items
// and worked with the keys a learner presses.
#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/MultiplyDirectRules.h"
#include "practice/MultiplyTwoFingerRules.h"
#include "practice/PractiseMultiply2FingerMethod.h"
#include "practice/PractiseMultiplyDirectMethod.h"
#include "shell/Hints.h"
#include "shell/SysColors.h"

namespace {

const QString Direct = QStringLiteral("multiply-direct");
const QString TwoFinger = QStringLiteral("multiply-two-finger");
const QString NoTime = QStringLiteral("\u2014:\u2014");

// The column totals of a question as the learner types them: two digits
// each, the top column as it stands.
template <typename Rules>
QStringList totalsOf(const QString& question)
{
    QStringList totals;
    for (const auto& c : Rules::columns(*Rules::parse(question).question))
        totals << QString::number(c.total).rightJustified(2, QLatin1Char('0'));
    return totals;
}

template <typename Form>
struct Screen : OpenedScreen<Form> {
    PracticeSeams seams;

    explicit Screen(const char* menuItem, const QByteArray& learnerFile = QByteArray())
        : OpenedScreen<Form>(QString::fromLatin1(menuItem), learnerFile)
    {
    }
    Panel* panel(const QString& name) const { return panelOf(this->form, name); }
    QString text(const QString& name) const { return captionOf(this->form, name); }
    QColor color(const QString& name) const { return panel(name)->color(); }
    template <typename T = QPushButton>
    T* control(const char* name) const { return this->form->template findChild<T*>(QString::fromLatin1(name)); }
    void click(const char* name) const { QTest::mouseClick(control<QWidget>(name), Qt::LeftButton); }
    void choose(int digits) const { QTest::mouseClick(panel(QStringLiteral("pnlOpt%1").arg(digits)), Qt::LeftButton); }
    void play(const QString& method, const QString& question) const
    {
        QuestionSource::pose(method, {question});
        click("BitBtnPlay");
    }
    void type(const QStringList& totals) const
    {
        for (const QString& t : totals)
            typeDigits(this->form, t);
    }
    // The texts of a row of panels, top column first.
    QString row(const char* prefix, int columns) const
    {
        QStringList texts;
        for (int c = columns - 1; c >= 0; --c)
            texts << text(QString::fromLatin1(prefix) + QString::number(c));
        return texts.join(QLatin1Char(' '));
    }
    QString multiplicand() const { return row("pnlMultiplicand", 8).remove(QLatin1Char(' ')); }
    QString bestTime() const { return control("btnTime")->text(); }
    double storedTime(const QString& section, const QString& key) const
    {
        return IniFile(this->env.path(QStringLiteral("users/Ann.ini"))).readTime(section, key, -1) * 86400;
    }
    // Types a custom question into the dialog that the Record button opens.
    void custom(const QString& multiplicand, const QString& multiplier) const
    {
        QTimer::singleShot(0, [multiplicand, multiplier] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), multiplicand);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtOperator")), multiplier);
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        click("BitBtnCustom");
    }
};

using DirectScreen = Screen<TPractiseMultiplyDirectMethodForm>;
using TwoFingerScreen = Screen<TPractiseMultiply2FingerMethodForm>;

} // namespace

class TestPractiseLongMultiplication : public QObject
{
    Q_OBJECT
private slots:
    void direct_a_typed_solution_is_right_and_timed();
    void direct_a_wrong_carry_makes_it_wrong();
    void direct_colour_hints_pair_the_digits();
    void direct_options_show_their_columns();
    void direct_custom_total_of_a_hundred_takes_three_digits();
    void two_finger_a_typed_solution_with_the_ut_row();
    void two_finger_short_product_and_wrong_carry();
    void two_finger_ranges_choose_the_best_time();
    void two_finger_restart_keeps_option_and_range();
    void two_finger_custom_digit_above_five_plays_in_one_to_nine();
};

void TestPractiseLongMultiplication::direct_a_typed_solution_is_right_and_timed()
{
    DirectScreen s("mnuDirectMethod");
    QVERIFY(s.form);
    QCOMPARE(s.form->caption(), QStringLiteral("DIRECT METHOD SPEED MULTIPLICATION : 2-DIGIT"));
    QVERIFY(!s.control<QCheckBox>("chkHideMentalBoxes")->isVisible());

    s.play(Direct, QStringLiteral("23521543x25"));
    QCOMPARE(s.multiplicand(), QStringLiteral("23521543"));
    QCOMPARE(s.text("pnlMultiplier0") + s.text("pnlMultiplier1"), QStringLiteral("25"));
    QVERIFY(!s.panel(QStringLiteral("pnlMultiplier2"))->isVisible());
    QCOMPARE(statusText(s.form), QStringLiteral("15 = (3 × 5) :: Think:  15"));
    press(s.form, Qt::Key_Left);
    QCOMPARE(statusText(s.form), QStringLiteral("27 = (4 × 5) + (3 × 2) + ^1 :: Think:  20  26  27"));
    press(s.form, Qt::Key_Right);

    s.seams.advanceSeconds(75);
    s.type({"15", "27", "35", "18", "13", "30", "28", "18", "05"});
    QCOMPARE(s.row("pnlWorking", 9), QStringLiteral("05 8 8 0 3 8 5 7 5"));
    QCOMPARE(s.row("pnlCarry", 8), QStringLiteral("1 2 3 1 1 3 2 1"));
    press(s.form, Qt::Key_Escape);

    QVERIFY(s.form->isCorrect());
    QCOMPARE(s.text("pnlWorking8"), QStringLiteral("5")); // "05" is read as 5
    QCOMPARE(s.row("pnlAnswer", 9), QStringLiteral("5 8 8 0 3 8 5 7 5"));
    QCOMPARE(s.row("pnlAnswerCarry", 8), QStringLiteral("1 2 3 1 1 3 2 1"));
    QVERIFY(s.panel(QStringLiteral("pnlAnswerCarry7"))->isVisible());
    QVERIFY(!s.panel(QStringLiteral("pnlAnswer9"))->isVisible());
    QCOMPARE(s.text("pnlCorrect") + "/" + s.text("pnlTotal"), QStringLiteral("1/1"));
    QCOMPARE(s.bestTime(), QStringLiteral("1:15"));

    QVERIFY(s.form->closeForm());
    const IniFile ini(s.env.path(QStringLiteral("users/Ann.ini")));
    QCOMPARE(ini.readInteger(QStringLiteral("MultiplyDirect"), QStringLiteral("Option"), 0), 1);
    QCOMPARE(ini.readInteger(QStringLiteral("MultiplyDirect"), QStringLiteral("Correct"), 0), 1);
    QCOMPARE(qRound(s.storedTime(QStringLiteral("MultiplyDirect"), QStringLiteral("Time2"))), 75);
    QCOMPARE(s.storedTime(QStringLiteral("MultiplyDirect"), QStringLiteral("Time5")), 0.0);
}

void TestPractiseLongMultiplication::direct_a_wrong_carry_makes_it_wrong()
{
    DirectScreen s("mnuDirectMethod", "[MultiplyDirect]\r\nOption=1\r\nTime2=0.0001\r\n");
    s.play(Direct, QStringLiteral("23521543x25"));
    // 17 instead of 27: the digit 7 is right, the carry 1 is not.
    s.type({"15", "17", "35", "18", "13", "30", "28", "18", "05"});
    press(s.form, Qt::Key_Escape);
    QVERIFY(!s.form->isCorrect());
    QCOMPARE(s.color(QStringLiteral("pnlCarry1")), SysColors::Red);
    QCOMPARE(s.color(QStringLiteral("pnlWorking1")), SysColors::window());
    QCOMPARE(s.color(QStringLiteral("pnlCarry0")), SysColors::window());
    QCOMPARE(s.text("pnlCorrect") + "/" + s.text("pnlTotal"), QStringLiteral("0/1"));

    // The actual steps show the right carry; the learner's come back with SPACE.
    press(s.form, Qt::Key_Space);
    QCOMPARE(s.text("pnlCarry1"), QStringLiteral("2"));
    press(s.form, Qt::Key_Space);
    QCOMPARE(s.text("pnlCarry1"), QStringLiteral("1"));
    QVERIFY(s.form->closeForm());
    QCOMPARE(qRound(s.storedTime(QStringLiteral("MultiplyDirect"), QStringLiteral("Time2"))), 9); // unchanged
}

void TestPractiseLongMultiplication::direct_colour_hints_pair_the_digits()
{
    DirectScreen s("mnuDirectMethod");
    s.play(Direct, QStringLiteral("23521543x25"));
    press(s.form, Qt::Key_Left); // column 1: a1 x b0, a0 x b1 and the carry of column 0
    QCOMPARE(s.color(QStringLiteral("pnlMultiplicand1")), SysColors::Lime);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplicand0")), SysColors::Yellow);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplier0")), SysColors::Yellow);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplier1")), SysColors::Lime);
    QCOMPARE(s.color(QStringLiteral("pnlCarry0")), SysColors::Yellow);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplicand2")), SysColors::buttonFace());
    QCOMPARE(s.color(QStringLiteral("pnlWorking1")), SysColors::Aqua);

    // Column 5 pairs a5 with b0 and a4 with b1; column 1's digits go back.
    for (int k = 0; k < 4; ++k)
        press(s.form, Qt::Key_Left);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplicand5")), SysColors::Lime);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplicand4")), SysColors::Yellow);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplicand1")), SysColors::buttonFace());
    QCOMPARE(s.color(QStringLiteral("pnlCarry0")), SysColors::window());

    // Without colour hints the digits keep their own colours.
    s.click("chkShowColorHints");
    QCOMPARE(s.color(QStringLiteral("pnlMultiplicand5")), SysColors::buttonFace());
    QCOMPARE(s.color(QStringLiteral("pnlMultiplier1")), SysColors::buttonFace());
}

void TestPractiseLongMultiplication::direct_options_show_their_columns()
{
    DirectScreen s("mnuDirectMethod", "[MultiplyDirect]\r\nOption=4\r\n");
    QCOMPARE(s.form->caption(), QStringLiteral("DIRECT METHOD SPEED MULTIPLICATION : 5-DIGIT"));
    const auto shown = [&s](const char* prefix, int n) { return s.panel(QString::fromLatin1(prefix) + QString::number(n))->isVisible(); };
    QVERIFY(shown("pnlWorking", 11) && shown("pnlCarry", 10) && shown("pnlMultiplier", 4));
    auto* rule = s.control<QFrame>("bvlSeparator");
    QCOMPARE(rule->geometry(), QRect(340 - 26 * 11, 183, 26 * 11 + 25, 2));

    s.choose(3);
    QVERIFY(shown("pnlWorking", 9) && !shown("pnlWorking", 10) && shown("pnlCarry", 8) && !shown("pnlCarry", 9));
    QVERIFY(shown("pnlMultiplier", 2) && !shown("pnlMultiplier", 3));

    // A drawn 4-digit problem (no question posed) fits its two-digit boxes.
    s.choose(4);
    s.click("BitBtnPlay");
    QCOMPARE(s.form->question().multiplierDigits(), 4);
    QVERIFY(shown("pnlWorking", 10) && !shown("pnlWorking", 11) && !shown("pnlCarry", 10));
    for (const WorkingPanelEntry& e : s.form->workingPanels())
        QVERIFY(e.IsUnused || e.Width == 2);
    s.seams.advanceSeconds(30);
    s.type(totalsOf<MultiplyDirectRules>(s.form->question().text()));
    press(s.form, Qt::Key_Escape);
    QVERIFY(s.form->isCorrect());
    QVERIFY(s.form->closeForm());
    const IniFile ini(s.env.path(QStringLiteral("users/Ann.ini")));
    QCOMPARE(ini.readInteger(QStringLiteral("MultiplyDirect"), QStringLiteral("Option"), 0), 3);
    QCOMPARE(qRound(s.storedTime(QStringLiteral("MultiplyDirect"), QStringLiteral("Time4"))), 30);
}

void TestPractiseLongMultiplication::direct_custom_total_of_a_hundred_takes_three_digits()
{
    DirectScreen s("mnuDirectMethod");
    s.custom(QStringLiteral("99999999"), QStringLiteral("99"));
    s.play(Direct, QStringLiteral("23521543x25")); // the learner's own question comes first
    QCOMPARE(s.multiplicand(), QStringLiteral("99999999"));
    // Column 1 totals 81 + 81 + 8 = 170: 0 in the box, 17 in the carry box.
    s.type({"81", "170"});
    QCOMPARE(s.text("pnlWorking1"), QStringLiteral("0"));
    QCOMPARE(s.text("pnlCarry1"), QStringLiteral("17"));
    QCOMPARE(s.form->currentIndex(), 2);
    QCOMPARE(statusText(s.form), QStringLiteral("179 = (9 × 9) + (9 × 9) + * :: Think:  81  162  179"));
    s.type({"179", "179", "179", "179", "179", "179", "98"});
    press(s.form, Qt::Key_Escape);
    QVERIFY(s.form->isCorrect());
    QCOMPARE(s.row("pnlAnswer", 9), QStringLiteral("98 9 9 9 9 9 9 0 1"));
    QCOMPARE(s.text("pnlAnswerCarry6"), QStringLiteral("17"));

    // A question typed for 2 digits is dropped when 3-Digit is chosen before PLAY.
    QuestionSource::clear();
    s.custom(QStringLiteral("99999999"), QStringLiteral("99"));
    s.choose(3);
    s.click("BitBtnPlay");
    QCOMPARE(s.form->question().multiplierDigits(), 3);
    QVERIFY(s.multiplicand() != QStringLiteral("99999999"));
}

void TestPractiseLongMultiplication::two_finger_a_typed_solution_with_the_ut_row()
{
    TwoFingerScreen s("mnuTwofingerMethod");
    QVERIFY(s.form);
    QCOMPARE(s.form->caption(), QStringLiteral("TWO-FINGER METHOD SPEED MULTIPLICATION : 1-DIGIT"));
    QCOMPARE(s.control<QCheckBox>("chkHideMentalBoxes")->text(), QStringLiteral("Hide &UT Panels"));
    QVERIFY(s.control<QRadioButton>("rdo1To5")->isChecked());
    s.choose(2);
    s.play(TwoFinger, QStringLiteral("23521543x25"));
    QVERIFY(!s.control<QWidget>("pnlOptDigits")->isVisible());

    // The UT row under column 0, then column 1: pnlUT0 for the units digit 5.
    Panel* ut = s.panel(QStringLiteral("pnlUT"));
    QCOMPARE(ut->x(), 348 + 12);
    QCOMPARE(s.text("pnlUT0") + "|" + s.text("pnlUT1"), QStringLiteral("U  |"));
    press(s.form, Qt::Key_Left);
    QCOMPARE(ut->x(), 348 - 26 + 12);
    QCOMPARE(s.text("pnlUT0") + "|" + s.text("pnlUT1"), QStringLiteral("U  T|U  "));
    QCOMPARE(s.panel(QStringLiteral("pnlUT0"))->toolTip(), QStringLiteral("43 UT 5"));
    QCOMPARE(Hints::hint(s.panel(QStringLiteral("pnlUT1"))), QStringLiteral("3 U 2|43 UT 5 + 3 U 2"));
    QCOMPARE(s.color(QStringLiteral("pnlUT0")), SysColors::Lime);
    QCOMPARE(s.color(QStringLiteral("pnlUT1")), SysColors::Yellow);
    QCOMPARE(s.color(QStringLiteral("pnlMultiplier1")), SysColors::Lime);
    QCOMPARE(s.color(QStringLiteral("pnlCarry0")), SysColors::Yellow);
    QVERIFY(!s.panel(QStringLiteral("pnlUT2"))->isVisible());
    s.click("chkShowColorHints"); // the UT row loses its colours with the others
    QCOMPARE(s.color(QStringLiteral("pnlUT0")), SysColors::buttonFace());
    s.click("chkShowColorHints");
    QCOMPARE(s.color(QStringLiteral("pnlUT0")), SysColors::Lime);

    // Column 2: the short part in the status bar, the long part over the box.
    press(s.form, Qt::Key_Left);
    QCOMPARE(statusText(s.form), QStringLiteral("15 = 54 UT 5 + 43 UT 2 :: Think:  7  15"));
    HintRouter::instance().hintFromControl(s.panel(QStringLiteral("pnlWorking2")));
    QCOMPARE(statusText(s.form), QStringLiteral("15 =   2[5 + 2]0   +   0[8 + 0]6   :: Think:  7  15"));

    // Hide UT Panels hides the row, and brings it back.
    auto* hideUt = s.control<QCheckBox>("chkHideMentalBoxes");
    QTest::mouseClick(hideUt, Qt::LeftButton);
    QVERIFY(!ut->isVisible());
    QTest::mouseClick(hideUt, Qt::LeftButton);
    QVERIFY(ut->isVisible());
    // Without Show Hint the UT panels show no tooltip.
    s.click("chkShowHint");
    QCOMPARE(s.panel(QStringLiteral("pnlUT0"))->toolTip(), QString());
    s.click("chkShowHint");

    press(s.form, Qt::Key_Home);
    s.seams.advanceSeconds(100);
    s.type({"05", "07", "15", "08", "03", "10", "08", "08", "05", "00"});
    press(s.form, Qt::Key_Escape);
    QVERIFY(s.form->isCorrect());
    QCOMPARE(s.row("pnlAnswer", 10), QStringLiteral("0 5 8 8 0 3 8 5 7 5"));
    QCOMPARE(s.text("pnlWorking9"), QStringLiteral("0"));
    QCOMPARE(ut->x(), 425);
    QCOMPARE(s.text("pnlUT0") + s.text("pnlUT1"), QString());
    QCOMPARE(s.bestTime(), QStringLiteral("1:40"));
    QVERIFY(s.form->closeForm());
    QCOMPARE(qRound(s.storedTime(QStringLiteral("Multiply2Finger"), QStringLiteral("Time25"))), 100);
    QCOMPARE(IniFile(s.env.path(QStringLiteral("users/Ann.ini"))).readInteger(QStringLiteral("Multiply2Finger"), QStringLiteral("Option"), 0), 2);
}

void TestPractiseLongMultiplication::two_finger_short_product_and_wrong_carry()
{
    TwoFingerScreen s("mnuTwofingerMethod");
    // 23521543 x 2 = 47043086 on a nine-column row: the top box may stay empty.
    s.play(TwoFinger, QStringLiteral("23521543x2"));
    s.type({"06", "08", "00", "03", "04", "00", "07", "04"});
    QCOMPARE(s.form->currentIndex(), 8);
    press(s.form, Qt::Key_Escape);
    QVERIFY(s.form->isCorrect());
    QCOMPARE(s.text("pnlWorking8"), QStringLiteral("0"));
    QCOMPARE(s.text("pnlAnswer8"), QStringLiteral("0"));

    // Column 2 of 23521543 x 25 totals 15: typing 05 leaves its carry empty.
    s.choose(2);
    s.play(TwoFinger, QStringLiteral("23521543x25"));
    s.type({"05", "07", "05", "08", "03", "10", "08", "08", "05", "00"});
    press(s.form, Qt::Key_Escape);
    QVERIFY(!s.form->isCorrect());
    QCOMPARE(s.color(QStringLiteral("pnlCarry2")), SysColors::Red);
    QCOMPARE(s.color(QStringLiteral("pnlWorking2")), SysColors::window());
    QCOMPARE(s.text("pnlCorrect") + "/" + s.text("pnlTotal"), QStringLiteral("1/2"));
}

void TestPractiseLongMultiplication::two_finger_ranges_choose_the_best_time()
{
    TwoFingerScreen s("mnuTwofingerMethod", "[Multiply2Finger]\r\nOption=3\r\nTime35=0.0001\r\nTime39=0.0002\r\n");
    QCOMPARE(s.bestTime(), QStringLiteral("0:08"));
    s.click("rdo1To9");
    QVERIFY(s.control<QRadioButton>("rdo1To9")->isChecked() && !s.control<QRadioButton>("rdo1To5")->isChecked());
    QCOMPARE(s.bestTime(), QStringLiteral("0:17"));
    s.click("lbl1to5");
    QVERIFY(s.control<QRadioButton>("rdo1To5")->isChecked());
    QCOMPARE(s.bestTime(), QStringLiteral("0:08"));
    s.choose(1);
    QCOMPARE(s.bestTime(), NoTime);

    // A right 1-9 problem sets Time39 and leaves Time35 alone.
    s.choose(3);
    s.click("rdo1To9");
    s.click("BitBtnPlay");
    const QString q = s.form->question().text();
    QVERIFY(s.form->question().largestDigit() <= 9);
    QCOMPARE(s.text("pnlTime"), QStringLiteral("0:17"));
    s.seams.advanceSeconds(12);
    s.type(totalsOf<MultiplyTwoFingerRules>(q));
    press(s.form, Qt::Key_Escape);
    QVERIFY2(s.form->isCorrect(), qPrintable(q));
    QCOMPARE(s.bestTime(), QStringLiteral("0:12"));
    QVERIFY(s.form->closeForm());
    QCOMPARE(qRound(s.storedTime(QStringLiteral("Multiply2Finger"), QStringLiteral("Time39"))), 12);
    QCOMPARE(qRound(s.storedTime(QStringLiteral("Multiply2Finger"), QStringLiteral("Time35")) * 100), 864);
    QCOMPARE(s.storedTime(QStringLiteral("Multiply2Finger"), QStringLiteral("Time59")), 0.0);
}

void TestPractiseLongMultiplication::two_finger_restart_keeps_option_and_range()
{
    TwoFingerScreen s("mnuTwofingerMethod");
    s.choose(2);
    s.click("rdo1To9");
    s.play(TwoFinger, QStringLiteral("98765432x97"));
    s.type({"14"});
    press(s.form, Qt::Key_Escape);

    s.choose(4);
    s.click("rdo1To5");
    QCOMPARE(s.form->selectedDigits(), 4);
    s.click("BitBtnRewind");
    QCOMPARE(s.form->selectedDigits(), 2);
    QCOMPARE(s.form->caption(), QStringLiteral("TWO-FINGER METHOD SPEED MULTIPLICATION : 2-DIGIT"));
    QVERIFY(s.control<QRadioButton>("rdo1To9")->isChecked());
    QCOMPARE(s.form->selectedRange(), MultiplyTwoFingerRules::DigitRange::OneToNine);
    QCOMPARE(s.multiplicand(), QStringLiteral("98765432"));
    QCOMPARE(s.text("pnlWorking0"), QString());
    s.seams.advanceSeconds(20);
    s.type(totalsOf<MultiplyTwoFingerRules>(QStringLiteral("98765432x97")));
    press(s.form, Qt::Key_Escape);
    QVERIFY(s.form->isCorrect());
    QVERIFY(s.form->closeForm());
    QCOMPARE(qRound(s.storedTime(QStringLiteral("Multiply2Finger"), QStringLiteral("Time29"))), 20);
    QCOMPARE(s.storedTime(QStringLiteral("Multiply2Finger"), QStringLiteral("Time25")), 0.0);
}

void TestPractiseLongMultiplication::two_finger_custom_digit_above_five_plays_in_one_to_nine()
{
    TwoFingerScreen s("mnuTwofingerMethod", "[Multiply2Finger]\r\nOption=2\r\nTime29=0.0002\r\n");
    s.custom(QStringLiteral("23521743"), QStringLiteral("25"));
    s.click("BitBtnPlay");
    QCOMPARE(s.multiplicand(), QStringLiteral("23521743"));
    QCOMPARE(s.form->selectedRange(), MultiplyTwoFingerRules::DigitRange::OneToNine);
    QCOMPARE(s.text("pnlTime"), QStringLiteral("0:17")); // the 1-9 best time
    press(s.form, Qt::Key_Escape);
    QVERIFY(s.control<QRadioButton>("rdo1To9")->isChecked());

    // A question inside 1-5 keeps the range chosen.
    s.click("rdo1To5");
    s.custom(QStringLiteral("12345123"), QStringLiteral("41"));
    s.click("BitBtnPlay");
    QCOMPARE(s.form->selectedRange(), MultiplyTwoFingerRules::DigitRange::OneToFive);
    QCOMPARE(s.text("pnlTime"), NoTime);
}

QTEST_MAIN(TestPractiseLongMultiplication)
#include "tst_PractiseLongMultiplication.moc"
