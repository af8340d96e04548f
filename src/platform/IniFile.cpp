#include "platform/IniFile.h"

#include "platform/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <climits>
#include <cmath>

namespace {

std::function<bool()>& beforeReplaceHook()
{
    static std::function<bool()> hook;
    return hook;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isQuoted(const QString& text)
{
    return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'')
           && text.back() == text.front();
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

QList<QString> splitLines(const QString& text, bool* endsWithNewline)
{
    QList<QString> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    *endsWithNewline = start == text.size();
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
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
        m_error = QStringLiteral("Unable to read the file \"%1\": %2").arg(m_path, reason);
    };
    // A folder, a pipe or a device is not a settings file (a pipe would block).
    if (!info.isFile())
        return fail(info.isDir() ? QStringLiteral("it is a folder.")
                                 : QStringLiteral("it is not a regular file."));
    if (info.size() > kMaxFileSize)
        return fail(QStringLiteral("it is larger than %1 MB.").arg(kMaxFileSize / (1024 * 1024)));
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    // Read one byte more than allowed, for a file that grew since it was measured.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes.size() > kMaxFileSize)
        return fail(QStringLiteral("it is larger than %1 MB.").arg(kMaxFileSize / (1024 * 1024)));

    const QList<QString> texts = splitLines(Cp1252::decode(bytes), &m_endsWithNewline);
    m_lines.reserve(texts.size());
    for (const QString& text : texts)
        m_lines.append(parseLine(text));
}

IniFile::Line IniFile::parseLine(const QString& text)
{
    Line line;
    line.text = text;
    const QString trimmed = trimBlanks(text);
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0) {
            line.header = true;
            line.section = trimBlanks(trimmed.mid(1, close - 1));
        }
        return line;
    }
    if (trimmed.startsWith(u';'))
        return line;
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals > 0) {
        line.key = trimBlanks(trimmed.left(equals));
        line.value = trimBlanks(trimmed.mid(equals + 1));
    }
    return line;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Line& line : m_lines) {
        if (line.header && !names.contains(line.section, Qt::CaseInsensitive))
            names.append(line.section);
    }
    return names;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList names;
    const int header = findSection(section);
    if (header < 0)
        return names;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line& line = m_lines.at(i);
        if (!line.key.isEmpty() && !names.contains(line.key, Qt::CaseInsensitive))
            names.append(line.key);
    }
    return names;
}

bool IniFile::sectionExists(const QString& section) const
{
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    return findValue(section, key) != nullptr;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    const Line* line = findValue(section, key);
    int value = 0;
    return line && parseInteger(line->value, &value) ? value : defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    const Line* line = findValue(section, key);
    int value = 0;
    return line && parseInteger(line->value, &value) ? value != 0 : defaultValue;
}

double IniFile::readTime(const QString& section, const QString& key, double defaultValue) const
{
    const Line* line = findValue(section, key);
    double value = 0;
    return line && parseTime(line->value, &value) ? value : defaultValue;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const Line* line = findValue(section, key);
    if (!line)
        return defaultValue;
    return isQuoted(line->value) ? line->value.mid(1, line->value.size() - 2) : line->value;
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

void IniFile::deleteKey(const QString& section, const QString& key)
{
    const int header = findSection(section);
    if (header < 0)
        return;
    const QString name = trimBlanks(key);
    for (int i = sectionEnd(header) - 1; i > header; --i) {
        if (!m_lines.at(i).key.isEmpty() && sameName(m_lines.at(i).key, name))
            m_lines.removeAt(i);
    }
}

void IniFile::eraseSection(const QString& section)
{
    for (int header = findSection(section); header >= 0; header = findSection(section))
        m_lines.remove(header, sectionEnd(header) - header);
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
    if (m_readFailed) {
        m_error = QStringLiteral("The file \"%1\" was not saved, because it could not be read "
                                 "and its content would be lost.").arg(m_path);
        return false;
    }
    QString text;
    for (int i = 0; i < m_lines.size(); ++i) {
        text += m_lines.at(i).text;
        if (i + 1 < m_lines.size() || m_endsWithNewline)
            text += QStringLiteral("\r\n");
    }
    const QByteArray bytes = Cp1252::encode(text);

    const auto fail = [this](const QString& reason) {
        m_error = QStringLiteral("Unable to save the file \"%1\": %2").arg(m_path, reason);
        return false;
    };
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size())
        return fail(file.errorString());
    const std::function<bool()>& hook = beforeReplaceHook();
    if (hook && !hook()) {
        file.cancelWriting();
        return fail(QStringLiteral("the save was interrupted."));
    }
    if (!file.commit())
        return fail(file.errorString());
    m_exists = true;
    m_error.clear();
    return true;
}

void IniFile::setBeforeReplaceHook(std::function<bool()> hook)
{
    beforeReplaceHook() = std::move(hook);
}

int IniFile::findSection(const QString& section) const
{
    const QString name = trimBlanks(section);
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).header && sameName(m_lines.at(i).section, name))
            return i;
    }
    return -1;
}

int IniFile::findKey(const QString& section, const QString& key) const
{
    const int header = findSection(section);
    if (header < 0)
        return -1;
    const QString name = trimBlanks(key);
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (!m_lines.at(i).key.isEmpty() && sameName(m_lines.at(i).key, name))
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int headerIndex) const
{
    int i = headerIndex + 1;
    while (i < m_lines.size() && !m_lines.at(i).header)
        ++i;
    return i;
}

const IniFile::Line* IniFile::findValue(const QString& section, const QString& key) const
{
    const int index = findKey(section, key);
    return index < 0 ? nullptr : &m_lines.at(index);
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = trimBlanks(section);
    const QString keyName = trimBlanks(key);
    if (!isWritableSection(sectionName) || !isWritableKey(keyName))
        return;

    const int existing = findKey(sectionName, keyName);
    if (existing >= 0) {
        Line& line = m_lines[existing];
        // The same value keeps the line exactly as it was written.
        if (line.value != value)
            line = parseLine(line.key + u'=' + value);
        return;
    }
    const Line added = parseLine(keyName + u'=' + value);
    const int header = findSection(sectionName);
    if (header < 0) {
        m_lines.append(parseLine(u'[' + sectionName + u']'));
        m_lines.append(added);
        m_endsWithNewline = true;
        return;
    }
    int at = sectionEnd(header);
    while (at > header + 1 && trimBlanks(m_lines.at(at - 1).text).isEmpty())
        --at;
    if (at == m_lines.size())
        m_endsWithNewline = true;
    m_lines.insert(at, added);
}
