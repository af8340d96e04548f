#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ScreenTesting.h"
#include "PracticeTestSupport.h"
#include "TestEnvironment.h"
#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/PractiseMultiplyBasic.h"
#include "shell/SysColors.h"
#include "shell/TextHelpers.h"

namespace {

const QString Method = QStringLiteral("multiply-basic");
const QString Example = QStringLiteral("93821547");

// The screen opened from its menu item by a signed-in learner.
struct Opened {
    TestEnvironment env;
    PracticeSeams seams;
    TfrmMain main;
    TPractiseMultiplyBasicForm* form = nullptr;

    explicit Opened(const QByteArray& learnerFile = QByteArray())
    {
        env.signIn(QStringLiteral("Ann"));
        if (!learnerFile.isNull())
            env.writeFile(QStringLiteral("users/Ann.ini"), learnerFile);
        main.show();
        form = openFromMenu<TPractiseMultiplyBasicForm>(main, QStringLiteral("mnuMultiplyBasic"));
        env.dialogs.clear();
    }
    Panel* panel(const QString& name) const { return panelOf(form, name); }
    Panel* box(int i) const { return panel(QStringLiteral("pnlWorking%1").arg(i)); }
    QString carry(int i) const { return captionOf(form, QStringLiteral("pnlCarry%1").arg(i)); }
    QLabel* label(const char* name) const { return form->findChild<QLabel*>(QString::fromLatin1(name)); }
    void choose(int multiplier) const
    {
        QTest::mouseClick(panel(QStringLiteral("pnlOpt%1").arg(multiplier)), Qt::LeftButton);
    }
    void play(int multiplier, const QString& multiplicand = Example)
    {
        choose(multiplier);
        QuestionSource::pose(Method, {multiplicand + QStringLiteral("x%1").arg(multiplier)});
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("BitBtnPlay")), Qt::LeftButton);
    }
    // Each position's value as the learner types it: two digits complete a
    // box; a one-digit value is typed and left with Tab.
    void work(const QList<int>& values)
    {
        for (int v : values) {
            typeDigits(form, QString::number(v));
            if (v < 10)
                press(form, Qt::Key_Tab);
        }
    }
    QString multiplicand() const
    {
        QString digits;
        for (int i = 7; i >= 0; --i)
            digits += captionOf(form, QStringLiteral("pnlMultiplicand%1").arg(i));
        return digits;
    }
    QString row(const char* prefix) const
    {
        QStringList texts;
        for (int i = 8; i >= 0; --i)
            texts << captionOf(form, QString::fromLatin1(prefix) + QString::number(i));
        return texts.join(QLatin1Char(' '));
    }
    // The rule labels as "title|line1|line2|line3", a disabled line in brackets.
    QString rule() const
    {
        QStringList out{label("lblRule")->text()};
        for (const char* name : {"lblRule1", "lblRule2", "lblRule3"}) {
            QLabel* l = label(name);
            out << (l->isEnabled() ? l->text() : QLatin1Char('[') + l->text() + QLatin1Char(']'));
        }
        return out.join(QLatin1Char('|'));
    }
    QColor ruleColor(const char* name) const { return label(name)->palette().color(QPalette::WindowText); }
    QString learnerFile() const { return QString::fromLatin1(env.readFile(QStringLiteral("users/Ann.ini"))); }
};

// The x12 worked example, position by position (values with carries).
const QList<int> Times12 = {14, 16, 15, 8, 5, 18, 15, 22, 11};

} // namespace

class TestPractiseMultiplyBasic : public QObject
{
    Q_OBJECT
private slots:
    void opens_with_times_eleven_and_its_rule()
    {
        Opened s;
        QVERIFY(s.form);
        QCOMPARE(s.form->caption(), QStringLiteral("BASIC SPEED MULTIPLICATION : 11"));
        QStringList order;
        for (Panel* p : s.form->findChild<Panel*>(QStringLiteral("PnlOptions"))->findChildren<Panel*>())
            order << p->caption();
        QCOMPARE(order.join(QLatin1Char(' ')), QStringLiteral("11 12 5 6 7 8 9 4 3"));
        QCOMPARE(s.rule(), QStringLiteral("RULE FOR NUMBER 11|Add the neighbor ||"));
        QCOMPARE(s.form->findChild<QCheckBox*>(QStringLiteral("chkHideMentalBoxes"))->text(), QStringLiteral("Show &Rule"));
        // Every rule label stands in the middle of the rule panel.
        QLabel* title = s.label("lblRule");
        QVERIFY(qAbs(title->x() * 2 + title->width() - 586) <= 1);

        s.choose(3);
        QCOMPARE(s.form->caption(), QStringLiteral("BASIC SPEED MULTIPLICATION : 3"));
        QCOMPARE(s.rule(), QStringLiteral("RULE FOR NUMBER 3| Subtract number from 10; double; add 5 if number is odd "
                                          "| Subtract number from 9; double; add 5 if number is odd; add \"half\" the neighbor "
                                          "| Take \"half\" the left-side digit; add \"carry\"; subtract 2 "));
    }

    void a_full_correct_times_twelve_is_scored_and_timed()
    {
        Opened s;
        s.play(12);
        QCOMPARE(s.multiplicand(), Example);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlMultiplier0")) + captionOf(s.form, QStringLiteral("pnlMultiplier1")),
                 QStringLiteral("12"));
        QVERIFY(s.panel(QStringLiteral("pnlMultiplicandDummyLeft"))->isVisible());
        s.seams.advanceSeconds(42);
        s.work(Times12);
        QCOMPARE(s.row("pnlWorking"), QStringLiteral("11 2 5 8 5 8 5 6 4"));
        QCOMPARE(s.carry(0) + s.carry(1) + s.carry(2) + s.carry(5) + s.carry(6) + s.carry(7), QStringLiteral("111112"));
        QCOMPARE(s.carry(3) + s.carry(4), QString());
        press(s.form, Qt::Key_Escape);

        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.row("pnlAnswer"), QStringLiteral("11 2 5 8 5 8 5 6 4"));
        QVERIFY(s.panel(QStringLiteral("pnlAnswer8"))->isVisible());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("1"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("1"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlAnswerCarry7")), QStringLiteral("2"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlAnswerCarry3")), QString());
        QCOMPARE(s.form->findChild<QPushButton*>(QStringLiteral("btnTime"))->text(), QStringLiteral("0:42"));
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand4"))->toolTip(), QStringLiteral("Multiplicand"));

        QVERIFY(s.form->closeForm());
        const IniFile ini(s.env.path(QStringLiteral("users/Ann.ini")));
        QCOMPARE(ini.readInteger(QStringLiteral("MultiplyBasic"), QStringLiteral("Option"), 0), 2);
        QCOMPARE(ini.readInteger(QStringLiteral("MultiplyBasic"), QStringLiteral("Correct"), 0), 1);
        QCOMPARE(ini.readInteger(QStringLiteral("MultiplyBasic"), QStringLiteral("Total"), 0), 1);
        QCOMPARE(qRound(ini.readTime(QStringLiteral("MultiplyBasic"), QStringLiteral("Time12"), 0) * 86400), 42);
        QCOMPARE(ini.readTime(QStringLiteral("MultiplyBasic"), QStringLiteral("Time11"), -1), 0.0);
    }

    void two_digits_split_into_box_and_carry()
    {
        Opened s;
        s.play(6);
        typeDigits(s.form, QStringLiteral("12"));
        QCOMPARE(s.box(0)->caption(), QStringLiteral("2"));
        QCOMPARE(s.carry(0), QStringLiteral("1"));
        QCOMPARE(s.form->currentIndex(), 1);
        QCOMPARE(s.form->currentPanel(), s.box(1));
    }

    void a_one_digit_value_left_incomplete_counts_as_right()
    {
        Opened s;
        s.play(11); // values 7, 11, 10, 7, 3, 10, 12, 13, 10
        typeDigits(s.form, QStringLiteral("7"));
        QCOMPARE(s.form->currentIndex(), 0); // the box waits for a second digit
        press(s.form, Qt::Key_Tab);
        s.work({11, 10, 7, 3, 10, 12, 13, 10});
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.box(0)->color(), SysColors::window());

        // A right digit with a wrong carry is wrong.
        s.play(11);
        s.work({7, 11, 10, 7, 3, 10, 12, 3, 10}); // 3 instead of 13
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());
        QCOMPARE(s.panel(QStringLiteral("pnlCarry7"))->color(), SysColors::Red);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("2"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("1"));
    }

    void an_empty_leading_box_counts_as_zero()
    {
        Opened s;
        s.play(3, QStringLiteral("11111111")); // 33333333: nothing in front
        s.work({23, 23, 23, 23, 23, 23, 23, 23});
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.box(8)->caption(), QStringLiteral("0"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlAnswer8")), QStringLiteral("0"));
    }

    void hints_rule_lines_and_colours_follow_the_position()
    {
        Opened s;
        s.play(3);
        QVERIFY(!s.panel(QStringLiteral("pnlMultiplicandDummyRight"))->isVisible());
        QCOMPARE(statusText(s.form), QStringLiteral("11 = ((10 - 7) × 2) + 5 {7 --> Odd} :: Think:  3  6  11"));
        QVERIFY(s.rule().endsWith(QStringLiteral("odd |[ Subtract number from 9; double; add 5 if number is odd; "
                                                 "add \"half\" the neighbor ]|[ Take \"half\" the left-side digit; "
                                                 "add \"carry\"; subtract 2 ]")));
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand0"))->toolTip(), QStringLiteral("Number"));
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicandDummyRight"))->toolTip(), QStringLiteral("Neighbor"));
        press(s.form, Qt::Key_Left);
        QVERIFY(!s.label("lblRule1")->isEnabled());
        QVERIFY(s.label("lblRule2")->isEnabled());
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand0"))->toolTip(), QStringLiteral("Neighbor"));
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand1"))->toolTip(), QStringLiteral("Number"));
        press(s.form, Qt::Key_End);
        QVERIFY(s.label("lblRule3")->isEnabled());
        QVERIFY(!s.label("lblRule2")->isEnabled());
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand7"))->toolTip(), QStringLiteral("Left-side digit"));
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand6"))->toolTip(), QString());
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.label("lblRule1")->isEnabled() && s.label("lblRule3")->isEnabled());

        // x12: the imaginary zeros, position 8's words and colour hints.
        s.play(12);
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicandDummyRight"))->fontColor(), SysColors::Yellow);
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand0"))->color(), SysColors::Yellow);
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand1"))->color(), SysColors::buttonFace());
        for (int i = 0; i < 3; ++i)
            press(s.form, Qt::Key_Left);
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand3"))->color(), SysColors::Yellow);
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand2"))->color(), SysColors::Yellow);
        QCOMPARE(s.panel(QStringLiteral("pnlCarry2"))->color(), SysColors::Yellow);
        QCOMPARE(s.panel(QStringLiteral("pnlCarry3"))->color(), SysColors::Aqua); // the box's own carry
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicandDummyRight"))->fontColor(), SysColors::buttonShadow());
        QVERIFY(s.rule().count(QLatin1Char('[')) == 0);
        press(s.form, Qt::Key_End);
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicandDummyLeft"))->toolTip(), QStringLiteral("Number"));
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicand7"))->toolTip(), QStringLiteral("Neighbor"));
        QCOMPARE(s.panel(QStringLiteral("pnlMultiplicandDummyLeft"))->fontColor(), SysColors::Yellow);
        QCOMPARE(statusText(s.form), QStringLiteral("11 = (0 × 2) + 9 + ^2 :: Think:  9  11"));
    }

    void another_option_after_stop_shows_red_until_the_mouse_rests_on_a_box()
    {
        Opened s;
        s.play(12);
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.ruleColor("lblRule"), SysColors::windowText());

        s.choose(8);
        QCOMPARE(s.form->caption(), QStringLiteral("BASIC SPEED MULTIPLICATION : 8"));
        QVERIFY(s.rule().startsWith(QStringLiteral("RULE FOR NUMBER 8| Subtract number from 10; double |")));
        QCOMPARE(s.rule().count(QLatin1Char('[')), 0);
        for (const char* name : {"lblRule", "lblRule1", "lblRule2", "lblRule3"})
            QCOMPARE(s.ruleColor(name), SysColors::Red);

        // Resting on something that is not a working box changes nothing.
        QHelpEvent onDigit(QEvent::ToolTip, QPoint(5, 5), s.panel(QStringLiteral("pnlMultiplicand3"))->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(s.panel(QStringLiteral("pnlMultiplicand3")), &onDigit);
        QCOMPARE(s.form->selectedMultiplier(), 8);

        QHelpEvent onBox(QEvent::ToolTip, QPoint(5, 5), s.box(3)->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(s.box(3), &onBox);
        QCOMPARE(s.form->selectedMultiplier(), 12);
        QCOMPARE(s.form->caption(), QStringLiteral("BASIC SPEED MULTIPLICATION : 12"));
        QVERIFY(s.rule().startsWith(QStringLiteral("RULE FOR NUMBER 12|")));
        QCOMPARE(s.ruleColor("lblRule2"), SysColors::windowText());

        // Moving the highlight brings it back too.
        s.choose(4);
        QCOMPARE(s.ruleColor("lblRule"), SysColors::Red);
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.form->selectedMultiplier(), 12);
    }

    void show_rule_hides_and_shows_the_rule()
    {
        Opened s;
        auto* check = s.form->findChild<QCheckBox*>(QStringLiteral("chkHideMentalBoxes"));
        QVERIFY(check->isChecked());
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(!s.label("lblRule")->isVisible());
        QVERIFY(!s.label("lblRule2")->isVisible());
        QCOMPARE(s.panel(QStringLiteral("pnlRule"))->bevelOuter(), Panel::Bevel::Lowered);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(s.label("lblRule")->isVisible());
        QCOMPARE(s.panel(QStringLiteral("pnlRule"))->bevelOuter(), Panel::Bevel::Raised);
    }

    void stored_options_and_best_times_are_read()
    {
        const QList<QPair<QByteArray, int>> cases = {
            {"9", 3}, {"1", 11}, {"2", 12}, {"0", 11}, {"10", 11}, {"-3", 11}, {"abc", 11}};
        for (const auto& [stored, multiplier] : cases) {
            Opened s("[MultiplyBasic]\r\nOption=" + stored + "\r\nTime12=0.0001\r\nTime3=-5\r\n");
            QVERIFY2(s.form->selectedMultiplier() == multiplier, stored.constData());
        }
        Opened s("[MultiplyBasic]\r\nOption=2\r\nTime12=0.0001\r\nTime3=-5\r\nTotal=7\r\nCorrect=4\r\n");
        QCOMPARE(s.form->findChild<QPushButton*>(QStringLiteral("btnTime"))->text(), QStringLiteral("0:08"));
        s.choose(3); // a negative time is no time
        QCOMPARE(s.form->findChild<QPushButton*>(QStringLiteral("btnTime"))->text(),
                 QString(TextChars::EmDash) + QLatin1Char(':') + QString(TextChars::EmDash));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("7"));
    }

    void the_custom_question_is_the_next_multiplicand()
    {
        Opened s;
        auto* record = s.form->findChild<QPushButton*>(QStringLiteral("BitBtnCustom"));
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = QStringLiteral("%1 %2 %3").arg(dialog->width())
                       .arg(dialog->findChild<QWidget*>(QStringLiteral("PnlOptionsQuestion"))->isVisible())
                       .arg(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion"))->maxLength());
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), QStringLiteral("12345678"));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        QTest::mouseClick(record, Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("249 0 8"));

        s.play(7); // a posed question waits behind the learner's own
        QCOMPARE(s.multiplicand(), QStringLiteral("12345678"));
        QCOMPARE(s.form->question().multiplier, 7);
        press(s.form, Qt::Key_Escape);

        // Cancel leaves the next question as it would have been.
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), QStringLiteral("99999999"));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QTest::mouseClick(record, Qt::LeftButton);
        QTest::mouseClick(s.form->findChild<QPushButton*>(QStringLiteral("BitBtnPlay")), Qt::LeftButton);
        QCOMPARE(s.form->question().multiplicand(), Example.toLongLong());
    }
};

QTEST_MAIN(TestPractiseMultiplyBasic)
#include "tst_PractiseMultiplyBasic.moc"
