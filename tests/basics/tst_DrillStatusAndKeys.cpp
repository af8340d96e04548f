// What the flash drills' status bar and keys do as a learner meets them,
// through the real windows: the 1000 limit says so from the answer that
// reaches it and keeps saying so, Units & Tens leaves the status line alone
// where its question is no sum, SPACE counts the miss as it goes up, and the
// greyed menu titles explain themselves however the pointer comes to them.

#include <QMenuBar>

#include "BasicsScreens.h"
#include "basics/BasicsUnitTen.h"
#include "shell/Strings.h"

namespace {

const QString Ini = QStringLiteral("users/Ann.ini");

QString limitMessage()
{
    return Hints::longHint(Strings::text(Strings::ScoreLimit));
}

// The pointer rests on an empty spot of the screen: the status bar shows the
// screen's own hint.
template <typename Form>
void pointAtTheScreen(const ScreenOf<Form>& s)
{
    QTest::mouseMove(s.form, QPoint(s.form->width() - 3, s.form->height() - 3));
    QTRY_VERIFY(!s.status().isEmpty());
}

// The pointer moves onto a menu title (the move as the menu bar gets it).
void pointTo(QMenuBar* bar, QAction* title)
{
    const QPoint at = bar->actionGeometry(title).center();
    QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
}

} // namespace

class TestDrillStatusAndKeys : public QObject
{
    Q_OBJECT
private slots:
    // Under Unit, Ten and Random the answer is no sum of two terms: the
    // status bar keeps the "Press STOP..." hint through every answer.
    void units_and_tens_leaves_the_status_line_alone()
    {
        Session t;
        const auto s = t.open<TBasicsUnitTenForm>("mnuUnitsTens");
        for (const char* option : {"pnlOptUnit", "pnlOptTen", "pnlOptRandom"}) {
            s.clickOption(option);
            s.click("BitBtnPlay");
            pointAtTheScreen(s);
            const QString hint = s.status();
            QCOMPARE(hint, Hints::longHint(Strings::text(Strings::HintPressStop)));
            for (int i = 0; i < 4; ++i) {
                s.tick();
                QVERIFY2(s.status() == hint, qPrintable(QStringLiteral("%1: %2").arg(option, s.status())));
            }
            s.key(Qt::Key_Escape);
        }
        // Under Unit-Ten each answer has its line.
        s.clickOption("pnlOptUnitTen");
        s.click("BitBtnPlay");
        s.tick();
        QVERIFY(s.status().startsWith(QStringLiteral("[ ")));
        s.key(Qt::Key_Escape);
    }

    // The answer that brings Total to 1000 shows the limit message, and every
    // answer after it, over its own status line, keeps it; SPACE counts
    // nothing there.
    void the_limit_message_shows_when_reached_and_stays()
    {
        Session t;
        t.env.writeFile(Ini, "[UnitTen]\r\nOption=4\r\nTotal=998\r\nCorrect=998\r\n");
        const auto s = t.open<TBasicsUnitTenForm>("mnuUnitsTens");
        QVERIFY(s.isSelected("pnlOptUnitTen"));
        s.click("BitBtnPlay");
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("999/999 green"));
        QVERIFY(s.status().startsWith(QStringLiteral("[ ")));
        s.tick();
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("1000/1000 green"));
        QCOMPARE(s.status(), limitMessage());
        for (int i = 0; i < 4; ++i) {
            s.tick();
            QCOMPARE(s.status(), limitMessage());
        }
        s.key(Qt::Key_Space);
        QCOMPARE(s.score(), QStringLiteral("1000/1000 green"));
        QCOMPARE(s.status(), limitMessage());
        s.key(Qt::Key_Escape);
    }

    // SPACE counts as it goes up: held down, the panel shows the highlight
    // and the count still stands; a hold that the X server sends as press
    // and release pairs counts once, at its first release.
    void space_counts_the_miss_as_it_goes_up()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        s.click("BitBtnPlay");
        s.tick();
        s.tick();
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("2/2 green"));
        QTest::keyPress(s.form, Qt::Key_Space);
        QCOMPARE(s.panel("pnlCorrect")->color(), SysColors::highlight());
        QCOMPARE(s.score(), QStringLiteral("2/2 green"));
        QTest::keyRelease(s.form, Qt::Key_Space);
        QCOMPARE(s.score(), QStringLiteral("1/2 amber"));

        const auto send = [&](QEvent::Type type, quint64 at) {
            QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            e.setTimestamp(at);
            QApplication::sendEvent(s.form, &e);
        };
        send(QEvent::KeyPress, 20000);
        QCOMPARE(s.score(), QStringLiteral("1/2 amber"));
        send(QEvent::KeyRelease, 20500);
        QCOMPARE(s.score(), QStringLiteral("0/2 red"));
        for (quint64 at : {20530, 20560}) {
            send(QEvent::KeyPress, at - 30);
            send(QEvent::KeyRelease, at);
        }
        send(QEvent::KeyPress, 20560);
        send(QEvent::KeyRelease, 20900);
        s.tick();
        s.tick();
        QCOMPARE(s.score(), QStringLiteral("1/3 red"));
        // A SPACE that goes up after STOP counts nothing.
        QTest::keyPress(s.form, Qt::Key_Space);
        s.key(Qt::Key_Escape);
        QTest::keyRelease(s.form, Qt::Key_Space);
        QCOMPARE(s.score(), QStringLiteral("1/3 red"));
    }

    // With a drill open, the pointer going straight from one greyed menu
    // title to the next shows the hint for the title it is on.
    void greyed_menu_titles_from_one_to_the_next()
    {
        Session t;
        const OpenScreen s = t.open("mnuAddition");
        const QString hint = QStringLiteral("To open the menu, first CLOSE this screen.");
        QMenuBar* bar = t.main.menuBar();
        const QList<QAction*> titles = bar->actions();
        pointTo(bar, titles.at(0));
        QCOMPARE(s.status(), hint);
        for (int i : {1, 2, 3, 2, 0}) {
            pointTo(bar, titles.at(i));
            QVERIFY2(s.status() == hint, qPrintable(QStringLiteral("title %1: \"%2\"").arg(i).arg(s.status())));
        }
        // The Help menu is not greyed: over it the hint goes.
        pointTo(bar, titles.at(4));
        QVERIFY(s.status() != hint);
    }
};

QTEST_MAIN(TestDrillStatusAndKeys)
#include "tst_DrillStatusAndKeys.moc"
