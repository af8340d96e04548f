#pragma once

#include <QString>
#include <QStringList>

// The files a learner owns, all in the user data folder and named after the
// learner: the settings file <name>.ini, the record of missed facts
// <name>.review.csv and the practice history <name>.history.csv. No
// learner's file can take another's name: a learner's name cannot end in
// ".review" or ".history" and still be told apart, because the endings
// ".review.csv" and ".history.csv" are not ".ini". Whatever keeps, copies,
// restores or removes a learner's files takes the list from here.
namespace LearnerFiles {

inline constexpr const char* SettingsEnding = ".ini";
inline constexpr const char* ReviewEnding = ".review.csv";
inline constexpr const char* HistoryEnding = ".history.csv";

// Longest file name the file system stores (bytes, UTF-8).
inline constexpr int MaxFileNameBytes = 255;

// The endings of a learner's files, the settings file's first.
QStringList endings();

// The learner's file with that ending beside the settings file (".ini" in
// the settings file's name replaced by the ending); empty for an empty path
// or when the name is too long to leave room for the ending (that learner
// then keeps no such file).
QString sideFile(const QString& iniFile, const QString& ending);

// Every file of the learner whose settings file is iniFile, the settings file
// first, whether it exists or not (those too long to exist left out).
QStringList all(const QString& iniFile);

} // namespace LearnerFiles
