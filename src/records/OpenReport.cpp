#include "records/OpenReport.h"

#include <QTextEdit>

#include "platform/Rtf.h"

TOpenReportForm::TOpenReportForm(QWidget* parent)
    : ReportWindow(QStringLiteral("OpenReportForm"), QStringLiteral("Report"), parent)
{
}

bool TOpenReportForm::loadReport(const QString& fileName, QString* error)
{
    if (!Rtf::load(fileName, rtfScores()->document(), error))
        return false;
    showFromStart();
    return true;
}
