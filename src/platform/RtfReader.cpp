// Reading RTF into a QTextDocument.
//
// One pass over the bytes, each looked at once (a "\binN" jumps over its
// data), so the time is linear in the input. The parser fills a plain model
// of paragraphs and formatting changes; only when the whole input has been
// read does that model replace the document's content, so a refused input
// leaves the document as it was.
//
// Groups copy the state of their parent and restore it when they close.
// Destinations the document does not show (marked "\*", or known ones such as
// the colour table, style sheet, document information, pictures, headers and
// footers) are skipped whole; the font table is read for the family names.
// Text is Windows-1252; "\uN" gives a Unicode character and skips the next
// "\ucN" characters (the fallback for readers without Unicode).
//
// Paragraphs end with "\par". An empty paragraph after the last "\par" is not
// kept, so that a document of N paragraphs written with N "\par" reads back as
// N paragraphs; text after the last "\par" makes a paragraph of its own.
//
// Once the whole input is read, each formatting state is turned into the
// look the document gets (its font family looked up in the font table), and
// neighbouring runs of the same look are joined. What the layout would have
// to do is bounded there: the distinct families, the distinct looks and the
// runs (see Rtf.h).

#include "platform/Cp1252.h"
#include "platform/Rtf.h"
#include "platform/RtfFormat.h"

#include <QHash>
#include <QTextCursor>
#include <QTextDocument>

#include <limits>

namespace {

// The character formatting the reader keeps.
struct CharState {
    int font = -1;   // index in the font table; -1 is the default font ("\deffN")
    int halfPoints = RtfFormat::DefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const CharState&) const = default;
};

size_t qHash(const CharState& c, size_t seed = 0)
{
    return qHashMulti(seed, c.font, c.halfPoints, c.bold, c.italic, c.underline);
}

// A character format as the document gets it: the family found for the
// font, the size and the style.
struct Look {
    int family = -1;   // index in the families in use; -1: none named
    QFont::StyleHint hint = QFont::AnyStyle;
    int halfPoints = RtfFormat::DefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Look&) const = default;
};

size_t qHash(const Look& l, size_t seed = 0)
{
    return qHashMulti(seed, l.family, int(l.hint), l.halfPoints, l.bold, l.italic, l.underline);
}

enum class Destination { Text, FontTable, Skip };

struct GroupState {
    CharState chars;
    Qt::Alignment alignment = Qt::AlignLeft;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;   // "\ucN"
};

struct FormatChange {
    qsizetype start;
    CharState format;
};

// A run of text of one look, to the next run or the paragraph's end.
struct Run {
    qsizetype start;
    int look;
};

struct Paragraph {
    QString text;
    QList<FormatChange> formats;   // as read, in order of start; the first at 0
    Qt::Alignment alignment = Qt::AlignLeft;
    CharState mark;                // the formatting of the paragraph mark
    QList<Run> runs;               // the formats as looks, neighbours of one look joined
    int markLook = 0;
};

struct FontEntry {
    QString family;
    QFont::StyleHint hint = QFont::AnyStyle;
};

constexpr qsizetype MaxFontNameLength = 256;
constexpr int MaxUnicodeSkip = 16;

enum class Word {
    Ignored,
    SkipDestination,
    FontTable,
    DefaultFont,
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineOff,
    ParagraphDefaults,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    Paragraph,
    Unicode,
    UnicodeSkip,
    Binary,
    FontClass,
    Character,   // a word that stands for one character
};

struct WordInfo {
    Word word;
    char16_t ch = 0;
};

const QHash<QByteArray, WordInfo>& wordTable()
{
    static const QHash<QByteArray, WordInfo> table = [] {
        QHash<QByteArray, WordInfo> t;
        for (const char* d : {"colortbl", "stylesheet", "info", "pict", "header", "headerl", "headerr",
                              "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
                              "annotation", "object", "fldinst", "listtable", "listoverridetable",
                              "revtbl", "rsidtbl", "xmlnstbl", "filetbl", "themedata", "datastore",
                              "latentstyles", "pgdsctbl", "bkmkstart", "bkmkend", "nonshppict",
                              "txe", "xe", "tc", "rxe", "private", "ftnsep", "ftnsepc", "ftncn",
                              "aftnsep", "aftnsepc", "aftncn", "generator", "userprops",
                              "colorschememapping", "mmathPr", "atnid", "atnauthor"})
            t.insert(d, {Word::SkipDestination});
        t.insert("fonttbl", {Word::FontTable});
        t.insert("deff", {Word::DefaultFont});
        t.insert("plain", {Word::Plain});
        t.insert("f", {Word::Font});
        t.insert("fs", {Word::FontSize});
        t.insert("b", {Word::Bold});
        t.insert("i", {Word::Italic});
        for (const char* u : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                              "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                              "ulthldash", "ululdbwave", "ulw", "ulwave"})
            t.insert(u, {Word::Underline});
        t.insert("ulnone", {Word::UnderlineOff});
        t.insert("pard", {Word::ParagraphDefaults});
        t.insert("ql", {Word::AlignLeft});
        t.insert("qc", {Word::AlignCentre});
        t.insert("qr", {Word::AlignRight});
        t.insert("qj", {Word::AlignJustify});
        t.insert("qd", {Word::AlignJustify});
        t.insert("par", {Word::Paragraph});
        t.insert("row", {Word::Paragraph});
        t.insert("nestrow", {Word::Paragraph});
        t.insert("u", {Word::Unicode});
        t.insert("uc", {Word::UnicodeSkip});
        t.insert("bin", {Word::Binary});
        for (const char* c : {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor", "ftech", "fbidi"})
            t.insert(c, {Word::FontClass});
        const struct {
            const char* name;
            char16_t ch;
        } characters[] = {
            {"tab", u'\t'},        {"cell", u'\t'},       {"nestcell", u'\t'},
            {"line", QChar::LineSeparator},
            {"emdash", 0x2014},    {"endash", 0x2013},    {"emspace", 0x2003},
            {"enspace", 0x2002},   {"qmspace", 0x2005},   {"bullet", 0x2022},
            {"lquote", 0x2018},    {"rquote", 0x2019},    {"ldblquote", 0x201C},
            {"rdblquote", 0x201D}, {"zwj", 0x200D},       {"zwnj", 0x200C},
            {"ltrmark", 0x200E},   {"rtlmark", 0x200F},
        };
        for (const auto& c : characters)
            t.insert(c.name, {Word::Character, c.ch});
        return t;
    }();
    return table;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A surrogate without its partner is no character; it becomes U+FFFD.
void repairSurrogates(QString& text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (ch.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

class Parser
{
public:
    explicit Parser(const QByteArray& input)
        : m_in(input)
    {
    }

    // Reports the progress of reading, from 0 to `share` thousandths.
    bool parse(QString* error, const Rtf::Progress& progress, int share);

    const QList<Paragraph>& paragraphs() const { return m_paragraphs; }
    const QList<QTextCharFormat>& formats() const { return m_formats; }
    qsizetype textLength() const { return m_textLength; }

private:
    bool fail(const QString& message)
    {
        m_error = message;
        return false;
    }

    bool openGroup();
    bool closeGroup();   // false when the outermost group has closed
    bool controlWord();
    bool controlSymbol(char c);
    bool word(const QByteArray& name, bool hasParameter, int parameter);
    bool put(char16_t ch);
    bool endParagraph();
    // Counts a finished line (of a paragraph or before a "\\line") toward
    // the document's height; false when the height is past the bound.
    bool endLine(int emptyLineHalfPoints);
    void commitFontName();
    // Turns the formats of every paragraph into looks; false past the bounds.
    bool resolveLooks();
    int lookOf(const CharState& state);
    QTextCharFormat charFormat(const Look& look) const;
    // A character or control that the fallback of a "\uN" covers: true when
    // it is to be dropped.
    bool skippedByUnicode()
    {
        if (m_pendingSkip <= 0)
            return false;
        --m_pendingSkip;
        return true;
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    QList<GroupState> m_stack;
    GroupState m_state;
    int m_pendingSkip = 0;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = 0;         // the table entry being read
    FontEntry m_fontPending;     // its name so far
    QList<Paragraph> m_paragraphs;
    Paragraph m_current;
    qsizetype m_textLength = 0;
    int m_runCount = 0;            // formatting changes within paragraphs, first runs included
    QHash<CharState, int> m_lookOfState;
    QHash<Look, int> m_lookIds;
    QList<Look> m_looks;
    QHash<QString, int> m_familyIds;
    QStringList m_families;
    QList<QTextCharFormat> m_formats;   // one per look
    int m_lineHalfPoints = 0;      // largest font size on the current line so far
    qint64 m_heightHalfPoints = 0; // the lines so far, 1.2 times their size
    QString m_error;
};

bool Parser::parse(QString* error, const Rtf::Progress& progress, int share)
{
    const qsizetype n = m_in.size();
    constexpr qsizetype ReportEvery = 256 * 1024;   // bytes
    qsizetype nextReport = ReportEvery;
    if (n > Rtf::MaxInputBytes) {
        *error = QStringLiteral("The file is too large to be a report (more than %1 MB).")
                     .arg(Rtf::MaxInputBytes / (1024 * 1024));
        return false;
    }
    if (!m_in.startsWith("{\\rtf")) {
        *error = QStringLiteral("The file is not in Rich Text Format.");
        return false;
    }
    bool ok = true;
    bool closed = false;
    while (ok && !closed && m_pos < n) {
        if (m_pos >= nextReport && progress) {
            nextReport = m_pos + ReportEvery;
            if (!progress(int(share * m_pos / n))) {
                *error = QString();
                return false;
            }
        }
        const char c = m_in.at(m_pos);
        switch (c) {
        case '{':
            ++m_pos;
            ok = openGroup();
            break;
        case '}':
            ++m_pos;
            closed = !closeGroup();
            break;
        case '\\':
            ++m_pos;
            ok = controlWord();
            break;
        case '\r':
        case '\n':
            ++m_pos;
            break;
        default:
            ++m_pos;
            if (!skippedByUnicode())
                ok = put(Cp1252::toUnicode(uchar(c)).unicode());
            break;
        }
    }
    if (ok && !closed)
        ok = fail(QStringLiteral("The rich text is incomplete: the file ends before its last group is closed."));
    // Text after the last "\par" is a paragraph of its own; nothing there is none.
    if (ok && !m_current.text.isEmpty())
        ok = endLine(m_state.chars.halfPoints);
    if (ok && (!m_current.text.isEmpty() || m_paragraphs.isEmpty())) {
        m_current.alignment = m_state.alignment;
        m_current.mark = m_state.chars;
        m_paragraphs.append(std::move(m_current));
    }
    if (ok)
        ok = resolveLooks();
    if (!ok) {
        *error = m_error;
        return false;
    }
    for (Paragraph& p : m_paragraphs)
        repairSurrogates(p.text);
    return true;
}

bool Parser::openGroup()
{
    m_pendingSkip = 0;
    if (m_stack.size() >= Rtf::MaxGroupDepth)
        return fail(QStringLiteral("The rich text is nested too deeply (more than %1 groups).")
                        .arg(Rtf::MaxGroupDepth));
    m_stack.append(m_state);
    return true;
}

bool Parser::closeGroup()
{
    m_pendingSkip = 0;
    if (m_state.destination == Destination::FontTable)
        commitFontName();
    if (m_stack.isEmpty())
        return false;
    m_state = m_stack.takeLast();
    return !m_stack.isEmpty();
}

// After the backslash: a control word with its parameter, or a control symbol.
bool Parser::controlWord()
{
    const qsizetype n = m_in.size();
    if (m_pos >= n)
        return true;   // a lone backslash at the end; the missing "}" is reported
    if (!isLetter(m_in.at(m_pos)))
        return controlSymbol(m_in.at(m_pos));
    const qsizetype start = m_pos;
    while (m_pos < n && isLetter(m_in.at(m_pos))) {
        if (m_pos - start >= Rtf::MaxControlWordLength)
            return fail(QStringLiteral("The rich text holds a control word longer than %1 letters.")
                            .arg(Rtf::MaxControlWordLength));
        ++m_pos;
    }
    const QByteArray name = m_in.mid(start, m_pos - start);

    // The parameter: a signed decimal number. Absurdly long ones are read
    // whole and held at the bounds of an int.
    bool negative = false;
    if (m_pos + 1 < n && m_in.at(m_pos) == '-' && isDigit(m_in.at(m_pos + 1))) {
        negative = true;
        ++m_pos;
    }
    bool hasParameter = false;
    qint64 value = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    while (m_pos < n && isDigit(m_in.at(m_pos))) {
        hasParameter = true;
        value = qMin(limit, value * 10 + (m_in.at(m_pos) - '0'));
        ++m_pos;
    }
    if (!negative)
        value = qMin<qint64>(value, std::numeric_limits<int>::max());
    const int parameter = int(negative ? -value : value);
    if (m_pos < n && m_in.at(m_pos) == ' ')
        ++m_pos;   // the delimiter belongs to the word

    return word(name, hasParameter, parameter);
}

bool Parser::controlSymbol(char c)
{
    ++m_pos;
    if (c == '\'') {
        const qsizetype n = m_in.size();
        const int hi = m_pos < n ? hexValue(m_in.at(m_pos)) : -1;
        const int lo = m_pos + 1 < n ? hexValue(m_in.at(m_pos + 1)) : -1;
        if (hi < 0 || lo < 0)
            return true;   // not an escape; what follows is read as it stands
        m_pos += 2;
        return skippedByUnicode() || put(Cp1252::toUnicode(uchar(hi * 16 + lo)).unicode());
    }
    if (skippedByUnicode())
        return true;
    switch (c) {
    case '\r':
    case '\n':
        return endParagraph();
    case '\\':
    case '{':
    case '}':
        return put(char16_t(c));
    case '~':
        return put(0x00A0);
    case '-':
        return put(0x00AD);
    case '_':
        return put(0x2011);
    case '*':
        m_state.destination = Destination::Skip;
        return true;
    default:
        return true;   // "\:", "\|" and unknown symbols show nothing
    }
}

bool Parser::word(const QByteArray& name, bool hasParameter, int parameter)
{
    const auto found = wordTable().constFind(name);
    const WordInfo info = found == wordTable().constEnd() ? WordInfo{Word::Ignored} : *found;
    if (info.word == Word::Binary) {
        // Binary data is never text, whatever else is going on.
        const qsizetype count = hasParameter ? qMax(0, parameter) : 0;
        m_pos += qMin(count, m_in.size() - m_pos);
        skippedByUnicode();
        return true;
    }
    if (skippedByUnicode())
        return true;

    const bool on = !hasParameter || parameter != 0;
    CharState& chars = m_state.chars;
    switch (info.word) {
    case Word::Ignored:
    case Word::Binary:
        break;
    case Word::SkipDestination:
        m_state.destination = Destination::Skip;
        break;
    case Word::FontTable:
        if (m_state.destination == Destination::Text)
            m_state.destination = Destination::FontTable;
        break;
    case Word::DefaultFont:
        m_defaultFont = parameter;
        break;
    case Word::Plain:
        chars = CharState();
        break;
    case Word::Font:
        if (m_state.destination == Destination::FontTable) {
            commitFontName();
            m_fontEntry = parameter;
        } else {
            chars.font = parameter;
        }
        break;
    case Word::FontSize:
        chars.halfPoints = hasParameter ? RtfFormat::clampHalfPoints(parameter) : RtfFormat::DefaultHalfPoints;
        break;
    case Word::Bold:
        chars.bold = on;
        break;
    case Word::Italic:
        chars.italic = on;
        break;
    case Word::Underline:
        chars.underline = on;
        break;
    case Word::UnderlineOff:
        chars.underline = false;
        break;
    case Word::ParagraphDefaults:
    case Word::AlignLeft:
        m_state.alignment = Qt::AlignLeft;
        break;
    case Word::AlignCentre:
        m_state.alignment = Qt::AlignHCenter;
        break;
    case Word::AlignRight:
        m_state.alignment = Qt::AlignRight;
        break;
    case Word::AlignJustify:
        m_state.alignment = Qt::AlignJustify;
        break;
    case Word::Paragraph:
        return endParagraph();
    case Word::Unicode: {
        // A signed 16-bit number; anything outside that is no character.
        const int code = parameter < 0 ? parameter + 65536 : parameter;
        const bool ok = put(hasParameter && code >= 0 && code <= 0xFFFF ? char16_t(code) : char16_t(0xFFFD));
        m_pendingSkip = m_state.unicodeSkip;
        return ok;
    }
    case Word::UnicodeSkip:
        m_state.unicodeSkip = qBound(0, parameter, MaxUnicodeSkip);
        break;
    case Word::FontClass:
        if (m_state.destination == Destination::FontTable)
            m_fontPending.hint = RtfFormat::styleHintOf(name);
        break;
    case Word::Character:
        return put(info.ch);
    }
    return true;
}

bool Parser::put(char16_t ch)
{
    switch (m_state.destination) {
    case Destination::Skip:
        return true;
    case Destination::FontTable:
        if (ch == ';')
            commitFontName();
        else if (m_fontPending.family.size() < MaxFontNameLength)
            m_fontPending.family.append(QChar(ch));
        return true;
    case Destination::Text:
        break;
    }
    if (!RtfFormat::isTextCharacter(ch) && ch != QChar::LineSeparator)
        return true;
    if (++m_textLength > Rtf::MaxTextLength)
        return fail(QStringLiteral("The rich text holds more than %1 characters.").arg(Rtf::MaxTextLength));
    if (m_current.text.size() >= Rtf::MaxParagraphLength)
        return fail(QStringLiteral("The rich text holds a paragraph of more than %1 characters.")
                        .arg(Rtf::MaxParagraphLength));
    if (m_current.formats.isEmpty() || !(m_current.formats.constLast().format == m_state.chars)) {
        if (++m_runCount > Rtf::MaxFormatRuns)
            return fail(QStringLiteral("The rich text changes its character formatting more than %1 times.")
                            .arg(Rtf::MaxFormatRuns));
        m_current.formats.append({m_current.text.size(), m_state.chars});
    }
    m_current.text.append(QChar(ch));
    m_lineHalfPoints = qMax(m_lineHalfPoints, m_state.chars.halfPoints);
    return ch != QChar::LineSeparator || endLine(m_state.chars.halfPoints);
}

bool Parser::endLine(int emptyLineHalfPoints)
{
    m_heightHalfPoints += (m_lineHalfPoints > 0 ? m_lineHalfPoints : emptyLineHalfPoints) * 6 / 5;
    m_lineHalfPoints = 0;
    if (m_heightHalfPoints > 2 * Rtf::MaxHeightPoints)
        return fail(QStringLiteral("The rich text is too tall to show (more than %1 points).")
                        .arg(Rtf::MaxHeightPoints));
    return true;
}

bool Parser::endParagraph()
{
    if (m_state.destination != Destination::Text)
        return true;
    if (++m_textLength > Rtf::MaxTextLength)
        return fail(QStringLiteral("The rich text holds more than %1 characters.").arg(Rtf::MaxTextLength));
    if (m_paragraphs.size() >= Rtf::MaxParagraphs)
        return fail(QStringLiteral("The rich text holds more than %1 paragraphs.").arg(Rtf::MaxParagraphs));
    if (!endLine(m_state.chars.halfPoints))
        return false;
    m_current.alignment = m_state.alignment;
    m_current.mark = m_state.chars;
    m_paragraphs.append(std::move(m_current));
    m_current = Paragraph();
    return true;
}

void Parser::commitFontName()
{
    const QString family = m_fontPending.family.trimmed();
    if (!family.isEmpty() && !m_fonts.contains(m_fontEntry))
        m_fonts.insert(m_fontEntry, {family, m_fontPending.hint});
    m_fontPending = FontEntry();
}

bool Parser::resolveLooks()
{
    for (Paragraph& p : m_paragraphs) {
        p.runs.reserve(p.formats.size());
        for (const FormatChange& change : std::as_const(p.formats)) {
            const int look = lookOf(change.format);
            if (look < 0)
                return false;
            if (p.runs.isEmpty() || p.runs.constLast().look != look)
                p.runs.append({change.start, look});
        }
        p.formats = QList<FormatChange>();
        p.markLook = lookOf(p.mark);
        if (p.markLook < 0)
            return false;
    }
    m_formats.reserve(m_looks.size());
    for (const Look& look : std::as_const(m_looks))
        m_formats.append(charFormat(look));
    return true;
}

// The look of a formatting state, numbered in order of first use; -1 (and
// the message) past the bounds of families and looks.
int Parser::lookOf(const CharState& state)
{
    if (const auto known = m_lookOfState.constFind(state); known != m_lookOfState.constEnd())
        return *known;
    Look look;
    auto font = m_fonts.constFind(state.font);
    if (font == m_fonts.constEnd())
        font = m_fonts.constFind(m_defaultFont);
    if (font != m_fonts.constEnd()) {
        auto family = m_familyIds.constFind(font->family);
        if (family == m_familyIds.constEnd()) {
            if (m_families.size() >= Rtf::MaxFonts) {
                fail(QStringLiteral("The rich text uses more than %1 fonts.").arg(Rtf::MaxFonts));
                return -1;
            }
            family = m_familyIds.insert(font->family, int(m_families.size()));
            m_families.append(font->family);
        }
        look.family = *family;
        look.hint = font->hint;
    }
    look.halfPoints = state.halfPoints;
    look.bold = state.bold;
    look.italic = state.italic;
    look.underline = state.underline;
    auto id = m_lookIds.constFind(look);
    if (id == m_lookIds.constEnd()) {
        if (m_looks.size() >= Rtf::MaxCharFormats) {
            fail(QStringLiteral("The rich text uses more than %1 different character formats.")
                     .arg(Rtf::MaxCharFormats));
            return -1;
        }
        id = m_lookIds.insert(look, int(m_looks.size()));
        m_looks.append(look);
    }
    m_lookOfState.insert(state, *id);
    return *id;
}

QTextCharFormat Parser::charFormat(const Look& look) const
{
    QTextCharFormat f;
    if (look.family >= 0) {
        f.setFontFamilies({m_families.at(look.family)});
        if (look.hint != QFont::AnyStyle)
            f.setFontStyleHint(look.hint);
    }
    f.setFontPointSize(look.halfPoints / 2.0);
    f.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(look.italic);
    f.setFontUnderline(look.underline);
    return f;
}

// Fills the document, reporting the progress from `from` to 1000
// thousandths; false when cancelled.
bool fill(QTextDocument* doc, const Parser& parser, const Rtf::Progress& progress, int from)
{
    constexpr qsizetype ReportEvery = 16 * 1024;   // characters
    const qsizetype total = qMax<qsizetype>(1, parser.textLength());
    qsizetype done = 0;
    qsizetype nextReport = ReportEvery;
    const QList<QTextCharFormat>& formats = parser.formats();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    bool first = true;
    bool cancelled = false;
    for (const Paragraph& p : parser.paragraphs()) {
        if (done >= nextReport && progress) {
            nextReport = done + ReportEvery;
            if (!progress(int(from + (1000 - from) * done / total))) {
                cancelled = true;
                break;
            }
        }
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(p.alignment);
        const QTextCharFormat& markFormat = formats.at(p.markLook);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(markFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, markFormat);
        }
        for (qsizetype i = 0; i < p.runs.size(); ++i) {
            const qsizetype start = p.runs.at(i).start;
            const qsizetype end = i + 1 < p.runs.size() ? p.runs.at(i + 1).start : p.text.size();
            cursor.insertText(p.text.mid(start, end - start), formats.at(p.runs.at(i).look));
        }
        done += p.text.size() + 1;
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    return !cancelled;
}

} // namespace

namespace Rtf {

bool read(const QByteArray& rtf, QTextDocument* doc, QString* error, const Progress& progress)
{
    Parser parser(rtf);
    QString message;
    bool ok = parser.parse(&message, progress, ReadParseEnd);
    if (ok && !fill(doc, parser, progress, ReadParseEnd))
        ok = false;   // cancelled: no message
    if (!ok && error)
        *error = message;
    return ok;
}

} // namespace Rtf
