// vandrelsholm-worksheet: prints the worked solution of a practice problem as
// the practice screens compute it, or writes a printable worksheet as PDF.

#include "platform/FileSaver.h"
#include "tools/WorksheetCommand.h"
#include "tools/WorksheetPainter.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>

namespace {

// Draws the sheet and saves it whole; the exit code.
int writePdf(int argc, char** argv, const Worksheet::PdfJob& job)
{
    // The tool shows no window: it needs fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the environment (no runtime folder) are no output of ours.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    const auto paper = WorksheetPainter::paperNamed(job.paper);
    const QByteArray bytes = WorksheetPainter::pdf(job.sheet, paper.value_or(WorksheetPainter::Paper::A4));
    QString reason;
    if (bytes.isEmpty())
        reason = QStringLiteral("the worksheet could not be drawn");
    else if (FileSaver::save(job.path, bytes, &reason))
        return 0;
    const QByteArray line = QStringLiteral("could not write %1: %2\n").arg(job.path, reason).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // A reader that has gone away (a closed pipe) makes a write fail, which
    // ends the run with exit code 1, rather than ending the process.
    std::signal(SIGPIPE, SIG_IGN);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    // Each problem is written and flushed as soon as it is made.
    QString error;
    std::optional<Worksheet::PdfJob> pdf;
    const int exitCode = Worksheet::run(
        args,
        [](const QByteArray& bytes) {
            return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
                   && std::fflush(stdout) == 0;
        },
        &error, &pdf);
    if (pdf)
        return writePdf(argc, argv, *pdf);
    if (!error.isEmpty()) {
        const QByteArray line = error.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
    return exitCode;
}
