// The flash drill engine through the addition screen, as a learner uses it:
// keys on the form, clicks on the buttons, the panels and the learner's file.

#include "BasicsScreens.h"

#include <QMenu>

#include "app/Help.h"

namespace {

const QString DigitMessage = QStringLiteral(
    "You are not supposed to type a number. Just think the answer mentally, compare it with the answer that "
    "flashes on the screen, and press the SPACEBAR if you are wrong. Click STOP button and read the Help file again.");
const QString CheckingMessage = QStringLiteral("You are checking the timing speed ! Cannot reduce score here.");

QString iniPath()
{
    return QStringLiteral("users/Ann.ini");
}

// A right click on a control, given to its window as the mouse gives it.
void rightClick(QWidget* control, QPoint pos = QPoint(5, 5))
{
    QWidget* top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, Qt::NoModifier, control->mapTo(top, pos));
}

} // namespace

class TestFlashEngine : public QObject
{
    Q_OBJECT
private slots:
    void a_fresh_learner_opens_the_screen()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        QVERIFY(s.form);
        QCOMPARE(t.env.sounds.calls, QStringList({"stop"})); // idle music off
        QVERIFY(!t.main.topMenu(1)->menuAction()->isEnabled());
        QCOMPARE(s.form->caption(), QStringLiteral("ADDITION : BASIC"));
        QVERIFY(s.isSelected("pnlOptRandom"));
        QCOMPARE(s.answerTimer()->interval(), 1500);
        QCOMPARE(s.questionTimer()->interval(), 1000);
        QVERIFY(!s.answerTimer()->isActive());
        QCOMPARE(s.answerTimer()->timerType(), Qt::PreciseTimer);
        QCOMPARE(s.correct(), 0);
        QCOMPARE(s.total(), 0);
        QCOMPARE(s.lamp(), QString());
        QCOMPARE(Hints::hint(s.form), QStringLiteral("|Press PLAY button or hit ENTER key on your keyboard to start."));
        QVERIFY(!s.get<QPushButton>("BitBtnStop")->isEnabled());
        QCOMPARE(s.form->size(), QSize(588, 379));
    }

    void a_run_of_three_questions_with_one_miss_and_a_second_run()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        s.form->setQuestionSource(std::make_unique<ScriptedQuestions>(
            QList<QPair<int, int>>{{16, 5}, {9, 7}, {11, 4}, {3, 8}, {19, 6}}));
        t.env.sounds.clear();

        // The first ENTER after opening only arms the key.
        s.key(Qt::Key_Return);
        QVERIFY(!s.form->playing());
        QVERIFY(s.form->enterArmed());
        s.key(Qt::Key_Return);
        QVERIFY(s.form->playing());
        QVERIFY(Globals::Practising);
        QCOMPARE(t.env.sounds.calls, QStringList({"resource PLAY async"}));
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("16"));
        QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("5"));
        QCOMPARE(s.caption("pnlAnswer"), QString());
        QVERIFY(s.answerTimer()->isActive());
        QVERIFY(!s.questionTimer()->isActive());
        QVERIFY(s.panel("pnlOptions")->isHidden());
        QVERIFY(s.panel("PnlOptions2")->isHidden());
        QVERIFY(s.get<UpDown>("updnCorrect")->isHidden());
        QVERIFY(s.get<UpDown>("updnTotal")->isHidden());
        QVERIFY(s.get<QPushButton>("BitBtnClear")->isHidden());
        QVERIFY(s.get<QPushButton>("btnTestSpeed")->isHidden());
        QVERIFY(!s.panel("pnlCorrect")->isHidden());
        QVERIFY(!s.get<QPushButton>("BitBtnPlay")->isEnabled());
        QVERIFY(!s.get<QPushButton>("BitBtnClose")->isEnabled());
        QVERIFY(s.get<QPushButton>("BitBtnStop")->isEnabled());
        QCOMPARE(Hints::hint(s.form), QStringLiteral("|Press STOP button or hit ESC key on your keyboard to stop."));

        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("21"));
        QCOMPARE(s.total(), 1);
        QCOMPARE(s.correct(), 1);
        QCOMPARE(s.lamp(), QStringLiteral("green"));
        QVERIFY(s.questionTimer()->isActive());
        QVERIFY(!s.answerTimer()->isActive());

        QCOMPARE(s.tick(), QStringLiteral("question"));
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("9"));
        QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("7"));
        QCOMPARE(s.caption("pnlAnswer"), QString());
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("16"));
        s.key(Qt::Key_Space); // thought wrong
        QCOMPARE(s.correct(), 1);
        QCOMPARE(s.lamp(), QStringLiteral("amber")); // 1 of 2: 50 %
        QCOMPARE(s.tick(), QStringLiteral("question"));
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.total(), 3);
        QCOMPARE(s.correct(), 2);
        QCOMPARE(s.lamp(), QStringLiteral("amber")); // 66 %

        // ESC stops: the answer on screen stays, nothing more is counted.
        QCOMPARE(s.tick(), QStringLiteral("question"));
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("3"));
        t.env.sounds.clear();
        s.key(Qt::Key_Escape);
        QVERIFY(!s.form->playing());
        QVERIFY(!Globals::Practising);
        QCOMPARE(t.env.sounds.calls, QStringList({"resource STOP async"}));
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("11"));
        QVERIFY(!s.answerTimer()->isActive());
        QVERIFY(!s.questionTimer()->isActive());
        QCOMPARE(s.total(), 3);
        QCOMPARE(s.correct(), 2);
        QVERIFY(!s.panel("pnlOptions")->isHidden());
        QVERIFY(!s.get<UpDown>("updnCorrect")->isHidden());
        QVERIFY(!s.get<QPushButton>("btnTestSpeed")->isHidden());
        QVERIFY(s.get<QPushButton>("BitBtnPlay")->isEnabled());
        QVERIFY(s.get<QPushButton>("BitBtnClose")->isEnabled());
        QVERIFY(!s.get<QPushButton>("BitBtnStop")->isEnabled());
        QCOMPARE(Hints::hint(s.form), QStringLiteral("|Press PLAY button or hit ENTER key on your keyboard to start."));

        // A second run carries on from 3 and 2.
        s.click("BitBtnPlay");
        QVERIFY(s.form->playing());
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.total(), 4);
        QCOMPARE(s.correct(), 3);
        s.click("BitBtnStop");
        QVERIFY(!s.form->playing());
    }

    void space_before_the_first_answer_and_held_space()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        s.click("BitBtnPlay");
        // The panel shows the highlight while SPACE is down.
        QTest::keyPress(s.form, Qt::Key_Space);
        QCOMPARE(s.panel("pnlCorrect")->color(), SysColors::highlight());
        QTest::keyRelease(s.form, Qt::Key_Space);
        QCOMPARE(s.panel("pnlCorrect")->color(), SysColors::buttonFace());
        QCOMPARE(s.correct(), 0);
        QCOMPARE(s.lamp(), QString());
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.correct(), 1);
        QCOMPARE(s.total(), 1);

        // Every release counts, several per question too; a held key's
        // repeats do not.
        s.key(Qt::Key_Space);
        s.key(Qt::Key_Space);
        QCOMPARE(s.correct(), 0);
        QCOMPARE(s.lamp(), QStringLiteral("red"));
        QCOMPARE(s.tick(), QStringLiteral("question"));
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.correct(), 1);
        QTest::keyPress(s.form, Qt::Key_Space);
        QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(s.form, &repeatUp);
        QKeyEvent repeatDown(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(s.form, &repeatDown);
        QTest::keyRelease(s.form, Qt::Key_Space);
        QCOMPARE(s.correct(), 0);
        QCOMPARE(s.total(), 2);

        // SPACE does not reach the focused STOP button while playing.
        s.get<QPushButton>("BitBtnStop")->setFocus();
        QTest::keyClick(s.get<QPushButton>("BitBtnStop"), Qt::Key_Space);
        QVERIFY(s.form->playing());
    }

    void up_downs_refuse_and_push()
    {
        Session t;
        t.env.writeFile(iniPath(), "[Addition]\r\nTotal=5\r\nCorrect=3\r\n");
        const OpenScreen s = t.open("mnuAddition");
        auto* correct = s.get<UpDown>("updnCorrect");
        auto* total = s.get<UpDown>("updnTotal");
        QCOMPARE(correct->minimum(), 0);
        QCOMPARE(correct->maximum(), 1000);
        QCOMPARE(total->maximum(), 1000);
        QCOMPARE(s.lamp(), QStringLiteral("amber")); // 60 %

        total->downButton()->click(); // one question less, the misses stay
        QCOMPARE(s.total(), 4);
        QCOMPARE(s.correct(), 2);
        QCOMPARE(s.lamp(), QStringLiteral("amber")); // 50 %
        correct->upButton()->click();
        correct->upButton()->click();
        QCOMPARE(s.correct(), 4);
        QCOMPARE(s.lamp(), QStringLiteral("green"));
        correct->upButton()->click(); // Correct equals Total: refused
        QCOMPARE(s.correct(), 4);
        QCOMPARE(correct->position(), 4);
        QCOMPARE(s.status(), QStringLiteral("CORRECT score cannot be more than TOTAL!"));

        // Correct stops at 0.
        for (int i = 0; i < 6; ++i)
            correct->downButton()->click();
        QCOMPARE(s.correct(), 0);
        QCOMPARE(s.lamp(), QStringLiteral("red"));
        // Lowering Total with no right answers leaves Correct at 0.
        total->downButton()->click();
        QCOMPARE(s.total(), 3);
        QCOMPARE(s.correct(), 0);
        total->upButton()->click();
        QCOMPARE(s.total(), 4);
    }

    void clearing_the_scores()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        s.click("BitBtnClear");
        QCOMPARE(s.status(), QStringLiteral("Nothing to clear. The CORRECT and TOTAL scores are already 0!"));
        QCOMPARE(t.env.dialogs.count("confirm"), 0);

        s.click("BitBtnPlay");
        s.tick();
        s.click("BitBtnStop");
        QCOMPARE(s.total(), 1);
        t.env.dialogs.confirmAnswers = {false, true};
        s.click("BitBtnClear");
        QCOMPARE(t.env.dialogs.texts("confirm"),
                 QStringList({"Are you sure you want to reset your CORRECT and TOTAL scores to 0?"}));
        QCOMPARE(s.total(), 1);
        QCOMPARE(s.lamp(), QStringLiteral("green"));
        s.click("BitBtnClear");
        QCOMPARE(t.env.dialogs.count("confirm"), 2);
        QCOMPARE(s.total(), 0);
        QCOMPARE(s.correct(), 0);
        QCOMPARE(s.get<UpDown>("updnTotal")->position(), 0);
        QCOMPARE(s.lamp(), QString());
    }

    void at_the_limit_of_1000()
    {
        Session t;
        t.env.writeFile(iniPath(), "[Addition]\r\nTotal=1000\r\nCorrect=990\r\n");
        const OpenScreen s = t.open("mnuAddition");
        s.get<UpDown>("updnTotal")->upButton()->click();
        QCOMPARE(s.total(), 1000);

        s.click("BitBtnPlay");
        QCOMPARE(t.env.dialogs.texts("information"),
                 QStringList({"Scores cannot be more than 1000. Please STOP and clear scores."}));
        QVERIFY(s.form->playing());
        s.tick();
        // Nothing more is counted: Correct would otherwise rise on its own.
        QCOMPARE(s.total(), 1000);
        QCOMPARE(s.correct(), 990);
        s.click("BitBtnStop");

        // At 1000 the scores clear without a question.
        s.click("BitBtnClear");
        QCOMPARE(t.env.dialogs.count("confirm"), 0);
        QCOMPARE(s.total(), 0);
        QCOMPARE(s.correct(), 0);
    }

    void the_timing_check_shows_eight_answers_and_counts_nothing()
    {
        Session t;
        t.env.writeFile(iniPath(), "[Addition]\r\nTotal=10\r\nCorrect=7\r\n");
        const OpenScreen s = t.open("mnuAddition");
        t.env.sounds.clear();
        s.click("btnTestSpeed");
        QVERIFY(s.form->checkingTiming());
        QVERIFY(!s.form->playing());
        QVERIFY(Globals::Practising);
        QCOMPARE(t.env.sounds.calls, QStringList({"resource PLAY async"}));
        auto* button = s.get<QPushButton>("btnTestSpeed");
        QCOMPARE(button->text(), QStringLiteral("Stop"));
        QCOMPARE(Hints::hint(button), QStringLiteral("|Move the thumb on the timers NOW to adjust speed. Press ESC key to stop"));
        QCOMPARE(Hints::hint(s.panel("pnlTimer")), Hints::hint(button));
        QCOMPARE(Hints::hint(s.form), QStringLiteral("|Press STOP button or hit ESC key on your keyboard to stop."));
        for (const char* name : {"BitBtnPlay", "BitBtnStop", "BitBtnClose", "BitBtnHelp"})
            QVERIFY2(s.get<QWidget>(name)->isHidden(), name);
        for (const char* name : {"pnlCorrect", "pnlTotal", "pnlTick", "pnlRed", "updnCorrect", "BitBtnClear"})
            QVERIFY2(s.get<QWidget>(name)->isHidden(), name);
        QVERIFY(s.get<QLabel>("lblQuestion")->isHidden());
        QVERIFY(!s.get<QLabel>("lblAnswer")->isHidden());
        QVERIFY(s.panel("pnlOptions")->isHidden());

        // SPACE and digits are refused with a message; the check goes on.
        s.key(Qt::Key_Space);
        QCOMPARE(t.env.dialogs.texts("error"), QStringList({CheckingMessage}));
        s.key(Qt::Key_4);
        QCOMPARE(t.env.dialogs.texts("error"), QStringList({CheckingMessage, CheckingMessage}));
        QVERIFY(s.form->checkingTiming());

        int answers = 0;
        QString label;
        for (int i = 0; i < 100 && s.form->checkingTiming(); ++i) {
            const QString fired = s.tick();
            if (fired == QStringLiteral("answer")) {
                ++answers;
                if (s.form->checkingTiming()) {
                    // While the question delay runs its label is the one shown.
                    QVERIFY(!s.get<QLabel>("lblQuestion")->isHidden());
                    QVERIFY(s.get<QLabel>("lblAnswer")->isHidden());
                }
            } else if (fired == QStringLiteral("question")) {
                QVERIFY(s.get<QLabel>("lblQuestion")->isHidden());
            } else {
                break;
            }
            // An adjustment half-way starts the eight answers again.
            if (answers == 5 && fired == QStringLiteral("answer") && label.isEmpty()) {
                s.get<QSlider>("trkbrAnswer")->setValue(12);
                QCOMPARE(s.form->timingCycles(), 0);
                label = QStringLiteral("moved");
            }
        }
        QCOMPARE(answers, 5 + 8);
        QVERIFY(!s.form->checkingTiming());
        QVERIFY(!Globals::Practising);
        QVERIFY(!s.answerTimer()->isActive());
        QVERIFY(!s.questionTimer()->isActive());
        QCOMPARE(s.total(), 10);
        QCOMPARE(s.correct(), 7);
        QCOMPARE(button->text(), QStringLiteral("Check Timing"));
        QCOMPARE(Hints::hint(button), QStringLiteral("|Check the speed of the Answer and Question flashing."));
        QVERIFY(Hints::hint(s.panel("pnlTimer")).isEmpty());
        for (const char* name : {"BitBtnPlay", "BitBtnClose", "BitBtnHelp", "pnlCorrect", "updnTotal", "lblQuestion", "lblAnswer"})
            QVERIFY2(!s.get<QWidget>(name)->isHidden(), name);
        QVERIFY(s.get<QPushButton>("BitBtnPlay")->isEnabled());
        QCOMPARE(t.env.sounds.calls.constLast(), QStringLiteral("resource STOP async"));
        QCOMPARE(Hints::hint(s.form), QStringLiteral("|Press PLAY button or hit ENTER key on your keyboard to start."));
    }

    void esc_ends_a_timing_check_and_enter_does_not_play_during_one()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        s.key(Qt::Key_Return); // arms
        s.click("btnTestSpeed");
        s.key(Qt::Key_Return);
        QVERIFY(s.form->checkingTiming());
        QVERIFY(!s.form->playing());
        s.tick();
        s.key(Qt::Key_Escape);
        QVERIFY(!s.form->checkingTiming());
        QVERIFY(!Globals::Practising);
        QCOMPARE(t.main.childForms().size(), 1); // the screen stays open
        QCOMPARE(s.total(), 0);
    }

    void a_digit_during_a_run_explains_and_opens_the_basics_topic()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        // Not playing: digits are nobody's business.
        s.key(Qt::Key_7);
        QVERIFY(t.env.dialogs.texts("error").isEmpty());

        s.click("BitBtnPlay");
        t.env.help.clear();
        s.key(Qt::Key_7);
        QCOMPARE(t.env.dialogs.texts("error"), QStringList({DigitMessage}));
        QCOMPARE(t.env.help.requests.size(), 2);
        QCOMPARE(t.env.help.requests[0].command, unsigned(Help::HELP_CONTENTS));
        QCOMPARE(t.env.help.requests[1].command, unsigned(Help::HELP_COMMAND));
        QCOMPARE(t.env.help.requests[1].data.toString(), QStringLiteral("JumpID(\"\", \"ScreenHelp_Basics\")"));
        QVERIFY(s.form->playing());
        QVERIFY(s.answerTimer()->isActive());
        // Keypad digits too.
        QTest::keyClick(s.form, Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(t.env.dialogs.count("error"), 2);
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.total(), 1);
    }

    void closing_is_refused_while_playing_and_esc_closes_when_idle()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        s.click("BitBtnPlay");
        QVERIFY(!s.form->closeForm());
        QCOMPARE(t.env.dialogs.count("beep"), 1);
        QCOMPARE(t.env.dialogs.texts("information"), QStringList({"Unable to close while practising! Press STOP first."}));
        QCOMPARE(t.main.childForms().size(), 1);
        QVERIFY(!QFile::exists(t.env.path(iniPath())));

        s.key(Qt::Key_Escape); // stops
        QVERIFY(!s.form->playing());
        QCOMPARE(t.main.childForms().size(), 1);
        QPointer<TBasicsFactForm> watch(s.form);
        s.key(Qt::Key_Escape); // closes
        QVERIFY(t.main.childForms().isEmpty());
        QVERIFY(t.main.topMenu(1)->menuAction()->isEnabled());
        QTRY_VERIFY(watch.isNull());
        QVERIFY(QFile::exists(t.env.path(iniPath())));
    }

    void eject_plays_its_sound_and_saves_exactly_the_section_keys()
    {
        Session t;
        t.env.writeFile(iniPath(), "[GradePrefs]\r\nUserLevel=1\r\n[Other]\r\nKeep=me\r\n");
        {
            const OpenScreen s = t.open("mnuAddition");
            s.form->setQuestionSource(std::make_unique<ScriptedQuestions>(QList<QPair<int, int>>{{6, 0}, {9, 0}}));
            s.clickOption("pnlOptBy5");
            s.get<QSlider>("trkbrAnswer")->setValue(2);
            s.get<QSlider>("trkbrQuestion")->setValue(20);
            s.click("BitBtnPlay");
            s.tick();
            s.tick();
            s.tick();
            s.key(Qt::Key_Space);
            s.click("BitBtnStop");
            QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("14"));
            t.env.sounds.clear();
            s.click("BitBtnClose");
            QCOMPARE(t.env.sounds.calls, QStringList({"resource EXITBASICS sync", "resource MAINSCREEN loop"}));
            QVERIFY(t.main.childForms().isEmpty());
        }
        const QByteArray file = t.env.readFile(iniPath());
        QCOMPARE(sectionLines(file, "Addition"),
                 QStringList({"Option=2", "Total=2", "Correct=1", "AnswerPosition=2", "QuestionPosition=20"}));
        QCOMPARE(sectionLines(file, "Other"), QStringList({"Keep=me"}));
        QCOMPARE(sectionLines(file, "GradePrefs"), QStringList({"UserLevel=1"}));

        // The next opening restores option, counts and delays.
        const OpenScreen again = t.open("mnuAddition");
        QVERIFY(again.isSelected("pnlOptBy5"));
        QCOMPARE(again.form->caption(), QStringLiteral("ADDITION : BY 5"));
        QCOMPARE(again.total(), 2);
        QCOMPARE(again.correct(), 1);
        QCOMPARE(again.lamp(), QStringLiteral("amber"));
        QCOMPARE(again.answerTimer()->interval(), 300);
        QCOMPARE(again.questionTimer()->interval(), 5000);
        QCOMPARE(Hints::hint(again.get<QSlider>("trkbrAnswer")),
                 QStringLiteral("0.3|Sets the amount of time between the question flashing and the answer appearing."));
        QCOMPARE(Hints::hint(again.get<QSlider>("trkbrQuestion")),
                 QStringLiteral("5|Sets the amount of time before the next question appears."));
    }

    void track_bars_set_the_delays_and_their_hints()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        auto* answer = s.get<QSlider>("trkbrAnswer");
        auto* question = s.get<QSlider>("trkbrQuestion");
        QCOMPARE(answer->minimum(), 2);
        QCOMPARE(answer->maximum(), 40);
        QCOMPARE(question->minimum(), 1);
        QCOMPARE(question->maximum(), 20);
        QCOMPARE(answer->pageStep(), 1);
        QCOMPARE(answer->tickInterval(), 1);
        QCOMPARE(answer->toolTip(), QStringLiteral("1.5"));
        QCOMPARE(question->toolTip(), QStringLiteral("1"));
        const QList<QPair<int, QString>> answerCases = {{2, "0.3"}, {3, "0.45"}, {40, "6"}, {7, "1.05"}};
        for (const auto& [position, tip] : answerCases) {
            answer->setValue(position);
            QCOMPARE(s.answerTimer()->interval(), position * 150);
            QCOMPARE(answer->toolTip(), tip);
        }
        question->setValue(3);
        QCOMPARE(s.questionTimer()->interval(), 750);
        QCOMPARE(question->toolTip(), QStringLiteral("0.75"));

        // The status bar explains the control under the mouse.
        HintRouter::instance().hintFromControl(answer);
        QCOMPARE(s.status(), QStringLiteral("Sets the amount of time between the question flashing and the answer appearing."));
        HintRouter::instance().hintFromControl(s.get<QLabel>("lblQuestion"));
        QCOMPARE(s.status(), QStringLiteral("Sets the amount of time before the next question appears."));

        // A change while the delay runs restarts it with the new length.
        s.click("BitBtnPlay");
        answer->setValue(20);
        QVERIFY(s.answerTimer()->isActive());
        QCOMPARE(s.answerTimer()->interval(), 3000);
        QVERIFY(s.answerTimer()->remainingTime() > 1500);
        s.click("BitBtnStop");
    }

    void stored_values_the_screen_never_writes_are_brought_into_range()
    {
        Session t;
        struct Case {
            QByteArray section;
            int correct, total, answerMs, questionMs;
            const char* option;
        };
        const QList<Case> cases = {
            {"AnswerPosition=99\r\nQuestionPosition=0\r\nOption=9\r\n", 0, 0, 6000, 250, "pnlOptRandom"},
            {"AnswerPosition=-4\r\nQuestionPosition=77\r\nOption=0\r\n", 0, 0, 300, 5000, "pnlOptRandom"},
            {"Correct=7\r\nTotal=3\r\nOption=4\r\n", 3, 3, 1500, 1000, "pnlOpt22Digit"},
            {"Correct=4\r\nTotal=0\r\n", 0, 0, 1500, 1000, "pnlOptRandom"},
            {"Correct=-3\r\nTotal=5000\r\n", 0, 1000, 1500, 1000, "pnlOptRandom"},
            {"Correct=abc\r\nTotal=0x10\r\nAnswerPosition=\r\nOption=two\r\n", 0, 16, 1500, 1000, "pnlOptRandom"},
        };
        for (const Case& c : cases) {
            t.env.writeFile(iniPath(), "[Addition]\r\n" + c.section);
            const OpenScreen s = t.open("mnuAddition");
            QVERIFY2(s.isSelected(c.option), c.section.constData());
            QCOMPARE(s.correct(), c.correct);
            QCOMPARE(s.total(), c.total);
            QCOMPARE(s.get<UpDown>("updnCorrect")->position(), c.correct);
            QCOMPARE(s.answerTimer()->interval(), c.answerMs);
            QCOMPARE(s.questionTimer()->interval(), c.questionMs);
            QVERIFY(s.form->closeForm());
            QVERIFY(t.env.dialogs.texts("error").isEmpty());
        }
        // What is written back is in range.
        QCOMPARE(sectionLines(t.env.readFile(iniPath()), "Addition"),
                 QStringList({"Correct=0", "Total=16", "AnswerPosition=10", "Option=1", "QuestionPosition=4"}));
    }

    void lamps_follow_the_learners_bounds()
    {
        Session t;
        struct Case {
            int level, lower, upper, correct, total;
            QString lamp;
        };
        const QList<Case> cases = {
            {1, 50, 74, 37, 50, "amber"}, {3, 80, 94, 37, 50, "red"},   {1, 50, 74, 3, 4, "green"},
            {1, 50, 74, 0, 1, "red"},     {1, 50, 74, 7, 10, "amber"},  {1, 50, 74, 2, 3, "amber"},
            {2, 65, 84, 85, 100, "green"}, {2, 65, 84, 64, 100, "red"}, {4, 30, 40, 41, 100, "green"},
        };
        for (const Case& c : cases) {
            Globals::UserLevel = quint8(c.level);
            Globals::LowerAmber = quint8(c.lower);
            Globals::UpperAmber = quint8(c.upper);
            t.env.writeFile(iniPath(), QStringLiteral("[Addition]\r\nCorrect=%1\r\nTotal=%2\r\n").arg(c.correct).arg(c.total).toLatin1());
            const OpenScreen s = t.open("mnuAddition");
            QCOMPARE(s.lamp(), c.lamp);
            s.form->closeForm();
        }

        Globals::UserLevel = 2;
        Globals::LowerAmber = 65;
        Globals::UpperAmber = 84;
        const OpenScreen s = t.open("mnuAddition");
        const QList<QPair<const char*, QString>> hints = {{"pnlRed", "Intermediate : Score : 0-64 %"},
                                                          {"shpRed", "Intermediate : Score : 0-64 %"},
                                                          {"pnlAmber", "Intermediate : Score : 65-84 %"},
                                                          {"shpAmber", "Intermediate : Score : 65-84 %"},
                                                          {"pnlGreen", "Intermediate : Score : 85-100 %"},
                                                          {"shpGreen", "Intermediate : Score : 85-100 %"}};
        for (const auto& [name, hint] : hints)
            QCOMPARE(Hints::hint(s.get<QWidget>(name)), hint);
        s.form->closeForm();

        Globals::UserLevel = 7; // unknown level: no prefix
        const OpenScreen plain = t.open("mnuAddition");
        QCOMPARE(Hints::hint(plain.get<QWidget>("pnlAmber")), QStringLiteral("Score : 65-84 %"));
    }

    void saving_without_a_writable_folder_or_a_readable_file_loses_nothing()
    {
        Session t;
        t.env.writeFile(iniPath(), "[Addition]\r\nTotal=4\r\nCorrect=2\r\n");
        Globals::UserDataWritable = false;
        {
            const OpenScreen s = t.open("mnuAddition");
            QCOMPARE(s.total(), 4);
            s.click("BitBtnPlay");
            s.tick();
            s.click("BitBtnStop");
            QVERIFY(s.form->closeForm());
        }
        QCOMPARE(t.env.dialogs.texts("information"),
                 QStringList({QStringLiteral("Folder: ") + Globals::UserDataFolder + QStringLiteral("\r\n\r\n")
                              + QStringLiteral("Unable to save your performance data in folder above.\r\nYour hard disk may be full, or you may have system errors.")}));
        QCOMPARE(sectionLines(t.env.readFile(iniPath()), "Addition"), QStringList({"Total=4", "Correct=2"}));

        // A folder where the learner's file should be: the screen works with
        // defaults, saving says why it failed, and the folder is left alone.
        Globals::UserDataWritable = true;
        QFile::remove(t.env.path(iniPath()));
        QDir().mkpath(t.env.path(iniPath() + QStringLiteral("/inside")));
        t.env.dialogs.clear();
        const OpenScreen s = t.open("mnuAddition");
        QCOMPARE(s.total(), 0);
        QVERIFY(s.form->closeForm());
        QCOMPARE(t.env.dialogs.count("error"), 1);
        QVERIFY(!t.env.dialogs.texts("error").constFirst().isEmpty());
        QVERIFY(QFileInfo(t.env.path(iniPath() + QStringLiteral("/inside"))).isDir());
    }

    void help_button_f1_and_whats_this()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        const QString file = Help::applicationHelpFile();
        t.env.sounds.clear();
        s.click("BitBtnHelp");
        QCOMPARE(t.env.sounds.calls, QStringList({"resource HELP async"}));
        QCOMPARE(t.env.help.requests.size(), 1);
        QCOMPARE(t.env.help.requests[0].command, unsigned(Help::HELP_CONTEXT));
        QCOMPARE(t.env.help.requests[0].data.toInt(), 500);
        QCOMPARE(Hints::helpContext(s.form), 500);
        s.key(Qt::Key_F1);
        QCOMPARE(t.env.help.requests.size(), 2);
        QCOMPARE(t.env.help.requests[1].data.toInt(), 500);

        const QList<QPair<const char*, int>> contexts = {
            {"trkbrAnswer", 10100}, {"trkbrQuestion", 10110}, {"btnTestSpeed", 10120}, {"BitBtnClear", 10130},
            {"updnCorrect", 10140}, {"pnlCorrect", 10140},    {"updnTotal", 10150},    {"pnlTotal", 10150},
            {"stbrScreen", 10190},  {"pnlRed", 20230},        {"pnlAmber", 20230},     {"pnlGreen", 20230},
        };
        auto* menu = s.get<WhatsThisMenu>("popupWhatsThis");
        QVERIFY(menu);
        for (const auto& [name, context] : contexts) {
            t.env.help.clear();
            rightClick(s.get<QWidget>(name));
            QVERIFY2(menu->isVisible(), name);
            QCOMPARE(menu->popupComponent(), s.get<QWidget>(name));
            s.form->mnuWhatsThisClick();
            menu->hide();
            QCOMPARE(t.env.help.requests.size(), 1);
            QCOMPARE(t.env.help.requests[0].command, unsigned(Help::HELP_CONTEXTPOPUP));
            QCOMPARE(t.env.help.requests[0].data.toInt(), context);
            QCOMPARE(t.env.help.requests[0].file, file);
        }
        // A right click on a lamp's circle is the lamp's.
        rightClick(s.get<QWidget>("shpGreen"));
        QCOMPARE(menu->popupComponent(), s.get<QWidget>("pnlGreen"));
        menu->hide();

        // In the VCR panel: play, stop (even disabled) and eject, not help.
        const QList<QPair<const char*, int>> vcr = {{"BitBtnPlay", 10160}, {"BitBtnStop", 10170}, {"BitBtnClose", 10180}};
        for (const auto& [name, context] : vcr) {
            t.env.help.clear();
            rightClick(s.get<QWidget>(name), QPoint(10, 10));
            QVERIFY2(menu->isVisible(), name);
            QCOMPARE(menu->popupComponent(), s.get<QWidget>(name));
            menu->whatsThisAction()->trigger();
            menu->hide();
            QCOMPARE(t.env.help.requests.size(), 1);
            QCOMPARE(t.env.help.requests[0].data.toInt(), context);
        }
        rightClick(s.get<QWidget>("BitBtnHelp"), QPoint(10, 10));
        QVERIFY(!menu->isVisible());
        QVERIFY(!s.form->pnlVCRContextPopup(QPoint(2, 2))); // the panel's own border
        QVERIFY(!menu->isVisible());
    }

    void hints_of_the_engine_controls()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        const QList<QPair<const char*, QString>> hints = {
            {"updnCorrect", "|Adjusts your Correct answers."},
            {"updnTotal", "|Adjusts the TOTAL number of questions."},
            {"BitBtnClear", "Clear marks|Resets the CORRECT ANSWERS and TOTAL QUESTIONS to 0"},
            {"pnlCorrect", "Correct Answers|CORRECT ANSWERS: The number of right answers"},
            {"pnlTotal", "Total Questions|TOTAL QUESTIONS: The total number of questions you have tried."},
            {"pnlTick", "|CORRECT: The number of right answers"},
            {"BitBtnPlay", "Play|Keyboard Shortcut: Press the ENTER key on your keyboard to play."},
            {"BitBtnStop", "Stop|Keyboard Shortcut: Press ESC key to stop."},
            {"BitBtnClose", "Eject|Press EJECT button to finish pracitising; then, choose a different screen from the menu."},
            {"BitBtnHelp", "Show method|Press this button to obtain help for this Vandrelsholm method."},
            {"lblAnswer", "|Sets the amount of time between the question flashing and the answer appearing."},
            {"lblQuestion", "|Sets the amount of time before the next question appears."},
            {"btnTestSpeed", "|Check the speed of the Answer and Question flashing."},
        };
        for (const auto& [name, hint] : hints)
            QCOMPARE(Hints::hint(s.get<QWidget>(name)), hint);
        QCOMPARE(s.get<QWidget>("BitBtnPlay")->toolTip(), QStringLiteral("Play"));
        QCOMPARE(s.get<QLabel>("lblQuestion")->text(), QStringLiteral("Question Time"));
        QCOMPARE(s.get<QLabel>("lblAnswer")->text(), QStringLiteral("Answer Time"));
        QCOMPARE(s.get<QPushButton>("btnTestSpeed")->text(), QStringLiteral("Check Timing"));
        const QFont score = s.panel("pnlCorrect")->font();
        QVERIFY(score.bold());
        QCOMPARE(score.pixelSize(), 16);
        QCOMPARE(score.family(), QStringLiteral("Arial"));

        // A control without a hint of its own shows the form's, which
        // follows the run.
        HintRouter::instance().hintFromControl(s.get<QWidget>("imgTick"));
        QCOMPARE(s.status(), QStringLiteral("CORRECT: The number of right answers"));
        HintRouter::instance().hintFromControl(s.get<QWidget>("pnlVCR"));
        QCOMPARE(s.status(), QStringLiteral("Press PLAY button or hit ENTER key on your keyboard to start."));
        s.click("BitBtnPlay");
        QCOMPARE(s.status(), QStringLiteral("Press STOP button or hit ESC key on your keyboard to stop."));
        s.click("BitBtnStop");
    }

    void no_sounds_when_practice_sounds_are_off()
    {
        Session t;
        Globals::PracticeSoundsOn = false;
        Globals::IdleMusicOn = false;
        const OpenScreen s = t.open("mnuAddition");
        s.click("BitBtnPlay");
        s.click("BitBtnStop");
        s.click("BitBtnHelp");
        s.click("BitBtnClose");
        QVERIFY(t.env.sounds.calls.isEmpty());
        QVERIFY(t.main.childForms().isEmpty());
    }
};

QTEST_MAIN(TestFlashEngine)
#include "tst_FlashEngine.moc"
