#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The worksheet tool's command line: which method, which question or how
// many random ones, which options, which output form. The methods come from
// the practice methods' catalogue (PracticeMethods).
namespace Worksheet {

struct Outcome {
    int exitCode = 0;
    QByteArray out; // standard output
    QString error;  // the one line for standard error (without newline)
};

// Runs the command for the arguments after the program name.
Outcome run(const QStringList& args);

QString usage();

} // namespace Worksheet
