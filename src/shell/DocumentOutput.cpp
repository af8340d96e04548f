#include "shell/DocumentOutput.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

#include "platform/Dialogs.h"
#include "platform/FileSaver.h"
#include "shell/Strings.h"

namespace DocumentOutput {

namespace {

// The PDF engine writes its file itself and does not notice a write that
// fails, so the pages are made in memory and saved as a whole.
bool writePdf(const QTextDocument& doc, const QString& fileName, const QPageLayout& layout, const QString& title,
              QString* error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(Strings::text(Strings::ApplicationTitle));
        writer.setPageLayout(layout);
        doc.print(&writer);
    }
    QString reason;
    if (FileSaver::save(fileName, buffer.data(), &reason))
        return true;
    *error = QStringLiteral("Unable to save \"%1\": %2").arg(fileName, reason);
    return false;
}

} // namespace

void print(QWidget* parent, const QString& jobTitle, QPageLayout::Orientation orientation, const Fill& fill)
{
    QPrinter& printer = Dialogs::printer();
    printer.setPageOrientation(orientation);
    if (!Dialogs::current().print(parent, printer))
        return;
    const QString title = Strings::text(Strings::ApplicationTitle) + QLatin1Char(' ') + jobTitle;
    printer.setDocName(title);
    QTextDocument doc;
    fill(&doc);
    QString error;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        if (!writePdf(doc, printer.outputFileName(), printer.pageLayout(), title, &error))
            Dialogs::current().error(parent, error);
        return;
    }
    if (!printer.isValid()) {
        Dialogs::current().error(parent, QStringLiteral("The printer is not available."));
        return;
    }
    doc.print(&printer);
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        Dialogs::current().error(parent, QStringLiteral("Printing \"%1\" on \"%2\" failed.").arg(title, printer.printerName()));
}

void savePdf(QWidget* parent, const QString& dialogTitle, const QString& suggestedName,
             QPageLayout::Orientation orientation, const Fill& fill)
{
    const QString fileName = Dialogs::current().saveFile(parent, dialogTitle, QStringLiteral("PDF (*.pdf)"),
                                                         QStringLiteral("pdf"), suggestedName);
    if (fileName.isEmpty())
        return;
    QTextDocument doc;
    fill(&doc);
    QPageLayout layout = QPdfWriter(QString()).pageLayout();
    layout.setOrientation(orientation);
    QString error;
    if (!writePdf(doc, fileName, layout, suggestedName, &error))
        Dialogs::current().error(parent, error);
}

} // namespace DocumentOutput
