#pragma once

#include <QString>
#include <QStringList>

// The program's command line, read before anything of the GUI exists (no
// display is needed): --help and --version print and end the program, any
// other option or argument of ours is refused. Qt's own GUI options
// (-platform, -style, -geometry, ...) are let through for QApplication,
// which takes them out of the arguments itself.
class CommandLine
{
public:
    enum class Action {
        Run,     // start the program
        Help,    // print helpText() on standard output, exit status 0
        Version, // print versionText() on standard output, exit status 0
        Refuse   // print errorText() on standard error, exit status RefusedExitCode
    };
    static constexpr int RefusedExitCode = 2;

    // args as main() gets them, the program's path first.
    explicit CommandLine(const QStringList& args);

    Action action() const { return m_action; }
    // Each ends in a line end.
    QString helpText() const;
    QString versionText() const;
    QString errorText() const;

private:
    QString m_program;
    QString m_help;
    QString m_error;
    Action m_action = Action::Run;
};
