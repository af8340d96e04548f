#include "platform/IniFile.h"
#include "platform/FileSaver.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

namespace {
// Bytes of a literal that may hold NUL bytes.
template <qsizetype N>
QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}
} // namespace

class tst_IniFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name = QStringLiteral("Learner.ini")) const
    {
        return m_dir.filePath(name);
    }
    static void put(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    static QByteArray get(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private slots:
    void cleanup()
    {
        FileSaver::setFailureForTests({});
        QFile::remove(path());
    }

    void roundTripOfEveryKind()
    {
        const double sevenSeconds = 7.0 / 86400;
        {
            IniFile ini(path());
            QVERIFY(!ini.exists());
            ini.writeInteger("SpeedDivision", "Total", 1000);
            ini.writeInteger("SpeedDivision", "Offset", -42);
            ini.writeInteger("SpeedDivision", "Low", INT_MIN);
            ini.writeBool("PlaySounds", "IdleMusic", false);
            ini.writeBool("PlaySounds", "PracticeSounds", true);
            ini.writeTime("SpeedDivision", "Time42", sevenSeconds);
            ini.writeTime("SpeedDivision", "Time43", 0);
            ini.writeTime("SpeedDivision", "Time52", 1.0 / 3);
            ini.writeString("Notes", "Plain", "a = b; c");
            ini.writeString("Notes", "Padded", "  two blanks  ");
            ini.writeString("Notes", "Quoted", "\"quoted\"");
            ini.writeString("Notes", "Broken", "one\r\ntwo\nthree");
            QVERIFY2(ini.save(), qPrintable(ini.errorString()));
            QVERIFY(ini.exists());
        }
        QByteArray disk = get(path());
        QVERIFY(disk.startsWith("[SpeedDivision]\r\nTotal=1000\r\nOffset=-42\r\n"));
        QVERIFY(disk.contains("\r\nTime42=8.10185185185185E-5\r\nTime43=0\r\n"));
        QVERIFY(disk.contains("\r\nIdleMusic=0\r\nPracticeSounds=1\r\n"));
        QVERIFY(disk.contains("\r\nBroken=one  two three\r\n"));
        QVERIFY(disk.endsWith("\r\n"));
        disk.replace("\r\n", "");
        QVERIFY(!disk.contains('\n') && !disk.contains('\r'));

        const IniFile ini(path());
        QCOMPARE(ini.readInteger("SpeedDivision", "Total", 0), 1000);
        QCOMPARE(ini.readInteger("SpeedDivision", "Offset", 0), -42);
        QCOMPARE(ini.readInteger("SpeedDivision", "Low", 0), INT_MIN);
        QCOMPARE(ini.readBool("PlaySounds", "IdleMusic", true), false);
        QCOMPARE(ini.readBool("PlaySounds", "PracticeSounds", false), true);
        QVERIFY(qFuzzyCompare(ini.readTime("SpeedDivision", "Time42", 0), sevenSeconds));
        QCOMPARE(ini.readTime("SpeedDivision", "Time43", 5), 0.0);
        QVERIFY(qFuzzyCompare(ini.readTime("SpeedDivision", "Time52", 0), 1.0 / 3));
        QCOMPARE(ini.readString("Notes", "Plain"), QString("a = b; c"));
        QCOMPARE(ini.readString("Notes", "Padded"), QString("  two blanks  "));
        QCOMPARE(ini.readString("Notes", "Quoted"), QString("\"quoted\""));
        QCOMPARE(ini.sections(), QStringList({"SpeedDivision", "PlaySounds", "Notes"}));
    }

    void integerAndFlagForms_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");   // -999 = the default
        QTest::newRow("decimal") << QByteArray("  42\t") << 42;
        QTest::newRow("plus") << QByteArray("+7") << 7;
        QTest::newRow("dollar hex") << QByteArray("$1F") << 31;
        QTest::newRow("0x hex") << QByteArray("0Xff") << 255;
        QTest::newRow("negative hex") << QByteArray("-$10") << -16;
        QTest::newRow("int max") << QByteArray("2147483647") << INT_MAX;
        QTest::newRow("int min") << QByteArray("-2147483648") << INT_MIN;
        QTest::newRow("overflow") << QByteArray("2147483648") << -999;
        QTest::newRow("huge") << QByteArray("99999999999999999999999999") << -999;
        QTest::newRow("hex overflow") << QByteArray("$100000000") << -999;
        QTest::newRow("trailing text") << QByteArray("12abc") << -999;
        QTest::newRow("inner blank") << QByteArray("1 2") << -999;
        QTest::newRow("empty") << QByteArray("") << -999;
        QTest::newRow("sign only") << QByteArray("-") << -999;
        QTest::newRow("prefix only") << QByteArray("0x") << -999;
        QTest::newRow("fraction") << QByteArray("1.5") << -999;
        QTest::newRow("superscript two") << QByteArray("\xB2") << -999;
    }
    void integerAndFlagForms()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        put(path(), "[S]\r\nk=" + value + "\r\n");
        const IniFile ini(path());
        QCOMPARE(ini.readInteger("S", "k", -999), expected);
        QCOMPARE(ini.readBool("S", "k", true), expected == -999 || expected != 0);
        QCOMPARE(ini.readBool("S", "k", false), expected != -999 && expected != 0);
    }

    void timeForms_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("seven seconds") << 7.0 / 86400 << "8.10185185185185E-5";
        QTest::newRow("last fixed") << 0.0001 << "0.0001";
        QTest::newRow("first exponent") << 0.00001 << "1E-5";
        QTest::newRow("tiny") << 1.25e-300 << "1.25E-300";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("fifteen digits") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("large") << 1e20 << "1E20";
        QTest::newRow("negative") << -1.5 << "-1.5";
    }
    void timeForms()
    {
        QFETCH(double, days);
        QFETCH(QString, text);
        QCOMPARE(IniFile::formatTime(days), text);
    }

    void timeReading()
    {
        put(path(), "[T]\r\ncomma=1,5\r\nexp=8,1E-5\r\nlower=2.5e3\r\nlead=.25\r\n"
                    "nan=nan\r\ninf=inf\r\nbig=1e999\r\nword=abc\r\nempty=\r\ntwo=1.2.3\r\n"
                    "both=1.2,3\r\nhex=0x1p3\r\n");
        const IniFile ini(path());
        QCOMPARE(ini.readTime("T", "comma", -1), 1.5);
        QCOMPARE(ini.readTime("T", "exp", -1), 8.1e-5);
        QCOMPARE(ini.readTime("T", "lower", -1), 2500.0);
        QCOMPARE(ini.readTime("T", "lead", -1), 0.25);
        for (const char* bad : {"nan", "inf", "big", "word", "empty", "two", "both", "hex", "none"})
            QVERIFY2(ini.readTime("T", bad, -1) == -1, bad);
        QCOMPARE(IniFile::formatTime(qQNaN()), QString("0"));
    }

    void namesMatchRegardlessOfCaseFirstOneWins()
    {
        put(path(), "[gradeprefs]\r\n userlevel = 3 \r\nUSERLEVEL=4\r\nLowerAmber=60\r\n"
                    "[GRADEPREFS]\r\nUpperAmber=90\r\n[PlaySounds]\r\nIdleMusic=0\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readInteger(" GradePrefs ", "UserLevel", 1), 3);
        QVERIFY(!ini.valueExists("GradePrefs", "UpperAmber"));   // hidden in the second copy
        QCOMPARE(ini.sections(), QStringList({"gradeprefs", "PlaySounds"}));
        QCOMPARE(ini.keys("GRADEprefs"), QStringList({"userlevel", "LowerAmber"}));
        QVERIFY(ini.sectionExists("playsounds"));
        QVERIFY(!ini.sectionExists("Play"));

        ini.writeInteger("GRADEPREFS", "UserLevel", 2);
        ini.writeInteger("GradePrefs", "UpperAmber", 84);
        ini.writeInteger("GradePrefs", "a=b", 1);        // names that cannot be read back
        ini.writeInteger("Odd]", "k", 1);
        QVERIFY(ini.save());
        QCOMPARE(get(path()),
                 QByteArray("[gradeprefs]\r\nuserlevel=2\r\nUSERLEVEL=4\r\nLowerAmber=60\r\n"
                            "UpperAmber=84\r\n[GRADEPREFS]\r\nUpperAmber=90\r\n"
                            "[PlaySounds]\r\nIdleMusic=0\r\n"));

        ini.deleteKey("gradePrefs", "userLEVEL");       // both copies go
        QVERIFY(!ini.valueExists("GradePrefs", "UserLevel"));
        ini.eraseSection("GradePrefs");                   // every section of the name
        QVERIFY(!ini.sectionExists("GradePrefs"));
        QCOMPARE(ini.sections(), QStringList({"PlaySounds"}));
    }

    // Random files of repeated sections and keys in mixed letter case,
    // comments, garbage and blank lines, values rewritten shorter and longer
    // (over the old text and after it, with the text gathered anew once much
    // is left behind), and every count set to 0 at once: the saved file is
    // line for line what a plain list of lines gives.
    void rewritesMatchALineModel()
    {
        const QStringList headers = {"[Addition]", "[addition]", " [Halving] ", "[HALVING]x", "[Other]"};
        const QStringList names = {"Total", "total", " CORRECT ", "Correct", "Time1", "Option"};
        const QStringList values = {"5", "0", "00", "$0", "0x0", " 0 ", "lots", "", "-1", "123456", "\"q\""};
        const QStringList others = {"", "; comment", "garbage line", "   ", "Total", "=5"};
        const QStringList sectionNames = {"Addition", "Halving", "Other"};
        QRandomGenerator random(20240131);
        const auto pick = [&random](const QStringList& list) { return list.at(int(random.bounded(list.size()))); };
        const auto name = [](const QString& line) { return line.left(line.indexOf(u'=')).trimmed(); };
        const auto isHeader = [](const QString& line) { return line.trimmed().startsWith(u'['); };
        const auto isKey = [&](const QString& line) {
            return !isHeader(line) && line.indexOf(u'=') > 0 && !name(line).isEmpty() && !line.trimmed().startsWith(u';');
        };
        const auto sectionOf = [](const QString& header) { return header.trimmed().mid(1, header.trimmed().indexOf(u']') - 1); };
        for (int round = 0; round < 200; ++round) {
            QStringList lines;
            const int count = int(random.bounded(40));
            for (int i = 0; i < count; ++i) {
                const int kind = int(random.bounded(4));
                lines << (kind == 0 ? pick(headers) : kind == 1 ? pick(others) : pick(names) + u'=' + pick(values));
            }
            put(path(), (lines.join("\r\n") + "\r\n").toLatin1());
            IniFile ini(path());
            const bool longValues = round % 50 == 0;
            const int writes = longValues ? 4000 : int(random.bounded(30));
            for (int w = 0; w < writes; ++w) {
                // A key that the section's first copy has: its first line there.
                const QString section = pick(sectionNames);
                int line = -1;
                bool inside = false;
                for (int i = 0; i < lines.size() && !(inside && isHeader(lines.at(i))); ++i) {
                    inside = inside || (isHeader(lines.at(i)) && sectionOf(lines.at(i)).compare(section, Qt::CaseInsensitive) == 0);
                    if (inside && isKey(lines.at(i)) && line < 0 && name(lines.at(i)).compare("Option", Qt::CaseInsensitive) != 0)
                        line = i;
                }
                if (line < 0)
                    continue;
                const QString value = QString(int(random.bounded(longValues ? 600 : 12)), QChar(u'a' + int(random.bounded(26))));
                ini.writeString(section, name(lines.at(line)).toUpper(), value);
                if (lines.at(line).mid(lines.at(line).indexOf(u'=') + 1).trimmed() != value)
                    lines[line] = name(lines.at(line)) + u'=' + value;
            }
            int changed = 0;
            bool inSection = false;
            for (QString& line : lines) {
                inSection = inSection || isHeader(line);
                const QString key = name(line);
                const QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
                if (inSection && isKey(line) && (key.compare("Total", Qt::CaseInsensitive) == 0 || key.compare("Correct", Qt::CaseInsensitive) == 0)
                    && !QStringList({"0", "00", "$0", "0x0"}).contains(value)) {
                    line = key + "=0";
                    ++changed;
                }
            }
            QCOMPARE(ini.writeIntegerEverywhere({"Total", " correct "}, 0), changed);
            QVERIFY(ini.save());
            QCOMPARE(QString::fromLatin1(get(path())), lines.join("\r\n") + "\r\n");
        }
    }

    void missingThingsGiveDefaults()
    {
        const QString nowhere = m_dir.filePath("NoSuchFolder/Nobody.ini");
        IniFile none(nowhere);
        QVERIFY(!none.exists());
        QVERIFY(!none.readFailed());
        QCOMPARE(none.readInteger("GradePrefs", "UpperAmber", 74), 74);
        QCOMPARE(none.readString("Any", "Name", "dflt"), QString("dflt"));
        QVERIFY(none.sections().isEmpty());
        none.writeInteger("GradePrefs", "UserLevel", 1);
        QVERIFY(!none.save());                           // creates no folders
        QVERIFY(none.errorString().contains(nowhere));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("NoSuchFolder")));

        put(path(), "[GradePrefs]\r\nUserLevel=2\r\n");
        const IniFile ini(path());
        QVERIFY(ini.exists());
        QCOMPARE(ini.readBool("PlaySounds", "IdleMusic", true), true);
        QCOMPARE(ini.readTime("GradePrefs", "Time1", 0.0), 0.0);
        QVERIFY(ini.keys("PlaySounds").isEmpty());
    }

    // Garbage around a known key: reads give defaults, nothing crashes, and a
    // rewrite changes only the written key.
    void malformedFilesSurviveRewrite_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no equals") << QByteArray("just words\r\n[[odd\r\n=novalue\r\n")
                                   << QByteArray("more words without equals");
        QTest::newRow("binary") << bytes("\x01\x02\xFF\x81\x00\x00zz=\x00\x9D\r\n")
                                << bytes("\x00\x7F\x8F\x90junk");
        QTest::newRow("huge numbers") << QByteArray("[N]\r\nbig=1e400000\r\n")
                                      << QByteArray("[M]\r\nn=-99999999999999999999\r\n");
        QTest::newRow("1 MB line") << QByteArray(1 << 20, 'x') + "\r\n" << QByteArray(1 << 20, '=');
        QTest::newRow("comments") << QByteArray("\r\n") << QByteArray("; k=5\r\n\r\n");
    }
    void malformedFilesSurviveRewrite()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        put(path(), before + "[S]\r\nk=1\r\n" + after);
        IniFile ini(path());
        QVERIFY(!ini.readFailed());
        QCOMPARE(ini.readInteger("S", "k", 0), 1);
        QCOMPARE(ini.readInteger("N", "big", -1), -1);
        QCOMPARE(ini.readInteger("M", "n", -1), -1);
        QCOMPARE(ini.readString("S", "zz", "d"), QString("d"));
        QCOMPARE(ini.keys("S"), QStringList({"k"}));
        ini.writeInteger("S", "k", 2);
        QVERIFY(ini.save());
        QCOMPARE(get(path()), before + "[S]\r\nk=2\r\n" + after);
    }

    void garbageOnlyOrEmptyFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only garbage") << bytes("\x00\xFF[\x01\r\n]]==\r\n\x7F");
    }
    void garbageOnlyOrEmptyFile()
    {
        QFETCH(QByteArray, content);
        put(path(), content);
        IniFile ini(path());
        QVERIFY(ini.exists());
        QVERIFY(ini.sections().isEmpty());
        ini.writeInteger("S", "k", 2);
        QVERIFY(ini.save());
        const QByteArray separator = content.isEmpty() ? "" : "\r\n";
        QCOMPARE(get(path()), content + separator + "[S]\r\nk=2\r\n");
    }

    void otherLineEndsAreRead()
    {
        put(path(), "[A]\nx=1\ny=2\r[B]\rz=3");
        IniFile ini(path());
        QCOMPARE(ini.readInteger("A", "y", 0), 2);
        QCOMPARE(ini.readInteger("B", "z", 0), 3);
        ini.writeInteger("A", "w", 4);
        QVERIFY(ini.save());
        QCOMPARE(get(path()), QByteArray("[A]\r\nx=1\r\ny=2\r\nw=4\r\n[B]\r\nz=3"));
    }

    // A new key goes after the last line of its section that is not blank,
    // whatever stands between (comments, garbage, other line ends).
    void newKeysGoBeforeTrailingBlankLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("blank lines") << QByteArray("[S]\r\nk=1\r\n\r\n \t\r\n[T]\r\n")
                                     << QByteArray("[S]\r\nk=1\r\nn=2\r\n\r\n \t\r\n[T]\r\n");
        QTest::newRow("garbage, then blank lines") << QByteArray("[S]\nk=1\ngarbage\n; note\n\n\n[T]")
                                                   << QByteArray("[S]\r\nk=1\r\ngarbage\r\n; note\r\nn=2\r\n\r\n\r\n[T]");
        QTest::newRow("blank lines between garbage") << QByteArray("[S]\r\n\r\nx\r\r\ny\r\n\r\n")
                                                     << QByteArray("[S]\r\n\r\nx\r\n\r\ny\r\nn=2\r\n\r\n");
        QTest::newRow("only blank lines") << QByteArray("[S]\r\n\r\n\r\n") << QByteArray("[S]\r\nn=2\r\n\r\n\r\n");
        QTest::newRow("no line end at the end") << QByteArray("[S]\r\nx") << QByteArray("[S]\r\nx\r\nn=2\r\n");
    }
    void newKeysGoBeforeTrailingBlankLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        put(path(), before);
        IniFile ini(path());
        ini.writeInteger("S", "n", 2);
        QVERIFY(ini.save());
        QCOMPARE(get(path()), after);
    }

    void windows1252RoundTrip()
    {
        const QString name = QString::fromUtf8("Zoë Élodie Ñúñez – €5 ½");
        {
            IniFile ini(path());
            ini.writeString("User", "Name", name);
            ini.writeString("User", "Greek", QString::fromUtf8("αβ"));
            QVERIFY(ini.save());
        }
        QCOMPARE(get(path()), QByteArray("[User]\r\nName=Zo\xEB \xC9lodie \xD1\xFA\xF1" "ez \x96 \x80"
                                         "5 \xBD\r\nGreek=??\r\n"));
        QCOMPARE(IniFile(path()).readString("User", "Name"), name);
    }

    void interruptedSaveLeavesOldFile()
    {
        const QByteArray old("[SpeedDivision]\r\nTotal=5\r\n");
        put(path(), old);
        IniFile ini(path());
        ini.writeInteger("SpeedDivision", "Total", 6);
        bool called = false;
        FileSaver::setFailureForTests([&](const QString&) { called = true; return QStringLiteral("interrupted"); });
        QVERIFY(!ini.save());
        QVERIFY(called);
        QVERIFY(ini.errorString().contains(path()));
        QCOMPARE(get(path()), old);
        QCOMPARE(QDir(m_dir.path()).entryList({"Learner.ini*"}, QDir::Files | QDir::Hidden),
                 QStringList({"Learner.ini"}));   // no new file left behind

        FileSaver::setFailureForTests([](const QString&) { return QString(); });
        QVERIFY(ini.save());
        QCOMPARE(IniFile(path()).readInteger("SpeedDivision", "Total", 0), 6);
    }

    void unknownSectionsAndKeysStayInPlace()
    {
        const QByteArray original =
            "; settings of one learner\r\n"
            "[Addition]\r\nTotal=3\r\nFuture=keep me\r\nCorrect = 2\r\n\r\n"
            "[SomeOtherScreen]\r\nWhatever=1\r\n\r\n\r\n"
            "[SpeedAddition]\r\nOption=1\r\n\r\n";
        put(path(), original);
        IniFile ini(path());
        ini.writeInteger("Addition", "Total", 4);
        ini.writeInteger("Addition", "Correct", 2);   // unchanged value
        ini.writeTime("SpeedAddition", "Time1", 0.5);
        ini.writeInteger("Addition", "Option", 2);
        ini.writeInteger("Keyboard", "Total", 0);
        QVERIFY(ini.save());
        QCOMPARE(get(path()), QByteArray(
            "; settings of one learner\r\n"
            "[Addition]\r\nTotal=4\r\nFuture=keep me\r\nCorrect = 2\r\nOption=2\r\n\r\n"
            "[SomeOtherScreen]\r\nWhatever=1\r\n\r\n\r\n"
            "[SpeedAddition]\r\nOption=1\r\nTime1=0.5\r\n\r\n"
            "[Keyboard]\r\nTotal=0\r\n"));
        QCOMPARE(ini.keys("Addition"), QStringList({"Total", "Future", "Correct", "Option"}));
    }

    void unreadableFileIsNeverOverwritten()
    {
        // A folder in place of the file.
        QVERIFY(QDir(m_dir.path()).mkdir("Folder.ini"));
        IniFile folder(path("Folder.ini"));
        QVERIFY(folder.exists());
        QVERIFY(folder.readFailed());
        QVERIFY(folder.errorString().contains(path("Folder.ini")));
        folder.writeInteger("S", "k", 1);
        QVERIFY(!folder.save());
        QVERIFY(folder.errorString().contains(path("Folder.ini")));
        QVERIFY(QFileInfo(path("Folder.ini")).isDir());

        // A file over the size limit.
        {
            QFile big(path("Big.ini"));
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.write("[S]\r\nk=5\r\n") > 0);
            QVERIFY(big.resize(IniFile::kMaxFileSize + 1));
        }
        IniFile huge(path("Big.ini"));
        QVERIFY(huge.readFailed());
        QVERIFY(huge.errorString().contains(path("Big.ini")));
        QCOMPARE(huge.readInteger("S", "k", 0), 0);
        QVERIFY(!huge.save());
        QCOMPARE(QFileInfo(path("Big.ini")).size(), IniFile::kMaxFileSize + 1);
    }

    void saveIntoImpossibleFolderFails()
    {
        put(path("Plain.txt"), "not a folder");
        const QString inside = path("Plain.txt") + "/Learner.ini";
        IniFile ini(inside);
        QVERIFY(!ini.exists());
        ini.writeInteger("S", "k", 1);
        QVERIFY(!ini.save());
        QVERIFY(ini.errorString().contains(inside));
        QVERIFY(!ini.exists());
        QCOMPARE(get(path("Plain.txt")), QByteArray("not a folder"));
    }
};

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
