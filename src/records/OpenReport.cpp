#include "records/OpenReport.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextEdit>

#include "platform/Rtf.h"
#include "shell/ProgressBox.h"

TOpenReportForm::TOpenReportForm(QWidget* parent)
    : ReportWindow(QStringLiteral("OpenReportForm"), QStringLiteral("Report"), parent)
{
}

bool TOpenReportForm::loadReport(const QString& fileName, QString* error)
{
    // The file is read into a document of its own, which the box shows only
    // when it is whole: a refused or cancelled file leaves the box as it was.
    auto* doc = new QTextDocument(this);
    doc->setDefaultFont(rtfScores()->font());
    doc->setUndoRedoEnabled(false);
    QWidget* over = isVisible() ? window() : QApplication::activeWindow();
    ProgressBox progress(over, QStringLiteral("Open Report"),
                         QStringLiteral("Opening \"%1\"...").arg(QFileInfo(fileName).fileName()));
    if (!Rtf::load(fileName, doc, error, progress.reporter())) {
        delete doc;
        return false;
    }
    rtfScores()->setDocument(doc);
    showFromStart();
    return true;
}
