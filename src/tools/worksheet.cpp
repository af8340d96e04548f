// vandrelsholm-worksheet: prints the worked solution of a practice problem as
// the practice screens compute it, or writes a printable worksheet as PDF.

#include "platform/FileSaver.h"
#include "tools/WorksheetCommand.h"
#include "tools/WorksheetPainter.h"

#include <QGuiApplication>

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
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    const Worksheet::Outcome outcome = Worksheet::run(args);
    if (outcome.pdf)
        return writePdf(argc, argv, *outcome.pdf);
    if (!outcome.out.isEmpty())
        std::fwrite(outcome.out.constData(), 1, size_t(outcome.out.size()), stdout);
    if (!outcome.error.isEmpty()) {
        const QByteArray line = outcome.error.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written && outcome.exitCode == 0) {
        std::fputs("could not write the output\n", stderr);
        return 1;
    }
    return outcome.exitCode;
}
