#include "tools/WorksheetCommand.h"

#include "practice/PracticeMethods.h"

#include <optional>

namespace Worksheet {

namespace {

using Method = PracticeMethod;
using OptionGroup = MethodOptionGroup;

QStringList methodNames()
{
    QStringList names;
    for (const Method& m : PracticeMethods::all())
        names << m.name;
    return names;
}

constexpr int Refused = 2;
constexpr int NotWritten = 1;

// Reads a whole decimal number within lo..hi.
std::optional<qint64> wholeNumber(const QString& text, qint64 lo, qint64 hi)
{
    if (!PracticeText::isDigits(text) || text.size() > 12)
        return std::nullopt;
    const qint64 v = text.toLongLong();
    if (v < lo || v > hi)
        return std::nullopt;
    return v;
}

QByteArray render(const WorkedProblem& p, bool json)
{
    return json ? WorkedProblemWriter::toJsonLine(p) + '\n' : WorkedProblemWriter::toText(p).toUtf8();
}

// The question in the tool's own form: "x" and "/" for the signs. Each sign
// stays one character, so a prefix of the words is a prefix of this text.
QString normalQuestion(const QStringList& parts)
{
    QString question = parts.join(QLatin1Char(' '));
    question.replace(QChar(0x00D7), QLatin1Char('x')).replace(QLatin1Char('X'), QLatin1Char('x'));
    return question.replace(QChar(0x00F7), QLatin1Char('/'));
}

// Solves the question written in the words of the command line (it may be
// split: "93821547 x 3"). When the words only fail because more follow a
// whole question, that is what the message says. The caller bounds the
// question's length, which bounds the tries of shorter prefixes.
ParseResult<WorkedProblem> solveQuestion(const Method& method, const QStringList& parts)
{
    const QString question = normalQuestion(parts);
    const ParseResult<WorkedProblem> whole = method.solve(question);
    if (whole.ok())
        return whole;
    qsizetype length = question.size();
    for (qsizetype n = parts.size() - 1; n > 0; --n) {
        length -= parts.at(n).size() + 1;
        if (method.solve(question.left(length)).ok())
            return ParseResult<WorkedProblem>::failure(
                QStringLiteral("unexpected text after the question: '%1'")
                    .arg(parts.sliced(n).join(QLatin1Char(' '))));
    }
    return whole;
}

struct Arguments {
    bool json = false;
    bool random = false;
    QStringList questionParts;
    QStringList options;
    std::optional<QString> count;
    std::optional<QString> seed;
};

// Splits the arguments after METHOD; returns an error text or "".
QString readArguments(const QStringList& args, Arguments& a)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            a.questionParts << arg;
            continue;
        }
        if (arg == QLatin1String("--json")) {
            a.json = true;
            continue;
        }
        if (arg == QLatin1String("--random")) {
            a.random = true;
            continue;
        }
        QString value;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
        }
        if (arg != QLatin1String("--option") && arg != QLatin1String("--count")
            && arg != QLatin1String("--seed"))
            return QStringLiteral("unknown argument '%1'; see --help").arg(args.at(i));
        if (eq < 0) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a value").arg(arg);
            value = args.at(++i);
        }
        if (arg == QLatin1String("--option")) {
            a.options << value;
            continue;
        }
        std::optional<QString>& slot = arg == QLatin1String("--count") ? a.count : a.seed;
        if (slot)
            return QStringLiteral("only one %1 may be given").arg(arg);
        slot = value;
    }
    return QString();
}

// One option name per group of the method, defaults where none was given.
QString chooseOptions(const Method& method, const QStringList& given, QStringList& chosen)
{
    chosen.clear();
    for (const OptionGroup& g : method.groups)
        chosen << g.names.first();
    QList<bool> set(method.groups.size(), false);
    for (const QString& name : given) {
        if (method.groups.isEmpty())
            return QStringLiteral("%1 has no options").arg(method.name);
        qsizetype group = -1;
        for (qsizetype k = 0; k < method.groups.size() && group < 0; ++k)
            if (method.groups.at(k).names.contains(name))
                group = k;
        if (group < 0) {
            QStringList all;
            for (const OptionGroup& g : method.groups)
                all << g.names;
            return QStringLiteral("unknown option '%1' for %2; choose from %3")
                .arg(name, method.name, all.join(QLatin1String(", ")));
        }
        if (set.at(group))
            return QStringLiteral("only one %1 option may be given").arg(method.groups.at(group).what);
        set[group] = true;
        chosen[group] = name;
    }
    return QString();
}

} // namespace

QString usage()
{
    QString text = QStringLiteral(
        "Usage:\n"
        "  vandrelsholm-worksheet METHOD QUESTION [--json]\n"
        "  vandrelsholm-worksheet METHOD --random [--option NAME]... [--count N] [--seed S] [--json]\n"
        "  vandrelsholm-worksheet --help\n"
        "\n"
        "Prints the worked solution of a practice problem: every working box with its\n"
        "value, its text and its step hint. --json prints one JSON object per line.\n"
        "\"×\" and \"÷\" may stand for \"x\" and \"/\".\n"
        "\n"
        "Methods:\n");
    for (const Method& m : PracticeMethods::all()) {
        text += QStringLiteral("  %1\n").arg(m.name);
        for (const QString& line : m.question.split(QLatin1Char('\n')))
            text += QStringLiteral("      %1\n").arg(line);
        for (const OptionGroup& g : m.groups)
            text += QStringLiteral("      --option (%1): %2; default %3\n")
                        .arg(g.what, g.names.join(QLatin1String(", ")), g.names.first());
    }
    text += QStringLiteral("\n--count N: 1 to %1 problems (default 1). --seed S: 0 to 4294967295,\n"
                           "the same seed gives the same problems. At most %2 arguments, and a\n"
                           "QUESTION of at most %3 characters.\n")
                .arg(MaxCount)
                .arg(MaxArguments)
                .arg(MaxQuestionLength);
    return text;
}

int run(const QStringList& args, const Output& write, QString* error)
{
    const auto refuse = [error](const QString& message) {
        *error = message;
        return Refused;
    };
    const auto put = [&write, error](const QByteArray& bytes) {
        if (write(bytes))
            return true;
        *error = QStringLiteral("could not write the output");
        return false;
    };
    if (args.size() > MaxArguments)
        return refuse(QStringLiteral("too many arguments (%1; at most %2); see --help")
                          .arg(args.size())
                          .arg(MaxArguments));
    if (args.contains(QLatin1String("--help")))
        return put(usage().toUtf8()) ? 0 : NotWritten;
    if (args.isEmpty())
        return refuse(QStringLiteral("missing METHOD; see --help"));
    if (args.first().startsWith(QLatin1String("-")))
        return refuse(QStringLiteral("the first argument must be a METHOD (%1); see --help")
                          .arg(methodNames().join(QLatin1String(", "))));

    const Method* method = PracticeMethods::find(args.first());
    if (!method)
        return refuse(QStringLiteral("unknown method '%1'; methods: %2")
                          .arg(args.first(), methodNames().join(QLatin1String(", "))));

    Arguments a;
    if (const QString message = readArguments(args, a); !message.isEmpty())
        return refuse(message);

    if (!a.random) {
        if (!a.options.isEmpty() || a.count || a.seed)
            return refuse(QStringLiteral("--option, --count and --seed go with --random only"));
        if (a.questionParts.isEmpty())
            return refuse(QStringLiteral("missing QUESTION (or --random); see --help"));
        qsizetype length = a.questionParts.size() - 1;
        for (const QString& part : a.questionParts)
            length += part.size();
        if (length > MaxQuestionLength)
            return refuse(QStringLiteral("the question is too long (%1 characters; at most %2)")
                              .arg(length)
                              .arg(MaxQuestionLength));
        const ParseResult<WorkedProblem> solved = solveQuestion(*method, a.questionParts);
        if (!solved.ok())
            return refuse(solved.error);
        return put(render(*solved.question, a.json)) ? 0 : NotWritten;
    }

    if (!a.questionParts.isEmpty())
        return refuse(QStringLiteral("give either a QUESTION or --random, not both"));
    QStringList chosen;
    if (const QString message = chooseOptions(*method, a.options, chosen); !message.isEmpty())
        return refuse(message);
    qint64 count = 1;
    if (a.count) {
        const auto n = wholeNumber(*a.count, 1, MaxCount);
        if (!n)
            return refuse(QStringLiteral("--count must be a whole number from 1 to %1, not '%2'")
                              .arg(MaxCount)
                              .arg(*a.count));
        count = *n;
    }
    quint32 seed = 0;
    if (a.seed) {
        const auto s = wholeNumber(*a.seed, 0, 4294967295LL);
        if (!s)
            return refuse(QStringLiteral("--seed must be a whole number from 0 to 4294967295, not '%1'")
                              .arg(*a.seed));
        seed = quint32(*s);
    } else {
        seed = QRandomGenerator::system()->generate();
    }

    // One problem at a time: the output is written as it is made, so a long
    // run needs no more memory than a short one.
    QRandomGenerator rng(seed);
    for (qint64 k = 0; k < count; ++k) {
        QByteArray piece = k > 0 && !a.json ? QByteArray("\n") : QByteArray();
        piece += render(method->draw(rng, chosen), a.json);
        if (!put(piece))
            return NotWritten;
    }
    return 0;
}

Outcome run(const QStringList& args)
{
    Outcome outcome;
    outcome.exitCode = run(
        args,
        [&outcome](const QByteArray& bytes) {
            outcome.out += bytes;
            return true;
        },
        &outcome.error);
    return outcome;
}

} // namespace Worksheet
