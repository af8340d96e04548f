#include "platform/Cp1252.h"

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

} // namespace Cp1252
