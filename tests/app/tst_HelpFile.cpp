#include "app/HelpFile.h"
#include "records/ProgressHelp.h"
#include "shell/ScreenCatalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray Sample = R"(VSMHELP 1
# a comment
title: Sample Help
contents: 1
window: EHowTo 520 600 How To...

[topic 1 Contents]
title: Sample Contents
Pick one:
[end]

[topic 300 GettingStarted]
title: Getting Started
keywords: first steps, sign in
Press **PLAY** & <then> see [[ScreenHelp_Basics|the basics]] or [[300]].
# a comment inside a topic

* one
* two
  continued
1. first
2. second

```
  6 3 2 <b>
```
Use `**not bold**` here.

\* not a list
[end]

[topic 420 ScreenHelp_Basics]
title: Using the Basics screens
Think; press SPACE.
[end]

[popup 10160]
Play: starts. **ENTER**.
[end]

[contents]
== First steps
420
GettingStarted
[end]
)";

std::shared_ptr<const HelpFile> parseOk(const QByteArray& text)
{
    QString error;
    auto file = HelpFile::parse(text, &error);
    if (!file)
        qWarning() << "unexpected parse error:" << error;
    return file;
}

QString readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

class tst_HelpFile : public QObject
{
    Q_OBJECT

private slots:
    void parsesTopicsPopupsJumpIdsAndContents();
    void convertsMarkupSafely();
    void contentsDefaultToFileOrder();
    void rejectsMalformedFiles_data();
    void rejectsMalformedFiles();
    void loadReportsWhatIsWrongWithTheFile();
    void shippedMainFileHoldsEveryContextNumber();
    void shippedHistoryFileOpensAtItsContents();
};

void tst_HelpFile::parsesTopicsPopupsJumpIdsAndContents()
{
    auto file = parseOk(Sample);
    QVERIFY(file);
    QCOMPARE(file->title(), QStringLiteral("Sample Help"));
    QCOMPARE(file->contentsTopic(), std::optional<int>(1));
    QCOMPARE(file->topics().size(), 3);

    const HelpFile::Topic* started = file->topic(300);
    QVERIFY(started);
    QCOMPARE(started->title, QStringLiteral("Getting Started"));
    QCOMPARE(started->jumpId, QStringLiteral("GettingStarted"));
    QCOMPARE(started->keywords, QStringList({"first steps", "sign in"}));
    QVERIFY(!started->body.contains(QStringLiteral("a comment")));

    // Jump identifiers are found regardless of case; numbers are not ids.
    QCOMPARE(file->topicByJumpId(QStringLiteral("screenhelp_basics")), file->topic(420));
    QCOMPARE(file->resolve(QStringLiteral("420")), file->topic(420));
    QVERIFY(!file->topicByJumpId(QStringLiteral("Nowhere")));
    QVERIFY(!file->topic(10160)); // a pop-up, not a topic

    const HelpFile::Popup* popup = file->popup(10160);
    QVERIFY(popup);
    QCOMPARE(popup->text, QStringLiteral("Play: starts. **ENTER**."));
    QCOMPARE(*file->popupHtml(10160), QStringLiteral("<p>Play: starts. <b>ENTER</b>.</p>\n"));
    // A topic number asked as a pop-up gives the topic's title and text.
    QVERIFY(file->popupHtml(420)->contains(QStringLiteral("<b>Using the Basics screens</b>")));
    QVERIFY(!file->popupHtml(999));

    const QList<HelpFile::ContentsEntry> contents = file->contents();
    QCOMPARE(contents.size(), 3);
    QCOMPARE(contents[0].heading, QStringLiteral("First steps"));
    QCOMPARE(contents[1].topic, 420);
    QCOMPARE(contents[2].topic, 300);

    const HelpFile::SecondaryWindow* window = file->secondaryWindow(QStringLiteral("ehowto"));
    QVERIFY(window);
    QCOMPARE(window->size, QSize(520, 600));
    QCOMPARE(window->caption, QStringLiteral("How To..."));
    QVERIFY(!file->secondaryWindow(QStringLiteral("EStart")));
}

void tst_HelpFile::convertsMarkupSafely()
{
    auto file = parseOk(Sample);
    QVERIFY(file);
    const QString html = file->topicHtml(*file->topic(300));
    QVERIFY2(html.contains(QStringLiteral("<p>Press <b>PLAY</b> &amp; &lt;then&gt; see "
                                          "<a href=\"topic:420\">the basics</a> or "
                                          "<a href=\"topic:300\">Getting Started</a>.</p>")),
             qPrintable(html));
    QVERIFY(html.contains(QStringLiteral("<ul>\n<li>one</li>\n<li>two continued</li>\n</ul>")));
    QVERIFY(html.contains(QStringLiteral("<ol>\n<li>first</li>\n<li>second</li>\n</ol>")));
    QVERIFY(html.contains(QStringLiteral("<pre>  6 3 2 &lt;b&gt;</pre>")));
    QVERIFY(html.contains(QStringLiteral("<code>**not bold**</code>")));
    QVERIFY(html.contains(QStringLiteral("<p>* not a list</p>")));
    QVERIFY(!html.contains(QStringLiteral("<b>not bold")));

    // The contents topic ends with the contents list, headings and links.
    const QString contents = file->topicHtml(*file->topic(1));
    QVERIFY2(contents.endsWith(QStringLiteral(
                 "<h3>First steps</h3>\n<ul>\n"
                 "<li><a href=\"topic:420\">Using the Basics screens</a></li>\n"
                 "<li><a href=\"topic:300\">Getting Started</a></li>\n</ul>\n")),
             qPrintable(contents));
}

void tst_HelpFile::contentsDefaultToFileOrder()
{
    auto file = parseOk("VSMHELP 1\ncontents: 2\n[topic 5]\ntitle: Five\n[end]\n"
                        "[topic 2]\ntitle: Two\n[end]\n[topic 3]\ntitle: Three\n[end]\n");
    QVERIFY(file);
    QCOMPARE(file->title(), QStringLiteral("Help"));
    const QList<HelpFile::ContentsEntry> contents = file->contents();
    QCOMPARE(contents.size(), 2); // the contents topic does not list itself
    QCOMPARE(contents[0].topic, 5);
    QCOMPARE(contents[1].topic, 3);
}

void tst_HelpFile::rejectsMalformedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QByteArray head = "VSMHELP 1\n";
    QTest::newRow("empty") << QByteArray() << "the file holds no help (it is empty)";
    QTest::newRow("blank lines") << QByteArray("\n\n  \n") << "it is empty";
    QTest::newRow("binary") << QByteArray("MZ\x90\0\x03\0\0\0\x04", 9) << "binary data";
    QTest::newRow("not UTF-8") << QByteArray("VSMHELP 1\n\xff\xfe\x80 text\n") << "not UTF-8";
    QTest::newRow("other text") << QByteArray("Dear learner,\nhello\n")
                                << "not a help file of this program";
    QTest::newRow("other version") << QByteArray("VSMHELP 2\n") << "line 1: this help format version";
    QTest::newRow("bad number") << head + "[topic 3x]\ntitle: T\n[end]\n"
                                << "line 2: \"3x\" is not a context number";
    QTest::newRow("negative number") << head + "[popup -5]\ntext\n[end]\n"
                                     << "line 2: \"-5\" is not a context number";
    QTest::newRow("number too large") << head + "[topic 2147483648]\ntitle: T\n[end]\n"
                                      << "\"2147483648\" is not a context number";
    QTest::newRow("duplicate number")
        << head + "[topic 300]\ntitle: A\n[end]\n\n[popup 300]\nB\n[end]\n"
        << "line 6: context number 300 is already used on line 2";
    QTest::newRow("duplicate jump id")
        << head + "[topic 1 Same]\ntitle: A\n[end]\n[topic 2 SAME]\ntitle: B\n[end]\n"
        << "line 5: jump identifier SAME is already used on line 2";
    QTest::newRow("bad jump id") << head + "[topic 1 9lives]\ntitle: A\n[end]\n"
                                 << "\"9lives\" is not a jump identifier";
    QTest::newRow("unterminated at end")
        << head + "[topic 1]\ntitle: A\ntext\n" << "line 2: the block [topic 1] has no [end]";
    QTest::newRow("block inside block")
        << head + "[topic 1]\ntitle: A\n[popup 2]\nB\n[end]\n"
        << "line 4: [popup 2] begins inside the block [topic 1] opened on line 2; is an [end] missing?";
    QTest::newRow("no title") << head + "[topic 7]\njust text\n[end]\n" << "line 2: topic 7 has no title";
    QTest::newRow("empty pop-up") << head + "[popup 7]\n\n[end]\n" << "line 2: pop-up 7 has no text";
    QTest::newRow("dangling link")
        << head + "[topic 1]\ntitle: A\nsee [[99]]\n[end]\n" << "line 4: the link [[99]] leads to no topic";
    QTest::newRow("unclosed link")
        << head + "[topic 1]\ntitle: A\nsee [[1\n]]\n[end]\n" << "line 4: a link opened with [[ has no ]]";
    // Each unclosed marker is looked for once, so such a line is read in one pass.
    QTest::newRow("line of unclosed markers")
        << head + "[topic 1]\ntitle: A\n" + QByteArray(300000, '[') + QByteArray(300000, '*') + "\n[end]\n"
        << "line 4: a link opened with [[ has no ]]";
    QTest::newRow("link in pop-up")
        << head + "[topic 1]\ntitle: A\n[end]\n[popup 2]\nsee [[1]]\n[end]\n"
        << "line 6: a pop-up cannot hold links";
    QTest::newRow("unclosed example")
        << head + "[topic 1]\ntitle: A\n```\n12\n[end]\n" << "line 4: the example opened with ``` has no closing";
    QTest::newRow("contents names no topic")
        << head + "[topic 1]\ntitle: A\n[end]\n[contents]\n1\nMissing\n[end]\n"
        << "line 7: the contents name Missing, which is no topic";
    QTest::newRow("contents topic missing") << head + "contents: 4\n" << "line 2: the contents topic 4";
    QTest::newRow("end without block") << head + "[end]\n" << "line 2: [end] without a block";
    QTest::newRow("stray text") << head + "hello there\n" << "line 2: \"hello there\" stands outside any block";
    QTest::newRow("unknown setting") << head + "colour: red\n" << "unknown setting \"colour:\"";
    QTest::newRow("unknown block") << head + "[chapter 1]\n[end]\n" << "unknown block \"[chapter 1]\"";
    QTest::newRow("bad window") << head + "window: Side big 300\n" << "line 2: a window is written";
    QTest::newRow("tiny window") << head + "window: Side 20 30\n" << "the size of window Side is out of range";
}

void tst_HelpFile::rejectsMalformedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QString error;
    QVERIFY(!HelpFile::parse(bytes, &error));
    QVERIFY2(error.contains(expected), qPrintable(error));
}

void tst_HelpFile::loadReportsWhatIsWrongWithTheFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(HelpFile::load(dir.filePath("missing.hlp")).error, HelpFile::Error::NotFound);
    QCOMPARE(HelpFile::load(dir.path()).error, HelpFile::Error::NotAFile);

    QFile huge(dir.filePath("huge.hlp"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    huge.write("VSMHELP 1\n");
    QVERIFY(huge.resize(HelpFile::MaxBytes + 1));
    huge.close();
    QCOMPARE(HelpFile::load(huge.fileName()).error, HelpFile::Error::TooLarge);

    QFile broken(dir.filePath("broken.hlp"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("VSMHELP 1\n[topic 1]\ntitle: A\n");
    broken.close();
    const HelpFile::LoadResult damaged = HelpFile::load(broken.fileName());
    QCOMPARE(damaged.error, HelpFile::Error::Malformed);
    QVERIFY(!damaged.file);
    QVERIFY(damaged.detail.contains(QStringLiteral("line 2")));

    QFile good(dir.filePath("good.hlp"));
    QVERIFY(good.open(QIODevice::WriteOnly));
    good.write("\xEF\xBB\xBFVSMHELP 1\r\n[topic 1]\r\ntitle: A\r\nBody\r\n[end]\r\n");
    good.close();
    const HelpFile::LoadResult loaded = HelpFile::load(good.fileName());
    QCOMPARE(loaded.error, HelpFile::Error::None);
    QVERIFY(loaded.file);
    QCOMPARE(loaded.file->topic(1)->body, QStringLiteral("Body"));
}

// The contract between the screens and the shipped help file: every
// context number a window opens as a topic or asks for as a pop-up.
void tst_HelpFile::shippedMainFileHoldsEveryContextNumber()
{
    const QString path = QStringLiteral(VSM_SOURCE_DIR "/resources/help/VandrelsholmSpeedMath.hlp");
    const HelpFile::LoadResult loaded = HelpFile::load(path);
    QVERIFY2(loaded.file, qPrintable(loaded.detail));
    const HelpFile& file = *loaded.file;

    const QList<int> menuTopics{200, 300, 400, 410};
    QList<int> methodTopics; // the screens' topics
    for (const ScreenCatalogue::Row& screen : ScreenCatalogue::rows())
        if (!methodTopics.contains(screen.helpTopic))
            methodTopics.append(screen.helpTopic);
    QList<int> popups;
    for (int number = 10100; number <= 10230; number += 10)
        popups.append(number);
    for (int number = 20100; number <= 20290; number += 10)
        popups.append(number);
    popups.append(20105);
    popups << 80100 << 80110 << 80120 << 80130;
    for (int number = 80200; number <= 80290; number += 10)
        popups.append(number);
    popups << ProgressHelp::Print << ProgressHelp::Pdf;
    for (int number = 90100; number <= 90180; number += 10)
        popups.append(number);

    for (int number : menuTopics + methodTopics) {
        const HelpFile::Topic* topic = file.topic(number);
        QVERIFY2(topic, qPrintable(QStringLiteral("no topic %1").arg(number)));
        QVERIFY2(topic->body.size() > 300, qPrintable(QStringLiteral("topic %1 is too short").arg(number)));
    }
    for (int number : std::as_const(popups)) {
        const HelpFile::Popup* popup = file.popup(number);
        QVERIFY2(popup, qPrintable(QStringLiteral("no pop-up %1").arg(number)));
        QVERIFY2(popup->text.size() > 40, qPrintable(QStringLiteral("pop-up %1 is too short").arg(number)));
    }
    QVERIFY(file.contentsTopic() && file.topic(*file.contentsTopic()));
    QVERIFY(file.topicByJumpId(QStringLiteral("ScreenHelp_Basics")));
    QCOMPARE(file.topic(200)->title, QStringLiteral("How To..."));
    QCOMPARE(file.topic(300)->title, QStringLiteral("Getting Started"));
    QCOMPARE(file.topic(400)->title, QStringLiteral("Learning Plan"));
    QCOMPARE(file.topic(410)->title, QStringLiteral("Getting Screen Help"));
    for (const char* window : {"EHowTo", "EStart", "ESkills", "RStart"})
        QVERIFY2(file.secondaryWindow(QString::fromLatin1(window)), window);

    // Every topic can be reached from the contents.
    QSet<int> listed;
    for (const HelpFile::ContentsEntry& entry : file.contents())
        listed.insert(entry.topic);
    for (const HelpFile::Topic& topic : file.topics()) {
        if (topic.number != *file.contentsTopic())
            QVERIFY2(listed.contains(topic.number), qPrintable(QString::number(topic.number)));
    }
}

void tst_HelpFile::shippedHistoryFileOpensAtItsContents()
{
    const QString path =
        QStringLiteral(VSM_SOURCE_DIR "/resources/help/The Story of Tobbel Vandrelsholm.hlp");
    const HelpFile::LoadResult loaded = HelpFile::load(path);
    QVERIFY2(loaded.file, qPrintable(loaded.detail));
    const HelpFile& file = *loaded.file;
    QVERIFY(file.contentsTopic());
    QVERIFY(file.topics().size() >= 5);
    const QString contents = file.topicHtml(*file.topic(*file.contentsTopic()));
    for (const HelpFile::ContentsEntry& entry : file.contents())
        QVERIFY(contents.contains(QStringLiteral("topic:%1").arg(entry.topic)));
    // The format documentation's example is itself a valid file.
    const QString readme = readAll(QStringLiteral(VSM_SOURCE_DIR "/resources/help/README.md"));
    const qsizetype start = readme.indexOf(QStringLiteral("```\nVSMHELP 1"));
    QVERIFY(start > 0);
    const qsizetype end = readme.indexOf(QStringLiteral("\n```"), start + 4);
    QVERIFY(parseOk(readme.mid(start + 4, end - start - 3).toUtf8()));
}

QTEST_GUILESS_MAIN(tst_HelpFile)
#include "tst_HelpFile.moc"
