#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// A learner's practice history: one record for every practice problem
// finished with STOP and for every flash-drill run stopped after at least one
// question. Plain rules and file reading (QtCore only, no widgets, no
// message boxes): the program appends through HistoryFile (records/), the
// Progress window and the class overview read through here.
//
// What it offers:
//   HistoryRules::pathFor(iniFile)        the history file of a learner
//   HistoryRules::lastRecordTime(path)    the time of the learner's last
//                                         record, reading only the file's
//                                         last few kilobytes (cheap enough
//                                         for a list of every learner)
//   HistoryRules::readFile(path)          every valid record of the file
//   HistoryRules::parse(bytes)            the same from bytes (the fuzzers)
//   HistoryRules::line(record)            one record as the line appended
//   HistoryRules::header()                the file's first line
//   HistoryRules::trimmed(bytes)          the file cut to its newest records
//                                         when it is over MaxFileBytes
//
// The file, <name>.history.csv beside <name>.ini (LearnerFiles), is UTF-8
// CSV as RFC 4180 writes it (CR LF line ends, fields with a comma, a quote
// or a line end in double quotes, a quote doubled), so a spreadsheet opens
// it. One header line, then one record a line, oldest first:
//
//     When,Kind,Section,Option,Right,Seconds,Questions,Correct,Question delay (ms),Answer delay (ms)
//     2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,14.250,,,,
//     2026-12-08T09:20:40Z,drill,Addition,Up to 10,,,25,22,1200,900
//
// When is the moment of STOP in UTC (ISO 8601, whole seconds). Section is
// the screen's section of the learner's settings file. Option is the best-
// time key of a practice screen, or the caption of a drill's option button
// (empty for a drill without options). A problem has Right (1 or 0) and
// Seconds (the time on the stopwatch) and nothing after them; a drill run has
// Questions (at least 1), Correct (0..Questions) and the two flash delays.
//
// Reading never fails: a line that is not a whole record as above is skipped
// (the header, a torn last line left by a kill during an append, a wrong
// number of columns, text or NaN or a huge number where a number belongs, a
// time later than a day after now, an unknown kind).
//
// The bound: a file never grows past MaxFileBytes (16 MiB, some 250,000
// records). The append that would pass it first rewrites the file, atomically,
// with the header and only the newest whole lines that fit in KeepBytes
// (12 MiB), so the rewrite comes once every 4 MiB of appends at most.
namespace HistoryRules {

inline constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
inline constexpr qint64 KeepBytes = 12 * 1024 * 1024;
// The end of the file lastRecordTime reads.
inline constexpr qint64 TailBytes = 8 * 1024;

// Limits past which a field is hostile and its line skipped.
inline constexpr double MaxSeconds = 24 * 60 * 60;
inline constexpr int MaxQuestions = 1000000;
inline constexpr int MaxDelayMs = 60 * 60 * 1000;
inline constexpr int MaxSectionLength = 64;
inline constexpr int MaxOptionLength = 128;
// How far a record's time may lie ahead of the reader's clock.
inline constexpr qint64 FutureSlackSeconds = 24 * 60 * 60;

enum class Kind : quint8 { Problem, Drill };

struct Record {
    qint64 when = 0;  // seconds since 1970-01-01T00:00:00Z
    QString section;  // records read from one file share their texts
    QString option;
    // A problem.
    double seconds = 0;
    // A drill run.
    int questions = 0;
    int correct = 0;
    int questionDelayMs = 0;
    int answerDelayMs = 0;
    Kind kind = Kind::Problem;
    // A problem.
    bool right = false;

    QDateTime time() const { return QDateTime::fromSecsSinceEpoch(when, Qt::UTC); }
    bool operator==(const Record&) const = default;
};

// The history file of the learner whose settings file is iniFile; empty for
// an empty path or a name too long to leave room for the ending.
QString pathFor(const QString& iniFile);

// The file's first line, with its CR LF.
QByteArray header();
// The record's line, with its CR LF. Option text with a line end in it has it
// replaced by a space (the caller's texts never have one).
QByteArray line(const Record& record);

// The record a line holds (without its line end), or nothing when it is not
// a valid record at nowUtc (seconds since the epoch).
std::optional<Record> parseLine(QByteArrayView text, qint64 nowUtc);

// Every valid record of a file's bytes, in file order. A last line without
// its line end is torn and skipped.
QList<Record> parse(QByteArrayView bytes, qint64 nowUtc);

// Every valid record of the file (none when it is missing or unreadable), at
// most MaxFileBytes of it read, in blocks, not whole.
QList<Record> readFile(const QString& path);
QList<Record> readFile(const QString& path, qint64 nowUtc);

// The time of the last valid record of the file, read from its last
// TailBytes only; invalid when the file is missing, unreadable or has no
// valid record there.
QDateTime lastRecordTime(const QString& path);
QDateTime lastRecordTime(const QString& path, qint64 nowUtc);

// The file's new content when appending appendBytes to bytes would pass
// MaxFileBytes: the header and the newest whole lines that together with the
// header fit in KeepBytes (a torn end is dropped). Otherwise nothing (the
// append goes on as it is).
std::optional<QByteArray> trimmed(QByteArrayView bytes, qint64 appendBytes);
// The same with the bounds given (tests use small ones).
std::optional<QByteArray> trimmed(QByteArrayView bytes, qint64 appendBytes, qint64 maxBytes, qint64 keepBytes);

// Now, in seconds since the epoch (UTC).
qint64 nowUtc();

} // namespace HistoryRules
