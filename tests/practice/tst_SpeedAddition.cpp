#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "platform/IniFile.h"
#include "practice/PractiseSpeedAddition.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"

namespace {

const QString Example = QStringLiteral("63275198+25845355+56996957+43713367+62696137+63119398");
const QString Section = QStringLiteral("SpeedAddition");

// The worked example as the learner types it, box by box in list order:
// per column the five tick boxes ("1" or "0"), the running total as two
// digits, the tick count; then the answer row from the right as two digits
// each (tens into the carry box), then the leading digit.
struct Solution {
    QList<QList<int>> tickRows = {{2, 4}, {2, 5}, {2, 3, 5}, {1, 4}, {2, 4, 5}, {2}, {1, 3, 5}, {1, 3, 4}};
    QList<int> running = {7, 0, 0, 9, 1, 9, 4, 9};
    QList<int> positionTotals = {12, 11, 14, 6, 14, 6, 5, 11}; // positions 0..7
    int leading = 3;

    QString keys() const
    {
        QString k;
        for (int g = 0; g < 8; ++g) {
            for (int row = 1; row <= 5; ++row)
                k += tickRows[g].contains(row) ? QLatin1Char('1') : QLatin1Char('0');
            k += QStringLiteral("%1").arg(running[g], 2, 10, QLatin1Char('0'));
            k += QString::number(tickRows[g].size());
        }
        for (int total : positionTotals)
            k += QStringLiteral("%1").arg(total, 2, 10, QLatin1Char('0'));
        return k + QString::number(leading);
    }
};

struct Screen {
    TestEnvironment env;
    PracticeSeams seams;
    TfrmMain main;
    TPractiseSpeedAdditionForm* form = nullptr;

    explicit Screen(const QByteArray& learnerFile = QByteArray())
    {
        env.signIn(QStringLiteral("Ann"));
        if (!learnerFile.isNull())
            env.writeFile(QStringLiteral("users/Ann.ini"), learnerFile);
        main.show();
        open();
    }
    void open()
    {
        form = openFromMenu<TPractiseSpeedAdditionForm>(main, QStringLiteral("mnuSpeedAddition"));
        QVERIFY(form);
        env.sounds.clear();
        env.help.clear();
    }
    void play(const QString& question = Example)
    {
        QuestionSource::pose(SpeedAdditionRules::methodName(), {question});
        press(form, Qt::Key_Return);
    }
    Panel* box(int i) const { return panelOf(form, QStringLiteral("pnlWorking%1").arg(i)); }
    Panel* carry(int c) const { return panelOf(form, QStringLiteral("pnlCarryTotal%1").arg(c)); }
    QWidget* current() const { return form->currentPanel(); }
    template <typename T>
    T* child(const QString& name) const { return form->findChild<T*>(name); }
    // Captions of the answer row (boxes 64, 63 .. 56) or the answer panels, left to right.
    QString row(const QString& prefix, int leadingIndex, int firstIndex) const
    {
        QStringList cells;
        for (int i = leadingIndex; i >= firstIndex; --i)
            cells << captionOf(form, prefix + QString::number(i));
        return cells.join(QLatin1Char(' '));
    }
    QString answerRow() const
    {
        return captionOf(form, QStringLiteral("pnlWorking64")) + QLatin1Char(' ') + row(QStringLiteral("pnlWorking"), 63, 56);
    }
    QString carryRow(const QString& prefix) const
    {
        QStringList cells;
        for (int c = 0; c < 8; ++c)
            cells << captionOf(form, prefix + QString::number(c));
        return cells.join(QLatin1Char(','));
    }
    IniFile learnerFile() const { return IniFile(env.path(QStringLiteral("users/Ann.ini"))); }
};

} // namespace

class TestSpeedAddition : public QObject
{
    Q_OBJECT
private slots:
    void opens_from_the_practice_menu_without_options()
    {
        Screen s;
        QCOMPARE(s.form->caption(), QStringLiteral("SPEED ADDITION"));
        QCOMPARE(s.form->sectionName(), Section);
        QVERIFY(!s.child<QWidget>(QStringLiteral("PnlOptions"))->isVisible());
        QVERIFY(!s.child<QWidget>(QStringLiteral("BitBtnCustom"))->isVisible());
        QCOMPARE(Hints::helpContext(s.form), 600);
        QCOMPARE(Hints::helpContext(s.child<QWidget>(QStringLiteral("BitBtnNavigate"))), 20280);
        QCOMPARE(s.form->workingPanels().size(), 65);
        QCOMPARE(s.form->carryPanels().size(), 8);
        // The grid where the method's written layout puts it.
        QCOMPARE(s.child<QWidget>(QStringLiteral("pnlQuestion0"))->geometry(), QRect(156, 58, 25, 25));
        QCOMPARE(s.child<QWidget>(QStringLiteral("pnlQuestion47"))->geometry(), QRect(478, 188, 25, 25));
        QCOMPARE(s.box(0)->geometry(), QRect(140, 84, 14, 14));
        QCOMPARE(s.box(54)->geometry(), QRect(478, 218, 25, 25));
        QCOMPARE(s.box(55)->geometry(), QRect(478, 244, 25, 25));
        QCOMPARE(s.box(56)->geometry(), QRect(478, 275, 25, 25));
        QCOMPARE(s.box(63)->geometry(), QRect(156, 275, 25, 25));
        QCOMPARE(s.box(64)->geometry(), QRect(110, 275, 25, 25));
        QCOMPARE(s.carry(7)->geometry(), QRect(140, 275, 14, 14));
        QCOMPARE(s.child<QWidget>(QStringLiteral("pnlAnswer0"))->geometry(), QRect(478, 308, 25, 25));
        QCOMPARE(s.child<QWidget>(QStringLiteral("pnlAnswerCarry7"))->geometry(), QRect(140, 308, 14, 14));
        QCOMPARE(s.form->size(), QSize(588, 379));
        for (const QWidget* w : s.form->findChildren<QWidget*>()) {
            if (w->parentWidget() == s.form && !w->isHidden())
                QVERIFY2(QRect(0, 0, 588, 379).contains(w->geometry()), qPrintable(w->objectName()));
        }
    }

    void the_worked_example_typed_right_is_right()
    {
        Screen s;
        s.play();
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlQuestion0")), QStringLiteral("6"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlQuestion47")), QStringLiteral("8"));
        QCOMPARE(s.current(), s.box(0));
        typeDigits(s.form, Solution().keys());
        QCOMPARE(s.current(), s.box(0)); // after the leading digit the highlight wraps round
        QCOMPARE(s.answerRow(), QStringLiteral("3 1 5 6 4 6 4 1 2"));
        QCOMPARE(s.carryRow(QStringLiteral("pnlCarryTotal")), QStringLiteral("1,1,1,,1,,,1"));
        QCOMPARE(s.box(5)->caption(), QStringLiteral("07"));

        s.seams.advanceSeconds(125);
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.box(5)->caption(), QStringLiteral("7")); // a running total loses its leading zero
        for (int i = 0; i < 65; ++i)
            QVERIFY2(s.box(i)->color() != SysColors::Red, qPrintable(QString::number(i)));
        for (int c = 0; c < 8; ++c)
            QVERIFY(s.carry(c)->color() != SysColors::Red);
        QCOMPARE(s.row(QStringLiteral("pnlAnswer"), 8, 0), QStringLiteral("3 1 5 6 4 6 4 1 2"));
        QCOMPARE(s.carryRow(QStringLiteral("pnlAnswerCarry")), QStringLiteral("1,1,1,,1,,,1"));
        QVERIFY(s.child<QWidget>(QStringLiteral("pnlAnswer8"))->isVisible());
        QVERIFY(s.child<QWidget>(QStringLiteral("pnlAnswerCarry0"))->isVisible());
        QVERIFY(s.child<QLabel>(QStringLiteral("imgRight"))->isVisible());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("1"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("1"));
        QCOMPARE(s.child<QPushButton>(QStringLiteral("btnTime"))->text(), QStringLiteral("2:05"));
        QCOMPARE(s.env.help.requests.value(1).data.toInt(), 20105);
        QVERIFY(s.env.sounds.calls.contains(QStringLiteral("resource BESTTIME sync")));

        press(s.form, Qt::Key_Escape);
        const IniFile ini = s.learnerFile();
        QCOMPARE(ini.readInteger(Section, QStringLiteral("Option"), 0), 1);
        QCOMPARE(ini.readInteger(Section, QStringLiteral("Total"), 0), 1);
        QCOMPARE(ini.readInteger(Section, QStringLiteral("Correct"), 0), 1);
        QVERIFY(qAbs(ini.readTime(Section, QStringLiteral("Time1"), 0) - 125.0 / 86400) < 1e-9);

        // The next opening brings the counts and the best time back.
        s.open();
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("1"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("1"));
        QCOMPARE(s.child<QPushButton>(QStringLiteral("btnTime"))->text(), QStringLiteral("2:05"));
        QCOMPARE(s.child<QPushButton>(QStringLiteral("btnTime"))->palette().color(QPalette::ButtonText), SysColors::Blue);
    }

    void one_wrong_running_total_makes_a_wrong_attempt()
    {
        const double best = 300.0 / 86400;
        Screen s("[SpeedAddition]\r\nOption=4\r\nTime1=" + IniFile::formatTime(best).toLatin1() + "\r\n");
        QCOMPARE(s.child<QPushButton>(QStringLiteral("btnTime"))->text(), QStringLiteral("5:00"));
        s.play();
        Solution wrong;
        wrong.running[3] = 8;            // column 3 adds to 9, not 8
        wrong.positionTotals[4] = 13;    // and the answer digit follows it
        typeDigits(s.form, wrong.keys());
        s.seams.advanceSeconds(100);
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());
        QVERIFY(s.child<QLabel>(QStringLiteral("imgWrong"))->isVisible());
        const int runningBox = 3 * 7 + 5;
        QCOMPARE(s.box(runningBox)->color(), SysColors::Red);
        QCOMPARE(s.box(runningBox)->fontColor(), SysColors::White);
        QVERIFY(s.box(runningBox)->isBold());
        QCOMPARE(s.box(60)->color(), SysColors::Red);
        QCOMPARE(s.box(59)->color(), SysColors::window());
        QCOMPARE(s.box(3 * 7 + 6)->color(), SysColors::window());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("0"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("1"));
        QVERIFY(!s.env.sounds.calls.contains(QStringLiteral("resource BESTTIME sync")));
        QVERIFY(s.env.help.requests.isEmpty());
        press(s.form, Qt::Key_Escape);
        const IniFile ini = s.learnerFile();
        QVERIFY(qAbs(ini.readTime(Section, QStringLiteral("Time1"), 0) - best) < 1e-12);
        QCOMPARE(ini.readInteger(Section, QStringLiteral("Option"), 0), 1); // written, never read
    }

    void answer_boxes_split_into_digit_and_carry()
    {
        Screen s;
        s.play();
        s.box(56)->clicked();
        QCOMPARE(s.carry(0)->color(), SysColors::Aqua);
        typeDigits(s.form, QStringLiteral("14"));
        QCOMPARE(s.box(56)->caption(), QStringLiteral("4"));
        QCOMPARE(s.carry(0)->caption(), QStringLiteral("1"));
        QCOMPARE(s.current(), s.box(57));
        press(s.form, Qt::Key_Q);
        press(s.form, Qt::Key_Backspace);
        QCOMPARE(s.box(56)->caption(), QStringLiteral("1"));
        QCOMPARE(s.carry(0)->caption(), QString());
        press(s.form, Qt::Key_Backspace);
        QCOMPARE(s.box(56)->caption(), QString());
        typeDigits(s.form, QStringLiteral("07"));
        QCOMPARE(s.box(56)->caption(), QStringLiteral("7"));
        QCOMPARE(s.carry(0)->caption(), QString());
        press(s.form, Qt::Key_Q);
        typeDigits(s.form, QStringLiteral("1"));   // a third digit starts the box again
        QCOMPARE(s.box(56)->caption(), QStringLiteral("1"));
        QCOMPARE(s.carry(0)->caption(), QString());
        QCOMPARE(s.current(), s.box(56));
        typeDigits(s.form, QStringLiteral("2"));
        QCOMPARE(s.carry(0)->caption(), QStringLiteral("1"));
        // A click on a carry box highlights the answer box it belongs to.
        s.carry(5)->clicked();
        QCOMPARE(s.current(), s.box(61));
        press(s.form, Qt::Key_Delete);
        QCOMPARE(s.box(61)->caption(), QString());
    }

    void tick_boxes_take_any_digit_as_a_tick()
    {
        Screen s;
        s.play();
        typeDigits(s.form, QStringLiteral("7"));
        QCOMPARE(s.box(0)->caption(), QStringLiteral("1"));
        press(s.form, Qt::Key_8, Qt::KeypadModifier);
        QCOMPARE(s.box(1)->caption(), QStringLiteral("1"));
        typeDigits(s.form, QStringLiteral("0"));
        QCOMPARE(s.box(2)->caption(), QStringLiteral("0"));
        typeDigits(s.form, QStringLiteral("11"));   // rows 4 and 5 of column 0
        typeDigits(s.form, QStringLiteral("7"));    // a running total is not a tick box
        QCOMPARE(s.box(5)->caption(), QStringLiteral("7"));
        press(s.form, Qt::Key_Escape);
        // An empty or "0" tick box means no tick: right where none is due.
        QCOMPARE(s.box(2)->caption(), QString());
        QCOMPARE(s.box(2)->color(), SysColors::window());
        QCOMPARE(s.box(7)->color(), SysColors::window());  // column 1, row 1: no tick due
        QCOMPARE(s.box(8)->color(), SysColors::Red);       // column 1, row 2: a tick was due
        QCOMPARE(s.box(0)->color(), SysColors::Red);       // a tick where none is due
        QCOMPARE(s.box(1)->color(), SysColors::window());
        QCOMPARE(s.box(5)->color(), SysColors::window());  // running total 7 typed as "7"
    }

    void hints_and_colour_hints_of_the_answer_boxes()
    {
        Screen s;
        s.play();
        s.box(57)->clicked();
        QCOMPARE(statusText(s.form), QStringLiteral("11 = 4 + 3 + 3 + ^1"));
        QCOMPARE(Hints::hint(s.box(57)), QStringLiteral("11 = 4 + 3 + 3 + ^1|"));
        // Column 6 (running total and ticks), the ticks of column 7 and carry box 0.
        QCOMPARE(s.box(6 * 7 + 5)->color(), SysColors::Yellow);
        QCOMPARE(s.box(6 * 7 + 6)->color(), SysColors::Yellow);
        QCOMPARE(s.box(7 * 7 + 6)->color(), SysColors::Yellow);
        QCOMPARE(s.box(7 * 7 + 5)->color(), SysColors::window());
        QCOMPARE(s.carry(0)->color(), SysColors::Yellow);
        QCOMPARE(s.carry(0)->fontColor(), SysColors::Black);
        QCOMPARE(s.carry(1)->color(), SysColors::Aqua); // its own carry box
        const QStringList steps = {"12 = 9 + 3 + 0", "11 = 4 + 3 + 3 + ^1", "14 = 9 + 1 + 3 + ^1",
                                   "6 = 1 + 3 + 1 + ^1", "14 = 9 + 2 + 3", "6 = 0 + 3 + 2 + ^1",
                                   "5 = 0 + 2 + 3", "11 = 7 + 2 + 2", "3 = 0 + 0 + 2 + ^1"};
        for (int c = 0; c < 9; ++c) {
            s.box(56 + c)->clicked();
            QCOMPARE(statusText(s.form), steps[c]);
        }
        // A running total lights its column of the question.
        s.box(2 * 7 + 5)->clicked();
        for (int r = 0; r < 6; ++r)
            QCOMPARE(panelOf(s.form, QStringLiteral("pnlQuestion%1").arg(r * 8 + 2))->color(), SysColors::Yellow);
        QCOMPARE(panelOf(s.form, QStringLiteral("pnlQuestion3"))->color(), SysColors::buttonFace());
        QCOMPARE(statusText(s.form), QStringLiteral("0"));
        // A carry total lights the tick boxes of its column.
        press(s.form, Qt::Key_Tab);
        for (int k = 0; k < 5; ++k)
            QCOMPARE(s.box(2 * 7 + k)->color(), SysColors::Yellow);
        QCOMPARE(panelOf(s.form, QStringLiteral("pnlQuestion2"))->color(), SysColors::buttonFace());
    }

    void grid_moves_and_imaginary_zeros()
    {
        Screen s;
        s.play();
        auto zero = [&s](const char* name) { return s.child<QLabel>(QString::fromLatin1(name))->isVisible(); };
        press(s.form, Qt::Key_Up);                     // top tick box of column 0 -> answer box 63
        QCOMPARE(s.current(), s.box(63));
        press(s.form, Qt::Key_Left);
        QCOMPARE(s.current(), s.box(64));
        QVERIFY(zero("lblLeftImaginaryZero1") && zero("lblLeftImaginaryZero2") && !zero("lblRightImaginaryZero"));
        press(s.form, Qt::Key_Left);                   // 64 -> 56
        QCOMPARE(s.current(), s.box(56));
        QVERIFY(!zero("lblLeftImaginaryZero1") && !zero("lblLeftImaginaryZero2") && zero("lblRightImaginaryZero"));
        press(s.form, Qt::Key_Right);                  // 56 -> 64
        QCOMPARE(s.current(), s.box(64));
        press(s.form, Qt::Key_Right);                  // 64 -> 63
        QCOMPARE(s.current(), s.box(63));
        QVERIFY(!zero("lblLeftImaginaryZero1") && !zero("lblRightImaginaryZero"));
        press(s.form, Qt::Key_Up);                     // 63 -> carry total of column 0
        QCOMPARE(s.current(), s.box(6));
        press(s.form, Qt::Key_Up);
        QCOMPARE(s.current(), s.box(5));
        press(s.form, Qt::Key_Down);
        press(s.form, Qt::Key_Down);                   // carry total of column 0 -> 63
        QCOMPARE(s.current(), s.box(63));
        press(s.form, Qt::Key_Down);                   // 63 -> top tick box of column 0
        QCOMPARE(s.current(), s.box(0));
        press(s.form, Qt::Key_Left);                   // column 0 -> column 7
        QCOMPARE(s.current(), s.box(49));
        press(s.form, Qt::Key_Right);
        QCOMPARE(s.current(), s.box(0));
        press(s.form, Qt::Key_Right);
        QCOMPARE(s.current(), s.box(7));
        press(s.form, Qt::Key_End);
        QCOMPARE(s.current(), s.box(64));
        press(s.form, Qt::Key_Home);
        QCOMPARE(s.current(), s.box(0));
        press(s.form, Qt::Key_F2);                     // previous from the first wraps to 64
        QCOMPARE(s.current(), s.box(64));
    }

    void navigation_after_stop_lands_on_the_answer_row()
    {
        Screen s;
        s.play();
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.form->currentIndex(), -1);
        press(s.form, Qt::Key_Up);                     // no box current: nothing
        QCOMPARE(s.form->currentIndex(), -1);
        press(s.form, Qt::Key_Left);
        QCOMPARE(s.current(), s.box(64));
        QCOMPARE(panelOf(s.form, QStringLiteral("pnlRightWrong"))->color(), SysColors::buttonFace());
        QCOMPARE(statusText(s.form), QStringLiteral("3 = 0 + 0 + 2 + ^1"));
        s.child<QPushButton>(QStringLiteral("BitBtnRewind"))->click();
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlQuestion0")), QStringLiteral("6")); // the same question
        press(s.form, Qt::Key_Escape);
        press(s.form, Qt::Key_Right);
        QCOMPARE(s.current(), s.box(56));
        QCOMPARE(s.box(56)->color(), SysColors::Aqua);
        QCOMPARE(s.box(56)->fontColor(), SysColors::Black); // a red box shows black on aqua
        press(s.form, Qt::Key_Down);
        QCOMPARE(s.current(), s.box(49));
    }

    void space_flips_between_my_steps_and_the_actual_steps()
    {
        Screen s;
        s.play();
        s.box(56)->clicked();
        typeDigits(s.form, QStringLiteral("12") + QStringLiteral("21")); // position 1 wrong: 21 for 11
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.carry(1)->color(), SysColors::Red);
        QVERIFY(!s.form->isCorrect());
        QCOMPARE(s.carryRow(QStringLiteral("pnlCarryTotal")), QStringLiteral("1,2,,,,,,"));
        press(s.form, Qt::Key_Space);
        QVERIFY(s.child<QRadioButton>(QStringLiteral("rdoShowActualAnswerSteps"))->isChecked());
        QCOMPARE(s.carryRow(QStringLiteral("pnlCarryTotal")), QStringLiteral("1,1,1,,1,,,1"));
        QCOMPARE(s.answerRow(), QStringLiteral("3 1 5 6 4 6 4 1 2"));
        QCOMPARE(s.box(5)->caption(), QStringLiteral("7"));
        QCOMPARE(s.box(1)->caption(), QStringLiteral("1"));   // a tick of the actual steps
        QCOMPARE(s.box(0)->caption(), QString());
        QVERIFY(s.child<QLabel>(QStringLiteral("imgRight"))->isVisible());
        press(s.form, Qt::Key_Space);
        QCOMPARE(s.carryRow(QStringLiteral("pnlCarryTotal")), QStringLiteral("1,2,,,,,,"));
        QCOMPARE(s.answerRow(), QStringLiteral("       1 2"));
        QCOMPARE(s.box(1)->caption(), QString());
        QVERIFY(s.child<QLabel>(QStringLiteral("imgWrong"))->isVisible());
    }

    void finished_attempts_cannot_be_corrected()
    {
        Screen s;
        s.play();
        typeDigits(s.form, QStringLiteral("1"));
        QVERIFY(!s.form->closeForm());
        QCOMPARE(s.env.dialogs.texts(QStringLiteral("information")), QStringList({Strings::text(Strings::UnableToClose)}));
        QCOMPARE(s.env.dialogs.count(QStringLiteral("beep")), 1);
        QCOMPARE(s.main.childForms().size(), 1);
        press(s.form, Qt::Key_Escape);
        typeDigits(s.form, QStringLiteral("4"));
        QCOMPARE(s.env.dialogs.texts(QStringLiteral("information")).last(), Strings::text(Strings::CannotCorrect));
        press(s.form, Qt::Key_Return);       // the ENTER that closes the message
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Finished));
        QCOMPARE(s.box(0)->caption(), QStringLiteral("1"));
        press(s.form, Qt::Key_Return);       // the next one plays a new question
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
    }

    void a_sum_of_eight_digits_expects_a_leading_zero()
    {
        Screen s;
        s.play(QStringLiteral("10000000+10000000+10000000+10000000+10000000+10000000"));
        QCOMPARE(Hints::hint(s.box(64)), QStringLiteral("0 = 0 + 0 + 0|"));
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.row(QStringLiteral("pnlAnswer"), 8, 0), QStringLiteral("0 6 0 0 0 0 0 0 0"));
        press(s.form, Qt::Key_Space);
        QCOMPARE(s.box(64)->caption(), QStringLiteral("0"));
        // A drawn question has six numbers of eight digits.
        press(s.form, Qt::Key_Return);
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
        for (int r = 0; r < 6; ++r)
            QVERIFY(captionOf(s.form, QStringLiteral("pnlQuestion%1").arg(r * 8)) != QStringLiteral("0"));
        QCOMPARE(s.form->question().sum() >= 60000000, true);
    }
};

QTEST_MAIN(TestSpeedAddition)
#include "tst_SpeedAddition.moc"
