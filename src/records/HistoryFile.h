#pragma once

#include <QString>

#include <functional>

#include "records/HistoryRules.h"

class QWidget;

// Appending to the signed-in learner's practice history (the file and its
// records: HistoryRules). Each record is one line added at the file's end,
// flushed and checked; the first line of a new file is the header. A torn
// line left by a kill is ended first, so it stays a line of its own that
// reading skips. The append that would take the file past its bound rewrites
// it first, through the atomic save, with its newest records.
//
// A learner with no writable user folder (a shared installation's read-only
// folder) keeps no history and sees no message. A failed append (a full disk,
// a folder made read-only) takes back whatever it wrote, shows the program's
// usual "Unable to save the file" box once in the program's run, and is tried
// again with the next record without another box.
namespace HistoryFile {

// A practice problem finished with STOP.
void appendProblem(QWidget* parent, const QString& section, const QString& option, bool right, double seconds);
// A drill run stopped after at least one question (none: nothing is kept).
void appendDrill(QWidget* parent, const QString& section, const QString& option, int questions, int correct,
                 int questionDelayMs, int answerDelayMs);

// Appends the record to the file; false when it was not kept (the box shown
// when it is the run's first failure).
bool append(QWidget* parent, const QString& path, const HistoryRules::Record& record);

// Test seams: the clock that stamps the records (nullptr: the system's), and
// forgetting that a failure was shown.
void setClockForTests(std::function<qint64()> nowUtc);
void resetForTests();

} // namespace HistoryFile
