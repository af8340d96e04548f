// scripts/new-method.sh, run on a copy of the source tree: it stamps out the
// rules, form and test skeletons and registers the screen, names every step
// that README.md "Adding a screen" names, refuses to stamp a screen twice,
// and what it writes compiles warning-free with the flags the build uses
// (read from the build folder's compile_commands.json).

#include <QtTest>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString Source = QStringLiteral(VSM_SOURCE_DIR);
const QString Name = QStringLiteral("CubeTwoDigit");
const QString Method = QStringLiteral("cube-two-digit");

// The files a screen is registered in or still needs, as the script names
// them and as the README's "Adding a screen" names them.
const QStringList Steps = {
    QStringLiteral("src/shell/ScreenCatalogue.h"),
    QStringLiteral("src/shell/ScreenCatalogue.cpp"),
    QStringLiteral("src/app/ScreenFactories.cpp"),
    QStringLiteral("src/practice/PracticeMethods.cpp"),
    QStringLiteral("src/shell/Strings.h"),
    QStringLiteral("src/shell/Strings.cpp"),
    QStringLiteral("resources/help/VandrelsholmSpeedMath.hlp"),
    QStringLiteral("resources/man/vandrelsholm-worksheet.1"),
    QStringLiteral("tests/records/tst_MarksheetRules.cpp"),
    QStringLiteral("tests/app/tst_MainWindow.cpp"),
    QStringLiteral("tests/practice/tst_WorkedExamples.cpp"),
};

bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target))
            return false;
    }
    return true;
}

QByteArray digest(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                          : QByteArray();
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& args, const QString& folder = QString())
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    Run r;
    if (p.waitForFinished(240000) && p.exitStatus() == QProcess::NormalExit)
        r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The words of a command line as a POSIX shell splits it: blanks separate,
// double quotes group, a backslash keeps the next character as it is.
QStringList shellWords(const QString& line)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            word += line.at(++i);
            inWord = true;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

// The "Adding a screen" part of the README.
QString readmeSteps()
{
    QFile file(Source + QStringLiteral("/README.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("## Adding a screen"));
    return start < 0 ? QString() : text.mid(start, text.indexOf(QStringLiteral("\n## "), start + 1) - start);
}

} // namespace

class TestNewMethodScript : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = m_dir.path();
        for (const char* tree : {"/src", "/tests/support"})
            QVERIFY2(copyTree(Source + QLatin1String(tree), m_root + QLatin1String(tree)), tree);
        QVERIFY(QDir().mkpath(m_root + QStringLiteral("/tests/practice")));
        QVERIFY(QDir().mkpath(m_root + QStringLiteral("/scripts")));
        QVERIFY(QFile::copy(Source + QStringLiteral("/tests/practice/PracticeTestSupport.h"),
                            m_root + QStringLiteral("/tests/practice/PracticeTestSupport.h")));
        QVERIFY(QFile::copy(Source + QStringLiteral("/scripts/new-method.sh"),
                            m_root + QStringLiteral("/scripts/new-method.sh")));
    }

    void stamps_registers_and_names_every_step()
    {
        const Run r = run(QStringLiteral("bash"), {m_root + QStringLiteral("/scripts/new-method.sh"), QStringLiteral("--root"),
                                                   m_root, Name, Method, QStringLiteral("Cube 2-Digit"),
                                                   QStringLiteral("Cube 2-digit")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        for (const QString& file : {QStringLiteral("src/practice/CubeTwoDigitRules.h"),
                                    QStringLiteral("src/practice/CubeTwoDigitRules.cpp"),
                                    QStringLiteral("src/practice/PractiseCubeTwoDigit.h"),
                                    QStringLiteral("src/practice/PractiseCubeTwoDigit.cpp"),
                                    QStringLiteral("tests/practice/tst_CubeTwoDigitRules.cpp"),
                                    QStringLiteral("tests/practice/tst_PractiseCubeTwoDigit.cpp")}) {
            QVERIFY2(QFileInfo::exists(m_root + QLatin1Char('/') + file), qPrintable(file));
            QVERIFY2(r.out.contains(file), qPrintable(file));
        }
        // Every step the script names is one the README names, and the
        // files it names exist.
        const QString readme = readmeSteps();
        QVERIFY(!readme.isEmpty());
        for (const QString& step : Steps) {
            QVERIFY2(r.out.contains(step), qPrintable("the script does not name " + step));
            QVERIFY2(readme.contains(step), qPrintable("README.md does not name " + step));
            QVERIFY2(QFileInfo::exists(Source + QLatin1Char('/') + step), qPrintable(step));
        }
        QVERIFY(r.out.contains(QStringLiteral("help topic 640")));
        QVERIFY(r.out.contains(QStringLiteral("report row 21")));
    }

    void refuses_what_it_cannot_stamp()
    {
        const QString catalogue = m_root + QStringLiteral("/src/shell/ScreenCatalogue.cpp");
        const QByteArray before = digest(catalogue);
        const QString script = m_root + QStringLiteral("/scripts/new-method.sh");
        const QList<QStringList> refused = {
            {Name, Method, QStringLiteral("Cube"), QStringLiteral("Cube")},                // again
            {QStringLiteral("Other"), Method, QStringLiteral("Cube"), QStringLiteral("Cube")}, // the same method
            {QStringLiteral("cube"), QStringLiteral("cube"), QStringLiteral("Cube"), QStringLiteral("Cube")},
            {QStringLiteral("Cube"), QStringLiteral("Cube Two"), QStringLiteral("Cube"), QStringLiteral("Cube")},
            {QStringLiteral("Cube"), QStringLiteral("cube")},
        };
        for (const QStringList& args : refused) {
            const Run r = run(QStringLiteral("bash"), QStringList{script, QStringLiteral("--root"), m_root} + args);
            QVERIFY2(r.exitCode == 2, qPrintable(args.join(u' ')));
            QVERIFY2(!r.err.isEmpty(), qPrintable(args.join(u' ')));
        }
        QCOMPARE(digest(catalogue), before);
        QVERIFY(!QFileInfo::exists(m_root + QStringLiteral("/src/practice/OtherRules.h")));
    }

    // The stamped rules, form and tests and the catalogue with its new row
    // compile warning-free with the flags of the window tests (the widest
    // set: every Qt module, src/ and tests/support/). They are checked as
    // one translation unit, so the Qt headers are parsed once and not five
    // times over: about a third of the processor time of a compile per
    // file. Each file still stands whole; what one unit cannot see is a
    // header a later file forgets that an earlier one included, so the
    // rules file, which includes least, comes first and the window test,
    // which includes most, last.
    void the_stamped_files_compile()
    {
        QFile commands(QStringLiteral(VSM_BINARY_DIR "/compile_commands.json"));
        QVERIFY2(commands.open(QIODevice::ReadOnly), "the build folder has no compile_commands.json");
        const QString model = Source + QStringLiteral("/tests/practice/tst_PractiseSquare2Digit.cpp");
        QStringList command;
        for (const QJsonValue& entry : QJsonDocument::fromJson(commands.readAll()).array()) {
            const QJsonObject o = entry.toObject();
            if (o.value(QStringLiteral("file")).toString() == model)
                command = shellWords(o.value(QStringLiteral("command")).toString());
        }
        QVERIFY2(command.size() > 2, "no compile command for a window test");

        const QString mocDir = m_root + QStringLiteral("/moc");
        QVERIFY(QDir().mkpath(mocDir));
        const QString moc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/moc");
        for (const char* test : {"tst_CubeTwoDigitRules", "tst_PractiseCubeTwoDigit"}) {
            const Run r = run(moc, {m_root + QStringLiteral("/tests/practice/%1.cpp").arg(QLatin1String(test)),
                                    QStringLiteral("-o"), mocDir + QStringLiteral("/%1.moc").arg(QLatin1String(test))});
            QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        }
        // Two tests in one unit: the first one's main() takes another name.
        const QByteArray unit = QStringLiteral("#include \"%1/src/practice/CubeTwoDigitRules.cpp\"\n"
                                               "#define main stamped_rules_test_main\n"
                                               "#include \"%1/tests/practice/tst_CubeTwoDigitRules.cpp\"\n"
                                               "#undef main\n"
                                               "#include \"%1/src/shell/ScreenCatalogue.cpp\"\n"
                                               "#include \"%1/src/practice/PractiseCubeTwoDigit.cpp\"\n"
                                               "#include \"%1/tests/practice/tst_PractiseCubeTwoDigit.cpp\"\n")
                                    .arg(m_root)
                                    .toUtf8();
        const QString unitFile = m_root + QStringLiteral("/stamped_unit.cpp");
        QFile out(unitFile);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(unit) == unit.size());
        out.close();

        // The copy of the tree stands in for the sources; no object file.
        QStringList args;
        for (qsizetype i = 1; i < command.size(); ++i) {
            if (command.at(i) == QLatin1String("-o") || command.at(i) == QLatin1String("-c")) {
                ++i;
                continue;
            }
            args << QString(command.at(i)).replace(Source + QLatin1Char('/'), m_root + QLatin1Char('/'));
        }
        args << QStringLiteral("-I") + mocDir << QStringLiteral("-fsyntax-only") << unitFile;
        const Run r = run(command.constFirst(), args);
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
};

QTEST_GUILESS_MAIN(TestNewMethodScript)
#include "tst_NewMethodScript.moc"
