// The practice screens' options as a learner meets them, through the real
// windows: a problem is timed under the option its numbers belong to (a
// replay after the option was changed, a typed question of another level),
// ENTER poses the question just typed in the custom question dialog, the
// multiplier row keeps the problem's digits after STOP, and the status bar
// shows the longest step hint of every method whole without covering a box.

#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/PracticeMethods.h"
#include "shell/ScreenCatalogue.h"
#include "shell/Hints.h"
#include "shell/TextHelpers.h"

namespace {

// A screen opened from its menu with the clock and the question source in
// the test's hands.
struct Screen {
    OpenedScreen<TPractiseRulesForm> opened;
    PracticeSeams seams;
    TPractiseRulesForm* form = nullptr;

    explicit Screen(const QString& menuItem) : opened(menuItem), form(opened.form) {}

    void click(const QString& name) const
    {
        if (auto* button = form->findChild<QAbstractButton*>(name))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (Panel* panel = panelOf(form, name))
            QTest::mouseClick(panel, Qt::LeftButton);
        else
            QFAIL(qPrintable(QStringLiteral("no control ") + name));
    }
    // Types the problem on the screen right and stops after `seconds`.
    void solveIn(double seconds)
    {
        typeSolution(form);
        seams.advanceSeconds(seconds);
        press(form, Qt::Key_Escape);
    }
    QString question() const { return form->workedProblem().question; }
    // The best times kept in the learner's file once the screen has closed,
    // by key, in whole seconds; keys without one are left out.
    QHash<QString, int> storedTimes()
    {
        if (!form->isClosed())
            form->closeForm();
        const IniFile ini(opened.env.path(QStringLiteral("users/Ann.ini")));
        QHash<QString, int> times;
        for (const QString& key : form->bestTimeKeys()) {
            const double days = ini.readTime(form->sectionName(), key, 0);
            if (days > 0)
                times.insert(key, qRound(days * 86400));
        }
        return times;
    }
    // Types a question (and an operator) into the dialog that Record opens.
    void custom(const QString& question, const QString& op = QString())
    {
        QTimer::singleShot(0, [question, op] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), question);
            if (!op.isEmpty())
                QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtOperator")), op);
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        click(QStringLiteral("BitBtnCustom"));
    }
};

// The best-time key of the method whose option captions hold caption.
QString keyWithCaption(const QString& method, const QString& caption)
{
    QStringList keys;
    for (const MethodBestTime& t : PracticeMethods::find(method)->bestTimes)
        if (t.caption.split(QStringLiteral(", ")).contains(caption))
            keys << t.key;
    return keys.size() == 1 ? keys.constFirst() : QStringLiteral("<%1 keys for %2>").arg(keys.size()).arg(caption);
}

bool allDigitsIn(const QString& digits, int lo, int hi)
{
    for (QChar d : digits)
        if (d.digitValue() < lo || d.digitValue() > hi)
            return false;
    return true;
}

} // namespace

class TestPracticeOptions : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("names .* which the screen does not list")));
    }

    // After a right problem of option A the learner selects option B and
    // presses ENTER: the problem worked is one of B, and each time is kept
    // under the option of its own problem.
    void a_replay_after_another_option_is_one_of_that_option_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("buttonA");
        QTest::addColumn<QString>("buttonB");
        QTest::addColumn<QString>("posedA"); // a question of A that B does not take ("" to draw)
        QTest::newRow("divide") << "mnuSpeedDivision" << "divide" << "pnlOptDividend6Digit" << "pnlOptDividend4Digit"
                                << "";
        QTest::newRow("square-root") << "mnuSquareRoot" << "square-root" << "pnlOpt8Digit" << "pnlOpt3Digit" << "";
        QTest::newRow("square-two-digit") << "mnu2Digit" << "square-two-digit" << "pnlOptLevel1" << "pnlOptLevel3"
                                          << "34";
        QTest::newRow("square-three-digit") << "mnu3Digit" << "square-three-digit" << "pnlOptLevel1"
                                            << "pnlOptLevel2" << "111";
        QTest::newRow("multiply-direct") << "mnuDirectMethod" << "multiply-direct" << "pnlOpt2" << "pnlOpt3" << "";
        QTest::newRow("multiply-two-finger") << "mnuTwofingerMethod" << "multiply-two-finger" << "pnlOpt1"
                                             << "pnlOpt2" << "";
        QTest::newRow("two-finger range") << "mnuTwofingerMethod" << "multiply-two-finger" << "rdo1To9" << "rdo1To5"
                                          << "98765432x7";
        QTest::newRow("multiply-basic") << "mnuMultiplyBasic" << "multiply-basic" << "pnlOpt11" << "pnlOpt5" << "";
    }

    void a_replay_after_another_option_is_one_of_that_option()
    {
        QFETCH(QString, menuItem);
        QFETCH(QString, method);
        QFETCH(QString, buttonA);
        QFETCH(QString, buttonB);
        QFETCH(QString, posedA);
        Screen s(menuItem);
        QVERIFY(s.form);
        s.click(buttonA);
        if (!posedA.isEmpty())
            QuestionSource::pose(method, {posedA});
        s.click(QStringLiteral("BitBtnPlay"));
        const QString first = s.question();
        s.solveIn(10);
        QVERIFY2(s.form->isCorrect(), qPrintable(first));
        // ENTER with the options the problem was played with works it again.
        press(s.form, Qt::Key_Return);
        QCOMPARE(s.question(), first);
        press(s.form, Qt::Key_Escape);

        s.click(buttonB);
        press(s.form, Qt::Key_Return);
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
        const QString second = s.question();
        const QString number = second.section(QRegularExpression(QStringLiteral("[x/]")), 0, 0);
        const QString op = second.section(QRegularExpression(QStringLiteral("[x/]")), 1);
        bool ofB = true;
        if (method == QLatin1String("divide"))
            ofB = number.size() == 4;
        else if (method == QLatin1String("square-root"))
            ofB = number.size() == 3;
        else if (method == QLatin1String("square-two-digit"))
            ofB = allDigitsIn(number, 6, 9);
        else if (method == QLatin1String("square-three-digit"))
            ofB = allDigitsIn(number, 5, 9);
        else if (buttonB == QLatin1String("rdo1To5"))
            ofB = allDigitsIn(number + op, 1, 5);
        else if (method == QLatin1String("multiply-basic"))
            ofB = op == QLatin1String("5") && number == first.section(QLatin1Char('x'), 0, 0); // the same multiplicand
        else
            ofB = op.size() == captionOf(s.form, buttonB).left(1).toInt();
        QVERIFY2(ofB, qPrintable(first + " then " + second));
        s.solveIn(20);
        QVERIFY2(s.form->isCorrect(), qPrintable(second));

        // Each time under its own problem's key (a range key names both
        // groups' captions: the digits stay those of A).
        const QHash<QString, int> times = s.storedTimes();
        QCOMPARE(times.size(), 2);
        const QString keyB = times.key(20);
        QVERIFY2(PracticeMethods::find(method)->bestTimes.size() > 1, qPrintable(method));
        for (const MethodBestTime& t : PracticeMethods::find(method)->bestTimes)
            if (t.key == keyB)
                QVERIFY2(t.caption.contains(buttonB == QLatin1String("rdo1To5") ? QStringLiteral("1 - 5")
                                                                                 : captionOf(s.form, buttonB)),
                         qPrintable(t.caption));
        QVERIFY(times.key(10) != keyB);
    }

    // After OK in the custom question dialog, ENTER poses the typed
    // question, on every screen with the Record button.
    void enter_poses_the_typed_question_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("played");
        QTest::newRow("multiply-basic") << "mnuMultiplyBasic" << "12345678" << "" << "12345678x11";
        QTest::newRow("multiply-direct") << "mnuDirectMethod" << "12345678" << "12" << "12345678x12";
        QTest::newRow("multiply-two-finger") << "mnuTwofingerMethod" << "12345678" << "3" << "12345678x3";
        QTest::newRow("divide") << "mnuSpeedDivision" << "4321" << "12" << "4321/12";
        QTest::newRow("square-root") << "mnuSquareRoot" << "12345678" << "" << "12345678";
        QTest::newRow("square-two-digit") << "mnu2Digit" << "34" << "" << "34";
        QTest::newRow("square-three-digit") << "mnu3Digit" << "111" << "" << "111";
    }

    void enter_poses_the_typed_question()
    {
        QFETCH(QString, menuItem);
        QFETCH(QString, question);
        QFETCH(QString, op);
        QFETCH(QString, played);
        Screen s(menuItem);
        s.click(QStringLiteral("BitBtnPlay"));
        press(s.form, Qt::Key_Escape);
        s.custom(question, op);
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Finished));
        press(s.form, Qt::Key_Return);
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
        QCOMPARE(s.question(), played);
        // Once played, ENTER works it again.
        press(s.form, Qt::Key_Escape);
        press(s.form, Qt::Key_Return);
        QCOMPARE(s.question(), played);
    }

    // A typed number is played under the level its digits belong to; one
    // that belongs to no level keeps no best time at all.
    void a_typed_number_plays_under_its_level()
    {
        {
            Screen s(QStringLiteral("mnu2Digit"));
            s.click(QStringLiteral("pnlOptLevel3"));
            s.custom(QStringLiteral("34"));
            press(s.form, Qt::Key_Return);
            QCOMPARE(s.question(), QStringLiteral("34"));
            QVERIFY(s.form->caption().endsWith(QStringLiteral("LEVEL 1")));
            s.solveIn(12);
            QVERIFY(s.form->isCorrect());
            QCOMPARE(s.storedTimes(), (QHash<QString, int>{{keyWithCaption("square-two-digit", "Level 1"), 12}}));
        }
        {
            Screen s(QStringLiteral("mnu3Digit"));
            s.click(QStringLiteral("pnlOptLevel2"));
            s.custom(QStringLiteral("111"));
            press(s.form, Qt::Key_Return);
            QVERIFY(s.form->caption().endsWith(QStringLiteral("LEVEL 1")));
            s.solveIn(15);
            QCOMPARE(s.storedTimes(), (QHash<QString, int>{{keyWithCaption("square-three-digit", "Level 1"), 15}}));
        }
        {
            Screen s(QStringLiteral("mnu2Digit"));
            s.click(QStringLiteral("pnlOptLevel3"));
            s.custom(QStringLiteral("55"));
            press(s.form, Qt::Key_Return);
            QCOMPARE(s.question(), QStringLiteral("55"));
            QCOMPARE(captionOf(s.form, QStringLiteral("pnlTime")), TPractise0BaseForm::FormatElapsed(0));
            s.solveIn(9);
            QVERIFY(s.form->isCorrect());
            QVERIFY(s.storedTimes().isEmpty());
        }
    }

    // The pop-up of a new best time, from the real help viewer, closed with a
    // click. The ESC that stopped went down to the form and up to the pop-up,
    // which holds the keyboard; the window system delivers the next ESC from
    // the same place, so as the same event object with a later time: after
    // PLAY is clicked, that first ESC stops.
    void escape_after_the_best_time_popup_closed_by_a_click()
    {
        Screen s(QStringLiteral("mnuSquareRoot"));
        Help::install(nullptr); // the real viewer and its balloon
        Help::setApplicationHelpFile(QStringLiteral(VSM_SOURCE_DIR "/resources/help/VandrelsholmSpeedMath.hlp"));
        s.opened.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.opened.main));
        s.click(QStringLiteral("pnlOpt4Digit"));
        for (int attempt = 0; attempt < 2; ++attempt) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            if (attempt == 0)
                s.click(QStringLiteral("BitBtnPlay"));
            else
                press(s.form, Qt::Key_Return);
            QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
            typeSolution(s.form);
            s.seams.advanceSeconds(20 - 10 * attempt);
            escape.setTimestamp(1000);
            QApplication::sendEvent(QApplication::focusWidget(), &escape);
            QCOMPARE(s.form->state(), int(TPractise0BaseForm::Finished));
            QVERIFY(s.form->isCorrect());
            QWidget* balloon = QApplication::activePopupWidget();
            QVERIFY(balloon);
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(balloon, &up);
            QTest::mouseClick(balloon, Qt::LeftButton, {}, QPoint(-20, -20)); // beside it
            QTRY_VERIFY(!QApplication::activePopupWidget());

            s.click(QStringLiteral("BitBtnPlay"));
            QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
            escape.setTimestamp(5000);
            QApplication::sendEvent(QApplication::focusWidget(), &escape);
            QCOMPARE(s.form->state(), int(TPractise0BaseForm::Finished));
        }
        Help::install(&s.opened.env.help);
    }

    // Another multiplier size chosen after STOP leaves the problem's row as
    // it stands: no blank multiplier box, the rule under its own columns.
    void the_multiplier_row_keeps_the_problem_after_stop()
    {
        for (const QString& menuItem : {QStringLiteral("mnuDirectMethod"), QStringLiteral("mnuTwofingerMethod")}) {
            Screen s(menuItem);
            s.click(QStringLiteral("pnlOpt2"));
            s.click(QStringLiteral("BitBtnPlay"));
            const auto multiplierBoxes = [&] {
                QStringList shown;
                for (int k = 0; k < 5; ++k)
                    if (Panel* p = panelOf(s.form, QStringLiteral("pnlMultiplier%1").arg(k)); p && p->isVisible())
                        shown << p->caption();
                return shown;
            };
            const QStringList row = multiplierBoxes();
            QWidget* rule = s.form->findChild<QWidget*>(QStringLiteral("bvlSeparator"));
            const QRect ruleAt = rule->geometry();
            press(s.form, Qt::Key_Escape);
            for (const char* other : {"pnlOpt3", "pnlOpt5"}) {
                s.click(QString::fromLatin1(other));
                QCOMPARE(multiplierBoxes(), row);
                QCOMPARE(rule->geometry(), ruleAt);
            }
        }
    }

    // For every method the longest step hint of many drawn problems shows
    // whole in the status bar, on lines of its own above every box.
    void the_longest_hint_shows_whole_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("method");
        for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows())
            if (!row.method.isEmpty())
                QTest::newRow(qPrintable(row.method)) << row.menuItem << row.method;
    }

    void the_longest_hint_shows_whole()
    {
        QFETCH(QString, menuItem);
        QFETCH(QString, method);
        const PracticeMethod* entry = PracticeMethods::find(method);
        QRandomGenerator rng(1324);
        QString longest, question, box;
        // Every combination of the first two groups' options.
        const QStringList firsts = entry->groups.isEmpty() ? QStringList{QString()} : entry->groups.at(0).names;
        const QStringList seconds = entry->groups.size() < 2 ? QStringList{QString()} : entry->groups.at(1).names;
        for (const QString& a : firsts)
            for (const QString& b : seconds)
                for (int i = 0; i < 150; ++i) {
                    QStringList chosen{a, b};
                    for (int g = 2; g < entry->groups.size(); ++g)
                        chosen << entry->groups.at(g).names.constFirst();
                    const WorkedProblem p = entry->draw(rng, chosen.mid(0, entry->groups.size()));
                    for (const RuleBox& r : p.boxes) {
                        const QString hint = Hints::shortHint(r.hint);
                        if (!r.unused && hint.size() > longest.size()) {
                            longest = hint;
                            question = p.question;
                            box = r.box;
                        }
                    }
                }
        Screen s(menuItem);
        QuestionSource::pose(method, {question});
        s.click(QStringLiteral("BitBtnPlay"));
        QCOMPARE(s.question(), question);
        QMap<QString, QRect> before;
        for (const WorkingPanelEntry& e : s.form->workingPanels())
            before.insert(e.Panel->objectName(), e.Panel->geometry());
        QTest::mouseClick(panelOf(s.form, box), Qt::LeftButton);
        QCOMPARE(statusText(s.form), longest);

        auto* bar = s.form->findChild<StatusBar*>(QStringLiteral("stbrScreen"));
        const QRect text = bar->contentsRect().adjusted(bar->indent(), 0, 0, 0);
        const int needed = bar->fontMetrics().boundingRect(text, Qt::TextWordWrap, bar->text()).height();
        QVERIFY2(needed <= text.height(), qPrintable(QStringLiteral("%1 px of text in %2 px").arg(needed).arg(text.height())));
        const QRect barAt = bar->geometry();
        QStringList covered;
        for (QWidget* w : s.form->findChildren<QWidget*>()) {
            const bool leaf = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
            if (w == bar || bar->isAncestorOf(w) || !w->isVisible() || !leaf || w->isWindow())
                continue;
            if (QRect(w->mapTo(s.form, QPoint(0, 0)), w->size()).intersects(barAt))
                covered << w->objectName();
        }
        QVERIFY2(covered.isEmpty(), qPrintable(covered.join(", ")));
        for (const WorkingPanelEntry& e : s.form->workingPanels())
            QCOMPARE(e.Panel->geometry(), before.value(e.Panel->objectName()));
        qInfo("%s: longest hint %lld characters (%s, %s), %d lines, bar %d px high", qPrintable(method),
              qint64(longest.size()), qPrintable(question), qPrintable(box), needed / bar->fontMetrics().lineSpacing(),
              barAt.height());

        // A short hint takes the bar back to its one line.
        QTest::mouseClick(panelOf(s.form, s.form->workingPanels().constFirst().Panel->objectName()), Qt::LeftButton);
        if (Hints::shortHint(Hints::hint(s.form->currentPanel())).size() < 60)
            QCOMPARE(bar->height(), bar->lineHeight());
    }
};

QTEST_MAIN(TestPracticeOptions)
#include "tst_PracticeOptions.moc"
