#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "platform/SystemInfo.h"

namespace {

// Qt's GUI options, as QGuiApplication and QApplication read them (with one
// dash or two); the first group takes a value.
const char* const QtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                      "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                      "style", "stylesheet", "display", "geometry", "title", "icon",
                                      "name", "visual", "qmljsdebugger"};
const char* const QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

void addHidden(QCommandLineParser& parser, const char* name, bool takesValue)
{
    QCommandLineOption option(QString::fromLatin1(name));
    if (takesValue)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

} // namespace

CommandLine::CommandLine(const QStringList& args)
    : m_program(args.isEmpty() ? QStringLiteral("vandrelsholm-speed-math") : QFileInfo(args.first()).fileName())
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "A trainer for mental arithmetic by the Vandrelsholm method of speed arithmetic.\n"
        "Learners sign in by name; scores, options and best times are kept per learner.\n"
        "Only one instance runs at a time: starting it again brings the running one to the front."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : QtValueOptions)
        addHidden(parser, name, true);
    for (const char* name : QtFlagOptions)
        addHidden(parser, name, false);

    if (!parser.parse(args)) {
        m_error = parser.errorText();
        m_action = Action::Refuse;
    } else if (parser.isSet(help)) {
        m_action = Action::Help;
    } else if (parser.isSet(version)) {
        m_action = Action::Version;
    } else if (!parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
        m_action = Action::Refuse;
    }
    // Without an application object the parser cannot know the program's
    // name: the usage line gets it here.
    m_help = parser.helpText();
    const qsizetype usageEnd = m_help.indexOf(QLatin1Char('\n'));
    m_help.replace(0, usageEnd, QStringLiteral("Usage: %1 [options]").arg(m_program));
    m_help += QStringLiteral("\nQt's own options (-platform, -style, -geometry, ...) are accepted as well.\n"
                             "Home page: " VSM_HOMEPAGE "\n");
}

QString CommandLine::helpText() const
{
    return m_help;
}

QString CommandLine::versionText() const
{
    return QStringLiteral("Vandrelsholm Speed Math %1\n"
                          "Copyright (C) 2026 Brindle Cove Learning\n"
                          "Licence GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(SystemInfo::versionText(QStringLiteral("VersionNo")));
}

QString CommandLine::errorText() const
{
    return QStringLiteral("%1: %2 See '%1 --help'.\n").arg(m_program, m_error);
}
