// Rich-text files and printing: the file and printer side of Rtf; the bytes
// are made in RtfWriter.cpp and read in RtfReader.cpp.

#include "platform/Rtf.h"

#include "platform/FileReading.h"
#include "platform/FileSaver.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

// The PDF engine writes its file itself and does not notice a write that
// fails (a full disk gives an empty file and no error). So the PDF is made
// in memory, with the printer's page settings, and saved as a whole.
bool printToPdfFile(const QTextDocument& doc, const QPrinter& printer, const QString& jobTitle, QString* error)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(printer.pdfVersion());
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setPageRanges(printer.pageRanges());
        writer.setTitle(jobTitle);
        writer.setCreator(printer.creator());
        doc.print(&writer);
    }
    QString reason;
    if (pdf.isEmpty() || !FileSaver::save(printer.outputFileName(), pdf, &reason))
        return fail(error, QStringLiteral("Printing \"%1\" to \"%2\" failed: %3")
                               .arg(jobTitle, printer.outputFileName(),
                                    pdf.isEmpty() ? QStringLiteral("no page was made.") : reason));
    return true;
}

} // namespace

namespace Rtf {

bool save(const QTextDocument& doc, const QString& fileName, QString* error)
{
    // An unfinished save (no space, no permission, no folder) leaves the
    // old file as it was and no new file behind.
    QString reason;
    if (!FileSaver::save(fileName, write(doc), &reason))
        return fail(error, QStringLiteral("Cannot save \"%1\": %2").arg(fileName, reason));
    return true;
}

bool load(const QString& fileName, QTextDocument* doc, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(fileName, file.errorString()));
    // One byte more than the reader takes, so that it can tell "too large".
    const QByteArray bytes = FileReading::readAtMost(file, MaxInputBytes);
    if (file.error() != QFileDevice::NoError)
        return fail(error, QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString()));
    QString message;
    if (!read(bytes, doc, &message))
        return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(fileName, message));
    return true;
}

bool print(const QTextDocument& doc, QPrinter* printer, const QString& jobTitle, QString* error)
{
    if (!printer || !printer->isValid())
        return fail(error, QStringLiteral("The printer is not available."));
    printer->setDocName(jobTitle);
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        return printToPdfFile(doc, *printer, jobTitle, error);
    doc.print(printer);
    const QPrinter::PrinterState state = printer->printerState();
    if (state == QPrinter::Error || state == QPrinter::Aborted) {
        const QString where = printer->outputFormat() == QPrinter::PdfFormat
                                  ? QStringLiteral(" to \"%1\"").arg(printer->outputFileName())
                                  : QStringLiteral(" on \"%1\"").arg(printer->printerName());
        return fail(error, QStringLiteral("Printing \"%1\"%2 failed.").arg(jobTitle, where));
    }
    return true;
}

} // namespace Rtf
