#pragma once

#include <QHash>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// "Practise my misses": the facts a learner missed in the flash drills, and
// the draw that brings them back. Plain rules: no widgets, no files.
//
// A fact is one question of a drill's domain, named by its key: the question
// as the screen shows it ("7×8", "16+5", "52²", "6 U 5", "Guess Rule 7"; on
// the keypad drill the character asked). Every fact asked while the option is
// on has a record: how often it was asked, how often missed, and its review
// level 1..5 (a Leitner scheme): a miss puts the fact at level 1, a right
// answer moves it one level up, to 5 at most. A fact without a record is at
// level 5.
//
// The draw. A missed fact (level 1) is due once DueAfter other questions
// have been asked since: it is asked next, the one waiting longest first,
// unless the question on screen was itself asked for being due, so that at
// least every other question is drawn. While a fact keeps being missed it
// comes back so; three missed facts come back within six questions each.
// The draw weighs the N facts of the option's domain: a fact at level 2
// weighs 1 + N/8, at level 3 1 + N/16, every other fact 1. After one right
// answer a fact is still asked several times as often as another, after two
// about half as much more, and from three right answers in a row on as often
// as any fact. The extra weights of a domain together are held to at most N
// (scaled down evenly), so that at least half of the drawn questions are the
// drill's own even draw over the domain. The question on screen is never
// asked again at once.
//
// The records file, one line a fact, Windows-1252 text (the caller decodes
// and encodes), CR LF line ends:
//
//     Drill,Fact,Seen,Missed,Level
//     BasicMultiplication,7×8,5,3,1
//
// The first line is the header as shown; each other line names the drill
// (its section of the learner's settings file), the fact's key, the times
// asked (1..99999), the times missed (0..asked) and the level (1..5). A
// drill's lines are in the order the facts were last answered, the latest
// last. Empty lines mean nothing. A file that breaks any of these rules, or
// the bounds below, is refused whole.
struct ReviewRecord {
    QString key;
    int seen = 0;
    int missed = 0;
    int level = 5;
    // When it was last answered in this session (the deck's count of answers;
    // NotAsked when not since the file was read). Not stored.
    qint64 askedAt = NotAsked;
    static constexpr qint64 NotAsked = -1;
    bool operator==(const ReviewRecord& other) const
    {
        return key == other.key && seen == other.seen && missed == other.missed && level == other.level;
    }
};

// The facts of one option of a drill, in the drill's order (a key that comes
// twice stands for its first place).
class ReviewDomain
{
public:
    ReviewDomain() = default;
    explicit ReviewDomain(const QStringList& keys);

    int size() const { return int(m_keys.size()); }
    bool isEmpty() const { return m_keys.isEmpty(); }
    const QString& key(int index) const { return m_keys.at(index); }
    // The index of a key, -1 when the option has no such fact.
    int indexOf(const QString& key) const { return m_index.value(key, -1); }
    const QStringList& keys() const { return m_keys; }

private:
    QStringList m_keys;
    QHash<QString, int> m_index;
};

class ReviewDeck
{
public:
    static constexpr int TopLevel = 5;
    // Facts at levels 1..ReviewLevels are drawn more often: they wait for review.
    static constexpr int ReviewLevels = 3;
    // A fact at level 1 is due once this many other questions have been
    // asked since it was missed.
    static constexpr int DueAfter = 3;
    // Bounds of the file: counts, drills, facts a drill keeps, the length of
    // a drill's name and of a key, and the size of the file.
    static constexpr int MaxCount = 99999;
    static constexpr int MaxDrills = 16;
    static constexpr int MaxFactsPerDrill = 300;
    static constexpr int MaxNameLength = 24;
    static constexpr qint64 MaxFileSize = 512 * 1024;
    static QString header() { return QStringLiteral("Drill,Fact,Seen,Missed,Level"); }

    // ---- records
    // The fact of the drill was answered: right, or missed. A drill keeps at
    // most MaxFactsPerDrill facts: a new one then takes the place of the one
    // that matters least (the highest level, then the fewest misses, then
    // the one answered longest ago). At most MaxDrills drills are kept: a
    // new one then takes the place of the one used longest ago.
    void record(const QString& drill, const QString& key, bool missed);
    // The fact's record, or nullptr when it has none.
    const ReviewRecord* find(const QString& drill, const QString& key) const;
    int level(const QString& drill, const QString& key) const;
    // The drills that have records, the one used longest ago first.
    QStringList drills() const;
    // A drill's records, the one answered longest ago first.
    QList<ReviewRecord> records(const QString& drill) const;
    bool isEmpty() const { return m_drills.isEmpty(); }

    // How many facts of the domain wait for review (levels 1..ReviewLevels).
    int waiting(const QString& drill, const ReviewDomain& domain) const;
    // The drill's most-missed facts: missed at least once, the most misses
    // first, then the lower level, then the key; at most count of them.
    QList<ReviewRecord> mostMissed(const QString& drill, int count) const;

    // ---- the draw
    // The weight of a fact at a level in a domain of domainSize facts,
    // before the extra weights are held to the domain's size.
    static double weight(int level, int domainSize);
    // The fact to ask next: index into the domain of a due fact (when due
    // facts may be asked) or of one drawn by its extra weight; index -1 when
    // the drill is to draw its own question evenly over the domain. Never
    // the previous question.
    struct Pick {
        int index = -1;
        bool due = false;
    };
    Pick pick(const QString& drill, const ReviewDomain& domain, const QString& previous, QRandomGenerator& random,
              bool dueAllowed = true) const;
    // The next question: the fact pick() chooses is posed (pose(index)), or
    // the drill draws its own (ownDraw(), which returns the key of what it
    // drew), again while that is the previous question. A due fact is not
    // chosen when the previous question was asked for being due. Returns the
    // key of the question asked.
    QString next(const QString& drill, const ReviewDomain& domain, const QString& previous, QRandomGenerator& random,
                 const std::function<QString()>& ownDraw, const std::function<void(int)>& pose);

    // ---- the file
    QString toText() const;
    // The deck a file's text holds, or nothing with *error saying which line
    // breaks which rule.
    static std::optional<ReviewDeck> fromText(const QString& text, QString* error);
    // A drill's name or a fact's key the file can hold.
    static bool validDrill(const QString& name);
    static bool validKey(const QString& key);

    bool operator==(const ReviewDeck& other) const;

private:
    struct Drill {
        QString name;
        QList<ReviewRecord> records;
    };
    const Drill* findDrill(const QString& name) const;
    // The drill's entry, made (and a drill dropped beyond the bound) when new;
    // moved to the end as the latest used.
    Drill& useDrill(const QString& name);
    bool due(const ReviewRecord& record) const;

    QList<Drill> m_drills;
    qint64 m_answers = 0; // answers recorded since the deck was made or read
    QString m_dueAsked;   // the last question next() asked for being due
};
