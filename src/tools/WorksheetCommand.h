#pragma once

#include "practice/PracticeRules.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <functional>

// The worksheet tool's command line: which method, which question or how
// many random ones, which options, which output form.
namespace Worksheet {

// One group of --option names of a method; the first name is the default.
struct OptionGroup {
    QString what; // "multiplier"
    QStringList names;
};

struct Method {
    QString name;
    QList<OptionGroup> groups;
    // Reads and solves a typed question; an empty function means the method
    // is not available in this version.
    std::function<ParseResult<WorkedProblem>(const QString& question)> solve;
    // Draws and solves one question; chosen holds one option name per group.
    std::function<WorkedProblem(QRandomGenerator& rng, const QStringList& chosen)> draw;
};

const QList<Method>& methods();

struct Outcome {
    int exitCode = 0;
    QByteArray out; // standard output
    QString error;  // the one line for standard error (without newline)
};

// Runs the command for the arguments after the program name.
Outcome run(const QStringList& args);

QString usage();

} // namespace Worksheet
