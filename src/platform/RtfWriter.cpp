// Writing a QTextDocument as RTF.
//
// The body is written first, so that the font table lists exactly the
// families the runs use; font 0 is the document's default font. Character
// formatting is written as the changes from one run to the next, the way word
// processors do, and every paragraph (also the last) ends with "\par".

#include "platform/Rtf.h"
#include "platform/Cp1252.h"
#include "platform/RtfFormat.h"

#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace {

// The character formatting that RTF keeps, as the writer tracks it.
struct RunFormat {
    int font = 0;
    int halfPoints = RtfFormat::DefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class Writer
{
public:
    explicit Writer(const QTextDocument& doc)
        : m_doc(doc)
    {
        const QFont def = doc.defaultFont();
        m_fonts.append({def.family(), def.styleHint()});
        m_defaultHalfPoints = toHalfPoints(def.pointSizeF());
    }

    QByteArray run()
    {
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
            writeBlock(block);
        return header() + m_body + "}\r\n";
    }

private:
    struct Font {
        QString family;
        QFont::StyleHint hint;
    };

    QByteArray header() const
    {
        QByteArray h = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i) {
            const Font& f = m_fonts.at(i);
            h += "{\\f" + QByteArray::number(i) + '\\' + RtfFormat::familyClass(f.family, f.hint)
                 + "\\fcharset0 " + escapedText(f.family) + ";}";
        }
        h += "}\r\n{\\*\\generator Vandrelsholm Speed Math;}\r\n";
        return h;
    }

    static int toHalfPoints(qreal points)
    {
        if (!(points > 0))
            return RtfFormat::DefaultHalfPoints;
        return RtfFormat::clampHalfPoints(qint64(std::lround(points * 2)));
    }

    int fontIndex(const QString& family, QFont::StyleHint hint)
    {
        for (int i = 0; i < m_fonts.size(); ++i) {
            if (m_fonts.at(i).family == family)
                return i;
        }
        m_fonts.append({family, hint});
        return int(m_fonts.size() - 1);
    }

    RunFormat formatOf(const QTextCharFormat& cf)
    {
        RunFormat f;
        const QStringList families = cf.property(QTextFormat::FontFamilies).toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            f.font = fontIndex(families.first(), cf.hasProperty(QTextFormat::FontStyleHint)
                                                     ? cf.fontStyleHint()
                                                     : QFont::AnyStyle);
        f.halfPoints = cf.hasProperty(QTextFormat::FontPointSize) ? toHalfPoints(cf.fontPointSize())
                                                                  : m_defaultHalfPoints;
        f.bold = cf.fontWeight() >= QFont::DemiBold;
        f.italic = cf.fontItalic();
        f.underline = cf.fontUnderline();
        return f;
    }

    // A control word; the delimiter that follows it is written with the next
    // text, so that "\b0" before "7" does not become "\b07".
    void control(const char* word)
    {
        m_body += '\\';
        m_body += word;
        m_needDelimiter = true;
    }

    void control(const char* word, int parameter)
    {
        control(word);
        m_body += QByteArray::number(parameter);
    }

    void switchTo(const RunFormat& f)
    {
        if (f.font != m_current.font)
            control("f", f.font);
        if (f.halfPoints != m_current.halfPoints)
            control("fs", f.halfPoints);
        if (f.bold != m_current.bold)
            control(f.bold ? "b" : "b0");
        if (f.italic != m_current.italic)
            control(f.italic ? "i" : "i0");
        if (f.underline != m_current.underline)
            control(f.underline ? "ul" : "ulnone");
        m_current = f;
    }

    // Text with the escapes RTF needs; also used for font names.
    static QByteArray escapedText(const QString& text)
    {
        QByteArray out;
        out.reserve(text.size());
        for (QChar ch : text) {
            const char16_t u = ch.unicode();
            uchar byte = 0;
            if (!RtfFormat::isTextCharacter(u)) {
                continue;
            } else if (u == '\\' || u == '{' || u == '}') {
                out += '\\';
                out += char(u);
            } else if (u == '\t') {
                out += "\\tab ";
            } else if (u == QChar::LineSeparator) {
                out += "\\line ";
            } else if (u >= 0x20 && u < 0x7F) {
                out += char(u);
            } else if (Cp1252::fromUnicode(ch, &byte)) {
                out += "\\'";
                out += QByteArray::number(byte, 16).rightJustified(2, '0');
            } else {
                // RTF's parameter is a signed 16-bit number.
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
        return out;
    }

    void text(const QString& t)
    {
        if (t.isEmpty())
            return;
        if (m_needDelimiter)
            m_body += ' ';
        m_needDelimiter = false;
        m_body += escapedText(t);
    }

    void writeBlock(const QTextBlock& block)
    {
        control("pard");
        control(RtfFormat::alignmentWord(block.blockFormat().alignment()));
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid() || frag.text().isEmpty())
                continue;
            switchTo(formatOf(frag.charFormat()));
            text(frag.text());
            any = true;
        }
        // An empty paragraph keeps the font of its mark, which sets its height.
        if (!any)
            switchTo(formatOf(block.charFormat()));
        control("par");
        m_body += "\r\n";
        m_needDelimiter = false;
    }

    const QTextDocument& m_doc;
    QList<Font> m_fonts;
    int m_defaultHalfPoints = RtfFormat::DefaultHalfPoints;
    RunFormat m_current;
    QByteArray m_body;
    bool m_needDelimiter = false;
};

} // namespace

namespace Rtf {

QByteArray write(const QTextDocument& doc)
{
    return Writer(doc).run();
}

} // namespace Rtf
