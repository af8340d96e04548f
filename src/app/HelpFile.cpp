#include "app/HelpFile.h"

#include "app/HelpMarkup.h"
#include "platform/FileReading.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

const QString Signature = QStringLiteral("VSMHELP 1");

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString numberError(const QString& text)
{
    return QStringLiteral("%1 is not a context number (a whole number from 0 to 2147483647)")
        .arg(quoted(text));
}

} // namespace

// Reads a help file line by line. Every fault stops the parse with the
// number of the line where it stands.
class HelpFileParser
{
public:
    explicit HelpFileParser(HelpFile& file) : m_file(file) {}

    bool run(const QStringList& lines, QString* error)
    {
        m_error = error;
        qsizetype i = 0;
        if (!readSignature(lines, &i))
            return false;
        for (; i < lines.size(); ++i) {
            m_line = static_cast<int>(i) + 1;
            if (!step(lines[i]))
                return false;
        }
        if (m_block != Block::None) {
            m_line = m_blockLine;
            return fail(QStringLiteral("the block %1 has no [end]").arg(m_blockOpener));
        }
        return finish();
    }

private:
    enum class Block { None, Topic, Popup, Contents };

    struct PendingRef {
        QString target;
        int line = 0;
        bool contents = false; // a contents entry, else a link
    };

    bool fail(const QString& what)
    {
        *m_error = m_line > 0 ? QStringLiteral("line %1: %2").arg(m_line).arg(what) : what;
        return false;
    }

    bool readSignature(const QStringList& lines, qsizetype* i)
    {
        for (; *i < lines.size(); ++*i) {
            const QString trimmed = lines[*i].trimmed();
            if (trimmed.isEmpty() || lines[*i].startsWith(QLatin1Char('#')))
                continue;
            m_line = static_cast<int>(*i) + 1;
            ++*i;
            if (trimmed == Signature)
                return true;
            if (trimmed.startsWith(QLatin1String("VSMHELP ")))
                return fail(QStringLiteral("this help format version is not supported (%1; "
                                           "this program reads %2)")
                                .arg(quoted(trimmed), quoted(Signature)));
            m_line = 0;
            return fail(QStringLiteral("this is not a help file of this program "
                                       "(its first line must be %1)")
                            .arg(quoted(Signature)));
        }
        return fail(QStringLiteral("the file holds no help (it is empty)"));
    }

    bool step(const QString& line)
    {
        if (line.startsWith(QLatin1Char('#')))
            return true;
        const QString trimmed = line.trimmed();
        if (m_block == Block::None)
            return outside(trimmed);
        if (trimmed == QLatin1String("[end]"))
            return closeBlock();
        if (opensBlock(trimmed))
            return fail(QStringLiteral("%1 begins inside the block %2 opened on line %3; "
                                       "is an [end] missing?")
                            .arg(trimmed, m_blockOpener)
                            .arg(m_blockLine));
        switch (m_block) {
        case Block::Topic:
            return topicLine(line);
        case Block::Popup:
            return popupLine(line);
        case Block::Contents:
            return contentsLine(trimmed);
        case Block::None:
            break;
        }
        return true;
    }

    static bool opensBlock(const QString& trimmed)
    {
        static const QRegularExpression re(QStringLiteral("^\\[(topic|popup|contents)\\b"));
        return re.match(trimmed).hasMatch();
    }

    bool outside(const QString& trimmed)
    {
        if (trimmed.isEmpty())
            return true;
        if (trimmed.startsWith(QLatin1Char('[')))
            return openBlock(trimmed);
        static const QRegularExpression directive(QStringLiteral("^([a-z]+):\\s*(.*)$"));
        const auto m = directive.match(trimmed);
        if (!m.hasMatch())
            return fail(QStringLiteral("%1 stands outside any block").arg(quoted(trimmed)));
        const QString key = m.captured(1);
        const QString value = m.captured(2).trimmed();
        if (key == QLatin1String("title"))
            return fileTitle(value);
        if (key == QLatin1String("contents"))
            return contentsDirective(value);
        if (key == QLatin1String("window"))
            return windowDirective(value);
        return fail(QStringLiteral("unknown setting %1").arg(quoted(key + QLatin1Char(':'))));
    }

    bool fileTitle(const QString& value)
    {
        if (m_seenTitle)
            return fail(QStringLiteral("the file's title is given twice"));
        if (value.isEmpty())
            return fail(QStringLiteral("the file's title is empty"));
        m_seenTitle = true;
        m_file.m_title = value;
        return true;
    }

    bool contentsDirective(const QString& value)
    {
        if (m_contentsLine)
            return fail(QStringLiteral("the contents topic is named twice"));
        int number = 0;
        if (!HelpMarkup::parseNumber(value, &number))
            return fail(numberError(value));
        m_file.m_contentsTopic = number;
        m_contentsLine = m_line;
        return true;
    }

    bool windowDirective(const QString& value)
    {
        static const QRegularExpression re(
            QStringLiteral("^([A-Za-z0-9_]{1,32})\\s+(\\d{1,5})\\s+(\\d{1,5})(?:\\s+(.*))?$"));
        const auto m = re.match(value);
        if (!m.hasMatch())
            return fail(QStringLiteral("a window is written \"window: Name Width Height Caption\""));
        const HelpFile::SecondaryWindow window{
            m.captured(1), QSize(m.captured(2).toInt(), m.captured(3).toInt()), m.captured(4).trimmed()};
        if (window.size.width() < 200 || window.size.width() > 4000 || window.size.height() < 150
            || window.size.height() > 4000)
            return fail(QStringLiteral("the size of window %1 is out of range").arg(window.name));
        if (m_file.secondaryWindow(window.name))
            return fail(QStringLiteral("window %1 is described twice").arg(window.name));
        m_file.m_windows.append(window);
        return true;
    }

    bool openBlock(const QString& trimmed)
    {
        if (trimmed == QLatin1String("[end]"))
            return fail(QStringLiteral("[end] without a block to end"));
        static const QRegularExpression re(QStringLiteral("^\\[([a-z]+)((?:\\s+[^\\s\\]]+)*)\\s*\\]$"));
        const auto m = re.match(trimmed);
        if (!m.hasMatch())
            return fail(QStringLiteral("%1 is not a block heading").arg(quoted(trimmed)));
        const QString kind = m.captured(1);
        const QStringList words = m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        m_blockOpener = trimmed;
        m_blockLine = m_line;
        if (kind == QLatin1String("contents")) {
            if (!words.isEmpty())
                return fail(QStringLiteral("[contents] takes nothing more"));
            if (m_file.m_hasContentsBlock)
                return fail(QStringLiteral("the file has a second [contents] block"));
            m_file.m_hasContentsBlock = true;
            m_block = Block::Contents;
            return true;
        }
        if (kind == QLatin1String("topic"))
            return openTopic(words);
        if (kind == QLatin1String("popup"))
            return openPopup(words);
        return fail(QStringLiteral("unknown block %1").arg(quoted(trimmed)));
    }

    bool takeNumber(const QStringList& words, int* number)
    {
        if (words.isEmpty())
            return fail(QStringLiteral("%1 needs a context number").arg(m_blockOpener));
        if (!HelpMarkup::parseNumber(words[0], number))
            return fail(numberError(words[0]));
        if (const int previous = m_numberLines.value(*number); previous > 0)
            return fail(QStringLiteral("context number %1 is already used on line %2")
                            .arg(*number)
                            .arg(previous));
        m_numberLines.insert(*number, m_line);
        return true;
    }

    bool openTopic(const QStringList& words)
    {
        HelpFile::Topic topic;
        if (!takeNumber(words, &topic.number))
            return false;
        if (words.size() > 2)
            return fail(QStringLiteral("a topic heading is [topic Number] or [topic Number JumpId]"));
        if (words.size() == 2) {
            if (!HelpMarkup::isJumpId(words[1]))
                return fail(QStringLiteral("%1 is not a jump identifier (letters, digits, \"_\" "
                                           "and \".\", beginning with a letter or \"_\")")
                                .arg(quoted(words[1])));
            const QString key = words[1].toLower();
            if (const int previous = m_jumpLines.value(key); previous > 0)
                return fail(QStringLiteral("jump identifier %1 is already used on line %2")
                                .arg(words[1])
                                .arg(previous));
            m_jumpLines.insert(key, m_line);
            topic.jumpId = words[1];
        }
        m_topic = topic;
        m_inHeader = true;
        return beginBody(Block::Topic);
    }

    bool openPopup(const QStringList& words)
    {
        HelpFile::Popup popup;
        if (!takeNumber(words, &popup.number))
            return false;
        if (words.size() > 1)
            return fail(QStringLiteral("a pop-up heading is [popup Number]"));
        m_popup = popup;
        return beginBody(Block::Popup);
    }

    bool beginBody(Block block)
    {
        m_fenceLine = 0;
        m_body.clear();
        m_block = block;
        return true;
    }

    bool topicLine(const QString& line)
    {
        if (m_inHeader) {
            static const QRegularExpression header(QStringLiteral("^(title|keywords):(.*)$"));
            const auto m = header.match(line);
            if (m.hasMatch()) {
                const QString value = m.captured(2).trimmed();
                if (m.captured(1) == QLatin1String("title")) {
                    if (!m_topic.title.isEmpty())
                        return fail(QStringLiteral("the topic has two titles"));
                    m_topic.title = value;
                } else {
                    for (const QString& word : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
                        m_topic.keywords.append(word.trimmed());
                }
                return true;
            }
            m_inHeader = false;
        }
        return bodyLine(line, true);
    }

    bool popupLine(const QString& line)
    {
        return bodyLine(line, false);
    }

    bool bodyLine(const QString& line, bool linksAllowed)
    {
        m_body.append(line);
        if (line.trimmed().startsWith(QLatin1String("```"))) {
            m_fenceLine = m_fenceLine ? 0 : m_line;
            return true;
        }
        if (m_fenceLine)
            return true;
        bool unclosed = false;
        const QList<HelpMarkup::Link> links = HelpMarkup::linksInLine(line, &unclosed);
        if (unclosed)
            return fail(QStringLiteral("a link opened with [[ has no ]] on the same line"));
        if (!links.isEmpty() && !linksAllowed)
            return fail(QStringLiteral("a pop-up cannot hold links"));
        for (const HelpMarkup::Link& link : links)
            m_refs.append({link.target, m_line, false});
        return true;
    }

    bool contentsLine(const QString& trimmed)
    {
        if (trimmed.isEmpty())
            return true;
        if (trimmed.startsWith(QLatin1String("== "))) {
            m_file.m_contents.append({trimmed.mid(3).trimmed(), 0});
            return true;
        }
        int number = 0;
        if (!HelpMarkup::parseNumber(trimmed, &number) && !HelpMarkup::isJumpId(trimmed))
            return fail(QStringLiteral("%1 is neither a context number nor a jump identifier")
                            .arg(quoted(trimmed)));
        m_file.m_contents.append({QString(), 0});
        m_refs.append({trimmed, m_line, true});
        m_contentsRefs.append(m_file.m_contents.size() - 1);
        return true;
    }

    bool closeBlock()
    {
        if (m_fenceLine) {
            m_line = m_fenceLine;
            return fail(QStringLiteral("the example opened with ``` has no closing ```"));
        }
        while (!m_body.isEmpty() && m_body.last().trimmed().isEmpty())
            m_body.removeLast();
        while (!m_body.isEmpty() && m_body.first().trimmed().isEmpty())
            m_body.removeFirst();
        if (m_block == Block::Topic) {
            if (m_topic.title.isEmpty()) {
                m_line = m_blockLine;
                return fail(QStringLiteral("topic %1 has no title").arg(m_topic.number));
            }
            m_topic.body = m_body.join(QLatin1Char('\n'));
            m_file.m_topicIndex.insert(m_topic.number, m_file.m_topics.size());
            if (!m_topic.jumpId.isEmpty())
                m_file.m_jumpIndex.insert(m_topic.jumpId.toLower(), m_file.m_topics.size());
            m_file.m_topics.append(m_topic);
        } else if (m_block == Block::Popup) {
            if (m_body.isEmpty()) {
                m_line = m_blockLine;
                return fail(QStringLiteral("pop-up %1 has no text").arg(m_popup.number));
            }
            m_popup.text = m_body.join(QLatin1Char('\n'));
            m_file.m_popups.insert(m_popup.number, m_popup);
        }
        m_block = Block::None;
        return true;
    }

    bool finish()
    {
        qsizetype contentsRef = 0;
        for (const PendingRef& ref : std::as_const(m_refs)) {
            m_line = ref.line;
            const HelpFile::Topic* topic = m_file.resolve(ref.target);
            if (!topic)
                return fail(ref.contents
                                ? QStringLiteral("the contents name %1, which is no topic").arg(ref.target)
                                : QStringLiteral("the link [[%1]] leads to no topic").arg(ref.target));
            if (ref.contents)
                m_file.m_contents[m_contentsRefs[contentsRef++]].topic = topic->number;
        }
        if (m_file.m_contentsTopic && !m_file.topic(*m_file.m_contentsTopic)) {
            m_line = m_contentsLine;
            return fail(QStringLiteral("the contents topic %1 is no topic of the file")
                            .arg(*m_file.m_contentsTopic));
        }
        if (m_file.m_title.isEmpty())
            m_file.m_title = QStringLiteral("Help");
        return true;
    }

    HelpFile& m_file;
    QString* m_error = nullptr;
    int m_line = 0;
    Block m_block = Block::None;
    QString m_blockOpener;
    int m_blockLine = 0;
    bool m_inHeader = false;
    int m_fenceLine = 0;
    QStringList m_body;
    HelpFile::Topic m_topic;
    HelpFile::Popup m_popup;
    bool m_seenTitle = false;
    int m_contentsLine = 0;
    QHash<int, int> m_numberLines;
    QHash<QString, int> m_jumpLines;
    QList<PendingRef> m_refs;
    QList<qsizetype> m_contentsRefs;
};

HelpFile::LoadResult HelpFile::load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {nullptr, Error::NotFound, {}};
    if (!info.isFile())
        return {nullptr, Error::NotAFile, {}};
    if (info.size() > MaxBytes)
        return {nullptr, Error::TooLarge, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, Error::Unreadable, file.errorString()};
    // The size is checked again on what is read: the file may grow meanwhile.
    const QByteArray bytes = FileReading::readAtMost(file, MaxBytes);
    if (bytes.size() > MaxBytes)
        return {nullptr, Error::TooLarge, {}};
    if (file.error() != QFileDevice::NoError)
        return {nullptr, Error::Unreadable, file.errorString()};
    QString reason;
    auto parsed = parse(bytes, &reason);
    if (!parsed)
        return {nullptr, Error::Malformed, reason};
    return {std::move(parsed), Error::None, {}};
}

std::shared_ptr<const HelpFile> HelpFile::parse(const QByteArray& bytes, QString* error)
{
    QString ignored;
    QString& reason = error ? *error : ignored;
    if (bytes.size() > MaxBytes) {
        reason = QStringLiteral("the file is too large for a help file");
        return nullptr;
    }
    if (bytes.contains('\0')) {
        reason = QStringLiteral("the file holds binary data, not text");
        return nullptr;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        reason = QStringLiteral("the file is not UTF-8 text");
        return nullptr;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    auto file = std::make_shared<HelpFile>();
    HelpFileParser parser(*file);
    if (!parser.run(lines, &reason))
        return nullptr;
    return file;
}

const HelpFile::Topic* HelpFile::topic(int number) const
{
    const auto it = m_topicIndex.constFind(number);
    return it == m_topicIndex.cend() ? nullptr : &m_topics[*it];
}

const HelpFile::Topic* HelpFile::topicByJumpId(const QString& jumpId) const
{
    const auto it = m_jumpIndex.constFind(jumpId.toLower());
    return it == m_jumpIndex.cend() ? nullptr : &m_topics[*it];
}

const HelpFile::Popup* HelpFile::popup(int number) const
{
    const auto it = m_popups.constFind(number);
    return it == m_popups.cend() ? nullptr : &*it;
}

QList<HelpFile::ContentsEntry> HelpFile::contents() const
{
    if (m_hasContentsBlock)
        return m_contents;
    QList<ContentsEntry> entries;
    for (const Topic& each : m_topics) {
        if (each.number != m_contentsTopic)
            entries.append({QString(), each.number});
    }
    return entries;
}

const HelpFile::SecondaryWindow* HelpFile::secondaryWindow(const QString& name) const
{
    for (const SecondaryWindow& window : m_windows) {
        if (window.name.compare(name, Qt::CaseInsensitive) == 0)
            return &window;
    }
    return nullptr;
}

const HelpFile::Topic* HelpFile::resolve(const QString& target) const
{
    int number = 0;
    if (HelpMarkup::parseNumber(target, &number))
        return topic(number);
    return topicByJumpId(target);
}

QString HelpFile::topicHtml(const Topic& shown) const
{
    const HelpMarkup::Resolver resolver = [this](const QString& target, int* number, QString* title) {
        const Topic* found = resolve(target);
        if (!found)
            return false;
        *number = found->number;
        *title = found->title;
        return true;
    };
    QString html = HelpMarkup::blocksToHtml(shown.body, resolver);
    if (m_contentsTopic == shown.number)
        html += contentsHtml();
    return html;
}

QString HelpFile::contentsHtml() const
{
    QString html;
    bool listOpen = false;
    for (const ContentsEntry& entry : contents()) {
        if (!entry.heading.isEmpty()) {
            if (listOpen)
                html += QStringLiteral("</ul>\n");
            listOpen = false;
            html += QStringLiteral("<h3>") + entry.heading.toHtmlEscaped() + QStringLiteral("</h3>\n");
            continue;
        }
        const Topic* listed = topic(entry.topic);
        if (!listed || entry.topic == m_contentsTopic)
            continue;
        if (!listOpen)
            html += QStringLiteral("<ul>\n");
        listOpen = true;
        html += QStringLiteral("<li><a href=\"topic:%1\">%2</a></li>\n")
                    .arg(listed->number)
                    .arg(listed->title.toHtmlEscaped());
    }
    if (listOpen)
        html += QStringLiteral("</ul>\n");
    return html;
}

std::optional<QString> HelpFile::popupHtml(int number) const
{
    if (const Popup* found = popup(number))
        return HelpMarkup::blocksToHtml(found->text, {});
    if (const Topic* found = topic(number))
        return QStringLiteral("<p><b>") + found->title.toHtmlEscaped() + QStringLiteral("</b></p>\n")
               + HelpMarkup::blocksToHtml(found->body, {});
    return std::nullopt;
}
