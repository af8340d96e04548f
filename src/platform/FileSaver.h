#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Saving a whole file so that it is either all there or not changed at all.
//
// The bytes go to a new file beside the target, are written out to the disk
// and checked, and only then does the new file take the target's place. A
// write that fails at any moment (a full disk, a quota, a removed medium,
// no permission) leaves the previous file exactly as it was and no new file
// behind, and the reason is the system's own text ("No space left on
// device"). Copies left beside the target by a save that was killed just
// before its replace are removed at the next save of that file.
namespace FileSaver {

// Writes bytes as the file's whole content. False with *reason (the
// system's text, without the file name) when the file was not replaced.
bool save(const QString& path, const QByteArray& bytes, QString* reason);

// Test seam: called with the target's path once the new file is written
// and flushed, before it replaces the old one. A non-empty text fails the
// save there with that text as the reason, as a disk that fills up or a
// crash at that moment would; the old file is left untouched.
void setFailureForTests(std::function<QString(const QString& path)> failure);

// The text the system gives for a full disk (for tests and messages).
QString diskFullText();

} // namespace FileSaver
