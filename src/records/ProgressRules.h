#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <optional>

#include "records/HistoryRules.h"

// The figures the Progress window shows for one screen and option of a
// learner's history (HistoryRules). Plain rules, no widgets.
//
// A practice screen's figures count problems: done, right, accuracy (right
// per problem, percent), and the best, average and median time, all three of
// right problems only (a wrong answer stopped early says nothing of speed).
// A drill's count runs, questions and their correct answers: accuracy is
// correct per question over all runs; best is the best run's accuracy.
// "Last 10" are the newest ten records (problems or runs) and "10 before" the
// ten before them, each with its accuracy and, for problems, its median time
// of right answers. The day series has one point per calendar day (in the
// zone given, the learner's own by default) that has a record: problems or
// questions that day, accuracy that day, and median time of that day's right
// problems. A figure without anything to measure is NaN (shown as a dash).
namespace ProgressRules {

struct Span {
    int records = 0;
    int questions = 0;
    int correct = 0;
    double accuracy = qQNaN();
    double medianSeconds = qQNaN();
};

struct Day {
    QDate date;
    int questions = 0;
    int correct = 0;
    double accuracy = qQNaN();
    double medianSeconds = qQNaN();
};

struct Summary {
    HistoryRules::Kind kind = HistoryRules::Kind::Problem;
    int records = 0;   // problems, or drill runs
    int questions = 0; // problems, or questions of every run
    int correct = 0;
    double accuracy = qQNaN();
    double bestSeconds = qQNaN();
    double averageSeconds = qQNaN();
    double medianSeconds = qQNaN();
    double bestAccuracy = qQNaN(); // the best drill run
    Span last10;
    Span before10;
    QList<Day> days;
};

inline constexpr int RecentCount = 10;

// The summary of the records of section whose option is option (every
// option when there is none), of the kind the first such record has.
Summary summarise(const QList<HistoryRules::Record>& records, const QString& section,
                  const std::optional<QString>& option,
                  const QTimeZone& zone = QTimeZone::systemTimeZone());

// The options section's records name, sorted, each once.
QStringList options(const QList<HistoryRules::Record>& records, const QString& section);

// The median of values (NaN for none); values are reordered.
double median(QList<double>& values);

} // namespace ProgressRules
