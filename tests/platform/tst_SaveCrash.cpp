#include <QtTest>

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "platform/IniFile.h"

#include "Sweeps.h"

#include <cstdio>

// A process saving a learner file over and over is killed at random
// moments, a hundred and more times: after each kill the file holds one whole
// save (the one before or the one being made) and reads back. Each child is
// killed only after its first whole save, so that however slow the machine
// the kills fall among saves, not before the first.
namespace {

const QString Check = QStringLiteral("Check");
const QStringList Sections = {QStringLiteral("Addition"), QStringLiteral("SpeedDivision"),
                              QStringLiteral("MultiplyBasic"), QStringLiteral("GradePrefs")};

// Save number n: every value says n, and a text whose length depends on n
// makes the file cross the sizes at which writes are buffered (4 to 40 KB).
int padding(int n)
{
    return (n % 10) * 4000;
}

void writeSave(IniFile& ini, int n)
{
    ini.writeInteger(Check, QStringLiteral("Save"), n);
    for (const QString& section : Sections) {
        ini.writeInteger(section, QStringLiteral("Total"), n);
        ini.writeInteger(section, QStringLiteral("Correct"), n);
    }
    ini.writeString(Check, QStringLiteral("Padding"), QString(padding(n), u'p'));
}

// The save the file holds, or -1 when it is not one whole save.
int wholeSave(const IniFile& ini)
{
    const int n = ini.readInteger(Check, QStringLiteral("Save"), -1);
    if (ini.readFailed() || n < 1 || ini.readString(Check, QStringLiteral("Padding")).size() != padding(n))
        return -1;
    for (const QString& section : Sections) {
        if (ini.readInteger(section, QStringLiteral("Total"), -1) != n
            || ini.readInteger(section, QStringLiteral("Correct"), -1) != n)
            return -1;
    }
    return n;
}

// The child: saves the next number again and again until it is killed; says
// "saved" after the first save.
int saveForever(const QString& path)
{
    for (bool first = true;; first = false) {
        IniFile ini(path);
        const int n = wholeSave(ini);
        if (n < 0 && ini.exists())
            return 3;   // it found a torn file
        writeSave(ini, n + 1);
        if (!ini.save())
            return 4;
        if (first) {
            std::puts("saved");
            std::fflush(stdout);
        }
    }
}

} // namespace

class TestSaveCrash : public QObject
{
    Q_OBJECT
private slots:
    void killed_saves_leave_a_whole_file()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Ann.ini"));
        {
            IniFile first(path);
            writeSave(first, 1);
            QVERIFY(first.save());
        }
        QRandomGenerator random(20260705);
        int last = 1;
        int kills = 0;
        for (; kills < sweepSize(150); ++kills) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-forever"), path});
            QVERIFY(child.waitForReadyRead(120000));
            QThread::usleep(random.bounded(2000, 40000));
            child.kill();
            QVERIFY(child.waitForFinished(120000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);   // killed, not ended on a torn file
            const int n = wholeSave(IniFile(path));
            QVERIFY2(n >= last, qPrintable(QStringLiteral("after kill %1: save %2, before it %3").arg(kills).arg(n).arg(last)));
            last = n;
        }
        qInfo("%d kills, %d saves made in all", kills, last);
        QVERIFY(last > kills);   // every child saved at least once before it was killed
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--save-forever") == 0)
        return saveForever(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestSaveCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SaveCrash.moc"
