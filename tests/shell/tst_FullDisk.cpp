#include <QtTest>

#include <QPushButton>
#include <QStorageInfo>

#include "ScreenTesting.h"
#include "platform/Dialogs.h"
#include "platform/FileSaver.h"
#include "records/Scores.h"
#include "shell/Globals.h"

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

#include <cerrno>
#include <cstring>

// Every save a learner makes (their settings file when a screen closes, the
// name list when a new learner signs in, a saved report, a report printed to
// a PDF file) on a disk that is full: each one shows the system's own text
// and leaves the file that was there exactly as it was.
namespace {

// A small file system of its own for the user folder (Linux, root only).
class SmallDisk
{
public:
    SmallDisk(const QString& folder, int kilobytes)
        : m_folder(folder)
    {
        QDir().mkpath(folder);
#ifdef Q_OS_LINUX
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0)
            m_mounted = true;
        else
            m_reason = QString::fromLocal8Bit(std::strerror(errno));
#else
        Q_UNUSED(kilobytes);
        m_reason = QStringLiteral("only Linux mounts a small file system here");
#endif
    }
    ~SmallDisk()
    {
#ifdef Q_OS_LINUX
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
#endif
    }
    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }

    // Fills the disk with one more file until just `leave` bytes are free.
    bool fill(qint64 leave) const
    {
        QFile filler(m_folder + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray page(4096, 'f');
        while (filler.write(page) == page.size()) {
        }
        return filler.resize(qMax<qint64>(0, filler.size() - leave))
               && QStorageInfo(m_folder).bytesAvailable() == leave;
    }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_reason;
};

QByteArray learnerFile(int atLeast)
{
    QByteArray text = "[GradePrefs]\r\nUserLevel=2\r\nLowerAmber=65\r\nUpperAmber=84\r\n";
    for (int i = 0; text.size() < atLeast; ++i)
        text += "[Screen" + QByteArray::number(i) + "]\r\nOption=2\r\nTotal=50\r\nCorrect=37\r\n";
    return text;
}

struct Program {
    TestEnvironment env;
    TfrmMain main;
    QString users = env.path(QStringLiteral("install/User"));

    QString file(const QString& name) const { return users + QLatin1Char('/') + name; }
    QByteArray read(const QString& name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    // The files of the folder besides the filler (no copy left behind).
    QStringList files() const
    {
        QStringList names = QDir(users).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

    void signIn(const QString& name) { QVERIFY(signInAs(main, name)); }
    void openAndCloseAddition()
    {
        ChildForm* form = openFromMenu<ChildForm>(main, QStringLiteral("mnuAddition"));
        QVERIFY(form);
        QVERIFY(form->closeForm());
    }
    // One error box, with the disk's own text.
    void expectDiskFullBox(const QString& about)
    {
        const QStringList errors = env.dialogs.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.constFirst().contains(FileSaver::diskFullText()) && errors.constFirst().contains(about),
                 qPrintable(errors.constFirst()));
        env.dialogs.clear();
    }

    // Every save of a signed-in learner "Ann" fails and keeps its file.
    void everySaveKeepsItsFile()
    {
        const QByteArray ann = read(QStringLiteral("Ann.ini"));
        const QByteArray list = read(QStringLiteral("UserList.ini"));
        const QByteArray report = read(QStringLiteral("Vandrelsholm Ann.rtf"));
        const QByteArray pdf = read(QStringLiteral("marks.pdf"));

        openAndCloseAddition();
        expectDiskFullBox(file(QStringLiteral("Ann.ini")));
        QCOMPARE(read(QStringLiteral("Ann.ini")), ann);

        auto* scores = openFromMenu<TScoresForm>(main, QStringLiteral("mnuScores"));
        QVERIFY(scores);
        env.dialogs.saveAnswer = file(QStringLiteral("Vandrelsholm Ann.rtf"));
        scores->findChild<QPushButton*>(QStringLiteral("bitbtnSave"))->click();
        expectDiskFullBox(env.dialogs.saveAnswer);
        QCOMPARE(read(QStringLiteral("Vandrelsholm Ann.rtf")), report);

        env.dialogs.printToPdf = file(QStringLiteral("marks.pdf"));
        scores->findChild<QPushButton*>(QStringLiteral("bitbtnPrint"))->click();
        expectDiskFullBox(env.dialogs.printToPdf);
        QCOMPARE(read(QStringLiteral("marks.pdf")), pdf);
        QVERIFY(scores->closeForm());

        // A new learner: the list that names everyone stays as it was.
        signIn(QStringLiteral("Cid"));
        expectDiskFullBox(file(QStringLiteral("UserList.ini")));
        QCOMPARE(read(QStringLiteral("UserList.ini")), list);
        QVERIFY(!Globals::UserDataWritable);

        QCOMPARE(files(), QStringList({"Ann.ini", "Ben.ini", "UserList.ini", "Vandrelsholm Ann.rtf", "marks.pdf"}));
    }

    void putFiles()
    {
        QDir().mkpath(users);
        write(QStringLiteral("UserList.ini"), "Ann\r\nBen\r\n");
        write(QStringLiteral("Ann.ini"), learnerFile(347));
        write(QStringLiteral("Ben.ini"), learnerFile(12 * 1024));
        write(QStringLiteral("Vandrelsholm Ann.rtf"), "{\\rtf1 an older report\\par}");
        write(QStringLiteral("marks.pdf"), "%PDF-1.4 an older print\n%%EOF\n");
        main.show();
        signIn(QStringLiteral("Ann"));
        env.dialogs.clear();
    }
};

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { FileSaver::setFailureForTests({}); }

    // A disk that fills up while the new file is written (the seam stands
    // for it where no small file system can be mounted).
    void every_save_keeps_its_file_when_the_write_fails()
    {
        Program program;
        program.putFiles();
        QStringList failed;
        FileSaver::setFailureForTests([&failed](const QString& path) {
            failed.append(QFileInfo(path).fileName());
            return FileSaver::diskFullText();
        });
        program.everySaveKeepsItsFile();
        QCOMPARE(failed, QStringList({"Ann.ini", "Vandrelsholm Ann.rtf", "marks.pdf", "UserList.ini"}));
    }

    void every_save_keeps_its_file_on_a_really_full_disk()
    {
        Program program;
        SmallDisk disk(program.users, 64);
        if (!disk.mounted())
            QSKIP(qPrintable("no small file system can be mounted here: " + disk.reason()));
        program.putFiles();

        // One page free: a small file still saves, a larger one fails whole.
        QVERIFY(disk.fill(4096));
        const QByteArray ben = program.read(QStringLiteral("Ben.ini"));
        program.openAndCloseAddition();
        QVERIFY(program.env.dialogs.boxes.isEmpty());
        QVERIFY(program.read(QStringLiteral("Ann.ini")).contains("[Addition]"));
        program.signIn(QStringLiteral("Ben"));
        program.openAndCloseAddition();
        program.expectDiskFullBox(program.file(QStringLiteral("Ben.ini")));
        QCOMPARE(program.read(QStringLiteral("Ben.ini")), ben);

        // Full.
        program.signIn(QStringLiteral("Ann"));
        QVERIFY(disk.fill(0));
        program.everySaveKeepsItsFile();
    }
};

QTEST_MAIN(TestFullDisk)
#include "tst_FullDisk.moc"
