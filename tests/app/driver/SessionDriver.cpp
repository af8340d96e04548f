// A Qt generic plugin that the session-end test loads into the real program
// (QT_PLUGIN_PATH and QT_QPA_GENERIC_PLUGINS=vsmsessiondriver), so the
// program itself needs no code for it. It does what a learner does, finding
// the controls by name: presses OK in the sign-in dialog (the learner is
// listed and chosen), opens the screen of the menu item VSM_DRIVER_MENU,
// presses PLAY and waits until the screen has counted an answer; with
// VSM_DRIVER_STOP=1 it then presses STOP. Each step is written to standard
// error as "vsm-driver <step> <Total shown>", the last one "vsm-driver ready".

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGenericPlugin>
#include <QMainWindow>
#include <QTimer>
#include <QVariant>

#include <cstdio>

namespace {

class SessionDriver : public QObject
{
public:
    SessionDriver()
    {
        connect(&m_timer, &QTimer::timeout, this, &SessionDriver::step);
        m_timer.start(50);
    }

private:
    template <typename T>
    static T* find(const char* name)
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (T* found = top->findChild<T*>(QString::fromLatin1(name)); found && found->isVisible())
                return found;
        }
        return nullptr;
    }
    static QAction* action(const char* name)
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (QAction* found = top->findChild<QAction*>(QString::fromLatin1(name)))
                return found;
        }
        return nullptr;
    }
    static QString total()
    {
        QWidget* panel = find<QWidget>("pnlTotal");
        return panel ? panel->property("caption").toString() : QString();
    }
    void say(const char* what)
    {
        std::fprintf(stderr, "vsm-driver %s %s\n", what, qPrintable(total()));
        std::fflush(stderr);
    }

    void step()
    {
        switch (m_stage) {
        case 0: // sign in
            if (auto* ok = find<QAbstractButton>("btnOK"); ok && ok->isEnabled()) {
                ok->click();
                say("signed-in");
                ++m_stage;
            }
            break;
        case 1: // the screen, once the dialog has gone
            if (!find<QAbstractButton>("btnOK")) {
                QAction* item = action(qgetenv("VSM_DRIVER_MENU").constData());
                if (item && item->isEnabled()) {
                    item->trigger();
                    ++m_stage;
                }
            }
            break;
        case 2: // PLAY
            if (auto* play = find<QAbstractButton>("BitBtnPlay"); play && play->isEnabled()) {
                m_before = total();
                say("opened");
                play->click();
                ++m_stage;
            }
            break;
        case 3: // an answer counted
            if (!total().isEmpty() && total() != m_before) {
                say("answered");
                if (qgetenv("VSM_DRIVER_STOP") == "1") {
                    if (auto* stop = find<QAbstractButton>("BitBtnStop"))
                        stop->click();
                    say("stopped");
                }
                say("ready");
                m_timer.stop();
                ++m_stage;
            }
            break;
        default:
            break;
        }
    }

    QTimer m_timer;
    int m_stage = 0;
    QString m_before;
};

} // namespace

class SessionDriverPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "SessionDriver.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        return key.compare(QLatin1String("vsmsessiondriver"), Qt::CaseInsensitive) == 0 ? new SessionDriver : nullptr;
    }
};

#include "SessionDriver.moc"
