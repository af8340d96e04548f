#include "practice/PracticeRules.h"

#include "shell/TextHelpers.h"


namespace PracticeText {

bool isDigits(QStringView text, int lo, int hi)
{
    if (text.isEmpty())
        return false;
    for (QChar ch : text) {
        const int d = ch.unicode() - u'0';
        if (d < lo || d > hi)
            return false;
    }
    return true;
}

QString carryText(int carry)
{
    return carry == 0 ? QString() : QString::number(carry);
}

QString padded(qint64 v, int width)
{
    return PadLeft(num(v), width, QLatin1Char('0'));
}

int digitCount(qint64 v)
{
    return int(num(v).size());
}

QString numbered(const char* prefix, int n)
{
    return QLatin1String(prefix) + QString::number(n);
}

std::optional<std::pair<QString, QString>> operands(const QString& text, QChar sign, QChar altSign)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == sign || text.at(i) == altSign)
            return std::pair{text.left(i).trimmed(), text.mid(i + 1).trimmed()};
    return std::nullopt;
}

} // namespace PracticeText

namespace {

// A JSON string literal: quotes, backslashes and control characters escaped,
// everything else (the multiplication sign, the half...) kept as it is.
void appendJsonString(QString& out, const QString& text)
{
    out += QLatin1Char('"');
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case u'"': out += QLatin1String("\\\""); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            if (ch.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(int(ch.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += ch;
        }
    }
    out += QLatin1Char('"');
}

// Writes one JSON object field by field, in the order of the calls.
class JsonObject {
public:
    explicit JsonObject(QString& out) : m_out(out) { m_out += QLatin1Char('{'); }
    ~JsonObject() { m_out += QLatin1Char('}'); }

    JsonObject& text(const char* key, const QString& value)
    {
        appendJsonString(field(key), value);
        return *this;
    }
    JsonObject& number(const char* key, qint64 value)
    {
        field(key) += QString::number(value);
        return *this;
    }
    JsonObject& flag(const char* key, bool value)
    {
        field(key) += value ? QLatin1String("true") : QLatin1String("false");
        return *this;
    }
    // Opens a list; the caller writes its items and closes it with "]".
    QString& list(const char* key) { return field(key) += QLatin1Char('['); }

private:
    QString& field(const char* key)
    {
        if (!m_first)
            m_out += QLatin1String(", ");
        m_first = false;
        return m_out += QLatin1Char('"') + QLatin1String(key) + QLatin1String("\": ");
    }

    QString& m_out;
    bool m_first = true;
};

} // namespace

namespace WorkedProblemWriter {

QByteArray toJsonLine(const WorkedProblem& p)
{
    QString out;
    {
        JsonObject o(out);
        o.text("method", p.method).text("question", p.question).text("answer", p.answer);
        if (p.remainder)
            o.number("remainder", *p.remainder);
        o.list("boxes");
        for (qsizetype i = 0; i < p.boxes.size(); ++i) {
            const RuleBox& b = p.boxes.at(i);
            if (i > 0)
                out += QLatin1String(", ");
            JsonObject(out)
                .text("box", b.box)
                .number("value", b.value)
                .text("text", b.text)
                .text("hint", b.hint)
                .number("width", b.width)
                .flag("mental", b.mental)
                .flag("unused", b.unused);
        }
        out += QLatin1Char(']');
        o.list("carries");
        for (qsizetype i = 0; i < p.carries.size(); ++i) {
            if (i > 0)
                out += QLatin1String(", ");
            JsonObject(out).text("box", p.carries.at(i).box).number("value", p.carries.at(i).value);
        }
        out += QLatin1Char(']');
    }
    return out.toUtf8();
}

QString toText(const WorkedProblem& p)
{
    QString out = p.method + QLatin1String("  ") + p.question + QLatin1Char('\n');
    out += QLatin1String("Answer: ") + p.answer;
    if (p.remainder)
        out += QLatin1String("  remainder ") + QString::number(*p.remainder);
    out += QLatin1String("\n\n");

    int nameWidth = 3;
    for (const RuleBox& b : p.boxes)
        nameWidth = qMax(nameWidth, int(b.box.size()));
    const auto row = [&](const QString& box, const QString& value, const QString& text,
                         const QString& flags, const QString& step) {
        const QString line = box.leftJustified(nameWidth) + QLatin1String("  ") + value.rightJustified(5)
                             + QLatin1String("  ") + text.leftJustified(4) + QLatin1String("  ")
                             + flags.leftJustified(5) + QLatin1String("  ") + step;
        qsizetype end = line.size();
        while (end > 0 && line.at(end - 1) == QLatin1Char(' '))
            --end;
        out += line.left(end) + QLatin1Char('\n');
    };
    row(QStringLiteral("box"), QStringLiteral("value"), QStringLiteral("text"), QStringLiteral("flags"),
        QStringLiteral("step"));
    for (const RuleBox& b : p.boxes) {
        QString flags;
        if (b.mental)
            flags += QLatin1Char('M');
        if (b.unused)
            flags += QLatin1Char('U');
        row(b.box, QString::number(b.value), b.text, flags, Hints::shortHint(b.hint));
    }
    if (!p.carries.isEmpty()) {
        out += QLatin1String("\nCarries:");
        for (const RuleCarry& c : p.carries)
            out += QLatin1String("  ") + c.box + QLatin1Char('=') + QString::number(c.value);
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace WorkedProblemWriter
