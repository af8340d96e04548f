#include "basics/ReviewFile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/FileReading.h"
#include "platform/FileSaver.h"
#include "shell/Globals.h"
#include "shell/LearnerFiles.h"

namespace {

QString saveFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("Unable to save the file \"%1\": %2").arg(path, reason);
}

bool write(const QString& path, const ReviewDeck& deck, QString* failure)
{
    QString reason;
    if (FileSaver::save(path, Cp1252::encode(deck.toText()), &reason))
        return true;
    *failure = saveFailure(path, reason);
    return false;
}

// The deck the file holds, or nothing with the reason it is not read.
std::optional<ReviewDeck> readDeck(const QString& path, QString* reason)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        *reason = info.isDir() ? QStringLiteral("it is a folder.") : QStringLiteral("it is not a regular file.");
        return std::nullopt;
    }
    const QString tooLarge = QStringLiteral("it is larger than %1 KB.").arg(ReviewDeck::MaxFileSize / 1024);
    if (info.size() > ReviewDeck::MaxFileSize) {
        *reason = tooLarge;
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return std::nullopt;
    }
    // A byte more than allowed tells a file that grew since it was measured.
    const QByteArray bytes = FileReading::readAtMost(file, ReviewDeck::MaxFileSize);
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return std::nullopt;
    }
    if (bytes.size() > ReviewDeck::MaxFileSize) {
        *reason = tooLarge;
        return std::nullopt;
    }
    return ReviewDeck::fromText(Cp1252::decode(bytes), reason);
}

} // namespace

namespace ReviewFile {

QString pathFor(const QString& iniFile)
{
    return LearnerFiles::sideFile(iniFile, QString::fromLatin1(LearnerFiles::ReviewEnding));
}

QString path()
{
    return pathFor(Globals::UserIniFile);
}

ReviewDeck load(QWidget* parent, const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return ReviewDeck();
    QString reason;
    if (std::optional<ReviewDeck> deck = readDeck(path, &reason))
        return *deck;
    // Ignored and rebuilt: one box says so (and why the rebuilding failed,
    // if it did).
    QString message = QStringLiteral("Unable to read the file \"%1\": %2\r\n"
                                     "The record of your missed facts starts again.").arg(path, reason);
    QString failure;
    if (!write(path, ReviewDeck(), &failure))
        message += QStringLiteral("\r\n") + failure;
    Dialogs::current().error(parent, message);
    return ReviewDeck();
}

std::optional<ReviewDeck> read(const QString& path, QString* reason)
{
    QString why;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return std::nullopt;
    std::optional<ReviewDeck> deck = readDeck(path, &why);
    if (reason)
        *reason = why;
    return deck;
}

bool save(QWidget* parent, const QString& path, const ReviewDeck& deck)
{
    QString failure;
    if (write(path, deck, &failure))
        return true;
    Dialogs::current().error(parent, failure);
    return false;
}

} // namespace ReviewFile
