#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Opens the desktop's colour-scheme settings: on Windows the display settings
// of the control panel on their appearance page, elsewhere the appearance
// settings of the first desktop whose settings program is installed (the
// desktop in use first). The way programs are found and started can be
// replaced by tests.
class DisplaySettings
{
public:
    struct Command {
        QString program;
        QStringList arguments;
        QString desktop; // the desktop it belongs to, as XDG_CURRENT_DESKTOP names it
    };

    // The settings programs tried, in order, with the desktop in use (a
    // colon-separated list such as "ubuntu:GNOME") moved to the front.
    static QList<Command> candidates(const QString& currentDesktop);

    // Finds a program on the search path (empty when not installed).
    using Finder = std::function<QString(const QString& program)>;
    // Starts a program without waiting for it; true when it started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;
    static void setFinder(Finder finder);   // nullptr: the real search path
    static void setStarter(Starter starter); // nullptr: QProcess::startDetached

    // Runs the scheme settings for a platform ("WINNT", "WIN9X" or another
    // platform name); shows the error boxes of each failure. True when a
    // settings program was started.
    static bool open(QWidget* parent, const QString& platform);
};
