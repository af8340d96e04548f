#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QStandardPaths>

#ifdef VSM_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace {

QString g_programFolderOverride;
int g_numLockRequests = 0;
QString g_installFolderOverride;

QString withTrailingSeparator(const QString& folder)
{
    const QString sep = SystemInfo::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + sep;
}

// The data folder of a program in programDir: the installed data folder at
// the place the installation puts it relative to the program (from "bin",
// "../share/vandrelsholm-speed-math") when it exists, else programDir itself
// (a build folder).
QString dataFolderFor(const QString& programDir)
{
    const QString data = QDir::cleanPath(programDir + QLatin1Char('/') + QStringLiteral(VSM_DATA_FROM_BIN));
    return QFileInfo(data).isDir() ? data : programDir;
}

} // namespace

namespace SystemInfo {

QString separator()
{
    return QString(QDir::separator());
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + separator() + name;
}

QString programFolder()
{
    if (!g_programFolderOverride.isEmpty())
        return withTrailingSeparator(g_programFolderOverride);
    return withTrailingSeparator(QDir::toNativeSeparators(dataFolderFor(QCoreApplication::applicationDirPath())));
}

QString installFolder()
{
    if (!g_installFolderOverride.isEmpty())
        return g_installFolderOverride;
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Program Files\\Vandrelsholm Speed Math");
#else
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                    + QStringLiteral("/Vandrelsholm Speed Math"));
#endif
}

bool isNetworkPath(const QString& path)
{
    return path.startsWith(QLatin1String("\\\\")) || path.startsWith(QLatin1String("//"));
}

QString platformId()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("WINNT");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("MACOS");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("LINUX");
#elif defined(Q_OS_UNIX)
    return QStringLiteral("UNIX");
#else
    return QString();
#endif
}

QString windowsFolder()
{
#ifdef Q_OS_WIN
    const QString root = qEnvironmentVariable("SystemRoot");
    return root.isEmpty() ? QString() : withTrailingSeparator(root);
#else
    return QString();
#endif
}

QString systemFolder()
{
#ifdef Q_OS_WIN
    const QString windows = windowsFolder();
    return windows.isEmpty() ? QString() : windows + QStringLiteral("System32\\");
#else
    return QString();
#endif
}

QString versionText(const QString& key)
{
    if (key != QLatin1String("VersionNo"))
        return QString();
    return QStringLiteral(VSM_VERSION);
}

int numLockRequests()
{
    return g_numLockRequests;
}

void setNumLockOn()
{
    ++g_numLockRequests;
#ifdef VSM_HAVE_X11
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return;
    Display* display = x11->display();
    const unsigned int mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (mask != 0) {
        XkbLockModifiers(display, XkbUseCoreKbd, mask, mask);
        XFlush(display);
    }
#endif
}

void setProgramFolderForTests(const QString& folder)
{
    g_programFolderOverride = folder;
}

void setInstallFolderForTests(const QString& folder)
{
    g_installFolderOverride = folder;
}

} // namespace SystemInfo
