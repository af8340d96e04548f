#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/SystemInfo.h"
#include "records/HistoryFile.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/ScreenSettings.h"
#include "shell/UserStore.h"

TestEnvironment::TestEnvironment()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("program"));
    QDir(m_dir.path()).mkpath(QStringLiteral("install"));
    SystemInfo::setProgramFolderForTests(programFolder());
    SystemInfo::setInstallFolderForTests(installFolder());
    Globals::resetAll();
    ScreenSettings::newSession();
    HistoryFile::resetForTests();
    Dialogs::install(&dialogs);
    SoundPlayer::install(&sounds);
    Help::install(&help);
    HintRouter::instance().setCurrentHint(QString());
    UserStore::setTrashForTests([this](const QString& path, QString* inTrash) {
        if (!trashAvailable || !QDir().mkpath(trashFolder()))
            return false;
        // Trash keeps every removal: a repeated name gets a number.
        QString target = trashFolder() + QLatin1Char('/') + QFileInfo(path).fileName();
        for (int n = 2; QFileInfo::exists(target); ++n)
            target = trashFolder() + QStringLiteral("/%1.%2").arg(QFileInfo(path).fileName()).arg(n);
        if (!QFile::rename(path, target))
            return false;
        *inTrash = target;
        return true;
    });
}

TestEnvironment::~TestEnvironment()
{
    Dialogs::install(nullptr);
    SoundPlayer::install(nullptr);
    Help::install(nullptr);
    UserStore::setTrashForTests({});
    SystemInfo::setProgramFolderForTests(QString());
    SystemInfo::setInstallFolderForTests(QString());
    HistoryFile::setClockForTests(nullptr);
    HistoryFile::resetForTests();
    Globals::resetAll();
}

void TestEnvironment::writeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

bool TestEnvironment::writeRepeated(const QString& path, const QByteArray& head, const QByteArray& line, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size())
        return false;
    const QByteArray block = line.repeated(qMax<qsizetype>(1, 65536 / line.size()));
    while (file.size() + block.size() <= size)
        file.write(block);
    while (file.size() + line.size() <= size)
        file.write(line);
    return file.flush();
}

QByteArray TestEnvironment::readFile(const QString& relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestEnvironment::signIn(const QString& name)
{
    const QString users = path(QStringLiteral("users"));
    QDir().mkpath(users);
    Globals::UsersFolder = users;
    Globals::UserDataFolder = users;
    Globals::UserDataWritable = true;
    Globals::UserName = name;
    Globals::UserIniFile = users + QLatin1Char('/') + name + QStringLiteral(".ini");
    Globals::UserLevel = 1;
    Globals::LowerAmber = 50;
    Globals::UpperAmber = 74;
    Globals::CustomLowerAmber = 50;
    Globals::CustomUpperAmber = 74;
    Globals::GreetingsOn = true;
    Globals::IdleMusicOn = true;
    Globals::PracticeSoundsOn = true;
}
