// The 3-digit squares screen through its window: a whole typed solution
// with STOP, the digits dropped into the answer row as they are typed, the
// boxes a number does not use, the mental boxes hidden with a wrong one
// among them, the total line, the custom question and the levels' draws.

#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/PractiseSquare3Digit.h"
#include "shell/Hints.h"
#include "shell/SysColors.h"

namespace {

struct Screen : OpenedScreen<TPractiseSquare3DigitForm> {
    PracticeSeams seams;

    Screen() : OpenedScreen(QStringLiteral("mnu3Digit")) {}

    Panel* box(int i) const { return panelOf(form, QStringLiteral("pnlWorking%1").arg(i)); }
    Panel* answer(int k) const { return panelOf(form, QStringLiteral("pnlAnswerUser%1").arg(k)); }
    void click(const char* name) const { QTest::mouseClick(form->findChild<QWidget*>(name), Qt::LeftButton); }
    void play(int level, const QString& number)
    {
        QTest::mouseClick(panelOf(form, QStringLiteral("pnlOptLevel%1").arg(level)), Qt::LeftButton);
        QuestionSource::pose(QStringLiteral("square-three-digit"), {number});
        click("BitBtnPlay");
    }
    // One row's texts joined by blanks; a hidden box shows as "_".
    QString row(const QList<int>& boxes) const
    {
        QStringList texts;
        for (int i : boxes)
            texts << (box(i)->isHidden() ? QStringLiteral("_") : box(i)->caption());
        return texts.join(QLatin1Char(' '));
    }
    QString answerRow() const
    {
        QStringList texts;
        for (int k = 6; k >= 1; --k)
            texts << (answer(k)->isHidden() ? QStringLiteral("_") : answer(k)->caption());
        return texts.join(QLatin1Char(' '));
    }
    QString current() const { return form->currentPanel() ? form->currentPanel()->objectName() : QString(); }
    QRect totalLine() const { return form->findChild<QFrame*>("bvlTotal")->geometry(); }
};

const QList<int> RowOne = {0, 1, 2}, RowTwo = {3, 4, 5, 6}, RowThree = {7, 8, 9}, RowFour = {10, 11, 12},
                 RowFive = {13, 14};

} // namespace

class TestPractiseSquare3Digit : public QObject {
    Q_OBJECT

private slots:
    void a_whole_solution_drops_its_digits_and_is_right_counted_and_timed()
    {
        Screen s;
        QVERIFY(s.form);
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 3-DIGIT : LEVEL 1"));
        QCOMPARE(Hints::helpContext(s.form), 630);
        QCOMPARE(s.box(1)->geometry(), QRect(286, 92, 36, 25));
        QCOMPARE(s.box(14)->geometry(), QRect(219, 229, 36, 25));
        QCOMPARE(s.answer(6)->geometry(), QRect(230, 265, 25, 25));

        s.play(2, "785");
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 3-DIGIT : LEVEL 2"));
        QCOMPARE(captionOf(s.form, "pnlQuestion3") + captionOf(s.form, "pnlQuestion2") + captionOf(s.form, "pnlQuestion1"),
                 QStringLiteral("785"));
        // 2 x H x U = 70 has two digits: its first box is out.
        QCOMPARE(s.row(RowThree), QStringLiteral("_  "));
        QCOMPARE(s.totalLine(), QRect(256, 190, 77, 2));
        typeDigits(s.form, "6408025");
        QCOMPARE(statusText(s.form),
                 QStringLiteral("[64]  [080]  [25] --> [64 + 08][0 + 2]5  --> [72][ 2]5  --> 7 2 2 5"));
        typeDigits(s.form, "722");
        QCOMPARE(s.answerRow(), QStringLiteral("    2 "));
        typeDigits(s.form, "5");
        QCOMPARE(s.answerRow(), QStringLiteral("    2 5"));
        // Backspace in the dropped box changes the answer box with it.
        QCOMPARE(s.current(), QStringLiteral("pnlWorking8"));
        press(s.form, Qt::Key_Q);
        press(s.form, Qt::Key_Backspace);
        QCOMPARE(s.answerRow(), QStringLiteral("    2 "));
        typeDigits(s.form, "5");
        QCOMPARE(statusText(s.form), QStringLiteral("70 = (7 × 5) × 2"));
        QCOMPARE(s.box(7)->isHidden(), true);
        typeDigits(s.form, "70");
        QCOMPARE(statusText(s.form), QStringLiteral("142 = 72 + 70"));
        typeDigits(s.form, "142");
        QCOMPARE(s.answerRow(), QStringLiteral("   2 2 5"));
        typeDigits(s.form, "49112");
        QCOMPARE(s.current(), QStringLiteral("pnlAnswerUser6"));
        QCOMPARE(statusText(s.form), QStringLiteral("[49]  [112]  [14] --> [49  +  11][2  +  14] --> [60][ ¹6]  --> "
                                                    "[60 + ¹ ][6]  --> 6 1 6"));
        s.seams.advanceSeconds(95);
        typeDigits(s.form, "616");
        // The hundreds digit dropped from row 4 is already in its box.
        QCOMPARE(s.current(), QStringLiteral("pnlAnswerUser3"));
        QCOMPARE(statusText(s.form), QStringLiteral("Working Box"));
        press(s.form, Qt::Key_Escape);

        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.answerRow(), QStringLiteral("6 1 6 2 2 5"));
        QString correct;
        for (int k = 6; k >= 1; --k)
            correct += captionOf(s.form, QStringLiteral("pnlAnswer%1").arg(k));
        QCOMPARE(correct, QStringLiteral("616225"));
        QCOMPARE(captionOf(s.form, "pnlCorrect") + "/" + captionOf(s.form, "pnlTotal"), QStringLiteral("1/1"));
        QCOMPARE(s.form->findChild<QPushButton*>("btnTime")->text(), QStringLiteral("1:35"));
        QVERIFY(s.form->closeForm());
        const IniFile ini(s.env.path(QStringLiteral("users/Ann.ini")));
        QCOMPARE(ini.readInteger(QStringLiteral("Square3Digit"), QStringLiteral("Option"), 0), 2);
        QCOMPARE(ini.readInteger(QStringLiteral("Square3Digit"), QStringLiteral("Correct"), 0), 1);
        QCOMPARE(qRound(ini.readTime(QStringLiteral("Square3Digit"), QStringLiteral("Time2"), 0) * 86400), 95);
        QCOMPARE(ini.readTime(QStringLiteral("Square3Digit"), QStringLiteral("Time1"), -1), 0.0);
    }

    void a_wrong_mental_box_with_the_mental_boxes_hidden()
    {
        Screen s;
        s.play(1, "243");
        QCOMPARE(s.totalLine(), QRect(282, 190, 51, 2));
        typeDigits(s.form, "17"); // T x T is 16
        auto* hide = s.form->findChild<QCheckBox*>("chkHideMentalBoxes");
        QTest::mouseClick(hide, Qt::LeftButton);
        QCOMPARE(s.row(RowOne) + " | " + s.row(RowThree) + " | " + s.row(RowFive), QStringLiteral("_ _ _ | _ _ _ | _ _"));
        QCOMPARE(s.current(), QStringLiteral("pnlWorking3"));
        // 243² = 59049 has five digits: no hundred-thousands box; row 4 (30)
        // has two.
        QVERIFY(s.answer(6)->isHidden());
        typeDigits(s.form, "1849");
        QCOMPARE(s.row(RowFour), QStringLiteral("_  "));
        typeDigits(s.form, "30");
        QCOMPARE(s.answerRow(), QStringLiteral("_   0 4 9"));
        typeDigits(s.form, "59");
        press(s.form, Qt::Key_Escape);

        QVERIFY(s.form->isCorrect());
        QVERIFY(!panelOf(s.form, "pnlAnswer6")->isVisible());
        // Showing the mental boxes again: the wrong part is marked; the
        // boxes 2 x H x U does not use stay away.
        QTest::mouseClick(hide, Qt::LeftButton);
        QCOMPARE(s.row(RowThree), QStringLiteral("_  "));
        QCOMPARE(s.box(0)->caption(), QStringLiteral("17"));
        QCOMPARE(s.box(0)->color(), SysColors::Red);
        QCOMPARE(s.box(8)->color(), SysColors::Red); // empty
        QCOMPARE(s.box(3)->color(), SysColors::window());
    }

    void a_tens_digit_of_0_keeps_the_first_box_of_row_two()
    {
        Screen s;
        s.play(1, "402");
        QVERIFY(s.box(3)->isVisible());
        QVERIFY(s.answer(6)->isVisible());
        QCOMPARE(s.totalLine(), QRect(282, 190, 51, 2));
        typeDigits(s.form, "0");
        press(s.form, Qt::Key_Tab);
        typeDigits(s.form, "0");
        press(s.form, Qt::Key_Tab);
        typeDigits(s.form, "04");
        press(s.form, Qt::Key_Tab); // box 3 left empty although it expects 0
        typeDigits(s.form, "004" "16" "16" "16" "0");
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.current(), QStringLiteral("pnlAnswerUser6"));
        QCOMPARE(s.answerRow(), QStringLiteral("   6 0 4"));
        // The learner may still overwrite a dropped digit.
        typeDigits(s.form, "1619");
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());
        QCOMPARE(s.box(3)->color(), SysColors::Red);
        QCOMPARE(s.answer(3)->color(), SysColors::Red);
        QCOMPARE(s.answer(4)->color(), SysColors::window());
        QCOMPARE(s.answerRow(), QStringLiteral("1 6 1 9 0 4"));
    }

    void the_custom_number_and_the_levels()
    {
        Screen s;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->findChild<QLineEdit*>("edtQuestion")->maxLength(), 3);
            QTest::keyClicks(dialog->findChild<QLineEdit*>("edtQuestion"), QStringLiteral("999"));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        s.click("BitBtnCustom");
        s.click("BitBtnPlay");
        QCOMPARE(s.form->question().number(), 999);
        QCOMPARE(s.totalLine(), QRect(256, 190, 77, 2)); // 98 + 162 = 260
        press(s.form, Qt::Key_Escape);

        QuestionSource::seed(630);
        for (int level = 1; level <= 2; ++level) {
            QTest::mouseClick(panelOf(s.form, QStringLiteral("pnlOptLevel%1").arg(level)), Qt::LeftButton);
            int previous = 0;
            for (int k = 0; k < 25; ++k) {
                s.click("BitBtnPlay");
                const QString n = QString::number(s.form->question().number());
                QCOMPARE(n.size(), 3);
                for (QChar d : n)
                    QVERIFY2(level == 1 ? d.digitValue() <= 4 : d.digitValue() >= 5, qPrintable(n));
                QVERIFY(n.toInt() != previous);
                previous = n.toInt();
                press(s.form, Qt::Key_Escape);
            }
        }
    }
};

QTEST_MAIN(TestPractiseSquare3Digit)
#include "tst_PractiseSquare3Digit.moc"
