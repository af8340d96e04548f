#include <QtTest>

#include <QProcess>

#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"
#include "shell/UserStore.h"

#include <sys/resource.h>

// Learner files and name lists as large as the program reads: signing in
// and closing a screen cost a small multiple of the file's size, and a save
// never makes a file the program could not read again.
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
constexpr bool Sanitized = __has_feature(address_sanitizer);
#else
constexpr bool Sanitized = false;
#endif

qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

// The child process: Ann signs in with the large file of the given kind
// and opens and closes a screen. Prints the growth of the peak resident
// memory over those steps and the file's size.
int measureSignInAndClose(const QString& kind)
{
    TestEnvironment env;
    const QString users = env.path(QStringLiteral("install/User"));
    QDir().mkpath(users);
    env.writeFile(QStringLiteral("install/User/UserList.ini"), "Ann\r\n");
    const QString file = users + QStringLiteral("/Ann.ini");
    const bool written = kind == QLatin1String("line-feeds")
                             ? TestEnvironment::writeRepeated(file, "[GradePrefs]\nUserLevel=3\n", "\n", IniFile::kMaxFileSize)
                             : TestEnvironment::writeRepeated(file, "[GradePrefs]\r\nUserLevel=3\r\n[Addition]\r\n", "k=\r\n",
                                          IniFile::kMaxFileSize);
    if (!written)
        return 2;
    TfrmMain main;
    main.show();
    QApplication::processEvents();
    const qint64 before = peakResidentBytes();
    if (!signInAs(main, QStringLiteral("Ann")) || Globals::UserLevel != 3)
        return 3;
    ChildForm* screen = openFromMenu<ChildForm>(main, QStringLiteral("mnuAddition"));
    if (!screen || !screen->closeForm())
        return 4;
    printf("%lld %lld\n", peakResidentBytes() - before, QFileInfo(file).size());
    return 0;
}

} // namespace

class TestLargeFiles : public QObject
{
    Q_OBJECT
private slots:
    void signing_in_and_closing_a_screen_cost_a_small_multiple_of_the_file_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("16 MiB of line feeds") << QStringLiteral("line-feeds");
        QTest::newRow("16 MiB of keys") << QStringLiteral("keys");
    }
    void signing_in_and_closing_a_screen_cost_a_small_multiple_of_the_file()
    {
        if (Sanitized)
            QSKIP("the address sanitizer's own memory hides the program's");
        QFETCH(QString, kind);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), kind});
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitCode(), 0);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        QCOMPARE(figures.size(), 2);
        const qint64 growth = figures[0].toLongLong();
        const qint64 size = figures[1].toLongLong();
        qInfo("peak memory grew by %lld MB for a file of %lld MB", growth >> 20, size >> 20);
        QVERIFY2(growth < 12 * size, qPrintable(QString::number(growth >> 20) + " MB"));
    }

    // A file read with LF line ends is written with CR LF: a save that
    // would pass the read limit is refused and the file stays readable.
    void a_save_never_writes_more_than_is_read()
    {
        OpenedScreen<ChildForm> screen(QStringLiteral("mnuAddition"));
        QVERIFY(screen.form);
        const QString file = Globals::UserIniFile;
        // Just over half the limit: its CR LF form would pass the limit.
        QVERIFY(TestEnvironment::writeRepeated(file, "[GradePrefs]\nUserLevel=2\n", "\n",
                                               IniFile::kMaxFileSize / 2 + 64 * 1024));
        const qint64 size = QFileInfo(file).size();
        QVERIFY(screen.form->closeForm());
        const QStringList errors = screen.env.dialogs.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(file) && errors[0].contains(QStringLiteral("larger than 16 MB")),
                 qPrintable(errors[0]));
        QCOMPARE(QFileInfo(file).size(), size);
        const IniFile again(file);
        QVERIFY(!again.readFailed());
        QCOMPARE(again.readInteger(QStringLiteral("GradePrefs"), QStringLiteral("UserLevel"), 0), 2);
    }

    // The same for the name list, whose limit is 1 MB.
    void a_name_list_never_grows_past_what_is_read()
    {
        TestEnvironment env;
        const QString list = env.path(QStringLiteral("install/User/UserList.ini"));
        QDir().mkpath(QFileInfo(list).path());
        QByteArray names;
        for (int i = 0; names.size() < UserStore::MaxListFileSize - 200; ++i)
            names += "Learner" + QByteArray::number(100000 + i) + '\n';
        env.writeFile(QStringLiteral("install/User/UserList.ini"), names);
        TfrmMain main;
        main.show();
        QVERIFY(signInAs(main, QStringLiteral("Zoe")));
        const QStringList errors = env.dialogs.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(list) && errors[0].contains(QStringLiteral("larger than 1 MB")),
                 qPrintable(errors[0]));
        QCOMPARE(env.readFile(QStringLiteral("install/User/UserList.ini")), names);
        UserStore store;
        QString error;
        QCOMPARE(store.loadNames(&error), UserStore::LoadResult::Loaded);
        QCOMPARE(store.names().size(), names.count('\n'));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--measure") == 0)
        return measureSignInAndClose(QString::fromLocal8Bit(argv[2]));
    TestLargeFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_LargeFiles.moc"
