#pragma once

#include "app/HelpFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>

// The help files read so far, one per path. A file is read again when its
// size or modification time has changed since it was read; a file that
// cannot be read is not kept, so the next request tries again.
class HelpLibrary
{
public:
    HelpFile::LoadResult load(const QString& path);

private:
    struct Entry {
        qint64 size = -1;
        QDateTime modified;
        std::shared_ptr<const HelpFile> file;
    };
    QHash<QString, Entry> m_files;
};
