#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tools/WorksheetSheet.h"

#include <functional>
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

// The most arguments a call may have, the most characters its question may
// have (with the spaces between its words), and the most problems --count may
// ask for. A call past them is refused before any work.
constexpr int MaxArguments = 100;
constexpr int MaxQuestionLength = 200;
constexpr int MaxCount = 100000;

// Takes the output as it is made, one problem at a time; false when it could
// not be written, which ends the run (exit code 1).
using Output = std::function<bool(const QByteArray&)>;

// Runs the command for the arguments after the program name. A refusal
// (exit code 2) writes nothing; *error gets the one line for standard error.
// Returns the exit code. A call with --pdf writes nothing: it fills *pdf
// with the sheet to draw (and is refused when pdf is null).
int run(const QStringList& args, const Output& write, QString* error, std::optional<PdfJob>* pdf = nullptr);

// The same with the output gathered in Outcome::out.
Outcome run(const QStringList& args);

QString usage();

} // namespace Worksheet
