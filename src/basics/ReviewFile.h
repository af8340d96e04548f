#pragma once

#include <QString>

#include "basics/ReviewRules.h"

class QWidget;

// The learner's record of missed facts ("Practise my misses"): the file
// <name>.csv beside the learner's settings file <name>.ini, in the format
// ReviewDeck describes, Windows-1252 text. Its name can never be another
// learner's settings file, and it is no longer than that file's name. It is
// read whole and saved whole and atomically, as every file of the program.
namespace ReviewFile {

// The records file that goes with a learner's settings file (".csv" in place
// of ".ini"); empty for an empty path.
QString pathFor(const QString& iniFile);
// The signed-in learner's records file (empty when no learner is signed in).
QString path();

// Reads the records. No file gives an empty deck. A file that cannot be read,
// is larger than ReviewDeck::MaxFileSize or breaks the format is ignored: one
// error box says so, and it is replaced at once by an empty file, so that it
// is not reported again.
ReviewDeck load(QWidget* parent, const QString& path);

// Writes the deck at once and atomically. A failure shows its error box and
// leaves the file as it was; false then.
bool save(QWidget* parent, const QString& path, const ReviewDeck& deck);

} // namespace ReviewFile
