// Rich-text files and printing: the file and printer side of Rtf; the bytes
// are made in RtfWriter.cpp and read in RtfReader.cpp.

#include "platform/Rtf.h"

#include <QFile>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

namespace Rtf {

bool save(const QTextDocument& doc, const QString& fileName, QString* error)
{
    const QByteArray bytes = write(doc);
    // The bytes go to a temporary file beside the target, which takes the
    // target's place only when all of them are written; an unfinished save
    // (no space, no permission, no folder) leaves no file behind.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(error, QStringLiteral("Cannot save \"%1\": %2").arg(fileName, file.errorString()));
    return true;
}

bool load(const QString& fileName, QTextDocument* doc, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(fileName, file.errorString()));
    // One byte more than the reader takes, so that it can tell "too large".
    const QByteArray bytes = file.read(MaxInputBytes + 1);
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
