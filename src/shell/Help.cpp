#include "shell/Help.h"

namespace {

Help* g_installed = nullptr;
QString g_applicationHelpFile;

} // namespace

Help& Help::current()
{
    static Help real;
    return g_installed ? *g_installed : real;
}

void Help::install(Help* help)
{
    g_installed = help;
}

QString Help::applicationHelpFile()
{
    return g_applicationHelpFile;
}

void Help::setApplicationHelpFile(const QString& path)
{
    g_applicationHelpFile = path;
}

bool Help::showTopic(int contextNumber)
{
    return current().winHelp(nullptr, g_applicationHelpFile, HELP_CONTEXT, contextNumber);
}

bool Help::showTopicInWindow(const QString& windowName, int contextNumber)
{
    return current().winHelp(nullptr, g_applicationHelpFile + QLatin1Char('>') + windowName,
                             HELP_CONTEXT, contextNumber);
}

bool Help::showPopup(int contextNumber)
{
    return current().winHelp(nullptr, g_applicationHelpFile, HELP_CONTEXTPOPUP, contextNumber);
}

bool Help::setPopupPosition(const QPoint& screenPos)
{
    return current().winHelp(nullptr, g_applicationHelpFile, HELP_SETPOPUP_POS, screenPos);
}

bool Help::showFinder()
{
    return current().winHelp(nullptr, g_applicationHelpFile, HELP_FINDER, 0);
}

bool Help::showTopicByJumpId(const QString& jumpId)
{
    if (!current().winHelp(nullptr, g_applicationHelpFile, HELP_CONTENTS, 0))
        return false;
    return current().winHelp(nullptr, g_applicationHelpFile, HELP_COMMAND,
                             QStringLiteral("JumpID(\"\", \"%1\")").arg(jumpId));
}

bool Help::quit()
{
    return current().winHelp(nullptr, g_applicationHelpFile, HELP_QUIT, 0);
}
