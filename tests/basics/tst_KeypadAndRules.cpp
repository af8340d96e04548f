// The keyboard skills drill and the rules for multiplication screen through
// their windows.

#include "BasicsScreens.h"

#include <QPlainTextEdit>

#include "basics/BasicsKeyboardSkills.h"
#include "basics/BasicsRulesForMultiplication.h"
#include "platform/SystemInfo.h"

namespace {

const QString Ini = QStringLiteral("users/Ann.ini");
const QString KeypadHint = QStringLiteral("|Type a number on your numeric keypad on your right, or press ESC to stop.");
const QStringList RunControls = {"BitBtnPlay", "BitBtnStop", "pnlTimer", "pnlScores"};

void keypad(QWidget* form, Qt::Key key)
{
    QTest::keyClick(form, key, Qt::KeypadModifier);
}

} // namespace

class TestKeypadAndRules : public QObject
{
    Q_OBJECT
private slots:
    void keyboard_scores_each_keypad_key_at_once()
    {
        Session t;
        const int numLockBefore = SystemInfo::numLockRequests();
        const auto s = t.open<TBasicsKeyboardSkillsForm>("mnuKeyboardSkills");
        QCOMPARE(SystemInfo::numLockRequests(), numLockBefore + 1);
        const QStringList timing = {"lblQuestion", "trkbrQuestion", "lblAnswer", "trkbrAnswer", "btnTestSpeed"};
        QCOMPARE(s.shown(timing), QStringList({"lblQuestion", "trkbrQuestion"}));
        QCOMPARE(s.get<QWidget>("pnlTimer")->width(), 149);
        QCOMPARE(Hints::helpContext(s.get<QWidget>("trkbrQuestion")), 10200);
        QCOMPARE(s.answerTimer()->interval(), 1);

        s.form->setQuestionSource(std::make_unique<ScriptedNumbers>(QList<int>{7, 3, 10, 11}));
        t.env.dialogs.clear();
        s.click("BitBtnPlay");
        QCOMPARE(Hints::hint(s.form), KeypadHint);
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("7"));
        // The answer delay ends at once; the screen waits for the key.
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.tick(), QString());
        QCOMPARE(s.score(), QStringLiteral("0/0 "));

        keypad(s.form, Qt::Key_7);
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("7"));
        QCOMPARE(s.panel("pnlAnswer")->color(), SysColors::Lime);
        QCOMPARE(s.score(), QStringLiteral("1/1 green"));
        // The top-row 7 only switches NumLock on.
        const int numLock = SystemInfo::numLockRequests();
        s.key(Qt::Key_7);
        QCOMPARE(SystemInfo::numLockRequests(), numLock + 1);
        QCOMPARE(s.caption("pnlAnswer") + " " + s.score(), QStringLiteral("7 1/1 green"));

        QCOMPARE(s.tick(), QStringLiteral("question"));
        QCOMPARE(s.caption("pnlQuestion1") + "=" + s.caption("pnlAnswer"), QStringLiteral("3="));
        QCOMPARE(s.panel("pnlAnswer")->color(), SysColors::buttonFace());
        s.tick();
        keypad(s.form, Qt::Key_1);
        QCOMPARE(s.panel("pnlAnswer")->color(), SysColors::Red);
        QCOMPARE(s.score(), QStringLiteral("1/2 amber"));
        // A second key before the next question counts against the same one.
        keypad(s.form, Qt::Key_3);
        QCOMPARE(s.panel("pnlAnswer")->color(), SysColors::Lime);
        QCOMPARE(s.score(), QStringLiteral("2/3 amber"));

        s.tick();
        s.tick();
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("+"));
        keypad(s.form, Qt::Key_Plus);
        QCOMPARE(s.score(), QStringLiteral("3/4 green"));
        s.tick();
        s.tick();
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("-"));
        keypad(s.form, Qt::Key_Asterisk); // accepted, though never asked
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("*"));
        QCOMPARE(s.panel("pnlAnswer")->color(), SysColors::Red);
        QCOMPARE(s.score(), QStringLiteral("3/5 amber"));
        s.key(Qt::Key_Space); // a miss, as on every drill
        QCOMPARE(s.score(), QStringLiteral("2/5 red"));
        QVERIFY(t.env.dialogs.boxes.isEmpty()); // typing digits is the task here

        s.key(Qt::Key_Escape);
        QVERIFY(!s.form->playing());
        QCOMPARE(s.shown(timing), QStringList({"lblQuestion", "trkbrQuestion"}));
        // Keys after the run change nothing.
        keypad(s.form, Qt::Key_5);
        QCOMPARE(s.caption("pnlAnswer") + " " + s.score(), QStringLiteral("* 2/5 red"));
        QVERIFY(s.form->closeForm());
        QCOMPARE(sectionLines(t.env.readFile(Ini), "Keyboard"),
                 QStringList({"Total=5", "Correct=2", "AnswerPosition=10", "QuestionPosition=4"}));
    }

    void keyboard_questions_through_the_screen()
    {
        // A learner who types every character right: no question repeats
        // the one before, the first is not "0", all twelve come up.
        Session t;
        const auto s = t.open<TBasicsKeyboardSkillsForm>("mnuKeyboardSkills");
        const QHash<QChar, Qt::Key> keys = {{'+', Qt::Key_Plus}, {'-', Qt::Key_Minus}};
        s.click("BitBtnPlay");
        QVERIFY(s.caption("pnlQuestion1") != QLatin1String("0"));
        QSet<QString> asked;
        QString previous;
        for (int i = 0; i < 150; ++i) {
            const QString q = s.caption("pnlQuestion1");
            QVERIFY2(q.size() == 1 && q != previous, qPrintable(q));
            asked.insert(q);
            s.tick();
            keypad(s.form, q[0].isDigit() ? Qt::Key(Qt::Key_0 + q[0].digitValue()) : keys.value(q[0]));
            QCOMPARE(s.panel("pnlAnswer")->color(), SysColors::Lime);
            previous = q;
            s.tick();
        }
        s.click("BitBtnStop");
        QCOMPARE(s.score(), QStringLiteral("150/150 green"));
        QCOMPARE(int(asked.size()), 12);
    }

    void rules_learn_mode_pages_round_and_never_plays()
    {
        Session t;
        const auto s = t.open<TBasicsRulesForMultiplicationForm>("mnuRulesforMultiplication");
        auto* memo = s.get<QPlainTextEdit>("mmoRule");
        auto* changer = s.get<UpDown>("updnRuleChanger");
        QCOMPARE(s.shown(RunControls + QStringList{"updnRuleChanger"}), QStringList({"updnRuleChanger"}));
        QCOMPARE(Hints::hint(s.form), QStringLiteral("|Press previous-next button to see rules"));
        QCOMPARE(Hints::hint(memo), QStringLiteral("|Rules of multiplication."));
        QCOMPARE(Hints::hint(changer), QStringLiteral("|Click on this previous-next button to view the next or previous rule"));
        QCOMPARE(memo->toPlainText() + s.caption("pnlNumber"), QString());
        QCOMPARE(s.panel("pnlNumber")->color(), SysColors::buttonFace());
        QCOMPARE(memo->font().family() + QString::number(memo->font().pixelSize()), QStringLiteral("Times New Roman19"));

        s.key(Qt::Key_Return);
        s.key(Qt::Key_Return);
        QVERIFY(!s.form->playing());
        QVERIFY(!Globals::Practising);

        QTest::mouseClick(changer->upButton(), Qt::LeftButton);
        QCOMPARE(s.caption("pnlNumber"), QStringLiteral("1"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Copy down the multiplicand unchanged "));
        changer->click(UpDown::Direction::Down);
        changer->click(UpDown::Direction::Down);
        QCOMPARE(s.caption("pnlNumber"), QStringLiteral("12"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Double the number \n\nAdd the neighbor "));
        changer->click(UpDown::Direction::Up);
        QCOMPARE(s.caption("pnlNumber"), QStringLiteral("0"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Zero times any number is zero "));

        // The memo never keeps the focus, so keys reach the screen.
        memo->setFocus();
        QTest::mouseClick(memo->viewport(), Qt::LeftButton);
        QVERIFY(!memo->hasFocus());
        s.key(Qt::Key_Escape);
        QVERIFY(s.form->isClosed());
    }

    void rules_guess_modes_flash_numbers_and_rules()
    {
        Session t;
        {
            const auto s = t.open<TBasicsRulesForMultiplicationForm>("mnuRulesforMultiplication");
            auto* memo = s.get<QPlainTextEdit>("mmoRule");
            s.clickOption("pnlOptGuessRule");
            QCOMPARE(s.form->caption(), QStringLiteral("RULES FOR MULTIPLICATION : GUESS RULE"));
            QCOMPARE(s.shown(RunControls + QStringList{"updnRuleChanger"}), RunControls);
            QCOMPARE(s.panel("pnlNumber")->color(), SysColors::Lime);
            QCOMPARE(Hints::hint(s.panel("pnlOptGuessRule")), QStringLiteral("|Number will flash, you guess the rule."));
            s.form->setQuestionSource(std::make_unique<ScriptedNumbers>(QList<int>{5, 12}));
            s.key(Qt::Key_Return);
            s.key(Qt::Key_Return);
            QVERIFY(s.form->playing());
            QCOMPARE(s.caption("pnlNumber") + "|" + memo->toPlainText(), QStringLiteral("5|"));
            s.tick();
            QCOMPARE(memo->toPlainText(), QStringLiteral("Take \"half\" the neighbor \n\nAdd 5 if number is odd "));
            s.tick();
            QCOMPARE(s.caption("pnlNumber") + "|" + memo->toPlainText(), QStringLiteral("12|"));
            s.tick();
            s.key(Qt::Key_Space);
            QCOMPARE(s.score(), QStringLiteral("1/2 amber"));

            s.key(Qt::Key_Escape);
            s.clickOption("pnlOptGuessNumber");
            QCOMPARE(s.panel("pnlNumber")->color(), SysColors::buttonFace());
            QCOMPARE(s.caption("pnlNumber") + memo->toPlainText(), QString());
            s.form->setQuestionSource(std::make_unique<ScriptedNumbers>(QList<int>{3}));
            s.click("BitBtnPlay");
            QCOMPARE(memo->toPlainText().split(QStringLiteral("\n")).size(), 5);
            QCOMPARE(s.caption("pnlNumber"), QString());
            s.tick();
            QCOMPARE(s.caption("pnlNumber"), QStringLiteral("3"));
            s.click("BitBtnStop");

            QVERIFY(s.form->closeForm());
        }
        QCOMPARE(sectionLines(t.env.readFile(Ini), "RulesMultiplication"),
                 QStringList({"Option=3", "Total=3", "Correct=2", "AnswerPosition=10", "QuestionPosition=4"}));
        const auto s = t.open<TBasicsRulesForMultiplicationForm>("mnuRulesforMultiplication");
        QVERIFY(s.isSelected("pnlOptGuessNumber"));
        // Back to learning: no play or stop, no delays, no scores.
        s.clickOption("pnlOptLearnRules");
        QCOMPARE(s.shown(RunControls + QStringList{"updnRuleChanger"}), QStringList({"updnRuleChanger"}));
    }
};

QTEST_MAIN(TestKeypadAndRules)
#include "tst_KeypadAndRules.moc"
