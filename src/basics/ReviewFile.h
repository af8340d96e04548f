#pragma once

#include <QString>

#include <optional>

#include "basics/ReviewRules.h"

class QWidget;

// The learner's record of missed facts ("Practise my misses"): the file
// <name>.review.csv beside the learner's settings file <name>.ini, in the
// format ReviewDeck describes, Windows-1252 text. No other learner's file can
// bear its name (a learner's own files end in ".ini", ".review.csv" and
// ".history.csv"). It is read whole and saved whole and atomically, as every
// file of the program. A name too long to leave room for the ending keeps no
// records.
namespace ReviewFile {

// The records file that goes with a learner's settings file (".review.csv" in
// place of ".ini"); empty for an empty path or a name too long for it.
QString pathFor(const QString& iniFile);
// The signed-in learner's records file (empty when no learner is signed in).
QString path();

// Reads the records. No file gives an empty deck. A file that cannot be read,
// is larger than ReviewDeck::MaxFileSize or breaks the format is ignored: one
// error box says so, and it is replaced at once by an empty file, so that it
// is not reported again.
ReviewDeck load(QWidget* parent, const QString& path);

// Reads the records without a word: nothing when there is no file or it
// cannot be read (the reason in *reason when given).
std::optional<ReviewDeck> read(const QString& path, QString* reason = nullptr);

// Writes the deck at once and atomically. A failure shows its error box and
// leaves the file as it was; false then.
bool save(QWidget* parent, const QString& path, const ReviewDeck& deck);

} // namespace ReviewFile
