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
// device").
//
// The new file has a name that says who made it, so that a save killed
// before its replace can be told from everything else in the folder:
//   .vandrelsholm-speed-math-<process id>-<machine tag>-<random>.part
// (the machine tag is 8 hexadecimal digits of a hash of the machine's
// identity, the random part 8 more). removeLeftovers() removes such a file
// only when the process that wrote it no longer runs on this machine; no
// other file is ever removed, whatever its name or age.
namespace FileSaver {

// Writes bytes as the file's whole content. False with *reason (the
// system's text, without the file name) when the file was not replaced.
// Removes the leftovers in the target's folder first.
bool save(const QString& path, const QByteArray& bytes, QString* reason);

// Removes the new files of killed saves from a folder: those named as
// above, written on this machine by a process that no longer runs (or by
// an earlier process with this process's id, which saves nothing now).
// Returns how many were removed.
int removeLeftovers(const QString& folder);

// What the name of a save's new file says about it; ok is false when the
// name is not one this program gives.
struct TemporaryName {
    bool ok = false;
    qint64 processId = 0;
    QString machineTag;
};
TemporaryName parseTemporaryName(const QString& fileName);
// The name this process gives a new file, with the random part given (tests
// make names for other processes and machines with it too).
QString temporaryName(qint64 processId, const QString& machineTag, quint32 random);
// This machine's tag.
QString machineTag();

// Test seam: called with the target's path once the new file is written
// and flushed, before it replaces the old one. A non-empty text fails the
// save there with that text as the reason, as a disk that fills up or a
// crash at that moment would; the old file is left untouched.
void setFailureForTests(std::function<QString(const QString& path)> failure);

// The text the system gives for a full disk (for tests and messages).
QString diskFullText();

} // namespace FileSaver
