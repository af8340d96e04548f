#include <QtTest>

#include <QCheckBox>
#include <QPushButton>

#include "ScreenTesting.h"
#include "basics/BaseBasics.h"
#include "platform/FileSaver.h"
#include "records/Scores.h"
#include "shell/Globals.h"

// Every save a learner makes (their settings file when a screen closes, when
// the preferences are kept and when the scores are reset; the record of
// missed facts at a drill's end; the name list when a new learner signs in;
// a saved report, a report printed to a PDF file), with the learner's own
// copies of each file beside it under the names people and tools give
// backups: all of them stay as they were.
// Only the new file of a save whose process has ended is removed, at the next
// start in the user folder and at the next save in any other folder.
namespace {

// The names a person or a tool gives a copy of the file "name".
QStringList copyNames(const QString& name)
{
    return {name + ".backup", name + ".BACKUP", name + ".old123", name + ".202401", name + ".bak", name + ".BAK",
            name + "~", name + ".orig", name + ".tmp", name + ".YBaUZb", name + ".ZZ99YY", name.toUpper() + ".BAK",
            "." + name + ".swp", "#" + name + "#", "Copy of " + name, name + ".1", name + ".2024-01-31"};
}

// A new file left by a killed save (no process has this number).
QString leftover(int n)
{
    return FileSaver::temporaryName(2147483646, FileSaver::machineTag(), quint32(n));
}

struct Folders {
    TestEnvironment env;
    TfrmMain main;
    QString users = env.path("install/User");
    QString documents = env.path("Documents");
    // Every copy with the bytes it holds.
    QMap<QString, QByteArray> copies;

    Folders()
    {
        QDir().mkpath(users);
        QDir().mkpath(documents);
        put(users + "/UserList.ini", "Kim\r\n");
        put(users + "/Kim.ini", "[Addition]\r\nTotal=5\r\nCorrect=4\r\n");
        put(documents + "/Vandrelsholm Kim.rtf", "{\\rtf1 an older report\\par}");
        put(documents + "/scores.pdf", "%PDF-1.4 an older print\n%%EOF\n");
        for (const QString& file : {users + "/UserList.ini", users + "/Kim.ini", users + "/Kim.review.csv", users + "/Lee.ini",
                                    documents + "/Vandrelsholm Kim.rtf", documents + "/scores.pdf"}) {
            const QFileInfo info(file);
            for (const QString& name : copyNames(info.fileName())) {
                const QString copy = info.dir().filePath(name);
                copies[copy] = "the learner's own copy named " + name.toUtf8();
                put(copy, copies[copy]);
                QFile old(copy);
                old.open(QIODevice::ReadWrite);
                old.setFileTime(QDateTime::currentDateTime().addDays(-400), QFileDevice::FileModificationTime);
            }
        }
        put(users + "/" + leftover(1), "[Addition]\r\nTotal=6\r\n");
        put(documents + "/" + leftover(2), "{\\rtf1 half a report");
    }
    static void put(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    // The copies that are missing or changed.
    QStringList copiesLost() const
    {
        QStringList lost;
        for (auto it = copies.cbegin(); it != copies.cend(); ++it) {
            QFile file(it.key());
            if (!file.open(QIODevice::ReadOnly) || file.readAll() != it.value())
                lost.append(QFileInfo(it.key()).fileName());
        }
        return lost;
    }
    bool exists(const QString& folder, const QString& name) const { return QFileInfo::exists(folder + "/" + name); }
};

} // namespace

class TestSavesBesideCopies : public QObject
{
    Q_OBJECT
private slots:
    void every_save_keeps_the_copies_beside_it()
    {
        Folders f;
        QVERIFY(f.copiesLost().isEmpty());
        f.main.show();

        // Signing in finds the user folder: the killed save's file goes.
        QVERIFY(signInAs(f.main, "Kim"));
        QVERIFY(!f.exists(f.users, leftover(1)));
        QVERIFY(f.exists(f.documents, leftover(2)));

        // The learner's file, when a screen closes.
        ChildForm* addition = openFromMenu<ChildForm>(f.main, "mnuAddition");
        QVERIFY(addition);
        QVERIFY(addition->closeForm());
        QVERIFY(f.env.readFile("install/User/Kim.ini").contains("AnswerPosition="));

        // The record of missed facts, at the end of a drill's run.
        auto* drill = openFromMenu<TBasicsBaseForm>(f.main, "mnuHalving");
        QVERIFY(drill);
        drill->findChild<QCheckBox*>("chkPractiseMisses")->click();
        drill->findChild<QAbstractButton*>("BitBtnPlay")->click();
        drill->tmrAnswerTimer();
        drill->findChild<QAbstractButton*>("BitBtnStop")->click();
        QVERIFY(f.env.readFile("install/User/Kim.review.csv").startsWith("Drill,Fact,Seen,Missed,Level\r\nHalving,"));
        // The practice history, appended at the same STOP.
        QVERIFY(f.env.readFile("install/User/Kim.history.csv").startsWith("When,Kind,Section,"));
        QVERIFY(drill->closeForm());

        // The preferences, kept with OK; every score reset to 0.
        QWidget* prefs = openFromMenu<QWidget>(f.main, "mnuPreferences");
        QVERIFY(prefs);
        prefs->findChild<QAbstractButton*>("BitBtnOK")->click();
        QVERIFY(f.env.readFile("install/User/Kim.ini").contains("[GradePrefs]"));
        f.main.menuItem("mnuResetScores")->trigger();
        QCOMPARE(f.env.dialogs.texts("information"), QStringList{"Completed resetting Correct and Total to zero"});
        QVERIFY(f.env.readFile("install/User/Kim.ini").contains("Total=0\r\nCorrect=0"));

        // The report, saved and printed into the Documents folder.
        auto* scores = openFromMenu<TScoresForm>(f.main, "mnuScores");
        QVERIFY(scores);
        f.env.dialogs.saveAnswer = f.documents + "/Vandrelsholm Kim.rtf";
        scores->findChild<QPushButton*>("bitbtnSave")->click();
        QVERIFY(f.env.readFile("Documents/Vandrelsholm Kim.rtf").startsWith("{\\rtf1\\ansi"));
        QVERIFY(!f.exists(f.documents, leftover(2)));
        f.env.dialogs.printToPdf = f.documents + "/scores.pdf";
        scores->findChild<QPushButton*>("bitbtnPrint")->click();
        QVERIFY(f.env.readFile("Documents/scores.pdf").size() > 1000);
        QVERIFY(scores->closeForm());

        // The name list, when a new learner signs in, and the new learner's file.
        QVERIFY(signInAs(f.main, "Lee"));
        QCOMPARE(f.env.readFile("install/User/UserList.ini"), QByteArray("Kim\r\nLee\r\n"));
        ChildForm* halving = openFromMenu<ChildForm>(f.main, "mnuHalving");
        QVERIFY(halving);
        QVERIFY(halving->closeForm());
        QVERIFY(f.env.readFile("install/User/Lee.ini").contains("[Halving]"));

        QCOMPARE(f.env.dialogs.count("error"), 0);
        QCOMPARE(f.copiesLost(), QStringList());
        // Nothing else came or went.
        const int targets = 7;
        QCOMPARE(QDir(f.users).entryList(QDir::Files | QDir::Hidden).size()
                     + QDir(f.documents).entryList(QDir::Files | QDir::Hidden).size(),
                 int(f.copies.size()) + targets);
    }
};

QTEST_MAIN(TestSavesBesideCopies)
#include "tst_SavesBesideCopies.moc"
