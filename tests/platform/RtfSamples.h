#pragma once

// Documents and rich texts shared by the Rtf tests.

#include "shell/TextHelpers.h"

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace RtfSamples {

inline QTextCharFormat font(const QString& family, qreal points, bool bold)
{
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

// Appends one paragraph with the alignment and character format in force.
class ParagraphWriter
{
public:
    explicit ParagraphWriter(QTextDocument* doc)
        : m_cursor(doc)
    {
    }

    void set(Qt::Alignment alignment, const QTextCharFormat& format)
    {
        m_alignment = alignment;
        m_format = format;
    }

    void add(const QString& text)
    {
        QTextBlockFormat block;
        block.setAlignment(m_alignment);
        if (m_first) {
            m_cursor.setBlockFormat(block);
            m_cursor.setBlockCharFormat(m_format);
            m_first = false;
        } else {
            m_cursor.insertBlock(block, m_format);
        }
        m_cursor.insertText(text, m_format);
    }

private:
    QTextCursor m_cursor;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QTextCharFormat m_format;
    bool m_first = true;
};

inline QString row(const QString& title, int correct, int total)
{
    return title + QString(44 - title.size(), QLatin1Char('.')) + PadLeft(QString::number(correct), 10)
           + PadLeft(QString::number(total), 10)
           + PadLeft(QString::number(total ? correct * 100 / total : 0), 5);
}

// A marksheet the way the performance report lays one out: centred Times New
// Roman title lines, a learner's name with accents, Courier New rows of 69
// characters with rule lines each followed by an empty paragraph.
inline void buildMarksheet(QTextDocument* doc)
{
    doc->clear();
    doc->setDefaultFont(QFont(QStringLiteral("Courier New"), 10));
    ParagraphWriter w(doc);
    const QString times = QStringLiteral("Times New Roman");
    const QString courier = QStringLiteral("Courier New");
    const QString rule = QString(69, QLatin1Char('_'));
    w.set(Qt::AlignHCenter, font(times, 20, true));
    w.add(QStringLiteral("Vandrelsholm Speed Math"));
    w.set(Qt::AlignHCenter, font(times, 12, true));
    w.add(QStringLiteral("SCORES"));
    w.set(Qt::AlignHCenter, font(times, 12, false));
    w.add(QString());
    w.add(QStringLiteral("Zoë Ångström"));
    w.add(QStringLiteral("07/12/2024 — Saturday"));
    w.add(QString());
    w.set(Qt::AlignLeft, font(courier, 10, true));
    w.add(rule);
    w.add(QString());
    w.add(QString(44, QLatin1Char(' ')) + PadLeft(QStringLiteral("Correct"), 10)
          + PadLeft(QStringLiteral("Total"), 10) + PadLeft(QStringLiteral("%"), 5));
    w.add(rule);
    w.add(QString());
    w.set(Qt::AlignLeft, font(courier, 10, false));
    w.add(row(QStringLiteral("ADDITION"), 37, 50));
    w.add(row(QStringLiteral("ODDS & EVENS"), 1, 3));
    w.add(row(QStringLiteral("UNITS & TENS"), 0, 0));
    w.add(rule);
    w.add(QString());
    w.add(row(QStringLiteral("SQUARE 5?5"), 999, 1000));
    w.add(row(QStringLiteral("TWO-FINGER METHOD SPEED MULTIPLICATION"), 12, 40));
    w.add(rule);
    w.add(QString());
    w.add(QStringLiteral("Overall percentage :") + PadLeft(QStringLiteral("48"), 5) + QStringLiteral(" %"));
    w.add(rule);
    w.add(QString());
}

// Hand-made rich text that uses every construct the reader knows, with the
// document's own meaning of each noted in the test that reads it.
inline QByteArray handMade()
{
    return QByteArrayLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff1\\uc1"
        "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman{\\*\\falt Liberation Serif};}"
        "{\\f2\\fmodern\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
        "{\\info{\\title Hidden title}{\\author Hidden author}}"
        "{\\*\\generator Some Writer 1.0;}{\\header Hidden header\\par}{\\footer Hidden footer\\par}\r\n"
        "\\pard\\qc\\f0\\fs40\\b Heading\\b0  \\i slanted\\i0 \\par\r\n"
        "\\pard\\ql\\plain plain {\\b bold {\\ul both}} back\\par\r\n"
        "\\pard\\qr\\f2\\fs20 a\\tab b\\line c\\par\r\n"
        "\\pard\\qj caf\\'e9 \\u8364? \\uc2\\u937\\'3f\\'3f! {\\uc0\\u8212}\\emdash\\endash\\bullet"
        "\\lquote\\rquote\\ldblquote\\rdblquote\\~\\-\\_\\{\\}\\\\\\par\r\n"
        "{\\pict\\wmetafile8 0123456789abcdef}{\\*\\unknowndest hidden}\\bin3 {}x\\par\r\n"
        "last}trailing text");
}

} // namespace RtfSamples
