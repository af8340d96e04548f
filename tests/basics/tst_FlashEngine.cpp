// The flash drill engine through the addition screen, as a learner uses it:
// keys on the form, clicks on the buttons, the panels and the learner's file.

#include "BasicsScreens.h"

#include "shell/Help.h"
#include "shell/Strings.h"

namespace {

const QString DigitMessage = QStringLiteral(
    "You are not supposed to type a number. Just think the answer mentally, compare it with the answer that "
    "flashes on the screen, and press the SPACEBAR if you are wrong. Click STOP button and read the Help file again.");
const QString CheckingMessage = QStringLiteral("You are checking the timing speed ! Cannot reduce score here.");
const QString PlayHint = QStringLiteral("|Press PLAY button or hit ENTER key on your keyboard to start.");
const QString StopHint = QStringLiteral("|Press STOP button or hit ESC key on your keyboard to stop.");
const QString Ini = QStringLiteral("users/Ann.ini");

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
        QCOMPARE(t.env.sounds.calls, QStringList({"stop"})); // idle music off
        QVERIFY(!t.main.topMenu(1)->menuAction()->isEnabled());
        QCOMPARE(s.form->caption(), QStringLiteral("ADDITION : BASIC"));
        QVERIFY(s.isSelected("pnlOptRandom"));
        QCOMPARE(s.answerTimer()->interval(), 1500);
        QCOMPARE(s.questionTimer()->interval(), 1000);
        QCOMPARE(s.answerTimer()->timerType(), Qt::PreciseTimer);
        QCOMPARE(s.correct() + s.total(), 0);
        QCOMPARE(s.lamp(), QString());
        QCOMPARE(s.enabled({"BitBtnPlay", "BitBtnStop", "BitBtnClose"}), QStringList({"BitBtnPlay", "BitBtnClose"}));
    }

    void a_run_of_three_questions_with_one_miss_and_a_second_run()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        s.form->setQuestionSource(std::make_unique<ScriptedQuestions>(
            QList<QPair<int, int>>{{16, 5}, {9, 7}, {11, 4}, {3, 8}, {19, 6}}));
        t.env.sounds.clear();
        const QStringList runHides = {"pnlOptions", "PnlOptions2", "updnCorrect", "updnTotal", "BitBtnClear", "btnTestSpeed", "pnlCorrect"};

        // The release of the ENTER that opened the screen from the menu does
        // not play; one whole ENTER does, however the screen was opened.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(s.form, &release);
        QVERIFY(!s.form->playing());
        s.key(Qt::Key_Return);
        QVERIFY(s.form->playing());
        QVERIFY(Globals::Practising);
        QCOMPARE(t.env.sounds.calls, QStringList({"resource PLAY async"}));
        QCOMPARE(s.caption("pnlQuestion1") + "+" + s.caption("pnlQuestion2") + "=" + s.caption("pnlAnswer"), QStringLiteral("16+5="));
        QVERIFY(s.answerTimer()->isActive());
        QCOMPARE(s.shown(runHides), QStringList({"pnlCorrect"}));
        QCOMPARE(s.enabled({"BitBtnPlay", "BitBtnStop", "BitBtnClose"}), QStringList({"BitBtnStop"}));
        QCOMPARE(Hints::hint(s.form), StopHint);

        QCOMPARE(s.tick(), QStringLiteral("answer"));
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("21"));
        QCOMPARE(s.score(), QStringLiteral("1/1 green"));
        QVERIFY(!s.answerTimer()->isActive());
        QCOMPARE(s.tick(), QStringLiteral("question"));
        QCOMPARE(s.caption("pnlQuestion1") + "+" + s.caption("pnlQuestion2") + "=" + s.caption("pnlAnswer"), QStringLiteral("9+7="));
        QCOMPARE(s.tick(), QStringLiteral("answer"));
        s.key(Qt::Key_Space); // thought wrong
        QCOMPARE(s.score(), QStringLiteral("1/2 amber"));
        s.tick();
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("2/3 amber")); // 66 %

        // ESC stops: the answer of the question on screen shows, uncounted.
        QCOMPARE(s.tick(), QStringLiteral("question"));
        t.env.sounds.clear();
        s.key(Qt::Key_Escape);
        QVERIFY(!s.form->playing());
        QVERIFY(!Globals::Practising);
        QCOMPARE(t.env.sounds.calls, QStringList({"resource STOP async"}));
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("11"));
        QCOMPARE(s.tick(), QString());
        QCOMPARE(s.score(), QStringLiteral("2/3 amber"));
        QCOMPARE(s.shown(runHides), runHides);
        QCOMPARE(s.enabled({"BitBtnPlay", "BitBtnStop", "BitBtnClose"}), QStringList({"BitBtnPlay", "BitBtnClose"}));
        QCOMPARE(Hints::hint(s.form), PlayHint);

        // A second run carries on from 3 and 2.
        s.click("BitBtnPlay");
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("3/4 green"));
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
        QCOMPARE(s.score(), QStringLiteral("0/0 "));
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("1/1 green"));

        // Every release counts, several per question too; a held key's
        // repeats do not.
        s.key(Qt::Key_Space);
        s.key(Qt::Key_Space);
        QCOMPARE(s.score(), QStringLiteral("0/1 red"));
        s.tick();
        s.tick();
        QTest::keyPress(s.form, Qt::Key_Space);
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeat(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
            QApplication::sendEvent(s.form, &repeat);
        }
        QTest::keyRelease(s.form, Qt::Key_Space);
        QCOMPARE(s.score(), QStringLiteral("0/2 red"));

        // SPACE does not reach the focused STOP button while playing.
        auto* stop = s.get<QPushButton>("BitBtnStop");
        stop->setFocus();
        QTest::keyClick(stop, Qt::Key_Space);
        QVERIFY(s.form->playing());
    }

    // A hold that the X server sends as press and release pairs without the
    // repeat mark counts as one miss; ESC going up after it closed a pop-up
    // over the screen closes nothing; at the 1000 limit a miss is not counted
    // either, and the status bar says why.
    void held_space_unmarked_esc_from_a_popup_and_misses_at_the_limit()
    {
        Session t;
        t.env.writeFile(Ini, "[Addition]\r\nTotal=999\r\nCorrect=999\r\n");
        const OpenScreen s = t.open("mnuAddition");
        s.click("BitBtnPlay");
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("1000/1000 green"));
        t.env.dialogs.clear();
        auto sendSpace = [&](QEvent::Type type, quint64 at) {
            QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            e.setTimestamp(at);
            QApplication::sendEvent(s.form, &e);
        };
        s.get<QWidget>("updnCorrect")->setFocus();
        // One held press: 5000 down, repeats at 5500, 5530, 5560, up at 5800.
        sendSpace(QEvent::KeyPress, 5000);
        for (quint64 at : {5500, 5530, 5560}) {
            sendSpace(QEvent::KeyRelease, at);
            sendSpace(QEvent::KeyPress, at);
        }
        sendSpace(QEvent::KeyRelease, 5800);
        QCOMPARE(s.score(), QStringLiteral("1000/1000 green"));
        QCOMPARE(s.status(), Hints::longHint(Strings::text(Strings::ScoreLimit)));

        // Below the limit the same hold is one miss, a second press another.
        s.key(Qt::Key_Escape);
        s.click("BitBtnClear");
        s.click("BitBtnPlay");
        s.tick();
        sendSpace(QEvent::KeyPress, 7000);
        for (quint64 at : {7500, 7530}) {
            sendSpace(QEvent::KeyRelease, at);
            sendSpace(QEvent::KeyPress, at);
        }
        sendSpace(QEvent::KeyRelease, 7700);
        QCOMPARE(s.score(), QStringLiteral("0/1 red"));
        s.tick();
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("1/2 amber"));
        sendSpace(QEvent::KeyPress, 9900);
        sendSpace(QEvent::KeyRelease, 10000);
        QCOMPARE(s.score(), QStringLiteral("0/2 red"));

        s.key(Qt::Key_Escape);
        QVERIFY(!s.form->playing());
        QKeyEvent escUp(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(s.form, &escUp);
        QCOMPARE(t.main.childForms().size(), 1);
    }

    void up_downs_refuse_and_push()
    {
        Session t;
        t.env.writeFile(Ini, "[Addition]\r\nTotal=5\r\nCorrect=3\r\n");
        const OpenScreen s = t.open("mnuAddition");
        auto* correct = s.get<UpDown>("updnCorrect");
        auto* total = s.get<UpDown>("updnTotal");
        QCOMPARE(s.score(), QStringLiteral("3/5 amber"));
        total->downButton()->click(); // one question less, the misses stay
        QCOMPARE(s.score(), QStringLiteral("2/4 amber"));
        correct->upButton()->click();
        correct->upButton()->click();
        QCOMPARE(s.score(), QStringLiteral("4/4 green"));
        correct->upButton()->click(); // Correct equals Total: refused
        QCOMPARE(s.score(), QStringLiteral("4/4 green"));
        QCOMPARE(correct->position(), 4);
        QCOMPARE(s.status(), QStringLiteral("CORRECT score cannot be more than TOTAL!"));

        for (int i = 0; i < 6; ++i)
            correct->downButton()->click();
        QCOMPARE(s.score(), QStringLiteral("0/4 red"));
        total->downButton()->click(); // no right answers to take along
        QCOMPARE(s.score(), QStringLiteral("0/3 red"));
        total->upButton()->click();
        QCOMPARE(s.score(), QStringLiteral("0/4 red"));
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
        t.env.dialogs.confirmAnswers = {false, true};
        s.click("BitBtnClear");
        QCOMPARE(t.env.dialogs.texts("confirm"),
                 QStringList({"Are you sure you want to reset your CORRECT and TOTAL scores to 0?"}));
        QCOMPARE(s.score(), QStringLiteral("1/1 green"));
        s.click("BitBtnClear");
        QCOMPARE(t.env.dialogs.count("confirm"), 2);
        QCOMPARE(s.score(), QStringLiteral("0/0 "));
        QCOMPARE(s.get<UpDown>("updnTotal")->position(), 0);
    }

    void at_the_limit_of_1000()
    {
        Session t;
        t.env.writeFile(Ini, "[Addition]\r\nTotal=1000\r\nCorrect=990\r\n");
        const OpenScreen s = t.open("mnuAddition");
        s.get<UpDown>("updnTotal")->upButton()->click();
        QCOMPARE(s.total(), 1000);

        s.click("BitBtnPlay");
        QCOMPARE(t.env.dialogs.texts("information"),
                 QStringList({"Scores cannot be more than 1000. Please STOP and clear scores."}));
        QVERIFY(s.form->playing());
        s.tick();
        // Nothing more is counted: Correct would otherwise rise on its own.
        QCOMPARE(s.score(), QStringLiteral("990/1000 green"));
        s.click("BitBtnStop");

        // At 1000 the scores clear without a question.
        s.click("BitBtnClear");
        QCOMPARE(t.env.dialogs.count("confirm"), 0);
        QCOMPARE(s.score(), QStringLiteral("0/0 "));
    }

    void the_timing_check_shows_eight_answers_and_counts_nothing()
    {
        Session t;
        t.env.writeFile(Ini, "[Addition]\r\nTotal=10\r\nCorrect=7\r\n");
        const OpenScreen s = t.open("mnuAddition");
        t.env.sounds.clear();
        const QStringList checkHides = {"BitBtnPlay", "BitBtnStop", "BitBtnClose", "BitBtnHelp", "pnlCorrect", "pnlTotal",
                                        "pnlTick", "pnlRed", "updnCorrect", "BitBtnClear", "lblQuestion", "pnlOptions"};
        auto* button = s.get<QPushButton>("btnTestSpeed");
        s.click("btnTestSpeed");
        QVERIFY(s.form->checkingTiming());
        QVERIFY(!s.form->playing());
        QVERIFY(Globals::Practising);
        QCOMPARE(t.env.sounds.calls, QStringList({"resource PLAY async"}));
        QCOMPARE(button->text(), QStringLiteral("Stop"));
        QCOMPARE(Hints::hint(s.panel("pnlTimer")), Hints::hint(button));
        QCOMPARE(Hints::hint(s.form), StopHint);
        QCOMPARE(s.shown(checkHides), QStringList());

        // SPACE and digits are refused with a message; the check goes on.
        s.key(Qt::Key_Space);
        s.key(Qt::Key_4);
        QCOMPARE(t.env.dialogs.texts("error"), QStringList({CheckingMessage, CheckingMessage}));
        QVERIFY(s.form->checkingTiming());

        // While a delay runs, its label is the one shown. An adjustment after
        // the fifth answer starts the eight answers again.
        int answers = 0;
        for (int i = 0; i < 100 && s.form->checkingTiming(); ++i) {
            const QString fired = s.tick();
            QVERIFY(!fired.isEmpty());
            if (!s.form->checkingTiming())
                break;
            const QString running = fired == QStringLiteral("answer") ? QStringLiteral("lblQuestion") : QStringLiteral("lblAnswer");
            QCOMPARE(s.shown({"lblQuestion", "lblAnswer"}), QStringList({running}));
            if (fired == QStringLiteral("answer") && ++answers == 5) {
                s.get<QSlider>("trkbrAnswer")->setValue(12);
                QCOMPARE(s.form->timingCycles(), 0);
            }
        }
        QCOMPARE(answers + 1, 5 + 8);
        QVERIFY(!s.form->checkingTiming());
        QVERIFY(!Globals::Practising);
        QCOMPARE(s.tick(), QString());
        QCOMPARE(s.score(), QStringLiteral("7/10 amber"));
        QCOMPARE(button->text(), QStringLiteral("Check Timing"));
        QVERIFY(Hints::hint(s.panel("pnlTimer")).isEmpty());
        QCOMPARE(s.shown(checkHides), checkHides);
        QCOMPARE(s.shown({"lblAnswer"}), QStringList({"lblAnswer"}));
        QCOMPARE(t.env.sounds.calls.constLast(), QStringLiteral("resource STOP async"));
        QCOMPARE(Hints::hint(s.form), PlayHint);
    }

    void esc_ends_a_timing_check_and_enter_does_not_play_during_one()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
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
        s.key(Qt::Key_7); // not playing: no message
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
        QTest::keyClick(s.form, Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(t.env.dialogs.count("error"), 2);
        s.tick();
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
        QVERIFY(!QFile::exists(t.env.path(Ini)));

        s.key(Qt::Key_Escape); // stops
        QCOMPARE(t.main.childForms().size(), 1);
        QPointer<TBasicsFactForm> watch(s.form);
        s.key(Qt::Key_Escape); // closes
        QVERIFY(t.main.childForms().isEmpty());
        QVERIFY(t.main.topMenu(1)->menuAction()->isEnabled());
        QTRY_VERIFY(watch.isNull());
        QVERIFY(QFile::exists(t.env.path(Ini)));
    }

    void eject_plays_its_sound_and_saves_exactly_the_section_keys()
    {
        Session t;
        t.env.writeFile(Ini, "[GradePrefs]\r\nUserLevel=1\r\n[Other]\r\nKeep=me\r\n");
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
        const QByteArray file = t.env.readFile(Ini);
        QCOMPARE(sectionLines(file, "Addition"),
                 QStringList({"Option=2", "Total=2", "Correct=1", "AnswerPosition=2", "QuestionPosition=20"}));
        QCOMPARE(sectionLines(file, "Other"), QStringList({"Keep=me"}));
        QCOMPARE(sectionLines(file, "GradePrefs"), QStringList({"UserLevel=1"}));

        // The next opening restores option, counts and delays.
        const OpenScreen again = t.open("mnuAddition");
        QVERIFY(again.isSelected("pnlOptBy5"));
        QCOMPARE(again.form->caption(), QStringLiteral("ADDITION : BY 5"));
        QCOMPARE(again.score(), QStringLiteral("1/2 amber"));
        QCOMPARE(again.answerTimer()->interval(), 300);
        QCOMPARE(again.questionTimer()->interval(), 5000);
        QCOMPARE(again.get<QSlider>("trkbrAnswer")->toolTip(), QStringLiteral("0.3"));
    }

    void track_bars_set_the_delays_and_their_hints()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        auto* answer = s.get<QSlider>("trkbrAnswer");
        auto* question = s.get<QSlider>("trkbrQuestion");
        const QList<QPair<int, QString>> answerCases = {{2, "0.3"}, {3, "0.45"}, {40, "6"}, {7, "1.05"}, {99, "6"}};
        for (const auto& [position, tip] : answerCases) {
            answer->setValue(position);
            QCOMPARE(s.answerTimer()->interval(), qMin(position, 40) * 150);
            QCOMPARE(answer->toolTip(), tip);
        }
        question->setValue(3);
        QCOMPARE(s.questionTimer()->interval(), 750);
        QCOMPARE(Hints::hint(question), QStringLiteral("0.75|Sets the amount of time before the next question appears."));

        // The status bar explains the control under the mouse.
        HintRouter::instance().hintFromControl(answer);
        QCOMPARE(s.status(), QStringLiteral("Sets the amount of time between the question flashing and the answer appearing."));
        HintRouter::instance().hintFromControl(s.get<QWidget>("imgTick"));
        QCOMPARE(s.status(), QStringLiteral("CORRECT: The number of right answers"));
        // A control without a hint of its own shows the form's, which
        // follows the run.
        HintRouter::instance().hintFromControl(s.get<QWidget>("pnlVCR"));
        QCOMPARE(s.status(), Hints::longHint(PlayHint));

        // A change while the delay runs restarts it with the new length.
        s.click("BitBtnPlay");
        QCOMPARE(s.status(), Hints::longHint(StopHint));
        answer->setValue(20);
        QVERIFY(s.answerTimer()->isActive());
        QVERIFY(s.answerTimer()->remainingTime() > 1500);
        s.click("BitBtnStop");
    }

    void stored_values_the_screen_never_writes_are_brought_into_range()
    {
        Session t;
        struct Case {
            QByteArray section;
            QString score;
            int answerMs, questionMs;
            const char* option;
        };
        const QList<Case> cases = {
            {"AnswerPosition=99\r\nQuestionPosition=0\r\nOption=9\r\n", "0/0 ", 6000, 250, "pnlOptRandom"},
            {"AnswerPosition=-4\r\nQuestionPosition=77\r\nOption=0\r\n", "0/0 ", 300, 5000, "pnlOptRandom"},
            {"Correct=7\r\nTotal=3\r\nOption=4\r\n", "3/3 green", 1500, 1000, "pnlOpt22Digit"},
            {"Correct=4\r\nTotal=0\r\n", "0/0 ", 1500, 1000, "pnlOptRandom"},
            {"Correct=-3\r\nTotal=5000\r\n", "0/1000 red", 1500, 1000, "pnlOptRandom"},
            {"Correct=abc\r\nTotal=0x10\r\nAnswerPosition=\r\nOption=two\r\n", "0/16 red", 1500, 1000, "pnlOptRandom"},
        };
        for (const Case& c : cases) {
            t.env.writeFile(Ini, "[Addition]\r\n" + c.section);
            const OpenScreen s = t.open("mnuAddition");
            QVERIFY2(s.isSelected(c.option), c.section.constData());
            QCOMPARE(s.score(), c.score);
            QCOMPARE(QString::number(s.get<UpDown>("updnCorrect")->position()), c.score.section('/', 0, 0));
            QCOMPARE(s.answerTimer()->interval(), c.answerMs);
            QCOMPARE(s.questionTimer()->interval(), c.questionMs);
            QVERIFY(s.form->closeForm());
            QVERIFY(t.env.dialogs.texts("error").isEmpty());
        }
        // What is written back is in range.
        QCOMPARE(sectionLines(t.env.readFile(Ini), "Addition"),
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
            {1, 50, 74, 37, 50, "amber"}, {3, 80, 94, 37, 50, "red"},    {1, 50, 74, 3, 4, "green"},
            {1, 50, 74, 0, 1, "red"},     {1, 50, 74, 7, 10, "amber"},   {1, 50, 74, 2, 3, "amber"},
            {2, 65, 84, 85, 100, "green"}, {2, 65, 84, 64, 100, "red"},  {4, 30, 40, 41, 100, "green"},
        };
        for (const Case& c : cases) {
            Globals::UserLevel = quint8(c.level);
            Globals::LowerAmber = quint8(c.lower);
            Globals::UpperAmber = quint8(c.upper);
            t.env.writeFile(Ini, QStringLiteral("[Addition]\r\nCorrect=%1\r\nTotal=%2\r\n").arg(c.correct).arg(c.total).toLatin1());
            const OpenScreen s = t.open("mnuAddition");
            QCOMPARE(s.lamp(), c.lamp);
            // The hints name the level and its bounds.
            if (c.level == 2) {
                QCOMPARE(Hints::hint(s.get<QWidget>("pnlRed")), QStringLiteral("Intermediate : Score : 0-64 %"));
                QCOMPARE(Hints::hint(s.get<QWidget>("shpAmber")), QStringLiteral("Intermediate : Score : 65-84 %"));
                QCOMPARE(Hints::hint(s.get<QWidget>("pnlGreen")), QStringLiteral("Intermediate : Score : 85-100 %"));
            }
            s.form->closeForm();
        }
        Globals::UserLevel = 7; // unknown level: no prefix
        const OpenScreen plain = t.open("mnuAddition");
        QCOMPARE(Hints::hint(plain.get<QWidget>("pnlAmber")), QStringLiteral("Score : 30-40 %"));
    }

    void saving_without_a_writable_folder_or_a_readable_file_loses_nothing()
    {
        Session t;
        t.env.writeFile(Ini, "[Addition]\r\nTotal=4\r\nCorrect=2\r\n");
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
        QCOMPARE(sectionLines(t.env.readFile(Ini), "Addition"), QStringList({"Total=4", "Correct=2"}));

        // A folder where the learner's file should be: the screen works with
        // defaults, saving says why it failed, and the folder is left alone.
        Globals::UserDataWritable = true;
        QFile::remove(t.env.path(Ini));
        QDir().mkpath(t.env.path(Ini + QStringLiteral("/inside")));
        t.env.dialogs.clear();
        const OpenScreen s = t.open("mnuAddition");
        QCOMPARE(s.total(), 0);
        QVERIFY(s.form->closeForm());
        QCOMPARE(t.env.dialogs.count("error"), 1);
        QVERIFY(!t.env.dialogs.texts("error").constFirst().isEmpty());
        QVERIFY(QFileInfo(t.env.path(Ini + QStringLiteral("/inside"))).isDir());
    }

    void help_button_f1_and_whats_this()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        t.env.sounds.clear();
        s.click("BitBtnHelp");
        QCOMPARE(t.env.sounds.calls, QStringList({"resource HELP async"}));
        s.key(Qt::Key_F1);
        QCOMPARE(t.env.help.requests.size(), 2);
        for (const Help::Request& request : t.env.help.requests) {
            QCOMPARE(request.command, unsigned(Help::HELP_CONTEXT));
            QCOMPARE(request.data.toInt(), 500);
        }

        const QList<QPair<const char*, int>> contexts = {
            {"trkbrAnswer", 10100}, {"trkbrQuestion", 10110}, {"btnTestSpeed", 10120}, {"BitBtnClear", 10130},
            {"updnCorrect", 10140}, {"pnlCorrect", 10140},    {"updnTotal", 10150},    {"pnlTotal", 10150},
            {"stbrScreen", 10190},  {"pnlRed", 20230},        {"shpAmber", 20230},     {"pnlGreen", 20230},
            // In the VCR panel: play, stop (disabled too) and eject.
            {"BitBtnPlay", 10160},  {"BitBtnStop", 10170},    {"BitBtnClose", 10180},
        };
        auto* menu = s.get<WhatsThisMenu>("popupWhatsThis");
        for (const auto& [name, context] : contexts) {
            t.env.help.clear();
            rightClick(s.get<QWidget>(name), QPoint(10, 10));
            QVERIFY2(menu->isVisible(), name);
            s.form->mnuWhatsThisClick();
            menu->hide();
            QCOMPARE(t.env.help.requests.size(), 1);
            QCOMPARE(t.env.help.requests[0].command, unsigned(Help::HELP_CONTEXTPOPUP));
            QCOMPARE(t.env.help.requests[0].data.toInt(), context);
            QCOMPARE(t.env.help.requests[0].file, Help::applicationHelpFile());
        }
        // The help button and the panel's own border open nothing.
        rightClick(s.get<QWidget>("BitBtnHelp"), QPoint(10, 10));
        QVERIFY(!menu->isVisible());
        QVERIFY(!s.form->pnlVCRContextPopup(QPoint(2, 2)));
        QVERIFY(!menu->isVisible());
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
