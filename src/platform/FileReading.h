#pragma once

#include <QByteArray>

class QFile;

namespace FileReading {

// Reads an open file from its position to its end, or limit + 1 bytes when
// it holds more than limit (which tells the caller it is too large). Unlike
// QIODevice::read(limit + 1), which sets aside the whole limit at once, it
// takes only as much memory as the file holds.
QByteArray readAtMost(QFile& file, qint64 limit);

} // namespace FileReading
