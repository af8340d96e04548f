#pragma once

#include <functional>

class IniFile;
class QWidget;

// Reading and writing a screen's own section of the signed-in learner's
// settings file. A screen reads its section once when it opens and writes it
// once when it closes.
namespace ScreenSettings {

// The learner has a settings file (else every reader takes the defaults).
bool learnerFileExists();

// Reads the learner's file when it exists: read() gets the file. Returns
// false (and calls nothing) when there is no file. A file that cannot be read
// shows its error and counts as missing.
bool load(QWidget* parent, const std::function<void(const IniFile&)>& read);

// Writes the learner's file when the user data folder is writable: write()
// sets the keys, then the file is saved at once. When the folder is not
// writable the information box "Folder: <folder>" + the "Unable to save..."
// text is shown and nothing is written. A failure to save (also of a file
// that cannot be read) shows the failure's own text in an error box, at
// every save. True when the file was written.
bool save(QWidget* parent, const std::function<void(IniFile&)>& write);

// The information box "Folder: <folder>" + the "Unable to save..." text: the
// learner's data cannot be written.
void reportNotWritable(QWidget* parent);

// Shows why the learner's file could not be read (ini.errorString()) in an
// error box. A file that cannot be read fails with the same text at every
// later read; the reads say it once in a learner's session, from one sign-in
// to the next. Every save that fails says it again (save() above, and the
// commands the learner gives to write the file: Preferences OK, Reset
// Scores), since each one loses what it was to keep.
void reportError(QWidget* parent, const IniFile& ini);
// A learner signs in: unreadable files are reported again.
void newSession();

} // namespace ScreenSettings
