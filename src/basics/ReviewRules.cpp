#include "basics/ReviewRules.h"

#include <algorithm>

namespace {

// A count of the file: 1 to 5 decimal digits, nothing else.
std::optional<int> count(QStringView text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// Characters a key may hold: no control characters (C0, DEL, C1), no comma
// (the field separator) and no quote (which a spreadsheet would read as
// quoting).
bool keyCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x20 && u != 0x7F && !(u >= 0x80 && u <= 0x9F) && u != u',' && u != u'"';
}

} // namespace

// ---- domain -------------------------------------------------------------------

ReviewDomain::ReviewDomain(const QStringList& keys) : m_keys(keys)
{
    m_index.reserve(keys.size());
    for (qsizetype i = keys.size() - 1; i >= 0; --i)
        m_index.insert(keys[i], int(i));
}

// ---- records ------------------------------------------------------------------

const ReviewDeck::Drill* ReviewDeck::findDrill(const QString& name) const
{
    for (const Drill& drill : m_drills) {
        if (drill.name == name)
            return &drill;
    }
    return nullptr;
}

ReviewDeck::Drill& ReviewDeck::useDrill(const QString& name)
{
    const auto found = std::find_if(m_drills.begin(), m_drills.end(), [&](const Drill& d) { return d.name == name; });
    if (found != m_drills.end()) {
        Drill drill = std::move(*found);
        m_drills.erase(found);
        m_drills.append(std::move(drill));
    } else {
        if (m_drills.size() >= MaxDrills)
            m_drills.removeFirst();
        m_drills.append({name, {}});
    }
    return m_drills.last();
}

void ReviewDeck::record(const QString& drill, const QString& key, bool missed)
{
    if (!validDrill(drill) || !validKey(key))
        return;
    QList<ReviewRecord>& records = useDrill(drill).records;
    ReviewRecord entry{key};
    const auto found = std::find_if(records.begin(), records.end(), [&](const ReviewRecord& r) { return r.key == key; });
    if (found != records.end()) {
        entry = *found;
        records.erase(found);
    } else if (records.size() >= MaxFactsPerDrill) {
        // The one that matters least: the highest level, the fewest misses,
        // the one answered longest ago (the first of equals).
        const auto least = std::min_element(records.begin(), records.end(), [](const ReviewRecord& a, const ReviewRecord& b) {
            if (a.level != b.level)
                return a.level > b.level;
            return a.missed < b.missed;
        });
        records.erase(least);
    }
    // The counts stop at their bound; misses never pass the times asked.
    entry.seen = qMin(entry.seen + 1, MaxCount);
    if (missed)
        entry.missed = qMin(entry.missed + 1, entry.seen);
    entry.level = missed ? 1 : qMin(entry.level + 1, int(TopLevel));
    entry.askedAt = ++m_answers;
    records.append(entry);
}

const ReviewRecord* ReviewDeck::find(const QString& drill, const QString& key) const
{
    const Drill* d = findDrill(drill);
    if (!d)
        return nullptr;
    for (const ReviewRecord& record : d->records) {
        if (record.key == key)
            return &record;
    }
    return nullptr;
}

int ReviewDeck::level(const QString& drill, const QString& key) const
{
    const ReviewRecord* record = find(drill, key);
    return record ? record->level : TopLevel;
}

QStringList ReviewDeck::drills() const
{
    QStringList names;
    for (const Drill& drill : m_drills)
        names << drill.name;
    return names;
}

QList<ReviewRecord> ReviewDeck::records(const QString& drill) const
{
    const Drill* d = findDrill(drill);
    return d ? d->records : QList<ReviewRecord>();
}

int ReviewDeck::waiting(const QString& drill, const ReviewDomain& domain) const
{
    const Drill* d = findDrill(drill);
    if (!d)
        return 0;
    return int(std::count_if(d->records.cbegin(), d->records.cend(), [&](const ReviewRecord& r) {
        return r.level <= ReviewLevels && domain.indexOf(r.key) >= 0;
    }));
}

QList<ReviewRecord> ReviewDeck::mostMissed(const QString& drill, int count) const
{
    QList<ReviewRecord> missed;
    for (const ReviewRecord& record : records(drill)) {
        if (record.missed > 0)
            missed << record;
    }
    std::sort(missed.begin(), missed.end(), [](const ReviewRecord& a, const ReviewRecord& b) {
        if (a.missed != b.missed)
            return a.missed > b.missed;
        if (a.level != b.level)
            return a.level < b.level;
        return a.key < b.key;
    });
    return missed.mid(0, qMax(0, count));
}

// ---- the draw -----------------------------------------------------------------

double ReviewDeck::weight(int level, int domainSize)
{
    // Level 1 comes back by being due.
    if (level < 2 || level > ReviewLevels)
        return 1.0;
    return 1.0 + double(domainSize) / double(1 << (level + 1));
}

bool ReviewDeck::due(const ReviewRecord& record) const
{
    return record.level == 1 && (record.askedAt == ReviewRecord::NotAsked || m_answers - record.askedAt >= DueAfter);
}

ReviewDeck::Pick ReviewDeck::pick(const QString& drill, const ReviewDomain& domain, const QString& previous,
                                  QRandomGenerator& random, bool dueAllowed) const
{
    const Drill* d = findDrill(drill);
    if (!d || domain.isEmpty())
        return {};
    struct Candidate {
        int index;
        double extra;
    };
    QList<Candidate> candidates;
    const ReviewRecord* longestWaiting = nullptr;
    int dueIndex = -1;
    double extras = 0;
    for (const ReviewRecord& record : d->records) {
        if (record.level > ReviewLevels || record.key == previous)
            continue;
        const int index = domain.indexOf(record.key);
        if (index < 0)
            continue;
        if (dueAllowed && due(record) && (!longestWaiting || record.askedAt < longestWaiting->askedAt)) {
            longestWaiting = &record;
            dueIndex = index;
        }
        const double extra = weight(record.level, domain.size()) - 1.0;
        if (extra > 0) {
            candidates.append({index, extra});
            extras += extra;
        }
    }
    if (dueIndex >= 0)
        return {dueIndex, true};
    if (candidates.isEmpty())
        return {};
    // The extra weights together at most the domain's size.
    const double scale = extras > domain.size() ? domain.size() / extras : 1.0;
    const double held = extras * scale;
    double at = random.generateDouble() * (domain.size() + held);
    if (at >= held)
        return {};
    for (const Candidate& candidate : candidates) {
        at -= candidate.extra * scale;
        if (at < 0)
            return {candidate.index, false};
    }
    return {candidates.last().index, false};
}

QString ReviewDeck::next(const QString& drill, const ReviewDomain& domain, const QString& previous,
                         QRandomGenerator& random, const std::function<QString()>& ownDraw,
                         const std::function<void(int)>& pose)
{
    const Pick chosen = pick(drill, domain, previous, random, previous.isEmpty() || previous != m_dueAsked);
    m_dueAsked = chosen.due ? domain.key(chosen.index) : QString();
    if (chosen.index >= 0) {
        pose(chosen.index);
        return domain.key(chosen.index);
    }
    // The drill's draw avoids its own last draw, which need not be the
    // question on screen when that was posed here.
    QString key = ownDraw();
    for (int tries = 0; key == previous && tries < 1000; ++tries)
        key = ownDraw();
    return key;
}

// ---- the file -----------------------------------------------------------------

bool ReviewDeck::validDrill(const QString& name)
{
    return !name.isEmpty() && name.size() <= MaxNameLength && std::all_of(name.cbegin(), name.cend(), [](QChar c) {
               return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
           });
}

bool ReviewDeck::validKey(const QString& key)
{
    return !key.isEmpty() && key.size() <= MaxNameLength && key.front() != u' ' && key.back() != u' '
           && std::all_of(key.cbegin(), key.cend(), keyCharacter);
}

QString ReviewDeck::toText() const
{
    QString text = header() + QStringLiteral("\r\n");
    for (const Drill& drill : m_drills) {
        for (const ReviewRecord& r : drill.records)
            text += QStringLiteral("%1,%2,%3,%4,%5\r\n").arg(drill.name, r.key).arg(r.seen).arg(r.missed).arg(r.level);
    }
    return text;
}

std::optional<ReviewDeck> ReviewDeck::fromText(const QString& text, QString* error)
{
    const auto fail = [error](qsizetype line, const QString& what) -> std::optional<ReviewDeck> {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line).arg(what);
        return std::nullopt;
    };
    ReviewDeck deck;
    bool headerSeen = false;
    qsizetype lineNumber = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (!headerSeen) {
            if (line != header())
                return fail(lineNumber, QStringLiteral("the first line is not \"%1\".").arg(header()));
            headerSeen = true;
            continue;
        }
        const QList<QStringView> fields = line.split(u',');
        if (fields.size() != 5)
            return fail(lineNumber, QStringLiteral("a line holds five fields."));
        const QString drill = fields[0].toString();
        const QString key = fields[1].toString();
        if (!validDrill(drill))
            return fail(lineNumber, QStringLiteral("the drill's name is not one of the program's."));
        if (!validKey(key))
            return fail(lineNumber, QStringLiteral("the fact is not one the program writes."));
        const std::optional<int> seen = count(fields[2]);
        const std::optional<int> missed = count(fields[3]);
        const std::optional<int> level = count(fields[4]);
        if (!seen || *seen < 1 || *seen > MaxCount)
            return fail(lineNumber, QStringLiteral("the times asked are not 1 to %1.").arg(MaxCount));
        if (!missed || *missed > *seen)
            return fail(lineNumber, QStringLiteral("the times missed are more than the times asked."));
        if (!level || *level < 1 || *level > TopLevel)
            return fail(lineNumber, QStringLiteral("the level is not 1 to %1.").arg(TopLevel));
        Drill* entry = nullptr;
        for (Drill& d : deck.m_drills) {
            if (d.name == drill)
                entry = &d;
        }
        if (!entry) {
            if (deck.m_drills.size() >= MaxDrills)
                return fail(lineNumber, QStringLiteral("more than %1 drills.").arg(MaxDrills));
            deck.m_drills.append({drill, {}});
            entry = &deck.m_drills.last();
        }
        if (entry->records.size() >= MaxFactsPerDrill)
            return fail(lineNumber, QStringLiteral("more than %1 facts of one drill.").arg(MaxFactsPerDrill));
        for (const ReviewRecord& r : entry->records) {
            if (r.key == key)
                return fail(lineNumber, QStringLiteral("the fact is written twice."));
        }
        entry->records.append({key, *seen, *missed, *level});
    }
    if (!headerSeen && !text.isEmpty())
        return fail(1, QStringLiteral("the first line is not \"%1\".").arg(header()));
    return deck;
}

bool ReviewDeck::operator==(const ReviewDeck& other) const
{
    if (m_drills.size() != other.m_drills.size())
        return false;
    for (qsizetype i = 0; i < m_drills.size(); ++i) {
        if (m_drills[i].name != other.m_drills[i].name || m_drills[i].records != other.m_drills[i].records)
            return false;
    }
    return true;
}
