#include "shell/LearnerFiles.h"

#include <QFile>
#include <QFileInfo>

namespace LearnerFiles {

QStringList endings()
{
    return {QString::fromLatin1(SettingsEnding), QString::fromLatin1(ReviewEnding),
            QString::fromLatin1(HistoryEnding)};
}

QString sideFile(const QString& iniFile, const QString& ending)
{
    if (iniFile.isEmpty())
        return QString();
    const QLatin1String settings(SettingsEnding);
    const QString base = iniFile.endsWith(settings, Qt::CaseInsensitive) ? iniFile.chopped(settings.size()) : iniFile;
    const QString path = base + ending;
    // A name that only just fits its settings file leaves no room for a
    // longer ending.
    if (QFile::encodeName(QFileInfo(path).fileName()).size() > MaxFileNameBytes)
        return QString();
    return path;
}

QStringList all(const QString& iniFile)
{
    QStringList files;
    for (const QString& ending : endings()) {
        const QString file = sideFile(iniFile, ending);
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

} // namespace LearnerFiles
