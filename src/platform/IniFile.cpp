#include "platform/IniFile.h"

#include "platform/Cp1252.h"
#include "platform/FileReading.h"
#include "platform/FileSaver.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

QString trimBlanks(const QString& text)
{
    return trimBlanks(QStringView(text)).toString();
}

bool sameName(QStringView a, QStringView b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// The key under which a name is indexed: letter case folded as the
// case-blind comparison folds it, character by character.
QString foldedName(QStringView name)
{
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name.at(i).unicode();
        if (name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name.at(i), name.at(i + 1));
            ++i;
        }
        folded += QChar::fromUcs4(QChar::toCaseFolded(c));
    }
    return folded;
}

bool isQuoted(QStringView text)
{
    return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'')
           && text.back() == text.front();
}

bool isBlankText(QStringView text)
{
    return trimBlanks(text).isEmpty();
}

// The length of the line end at pos (CR LF, CR or LF), 0 when there is none.
qsizetype lineEndAt(QStringView text, qsizetype pos)
{
    if (pos >= text.size())
        return 0;
    if (text.at(pos) == u'\r')
        return pos + 1 < text.size() && text.at(pos + 1) == u'\n' ? 2 : 1;
    return text.at(pos) == u'\n' ? 1 : 0;
}

// What one line of text is (as IniFile::Kind counts: other, header, key),
// and where its name lies.
constexpr quint8 OtherLine = 0;
constexpr quint8 HeaderLine = 1;
constexpr quint8 KeyLine = 2;

struct Classified {
    quint8 kind = OtherLine;
    qsizetype nameOffset = 0;
    qsizetype nameLength = 0;
};

Classified classify(QStringView text)
{
    const QStringView trimmed = trimBlanks(text);
    const qsizetype lead = trimmed.isEmpty() ? 0 : trimmed.data() - text.data();
    const auto named = [&](quint8 kind, QStringView name) {
        return Classified{kind, name.isEmpty() ? lead : name.data() - text.data(), name.size()};
    };
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0)
            return named(HeaderLine, trimBlanks(trimmed.sliced(1, close - 1)));
        return {};
    }
    if (trimmed.startsWith(u';'))
        return {};
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals > 0)
        return named(KeyLine, trimBlanks(trimmed.first(equals)));
    return {};
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Optional sign, then decimal digits or "$"/"0x" and hexadecimal digits; the
// whole (trimmed) text must be the number and the number must fit an int.
bool parseInteger(const QString& raw, int* result)
{
    const QString text = trimBlanks(raw);
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text.at(pos) == u'-' || text.at(pos) == u'+'))
        negative = text.at(pos++) == u'-';
    int base = 10;
    if (text.mid(pos, 1) == u"$") {
        base = 16;
        pos += 1;
    } else if (text.mid(pos, 2).compare(u"0x", Qt::CaseInsensitive) == 0) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size())
        return false;
    const qint64 limit = negative ? -qint64(INT_MIN) : qint64(INT_MAX);
    qint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigit(text.at(pos));
        if (digit < 0 || digit >= base)
            return false;
        value = value * base + digit;
        if (value > limit)
            return false;
    }
    *result = int(negative ? -value : value);
    return true;
}

// A decimal floating-point text with "." or "," as separator and an optional
// exponent; nothing else (no "inf", no "nan", no hexadecimal).
bool parseTime(const QString& raw, double* result)
{
    QByteArray text = trimBlanks(raw).toLatin1().replace(',', '.');
    if (text.startsWith('+') && !text.startsWith("+-"))
        text.remove(0, 1);
    if (text.isEmpty())
        return false;
    double value = 0;
    const char* end = text.constData() + text.size();
    const auto [ptr, ec] = std::from_chars(text.constData(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return false;
    *result = value;
    return true;
}

// CR and LF would end the line early; they become blanks. A value that would
// lose its surrounding blanks or quotes on reading goes in double quotes.
QString textForFile(const QString& value)
{
    QString text = value;
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    if (isQuoted(text) || (!text.isEmpty() && (isBlank(text.front()) || isBlank(text.back()))))
        text = u'"' + text + u'"';
    return text;
}

// Names as they can be written so that they read back as the same name.
bool isWritableSection(const QString& name)
{
    return !name.contains(u']') && !name.contains(u'\r') && !name.contains(u'\n');
}

bool isWritableKey(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u';') && !name.startsWith(u'[')
           && !name.contains(u'=') && !name.contains(u'\r') && !name.contains(u'\n');
}

} // namespace

IniFile::IniFile(const QString& path)
    : m_path(path)
{
    read();
}

void IniFile::read()
{
    const QFileInfo info(m_path);
    m_exists = info.exists();
    if (!m_exists)
        return;
    const auto fail = [this](const QString& reason) {
        m_readFailed = true;
        m_error = QStringLiteral("Unable to read the file \"%1\": %2\r\n"
                                 "The file is left as it is; nothing is saved in it.").arg(m_path, reason);
    };
    const QString tooLarge = QStringLiteral("it is larger than %1 MB.").arg(kMaxFileSize / (1024 * 1024));
    // A folder, a pipe or a device is not a settings file (a pipe would block).
    if (!info.isFile())
        return fail(info.isDir() ? QStringLiteral("it is a folder.")
                                 : QStringLiteral("it is not a regular file."));
    if (info.size() > kMaxFileSize)
        return fail(tooLarge);
    Cp1252::FileText decoded;
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(file.errorString());
        // A byte more than allowed tells a file that grew since it was measured.
        const QByteArray bytes = FileReading::readAtMost(file, kMaxFileSize);
        if (file.error() != QFileDevice::NoError)
            return fail(file.errorString());
        if (bytes.size() > kMaxFileSize)
            return fail(tooLarge);
        decoded = Cp1252::decodeFile(bytes);
    }
    if (!decoded.error.isEmpty())
        return fail(decoded.error);
    if (decoded.otherEncoding && !Cp1252::canEncode(decoded.text))
        m_unsavable = QStringLiteral("The file \"%1\" was not saved: another program wrote it in Unicode, "
                                     "and it holds characters that this program's files cannot hold, "
                                     "which would be lost.").arg(m_path);
    m_text = std::move(decoded.text);
    parse();
}

// One pass to count the entries and one to fill them, so that the list is
// allocated once at its final size.
void IniFile::parse()
{
    const QStringView text(m_text);
    const auto scan = [&](auto&& add) {
        qsizetype pos = 0;
        qsizetype runStart = -1;   // start of the run of other lines being gathered
        qsizetype runEnd = 0;
        bool endsWithNewline = true;
        while (pos < text.size()) {
            qsizetype end = pos;
            while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n')
                ++end;
            const qsizetype lineEnd = lineEndAt(text, end);
            endsWithNewline = lineEnd > 0;
            const Classified c = end == pos ? Classified() : classify(text.sliced(pos, end - pos));
            if (c.kind == OtherLine) {
                if (runStart < 0)
                    runStart = pos;
                runEnd = end;
            } else {
                if (runStart >= 0)
                    add(Line{quint32(runStart), quint32(runEnd - runStart), 0, 0, Kind::Other});
                runStart = -1;
                add(Line{quint32(pos), quint32(end - pos), quint32(c.nameOffset), quint32(c.nameLength),
                         Kind(c.kind)});
            }
            pos = end + lineEnd;
        }
        if (runStart >= 0)
            add(Line{quint32(runStart), quint32(runEnd - runStart), 0, 0, Kind::Other});
        return endsWithNewline;
    };
    qsizetype count = 0;
    scan([&count](const Line&) { ++count; });
    m_lines.reserve(count);
    m_endsWithNewline = scan([this](const Line& line) { m_lines.append(line); });
    m_indexValid = false;
}

IniFile::Line IniFile::addLine(const QString& text)
{
    const Classified c = classify(text);
    const Line line{quint32(m_text.size()), quint32(text.size()), quint32(c.nameOffset), quint32(c.nameLength),
                    Kind(c.kind)};
    m_text += text;
    return line;
}

void IniFile::replaceLine(int index, const QString& text)
{
    Line& line = m_lines[index];
    if (text.size() > qsizetype(line.length)) {
        lineRemoved(line);
        line = addLine(text);
        return;
    }
    std::copy(text.cbegin(), text.cend(), m_text.begin() + line.start);
    m_wasted += line.length - text.size();
    const Classified c = classify(text);
    line = Line{line.start, quint32(text.size()), quint32(c.nameOffset), quint32(c.nameLength), Kind(c.kind)};
}

QStringView IniFile::textOf(const Line& line) const
{
    return QStringView(m_text).sliced(line.start, line.length);
}

QStringView IniFile::nameOf(const Line& line) const
{
    return textOf(line).sliced(line.nameOffset, line.nameLength);
}

QStringView IniFile::valueOf(const Line& line) const
{
    const QStringView text = textOf(line);
    return trimBlanks(text.sliced(text.indexOf(u'=', line.nameOffset + line.nameLength) + 1));
}

QStringList IniFile::sections() const
{
    QStringList names;
    QSet<QString> seen;
    for (const Line& line : m_lines) {
        if (line.kind == Kind::Header && !seen.contains(foldedName(nameOf(line)))) {
            seen.insert(foldedName(nameOf(line)));
            names.append(nameOf(line).toString());
        }
    }
    return names;
}

bool IniFile::hasSections() const
{
    return std::any_of(m_lines.cbegin(), m_lines.cend(), [](const Line& line) { return line.kind == Kind::Header; });
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList names;
    const int header = findSection(section);
    if (header < 0)
        return names;
    QSet<QString> seen;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line& line = m_lines.at(i);
        if (line.kind == Kind::Key && !seen.contains(foldedName(nameOf(line)))) {
            seen.insert(foldedName(nameOf(line)));
            names.append(nameOf(line).toString());
        }
    }
    return names;
}

bool IniFile::sectionExists(const QString& section) const
{
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    return findKey(section, key) >= 0;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    const int line = findKey(section, key);
    int value = 0;
    return line >= 0 && parseInteger(valueOf(m_lines.at(line)).toString(), &value) ? value : defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::readTime(const QString& section, const QString& key, double defaultValue) const
{
    const int line = findKey(section, key);
    double value = 0;
    return line >= 0 && parseTime(valueOf(m_lines.at(line)).toString(), &value) ? value : defaultValue;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const int line = findKey(section, key);
    if (line < 0)
        return defaultValue;
    const QStringView value = valueOf(m_lines.at(line));
    return (isQuoted(value) ? value.sliced(1, value.size() - 2) : value).toString();
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    setValue(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeTime(const QString& section, const QString& key, double days)
{
    setValue(section, key, formatTime(days));
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    setValue(section, key, textForFile(value));
}

int IniFile::writeIntegerEverywhere(const QStringList& keys, int value)
{
    QStringList names;
    for (const QString& key : keys) {
        if (isWritableKey(trimBlanks(key)))
            names.append(trimBlanks(key));
    }
    const QString text = QString::number(value);
    int changed = 0;
    bool inSection = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines.at(i);
        inSection = inSection || line.kind == Kind::Header;
        if (!inSection || line.kind != Kind::Key)
            continue;
        const QStringView name = nameOf(line);
        if (std::none_of(names.cbegin(), names.cend(), [name](const QString& n) { return sameName(name, n); }))
            continue;
        int current = 0;
        if (parseInteger(valueOf(line).toString(), &current) && current == value)
            continue;
        replaceLine(i, name.toString() + u'=' + text);
        ++changed;
    }
    compactIfWasteful();
    return changed;
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    const int header = findSection(section);
    if (header < 0)
        return;
    const QString name = trimBlanks(key);
    const int end = sectionEnd(header);
    int kept = header + 1;
    for (int i = header + 1; i < end; ++i) {
        const Line& line = m_lines.at(i);
        if (line.kind == Kind::Key && sameName(nameOf(line), name))
            lineRemoved(line);
        else
            m_lines[kept++] = line;
    }
    m_lines.remove(kept, end - kept);
    m_indexValid = false;
    compactIfWasteful();
}

void IniFile::eraseSection(const QString& section)
{
    const QString name = trimBlanks(section);
    int kept = 0;
    bool erasing = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines.at(i);
        if (line.kind == Kind::Header)
            erasing = sameName(nameOf(line), name);
        if (erasing)
            lineRemoved(line);
        else
            m_lines[kept++] = line;
    }
    m_lines.resize(kept);
    m_indexValid = false;
    compactIfWasteful();
}

QString IniFile::formatTime(double days)
{
    // A best time that is not a number means no best time.
    if (days == 0 || !std::isfinite(days))
        return QStringLiteral("0");
    // The "%.15g" form, independent of the C locale: 8.10185185185185e-05.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, days,
                                      std::chars_format::general, 15);
    const QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text;
    // Exponent written as "E-5" / "E20": capital E, no "+", no leading zeros.
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(u'-');
    exponent.remove(0, exponent.startsWith(u'-') || exponent.startsWith(u'+') ? 1 : 0);
    while (exponent.size() > 1 && exponent.front() == u'0')
        exponent.remove(0, 1);
    return text.left(e) + u'E' + (negative ? QStringLiteral("-") : QString()) + exponent;
}

bool IniFile::save()
{
    // The reason a file was not read is the reason it is not written: the
    // error text stays the reading's.
    if (m_readFailed)
        return false;
    if (!m_unsavable.isEmpty()) {
        m_error = m_unsavable;
        return false;
    }
    const auto fail = [this](const QString& reason) {
        m_error = QStringLiteral("Unable to save the file \"%1\": %2").arg(m_path, reason);
        return false;
    };
    // Every line end becomes CR LF, also those inside runs of other lines.
    QByteArray bytes;
    bytes.reserve(m_text.size() - m_wasted + 2 * m_lines.size());
    for (int i = 0; i < m_lines.size(); ++i) {
        const QStringView text = textOf(m_lines.at(i));
        for (qsizetype pos = 0; pos < text.size(); ++pos) {
            if (const qsizetype lineEnd = lineEndAt(text, pos)) {
                bytes += "\r\n";
                pos += lineEnd - 1;
                continue;
            }
            uchar byte = 0;
            bytes += Cp1252::fromUnicode(text.at(pos), &byte) ? char(byte) : '?';
        }
        if (i + 1 < m_lines.size() || m_endsWithNewline)
            bytes += "\r\n";
        if (bytes.size() > kMaxFileSize)
            break;
    }
    if (Cp1252::beginsWithMark(bytes))
        bytes.prepend("\r\n");
    if (bytes.size() > kMaxFileSize)
        return fail(QStringLiteral("it would become larger than %1 MB, more than the program reads back.")
                        .arg(kMaxFileSize / (1024 * 1024)));
    QString reason;
    if (!FileSaver::save(m_path, bytes, &reason))
        return fail(reason);
    m_exists = true;
    m_error.clear();
    return true;
}

int IniFile::findSection(const QString& section) const
{
    if (!m_indexValid) {
        m_sectionIndex.clear();
        // Backwards, so that the first header of a name is the one kept.
        for (int i = int(m_lines.size()) - 1; i >= 0; --i) {
            if (m_lines.at(i).kind == Kind::Header)
                m_sectionIndex.insert(foldedName(nameOf(m_lines.at(i))), i);
        }
        m_indexValid = true;
    }
    const QString name = trimBlanks(section);
    const auto found = m_sectionIndex.constFind(foldedName(name));
    if (found == m_sectionIndex.cend() || !sameName(nameOf(m_lines.at(*found)), name))
        return -1;
    return *found;
}

int IniFile::findKey(const QString& section, const QString& key) const
{
    const int header = findSection(section);
    if (header < 0)
        return -1;
    const QString name = trimBlanks(key);
    for (int i = header + 1; i < m_lines.size() && m_lines.at(i).kind != Kind::Header; ++i) {
        if (m_lines.at(i).kind == Kind::Key && sameName(nameOf(m_lines.at(i)), name))
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int headerIndex) const
{
    int i = headerIndex + 1;
    while (i < m_lines.size() && m_lines.at(i).kind != Kind::Header)
        ++i;
    return i;
}

int IniFile::insertionPoint(int headerIndex)
{
    int at = sectionEnd(headerIndex);
    while (at > headerIndex + 1 && m_lines.at(at - 1).kind == Kind::Other) {
        const Line run = m_lines.at(at - 1);
        const QStringView text = textOf(run);
        // The end of the run's last line that is not blank (-1: none).
        qsizetype contentEnd = -1;
        for (qsizetype lineStart = 0;;) {
            qsizetype end = lineStart;
            while (end < text.size() && lineEndAt(text, end) == 0)
                ++end;
            if (!isBlankText(text.sliced(lineStart, end - lineStart)))
                contentEnd = end;
            if (end >= text.size())
                break;
            lineStart = end + lineEndAt(text, end);
        }
        if (contentEnd < 0) {
            --at;   // the whole run is blank: the key goes before it
            continue;
        }
        if (contentEnd < text.size()) {
            // Split: the lines up to the last one that is not blank, then the blank ones.
            const qsizetype tailStart = contentEnd + lineEndAt(text, contentEnd);
            m_lines[at - 1] = Line{run.start, quint32(contentEnd), 0, 0, Kind::Other};
            m_lines.insert(at, Line{quint32(run.start + tailStart), quint32(text.size() - tailStart), 0, 0,
                                    Kind::Other});
            m_indexValid = false;
        }
        break;
    }
    return at;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = trimBlanks(section);
    const QString keyName = trimBlanks(key);
    if (!isWritableSection(sectionName) || !isWritableKey(keyName))
        return;

    const int existing = findKey(sectionName, keyName);
    if (existing >= 0) {
        const Line line = m_lines.at(existing);
        // The same value keeps the line exactly as it was written.
        if (valueOf(line) != value) {
            replaceLine(existing, nameOf(line).toString() + u'=' + value);
            compactIfWasteful();
        }
        return;
    }
    const int header = findSection(sectionName);
    if (header < 0) {
        m_lines.append(addLine(u'[' + sectionName + u']'));
        m_lines.append(addLine(keyName + u'=' + value));
        m_endsWithNewline = true;
        m_indexValid = false;
        return;
    }
    const int at = insertionPoint(header);
    if (at == m_lines.size())
        m_endsWithNewline = true;
    m_lines.insert(at, addLine(keyName + u'=' + value));
    m_indexValid = false;
}

void IniFile::lineRemoved(const Line& line)
{
    m_wasted += line.length;
}

// Replaced and removed lines leave their text behind in m_text; once that
// is more than the text still used, the text is gathered anew.
void IniFile::compactIfWasteful()
{
    if (m_wasted < 1024 * 1024 || m_wasted < m_text.size() - m_wasted)
        return;
    QString text;
    text.reserve(m_text.size() - m_wasted);
    for (Line& line : m_lines) {
        const qsizetype start = text.size();
        text += textOf(line);
        line.start = quint32(start);
    }
    m_text = std::move(text);
    m_wasted = 0;
}
