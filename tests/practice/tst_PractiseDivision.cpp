#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/PractiseDivision.h"
#include "shell/SysColors.h"
#include "shell/TextHelpers.h"

namespace {

const QString NoTime = QString(TextChars::EmDash) + QLatin1Char(':') + QString(TextChars::EmDash);

// The screen opened from its menu item by a signed-in learner, with the
// clock and the question source in the test's hands.
struct Opened : OpenedScreen<TPractiseDivisionForm> {
    PracticeSeams seams;

    explicit Opened(const QByteArray& learnerFile = QByteArray())
        : OpenedScreen(QStringLiteral("mnuSpeedDivision"), learnerFile)
    {
    }
    Panel* panel(const QString& name) const { return panelOf(form, name); }
    Panel* box(int i) const { return panel(QStringLiteral("pnlWorking%1").arg(i)); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(QString::fromLatin1(name)); }
    void click(const QString& name) const { QTest::mouseClick(panel(name), Qt::LeftButton); }
    // Chooses the options by their captions ("3-Digit", "5-Digit").
    void choose(const QString& divisor, const QString& dividend) const
    {
        click(QStringLiteral("pnlOpt") + divisor.left(1) + QStringLiteral("Digit"));
        click(QStringLiteral("pnlOptDividend") + dividend.left(1) + QStringLiteral("Digit"));
    }
    void play(const QString& question)
    {
        QuestionSource::pose(QStringLiteral("divide"), {question});
        QTest::mouseClick(button("BitBtnPlay"), Qt::LeftButton);
    }
    // The learner types every box's text in order; a text shorter than its
    // box is left with Tab. "-" stands for a box that is not shown.
    void work(const QString& texts)
    {
        for (const QString& t : texts.split(QLatin1Char(' '))) {
            if (t == QLatin1String("-"))
                continue;
            const int width = form->workingPanels().at(form->currentIndex()).Width;
            typeDigits(form, t);
            if (t.size() < width)
                press(form, Qt::Key_Tab);
        }
    }
    QString row(const char* prefix, int count) const
    {
        QString texts;
        for (int i = 0; i < count; ++i)
            texts += captionOf(form, QString::fromLatin1(prefix) + QString::number(i));
        return texts;
    }
    QString redBoxes() const
    {
        QStringList red;
        for (const WorkingPanelEntry& e : form->workingPanels())
            if (e.Panel->color() == SysColors::Red)
                red << e.Panel->objectName();
        return red.join(' ');
    }
    int globalX(const QString& name) const { return panel(name)->mapTo(form, QPoint(0, 0)).x(); }
    QString marks() const
    {
        QString m;
        for (const char* name : {"pnlNT_N", "pnlNT_T", "pnlUT_U", "pnlUT_T", "pnlUT"})
            m += captionOf(form, QString::fromLatin1(name)) + QLatin1Char('.');
        return m;
    }
};

const QString Example = QStringLiteral("05 1 03 21 02 19 6 19 03 02 01 0 00 19 00 19 6 19 09 02 07 2 06 14 04 10");
const QString ThreeDigit = QStringLiteral("08 2 06 24 02 22 7 21 16 15 01 0 00 15 01 14 - - 149 00 149");
const QString Short = QStringLiteral("27 6 24 35 06 29 7 28 18 07");

} // namespace

class TestPractiseDivision : public QObject
{
    Q_OBJECT
private slots:
    void the_worked_example_typed_in_full_is_right()
    {
        Opened s;
        QVERIFY(s.form);
        QCOMPARE(s.form->caption(), QStringLiteral("SPEED DIVISION : 2-DIGIT"));
        s.choose(QStringLiteral("2-Digit"), QStringLiteral("6-Digit"));
        s.play(QStringLiteral("513994/32"));
        QCOMPARE(s.row("pnlDividend", 6), QStringLiteral("499315")); // units first
        QCOMPARE(s.row("pnlDivisor", 3), QStringLiteral("32"));
        QVERIFY(!s.panel(QStringLiteral("pnlDivisor2"))->isVisible());
        QCOMPARE(s.globalX(QStringLiteral("pnlWorking0")), s.globalX(QStringLiteral("pnlDividend5")) - 1);
        QCOMPARE(s.globalX(QStringLiteral("pnlWorking25")), s.globalX(QStringLiteral("pnlDividend0")));
        QVERIFY(!s.form->findChild<QFrame*>(QStringLiteral("lineArmHorizontal"))->isVisible());
        QCOMPARE(statusText(s.form), QStringLiteral("05"));
        press(s.form, Qt::Key_Tab);
        QCOMPARE(statusText(s.form), QStringLiteral("05 ÷ 3 --> 1"));
        QCOMPARE(s.panel(QStringLiteral("pnlDivisor0"))->color(), SysColors::Yellow);
        QCOMPARE(s.box(0)->color(), SysColors::Yellow);
        press(s.form, Qt::Key_Home);

        s.seams.advanceSeconds(95);
        s.work(Example);
        QCOMPARE(s.form->currentIndex(), 0); // the last box wraps to the first
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.redBoxes(), QString());
        QCOMPARE(s.row("pnlAnswer", 5), QStringLiteral("16062"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlRemainder0")), QStringLiteral("10"));
        for (const char* label : {"lblActualAnswer", "lblActualQuotient", "lblActualRemainder", "lblMyRemainder"})
            QVERIFY2(s.form->findChild<QLabel*>(QString::fromLatin1(label))->isVisible(), label);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")) + captionOf(s.form, QStringLiteral("pnlTotal")),
                 QStringLiteral("11"));
        QCOMPARE(s.button("btnTime")->text(), QStringLiteral("1:35"));
    }

    void a_three_digit_divisor_has_a_last_group_without_quotient_digit()
    {
        Opened s;
        s.choose(QStringLiteral("3-Digit"), QStringLiteral("5-Digit"));
        QVERIFY(s.panel(QStringLiteral("pnlDivisor2"))->isVisible());
        s.play(QStringLiteral("84659/313"));
        QCOMPARE(s.form->workingPanels().size(), 21);
        QVERIFY(!s.box(16)->isVisible() && !s.box(17)->isVisible() && s.box(18)->isVisible());
        QCOMPARE(s.form->workingPanels().at(18).Width, 3);
        QCOMPARE(s.form->workingPanels().at(20).Width, 3);
        // The remainder line stands right of the third-last dividend digit.
        QVERIFY(s.globalX(QStringLiteral("pnlSeparator")) > s.globalX(QStringLiteral("pnlDividend2")));
        QVERIFY(s.globalX(QStringLiteral("pnlSeparator")) < s.globalX(QStringLiteral("pnlDividend1")));

        // Marks and lines: NT of group 1, then its U, then the last U.
        for (int i = 0; i < 7; ++i)
            press(s.form, Qt::Key_Tab);
        QCOMPARE(s.form->currentIndex(), 7);
        QCOMPARE(s.marks(), QStringLiteral("N.T....")); 
        auto* lines = s.panel(QStringLiteral("pnlLines"));
        QVERIFY(lines->isVisible() && s.form->findChild<QFrame*>(QStringLiteral("lineNTVertical"))->isVisible());
        QCOMPARE(lines->mapTo(s.form, QPoint(lines->width() - 1, 0)).x(), s.globalX(QStringLiteral("pnlWorking6")) + 12);
        QVERIFY(s.panel(QStringLiteral("pnlJumpGraphic"))->isVisible());
        QCOMPARE(s.globalX(QStringLiteral("pnlJumpGraphic")), s.globalX(QStringLiteral("pnlWorking6")));
        press(s.form, Qt::Key_Tab);
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.marks(), QStringLiteral("..U.T.U."));
        QVERIFY(s.form->findChild<QFrame*>(QStringLiteral("lineUTHorizontal"))->isVisible());
        QCOMPARE(statusText(s.form), QStringLiteral("15 = 13 UT 7 + 3 U 2 --> (1 U 7) + (3 T 7) + (3 U 2) --> 7 + 2 + 6"));
        QCOMPARE(s.panel(QStringLiteral("pnlWorking1"))->color(), SysColors::Yellow); // the previous quotient digit
        press(s.form, Qt::Key_Up);
        QCOMPARE(s.form->currentIndex(), 6);
        QCOMPARE(s.marks(), QStringLiteral("....."));
        press(s.form, Qt::Key_End);
        press(s.form, Qt::Key_Left);
        QCOMPARE(s.marks(), QStringLiteral("....U."));
        QVERIFY(!s.panel(QStringLiteral("pnlJumpGraphic"))->isVisible()); // its quotient box is not in use

        press(s.form, Qt::Key_Home);
        s.work(ThreeDigit);
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.row("pnlAnswer", 3) + QLatin1Char(' ') + captionOf(s.form, QStringLiteral("pnlRemainder0")),
                 QStringLiteral("270 149"));
        QCOMPARE(s.marks(), QStringLiteral("....."));
    }

    void a_wrong_remainder_makes_the_problem_wrong()
    {
        Opened s;
        s.play(QStringLiteral("2758/41")); // 2-Digit, 4-Digit; a short quotient
        QVERIFY(s.form->findChild<QFrame*>(QStringLiteral("lineArmHorizontal"))->isVisible());
        QCOMPARE(s.globalX(QStringLiteral("pnlWorking0")), s.globalX(QStringLiteral("pnlDividend2")));
        QVERIFY(s.panel(QStringLiteral("pnlDividend3"))->isVisible() && !s.panel(QStringLiteral("pnlDividend4"))->isVisible());
        QCOMPARE(statusText(s.form), QStringLiteral("27 = the first two digits, as 27 is less than 41"));
        s.work(Short + QStringLiteral(" 12"));
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());
        QCOMPARE(s.redBoxes(), QStringLiteral("pnlWorking10"));
        QCOMPARE(s.row("pnlAnswer", 2) + QLatin1Char(' ') + captionOf(s.form, QStringLiteral("pnlRemainder0")),
                 QStringLiteral("67 11"));
        QVERIFY(s.panel(QStringLiteral("pnlRemainder0"))->isVisible() && !s.panel(QStringLiteral("pnlAnswer2"))->isVisible());
        QVERIFY(s.form->findChild<QLabel*>(QStringLiteral("imgWrong"))->isVisible());

        // A remainder below 10 typed with its zero is the remainder.
        s.play(QStringLiteral("1324/15"));
        s.work(QStringLiteral("13 8 12 12 00 12 8 12 04 00 04"));
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlWorking10")), QStringLiteral("4"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")) + captionOf(s.form, QStringLiteral("pnlTotal")),
                 QStringLiteral("12"));
    }

    void options_and_best_times_are_kept_per_pair()
    {
        Opened s("[SpeedDivision]\r\nOption=2\r\nOptionDividend=3\r\nTime63=0.0001\r\nTime42=0.0002\r\n");
        QCOMPARE(s.panel(QStringLiteral("pnlOpt3Digit"))->color(), SysColors::Lime);
        QCOMPARE(s.panel(QStringLiteral("pnlOptDividend6Digit"))->color(), SysColors::Lime);
        QCOMPARE(s.button("btnTime")->text(), QStringLiteral("0:08"));
        s.click(QStringLiteral("pnlOptDividend4Digit"));
        QCOMPARE(s.panel(QStringLiteral("pnlOptDividend6Digit"))->color(), SysColors::buttonFace());
        QCOMPARE(s.button("btnTime")->text(), NoTime); // Time43
        s.click(QStringLiteral("pnlOpt2Digit"));
        QCOMPARE(s.button("btnTime")->text(), QStringLiteral("0:17"));

        s.play(QStringLiteral("2758/41"));
        s.seams.advanceSeconds(5);
        s.work(Short + QStringLiteral(" 11"));
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.button("btnTime")->text(), QStringLiteral("0:05"));
        // RESTART brings back both options of the problem.
        s.choose(QStringLiteral("3-Digit"), QStringLiteral("6-Digit"));
        QTest::mouseClick(s.button("BitBtnRewind"), Qt::LeftButton);
        QCOMPARE(s.form->question().text(), QStringLiteral("2758/41"));
        QCOMPARE(s.panel(QStringLiteral("pnlOptDividend4Digit"))->color(), SysColors::Lime);
        QCOMPARE(s.panel(QStringLiteral("pnlOpt2Digit"))->color(), SysColors::Lime);
        press(s.form, Qt::Key_Escape);
        s.choose(QStringLiteral("2-Digit"), QStringLiteral("5-Digit"));
        QVERIFY(s.form->closeForm());

        const IniFile ini(s.env.path(QStringLiteral("users/Ann.ini")));
        const QString section = QStringLiteral("SpeedDivision");
        QCOMPARE(ini.readInteger(section, QStringLiteral("Option"), 0), 1);
        QCOMPARE(ini.readInteger(section, QStringLiteral("OptionDividend"), 0), 2);
        QCOMPARE(qRound(ini.readTime(section, QStringLiteral("Time42"), 0) * 86400), 5);
        QCOMPARE(ini.readTime(section, QStringLiteral("Time63"), 0), 0.0001);
        QCOMPARE(ini.readInteger(section, QStringLiteral("Total"), 0), 2);

        // Opened again: the options and their best times come back.
        s.form = openFromMenu<TPractiseDivisionForm>(s.main, QStringLiteral("mnuSpeedDivision"));
        QVERIFY(s.form);
        QCOMPARE(s.panel(QStringLiteral("pnlOpt2Digit"))->color(), SysColors::Lime);
        QCOMPARE(s.panel(QStringLiteral("pnlOptDividend5Digit"))->color(), SysColors::Lime);
        QCOMPARE(s.button("btnTime")->text(), NoTime);
        s.click(QStringLiteral("pnlOptDividend4Digit"));
        QCOMPARE(s.button("btnTime")->text(), QStringLiteral("0:05"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("2"));
    }

    void the_custom_question_sets_dividend_and_divisor()
    {
        Opened s;
        s.choose(QStringLiteral("3-Digit"), QStringLiteral("5-Digit"));
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = captionOf(dialog, QStringLiteral("pnlOptQuestionDigit")) + QLatin1Char(' ')
                   + captionOf(dialog, QStringLiteral("pnlOptOperatorDigit")) + QLatin1Char(' ')
                   + dialog->findChild<QLabel*>(QStringLiteral("lblOperatorSign"))->text();
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), QStringLiteral("84659"));
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtOperator")), QStringLiteral("313"));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        QTest::mouseClick(s.button("BitBtnCustom"), Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("5-Digit 3-Digit ÷"));
        QTest::mouseClick(s.button("BitBtnPlay"), Qt::LeftButton);
        QCOMPARE(s.form->question().text(), QStringLiteral("84659/313"));
        QCOMPARE(s.row("pnlDivisor", 3), QStringLiteral("313"));
    }

    void mental_boxes_and_mark_letters_come_and_go()
    {
        Opened s;
        auto* colors = s.form->findChild<QCheckBox*>(QStringLiteral("chkShowColorHints"));
        QCOMPARE(colors->text(), QStringLiteral("Show &Color && NT,UT Hints"));
        QCOMPARE(s.marks(), QStringLiteral("N.T.U.T.U."));
        QTest::mouseClick(colors, Qt::LeftButton);
        QCOMPARE(s.marks(), QStringLiteral("....."));
        QTest::mouseClick(colors, Qt::LeftButton);

        s.play(QStringLiteral("2758/41"));
        QTest::mouseClick(s.form->findChild<QCheckBox*>(QStringLiteral("chkHideMentalBoxes")), Qt::LeftButton);
        QVERIFY(!s.box(2)->isVisible() && !s.box(3)->isVisible() && !s.box(4)->isVisible());
        s.work(QStringLiteral("27 6 29 7 11"));
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.redBoxes(), QStringLiteral("pnlWorking2 pnlWorking3 pnlWorking4 pnlWorking7 pnlWorking8 pnlWorking9"));
        QVERIFY(s.form->isCorrect()); // the quotient and the remainder decide
    }
};

QTEST_MAIN(TestPractiseDivision)
#include "tst_PractiseDivision.moc"
