// The saved-report viewer on the reports it takes and the files it refuses,
// each in a process of its own (the program as a learner uses it, offscreen):
// - a marksheet this program wrote: File > Open Report;
// - the worst report it takes: at every bound of the reader at once (20,000
//   paragraphs, 1,000,000 characters, 100 fonts none of which is installed,
//   200 looks, 50,000 runs): File > Open Report, the whole layout of the
//   box, and Print to a PDF file;
// - small hostile files it refuses: 20,000 and 40,000 fonts in use, 900,000
//   runs, 20,000 sizes.
// Prints for each the time, how much the peak resident memory grew, and the
// longest time the program went without handling its events (with the
// progress box shown from the start: how long a click on "Cancel" could
// wait). For the reports it takes, the time of each stage of a read and of
// a print on its own, beside the share of the progress bar the stage has.

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "CaseProcesses.h"
#include "RtfShapes.h"
#include "ScreenTesting.h"
#include "platform/Rtf.h"
#include "records/OpenReport.h"
#include "records/Scores.h"
#include "shell/ProgressBox.h"

namespace {

// The longest time between two turns of the event loop while it lives.
class PauseMeter
{
public:
    PauseMeter()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = qMax(m_longest, m_since.nsecsElapsed());
            m_since.restart();
        });
        m_since.start();
        m_timer.start();
    }
    double longestMilliseconds() const { return qMax(m_longest, m_since.nsecsElapsed()) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

// Times the stages of a task from the progress it reports: a stage ends
// when the progress first reaches the stage's end.
class StageTimer
{
public:
    struct Stage {
        const char* name;
        int end;   // thousandths
    };
    explicit StageTimer(const QList<Stage>& stages)
        : m_stages(stages)
    {
        m_timer.start();
    }
    Rtf::Progress progress()
    {
        return [this](int permille) {
            while (m_ends.size() < m_stages.size() - 1 && permille >= m_stages.at(m_ends.size()).end)
                m_ends.append(m_timer.nsecsElapsed());
            return true;
        };
    }
    // Ends the last stage: "name ms (share of the bar), ...".
    QString summary()
    {
        while (m_ends.size() < m_stages.size())
            m_ends.append(m_timer.nsecsElapsed());
        QStringList parts;
        for (qsizetype i = 0; i < m_stages.size(); ++i) {
            const qint64 from = i > 0 ? m_ends.at(i - 1) : 0;
            const int barFrom = i > 0 ? m_stages.at(i - 1).end : 0;
            parts << QStringLiteral("%1 %2 ms (%3%)")
                         .arg(QLatin1String(m_stages.at(i).name))
                         .arg((m_ends.at(i) - from) / 1e6, 0, 'f', 0)
                         .arg((m_stages.at(i).end - barFrom) / 10);
        }
        return parts.join(QLatin1String(", "));
    }

private:
    QList<Stage> m_stages;
    QList<qint64> m_ends;
    QElapsedTimer m_timer;
};

// The stages of a read and of a print on their own, with the times of each.
void printStages(const QString& path, const QTextDocument& shown, const QString& pdf)
{
    QFile file(path);
    QTextDocument doc;
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    StageTimer reading({{"parse", Rtf::ReadParseEnd}, {"fill", 1000}});
    QString error;
    Rtf::read(bytes, &doc, &error, reading.progress());
    std::printf("  %-38s %8s  read stages:  %s\n", "", "", qPrintable(reading.summary()));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    StageTimer printing({{"copy", Rtf::PrintCopyEnd},
                         {"fonts", Rtf::PrintFontsEnd},
                         {"layout", Rtf::PrintLayoutEnd},
                         {"pages", 1000}});
    Rtf::print(shown, &printer, QStringLiteral("stages"), &error, printing.progress());
    std::printf("  %-38s %8s  print stages: %s\n", "", "", qPrintable(printing.summary()));
    std::fflush(stdout);
}

struct Case {
    const char* name;
    const char* what;
    std::function<QByteArray(TestEnvironment&, TfrmMain&)> make;   // the file (not measured)
    bool print;   // also print it to PDF
};

QByteArray fonts(int count)
{
    QByteArray table = "{\\rtf1{\\fonttbl";
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        table += "{\\f" + QByteArray::number(i) + "\\fnil Family" + QByteArray::number(i) + ";}";
        text += "{\\f" + QByteArray::number(i) + " x}" + (i % 100 == 99 ? "\\par " : "");
    }
    return table + "}" + text + "}";
}

const QList<Case>& cases()
{
    static const QList<Case> all = {
        {"marksheet", "marksheet this program wrote",
         [](TestEnvironment&, TfrmMain& main) {
             auto* scores = openFromMenu<TScoresForm>(main, QStringLiteral("mnuScores"));
             const QByteArray rtf = scores ? Rtf::write(*scores->rtfScores()->document()) : QByteArray();
             if (scores)
                 scores->closeForm();
             return rtf;
         },
         true},
        {"worst", "worst accepted report (every bound)",
         [](TestEnvironment&, TfrmMain&) { return RtfShapes::boundedReport(Rtf::MaxParagraphs, 50); }, true},
        {"fonts-20000", "20,000 fonts in use", [](TestEnvironment&, TfrmMain&) { return fonts(20000); }, false},
        {"fonts-40000", "40,000 fonts in use", [](TestEnvironment&, TfrmMain&) { return fonts(40000); }, false},
        {"runs-900000", "900,000 runs",
         [](TestEnvironment&, TfrmMain&) {
             return "{\\rtf1 " + (QByteArray("{\\b x}{\\i y}").repeated(50) + "\\par\n").repeated(9000) + "}";
         },
         false},
        {"sizes-20000", "20,000 sizes",
         [](TestEnvironment&, TfrmMain&) {
             QByteArray rtf = "{\\rtf1 ";
             for (int i = 0; i < 20000; ++i)
                 rtf += "\\fs" + QByteArray::number(2 + i % 3270) + " x" + (i % 100 == 99 ? "\\par " : "");
             return rtf + "}";
         },
         false},
    };
    return all;
}

int runCase(const Case& c)
{
    TestEnvironment env;
    env.signIn(QStringLiteral("Ann"));
    TfrmMain main;
    main.show();
    QApplication::processEvents();
    env.writeFile(QStringLiteral("report.rtf"), c.make(env, main));
    const QString path = env.path(QStringLiteral("report.rtf"));
    QApplication::processEvents();
    ProgressBox::setShowAfter(0);

    qint64 before = Bench::peakResidentBytes();
    QElapsedTimer timer;
    timer.start();
    TOpenReportForm* viewer = nullptr;
    double pause = 0;
    {
        PauseMeter meter;
        env.dialogs.openAnswer = path;
        main.menuItem(QStringLiteral("mnuOpenReport"))->trigger();
        viewer = qobject_cast<TOpenReportForm*>(main.activeChild());
        pause = meter.longestMilliseconds();
    }
    const double openMs = timer.nsecsElapsed() / 1e6;
    std::printf("  %-38s %5.2f MB  open    %7.0f ms  peak +%4lld MB  pause %5.0f ms  %s\n", c.what,
                QFileInfo(path).size() / 1048576.0, openMs, (Bench::peakResidentBytes() - before) >> 20, pause,
                viewer ? qPrintable(QStringLiteral("%1 paragraphs").arg(viewer->rtfScores()->document()->blockCount()))
                       : "refused");
    std::fflush(stdout);
    if (!viewer)
        return 0;

    // The box lays itself out a part at a time once shown; all of it:
    timer.restart();
    viewer->rtfScores()->document()->documentLayout()->documentSize();
    std::printf("  %-38s %8s  layout  %7.0f ms\n", "", "", timer.nsecsElapsed() / 1e6);
    if (!c.print)
        return 0;

    const QString pdf = env.path(QStringLiteral("report.pdf"));
    env.dialogs.printToPdf = pdf;
    before = Bench::peakResidentBytes();
    timer.restart();
    {
        PauseMeter meter;
        viewer->bitbtnPrintClick();
        pause = meter.longestMilliseconds();
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QString pages = QStringLiteral("? pages");
    if (info.waitForFinished(60000)) {
        for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(u'\n')) {
            if (line.startsWith(QLatin1String("Pages:")))
                pages = line.mid(6).trimmed() + QStringLiteral(" pages");
        }
    }
    std::printf("  %-38s %8s  print   %7.0f ms  peak +%4lld MB  pause %5.0f ms  %s, %.1f MB PDF\n", "", "",
                timer.nsecsElapsed() / 1e6, (Bench::peakResidentBytes() - before) >> 20, pause, qPrintable(pages),
                QFileInfo(pdf).size() / 1048576.0);
    printStages(path, *viewer->rtfScores()->document(), env.path(QStringLiteral("stages.pdf")));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return Bench::runEachInOwnProcess(argc, argv,
                                      "bench_Reports (offscreen; each in its own process; pause: the longest time\n"
                                      "without handling events, with the progress box shown from the start)",
                                      cases(), runCase);
}
