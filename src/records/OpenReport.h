#pragma once

#include "records/ReportWindow.h"

// The saved report viewer: shows a marksheet saved from the performance
// report (or any rich-text file) so that it can be printed again.
class TOpenReportForm : public ReportWindow
{
    Q_OBJECT
public:
    explicit TOpenReportForm(QWidget* parent = nullptr);

    // Loads the file into the box as rich text. False (and *error says why)
    // when it is not readable rich text; the box then stays empty. A load
    // that takes more than about a second shows its progress; a cancelled
    // one is false with an empty *error.
    bool loadReport(const QString& fileName, QString* error = nullptr);
};
