#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tools/WorksheetSheet.h"

#include <optional>

// The worksheet tool's command line: which method, which question or how
// many random ones, which options, which output form. The methods come from
// the practice methods' catalogue (PracticeMethods).
namespace Worksheet {

// A printable sheet to be written as a PDF file (--pdf): the caller draws
// it (WorksheetPainter) and saves it.
struct PdfJob {
    WorksheetSheet::Sheet sheet;
    QString path;
    QString paper; // "A4" or "Letter"
};

struct Outcome {
    int exitCode = 0;
    QByteArray out; // standard output
    QString error;  // the one line for standard error (without newline)
    std::optional<PdfJob> pdf;
};

// Runs the command for the arguments after the program name.
Outcome run(const QStringList& args);

QString usage();

} // namespace Worksheet
