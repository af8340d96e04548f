#pragma once

// What a reader sees of a rich-text document, paragraph by paragraph, for
// comparing documents in tests.

#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

// One paragraph: its text, alignment, and the formatting of its first
// character (of its mark when it is empty).
struct ParagraphLook {
    QString text;
    Qt::Alignment alignment;
    QString family;
    qreal points;
    bool bold;
    bool italic = false;
    bool underline = false;
    bool operator==(const ParagraphLook&) const = default;
};

inline char* toString(const ParagraphLook& p)
{
    return QTest::toString(QStringLiteral("\"%1\" align %2 %3 %4pt%5%6%7")
                               .arg(p.text)
                               .arg(int(p.alignment))
                               .arg(p.family)
                               .arg(p.points)
                               .arg(p.bold ? " bold" : "", p.italic ? " italic" : "",
                                    p.underline ? " underline" : ""));
}

inline QTextCharFormat firstFormat(const QTextBlock& block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (!it.fragment().text().isEmpty())
            return it.fragment().charFormat();
    }
    return block.charFormat();
}

inline QList<ParagraphLook> looks(const QTextDocument& doc)
{
    QList<ParagraphLook> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextCharFormat f = firstFormat(b);
        out.append({b.text(), b.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                    f.property(QTextFormat::FontFamilies).toStringList().value(0), f.fontPointSize(),
                    f.fontWeight() >= QFont::DemiBold, f.fontItalic(), f.fontUnderline()});
    }
    return out;
}

// The character formats of a paragraph, one per character.
inline QList<QTextCharFormat> formatsOf(const QTextBlock& block)
{
    QList<QTextCharFormat> out;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        for (int i = 0; i < it.fragment().length(); ++i)
            out.append(it.fragment().charFormat());
    }
    return out;
}

// The text of a PDF file as pdftotext lays it out (UTF-8, columns kept);
// a null text when pdftotext is not installed.
inline QString pdfText(const QString& pdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return QString();
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                        QStringLiteral("-")});
    if (!p.waitForFinished(60000))
        return QStringLiteral("pdftotext did not finish");
    return QString::fromUtf8(p.readAllStandardOutput());
}
