#include "platform/RtfFormat.h"

#include <algorithm>

namespace RtfFormat {

int clampHalfPoints(qint64 halfPoints)
{
    return int(std::clamp<qint64>(halfPoints, 2, 3276));
}

QByteArray familyClass(const QString& family, QFont::StyleHint hint)
{
    switch (hint) {
    case QFont::Serif:
        return "froman";
    case QFont::TypeWriter:
        return "fmodern";
    case QFont::SansSerif:
        return "fswiss";
    default:
        break;
    }
    static const struct {
        const char* family;
        const char* classWord;
    } known[] = {
        {"Times New Roman", "froman"}, {"Times", "froman"}, {"Liberation Serif", "froman"},
        {"Georgia", "froman"},         {"Serif", "froman"},  {"DejaVu Serif", "froman"},
        {"Courier New", "fmodern"},    {"Courier", "fmodern"}, {"Liberation Mono", "fmodern"},
        {"Consolas", "fmodern"},       {"Monospace", "fmodern"}, {"DejaVu Sans Mono", "fmodern"},
        {"Arial", "fswiss"},           {"Helvetica", "fswiss"}, {"Liberation Sans", "fswiss"},
        {"Verdana", "fswiss"},         {"Tahoma", "fswiss"},   {"Sans Serif", "fswiss"},
        {"DejaVu Sans", "fswiss"},
    };
    for (const auto& k : known) {
        if (family.compare(QLatin1String(k.family), Qt::CaseInsensitive) == 0)
            return k.classWord;
    }
    return "fnil";
}

QFont::StyleHint styleHintOf(const QByteArray& classWord)
{
    if (classWord == "froman")
        return QFont::Serif;
    if (classWord == "fmodern")
        return QFont::TypeWriter;
    if (classWord == "fswiss")
        return QFont::SansSerif;
    if (classWord == "fscript")
        return QFont::Cursive;
    if (classWord == "fdecor")
        return QFont::Decorative;
    return QFont::AnyStyle;
}

bool isTextCharacter(char16_t ch)
{
    if (ch < 0x20)
        return ch == '\t';
    if (ch == 0x7F || ch == 0x2029 || ch == 0xFFFC || ch >= 0xFFFE)
        return false;
    return ch < 0xFDD0 || ch > 0xFDEF;
}

const char* alignmentWord(Qt::Alignment alignment)
{
    switch (alignment & Qt::AlignHorizontal_Mask) {
    case Qt::AlignHCenter:
        return "qc";
    case Qt::AlignRight:
        return "qr";
    case Qt::AlignJustify:
        return "qj";
    default:
        return "ql";
    }
}

} // namespace RtfFormat
