#include "app/HelpMarkup.h"

#include <QRegularExpression>
#include <QStringList>

#include <limits>

namespace HelpMarkup {

namespace {

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// One pass over a paragraph's text. Writes the HTML to out (when given)
// and notes every link to links (when given). Code spans are taken first at
// each position, so nothing inside backquotes is markup.
class InlineWalker
{
public:
    InlineWalker(const Resolver& resolve, QList<Link>* links) : m_resolve(resolve), m_links(links) {}

    bool unclosedLink = false;

    QString walk(const QString& text, bool allowLinks)
    {
        QString out;
        const qsizetype n = text.size();
        // A marker without a partner further on has none at any later place
        // either: it is not looked for again, so every line takes one pass.
        bool codeLeft = true;
        bool linksLeft = allowLinks;
        bool boldLeft = true;
        bool italicLeft = true;
        qsizetype i = 0;
        while (i < n) {
            if (codeLeft && text[i] == QLatin1Char('`')) {
                const qsizetype end = text.indexOf(QLatin1Char('`'), i + 1);
                if (end > i + 1) {
                    out += QStringLiteral("<code>") + escaped(text.mid(i + 1, end - i - 1))
                           + QStringLiteral("</code>");
                    i = end + 1;
                    continue;
                }
                codeLeft = end > 0;
            }
            if (linksLeft && text.mid(i, 2) == QLatin1String("[[")) {
                const qsizetype end = text.indexOf(QLatin1String("]]"), i + 2);
                if (end > i + 2) {
                    out += link(text.mid(i + 2, end - i - 2));
                    i = end + 2;
                    continue;
                }
                unclosedLink = true;
                linksLeft = end > 0;
            }
            const QString marker = text.mid(i, 2);
            bool& left = marker == QLatin1String("**") ? boldLeft : italicLeft;
            if (const QString tag = pairTag(marker); !tag.isEmpty() && left) {
                const qsizetype end = text.indexOf(marker, i + 2);
                if (end > i + 2) {
                    out += QLatin1Char('<') + tag + QLatin1Char('>')
                           + walk(text.mid(i + 2, end - i - 2), allowLinks)
                           + QStringLiteral("</") + tag + QLatin1Char('>');
                    i = end + 2;
                    continue;
                }
                left = end > 0;
            }
            out += escaped(QString(text[i]));
            ++i;
        }
        return out;
    }

private:
    static QString pairTag(const QString& marker)
    {
        if (marker == QLatin1String("**"))
            return QStringLiteral("b");
        if (marker == QLatin1String("__"))
            return QStringLiteral("i");
        return {};
    }

    QString link(const QString& inner)
    {
        const qsizetype bar = inner.indexOf(QLatin1Char('|'));
        Link found{inner.left(bar < 0 ? inner.size() : bar).trimmed(),
                   bar < 0 ? QString() : inner.mid(bar + 1).trimmed()};
        if (m_links)
            m_links->append(found);
        int number = 0;
        QString title;
        const bool known = m_resolve && m_resolve(found.target, &number, &title);
        const QString shown = found.text.isEmpty() ? escaped(known ? title : found.target)
                                                   : walk(found.text, false);
        if (!known)
            return shown;
        return QStringLiteral("<a href=\"topic:%1\">%2</a>").arg(number).arg(shown);
    }

    const Resolver& m_resolve;
    QList<Link>* m_links;
};

const QRegularExpression& bulletItem()
{
    static const QRegularExpression re(QStringLiteral("^[*-]\\s+(.*)$"));
    return re;
}

const QRegularExpression& numberedItem()
{
    static const QRegularExpression re(QStringLiteral("^\\d{1,3}[.)]\\s+(.*)$"));
    return re;
}

// Collects the blocks of a body and writes each one out when it ends.
class BlockWriter
{
public:
    explicit BlockWriter(const Resolver& resolve) : m_resolve(resolve) {}

    void line(const QString& raw)
    {
        const QString trimmed = raw.trimmed();
        if (m_inFence) {
            if (trimmed.startsWith(QLatin1String("```")))
                flushFence();
            else
                m_fence.append(raw);
            return;
        }
        if (trimmed.startsWith(QLatin1String("```"))) {
            flushAll();
            m_inFence = true;
            return;
        }
        if (trimmed.isEmpty()) {
            flushAll();
            return;
        }
        if (raw.startsWith(QLatin1Char('\\'))) {
            text(raw.mid(1).trimmed());
            return;
        }
        if (raw.startsWith(QLatin1String("== "))) {
            flushAll();
            m_html += QStringLiteral("<h3>") + inlineHtml(trimmed.mid(3).trimmed())
                      + QStringLiteral("</h3>\n");
            return;
        }
        if (const auto m = bulletItem().match(raw); m.hasMatch()) {
            item(QStringLiteral("ul"), m.captured(1));
            return;
        }
        if (const auto m = numberedItem().match(raw); m.hasMatch()) {
            item(QStringLiteral("ol"), m.captured(1));
            return;
        }
        if (!m_listTag.isEmpty() && m_paragraph.isEmpty() && raw.front().isSpace()) {
            m_items.last() += QLatin1Char(' ') + trimmed;
            return;
        }
        text(trimmed);
    }

    QString finish()
    {
        if (m_inFence)
            flushFence();
        flushAll();
        return m_html;
    }

private:
    QString inlineHtml(const QString& text)
    {
        InlineWalker walker(m_resolve, nullptr);
        return walker.walk(text, true);
    }

    void text(const QString& trimmed)
    {
        flushList();
        m_paragraph.append(trimmed);
    }

    void item(const QString& tag, const QString& content)
    {
        flushParagraph();
        if (m_listTag != tag)
            flushList();
        m_listTag = tag;
        m_items.append(content.trimmed());
    }

    void flushParagraph()
    {
        if (m_paragraph.isEmpty())
            return;
        m_html += QStringLiteral("<p>") + inlineHtml(m_paragraph.join(QLatin1Char(' ')))
                  + QStringLiteral("</p>\n");
        m_paragraph.clear();
    }

    void flushList()
    {
        if (m_listTag.isEmpty())
            return;
        m_html += QLatin1Char('<') + m_listTag + QStringLiteral(">\n");
        for (const QString& entry : std::as_const(m_items))
            m_html += QStringLiteral("<li>") + inlineHtml(entry) + QStringLiteral("</li>\n");
        m_html += QStringLiteral("</") + m_listTag + QStringLiteral(">\n");
        m_listTag.clear();
        m_items.clear();
    }

    void flushFence()
    {
        m_html += QStringLiteral("<pre>") + escaped(m_fence.join(QLatin1Char('\n')))
                  + QStringLiteral("</pre>\n");
        m_fence.clear();
        m_inFence = false;
    }

    void flushAll()
    {
        flushParagraph();
        flushList();
    }

    const Resolver& m_resolve;
    QString m_html;
    QStringList m_paragraph;
    QString m_listTag;
    QStringList m_items;
    QStringList m_fence;
    bool m_inFence = false;
};

} // namespace

QList<Link> linksInLine(const QString& line, bool* unclosed)
{
    QList<Link> links;
    const Resolver none;
    InlineWalker walker(none, &links);
    walker.walk(line, true);
    if (unclosed)
        *unclosed = walker.unclosedLink;
    return links;
}

bool parseNumber(const QString& text, int* number)
{
    if (text.isEmpty() || text.size() > 10)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const qint64 value = text.toLongLong();
    if (value > std::numeric_limits<int>::max())
        return false;
    *number = static_cast<int>(value);
    return true;
}

bool isJumpId(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]{0,63}$"));
    return re.match(text).hasMatch();
}

QString blocksToHtml(const QString& source, const Resolver& resolve)
{
    BlockWriter writer(resolve);
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        writer.line(line);
    return writer.finish();
}

QString inlineToHtml(const QString& text, const Resolver& resolve)
{
    InlineWalker walker(resolve, nullptr);
    return walker.walk(text, true);
}

} // namespace HelpMarkup
