#include "records/HistoryRules.h"

#include <QDate>
#include <QFile>

#include <QHash>

#include <array>
#include <charconv>
#include <cmath>

#include "shell/LearnerFiles.h"

namespace {

constexpr int ColumnCount = 10;
constexpr qint64 ReadBlockBytes = 1024 * 1024;

QByteArray csvField(const QString& text)
{
    QString value = text;
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QByteArray bytes = value.toUtf8();
    if (bytes.contains(',') || bytes.contains('"')) {
        bytes.replace("\"", "\"\"");
        bytes = '"' + bytes + '"';
    }
    return bytes;
}

// The fields of one CSV line, as views into the line or, for a quoted
// field, into its unquoted copy; false when the quotes do not close or the
// count is not ColumnCount.
struct Fields {
    std::array<QByteArrayView, ColumnCount> view;
    std::array<QByteArray, ColumnCount> unquoted;
};

bool splitFields(QByteArrayView text, Fields& out)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    int count = 0;
    for (;;) {
        if (count == ColumnCount)
            return false;
        if (i < n && text[i] == '"') {
            QByteArray& field = out.unquoted[count];
            field.clear();
            ++i;
            for (;;) {
                if (i >= n)
                    return false;
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            if (i < n && text[i] != ',')
                return false;
            out.view[count++] = field;
        } else {
            const qsizetype from = i;
            while (i < n && text[i] != ',') {
                if (text[i] == '"')
                    return false;
                ++i;
            }
            out.view[count++] = text.sliced(from, i - from);
        }
        if (i >= n)
            return count == ColumnCount;
        ++i; // the comma
    }
}

// Digits only, at most maxDigits of them.
std::optional<qint64> wholeNumber(QByteArrayView text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "2026-12-08T09:15:02Z" as seconds since the epoch.
std::optional<qint64> parseWhen(QByteArrayView text)
{
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':'
        || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto part = [&](int from, int length) { return wholeNumber(text.sliced(from, length), length); };
    const auto year = part(0, 4), month = part(5, 2), day = part(8, 2);
    const auto hour = part(11, 2), minute = part(14, 2), second = part(17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    if (*year < 2000 || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    const QDate date{int(*year), int(*month), int(*day)};
    if (!date.isValid())
        return std::nullopt;
    constexpr qint64 Epoch = 2440588; // Julian day of 1970-01-01
    return (date.toJulianDay() - Epoch) * 86400 + *hour * 3600 + *minute * 60 + *second;
}

QByteArray formatWhen(qint64 when)
{
    return QDateTime::fromSecsSinceEpoch(when, Qt::UTC).toString(Qt::ISODate).toLatin1();
}

bool validSection(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > HistoryRules::MaxSectionLength)
        return false;
    for (char c : text) {
        const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!alnum && c != '_' && c != ' ')
            return false;
    }
    return true;
}

// The newest whole lines of bytes (after the first) that fit in room, from
// the start of the first kept line to the end of the last whole line.
QByteArrayView newestLines(QByteArrayView bytes, qint64 room)
{
    const qsizetype end = bytes.lastIndexOf('\n') + 1; // 0: no whole line
    const qsizetype firstLineEnd = bytes.indexOf('\n') + 1;
    if (end <= firstLineEnd || room <= 0)
        return {};
    qsizetype start = std::max<qsizetype>(firstLineEnd, end - qsizetype(room));
    // From the start of a line.
    if (start > 0 && bytes[start - 1] != '\n') {
        const qsizetype next = bytes.indexOf('\n', start);
        start = next < 0 ? end : next + 1;
    }
    return bytes.sliced(start, end - start);
}

} // namespace

namespace HistoryRules {

QString pathFor(const QString& iniFile)
{
    return LearnerFiles::sideFile(iniFile, QString::fromLatin1(LearnerFiles::HistoryEnding));
}

QByteArray header()
{
    return QByteArrayLiteral("When,Kind,Section,Option,Right,Seconds,Questions,Correct,"
                             "Question delay (ms),Answer delay (ms)\r\n");
}

QByteArray line(const Record& r)
{
    QByteArray out = formatWhen(r.when);
    out += r.kind == Kind::Problem ? ",problem," : ",drill,";
    out += csvField(r.section) + ',' + csvField(r.option) + ',';
    if (r.kind == Kind::Problem) {
        out += (r.right ? "1," : "0,") + QByteArray::number(r.seconds, 'f', 3) + ",,,,";
    } else {
        out += ",," + QByteArray::number(r.questions) + ',' + QByteArray::number(r.correct) + ','
               + QByteArray::number(r.questionDelayMs) + ',' + QByteArray::number(r.answerDelayMs);
    }
    return out + "\r\n";
}

} // namespace HistoryRules

namespace {

// The texts of the records read so far, so that records share them and a
// text is made and checked once.
class Texts
{
public:
    // The section or option the bytes name, or nothing when not valid.
    const QString* section(QByteArrayView bytes)
    {
        if (const QString* known = find(m_sections, bytes))
            return known;
        if (!validSection(bytes))
            return nullptr;
        return &*m_sections.insert(bytes.toByteArray(), QString::fromLatin1(bytes));
    }
    const QString* option(QByteArrayView bytes)
    {
        if (const QString* known = find(m_options, bytes))
            return known;
        if (bytes.size() > HistoryRules::MaxOptionLength * 4)
            return nullptr;
        const QString text = QString::fromUtf8(bytes);
        if (text.size() > HistoryRules::MaxOptionLength)
            return nullptr;
        for (QChar c : text) {
            if (c.category() == QChar::Other_Control)
                return nullptr;
        }
        return &*m_options.insert(bytes.toByteArray(), text);
    }

private:
    static const QString* find(const QHash<QByteArray, QString>& texts, QByteArrayView bytes)
    {
        const auto it = texts.constFind(QByteArray::fromRawData(bytes.data(), bytes.size()));
        return it == texts.constEnd() ? nullptr : &*it;
    }
    QHash<QByteArray, QString> m_sections;
    QHash<QByteArray, QString> m_options;
};

std::optional<HistoryRules::Record> parseFields(QByteArrayView text, qint64 nowUtc, Fields& fields, Texts& texts)
{
    using namespace HistoryRules;
    if (text.endsWith('\r'))
        text.chop(1);
    if (!splitFields(text, fields))
        return std::nullopt;
    const std::array<QByteArrayView, ColumnCount>& f = fields.view;
    Record r;
    const std::optional<qint64> when = parseWhen(f[0]);
    if (!when || *when > nowUtc + FutureSlackSeconds)
        return std::nullopt;
    r.when = *when;
    const QString* section = texts.section(f[2]);
    const QString* option = section ? texts.option(f[3]) : nullptr;
    if (!option)
        return std::nullopt;
    r.section = *section;
    r.option = *option;
    if (f[1] == "problem") {
        r.kind = Kind::Problem;
        if ((f[4] != "0" && f[4] != "1") || !f[6].isEmpty() || !f[7].isEmpty() || !f[8].isEmpty() || !f[9].isEmpty())
            return std::nullopt;
        r.right = f[4] == "1";
        if (f[5].isEmpty() || f[5].size() > 16)
            return std::nullopt;
        for (char c : f[5]) {
            if ((c < '0' || c > '9') && c != '.')
                return std::nullopt;
        }
        const auto [end, error] = std::from_chars(f[5].data(), f[5].data() + f[5].size(), r.seconds);
        if (error != std::errc() || end != f[5].data() + f[5].size() || !std::isfinite(r.seconds) || r.seconds < 0
            || r.seconds > MaxSeconds)
            return std::nullopt;
        return r;
    }
    if (f[1] == "drill") {
        r.kind = Kind::Drill;
        if (!f[4].isEmpty() || !f[5].isEmpty())
            return std::nullopt;
        const auto questions = wholeNumber(f[6], 7), correct = wholeNumber(f[7], 7);
        const auto questionDelay = wholeNumber(f[8], 8), answerDelay = wholeNumber(f[9], 8);
        if (!questions || !correct || !questionDelay || !answerDelay)
            return std::nullopt;
        if (*questions < 1 || *questions > MaxQuestions || *correct > *questions || *questionDelay > MaxDelayMs
            || *answerDelay > MaxDelayMs)
            return std::nullopt;
        r.questions = int(*questions);
        r.correct = int(*correct);
        r.questionDelayMs = int(*questionDelay);
        r.answerDelayMs = int(*answerDelay);
        return r;
    }
    return std::nullopt;
}

// Lines that end in a line end; the rest (a torn line) is left in bytes'
// tail for the next block.
qsizetype parseWholeLines(QByteArrayView bytes, qint64 nowUtc, Texts& texts, QList<HistoryRules::Record>& out)
{
    Fields fields;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            return start;
        if (std::optional<HistoryRules::Record> r = parseFields(bytes.sliced(start, end - start), nowUtc, fields, texts))
            out.append(std::move(*r));
        start = end + 1;
    }
}

} // namespace

namespace HistoryRules {

std::optional<Record> parseLine(QByteArrayView text, qint64 nowUtc)
{
    Fields fields;
    Texts texts;
    return parseFields(text, nowUtc, fields, texts);
}

QList<Record> parse(QByteArrayView bytes, qint64 nowUtc)
{
    QList<Record> records;
    Texts texts;
    parseWholeLines(bytes, nowUtc, texts, records);
    return records;
}

QList<Record> readFile(const QString& path)
{
    return readFile(path, HistoryRules::nowUtc());
}

QList<Record> readFile(const QString& path, qint64 nowUtc)
{
    QList<Record> records;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return records;
    // Past the bound, only the newest MaxFileBytes count.
    const qint64 size = file.size();
    if (size > MaxFileBytes) {
        file.seek(size - MaxFileBytes);
        file.readLine(); // the rest of a line cut there
    }
    // Some 60 bytes a line: room for them all at once, not grown by doubling.
    records.reserve(qsizetype(std::min(size, MaxFileBytes) / 56));
    Texts texts;
    QByteArray pending;
    qint64 readSoFar = 0;
    while (readSoFar < MaxFileBytes) {
        const QByteArray block = file.read(std::min(ReadBlockBytes, MaxFileBytes - readSoFar));
        if (block.isEmpty())
            break;
        readSoFar += block.size();
        pending += block;
        const qsizetype used = parseWholeLines(pending, nowUtc, texts, records);
        pending.remove(0, used);
    }
    return records;
}

QDateTime lastRecordTime(const QString& path)
{
    return lastRecordTime(path, HistoryRules::nowUtc());
}

QDateTime lastRecordTime(const QString& path, qint64 nowUtc)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QDateTime();
    const qint64 size = file.size();
    const qint64 from = std::max<qint64>(0, size - TailBytes);
    if (!file.seek(from))
        return QDateTime();
    const QByteArray tail = file.read(size - from);
    // Whole lines only: the first is cut unless the tail is the whole file,
    // the last is torn unless it ends in a line end.
    qsizetype end = tail.lastIndexOf('\n');
    while (end >= 0) {
        const qsizetype start = tail.lastIndexOf('\n', end - 1) + 1;
        if (start == 0 && from > 0)
            break;
        if (const std::optional<Record> r = parseLine(QByteArrayView(tail).sliced(start, end - start), nowUtc))
            return r->time();
        end = start - 1;
    }
    return QDateTime();
}

std::optional<QByteArray> trimmed(QByteArrayView bytes, qint64 appendBytes)
{
    return trimmed(bytes, appendBytes, MaxFileBytes, KeepBytes);
}

std::optional<QByteArray> trimmed(QByteArrayView bytes, qint64 appendBytes, qint64 maxBytes, qint64 keepBytes)
{
    if (bytes.size() + appendBytes <= maxBytes)
        return std::nullopt;
    const QByteArray head = header();
    return head + newestLines(bytes, keepBytes - head.size()).toByteArray();
}

qint64 nowUtc()
{
    return QDateTime::currentSecsSinceEpoch();
}

} // namespace HistoryRules
