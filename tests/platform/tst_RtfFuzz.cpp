// Garbage in, no crash out: the RTF reader on mutated, truncated and hostile
// input. Every input must give either a document or a reported failure that
// leaves the document as it was. The random source has a fixed seed, so a
// failure repeats.

#include "platform/Rtf.h"

#include "RtfSamples.h"
#include "Sweeps.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <random>

namespace {

const QString Sentinel = QStringLiteral("sentinel");

QList<QByteArray> seeds()
{
    QTextDocument marksheet;
    RtfSamples::buildMarksheet(&marksheet);
    QFile fixture(QStringLiteral(VSM_SOURCE_DIR "/tests/platform/data/wordprocessor-marks.rtf"));
    fixture.open(QIODevice::ReadOnly);   // a missing fixture is an empty seed, which fails below
    return {Rtf::write(marksheet), fixture.readAll(), RtfSamples::handMade()};
}

class Mutator
{
public:
    explicit Mutator(const QList<QByteArray>& seeds)
        : m_seeds(seeds)
    {
    }

    QByteArray next()
    {
        QByteArray data = pick(m_seeds);
        const int edits = int(between(1, 8));
        for (int i = 0; i < edits && !data.isEmpty(); ++i)
            mutate(data);
        return data;
    }

private:
    qsizetype between(qsizetype low, qsizetype high)   // both included
    {
        return std::uniform_int_distribution<qsizetype>(low, high)(m_rng);
    }

    const QByteArray& pick(const QList<QByteArray>& list) { return list.at(between(0, list.size() - 1)); }

    // Bytes that mean something to RTF come more often than others.
    char byte()
    {
        static const QByteArray special = "{}\\'*;- 0123456789abcdefuparbqlcfsin\r\n";
        if (between(0, 2) == 0)
            return char(between(0, 255));
        return special.at(between(0, special.size() - 1));
    }

    void mutate(QByteArray& data)
    {
        const qsizetype pos = between(0, data.size() - 1);
        switch (between(0, 5)) {
        case 0:   // flip a bit
            data[pos] = char(data.at(pos) ^ (1 << between(0, 7)));
            break;
        case 1:   // insert a few bytes
            for (qsizetype n = between(1, 4); n > 0; --n)
                data.insert(pos, byte());
            break;
        case 2:   // delete a run
            data.remove(pos, between(1, 16));
            break;
        case 3: {   // splice in a piece of another seed
            const QByteArray& other = pick(m_seeds);
            const qsizetype from = between(0, other.size() - 1);
            data.insert(pos, other.mid(from, between(1, 64)));
            break;
        }
        case 4:   // repeat a run
            data.insert(pos, data.mid(pos, between(1, 32)).repeated(int(between(2, 50))));
            break;
        default:   // cut the end off
            data.truncate(pos);
            break;
        }
    }

    const QList<QByteArray>& m_seeds;
    std::mt19937 m_rng{20240607};
};

struct Outcome {
    bool ok;
    QString error;
};

// Reads into a document that holds a sentinel text and checks what the
// reader promises either way.
Outcome readChecked(const QByteArray& input, QTextDocument* doc)
{
    doc->setPlainText(Sentinel);
    QString error;
    const bool ok = Rtf::read(input, doc, &error);
    if (ok) {
        if (doc->characterCount() > Rtf::MaxTextLength + 1)
            qFatal("a document longer than the limit came through");
    } else if (error.isEmpty() || doc->toPlainText() != Sentinel) {
        qFatal("a refused input gave no message or changed the document");
    }
    return {ok, error};
}

} // namespace

class TestRtfFuzz : public QObject
{
    Q_OBJECT

private slots:
    void mutatedInputs();
    void truncatedInputsAreRefused();
    void bombs_data();
    void bombs();
};

void TestRtfFuzz::mutatedInputs()
{
    const QList<QByteArray> inputs = seeds();
    Mutator mutator(inputs);
    QTextDocument doc;
    QTextDocument again;
    int accepted = 0;
    int refused = 0;
    QElapsedTimer timer;
    timer.start();
    const int Count = sweepSize(3000);
    for (int i = 0; i < Count; ++i) {
        const QByteArray input = mutator.next();
        if (!readChecked(input, &doc).ok) {
            ++refused;
            continue;
        }
        ++accepted;
        // Whatever the reader made, the writer writes and the reader reads
        // back to the same paragraphs.
        QString error;
        QVERIFY2(Rtf::read(Rtf::write(doc), &again, &error), qPrintable(error));
        if (again.toPlainText() != doc.toPlainText() || again.blockCount() != doc.blockCount()) {
            QFAIL(qPrintable(QStringLiteral("round trip changed the text of mutant %1: %2")
                                 .arg(i)
                                 .arg(QString::fromLatin1(input.toBase64()))));
        }
    }
    qInfo("%d mutated inputs: %d read, %d refused, %lld ms", Count, accepted, refused,
          qint64(timer.elapsed()));
    // Both ways through the reader were taken.
    QVERIFY(accepted > Count / 10);
    QVERIFY(refused > Count / 10);
}

void TestRtfFuzz::truncatedInputsAreRefused()
{
    QTextDocument doc;
    int fed = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QByteArray& input : seeds()) {
        QVERIFY(readChecked(input, &doc).ok);
        // Every prefix that stops before the brace closing the document is
        // refused; a prefix never reads as a shorter document.
        const qsizetype closing = input.lastIndexOf('}');
        for (qsizetype length = 0; length <= closing; ++length) {
            const Outcome out = readChecked(input.left(length), &doc);
            ++fed;
            QVERIFY2(!out.ok, qPrintable(QStringLiteral("prefix of %1 bytes was read").arg(length)));
            const char* expected = length < 5 ? "not in Rich Text Format" : "ends before";
            QVERIFY2(out.error.contains(QLatin1String(expected)), qPrintable(out.error));
        }
    }
    qInfo("%d truncated inputs refused in %lld ms", fed, qint64(timer.elapsed()));
}

void TestRtfFuzz::bombs_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("result");   // the text read, or a part of the message

    const QByteArray head = "{\\rtf1 ";
    QTest::newRow("10000 nested groups") << head + QByteArray(10000, '{') + QByteArray(10001, '}') << false
                                         << "nested too deeply";
    QTest::newRow("deep in a skipped group") << head + "{\\*\\x" + QByteArray(10000, '{') << false
                                             << "nested too deeply";
    QTest::newRow("absurd font size") << head + "\\fs99999999999999999999 x}" << true << "x";
    QTest::newRow("megabytes of empty groups") << head + QByteArray("{}").repeated(2 * 1024 * 1024) + "}" << true
                                               << "";
    QTest::newRow("endless control word") << head + "\\" + QByteArray(4 * 1024 * 1024, 'a') << false
                                          << "longer than 32 letters";
    QTest::newRow("endless parameter") << head + "\\fs" + QByteArray(4 * 1024 * 1024, '9') + " y}" << true << "y";
    QTest::newRow("unicode out of range") << head + "\\u-99999999?A\\u99999999?B\\u?C}" << true
                                          << "\uFFFDA\uFFFDB\uFFFDC";
    QTest::newRow("surrogate halves") << head + "\\u-10179?x\\u-8704?}" << true << "\uFFFDx\uFFFD";
    QTest::newRow("structure marks") << head + "a\\u-560?b\\u-4?c\\u8233?d}" << true << "abcd";
    QTest::newRow("bad hex escapes") << head + "\\'zz\\'4}" << true << "zz4";
    QByteArray controls = head + "a";
    controls += '\0';
    controls += "b\x01";
    controls += "c\\'00\\'0d\\u10?d}";
    QTest::newRow("controls and NUL") << controls << true << "abcd";
    QTest::newRow("lone backslash") << QByteArray("{\\rtf1 x\\") << false << "ends before";
    QTest::newRow("escaped last brace") << QByteArray("{\\rtf1 x\\}") << false << "ends before";
    QTest::newRow("header only") << QByteArray("{\\rtf") << false << "ends before";
    QTest::newRow("huge skip count") << head + "\\uc999999999\\u65 abc}" << true << "A";
    QTest::newRow("binary past the end") << head + "\\bin99999999999 }" << false << "ends before";
    QTest::newRow("negative binary") << head + "\\bin-5 x}" << true << "x";
    QTest::newRow("20000 paragraphs") << head + QByteArray("\\fs2\\par").repeated(Rtf::MaxParagraphs) + " z}" << true
                                      << QString(Rtf::MaxParagraphs, u'\n') + "z";
    QTest::newRow("200000 paragraphs") << head + QByteArray("\\par").repeated(200000) + " z}" << false
                                       << "more than 20000 paragraphs";
    QTest::newRow("a format change per character")
        << head + (QByteArray("\\b a\\b0 b").repeated(500) + "\\par ").repeated(Rtf::MaxTextLength / 1001) + "}" << false
        << "changes its character formatting more than 50000 times";
    QTest::newRow("one long paragraph") << head + QByteArray(Rtf::MaxTextLength, 'x') + "}" << false
                                        << "a paragraph of more than 20000 characters";
    QByteArray sizes = head;
    for (int i = 0; i < 20000; ++i)
        sizes += "\\fs" + QByteArray::number(2 + i % 3270) + " x";
    QTest::newRow("20000 sizes") << sizes + "}" << false << "more than 200 different character formats";
    QByteArray fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 40000; ++i)
        fonts += "{\\f" + QByteArray::number(i) + " F" + QByteArray(300, 'x') + ";}";
    QTest::newRow("font table bomb") << fonts + "}\\f99999 y\\f-7 z}" << true << "yz";
    QByteArray used = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 40000; ++i)
        used += "{\\f" + QByteArray::number(i) + " Family " + QByteArray::number(i) + ";}";
    used += "}";
    for (int i = 0; i < 40000; ++i)
        used += "{\\f" + QByteArray::number(i) + " u}" + (i % 100 == 99 ? "\\par " : "");
    QTest::newRow("40000 fonts in use") << used + "}" << false << "more than 100 fonts";
    QTest::newRow("text after the end") << QByteArray("{\\rtf1 ok}}}}{{{{\\garbage") << true << "ok";
    QTest::newRow("input past the cap") << head + QByteArray(Rtf::MaxInputBytes, ';') << false << "too large";
}

void TestRtfFuzz::bombs()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, ok);
    QFETCH(QString, result);
    QTextDocument doc;
    QElapsedTimer timer;
    timer.start();
    const Outcome out = readChecked(input, &doc);
    qInfo("%lld bytes, %lld ms", qint64(input.size()), qint64(timer.elapsed()));
    QCOMPARE(out.ok, ok);
    if (ok)
        QCOMPARE(doc.toPlainText(), result);
    else
        QVERIFY2(out.error.contains(result), qPrintable(out.error));
}

QTEST_MAIN(TestRtfFuzz)
#include "tst_RtfFuzz.moc"
