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
    bool answers = false;
    QStringList questionParts;
    QStringList options;
    std::optional<QString> count;
    std::optional<QString> seed;
    std::optional<QString> pdf;
    std::optional<QString> title;
    std::optional<QString> paper;
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
        if (arg == QLatin1String("--answers")) {
            a.answers = true;
            continue;
        }
        QString value;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
        }
        static const QStringList valued{QStringLiteral("--option"), QStringLiteral("--count"),
                                        QStringLiteral("--seed"),   QStringLiteral("--pdf"),
                                        QStringLiteral("--title"),  QStringLiteral("--paper")};
        if (!valued.contains(arg))
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
        std::optional<QString>& slot = arg == QLatin1String("--count") ? a.count
                                       : arg == QLatin1String("--seed")  ? a.seed
                                       : arg == QLatin1String("--pdf")   ? a.pdf
                                       : arg == QLatin1String("--title") ? a.title
                                                                         : a.paper;
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

// The seed of --seed, or a random one without it; nullopt when --seed is
// no whole number from 0 to 4294967295 (seedError says so).
std::optional<quint32> seedOf(const Arguments& a)
{
    if (!a.seed)
        return QRandomGenerator::system()->generate();
    const auto s = wholeNumber(*a.seed, 0, 4294967295LL);
    return s ? std::optional<quint32>(quint32(*s)) : std::nullopt;
}

QString seedError(const Arguments& a)
{
    return QStringLiteral("--seed must be a whole number from 0 to 4294967295, not '%1'").arg(a.seed.value_or(QString()));
}

// A printable sheet of random problems of a method (a practice method or a
// flash drill); nullopt with *error when the call is wrong.
std::optional<PdfJob> pdfJob(const QString& methodName, const Arguments& a, QString* error)
{
    const auto fail = [error](const QString& message) {
        *error = message;
        return std::optional<PdfJob>();
    };
    if (!a.random)
        return fail(QStringLiteral("--pdf goes with --random"));
    if (!a.questionParts.isEmpty())
        return fail(QStringLiteral("give either a QUESTION or --random, not both"));
    if (a.json)
        return fail(QStringLiteral("give either --pdf or --json, not both"));
    if (a.pdf->isEmpty())
        return fail(QStringLiteral("--pdf needs a file name"));
    QString paper = QStringLiteral("A4");
    if (a.paper) {
        if (a.paper->compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
            paper = QStringLiteral("Letter");
        else if (a.paper->compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0)
            return fail(QStringLiteral("--paper must be A4 or Letter, not '%1'").arg(*a.paper));
    }
    Method groupsOnly;
    groupsOnly.name = methodName;
    for (const WorksheetSheet::OptionGroup& g : WorksheetSheet::optionGroups(methodName))
        groupsOnly.groups << OptionGroup{g.what, g.names};
    QStringList chosen;
    if (const QString message = chooseOptions(groupsOnly, a.options, chosen); !message.isEmpty())
        return fail(message);
    int count = 20;
    if (a.count) {
        const auto n = wholeNumber(*a.count, 1, WorksheetSheet::MaxProblems);
        if (!n)
            return fail(QStringLiteral("--count must be a whole number from 1 to %1 with --pdf, not '%2'")
                            .arg(WorksheetSheet::MaxProblems)
                            .arg(*a.count));
        count = int(*n);
    }
    const std::optional<quint32> seed = seedOf(a);
    if (!seed)
        return fail(seedError(a));
    QString message;
    const auto section = WorksheetSheet::section({methodName, chosen, count, *seed}, &message);
    if (!section)
        return fail(message);
    return PdfJob{WorksheetSheet::Sheet{a.title.value_or(QString()), a.answers, {*section}}, *a.pdf, paper};
}

} // namespace

QString usage()
{
    QString text = QStringLiteral(
        "Usage:\n"
        "  vandrelsholm-worksheet METHOD QUESTION [--json]\n"
        "  vandrelsholm-worksheet METHOD --random [--option NAME]... [--count N] [--seed S] [--json]\n"
        "  vandrelsholm-worksheet METHOD --random --pdf FILE [--answers] [--title TEXT]\n"
        "                         [--paper A4|Letter] [--option NAME]... [--count N] [--seed S]\n"
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
    text += QStringLiteral("\nFlash-drill facts, for --pdf only:\n");
    for (const QString& name : WorksheetSheet::methodNames()) {
        if (PracticeMethods::find(name))
            continue;
        text += QStringLiteral("  %1\n").arg(name);
        for (const WorksheetSheet::OptionGroup& g : WorksheetSheet::optionGroups(name))
            text += QStringLiteral("      --option: %1; default %2\n")
                        .arg(g.names.join(QLatin1String(", ")), g.names.first());
    }
    text += QStringLiteral("\n--count N: 1 to %1 problems (default 1). --seed S: 0 to 4294967295,\n"
                           "the same seed gives the same problems. At most %2 arguments, and a\n"
                           "QUESTION of at most %3 characters.\n")
                .arg(MaxCount)
                .arg(MaxArguments)
                .arg(MaxQuestionLength);
    text += QStringLiteral("--pdf FILE writes a printable worksheet of 1 to %1 problems (default 20):\n"
                           "each question with an empty grid of the screen's boxes; --answers adds\n"
                           "the answer key with every box's value, --title the line atop every page,\n"
                           "--paper the paper size (A4, the default, or Letter).\n")
                .arg(WorksheetSheet::MaxProblems);
    return text;
}

int run(const QStringList& args, const Output& write, QString* error, std::optional<PdfJob>* pdf)
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

    Arguments a;
    const QString argumentError = readArguments(args, a);
    if (a.pdf && argumentError.isEmpty() && WorksheetSheet::methodNames().contains(args.first())) {
        QString message;
        auto job = pdfJob(args.first(), a, &message);
        if (!job)
            return refuse(message);
        if (!pdf)
            return refuse(QStringLiteral("--pdf is not available here"));
        *pdf = std::move(job);
        return 0;
    }

    const Method* method = PracticeMethods::find(args.first());
    if (!method && WorksheetSheet::methodNames().contains(args.first()))
        return refuse(!argumentError.isEmpty()
                          ? argumentError
                          : QStringLiteral("%1 is a flash drill: it prints with --random --pdf FILE only").arg(args.first()));
    if (!method)
        return refuse(QStringLiteral("unknown method '%1'; methods: %2")
                          .arg(args.first(), methodNames().join(QLatin1String(", "))));
    if (!argumentError.isEmpty())
        return refuse(argumentError);
    if (a.answers || a.title || a.paper)
        return refuse(QStringLiteral("--answers, --title and --paper go with --pdf only"));

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
    const std::optional<quint32> seed = seedOf(a);
    if (!seed)
        return refuse(seedError(a));

    // One problem at a time: the output is written as it is made, so a long
    // run needs no more memory than a short one.
    QRandomGenerator rng(*seed);
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
        &outcome.error, &outcome.pdf);
    return outcome;
}

} // namespace Worksheet
