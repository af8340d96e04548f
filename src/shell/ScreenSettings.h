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
// text is shown and nothing is written. A failure to save shows the
// failure's own text in an error box. True when the file was written.
bool save(QWidget* parent, const std::function<void(IniFile&)>& write);

// The information box "Folder: <folder>" + the "Unable to save..." text: the
// learner's data cannot be written.
void reportNotWritable(QWidget* parent);

// Shows the failure of the learner's file (ini.errorString()) in an error
// box. A file that cannot be read fails with the same text at every later
// read and save; that text is shown once in a learner's session, from one
// sign-in to the next. Other failures (a full disk) are shown every time,
// and so is every failure of a command the learner gives to write the file
// (Preferences OK, Reset Scores), which do not come here.
void reportError(QWidget* parent, const IniFile& ini);
// A learner signs in: unreadable files are reported again.
void newSession();

} // namespace ScreenSettings
