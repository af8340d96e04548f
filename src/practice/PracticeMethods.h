#pragma once

#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <functional>

// The catalogue of the practice methods: one entry per rules class, under the
// method name that the rules class holds (the worksheet tool's METHOD, the
// question source's key, the tests' name for the method). The worksheet tool
// lists, parses and draws through this catalogue only.

// One group of option names of a method; the first name is the default.
struct MethodOptionGroup {
    QString what; // "multiplier"
    QStringList names;
};

struct PracticeMethod {
    QString name;        // "multiply-basic"
    QString question;    // what a QUESTION looks like, with an example (one line)
    QList<MethodOptionGroup> groups;
    // Reads and solves a typed question, or says what is wrong with it.
    std::function<ParseResult<WorkedProblem>(const QString& question)> solve;
    // Draws and solves one question as the screen does; chosen holds one
    // option name per group, in group order.
    std::function<WorkedProblem(QRandomGenerator& rng, const QStringList& chosen)> draw;
};

namespace PracticeMethods {

// Every method, in menu order.
const QList<PracticeMethod>& all();
// The method of that name, or nullptr.
const PracticeMethod* find(const QString& name);

// Parse-and-solve for a rules class with parse() and solve().
template <typename Rules>
ParseResult<WorkedProblem> parseAndSolve(const QString& text)
{
    const auto parsed = Rules::parse(text);
    if (!parsed.ok())
        return ParseResult<WorkedProblem>::failure(parsed.error);
    return ParseResult<WorkedProblem>::success(Rules::solve(*parsed.question));
}

} // namespace PracticeMethods
