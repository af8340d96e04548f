// Time and peak memory for the largest files each reader takes, each in a
// process of its own (the program as a learner uses it, offscreen):
// - a learner file at the read limit (16 MiB) of bare line feeds, and of
//   keys: sign in, open and close a screen;
// - a name list near its limit (1 MB): open the sign-in dialog, add a learner;
// - the largest report the viewer shows (20,000 paragraphs, 1,000,000
//   characters), and a 16 MB one it refuses: File > Open Report;
// - a help file at its limit (2 MB): read and every topic made a page;
// - Reset Scores on a learner file at the read limit of 3.3 million empty
//   sections, and of half a million sections with counts to reset.
// Prints the time of the action (and the processor time it took, which a
// busy machine does not stretch) and how much the peak resident memory grew.

#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>
#include <QTextEdit>

#include <cstdio>
#include <functional>

#include "CaseProcesses.h"
#include "ScreenTesting.h"
#include "app/HelpFile.h"
#include "platform/IniFile.h"
#include "records/OpenReport.h"
#include "shell/Globals.h"
#include "shell/UserStore.h"

namespace {

struct Case {
    const char* name;
    const char* what;
    // Makes the file (not measured); returns its path.
    std::function<QString(TestEnvironment&)> make;
    // The learner's action on it; returns what came of it.
    std::function<QString(TestEnvironment&, TfrmMain&, const QString&)> act;
};

QString learnerFile(TestEnvironment& env, const QByteArray& head, const QByteArray& line)
{
    env.writeFile(QStringLiteral("install/User/UserList.ini"), "Ann\r\n");
    const QString path = env.path(QStringLiteral("install/User/Ann.ini"));
    TestEnvironment::writeRepeated(path, head, line, IniFile::kMaxFileSize);
    return path;
}

QString signInAndCloseAScreen(TestEnvironment& env, TfrmMain& main, const QString&)
{
    if (!signInAs(main, QStringLiteral("Ann")))
        return QStringLiteral("sign-in failed");
    ChildForm* screen = openFromMenu<ChildForm>(main, QStringLiteral("mnuAddition"));
    if (!screen || !screen->closeForm())
        return QStringLiteral("the screen failed");
    return QStringLiteral("%1 error box(es)").arg(env.dialogs.count(QStringLiteral("error")));
}

// The learner's file in "users", signed in without the dialog.
QString signedInLearnerFile(TestEnvironment& env, const QByteArray& head, const QByteArray& line)
{
    env.signIn(QStringLiteral("Ann"));
    TestEnvironment::writeRepeated(Globals::UserIniFile, head, line, IniFile::kMaxFileSize);
    return Globals::UserIniFile;
}

QString resetScores(TestEnvironment& env, TfrmMain& main, const QString&)
{
    main.menuItem(QStringLiteral("mnuResetScores"))->trigger();
    const QStringList said = env.dialogs.texts(QStringLiteral("information")) + env.dialogs.texts(QStringLiteral("error"));
    return said.isEmpty() ? QStringLiteral("nothing said") : said.constLast().left(40);
}

QString openReport(TestEnvironment& env, TfrmMain& main, const QString& path)
{
    env.dialogs.openAnswer = path;
    main.menuItem(QStringLiteral("mnuOpenReport"))->trigger();
    auto* viewer = qobject_cast<TOpenReportForm*>(main.activeChild());
    if (!viewer)
        return QStringLiteral("refused");
    QApplication::processEvents();
    return QStringLiteral("shown, %1 paragraphs").arg(viewer->rtfScores()->document()->blockCount());
}

const QList<Case>& cases()
{
    static const QList<Case> all = {
        {"ini-line-feeds", "learner file, 16 MiB of line feeds",
         [](TestEnvironment& env) { return learnerFile(env, "[GradePrefs]\nUserLevel=3\n", "\n"); },
         signInAndCloseAScreen},
        {"ini-keys", "learner file, 16 MiB of keys",
         [](TestEnvironment& env) { return learnerFile(env, "[GradePrefs]\r\nUserLevel=3\r\n[Addition]\r\n", "k=\r\n"); },
         signInAndCloseAScreen},
        {"name-list", "name list, 1 MB of names",
         [](TestEnvironment& env) {
             QByteArray names;
             for (int i = 0; names.size() < UserStore::MaxListFileSize - 100; ++i)
                 names += "Learner" + QByteArray::number(1000000 + i) + "\r\n";
             env.writeFile(QStringLiteral("install/User/UserList.ini"), names);
             return env.path(QStringLiteral("install/User/UserList.ini"));
         },
         [](TestEnvironment& env, TfrmMain& main, const QString&) {
             return signInAs(main, QStringLiteral("Zoe")) && env.dialogs.boxes.isEmpty() ? QStringLiteral("learner added")
                                                                                        : QStringLiteral("failed");
         }},
        {"report-largest", "report, 20,000 paragraphs of 50 characters",
         [](TestEnvironment& env) {
             const QByteArray line = "ADDITION.................        37        50   74"; // 50 characters
             env.writeFile(QStringLiteral("large.rtf"), "{\\rtf1 " + (line + "\\par\n").repeated(20000) + "}");
             return env.path(QStringLiteral("large.rtf"));
         },
         openReport},
        {"report-refused", "report, 16 MB of text",
         [](TestEnvironment& env) {
             const QString path = env.path(QStringLiteral("large.rtf"));
             TestEnvironment::writeRepeated(path, "{\\rtf1 ", "0123456789abcdef", 16 * 1024 * 1024);
             return path;
         },
         openReport},
        {"reset-sections", "Reset Scores, 3.3 million empty sections",
         [](TestEnvironment& env) {
             return signedInLearnerFile(env, "[Addition]\r\nTotal=50\r\nCorrect=37\r\n", "[S]\r\n");
         },
         resetScores},
        {"reset-counts", "Reset Scores, 480,000 sections with counts",
         [](TestEnvironment& env) {
             return signedInLearnerFile(env, "[GradePrefs]\r\nUserLevel=3\r\n",
                                        "[Addition]\r\nTotal=50\r\nCorrect=37\r\n");
         },
         resetScores},
        {"help", "help file, 2 MB",
         [](TestEnvironment& env) {
             QByteArray help = "VSMHELP 1\ntitle: Large\n";
             for (int i = 1; help.size() < HelpFile::MaxBytes - 1000; ++i)
                 help += "[topic " + QByteArray::number(i) + "]\ntitle: Topic " + QByteArray::number(i)
                         + "\nSee [[1]] and **this**:\n* one\n* two\n" + QByteArray(300, 'x') + "\n[end]\n";
             env.writeFile(QStringLiteral("large.hlp"), help);
             return env.path(QStringLiteral("large.hlp"));
         },
         [](TestEnvironment&, TfrmMain&, const QString& path) {
             const HelpFile::LoadResult loaded = HelpFile::load(path);
             if (!loaded.file)
                 return QStringLiteral("refused: ") + loaded.detail;
             QTextDocument page;
             for (const HelpFile::Topic& topic : loaded.file->topics())
                 page.setHtml(loaded.file->topicHtml(topic));
             return QStringLiteral("%1 topics").arg(loaded.file->topics().size());
         }},
    };
    return all;
}

int runCase(const Case& c)
{
    TestEnvironment env;
    const QString path = c.make(env);
    TfrmMain main;
    main.show();
    QApplication::processEvents();
    const qint64 before = Bench::peakResidentBytes();
    const double processorBefore = Bench::processorMs();
    QElapsedTimer timer;
    timer.start();
    const QString outcome = c.act(env, main, path);
    std::printf("  %-44s %6.1f MB  %7.0f ms (processor %5.0f ms)  peak +%4lld MB  %s\n", c.what,
                QFileInfo(path).size() / 1048576.0, timer.nsecsElapsed() / 1e6, Bench::processorMs() - processorBefore,
                (Bench::peakResidentBytes() - before) >> 20, qPrintable(outcome));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return Bench::runEachInOwnProcess(argc, argv, "bench_LargeFiles (offscreen; each in its own process)", cases(), runCase);
}
