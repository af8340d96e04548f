#include <QtTest>

#include <QWidget>

#include "app/WhenShown.h"

// Work held back until a window is on screen: start-up shows the main window
// first and opens the sign-in dialog right after.
class TestWhenShown : public QObject
{
    Q_OBJECT
private:
    class PaintedWidget : public QWidget
    {
    public:
        int paints = 0;

    protected:
        void paintEvent(QPaintEvent*) override { ++paints; }
    };

private slots:
    void work_runs_once_after_the_window_is_painted()
    {
        PaintedWidget window;
        window.resize(300, 200);
        window.show();
        int runs = 0;
        int paintsBefore = -1;
        whenFirstShown(&window, [&] {
            ++runs;
            paintsBefore = window.paints;
        });
        QCOMPARE(runs, 0); // never at once
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(runs, 1);
        QVERIFY(paintsBefore >= 1);

        // Shown again later: the work is done.
        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        QCOMPARE(runs, 1);
    }

    // A widget inside a window (the sign-in dialog in the main window) is on
    // screen once it has been painted, whenever it is shown.
    void work_for_a_widget_inside_a_window_runs_after_its_first_paint()
    {
        QWidget window;
        window.resize(300, 200);
        auto* inside = new PaintedWidget;
        inside->setParent(&window);
        inside->setGeometry(10, 10, 100, 100);
        inside->hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int runs = 0;
        int paintsBefore = -1;
        whenFirstShown(inside, [&] {
            ++runs;
            paintsBefore = inside->paints;
        });
        QTest::qWait(50);
        QCOMPARE(runs, 0); // hidden: not yet
        inside->show();
        QTRY_COMPARE(runs, 1);
        QCOMPARE(paintsBefore, 1);
        inside->update();
        QTRY_COMPARE(inside->paints, 2);
        QCOMPARE(runs, 1);
    }

    void work_runs_all_the_same_when_the_window_never_comes_on_screen()
    {
        QWidget window; // never shown
        int runs = 0;
        whenFirstShown(&window, [&] { ++runs; }, 30);
        QTest::qWait(10);
        QCOMPARE(runs, 0);
        QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 2000);
        QTest::qWait(60);
        QCOMPARE(runs, 1);
    }

    void work_is_dropped_with_its_window()
    {
        int runs = 0;
        {
            QWidget window;
            whenFirstShown(&window, [&] { ++runs; }, 10);
        }
        QTest::qWait(50);
        QCOMPARE(runs, 0);
    }
};

QTEST_MAIN(TestWhenShown)
#include "tst_WhenShown.moc"
