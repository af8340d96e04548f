#include "tools/WorksheetSheet.h"

#include "basics/FactDrillRules.h"
#include "basics/TableDrillRules.h"
#include "practice/PracticeMethods.h"
#include "practice/Squares5Rules.h"
#include "shell/ScreenCatalogue.h"

#include <QRandomGenerator>

#include <functional>

namespace WorksheetSheet {

extern const char* const LayoutTable; // WorksheetLayouts.cpp

namespace {

const QChar Times(0x00D7);
const QChar Divide(0x00F7);

// A flash drill whose facts print in columns: its options and how one fact
// of an option is drawn.
struct Fact {
    QString question;
    QString answer;
};
struct Drill {
    QString name;
    QString caption;
    QStringList options;
    std::function<Fact(DrillRandom&, int option)> draw;
};

Fact factOf(FactKind kind, const FactQuestion& q)
{
    const QString a = FactDrillRules::firstText(q);
    const QString answer = FactDrillRules::answerText(kind, q);
    switch (kind) {
    case FactKind::Double1Digit:
    case FactKind::Double2Digit:
        return {QStringLiteral("2 %1 %2").arg(Times).arg(a), answer};
    case FactKind::Half:
        return {QStringLiteral("Half of %1").arg(a), answer};
    case FactKind::OddEven:
        return {QStringLiteral("%1: Odd or Even?").arg(a), answer};
    default:
        break;
    }
    const QString key = FactDrillRules::factKey(kind, q);
    const bool adds = key.contains(QLatin1Char('+'));
    return {QStringLiteral("%1 %2 %3").arg(a, adds ? QStringLiteral("+") : QStringLiteral("-"),
                                           FactDrillRules::secondText(kind, q)),
            answer};
}

std::function<Fact(DrillRandom&, int)> factDraw(QList<FactKind> kinds)
{
    return [kinds](DrillRandom& random, int option) {
        const FactKind kind = kinds.at(option);
        return factOf(kind, FactDrillRules::draw(random, kind));
    };
}

std::function<Fact(DrillRandom&, int)> tableDraw(TableOperation operation, QList<int> fixed)
{
    return [operation, fixed](DrillRandom& random, int option) {
        const TableAsk ask{operation, fixed.at(option)};
        const TableQuestion q = TableDrillRules::draw(random, ask);
        QString question = QStringLiteral("%1 %2 %3")
                               .arg(q.first)
                               .arg(operation == TableOperation::Multiply ? Times : Divide)
                               .arg(q.second);
        QString answer = QString::number(q.answer);
        if (operation == TableOperation::Divide && q.first % q.second != 0)
            answer += QStringLiteral(" r %1").arg(q.first % q.second);
        return Fact{question, answer};
    };
}

QStringList numberNames(const QList<int>& numbers)
{
    QStringList names{QStringLiteral("Random")};
    for (int n : numbers)
        names << QString::number(n);
    return names;
}

const QList<Drill>& drills()
{
    static const QList<int> multipliers{3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    static const QList<int> divisors{2, 3, 4, 5, 6, 7, 8, 9};
    static const QList<Drill> table = {
        {QStringLiteral("addition"), QStringLiteral("Addition"),
         {QStringLiteral("Basic"), QStringLiteral("By 5"), QStringLiteral("2-Digit + 1-Digit"),
          QStringLiteral("2-Digit + 2-Digit")},
         factDraw({FactKind::AddBasic, FactKind::AddBy5, FactKind::Add2By1, FactKind::Add2By2})},
        {QStringLiteral("subtraction"), QStringLiteral("Subtraction"),
         {QStringLiteral("From 10"), QStringLiteral("From 9"), QStringLiteral("By 2"), QStringLiteral("By 11"),
          QStringLiteral("2-Digit - 1-Digit"), QStringLiteral("2-Digit - 2-Digit")},
         factDraw({FactKind::SubtractFrom10, FactKind::SubtractFrom9, FactKind::SubtractBy2, FactKind::SubtractBy11,
                   FactKind::Subtract2By1, FactKind::Subtract2By2})},
        {QStringLiteral("doubling"), QStringLiteral("Doubling"),
         {QStringLiteral("1-Digit"), QStringLiteral("2-Digit")},
         factDraw({FactKind::Double1Digit, FactKind::Double2Digit})},
        {QStringLiteral("halving"), QStringLiteral("Halving"), {}, factDraw({FactKind::Half})},
        {QStringLiteral("odds-evens"), QStringLiteral("Odds & Evens"), {}, factDraw({FactKind::OddEven})},
        {QStringLiteral("multiplication"), QStringLiteral("Multiplication"), numberNames(multipliers),
         tableDraw(TableOperation::Multiply, QList<int>{0} + multipliers)},
        {QStringLiteral("division"), QStringLiteral("Division"), numberNames(divisors),
         tableDraw(TableOperation::Divide, QList<int>{0} + divisors)},
        {QStringLiteral("squares-5"), QStringLiteral("Square: 5? & ?5"),
         {QStringLiteral("5 ?"), QStringLiteral("? 5")},
         [](DrillRandom& random, int option) {
             // Squares5Rules draws with a QRandomGenerator of its own.
             QRandomGenerator rng(quint32(random.between(0, 1 << 30)));
             const int n = Squares5Rules::draw(rng, option + 1);
             return Fact{QString::number(n) + QStringLiteral("\u00B2"), QString::number(Squares5Rules::square(n))};
         }},
    };
    return table;
}

const Drill* findDrill(const QString& name)
{
    for (const Drill& d : drills())
        if (d.name == name)
            return &d;
    return nullptr;
}

// The question as printed: signs with spaces around them, a root or a square
// written with its sign.
QString practiceQuestion(const QString& method, const QString& question)
{
    if (method == QLatin1String("square-root"))
        return QStringLiteral("\u221A") + question;
    if (method.startsWith(QLatin1String("square-")))
        return question + QStringLiteral("\u00B2");
    QString q = question;
    q.replace(QLatin1Char('x'), QStringLiteral(" %1 ").arg(Times));
    q.replace(QLatin1Char('/'), QStringLiteral(" %1 ").arg(Divide));
    q.replace(QLatin1Char('+'), QStringLiteral(" + "));
    return q;
}

// The caption of a menu item without its "..." and mnemonic marks.
QString menuCaption(const QString& menuCaption)
{
    QString c = menuCaption;
    c.remove(QStringLiteral("...")).replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    c.remove(QLatin1Char('&')).replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return c.trimmed();
}

QString optionKey(const QStringList& options)
{
    return options.join(QStringLiteral(", "));
}

} // namespace

QStringList methodNames()
{
    QStringList names;
    for (const PracticeMethod& m : PracticeMethods::all())
        names << m.name;
    for (const Drill& d : drills())
        names << d.name;
    return names;
}

QList<OptionGroup> optionGroups(const QString& method)
{
    QList<OptionGroup> groups;
    if (const PracticeMethod* m = PracticeMethods::find(method)) {
        for (const MethodOptionGroup& g : m->groups)
            groups << OptionGroup{g.what, g.names};
    } else if (const Drill* d = findDrill(method); d && !d->options.isEmpty()) {
        groups << OptionGroup{QStringLiteral("option"), d->options};
    }
    return groups;
}

QString caption(const QString& method)
{
    if (const Drill* d = findDrill(method))
        return d->caption;
    for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows()) {
        if (row.method != method)
            continue;
        QString c = menuCaption(row.caption);
        if (!row.subMenu.isEmpty())
            if (const ScreenCatalogue::SubMenu* sub = ScreenCatalogue::findSubMenu(row.subMenu))
                c = menuCaption(sub->caption) + QStringLiteral(", ") + c;
        return c;
    }
    return method;
}

std::optional<Section> section(const Request& request, QString* error)
{
    auto fail = [error](const QString& text) -> std::optional<Section> {
        if (error)
            *error = text;
        return std::nullopt;
    };
    if (!methodNames().contains(request.method))
        return fail(QStringLiteral("unknown method '%1'").arg(request.method));
    if (request.count < 1 || request.count > MaxProblems)
        return fail(QStringLiteral("the number of problems must be from 1 to %1").arg(MaxProblems));
    const QList<OptionGroup> groups = optionGroups(request.method);
    QStringList chosen = request.options;
    if (chosen.isEmpty())
        for (const OptionGroup& g : groups)
            chosen << g.names.first();
    if (chosen.size() != groups.size())
        return fail(QStringLiteral("%1 takes %2 options").arg(request.method).arg(groups.size()));
    for (qsizetype k = 0; k < groups.size(); ++k)
        if (!groups.at(k).names.contains(chosen.at(k)))
            return fail(QStringLiteral("unknown option '%1' for %2").arg(chosen.at(k), request.method));

    Section s;
    s.method = request.method;
    s.heading = caption(request.method);
    if (!chosen.isEmpty())
        s.heading += QStringLiteral(": ") + optionKey(chosen);

    if (const PracticeMethod* m = PracticeMethods::find(request.method)) {
        QRandomGenerator rng(request.seed);
        for (int k = 0; k < request.count; ++k) {
            const WorkedProblem worked = m->draw(rng, chosen);
            const QList<BoxPlace> placed = places(request.method, layoutKey(chosen, shapeOf(worked)));
            Problem p;
            p.question = practiceQuestion(request.method, worked.question);
            // The answer as a number: the screen's leading "0" panel is no digit of it.
            p.answer = worked.answer;
            while (p.answer.size() > 1 && p.answer.startsWith(QLatin1Char('0')))
                p.answer.remove(0, 1);
            p.remainder = worked.remainder;
            p.cells = grid(worked, placed, true);
            for (const Cell& c : p.cells)
                p.gridSize = p.gridSize.expandedTo(QSize(c.rect.right() + 1, c.rect.bottom() + 1));
            s.problems << p;
        }
        return s;
    }

    const Drill* d = findDrill(request.method);
    s.facts = true;
    DrillRandom random(request.seed);
    const int option = groups.isEmpty() ? 0 : int(groups.first().names.indexOf(chosen.first()));
    QString previous;
    for (int k = 0; k < request.count; ++k) {
        // As on the screen, never the same fact twice in a row (unless the
        // option has only one).
        Fact f = d->draw(random, option);
        for (int tries = 0; f.question == previous && tries < 100; ++tries)
            f = d->draw(random, option);
        previous = f.question;
        s.problems << Problem{f.question, f.answer, std::nullopt, {}, {}};
    }
    return s;
}

QString shapeOf(const WorkedProblem& problem)
{
    QStringList unused;
    for (qsizetype k = 0; k < problem.boxes.size(); ++k)
        if (problem.boxes.at(k).unused)
            unused << QString::number(k);
    // A short answer (fewer answer panels, or empty ones) may move the boxes too.
    QStringList answer{QString::number(problem.answerPanels.size())};
    for (qsizetype k = 0; k < problem.answerPanels.size(); ++k)
        if (problem.answerPanels.at(k).text.isEmpty())
            answer << QString::number(k);
    QString shape = unused.join(QLatin1Char(' ')) + QStringLiteral(" / ") + answer.join(QLatin1Char(' '));
    return shape.trimmed();
}

QString layoutKey(const QStringList& options, const QString& shape)
{
    return (optionKey(options) + QStringLiteral(" | ") + shape).trimmed();
}

QList<BoxPlace> places(const QString& method, const QString& key)
{
    static const QList<Layout> layouts = parseLayouts(QString::fromUtf8(LayoutTable));
    for (const Layout& l : layouts)
        if (l.method == method && l.optionKeys.contains(key))
            return l.places;
    // A shape the table has not met: the options' layout when they have only one.
    const QString options = key.left(key.indexOf(QLatin1Char('|')) + 1);
    const Layout* only = nullptr;
    for (const Layout& l : layouts) {
        if (l.method != method)
            continue;
        for (const QString& k : l.optionKeys)
            if (k.startsWith(options) && only != &l) {
                if (only)
                    return {};
                only = &l;
            }
    }
    return only ? only->places : QList<BoxPlace>();
}

QList<Cell> grid(const WorkedProblem& problem, const QList<BoxPlace>& places, bool values)
{
    auto placeOf = [&places](const QString& box) -> std::optional<QRect> {
        for (const BoxPlace& p : places)
            if (p.box == box)
                return p.rect;
        return std::nullopt;
    };
    QList<Cell> cells;
    for (const PanelText& q : problem.questionPanels)
        if (const auto at = placeOf(q.panel); at && !q.text.isEmpty())
            cells << Cell{Cell::Kind::Question, *at, q.text, false};
    for (const RuleBox& b : problem.boxes)
        if (const auto at = placeOf(b.box); at && !b.unused)
            cells << Cell{Cell::Kind::Working, *at, values ? b.text : QString(), b.mental};
    for (const RuleCarry& c : problem.carries)
        if (const auto at = placeOf(c.box))
            cells << Cell{Cell::Kind::Carry, *at, values ? PracticeText::carryText(c.value) : QString(), false};
    if (cells.isEmpty())
        return cells;
    QRect bounds = cells.first().rect;
    for (const Cell& c : cells)
        bounds = bounds.united(c.rect);
    for (Cell& c : cells)
        c.rect.translate(-bounds.topLeft());
    return cells;
}

QList<Layout> parseLayouts(const QString& text)
{
    QList<Layout> layouts;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1String("layout "))) {
            layouts << Layout{line.mid(7).trimmed(), {}, {}};
            continue;
        }
        if (layouts.isEmpty())
            continue;
        if (line.startsWith(QLatin1String("options"))) {
            layouts.last().optionKeys << line.mid(7).trimmed();
            continue;
        }
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() != 5)
            continue;
        layouts.last().places << BoxPlace{f.at(0), QRect(f.at(1).toInt(), f.at(2).toInt(), f.at(3).toInt(), f.at(4).toInt())};
    }
    return layouts;
}

QString writeLayouts(const QList<Layout>& layouts)
{
    QString text;
    for (const Layout& l : layouts) {
        text += QStringLiteral("layout %1\n").arg(l.method);
        for (const QString& key : l.optionKeys)
            text += QStringLiteral("options %1\n").arg(key);
        for (const BoxPlace& p : l.places)
            text += QStringLiteral("%1 %2 %3 %4 %5\n")
                        .arg(p.box)
                        .arg(p.rect.x())
                        .arg(p.rect.y())
                        .arg(p.rect.width())
                        .arg(p.rect.height());
    }
    return text;
}

} // namespace WorksheetSheet
