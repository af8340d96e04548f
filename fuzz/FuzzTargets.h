#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One entry per reader of outside input, for the fuzzers (fuzz/FuzzMain.cpp)
// and for the regression test that replays what they found. Each entry feeds
// the bytes through the reader as the program does and checks what must hold
// for any input; it returns "" or a description of what did not hold.
namespace FuzzTargets {

// Sets up what the readers need (an application object on the offscreen
// platform, a scratch folder); call once before any entry.
void initialise();

// A learner's settings file: read, every value read, saved unchanged and read
// again (the same), written and read back.
QString ini(const QByteArray& bytes);
// The name list: read, saved and read again (the same), a learner added.
QString nameList(const QByteArray& bytes);
// A report file: read into the viewer's box and laid out as it shows it, or
// refused with the box left as it was; what is read is written and read back.
QString rtf(const QByteArray& bytes);
// A help file: parsed, and every topic, pop-up and the contents made HTML.
QString help(const QByteArray& bytes);
// The worksheet tool's command line (one argument a line), and the text as a
// question of every method.
QString worksheet(const QByteArray& bytes);
// The custom question dialog: a set-up from the first bytes, the rest typed
// and pasted into its two boxes.
QString customQuestion(const QByteArray& bytes);
// A learner's record of missed facts: read as a drill reads it (a damaged
// file gives one message and is replaced by an empty one), what is read is
// within the bounds, saved and read again (the same), and an answer recorded
// reads back.
QString review(const QByteArray& bytes);
// A learner's practice history: read from the file as from its bytes (the
// same), every record within the bounds and read back as written, the last
// record's time that of the last record, and a record appended read back
// after them, whatever the file ended in.
QString history(const QByteArray& bytes);

// The names above, for the fuzzers and the regression folders.
QStringList names();
// The entry of a name (nullptr when there is none).
using Entry = QString (*)(const QByteArray&);
Entry entry(const QString& name);

} // namespace FuzzTargets
