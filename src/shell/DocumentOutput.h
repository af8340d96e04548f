#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QTextDocument;
class QWidget;

// A window's page as a document, printed or saved as PDF, with the program's
// dialogs (Dialogs::current()) and its messages: the print dialog on the
// application's printer, then the pages; the save dialog, then the pages
// through the atomic save, so that a refused save leaves no file behind. A
// PDF holds the same pages as a print.
namespace DocumentOutput {

using Fill = std::function<void(QTextDocument* doc)>;

// Prints the document fill makes once the print dialog is confirmed.
void print(QWidget* parent, const QString& jobTitle, QPageLayout::Orientation orientation, const Fill& fill);

// Asks for a PDF file (dialogTitle, suggesting suggestedName) and saves the
// document fill makes in it; says once why a save failed.
void savePdf(QWidget* parent, const QString& dialogTitle, const QString& suggestedName,
             QPageLayout::Orientation orientation, const Fill& fill);

} // namespace DocumentOutput
