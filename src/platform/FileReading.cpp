#include "platform/FileReading.h"

#include <QFile>

namespace FileReading {

QByteArray readAtMost(QFile& file, qint64 limit)
{
    // The size is a guess: the file may grow or shrink while it is read.
    const qint64 expected = qBound<qint64>(0, file.size() - file.pos(), limit) + 1;
    QByteArray bytes;
    for (;;) {
        const qsizetype at = bytes.size();
        const qint64 want = qMin<qint64>(qMax<qint64>(expected - at, 64 * 1024), limit + 1 - at);
        if (want <= 0)
            break;
        bytes.resize(at + want);
        const qint64 got = file.read(bytes.data() + at, want);
        bytes.resize(at + qMax<qint64>(got, 0));
        if (got <= 0)
            break;
    }
    return bytes;
}

} // namespace FileReading
