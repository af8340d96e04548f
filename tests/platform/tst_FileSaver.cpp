#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include "platform/FileSaver.h"

#include <cstdio>
#include <cstdlib>

// The new file of a save is the only thing a save ever removes, and only
// once the process that wrote it has ended: real child processes stop in the
// middle of a save (ended, or still running) and the folder around them
// holds the user's own copies under every name a person or a tool gives.
namespace {

// A child that saves a file and stops after the new file is written, before
// it replaces the old one: "--end-while-saving" ends the process there,
// "--wait-while-saving" waits there until it is killed.
int saveAndStop(const QString& mode, const QString& path)
{
    FileSaver::setFailureForTests([mode](const QString&) {
        std::puts("stopped");
        std::fflush(stdout);
        if (mode == QLatin1String("--end-while-saving"))
            std::_Exit(0);
        for (;;)
            QThread::sleep(60);
        return QString();
    });
    QString reason;
    FileSaver::save(path, "[Halving]\r\nTotal=99\r\n", &reason);
    return 3; // never here
}

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestFileSaver : public QObject
{
    Q_OBJECT
private:
    // Starts a child that stops in the middle of saving path; its new file
    // is then the one file of the folder named as a save's.
    static QString stoppedSave(QProcess& child, const QString& mode, const QString& path)
    {
        child.start(QCoreApplication::applicationFilePath(), {mode, path});
        const qint64 id = child.waitForStarted(20000) ? child.processId() : 0;
        if (!child.waitForReadyRead(20000))
            return QString();
        const QStringList copies = QDir(QFileInfo(path).path()).entryList({QStringLiteral(".vandrelsholm-speed-math-*")},
                                                                           QDir::Files | QDir::Hidden);
        for (const QString& copy : copies) {
            if (FileSaver::parseTemporaryName(copy).processId == id)
                return copy;
        }
        return QString();
    }

private slots:
    void names_say_who_wrote_them()
    {
        const QString tag = FileSaver::machineTag();
        QCOMPARE(tag.size(), 8);
        const QString name = FileSaver::temporaryName(4242, tag, 0xbeef);
        QCOMPARE(name, ".vandrelsholm-speed-math-4242-" + tag + "-0000beef.part");
        const FileSaver::TemporaryName parsed = FileSaver::parseTemporaryName(name);
        QVERIFY(parsed.ok);
        QCOMPARE(parsed.processId, 4242);
        QCOMPARE(parsed.machineTag, tag);
        // Close is not enough.
        for (const QString& other : {name.toUpper(), name + "~", name + ".bak", name.mid(1), "x" + name,
                                     name.chopped(5) + ".PART", QString(name).replace("4242", "04242"),
                                     QString(name).replace("-4242-", "-99999999999-"),
                                     QString(name).replace("0000beef", "0000bee"),
                                     QString(name).replace("0000beef", "0000BEEF"), QStringLiteral("Ann.ini.YBaUZb")})
            QVERIFY2(!FileSaver::parseTemporaryName(other).ok, qPrintable(other));
    }

    void only_the_new_files_of_ended_saves_go()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("Kim.ini");
        put(target, "[Halving]\r\nTotal=1\r\n");

        // A save that was stopped by the end of its process, one still under
        // way in a running process.
        QProcess ended;
        const QString endedCopy = stoppedSave(ended, "--end-while-saving", target);
        QVERIFY(!endedCopy.isEmpty());
        QVERIFY(ended.waitForFinished(20000));
        QProcess running;
        const QString runningCopy = stoppedSave(running, "--wait-while-saving", target);
        QVERIFY(!runningCopy.isEmpty());
        QCOMPARE(dir.filePath(runningCopy).size(), dir.filePath(endedCopy).size());

        // What else may lie there, all of it old: the learner's own copies,
        // a copy named as ours made on another machine, names that only look
        // like ours, and a link and a folder under a name of ours.
        const qint64 endedId = FileSaver::parseTemporaryName(endedCopy).processId;
        const QString otherTag = FileSaver::machineTag() == "0badc0de" ? "0badc0df" : "0badc0de";
        const QString otherMachine = FileSaver::temporaryName(endedId, otherTag, 1);
        QStringList kept = {"Kim.ini.backup", "Kim.ini.BACKUP", "Kim.ini.202401", "Kim.ini.old123", "Kim.ini.bak",
                            "Kim.ini~", "Kim.ini.orig", "Kim.ini.YBaUZb", ".Kim.ini.swp", otherMachine,
                            endedCopy + ".bak", endedCopy.toUpper(), "notes.txt"};
        for (const QString& name : kept)
            put(dir.filePath(name), "a copy of the learner's own");
        const QString linkName = FileSaver::temporaryName(endedId, FileSaver::machineTag(), 2);
        QVERIFY(QFile::link(dir.filePath("notes.txt"), dir.filePath(linkName)));
        const QString folderName = FileSaver::temporaryName(endedId, FileSaver::machineTag(), 3);
        QVERIFY(QDir(dir.path()).mkdir(folderName));
        kept << linkName << folderName;
        for (const QString& name : namesIn(dir.path())) {
            QFile file(dir.filePath(name));
            if (QFileInfo(file).isFile() && !QFileInfo(file).isSymLink() && file.open(QIODevice::ReadWrite))
                QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-400), QFileDevice::FileModificationTime));
        }

        // A save of the file removes the ended one's copy only.
        QString reason;
        QVERIFY2(FileSaver::save(target, "[Halving]\r\nTotal=2\r\n", &reason), qPrintable(reason));
        kept << "Kim.ini" << runningCopy;
        kept.sort();
        QCOMPARE(namesIn(dir.path()), kept);
        QCOMPARE(QFile(dir.filePath("notes.txt")).size(), qint64(strlen("a copy of the learner's own")));

        // Once the other process has ended, its copy goes too: at the next
        // look into the folder, whichever save or start comes first.
        running.kill();
        QVERIFY(running.waitForFinished(20000));
        QCOMPARE(FileSaver::removeLeftovers(dir.path()), 1);
        kept.removeOne(runningCopy);
        QCOMPARE(namesIn(dir.path()), kept);
        QCOMPARE(FileSaver::removeLeftovers(dir.path()), 0);
    }

    void a_save_keeps_permissions_and_links()
    {
        QTemporaryDir dir;
        const QString real = dir.filePath("real.ini");
        put(real, "old");
        QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(real, dir.filePath("link.ini")));
        QString reason;
        QVERIFY2(FileSaver::save(dir.filePath("link.ini"), "new", &reason), qPrintable(reason));
        QVERIFY(QFileInfo(dir.filePath("link.ini")).isSymLink());
        QFile file(real);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new"));
        // Owner, group and others (the "user" bits repeat the owner's).
        QCOMPARE(QFile::permissions(real) & QFileDevice::Permissions(0x7077), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(namesIn(dir.path()), QStringList({"link.ini", "real.ini"}));

        // A folder in the way is not replaced, and nothing is left behind.
        QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
        QVERIFY(!FileSaver::save(dir.filePath("folder.ini"), "new", &reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(namesIn(dir.path()), QStringList({"folder.ini", "link.ini", "real.ini"}));
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && (qstrcmp(argv[1], "--end-while-saving") == 0 || qstrcmp(argv[1], "--wait-while-saving") == 0))
        return saveAndStop(QString::fromLatin1(argv[1]), QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestFileSaver test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FileSaver.moc"
