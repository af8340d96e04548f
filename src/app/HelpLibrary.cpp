#include "app/HelpLibrary.h"

#include <QFileInfo>

HelpFile::LoadResult HelpLibrary::load(const QString& path)
{
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    const auto cached = m_files.constFind(key);
    if (cached != m_files.cend() && info.isFile() && cached->size == info.size()
        && cached->modified == info.lastModified())
        return {cached->file, HelpFile::Error::None, {}};

    HelpFile::LoadResult result = HelpFile::load(path);
    if (result.file)
        m_files.insert(key, {info.size(), info.lastModified(), result.file});
    else
        m_files.remove(key);
    return result;
}
