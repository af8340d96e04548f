#include "platform/Cp1252.h"

#include <QStringDecoder>

namespace {

// 0x80..0x9F; the undefined bytes keep their own number.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

namespace Cp1252 {

QChar toUnicode(uchar byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(char16_t(byte));
}

bool fromUnicode(QChar ch, uchar* byte)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        *byte = uchar(u);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u) {
            *byte = uchar(0x80 + i);
            return true;
        }
    }
    return false;
}

QString decode(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.append(toUnicode(uchar(c)));
    return text;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        uchar b = 0;
        bytes.append(fromUnicode(ch, &b) ? char(b) : '?');
    }
    return bytes;
}

bool canEncode(const QString& text)
{
    uchar b = 0;
    for (QChar ch : text) {
        if (!fromUnicode(ch, &b))
            return false;
    }
    return true;
}

bool beginsWithMark(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

FileText decodeFile(const QByteArray& bytes)
{
    FileText result;
    const auto utf = [&](QStringDecoder::Encoding encoding, qsizetype markSize) {
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
        QString text = decoder(QByteArrayView(bytes).sliced(markSize));
        if (decoder.hasError())
            return false;
        result.text = std::move(text);
        result.otherEncoding = true;
        return true;
    };
    if (!beginsWithMark(bytes)) {
        result.text = decode(bytes);
        return result;
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (!utf(QStringDecoder::Utf8, 3))
            result.text = decode(bytes.sliced(3));
        return result;
    }
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (bytes.size() % 2 != 0 || !utf(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE, 2))
        result.error = QStringLiteral("it begins with a UTF-16 mark but is no valid UTF-16 text.");
    return result;
}

} // namespace Cp1252
