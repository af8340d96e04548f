#include <QApplication>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleFactory>

#include "app/Main.h"
#include "app/TerminationSignals.h"
#include "app/WhenShown.h"
#include "app/multinst.h"
#include "platform/SoundPlayer.h"
#include "shell/Globals.h"
#include "shell/Strings.h"

namespace {

// Tooltips show at once; they stay a minute (each control sets its own
// duration) .
class HintStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandrelsholm Speed Math"));
    QApplication::setOrganizationName(QStringLiteral("Vandrelsholm"));
    // Ties the windows to the desktop menu entry (Wayland's app id, X11 hints).
    QGuiApplication::setDesktopFileName(QStringLiteral(VSM_APP_ID));

    SingleInstance guard;
    // Another instance runs: it has come to the front, or an error box has
    // said why it cannot.
    if (const SingleInstance::Outcome outcome = guard.start(); outcome != SingleInstance::Outcome::First)
        return outcome == SingleInstance::Outcome::Raised ? 0 : 1;

    QApplication::setStyle(new HintStyle(QStyleFactory::create(QStringLiteral("Fusion"))));

    TfrmMain mainWindow;
    QObject::connect(&guard, &SingleInstance::raiseRequested, &mainWindow, &TfrmMain::bringToFront);
    // Ending the session or the process is a close: the open screen saves.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::endRequested, &mainWindow, &TfrmMain::endSession);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow, &TfrmMain::endSession);
#endif
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &mainWindow, &TfrmMain::closeForSessionEnd);
    mainWindow.show();
    // The main window comes on screen first; its icon (reading an image
    // loads Qt's image plugins), the sign-in dialog inside it and the opening
    // prompt (the sound output loads with it) follow at once.
    whenFirstShown(&mainWindow, [&mainWindow] {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/AppIcon.png")));
        mainWindow.mnuAboutClick(); // sign-in
        SoundPlayer::current().playResource(Sounds::Intro, SoundPlayer::Mode::Async);
    });
    return app.exec();
}
