#include <QApplication>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleFactory>

#include <cstdio>

#include "app/CommandLine.h"
#include "app/Main.h"
#include "app/TerminationSignals.h"
#include "app/WhenShown.h"
#include "app/multinst.h"
#include "platform/SoundPlayer.h"
#include "shell/ChildForm.h"
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

// Prints text whole on stream; false when it could not be written.
bool print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
           && std::fflush(stream) == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // The command line is read before any window, lock or sound exists.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine(args);
    switch (commandLine.action()) {
    case CommandLine::Action::Help:
        return print(stdout, commandLine.helpText()) ? 0 : 1;
    case CommandLine::Action::Version:
        return print(stdout, commandLine.versionText()) ? 0 : 1;
    case CommandLine::Action::Refuse:
        print(stderr, commandLine.errorText());
        return CommandLine::RefusedExitCode;
    case CommandLine::Action::Run:
        break;
    }

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
    // The main window comes on screen first, then the sign-in dialog inside
    // it, where the learner can act; the window icon and the opening prompt
    // (the sound output and the multimedia library load with it) follow once
    // the dialog has been painted.
    whenFirstShown(&mainWindow, [&mainWindow] {
        mainWindow.mnuAboutClick(); // sign-in
        const auto afterSignInShown = [] {
            QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/AppIcon.png")));
            SoundPlayer::current().playResource(Sounds::Intro, SoundPlayer::Mode::Async);
        };
        if (ChildForm* signIn = mainWindow.activeChild())
            whenFirstShown(signIn, afterSignInShown);
        else
            afterSignInShown();
    });
    return app.exec();
}
