// The 2-digit squares screen through its window: whole typed solutions with
// STOP, the three-digit square without its thousands box, the mental boxes
// hidden with a wrong one among them, hints and colour hints, the custom
// question and the levels' draws.

#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/PractiseSquare2Digit.h"
#include "shell/Hints.h"
#include "shell/SysColors.h"

namespace {

struct Screen : OpenedScreen<TPractiseSquare2DigitForm> {
    PracticeSeams seams;

    explicit Screen(const QByteArray& file = QByteArray()) : OpenedScreen(QStringLiteral("mnu2Digit"), file) {}

    Panel* panel(const QString& name) const { return panelOf(form, name); }
    void click(const char* name) const { QTest::mouseClick(form->findChild<QWidget*>(name), Qt::LeftButton); }
    void play(int level, const QString& number)
    {
        QTest::mouseClick(panel(QStringLiteral("pnlOptLevel%1").arg(level)), Qt::LeftButton);
        QuestionSource::pose(QStringLiteral("square-two-digit"), {number});
        click("BitBtnPlay");
    }
    // The texts of the boxes: parts, then the answer digits thousands first.
    QString boxes() const
    {
        QStringList texts;
        for (const char* name : {"pnlWorking0", "pnlWorking1", "pnlWorking2", "pnlAnswerUser4", "pnlAnswerUser3",
                                 "pnlAnswerUser2", "pnlAnswerUser1"})
            texts << captionOf(form, QString::fromLatin1(name));
        return texts.join(QLatin1Char(' '));
    }
    QString correctAnswer() const
    {
        QString digits;
        for (int k = 4; k >= 1; --k)
            digits += panel(QStringLiteral("pnlAnswer%1").arg(k))->isVisible()
                          ? captionOf(form, QStringLiteral("pnlAnswer%1").arg(k))
                          : QStringLiteral("_");
        return digits;
    }
    QString current() const { return form->currentPanel() ? form->currentPanel()->objectName() : QString(); }
    QStringList yellow(const QStringList& names) const
    {
        QStringList lit;
        for (const QString& name : names)
            if (panel(name)->color() == SysColors::Yellow)
                lit << name;
        return lit;
    }
    double bestTime(int level) const
    {
        return IniFile(env.path(QStringLiteral("users/Ann.ini")))
            .readTime(QStringLiteral("Square2Digit"), QStringLiteral("Time%1").arg(level), -1);
    }
};

const QStringList Lit = {"pnlQuestion1", "pnlQuestion2", "pnlWorking0", "pnlWorking1", "pnlWorking2"};

} // namespace

class TestPractiseSquare2Digit : public QObject {
    Q_OBJECT

private slots:
    void a_whole_solution_with_a_carry_is_right_counted_and_timed()
    {
        Screen s;
        QVERIFY(s.form);
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 2-DIGIT : LEVEL 1"));
        QCOMPARE(Hints::helpContext(s.form), 625);
        QCOMPARE(Hints::helpContext(s.form->findChild<QWidget*>("BitBtnNavigate")), 20270);
        QCOMPARE(s.panel("pnlWorking1")->geometry(), QRect(128, 198, 51, 33));
        QCOMPARE(s.panel("pnlAnswerUser4")->geometry(), QRect(352, 147, 33, 33));

        s.play(3, "79");
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 2-DIGIT : LEVEL 3"));
        QCOMPARE(captionOf(s.form, "pnlQuestion2") + captionOf(s.form, "pnlQuestion1"), QStringLiteral("79"));
        // The first box explains itself and lights the tens digit.
        QCOMPARE(s.current(), QStringLiteral("pnlWorking0"));
        QCOMPARE(statusText(s.form), QStringLiteral("49 = 7 ²"));
        QCOMPARE(s.yellow(Lit), QStringList{"pnlQuestion2"});
        typeDigits(s.form, "49");
        QCOMPARE(statusText(s.form), QStringLiteral("126 = (7 × 9) × 2"));
        QCOMPARE(s.yellow(Lit), (QStringList{"pnlQuestion1", "pnlQuestion2"}));
        typeDigits(s.form, "12681");
        QCOMPARE(s.current(), QStringLiteral("pnlAnswerUser4"));
        QCOMPARE(statusText(s.form),
                 QStringLiteral("[49]  [126]  [81] --> [49 + 12][6 + 8]1  --> [61][¹4]1  --> [61 + ¹ ][4]1  --> 6 2 4 1"));
        QCOMPARE(s.yellow(Lit), (QStringList{"pnlWorking0", "pnlWorking1", "pnlWorking2"}));
        s.seams.advanceSeconds(37);
        typeDigits(s.form, "6241");
        QCOMPARE(s.boxes(), QStringLiteral("49 126 81 6 2 4 1"));
        press(s.form, Qt::Key_Escape);

        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.correctAnswer(), QStringLiteral("6241"));
        QCOMPARE(captionOf(s.form, "pnlCorrect") + "/" + captionOf(s.form, "pnlTotal"), QStringLiteral("1/1"));
        QCOMPARE(s.form->findChild<QPushButton*>("btnTime")->text(), QStringLiteral("0:37"));
        QVERIFY(s.form->findChild<QWidget*>("pnlViewAnswers")->isVisible());
        QCOMPARE(Hints::hint(s.panel("pnlAnswer2")), Hints::hint(s.panel("pnlAnswerUser2")));

        // RESTART works the same number again; a wrong answer keeps the best time.
        s.click("BitBtnRewind");
        QCOMPARE(s.form->question().number(), 79);
        QCOMPARE(s.boxes(), QStringLiteral("      "));
        s.seams.advanceSeconds(5);
        typeDigits(s.form, "4912681");
        typeDigits(s.form, "6231");
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());
        QCOMPARE(s.panel("pnlAnswerUser2")->color(), SysColors::Red);
        QCOMPARE(s.panel("pnlAnswerUser3")->color(), SysColors::window());
        QCOMPARE(captionOf(s.form, "pnlCorrect") + "/" + captionOf(s.form, "pnlTotal"), QStringLiteral("1/2"));

        QVERIFY(s.form->closeForm());
        const IniFile ini(s.env.path(QStringLiteral("users/Ann.ini")));
        QCOMPARE(ini.readInteger(QStringLiteral("Square2Digit"), QStringLiteral("Option"), 0), 3);
        QCOMPARE(ini.readInteger(QStringLiteral("Square2Digit"), QStringLiteral("Total"), 0), 2);
        QCOMPARE(ini.readInteger(QStringLiteral("Square2Digit"), QStringLiteral("Correct"), 0), 1);
        QCOMPARE(qRound(s.bestTime(3) * 86400), 37);
        QCOMPARE(s.bestTime(1), 0.0);
        QCOMPARE(s.bestTime(2), 0.0);
    }

    void a_three_digit_square_has_no_thousands_box()
    {
        Screen s;
        s.play(2, "28");
        QVERIFY(s.panel("pnlAnswerUser4")->isHidden());
        // A part typed short is padded when the learner moves on, and is right.
        typeDigits(s.form, "4");
        press(s.form, Qt::Key_Tab);
        QCOMPARE(captionOf(s.form, "pnlWorking0"), QStringLiteral("04"));
        typeDigits(s.form, "32");
        press(s.form, Qt::Key_Tab);
        QCOMPARE(captionOf(s.form, "pnlWorking1"), QStringLiteral("032"));
        typeDigits(s.form, "64");
        QCOMPARE(s.current(), QStringLiteral("pnlAnswerUser3"));
        QCOMPARE(statusText(s.form),
                 QStringLiteral("[04]  [032]  [64] --> [04 + 03][2 + 6]4  --> [7][8]4  -->  7 8 4"));
        s.seams.advanceSeconds(12);
        typeDigits(s.form, "784");
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.correctAnswer(), QStringLiteral("_784"));
        QVERIFY(s.panel("pnlAnswerUser4")->isHidden());
        QVERIFY(s.form->closeForm());
        QCOMPARE(qRound(s.bestTime(2) * 86400), 12);
        QCOMPARE(s.bestTime(1), 0.0);
        QCOMPARE(s.bestTime(3), 0.0);
    }

    void a_wrong_mental_box_with_the_mental_boxes_hidden()
    {
        Screen s;
        s.play(1, "34");
        typeDigits(s.form, "08"); // T x T is 09
        auto* hide = s.form->findChild<QCheckBox*>("chkHideMentalBoxes");
        QTest::mouseClick(hide, Qt::LeftButton);
        for (const char* part : {"pnlWorking0", "pnlWorking1", "pnlWorking2"})
            QVERIFY(s.panel(part)->isHidden());
        QCOMPARE(s.current(), QStringLiteral("pnlAnswerUser4"));
        typeDigits(s.form, "1156");
        press(s.form, Qt::Key_Escape);

        // Only the answer digits decide: right, counted; the wrong part is
        // marked, and shows so when the mental boxes come back.
        QVERIFY(s.form->isCorrect());
        QCOMPARE(captionOf(s.form, "pnlCorrect"), QStringLiteral("1"));
        QTest::mouseClick(hide, Qt::LeftButton);
        QVERIFY(s.panel("pnlWorking0")->isVisible());
        QCOMPARE(s.panel("pnlWorking0")->color(), SysColors::Red);
        QCOMPARE(captionOf(s.form, "pnlWorking0"), QStringLiteral("08"));
        QTest::mouseClick(s.form->findChild<QRadioButton*>("rdoShowActualAnswerSteps"), Qt::LeftButton);
        QCOMPARE(s.boxes(), QStringLiteral("09 024 16 1 1 5 6"));
        press(s.form, Qt::Key_Space);
        QCOMPARE(s.boxes(), QStringLiteral("08   1 1 5 6"));

        // A part typed as one digit and padded is right.
        s.click("BitBtnRewind");
        typeDigits(s.form, "9");
        press(s.form, Qt::Key_Tab);
        typeDigits(s.form, "024161156");
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.panel("pnlWorking0")->color(), SysColors::window());
    }

    void the_custom_number_is_worked_like_a_drawn_one()
    {
        Screen s;
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* edit = dialog->findChild<QLineEdit*>("edtQuestion");
            seen = QStringLiteral("%1 %2").arg(edit->maxLength()).arg(dialog->findChild<QWidget*>("PnlOptionsQuestion")->isVisible());
            QTest::keyClicks(edit, QStringLiteral("57"));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        s.click("BitBtnCustom");
        QCOMPARE(seen, QStringLiteral("2 0"));
        s.play(1, "11"); // the learner's own number comes before a posed one
        QCOMPARE(s.form->question().number(), 57);
        QCOMPARE(captionOf(s.form, "pnlQuestion2") + captionOf(s.form, "pnlQuestion1"), QStringLiteral("57"));
        typeDigits(s.form, "25070493249");
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
    }

    void each_level_draws_its_own_numbers()
    {
        Screen s;
        QuestionSource::seed(625);
        for (int level = 1; level <= 3; ++level) {
            QTest::mouseClick(s.panel(QStringLiteral("pnlOptLevel%1").arg(level)), Qt::LeftButton);
            int previous = 0;
            for (int k = 0; k < 20; ++k) {
                s.click("BitBtnPlay");
                const int n = s.form->question().number();
                const int low = (n / 10 <= 4) + (n % 10 <= 4);
                QVERIFY2(n % 10 != 0 && n % 10 != 5 && n / 10 != 5 && low == 3 - level, qPrintable(QString::number(n)));
                QVERIFY(n != previous);
                QCOMPARE(captionOf(s.form, "pnlQuestion2") + captionOf(s.form, "pnlQuestion1"), QString::number(n));
                previous = n;
                press(s.form, Qt::Key_Escape);
            }
        }
        QCOMPARE(captionOf(s.form, "pnlTotal"), QStringLiteral("60"));
        QCOMPARE(captionOf(s.form, "pnlCorrect"), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestPractiseSquare2Digit)
#include "tst_PractiseSquare2Digit.moc"
