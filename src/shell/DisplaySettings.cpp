#include "shell/DisplaySettings.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

#include "platform/Dialogs.h"
#include "shell/Globals.h"

namespace {

DisplaySettings::Finder& finder()
{
    static DisplaySettings::Finder f;
    return f;
}

DisplaySettings::Starter& starter()
{
    static DisplaySettings::Starter s;
    return s;
}

QString findProgram(const QString& program)
{
    return finder() ? finder()(program) : QStandardPaths::findExecutable(program);
}

bool startProgram(const QString& program, const QStringList& arguments)
{
    return starter() ? starter()(program, arguments) : QProcess::startDetached(program, arguments);
}

const QString CannotOpen = QStringLiteral("System Error: Cannot open Control Panel!");

} // namespace

void DisplaySettings::setFinder(Finder f)
{
    finder() = std::move(f);
}

void DisplaySettings::setStarter(Starter s)
{
    starter() = std::move(s);
}

QList<DisplaySettings::Command> DisplaySettings::candidates(const QString& currentDesktop)
{
    QList<Command> list = {
#ifdef Q_OS_MACOS
        {QStringLiteral("open"), {QStringLiteral("-b"), QStringLiteral("com.apple.systempreferences")}, QStringLiteral("macOS")},
#endif
        {QStringLiteral("gnome-control-center"), {QStringLiteral("appearance")}, QStringLiteral("GNOME")},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_colors")}, QStringLiteral("KDE")},
        {QStringLiteral("kcmshell6"), {QStringLiteral("kcm_colors")}, QStringLiteral("KDE")},
        {QStringLiteral("kcmshell5"), {QStringLiteral("colors")}, QStringLiteral("KDE")},
        {QStringLiteral("cinnamon-settings"), {QStringLiteral("themes")}, QStringLiteral("X-Cinnamon")},
        {QStringLiteral("mate-appearance-properties"), {}, QStringLiteral("MATE")},
        {QStringLiteral("xfce4-appearance-settings"), {}, QStringLiteral("XFCE")},
        {QStringLiteral("lxqt-config-appearance"), {}, QStringLiteral("LXQt")},
        {QStringLiteral("budgie-control-center"), {QStringLiteral("appearance")}, QStringLiteral("Budgie")},
        {QStringLiteral("lxappearance"), {}, QStringLiteral("LXDE")},
    };
    const QStringList current = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const auto inUse = [&current](const Command& c) {
        return std::any_of(current.cbegin(), current.cend(),
                           [&c](const QString& d) { return d.compare(c.desktop, Qt::CaseInsensitive) == 0; });
    };
    std::stable_partition(list.begin(), list.end(), inUse);
    return list;
}

bool DisplaySettings::open(QWidget* parent, const QString& platform)
{
    if (platform.isEmpty()) {
        Dialogs::current().error(parent, QStringLiteral("Error: Couldn't detect Windows version! Sorry, cannot set the scheme."));
        return false;
    }
    if (platform == QLatin1String("WIN9X") || platform == QLatin1String("WINNT")) {
        const QString folder = platform == QLatin1String("WIN9X") ? GetWindowsFolder() : GetSystemFolder();
        if (!folder.isEmpty()
            && startProgram(folder + QStringLiteral("rundll32.exe"),
                            {QStringLiteral("shell32.dll,Control_RunDLL desk.cpl,,2")}))
            return true;
        Dialogs::current().error(parent, CannotOpen);
        return false;
    }
    for (const Command& command : candidates(qEnvironmentVariable("XDG_CURRENT_DESKTOP"))) {
        const QString path = findProgram(command.program);
        if (!path.isEmpty() && startProgram(path, command.arguments))
            return true;
    }
    Dialogs::current().error(parent, CannotOpen);
    return false;
}
