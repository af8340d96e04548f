// The soak driver: opens every screen in turn, through the catalogue's
// factories and through the main window's menus, and hammers it with random
// keys and clicks for as long as asked, with the sounds on, the flash delays
// at their shortest and every dialog that comes up worked a little and then
// dismissed. Built with the sanitizers it finds memory faults, undefined
// behaviour, warnings, freezes and screens that do not close.
//
// Its own actions are drawn from the seed it prints: the same seed replays
// the same actions (timers fire as the machine's speed lets them, so a run is
// close to, not exactly, the one before). Everything it writes goes to a
// temporary folder, which it also gives the program as its home.
//
//   soak_driver [--seed N] [--minutes M] [--screen mnuAddition ...]

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <cstdio>
#include <memory>
#include <random>
#include <thread>

#include "TestEnvironment.h"
#include "app/Main.h"
#include "app/ScreenFactories.h"
#include "platform/IniFile.h"
#include "shell/ChildForm.h"
#include "shell/Globals.h"
#include "shell/ScreenCatalogue.h"

namespace {

using Random = std::mt19937_64;

int below(Random& rng, int n) { return n <= 1 ? 0 : int(rng() % quint64(n)); }
bool chance(Random& rng, int percent) { return below(rng, 100) < percent; }

// What the run counts, and what it found: each finding once, with the
// number of times it came and where it came first.
struct Figures {
    QElapsedTimer clock;
    QSet<QString> screensSeen;
    qint64 visits = 0, keys = 0, clicks = 0, menuCommands = 0, modalsDismissed = 0, popupsClosed = 0,
           sounds = 0, boxes = 0, exits = 0;
    QString where; // the visit under way
    struct Finding { QString firstWhere; int count = 0; };
    QMap<QString, Finding> findings;

    void find(const QString& what)
    {
        Finding& f = findings[what];
        if (f.count++ == 0) {
            f.firstWhere = where;
            std::fprintf(stderr, "soak: FINDING at %s: %s\n", qPrintable(where), qPrintable(what));
        }
    }
};

Figures* figures = nullptr;
std::atomic<qint64> heartbeat{0};

void onMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || !figures) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return;
    }
    // What the offscreen platform cannot do (raise, grab the keyboard...).
    if (text.startsWith(QLatin1String("This plugin does not support")))
        return;
    figures->find(QStringLiteral("Qt warning: ") + text);
    if (type == QtFatalMsg)
        std::abort();
}

// Keys a learner may press: digits, the operators, letters, the editing and
// moving keys, ENTER, SPACE, ESC, F1.
const QList<Qt::Key> Keys = {
    Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8,
    Qt::Key_9, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Asterisk, Qt::Key_Slash, Qt::Key_Period, Qt::Key_Comma,
    Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_E, Qt::Key_H, Qt::Key_N, Qt::Key_P, Qt::Key_Q, Qt::Key_S,
    Qt::Key_U, Qt::Key_X, Qt::Key_Space, Qt::Key_Space, Qt::Key_Return, Qt::Key_Return, Qt::Key_Enter,
    Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
    Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown,
    Qt::Key_Insert, Qt::Key_F1, Qt::Key_F2, Qt::Key_F5, Qt::Key_F10};

Qt::KeyboardModifiers someModifiers(Random& rng)
{
    const int roll = below(rng, 100);
    if (roll < 75)
        return Qt::NoModifier;
    if (roll < 85)
        return Qt::ShiftModifier;
    if (roll < 93)
        return Qt::AltModifier;
    if (roll < 98)
        return Qt::ControlModifier;
    return Qt::KeypadModifier;
}

// The window that takes input now: an open popup menu, a modal dialog, the
// focused window, or the main window.
QWidget* inputWindow(QWidget* main)
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return main;
}

void pressKey(Random& rng, QWidget* window, Figures& f)
{
    if (!window || !window->windowHandle())
        return;
    const Qt::Key key = Keys.at(below(rng, int(Keys.size())));
    const Qt::KeyboardModifiers mods = someModifiers(rng);
    QTest::keyClick(window->windowHandle(), key, mods);
    ++f.keys;
}

// A click (left, right or double) at a random point of a random visible
// control of the window, given to the window as the mouse gives it.
void clickSomething(Random& rng, QWidget* window, Figures& f)
{
    if (!window || !window->windowHandle())
        return;
    QList<QWidget*> targets;
    targets.append(window);
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->isVisible() && w->width() > 0 && w->height() > 0)
            targets.append(w);
    QWidget* target = targets.at(below(rng, int(targets.size())));
    const QPoint inside(below(rng, target->width()), below(rng, target->height()));
    // A control may reach past its window's edge (a scrolled list): the
    // point is kept inside the window.
    const QPoint mapped = target->mapTo(window, inside);
    const QPoint at(qBound(0, mapped.x(), window->width() - 1), qBound(0, mapped.y(), window->height() - 1));
    QWindow* handle = window->windowHandle();
    const int roll = below(rng, 100);
    ++f.clicks;
    if (roll < 80)
        QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, at);
    else if (roll < 92)
        QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier, at);
    else
        QTest::mouseDClick(handle, Qt::LeftButton, Qt::NoModifier, at);
}

// Dismisses what blocks the driver: a popup menu is tried with a key and
// then closed; a modal dialog gets a few random keys and clicks, then ESC or
// ENTER, then a close; one that outlives all that is a finding.
class Dismisser : public QObject
{
public:
    Dismisser(Random& rng, Figures& f) : m_rng(rng), m_f(f)
    {
        m_timer.setInterval(150);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start();
    }

private:
    // Every action is posted, not done here: one that opens a dialog of its
    // own blocks in that dialog's loop, and this timer must go on ticking to
    // dismiss it (a timer does not fire again while its handler runs).
    void later(QWidget* window, std::function<void(QWidget*)> action)
    {
        QTimer::singleShot(0, this, [window = QPointer<QWidget>(window), action] {
            if (window && window->isVisible())
                action(window);
        });
    }

    void tick()
    {
        heartbeat.fetch_add(1);
        if (QWidget* popup = QApplication::activePopupWidget()) {
            if (popup != m_popup) {
                m_popup = popup;
                m_popupTicks = 0;
            }
            if (++m_popupTicks <= 2 && chance(m_rng, 60)) {
                later(popup, [this](QWidget* w) { pressKey(m_rng, w, m_f); });
            } else {
                later(popup, [](QWidget* w) { w->close(); });
                ++m_f.popupsClosed;
            }
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal != m_modal) {
            m_modal = modal;
            m_ticks = 0;
        }
        ++m_ticks;
        if (m_ticks <= 3) {
            if (chance(m_rng, 70))
                later(modal, [this](QWidget* w) { pressKey(m_rng, w, m_f); });
            else
                later(modal, [this](QWidget* w) { clickSomething(m_rng, w, m_f); });
        } else if (m_ticks <= 6) {
            const Qt::Key key = chance(m_rng, 60) ? Qt::Key_Escape : Qt::Key_Return;
            later(modal, [key](QWidget* w) { QTest::keyClick(w->windowHandle(), key); });
            ++m_f.keys;
        } else if (m_ticks <= 10) {
            later(modal, [](QWidget* w) { w->close(); });
        } else if (m_ticks == 11) {
            m_f.find(QStringLiteral("a modal window stays open after ESC, ENTER and close: ") +
                     modal->metaObject()->className() + QLatin1Char(' ') + modal->objectName());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            modal->hide();
        }
        if (m_ticks == 4)
            ++m_f.modalsDismissed;
    }

    Random& m_rng;
    Figures& m_f;
    QTimer m_timer;
    QPointer<QWidget> m_modal, m_popup;
    int m_ticks = 0, m_popupTicks = 0;
};

// Processes events for about ms milliseconds.
void run(int ms) { QTest::qWait(ms); }

// Sets every delay track bar of the screen to its shortest.
void fastestTimers(QWidget* form)
{
    if (!form)
        return;
    for (QSlider* bar : form->findChildren<QSlider*>())
        if (bar->objectName().startsWith(QLatin1String("trkbr")) && bar->value() != bar->minimum())
            bar->setValue(bar->minimum());
}

// Sounds on, whatever the Preferences screen was last left at.
void soundsOn()
{
    Globals::GreetingsOn = true;
    Globals::IdleMusicOn = true;
    Globals::PracticeSoundsOn = true;
}

// Waits (bounded) for the main window to have no screen open.
bool waitClosed(TfrmMain& main)
{
    QDeadlineTimer deadline(10000);
    while (!main.childForms().isEmpty() && !deadline.hasExpired())
        run(20);
    return main.childForms().isEmpty();
}

// Closes whatever screen is open as a learner would (ESC, its close button
// or its close box, a stopped run first); a screen that will not close is a
// finding, and is then closed by force.
void closeScreens(Random& rng, TfrmMain& main, Figures& f)
{
    for (int attempt = 0; attempt < 6 && !main.childForms().isEmpty(); ++attempt) {
        ChildForm* form = main.childForms().constFirst();
        // The learner brings the screen back and to the front, clicks into
        // it, and stops a run or a timing check first.
        if (QMdiSubWindow* frame = form->subWindow()) {
            if (frame->isMinimized() || frame->isMaximized())
                frame->showNormal();
            main.mdiArea()->setActiveSubWindow(frame);
        }
        if (!form->isAncestorOf(QApplication::focusWidget()))
            form->setFocus(Qt::MouseFocusReason);
        for (QAbstractButton* b : form->findChildren<QAbstractButton*>())
            if ((b->objectName().contains(QLatin1String("Stop")) || b->text() == QLatin1String("Stop"))
                && b->isVisible() && b->isEnabled()) {
                QTest::mouseClick(b, Qt::LeftButton);
                ++f.clicks;
                break;
            }
        switch (attempt == 0 ? below(rng, 3) : attempt % 3) {
        case 0:
            QTest::keyClick(main.windowHandle(), Qt::Key_Escape);
            ++f.keys;
            break;
        case 1: {
            const QList<QAbstractButton*> buttons = form->findChildren<QAbstractButton*>();
            for (QAbstractButton* b : buttons)
                if (b->objectName().contains(QLatin1String("Close")) && b->isVisible() && b->isEnabled()) {
                    QTest::mouseClick(b, Qt::LeftButton);
                    ++f.clicks;
                    break;
                }
            break;
        }
        default:
            form->closeForm();
            break;
        }
        run(60);
    }
    if (!waitClosed(main)) {
        QWidget* modal = QApplication::activeModalWidget();
        ChildForm* form = main.childForms().constFirst();
        QMdiSubWindow* frame = form->subWindow();
        f.find(QStringLiteral("a screen does not close: %1 (practising %2, focus %3, modal %4, frame %5, form %6, "
                              "main %7, close gives %8)")
                   .arg(QLatin1String(form->metaObject()->className()))
                   .arg(Globals::Practising)
                   .arg(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("none"),
                        modal ? QLatin1String(modal->metaObject()->className()) : QStringLiteral("none"),
                        !frame ? QStringLiteral("none")
                               : QStringLiteral("%1%2%3").arg(frame->isVisible() ? "shown" : "hidden",
                                                              frame->isMinimized() ? " minimised" : "",
                                                              frame->isShaded() ? " shaded" : ""),
                        form->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"),
                        main.isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"))
                   .arg(form->closeForm()));
        Globals::Practising = false;
        for (ChildForm* form : main.childForms())
            form->closeForm();
        waitClosed(main);
    }
}

// A few commands of the main window's menus with no screen open, chosen
// among the enabled items (the Exit item too: the driver then starts a new
// main window).
void menuCommands(Random& rng, TfrmMain& main, Figures& f)
{
    QList<QAction*> items;
    for (QAction* action : main.menuBar()->actions())
        if (QMenu* menu = action->menu())
            for (QAction* item : menu->actions())
                if (!item->isSeparator() && !item->menu() && !ScreenCatalogue::findByMenuItem(item->objectName()))
                    items.append(item);
    if (items.isEmpty())
        return;
    QAction* item = items.at(below(rng, int(items.size())));
    if (!item->isEnabled())
        return;
    f.where += QStringLiteral(" / ") + item->objectName();
    ++f.menuCommands;
    item->trigger();
    for (int i = below(rng, 30); i > 0 && !main.childForms().isEmpty() && main.isVisible(); --i) {
        if (chance(rng, 60))
            pressKey(rng, inputWindow(&main), f);
        else
            clickSomething(rng, inputWindow(&main), f);
        run(below(rng, 40));
    }
    if (main.isVisible())
        closeScreens(rng, main, f);
}

} // namespace

int main(int argc, char** argv)
{
    // A home of its own before anything reads it: nothing of the real home
    // is read or written.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/vsm-soak-XXXXXX"));
    if (!home.isValid()) {
        std::fprintf(stderr, "soak: cannot make a temporary folder\n");
        return 2;
    }
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", home.path().toLocal8Bit());
    QDir::setCurrent(home.path()); // a print to file lands here
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (home.path() + QStringLiteral("/runtime")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Random keys and clicks on every screen."));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("The seed of the random actions."), QStringLiteral("N"));
    const QCommandLineOption minutesOption(QStringLiteral("minutes"), QStringLiteral("How long to run (default 1)."), QStringLiteral("M"), QStringLiteral("1"));
    const QCommandLineOption screenOption(QStringLiteral("screen"), QStringLiteral("Only this screen (its menu item, e.g. mnuAddition); repeatable."), QStringLiteral("ITEM"));
    const QCommandLineOption freezeOption(QStringLiteral("freeze"), QStringLiteral("Seconds without handling events that count as a freeze (default 60)."), QStringLiteral("S"), QStringLiteral("60"));
    parser.addOptions({seedOption, minutesOption, screenOption, freezeOption});
    parser.process(app);

    bool ok = true;
    const quint64 seed = parser.isSet(seedOption) ? parser.value(seedOption).toULongLong(&ok)
                                                  : quint64(QDateTime::currentMSecsSinceEpoch());
    const double minutes = parser.value(minutesOption).toDouble();
    const int freezeSeconds = parser.value(freezeOption).toInt();
    QList<ScreenCatalogue::Row> screens;
    for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows())
        if (!parser.isSet(screenOption) || parser.values(screenOption).contains(row.menuItem))
            screens.append(row);
    if (!ok || minutes <= 0 || screens.isEmpty() || freezeSeconds <= 0) {
        std::fprintf(stderr, "soak: bad options (see --help)\n");
        return 2;
    }
    std::printf("soak: seed %llu, %.2f minutes, %d screens, home %s\n", static_cast<unsigned long long>(seed),
                minutes, int(screens.size()), qPrintable(home.path()));
    std::fflush(stdout);

    Random rng(seed);
    Figures f;
    figures = &f;
    qInstallMessageHandler(onMessage);
    f.clock.start();

    // A freeze: the event loop has not turned for freezeSeconds.
    std::atomic<bool> done{false};
    const pthread_t mainThread = pthread_self();
    std::thread watchdog([&] {
        qint64 last = -1;
        int still = 0;
        while (!done.load()) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const qint64 now = heartbeat.load();
            still = now == last ? still + 1 : 0;
            last = now;
            if (still >= freezeSeconds) {
                // The main thread is stuck: its place is where it stands
                // (the sanitizer prints the stack of an abort).
                std::fprintf(stderr, "soak: FREEZE at %s: no events handled for %d s (seed %llu)\n",
                             qPrintable(f.where), still, static_cast<unsigned long long>(seed));
                pthread_kill(mainThread, SIGABRT);
                std::this_thread::sleep_for(std::chrono::seconds(5));
                std::abort();
            }
        }
    });

    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        env.dialogs.saveAnswer = env.path(QStringLiteral("saved/report.rtf"));
        env.dialogs.openAnswer = env.dialogs.saveAnswer;
        env.dialogs.printToPdf = env.path(QStringLiteral("saved/printed.pdf"));
        QDir().mkpath(env.path(QStringLiteral("saved")));
        auto main = std::make_unique<TfrmMain>();
        main->show();
        if (!QTest::qWaitForWindowExposed(main.get()))
            f.find(QStringLiteral("the main window is not shown"));
        Dismisser dismisser(rng, f);

        const qint64 endMs = qint64(minutes * 60000);
        QList<int> order;
        while (f.clock.elapsed() < endMs) {
            if (order.isEmpty()) {
                for (int i = 0; i < screens.size(); ++i)
                    order.append(i);
                std::shuffle(order.begin(), order.end(), rng);
            }
            const ScreenCatalogue::Row& row = screens.at(order.takeFirst());
            const bool fromMenu = chance(rng, 50);
            ++f.visits;
            f.where = QStringLiteral("visit %1, %2 (%3)").arg(f.visits).arg(row.menuItem, fromMenu ? "menu" : "catalogue");
            soundsOn();
            // The message boxes and file dialogs of the run: the recorder
            // (answering as drawn), or the real ones, which the dismisser
            // closes.
            const bool realDialogs = chance(rng, 30);
            Dialogs::install(realDialogs ? nullptr : &env.dialogs);
            env.dialogs.defaultConfirm = chance(rng, 50);
            env.dialogs.printAnswer = chance(rng, 20);

            if (fromMenu) {
                if (QAction* item = main->menuItem(row.menuItem))
                    item->trigger();
            } else {
                main->openScreen(row.titleId, row.titleTakesOption, [&row] { return createScreen(row.id); });
            }
            QPointer<ChildForm> form = main->childForms().isEmpty() ? nullptr : main->childForms().constFirst();
            if (!form)
                f.find(QStringLiteral("the screen did not open"));
            else
                f.screensSeen.insert(row.menuItem);

            const int events = 40 + below(rng, 200);
            for (int i = 0; i < events && form && main->isVisible(); ++i) {
                fastestTimers(form);
                if (chance(rng, 65))
                    pressKey(rng, inputWindow(main.get()), f);
                else
                    clickSomething(rng, inputWindow(main.get()), f);
                run(below(rng, 60));
                heartbeat.fetch_add(1);
            }
            if (main->isVisible())
                closeScreens(rng, *main, f);
            if (main->isVisible() && Globals::Practising)
                f.find(QStringLiteral("still practising with no screen open"));
            if (main->isVisible() && !main->topMenu(1)->menuAction()->isEnabled())
                f.find(QStringLiteral("the menus stay off with no screen open"));
            if (QFileInfo::exists(Globals::UserIniFile) && IniFile(Globals::UserIniFile).readFailed())
                f.find(QStringLiteral("the learner's file cannot be read back"));
            for (int i = below(rng, 3); i > 0 && main->isVisible(); --i)
                menuCommands(rng, *main, f);
            if (!main->isVisible()) {
                // Exit: a new start of the window, the learner still signed in.
                ++f.exits;
                Globals::Practising = false;
                main.reset();
                main = std::make_unique<TfrmMain>();
                main->show();
                if (!QTest::qWaitForWindowExposed(main.get()))
                    f.find(QStringLiteral("the main window is not shown again"));
            }
            f.sounds += env.sounds.calls.size();
            f.boxes += env.dialogs.boxes.size();
            env.sounds.clear();
            env.dialogs.clear();
            env.help.clear();
            if (f.visits % 20 == 0) {
                std::printf("soak: %lld visits, %lld keys, %lld clicks, %.1f min\n", f.visits, f.keys, f.clicks,
                            f.clock.elapsed() / 60000.0);
                std::fflush(stdout);
            }
        }
        Dialogs::install(&env.dialogs);
        main.reset();
    }
    done = true;
    watchdog.join();
    qInstallMessageHandler(nullptr);

    std::printf("soak: seed %llu: %d of %d screens, %lld visits, %lld keys, %lld clicks, %lld menu commands, "
                "%lld modal windows and %lld popups dismissed, %lld sounds, %lld boxes, %lld exits in %.1f minutes\n",
                static_cast<unsigned long long>(seed), int(f.screensSeen.size()), int(screens.size()), f.visits, f.keys,
                f.clicks, f.menuCommands, f.modalsDismissed, f.popupsClosed, f.sounds, f.boxes, f.exits,
                f.clock.elapsed() / 60000.0);
    for (auto it = f.findings.cbegin(); it != f.findings.cend(); ++it)
        std::printf("soak: finding (%d times, first at %s): %s\n", it->count, qPrintable(it->firstWhere), qPrintable(it.key()));
    std::printf("soak: %d findings\n", int(f.findings.size()));
    return f.findings.isEmpty() ? 0 : 1;
}
