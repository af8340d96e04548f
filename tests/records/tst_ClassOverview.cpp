#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

#include "CsvReading.h"
#include "ScreenTesting.h"
#include "records/ClassOverview.h"
#include "records/LearnerData.h"
#include "shell/About.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"

// A teacher with a class of 30 (made by tests/records/make-class.sh, which
// works out every percent and colour in shell arithmetic) walks through
// Records > Class Overview, the CSV export, print and PDF, a backup, two
// removals from the sign-in box (to the trash, and into "Removed" where there
// is none), a removal that cannot move the files, and a restore.

namespace {

struct Expected {
    int percent;
    QColor colour;
};

// "Pupil 07" -> section -> percent and colour, from the script's expected.csv.
QHash<QString, QHash<QString, Expected>> readExpected(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QHash<QString, QHash<QString, Expected>> expected;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        const QList<QByteArray> f = line.split(',');
        if (f.size() != 4)
            continue;
        const QColor colour = f[3] == "red" ? SysColors::Red : f[3] == "amber" ? SysColors::Yellow : SysColors::Lime;
        expected[QString::fromLatin1(f[0])][QString::fromLatin1(f[1])] = {f[2].toInt(), colour};
    }
    return expected;
}

int rowOf(const QAbstractItemModel* model, const QString& name)
{
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->index(r, ClassOverviewTable::NameColumn).data().toString() == name)
            return r;
    return -1;
}

// Every screen cell of the learner's row against the script's numbers.
void checkRow(const QAbstractItemModel* model, const QString& name, const QHash<QString, Expected>& expected)
{
    const int row = rowOf(model, name);
    QVERIFY2(row >= 0, qPrintable(name));
    for (qsizetype c = 0; c < ClassOverviewRules::columns().size(); ++c) {
        const QModelIndex cell = model->index(row, ClassOverviewTable::screenColumn(int(c)));
        const QString section = ClassOverviewRules::columns().at(c).section;
        if (!expected.contains(section)) {
            QVERIFY2(cell.data().toString().isEmpty(), qPrintable(name + " " + section));
            QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
            continue;
        }
        QCOMPARE(cell.data().toString(), QString::number(expected[section].percent));
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), expected[section].colour);
    }
}

TClassOverviewForm* openOverview(TfrmMain& main)
{
    return openFromMenu<TClassOverviewForm>(main, QStringLiteral("mnuClassOverview"));
}

// Chooses a learner in the sign-in box and removes the name as a teacher
// does: right-click menu, "Remove Name From List".
void removeInSignIn(TfrmMain& main, const QString& name)
{
    main.menuItem(QStringLiteral("mnuAbout"))->trigger();
    auto* box = onlyChild<TAboutBox>(main);
    QVERIFY(box);
    auto* combo = box->findChild<QComboBox*>(QStringLiteral("cboName"));
    combo->setCurrentIndex(combo->findText(name));
    QCOMPARE(combo->currentText(), name);
    box->findChild<QAction*>(QStringLiteral("mnuRemoveNameFromList"))->trigger();
}

// Types the name in the open sign-in box and presses OK.
void closeSignIn(TfrmMain& main, const QString& name)
{
    auto* box = onlyChild<TAboutBox>(main);
    QVERIFY(box);
    auto* combo = box->findChild<QComboBox*>(QStringLiteral("cboName"));
    combo->lineEdit()->clear();
    QTest::keyClicks(combo, name);
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    QTRY_VERIFY(main.childForms().isEmpty());
}

} // namespace

class tst_ClassOverview : public QObject
{
    Q_OBJECT
private slots:
    void a_class_of_thirty_through_overview_export_backup_removal_and_restore()
    {
        TestEnvironment env;
        // The class lives where the sign-in box finds it: the installation's user folder.
        env.signIn(QStringLiteral("Pupil 01"));
        const QString users = env.path(QStringLiteral("install/User"));
        Globals::UsersFolder = Globals::UserDataFolder = users;
        Globals::UserIniFile = users + QStringLiteral("/Pupil 01.ini");
        QProcess script;
        script.start(QStringLiteral("sh"), {QStringLiteral(VSM_SOURCE_DIR "/tests/records/make-class.sh"), users});
        QVERIFY(script.waitForFinished(20000));
        QCOMPARE(script.exitCode(), 0);
        const auto expected = readExpected(users + QStringLiteral("/expected.csv"));
        QCOMPARE(expected.size(), 30);
        env.writeFile(QStringLiteral("install/User/Visitor.ini"), "[Addition]\r\nTotal=4\r\nCorrect=3\r\n");
        // A listed learner whose file cannot be read: a folder where it should be.
        QDir().mkpath(users + QStringLiteral("/Broken.ini"));
        QFile list(users + QStringLiteral("/UserList.ini"));
        QVERIFY(list.open(QIODevice::Append));
        list.write("Broken\r\n");
        list.close();

        TfrmMain main;
        main.show();
        QVERIFY(main.menuItem(QStringLiteral("mnuRecords")));
        TClassOverviewForm* overview = openOverview(main);
        QVERIFY(overview);
        QVERIFY(!main.menuItem(QStringLiteral("mnuRecords"))->isEnabled()); // one window at a time
        const QAbstractItemModel* model = overview->table()->model();
        QCOMPARE(model->rowCount(), 30 + 2 + 1); // the class, Broken, a file not in the list, the medians
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            checkRow(model, it.key(), it.value());
        const int visitor = rowOf(model, QStringLiteral("Visitor (not in the list)"));
        QVERIFY(visitor >= 0);
        QCOMPARE(model->index(visitor, ClassOverviewTable::screenColumn(0)).data().toString(), QStringLiteral("75"));
        const int broken = rowOf(model, QStringLiteral("Broken"));
        QVERIFY(model->index(broken, ClassOverviewTable::noteColumn()).data().toString().startsWith("Could not be read"));
        QCOMPARE(model->index(model->rowCount() - 1, 0).data().toString(), QStringLiteral("Class median"));
        // A practice screen's cell names its best times on hover.
        const int speedAddition = int(std::find_if(ClassOverviewRules::columns().cbegin(), ClassOverviewRules::columns().cend(),
                                                   [](const auto& c) { return c.section == "SpeedAddition"; })
                                      - ClassOverviewRules::columns().cbegin());
        const QString bestHint = model->index(rowOf(model, QStringLiteral("Pupil 01")), ClassOverviewTable::screenColumn(speedAddition)).data(Qt::ToolTipRole).toString();
        QVERIFY2(bestHint.contains("Best times:"), qPrintable(bestHint));

        // Sorting by a click on a heading: percents descending, blanks last, medians last.
        QHeaderView* header = overview->table()->horizontalHeader();
        const int column = ClassOverviewTable::screenColumn(0);
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, 5));
            QCOMPARE(header->sortIndicatorSection(), column);
            const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
            int previous = ascending ? -1 : 101;
            bool blanks = false;
            for (int r = 0; r < model->rowCount() - 1; ++r) {
                const QString text = model->index(r, column).data().toString();
                QVERIFY(!(blanks && !text.isEmpty()));
                blanks = text.isEmpty();
                if (!blanks) {
                    QVERIFY(ascending ? text.toInt() >= previous : text.toInt() <= previous);
                    previous = text.toInt();
                }
            }
        }
        QCOMPARE(model->index(model->rowCount() - 1, 0).data().toString(), QStringLiteral("Class median"));

        // The filter: the Basics screens only.
        auto* filter = overview->findChild<QComboBox*>(QStringLiteral("cboFilter"));
        filter->setFocus();
        QTest::keyClick(filter, Qt::Key_Down);
        QCOMPARE(overview->filter(), ClassOverviewRules::Filter::Basics);
        QVERIFY(!overview->table()->isColumnHidden(ClassOverviewTable::screenColumn(0)));
        QVERIFY(overview->table()->isColumnHidden(ClassOverviewTable::screenColumn(speedAddition)));

        // Every control has its What's This help, an accessible name and a place in the tab order.
        for (QWidget* control : overview->findChildren<QWidget*>()) {
            if (qobject_cast<QPushButton*>(control) || control == filter || control == overview->table()) {
                QVERIFY2(Hints::helpContext(control) > 0, qPrintable(control->objectName()));
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
                QVERIFY(control->focusPolicy() & Qt::TabFocus);
            }
        }

        // Export: the CSV reads back with the same numbers, one heading line.
        env.dialogs.saveAnswer = env.path(QStringLiteral("class.csv"));
        QTest::mouseClick(overview->findChild<QPushButton*>(QStringLiteral("btnExport")), Qt::LeftButton);
        const QList<QStringList> csv = readCsv(QString::fromUtf8(env.readFile(QStringLiteral("class.csv"))));
        QCOMPARE(csv.size(), 1 + 32 + 1);
        const QStringList heading = csv.constFirst();
        QCOMPARE(heading.mid(0, 3), QStringList({"Learner", "In list", "Level"}));
        QVERIFY(!heading.contains(QStringLiteral("SPEED ADDITION"))); // as shown: Basics only
        for (const QStringList& row : csv.mid(1, 32)) {
            const auto mine = expected.value(row.constFirst());
            for (qsizetype c = 3; c < heading.size() - 3; ++c) {
                const auto& screen = *std::find_if(ClassOverviewRules::columns().cbegin(), ClassOverviewRules::columns().cend(),
                                                   [&](const auto& s) { return Strings::text(s.titleId) == heading.at(c); });
                if (mine.contains(screen.section))
                    QCOMPARE(row.at(c), QString::number(mine.value(screen.section).percent));
                else if (row.constFirst().startsWith("Pupil"))
                    QVERIFY(row.at(c).isEmpty());
            }
        }

        // Print and PDF.
        env.dialogs.printToPdf = env.path(QStringLiteral("printed.pdf"));
        QTest::mouseClick(overview->findChild<QPushButton*>(QStringLiteral("bitbtnPrint")), Qt::LeftButton);
        QVERIFY(env.readFile(QStringLiteral("printed.pdf")).startsWith("%PDF"));
        env.dialogs.saveAnswer = env.path(QStringLiteral("class.pdf"));
        QTest::mouseClick(overview->findChild<QPushButton*>(QStringLiteral("btnPdf")), Qt::LeftButton);
        QVERIFY(env.readFile(QStringLiteral("class.pdf")).startsWith("%PDF"));
        QVERIFY(env.dialogs.texts("error").isEmpty());

        QTest::keyClick(overview->table(), Qt::Key_Escape);
        QTRY_VERIFY(main.childForms().isEmpty());
        QVERIFY(main.menuItem(QStringLiteral("mnuRecords"))->isEnabled());

        // Back up: a dated folder, checked file by file.
        QDir().mkpath(env.path(QStringLiteral("backups")));
        env.dialogs.folderAnswer = env.path(QStringLiteral("backups"));
        env.dialogs.clear();
        main.menuItem(QStringLiteral("mnuBackUpLearnerData"))->trigger();
        QCOMPARE(env.dialogs.texts("error").size(), 1); // Broken.ini cannot be copied: said so
        QVERIFY(env.dialogs.texts("error").constFirst().contains("FAILED  Broken.ini"));
        QVERIFY(env.dialogs.texts("error").constFirst().contains("32 of 33 files copied and checked."));
        const QStringList backups = QDir(env.path("backups")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(backups.size(), 1);
        const QString backup = env.path("backups/" + backups.constFirst());
        QVERIFY(backups.constFirst().startsWith("Learner Data "));
        QVERIFY(QFileInfo::exists(backup + "/Backup report.txt"));
        QCOMPARE(QFile(backup + "/Pupil 05.ini").size(), QFile(users + "/Pupil 05.ini").size());
        QDir().rmdir(users + QStringLiteral("/Broken.ini"));

        // Remove to the trash, then where there is none into "Removed": no question.
        env.writeFile(QStringLiteral("install/User/Pupil 05.history.csv"), "When,Kind\r\n");
        env.dialogs.clear();
        removeInSignIn(main, QStringLiteral("Pupil 05"));
        QVERIFY(QFileInfo::exists(env.trashFolder() + "/Pupil 05.ini"));
        QVERIFY(QFileInfo::exists(env.trashFolder() + "/Pupil 05.history.csv"));
        QVERIFY(!QFileInfo::exists(users + "/Pupil 05.ini"));
        env.trashAvailable = false;
        auto* combo = onlyChild<TAboutBox>(main)->findChild<QComboBox*>(QStringLiteral("cboName"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("Pupil 06")));
        onlyChild<TAboutBox>(main)->findChild<QAction*>(QStringLiteral("mnuRemoveNameFromList"))->trigger();
        QVERIFY(QFileInfo::exists(users + "/Removed/Pupil 06.ini"));
        QVERIFY(env.dialogs.boxes.isEmpty());
        // Files that cannot be moved anywhere: said so, the name stays.
        QDir(users + "/Removed").removeRecursively();
        env.writeFile(QStringLiteral("install/User/Removed"), "a file in the way");
        combo->setCurrentIndex(combo->findText(QStringLiteral("Pupil 07")));
        onlyChild<TAboutBox>(main)->findChild<QAction*>(QStringLiteral("mnuRemoveNameFromList"))->trigger();
        QCOMPARE(env.dialogs.texts("error").size(), 1);
        QVERIFY(env.dialogs.texts("error").constFirst().contains("The name stays in the list."));
        QVERIFY(combo->findText(QStringLiteral("Pupil 07")) >= 0);
        QVERIFY(QFileInfo::exists(users + "/Pupil 07.ini"));
        QFile::remove(users + "/Removed");
        closeSignIn(main, QStringLiteral("Pupil 01"));
        QVERIFY(!env.readFile("install/User/UserList.ini").contains("Pupil 05"));

        // Pupil 01 works on after the backup.
        QFile one(users + "/Pupil 01.ini");
        QVERIFY(one.open(QIODevice::Append));
        one.write("[Halving]\r\nTotal=1\r\nCorrect=1\r\n");
        QVERIFY(one.flush());
        QVERIFY(one.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
        one.close();
        const QByteArray pupilOneNow = env.readFile("install/User/Pupil 01.ini");

        // Restore Pupil 05 and Pupil 06; Pupil 01 only when the teacher says so.
        env.dialogs.folderAnswer = backup;
        env.dialogs.clear();
        env.dialogs.confirmAnswers = {false};
        main.menuItem(QStringLiteral("mnuRestoreLearnerData"))->trigger();
        auto* restore = onlyChild<TRestoreForm>(main);
        QVERIFY(restore);
        QCOMPARE(restore->list()->topLevelItemCount(), 31); // the class and the visitor
        for (const QString& name : {QStringLiteral("Pupil 05"), QStringLiteral("Pupil 06"), QStringLiteral("Pupil 01")})
            restore->setTicked(name, true);
        QTest::mouseClick(restore->findChild<QPushButton*>(QStringLiteral("btnRestore")), Qt::LeftButton);
        QCOMPARE(env.dialogs.count("confirm"), 1);
        QVERIFY(env.dialogs.texts("confirm").constFirst().startsWith("Pupil 01's files in the user folder were changed"));
        QCOMPARE(env.dialogs.texts("information"),
                 QStringList({"Restored: Pupil 05, Pupil 06.\r\n\r\nNot restored (newer in the user folder): Pupil 01."}));
        QCOMPARE(env.readFile("install/User/Pupil 01.ini"), pupilOneNow);
        QVERIFY(env.readFile("install/User/UserList.ini").contains("Pupil 05\r\nPupil 06\r\n"));
        QVERIFY(restore->closeForm());

        // The class is whole again, with the same numbers.
        overview = openOverview(main);
        QVERIFY(overview);
        QCOMPARE(overview->table()->model()->rowCount(), 30 + 2 + 1);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            if (it.key() != QStringLiteral("Pupil 01"))
                checkRow(overview->table()->model(), it.key(), it.value());
        }
    }
};

QTEST_MAIN(tst_ClassOverview)
#include "tst_ClassOverview.moc"
