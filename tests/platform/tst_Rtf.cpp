#include "platform/Rtf.h"

#include "DocumentLooks.h"
#include "RtfSamples.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

QString dataFile(const QString& name)
{
    return QStringLiteral(VSM_SOURCE_DIR "/tests/platform/data/") + name;
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void marksheetSurvivesRoundTrip();
    void writerEscapesText_data();
    void writerEscapesText();
    void readerKnowsEveryConstruct();
    void readerKeepsGroupFormatting();
    void readerRefusesAndKeepsDocument_data();
    void readerRefusesAndKeepsDocument();
    void readerBoundsTheLayoutWork_data();
    void readerBoundsTheLayoutWork();
    void readerJoinsRunsOfOneLook();
    void readsWhatLibreOfficeWrites();
    void savesAndLoadsFiles();
    void saveIntoMissingFolderLeavesNothing();
    void loadReportsUnreadableFiles();
    void printsToPdf();
    void printFailureIsReported();
};

void TestRtf::marksheetSurvivesRoundTrip()
{
    QTextDocument original;
    RtfSamples::buildMarksheet(&original);
    const QByteArray rtf = Rtf::write(original);

    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.contains("\\froman\\fcharset0 Times New Roman;"));
    QVERIFY(rtf.contains("\\fmodern\\fcharset0 Courier New;"));
    QVERIFY(rtf.contains("Zo\\'eb \\'c5ngstr\\'f6m"));
    QVERIFY(rtf.contains("2024 \\'97 Saturday"));
    QVERIFY(rtf.contains("\\qc"));
    QVERIFY(rtf.contains("\\fs40\\b "));
    for (char c : rtf)
        QVERIFY2(uchar(c) < 0x80, "RTF is 7-bit text");

    QTextDocument back;
    back.setDefaultFont(original.defaultFont());   // as the viewer's box has
    QString error;
    QVERIFY2(Rtf::read(rtf, &back, &error), qPrintable(error));
    const QList<ParagraphLook> want = looks(original);
    const QList<ParagraphLook> got = looks(back);
    QCOMPARE(got.size(), want.size());
    for (qsizetype i = 0; i < want.size(); ++i)
        QCOMPARE(got[i], want[i]);
    // The rows keep their 69 characters, blanks included.
    QCOMPARE(got[11].text, RtfSamples::row(QStringLiteral("ADDITION"), 37, 50));
    QCOMPARE(got[11].text.size(), 69);
    QCOMPARE(got[11].text, QStringLiteral("ADDITION") + QString(36, u'.') + QString(8, u' ') + "37"
                               + QString(8, u' ') + "50" + QString(3, u' ') + "74");
    // Writing what was read gives the same bytes again.
    QCOMPARE(Rtf::write(back), rtf);
}

void TestRtf::writerEscapesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("braces and backslash") << QStringLiteral("a{b}c\\d") << QByteArray("a\\{b\\}c\\\\d");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
    QTest::newRow("line break") << QStringLiteral("a\u2028b") << QByteArray("a\\line b");
    QTest::newRow("code page") << QStringLiteral("5 € × ÷ ²") << QByteArray("5 \\'80 \\'d7 \\'f7 \\'b2");
    QTest::newRow("outside code page") << QStringLiteral("Ωx") << QByteArray("\\u937?x");
    QTest::newRow("upper half as negative") << QStringLiteral("\uD55C") << QByteArray("\\u-10916?");
    QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600") << QByteArray("\\u-10179?\\u-8704?");
    QTest::newRow("digits after control word") << QStringLiteral("7") << QByteArray("\\b0 7");
    QTest::newRow("leading blank") << QStringLiteral("  x") << QByteArray("\\b0   x");
}

void TestRtf::writerEscapesText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, rtf);
    // A bold paragraph followed by a regular one, so that the text under test
    // comes right after a control word.
    QTextDocument doc;
    RtfSamples::ParagraphWriter w(&doc);
    w.set(Qt::AlignLeft, RtfSamples::font(QStringLiteral("Arial"), 12, true));
    w.add(QStringLiteral("B"));
    w.set(Qt::AlignLeft, RtfSamples::font(QStringLiteral("Arial"), 12, false));
    w.add(text);
    const QByteArray written = Rtf::write(doc);
    QVERIFY2(written.contains(rtf), written.constData());

    QTextDocument back;
    QString error;
    QVERIFY2(Rtf::read(written, &back, &error), qPrintable(error));
    QCOMPARE(back.blockCount(), 2);
    QCOMPARE(back.lastBlock().text(), text);
}

void TestRtf::readerKnowsEveryConstruct()
{
    QTextDocument doc;
    QString error;
    QVERIFY2(Rtf::read(RtfSamples::handMade(), &doc, &error), qPrintable(error));
    const QList<ParagraphLook> p = looks(doc);
    QCOMPARE(p.size(), 6);

    const QString times = QStringLiteral("Times New Roman");
    const QString courier = QStringLiteral("Courier New");
    QCOMPARE(p[0], (ParagraphLook{"Heading slanted", Qt::AlignHCenter, "Arial", 20, true}));
    // \plain gives the default font.
    QCOMPARE(p[1], (ParagraphLook{"plain bold both back", Qt::AlignLeft, times, 12, false}));
    QCOMPARE(p[2], (ParagraphLook{"a\tb\u2028c", Qt::AlignRight, courier, 10, false}));
    QCOMPARE(p[3], (ParagraphLook{"café € Ω! ——–•‘’“”\u00A0\u00AD\u2011{}\\", Qt::AlignJustify, courier, 10, false}));
    QCOMPARE(p[4].text, QString());   // pictures, unknown destinations and binary data show nothing
    QCOMPARE(p[5].text, QStringLiteral("last"));
    // No hidden text came through.
    const QString all = doc.toPlainText();
    for (const char* hidden : {"Hidden", "Normal", "Some Writer", "Liberation", "0123", "unknown", "par", "trailing"})
        QVERIFY2(!all.contains(QLatin1String(hidden)), hidden);
    // The style hint of the font class goes with the family.
    QCOMPARE(firstFormat(doc.findBlockByNumber(2)).fontStyleHint(), QFont::TypeWriter);
}

void TestRtf::readerKeepsGroupFormatting()
{
    QTextDocument doc;
    QString error;
    QVERIFY2(Rtf::read(RtfSamples::handMade(), &doc, &error), qPrintable(error));

    // "Heading" bold, " " plain, "slanted" italic only.
    const QList<QTextCharFormat> h = formatsOf(doc.findBlockByNumber(0));
    QCOMPARE(h.size(), 15);
    QVERIFY(h[0].fontWeight() == QFont::Bold && !h[0].fontItalic());
    QVERIFY(h[7].fontWeight() == QFont::Normal && !h[7].fontItalic());
    QVERIFY(h[8].fontWeight() == QFont::Normal && h[8].fontItalic());

    // "plain {\b bold {\ul both}} back": groups restore what they changed.
    const QList<QTextCharFormat> g = formatsOf(doc.findBlockByNumber(1));
    const QString text = doc.findBlockByNumber(1).text();
    const auto at = [&](const QString& word) { return g[text.indexOf(word)]; };
    QVERIFY(at("plain").fontWeight() == QFont::Normal && !at("plain").fontUnderline());
    QVERIFY(at("bold").fontWeight() == QFont::Bold && !at("bold").fontUnderline());
    QVERIFY(at("both").fontWeight() == QFont::Bold && at("both").fontUnderline());
    QVERIFY(at("back").fontWeight() == QFont::Normal && !at("back").fontUnderline());

    // Size and font last longer than a paragraph; \pard resets only alignment.
    QTextDocument doc2;
    QVERIFY(Rtf::read("{\\rtf1{\\fonttbl{\\f3 Arial;}}\\qc\\f3\\fs30 one\\par\\pard two\\par{\\fs99999999999999999999 big}}",
                      &doc2, &error));
    QCOMPARE(doc2.blockCount(), 3);
    QCOMPARE(doc2.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(firstFormat(doc2.findBlockByNumber(1)).fontPointSize(), 15.0);
    QCOMPARE(firstFormat(doc2.findBlockByNumber(1)).fontFamilies().toStringList(), QStringList{"Arial"});
    QCOMPARE(firstFormat(doc2.findBlockByNumber(2)).fontPointSize(), 1638.0);   // held at RTF's largest size
}

void TestRtf::readerRefusesAndKeepsDocument_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "not in Rich Text Format";
    QTest::newRow("plain text") << QByteArray("Vandrelsholm") << "not in Rich Text Format";
    QTest::newRow("no brace") << QByteArray("\\rtf1 x}") << "not in Rich Text Format";
    QTest::newRow("truncated") << QByteArray("{\\rtf1 abc\\par de") << "ends before";
    QTest::newRow("lone backslash") << QByteArray("{\\rtf1 abc\\") << "ends before";
    QTest::newRow("binary past the end") << QByteArray("{\\rtf1 \\bin99999999999 abc}") << "ends before";
    QTest::newRow("101 groups") << QByteArray("{\\rtf1 ") + QByteArray(100, '{') + QByteArray(101, '}')
                                << "nested too deeply";
    QTest::newRow("long control word") << QByteArray("{\\rtf1 \\") + QByteArray(33, 'a') + "}"
                                       << "longer than 32 letters";
    QTest::newRow("too much text") << QByteArray("{\\rtf1 ") + (QByteArray(10000, 'x') + "\\par ").repeated(105) + "}"
                                   << "more than 1048576 characters";
    QTest::newRow("too many paragraphs") << QByteArray("{\\rtf1 ") + QByteArray("\\fs2\\par").repeated(Rtf::MaxParagraphs + 1) + "}"
                                         << "more than 20000 paragraphs";
    QTest::newRow("too tall") << QByteArray("{\\rtf1 ") + QByteArray("\\fs3276 x\\line").repeated(600) + "}"
                              << "too tall to show";
    QByteArray huge = QByteArray("{\\rtf1 ") + QByteArray(Rtf::MaxInputBytes, ' ') + "}";
    QTest::newRow("too large") << huge << "too large";
}

void TestRtf::readerRefusesAndKeepsDocument()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("keep me"));
    QString error;
    QVERIFY(!Rtf::read(input, &doc, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(doc.toPlainText(), QStringLiteral("keep me"));
}

void TestRtf::readerBoundsTheLayoutWork_data()
{
    // The file at the bound, one past it, and the message of the second.
    QTest::addColumn<QByteArray>("atBound");
    QTest::addColumn<QByteArray>("pastBound");
    QTest::addColumn<QString>("message");
    const auto fonts = [](int count) {
        QByteArray table = "{\\rtf1{\\fonttbl";
        QByteArray text;
        for (int i = 0; i < count; ++i) {
            table += "{\\f" + QByteArray::number(i) + " Family " + QByteArray::number(i) + ";}";
            text += "{\\f" + QByteArray::number(i) + " x}";
        }
        return table + "}" + text + "}";
    };
    QTest::newRow("fonts") << fonts(Rtf::MaxFonts) << fonts(Rtf::MaxFonts + 1) << "uses more than 100 fonts";
    const auto sizes = [](int count) {
        QByteArray text = "{\\rtf1 ";
        for (int i = 0; i < count; ++i)
            text += "\\fs" + QByteArray::number(2 + i) + " x";
        return text + "}";
    };
    QTest::newRow("formats") << sizes(Rtf::MaxCharFormats) << sizes(Rtf::MaxCharFormats + 1)
                             << "uses more than 200 different character formats";
    // 1000 runs a paragraph; the paragraph after them starts one more.
    const QByteArray runs = "{\\rtf1 " + (QByteArray("\\b a\\b0 b").repeated(500) + "\\par ").repeated(Rtf::MaxFormatRuns / 1000);
    QTest::newRow("runs") << runs + "}" << runs + "z}" << "changes its character formatting more than 50000 times";
    const QByteArray paragraph = "{\\rtf1 " + QByteArray(Rtf::MaxParagraphLength, 'x');
    QTest::newRow("paragraph") << paragraph + "}" << paragraph + "y}" << "a paragraph of more than 20000 characters";
}

void TestRtf::readerBoundsTheLayoutWork()
{
    QFETCH(QByteArray, atBound);
    QFETCH(QByteArray, pastBound);
    QFETCH(QString, message);
    QTextDocument doc;
    QString error;
    QVERIFY2(Rtf::read(atBound, &doc, &error), qPrintable(error));
    // What was read is all there, and written and read again is the same.
    const QString text = doc.toPlainText();
    QVERIFY(text.size() >= 100);
    QTextDocument again;
    QVERIFY2(Rtf::read(Rtf::write(doc), &again, &error), qPrintable(error));
    QCOMPARE(again.toPlainText(), text);

    QVERIFY(!Rtf::read(pastBound, &doc, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(doc.toPlainText(), text);
}

void TestRtf::readerJoinsRunsOfOneLook()
{
    // Two entries of one family, and a change back and forth: one run.
    QTextDocument doc;
    QString error;
    QVERIFY2(Rtf::read("{\\rtf1{\\fonttbl{\\f1 Arial;}{\\f2 Arial;}}{\\f1 a}{\\f2 b}{\\f1\\b\\b0 c}\\f2 d}", &doc, &error),
             qPrintable(error));
    QCOMPARE(doc.toPlainText(), QStringLiteral("abcd"));
    int fragments = 0;
    for (QTextBlock::iterator it = doc.begin().begin(); !it.atEnd(); ++it)
        ++fragments;
    QCOMPARE(fragments, 1);
    QCOMPARE(firstFormat(doc.begin()).fontFamilies().toStringList(), QStringList{"Arial"});
}

void TestRtf::readsWhatLibreOfficeWrites()
{
    QTextDocument doc;
    QString error;
    QVERIFY2(Rtf::load(dataFile(QStringLiteral("wordprocessor-marks.rtf")), &doc, &error), qPrintable(error));
    const QList<ParagraphLook> p = looks(doc);
    QCOMPARE(p.size(), 7);

    const QString times = QStringLiteral("Times New Roman");
    const QString courier = QStringLiteral("Courier New");
    QCOMPARE(p[0], (ParagraphLook{"Harbour Lane Reckoning Club", Qt::AlignHCenter, times, 20, true}));
    QCOMPARE(p[1], (ParagraphLook{"Marks for Zoë Ångström — Spring term", Qt::AlignHCenter, times, 12, false}));
    QCOMPARE(p[2], (ParagraphLook{"", Qt::AlignHCenter, times, 12, false}));
    const QString heading = QStringLiteral("Exercise") + QString(41, u' ') + "Right" + QString(5, u' ') + "Tried"
                            + QString(4, u' ') + "%";
    QCOMPARE(p[3], (ParagraphLook{heading, Qt::AlignLeft, courier, 10, true}));
    const QString row = QStringLiteral("COLUMN SUMS") + QString(33, u'.') + QString(8, u' ') + "12"
                        + QString(8, u' ') + "16" + QString(3, u' ') + "75";
    QCOMPARE(p[4], (ParagraphLook{row, Qt::AlignLeft, courier, 10, false}));
    QCOMPARE(row.size(), 69);
    QCOMPARE(p[5], (ParagraphLook{"Price: 5 € {brackets} back\\slash “quoted”", Qt::AlignLeft, courier, 10, false}));
    QCOMPARE(p[6], (ParagraphLook{"signed\tMs Ørsted\u2028Harbour Lane", Qt::AlignRight, times, 12, false, true}));
    const QList<QTextCharFormat> last = formatsOf(doc.findBlockByNumber(6));
    QVERIFY(!last.first().fontUnderline());
    QVERIFY(last.last().fontUnderline());

    // Nothing of the style sheet, font table or page set-up shows.
    QVERIFY(!doc.toPlainText().contains(QLatin1String("Normal")));
    QVERIFY(!doc.toPlainText().contains(QLatin1String("Default Page Style")));
}

void TestRtf::savesAndLoadsFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Vandrelsholm Zoë.rtf"));
    QTextDocument original;
    RtfSamples::buildMarksheet(&original);
    QString error;
    QVERIFY2(Rtf::save(original, path, &error), qPrintable(error));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Rtf::write(original));
    file.close();

    QTextDocument back;
    QVERIFY2(Rtf::load(path, &back, &error), qPrintable(error));
    QCOMPARE(back.toPlainText(), original.toPlainText());

    // Saving again replaces the file whole.
    QTextDocument small;
    small.setPlainText(QStringLiteral("short"));
    QVERIFY2(Rtf::save(small, path, &error), qPrintable(error));
    QVERIFY2(Rtf::load(path, &back, &error), qPrintable(error));
    QCOMPARE(back.toPlainText(), QStringLiteral("short"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Vandrelsholm Zoë.rtf"});
}

void TestRtf::saveIntoMissingFolderLeavesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/report.rtf"));
    QTextDocument doc;
    RtfSamples::buildMarksheet(&doc);
    QString error;
    QVERIFY(!Rtf::save(doc, path, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY2(error.size() > path.size() + 20, qPrintable(error));   // says why, too
    QVERIFY(!QFile::exists(path));
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    // A folder where the file should be is refused too, and stays a folder.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.rtf")));
    QVERIFY(!Rtf::save(doc, dir.filePath(QStringLiteral("taken.rtf")), &error));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken.rtf"))).isDir());
}

void TestRtf::loadReportsUnreadableFiles()
{
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("keep me"));
    QString error;

    const QString missing = dir.filePath(QStringLiteral("none.rtf"));
    QVERIFY(!Rtf::load(missing, &doc, &error));
    QVERIFY2(error.contains(missing), qPrintable(error));

    QVERIFY(!Rtf::load(dir.path(), &doc, &error));
    QVERIFY2(error.contains(dir.path()), qPrintable(error));

    const QString garbage = dir.filePath(QStringLiteral("garbage.rtf"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("PK\x03\x04 not rich text");
    file.close();
    QVERIFY(!Rtf::load(garbage, &doc, &error));
    QVERIFY2(error.contains(garbage) && error.contains(QLatin1String("not in Rich Text Format")),
             qPrintable(error));

    const QString cut = dir.filePath(QStringLiteral("cut.rtf"));
    QTextDocument marksheet;
    RtfSamples::buildMarksheet(&marksheet);
    QVERIFY(Rtf::save(marksheet, cut, &error));
    QVERIFY(QFile::resize(cut, QFileInfo(cut).size() / 2));
    QVERIFY(!Rtf::load(cut, &doc, &error));
    QVERIFY2(error.contains(QLatin1String("ends before")), qPrintable(error));

    QCOMPARE(doc.toPlainText(), QStringLiteral("keep me"));
}

void TestRtf::printsToPdf()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("marks.pdf"));
    QTextDocument doc;
    RtfSamples::buildMarksheet(&doc);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QString error;
    const QString title = QStringLiteral("Vandrelsholm Speed Math SCORES Zoë Ångström");
    QVERIFY2(Rtf::print(doc, &printer, title, &error), qPrintable(error));
    QCOMPARE(printer.docName(), title);
    QVERIFY(QFileInfo(pdf).size() > 0);

    const QString text = pdfText(pdf);
    if (text.isNull())
        QSKIP("pdftotext is not installed");
    QVERIFY2(text.contains(QLatin1String("Vandrelsholm Speed Math")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Zoë Ångström")), qPrintable(text));
    QVERIFY2(text.contains(RtfSamples::row(QStringLiteral("ADDITION"), 37, 50)), qPrintable(text));
    QVERIFY2(text.contains(RtfSamples::row(QStringLiteral("TWO-FINGER METHOD SPEED MULTIPLICATION"), 12, 40)),
             qPrintable(text));
    QVERIFY2(text.contains(QString(69, u'_')), qPrintable(text));

    QProcess info;
    info.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf});
    if (info.waitForFinished(60000))
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(title));
}

void TestRtf::printFailureIsReported()
{
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("x"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("missing/marks.pdf")));
    QString error;
    QVERIFY(!Rtf::print(doc, &printer, QStringLiteral("job"), &error));
    QVERIFY2(error.contains(QLatin1String("missing/marks.pdf")), qPrintable(error));
}

QTEST_MAIN(TestRtf)
#include "tst_Rtf.moc"
