#pragma once

#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <functional>

// A practice method as the worksheet tool and the question source see it: the
// entry a rules class gives through its method(). The list of every method is
// PracticeMethods::all() (PracticeMethods.h).

// One group of option names of a method; the first name is the default.
struct MethodOptionGroup {
    QString what; // "multiplier"
    QStringList names;
};

// A kind of problem of a screen that keeps its own best time: the key of the
// screen's section of the learner's file that holds it, and the captions of
// the options that choose it.
struct MethodBestTime {
    QString key;     // "Time42"
    QString caption; // "4-Digit, 2-Digit"; "" for a screen without options

    bool operator==(const MethodBestTime&) const = default;
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
    // The best times the method's screen keeps, in the screen's order.
    QList<MethodBestTime> bestTimes;
};

namespace PracticeMethods {

// The best time of each entry of a rules class's option table (each with
// bestTimeKey and caption).
template <typename Options>
QList<MethodBestTime> optionBestTimes(const Options& options)
{
    QList<MethodBestTime> times;
    for (const auto& o : options)
        times.append({o.bestTimeKey, o.caption});
    return times;
}

// The keys of a list of best times.
inline QStringList bestTimeKeys(const QList<MethodBestTime>& times)
{
    QStringList keys;
    for (const MethodBestTime& t : times)
        keys.append(t.key);
    return keys;
}

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
