// "Practise my misses" without a window: the draw a simulated learner
// meets, the drills' own draws and their domains, and the records file.

#include <QtTest>

#include <cmath>

#include "basics/KeyboardDrillRules.h"
#include "basics/ReviewRules.h"
#include "basics/TableDrillRules.h"
#include "basics/UnitTenRules.h"
#include "practice/Squares5Rules.h"

namespace {

// The value chi-square (with df degrees of freedom) stays below with
// probability 0.999 (Wilson and Hilferty).
double chiSquareLimit(int df)
{
    const double z = 3.0902;
    const double a = 2.0 / (9.0 * df);
    return df * std::pow(1.0 - a + z * std::sqrt(a), 3);
}

// Draws `draws` questions (each as a domain index) and checks that every one
// lies in the domain and that their spread fits the expected probabilities
// (chi-square at 0.999). Returns "" or what did not hold.
QString checkSpread(const QString& name, const QList<double>& expected, int draws, const std::function<int()>& draw)
{
    QList<int> counts(expected.size(), 0);
    for (int i = 0; i < draws; ++i) {
        const int index = draw();
        if (index < 0 || index >= counts.size())
            return name + QStringLiteral(": a question outside the domain");
        ++counts[index];
    }
    double chi = 0;
    for (qsizetype i = 0; i < counts.size(); ++i) {
        const double e = expected[i] * draws;
        chi += (counts[i] - e) * (counts[i] - e) / e;
    }
    const double limit = chiSquareLimit(int(counts.size()) - 1);
    return chi < limit ? QString() : QStringLiteral("%1: chi-square %2 above %3").arg(name).arg(chi).arg(limit);
}

QList<double> even(qsizetype n)
{
    return QList<double>(n, 1.0 / double(n));
}

QStringList tableKeys(const TableAsk& ask)
{
    QStringList keys;
    for (const TableQuestion& q : TableDrillRules::all(ask))
        keys << TableDrillRules::factKey(ask, q);
    return keys;
}

} // namespace

class TestReviewRules : public QObject
{
    Q_OBJECT
private slots:
    // The learner of the multiplication drill's "Random" option (64 facts)
    // misses 7×8, 6×9 and 4×7 every time, then has them right.
    void a_learner_who_misses_three_facts()
    {
        const TableAsk ask{TableOperation::Multiply, 0};
        const ReviewDomain domain(tableKeys(ask));
        QCOMPARE(domain.size(), 64);
        const QStringList chosen = {QStringLiteral("7×8"), QStringLiteral("6×9"), QStringLiteral("4×7")};
        for (const QString& key : chosen)
            QVERIFY(domain.indexOf(key) >= 0);

        const QString drill = QStringLiteral("BasicMultiplication");
        ReviewDeck deck;
        RandomTableQuestions own(7);
        QRandomGenerator random(11);
        QString onScreen;
        QStringList asked;
        // The next question as the engine asks it, answered by the learner.
        const auto ask1 = [&](const std::function<bool(const QString&)>& misses) {
            const QString previous = onScreen;
            onScreen = deck.next(
                drill, domain, previous, random,
                [&] { return TableDrillRules::factKey(ask, own.next(ask)); }, [&](int i) { onScreen = domain.key(i); });
            QVERIFY2(onScreen != previous, qPrintable(onScreen + QStringLiteral(" twice in a row")));
            QVERIFY(domain.indexOf(onScreen) >= 0);
            asked << onScreen;
            deck.record(drill, onScreen, misses(onScreen));
        };
        const auto missChosen = [&](const QString& key) { return chosen.contains(key); };

        // Until each chosen fact has been missed once.
        while (!std::all_of(chosen.cbegin(), chosen.cend(), [&](const QString& k) { return asked.contains(k); }))
            ask1(missChosen);
        QVERIFY(asked.size() < 1000);
        // The next 200 questions: each missed fact is back within 8.
        const qsizetype start = asked.size();
        for (int i = 0; i < 200; ++i)
            ask1(missChosen);
        const QStringList window = asked.mid(start);
        int longestGap = 0;
        for (const QString& key : chosen) {
            qsizetype last = asked.lastIndexOf(key, start - 1);
            for (qsizetype i = start; i < asked.size(); ++i) {
                if (asked[i] != key)
                    continue;
                longestGap = qMax(longestGap, int(i - last));
                last = i;
            }
            longestGap = qMax(longestGap, int(asked.size() - 1 - last)); // still waiting at the end
        }
        QVERIFY2(longestGap <= 8, qPrintable(QString::number(longestGap)));
        const double average = 200.0 / domain.size();
        QStringList seen;
        for (const QString& key : chosen) {
            const int n = int(window.count(key));
            seen << QStringLiteral("%1 %2 times (%3 x average)").arg(key).arg(n).arg(n / average, 0, 'f', 1);
            QVERIFY2(n >= 3 * average, qPrintable(seen.last()));
        }
        // At least every other question is drawn, not asked for being due.
        const qsizetype review = std::count_if(window.cbegin(), window.cend(), [&](const QString& k) { return chosen.contains(k); });
        QVERIFY2(review <= 120, qPrintable(QString::number(review)));
        qInfo("missed every time, 200 questions: %s; longest wait %d questions; %d of the 200 were these three",
              qPrintable(seen.join(u", ")), longestGap, int(review));
        QCOMPARE(deck.waiting(drill, domain), 3);

        // Right from now on: after three right answers in a row each is at
        // level 4 and no longer waits.
        const auto right = [](const QString&) { return false; };
        QHash<QString, int> rightInARow;
        while (std::any_of(chosen.cbegin(), chosen.cend(), [&](const QString& k) { return rightInARow.value(k) < 3; })) {
            ask1(right);
            ++rightInARow[onScreen];
        }
        for (const QString& key : chosen)
            QVERIFY(deck.level(drill, key) >= 4);
        QCOMPARE(deck.waiting(drill, domain), 0);
        // ...and comes about as often as any fact.
        const qsizetype later = asked.size();
        constexpr int Questions = 6400;
        for (int i = 0; i < Questions; ++i)
            ask1(right);
        const QStringList after = asked.mid(later);
        seen.clear();
        for (const QString& key : chosen) {
            const double ratio = after.count(key) / (double(Questions) / domain.size());
            seen << QStringLiteral("%1 %2 x base").arg(key).arg(ratio, 0, 'f', 2);
            QVERIFY2(ratio > 0.7 && ratio < 1.3, qPrintable(seen.last()));
        }
        qInfo("after three right in a row, %d questions: %s", Questions, qPrintable(seen.join(u", ")));
    }

    // A fact missed once and then known comes back less and less often: the
    // mean wait (in questions) after the miss and after each right answer,
    // over many learners of the 64 facts.
    void a_miss_comes_back_less_and_less()
    {
        const TableAsk ask{TableOperation::Multiply, 0};
        const ReviewDomain domain(tableKeys(ask));
        const QString drill = QStringLiteral("BasicMultiplication");
        const QString fact = QStringLiteral("7×8");
        QRandomGenerator random(31);
        constexpr int Learners = 300;
        QList<double> waits(4, 0.0);
        for (int learner = 0; learner < Learners; ++learner) {
            ReviewDeck deck;
            RandomTableQuestions own(quint32(1000 + learner));
            deck.record(drill, fact, true);
            QString onScreen = fact;
            // The waits until the fact comes back: after the miss, after one,
            // two and three right answers.
            for (int stage = 0; stage < 4; ++stage) {
                int questions = 0;
                do {
                    onScreen = deck.next(
                        drill, domain, onScreen, random,
                        [&] { return TableDrillRules::factKey(ask, own.next(ask)); }, [&](int i) { onScreen = domain.key(i); });
                    deck.record(drill, onScreen, false);
                    ++questions;
                } while (onScreen != fact);
                waits[stage] += double(questions) / Learners;
            }
        }
        qInfo("mean wait after the miss %.1f, after 1 right %.1f, after 2 right %.1f, after 3 right %.1f questions "
              "(64 facts)", waits[0], waits[1], waits[2], waits[3]);
        QVERIFY(waits[0] > 3.5 && waits[0] <= 4.0); // due after three others, or drawn sooner
        QVERIFY(waits[0] < waits[1] && waits[1] < waits[2] && waits[2] < waits[3]);
        // At level 4 the fact is one of 64 alike: about 64 questions.
        QVERIFY2(waits[3] > 50 && waits[3] < 80, qPrintable(QString::number(waits[3])));
    }

    // The weights, the bound on the extra weights and the due rule.
    void weights_and_the_due_rule()
    {
        QCOMPARE(ReviewDeck::weight(1, 64), 1.0); // it comes back by being due
        QCOMPARE(ReviewDeck::weight(2, 64), 9.0);
        QCOMPARE(ReviewDeck::weight(3, 64), 5.0);
        QCOMPARE(ReviewDeck::weight(4, 64), 1.0);
        QCOMPARE(ReviewDeck::weight(5, 64), 1.0);

        QStringList keys;
        for (int i = 0; i < 64; ++i)
            keys << QString::number(i);
        const ReviewDomain domain(keys);
        const QString d = QStringLiteral("D");
        QRandomGenerator random(3);

        // Missed facts are due once DueAfter other answers came after them,
        // the one waiting longest first, never the question on screen; facts
        // read from the file are due at once.
        ReviewDeck due;
        for (int i = 0; i < 5; ++i)
            due.record(d, keys[i], true);
        QCOMPARE(due.pick(d, domain, QString(), random).index, 0);
        QVERIFY(due.pick(d, domain, QString(), random).due);
        QCOMPARE(due.pick(d, domain, keys[0], random).index, 1);
        QCOMPARE(due.pick(d, domain, QString(), random, false).index, -1);
        due.record(d, keys[0], true);
        QCOMPARE(due.pick(d, domain, QString(), random).index, 1);
        due.record(d, keys[1], true);
        due.record(d, keys[2], true);
        due.record(d, keys[3], true);
        QCOMPARE(due.pick(d, domain, QString(), random).index, 4);
        // Asked for being due, a fact is not followed by another due one.
        const auto ownDraw = [] { return QStringLiteral("own"); };
        QString asked = due.next(d, domain, QString(), random, ownDraw, [](int) {});
        QCOMPARE(asked, keys[4]);
        due.record(d, asked, true);
        asked = due.next(d, domain, asked, random, ownDraw, [](int) {});
        QCOMPARE(asked, QStringLiteral("own"));
        due.record(d, asked, false);
        QCOMPARE(due.next(d, domain, asked, random, ownDraw, [](int) {}), keys[0]);
        const std::optional<ReviewDeck> read = ReviewDeck::fromText(ReviewDeck::header() + QStringLiteral("\r\nD,9,3,1,1\r\n"), nullptr);
        QVERIFY(read);
        QCOMPARE(read->pick(d, domain, QString(), random).index, 9);

        // Twenty facts at level 2 of 64: their extra weight (20 x 8) is held
        // to 64, so half of the draws are still the drill's own; the rest are
        // these facts.
        ReviewDeck deck;
        for (int i = 0; i < 64; ++i) {
            deck.record(d, keys[i], i < 20);
            if (i < 20)
                deck.record(d, keys[i], false);
        }
        int own = 0;
        constexpr int Draws = 4000;
        for (int i = 0; i < Draws; ++i) {
            const int index = deck.pick(d, domain, QString(), random).index;
            QVERIFY(index < 20);
            own += index < 0;
        }
        QVERIFY2(own > 0.45 * Draws && own < 0.55 * Draws, qPrintable(QString::number(own)));
        // A fact of another option, or of another drill, is not picked.
        QCOMPARE(deck.pick(d, ReviewDomain({QStringLiteral("x")}), QString(), random).index, -1);
        QCOMPARE(deck.pick(QStringLiteral("Other"), domain, QString(), random).index, -1);
    }

    // With nothing recorded the draw is the drill's own: the same questions
    // from the same generator.
    void without_records_the_drill_draws_its_own()
    {
        const TableAsk ask{TableOperation::Divide, 7};
        const ReviewDomain domain(tableKeys(ask));
        RandomTableQuestions plain(5);
        RandomTableQuestions through(5);
        ReviewDeck deck;
        QRandomGenerator random(9);
        QString previous;
        for (int i = 0; i < 500; ++i) {
            const QString expected = TableDrillRules::factKey(ask, plain.next(ask));
            previous = deck.next(
                QStringLiteral("BasicDivision"), domain, previous, random,
                [&] { return TableDrillRules::factKey(ask, through.next(ask)); }, [](int) { QFAIL("posed a fact"); });
            QCOMPARE(previous, expected);
        }
    }

    // The option off: each drill draws as ever. Every question lies in the
    // option's domain and the spread fits the draw (even over the domain,
    // or for "2-Digit - 2-Digit" the minuend even first).
    void each_option_draws_over_its_domain()
    {
        QStringList failures;
        const auto sample = [](qsizetype size) { return int(qMin<qsizetype>(30 * size, qMax<qsizetype>(12000, 10 * size))); };
        for (int k = int(FactKind::AddBasic); k <= int(FactKind::OddEven); ++k) {
            const FactKind kind = FactKind(k);
            const QList<FactQuestion> all = FactDrillRules::all(kind);
            QStringList keys;
            QList<double> expected;
            const FactDomain d = FactDrillRules::domain(kind);
            for (const FactQuestion& q : all) {
                keys << FactDrillRules::factKey(kind, q);
                const int firsts = d.firstHigh - d.firstLow + 1;
                const int seconds = !d.hasSecond ? 1 : (d.secondBelowFirst ? qMin(d.secondHigh, q.first - 1) : d.secondHigh) - d.secondLow + 1;
                expected << 1.0 / firsts / seconds;
            }
            const ReviewDomain domain(keys);
            QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), all.size()); // every key names one question
            DrillRandom random(quint32(100 + k));
            failures << checkSpread(QStringLiteral("fact kind %1").arg(k), expected, sample(all.size()), [&] {
                return domain.indexOf(FactDrillRules::factKey(kind, FactDrillRules::draw(random, kind)));
            });
        }
        const QList<TableAsk> tables = {{TableOperation::Multiply, 0}, {TableOperation::Multiply, 12},
                                        {TableOperation::Divide, 0}, {TableOperation::Divide, 7}};
        for (const TableAsk& ask : tables) {
            const ReviewDomain domain(tableKeys(ask));
            DrillRandom random(quint32(ask.fixed + 3));
            failures << checkSpread(QStringLiteral("table %1").arg(domain.key(0)), even(domain.size()), sample(domain.size()),
                                    [&] { return domain.indexOf(TableDrillRules::factKey(ask, TableDrillRules::draw(random, ask))); });
        }
        const QList<UnitTenAsk> products = {{UnitTenPart::Unit, true, 0}, {UnitTenPart::Ten, false, 0},
                                            {UnitTenPart::UnitTen, false, 0}, {UnitTenPart::NumberTen, false, 0},
                                            {UnitTenPart::NumberTen, false, 7}};
        for (const UnitTenAsk& ask : products) {
            QStringList keys;
            for (const UnitTenQuestion& q : UnitTenRules::all(ask))
                keys << UnitTenRules::factKey(q);
            const ReviewDomain domain(keys);
            QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());
            DrillRandom random(quint32(ask.multiplier + int(ask.part) + 50));
            failures << checkSpread(QStringLiteral("units and tens %1").arg(keys.first()), even(keys.size()), sample(keys.size()),
                                    [&] { return domain.indexOf(UnitTenRules::factKey(UnitTenRules::draw(random, ask))); });
        }
        // The drills that never repeat the number before: even over the
        // domain all the same.
        RandomNumbers keypad(KeyboardDrillRules::FirstQuestion, KeyboardDrillRules::LastQuestion, 17);
        int character = KeyboardDrillRules::NoQuestion;
        failures << checkSpread(QStringLiteral("keypad"), even(12), 6000, [&] { return character = keypad.next(character); });
        QRandomGenerator squares(23);
        int number = 0;
        const QList<int> endingIn5 = Squares5Rules::numbers(2);
        failures << checkSpread(QStringLiteral("squares"), even(9), 4500,
                                [&] { return int(endingIn5.indexOf(number = Squares5Rules::draw(squares, 2, number))); });
        failures.removeAll(QString());
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));

        // Domain sizes as the options describe them.
        QCOMPARE(FactDrillRules::all(FactKind::Add2By2).size(), 90 * 90);
        QCOMPARE(FactDrillRules::all(FactKind::SubtractBy2).size(), 7);
        QCOMPARE(TableDrillRules::all({TableOperation::Divide, 0}).size(), 99 * 8);
        QCOMPARE(UnitTenRules::all({UnitTenPart::Unit, true, 0}).size(), 2 * 10 * 8);
        QCOMPARE(FactDrillRules::factKey(FactKind::SubtractFrom10, FactDrillRules::pose(FactKind::SubtractFrom10, 10, 7)),
                 QStringLiteral("10-7"));
        QCOMPARE(FactDrillRules::factKey(FactKind::Half, FactDrillRules::pose(FactKind::Half, 7)), QStringLiteral("7"));
        QCOMPARE(UnitTenRules::factKey(UnitTenRules::pose(UnitTenPart::UnitTen, 2, 6, 5)), QStringLiteral("26 UT 5"));
        QCOMPARE(UnitTenRules::factKey(UnitTenRules::pose(UnitTenPart::Ten, 4, 6, 5)), QStringLiteral("6 T 5"));
        QCOMPARE(Squares5Rules::factKey(52), QStringLiteral("52²"));
    }

    // Levels, counts, bounds and the read API of the records.
    void records_levels_and_bounds()
    {
        ReviewDeck deck;
        const QString d = QStringLiteral("Addition");
        QList<int> levels;
        for (bool missed : {false, true, false, false, false, false, false, true}) {
            deck.record(d, QStringLiteral("7+8"), missed);
            levels << deck.level(d, QStringLiteral("7+8"));
        }
        QCOMPARE(levels, QList<int>({5, 1, 2, 3, 4, 5, 5, 1}));
        QCOMPARE(*deck.find(d, QStringLiteral("7+8")), (ReviewRecord{QStringLiteral("7+8"), 8, 2, 1}));
        QCOMPARE(deck.level(d, QStringLiteral("9+9")), 5);
        deck.record(d, QStringLiteral("6+6"), true);
        deck.record(d, QStringLiteral("6+6"), true);
        deck.record(d, QStringLiteral("5+5"), true);
        deck.record(d, QStringLiteral("4+4"), false);
        const QList<ReviewRecord> most = deck.mostMissed(d, 2);
        QCOMPARE(most.size(), 2);
        QCOMPARE(most[0].key, QStringLiteral("6+6"));
        QCOMPARE(most[1].key, QStringLiteral("7+8"));
        QCOMPARE(deck.mostMissed(d, 10).size(), 3);
        QCOMPARE(deck.waiting(d, ReviewDomain({QStringLiteral("7+8"), QStringLiteral("6+6"), QStringLiteral("4+4")})), 2);
        // Names the file cannot hold are not recorded.
        deck.record(QStringLiteral("Bad name"), QStringLiteral("1"), true);
        deck.record(d, QStringLiteral("a,b"), true);
        QCOMPARE(deck.drills(), QStringList({d}));

        // Counts stop at their bound.
        QString error;
        std::optional<ReviewDeck> full = ReviewDeck::fromText(
            ReviewDeck::header() + QStringLiteral("\r\nHalving,7,99999,99999,1\r\n"), &error);
        QVERIFY2(full, qPrintable(error));
        full->record(QStringLiteral("Halving"), QStringLiteral("7"), true);
        QCOMPARE(*full->find(QStringLiteral("Halving"), QStringLiteral("7")), (ReviewRecord{QStringLiteral("7"), 99999, 99999, 1}));

        // A full drill gives up the fact that matters least: the highest
        // level, the fewest misses, the one answered longest ago.
        ReviewDeck bounded;
        for (int i = 0; i < ReviewDeck::MaxFactsPerDrill; ++i)
            bounded.record(d, QString::number(i), i % 3 == 0);
        bounded.record(d, QStringLiteral("1"), false); // level 5, no miss, now the latest
        bounded.record(d, QStringLiteral("new"), false);
        QCOMPARE(bounded.records(d).size(), ReviewDeck::MaxFactsPerDrill);
        QVERIFY(!bounded.find(d, QStringLiteral("2")));
        QVERIFY(bounded.find(d, QStringLiteral("1")) && bounded.find(d, QStringLiteral("0")));
        // At most MaxDrills drills: the one used longest ago goes.
        for (int i = 0; i < ReviewDeck::MaxDrills; ++i)
            bounded.record(QStringLiteral("Drill%1").arg(i), QStringLiteral("1"), true);
        QCOMPARE(bounded.drills().size(), ReviewDeck::MaxDrills);
        QVERIFY(!bounded.drills().contains(d));
    }

    // Whatever the program records reads back the same, and the largest file
    // it can write is one it reads.
    void the_file_reads_back_what_is_written()
    {
        QRandomGenerator random(42);
        for (int round = 0; round < 40; ++round) {
            ReviewDeck deck;
            const int answers = int(random.bounded(1, 400));
            for (int i = 0; i < answers; ++i)
                deck.record(QStringLiteral("Drill%1").arg(random.bounded(20)),
                            QStringLiteral("%1×%2").arg(random.bounded(2, 40)).arg(random.bounded(2, 10)), random.bounded(3) == 0);
            QString error;
            const std::optional<ReviewDeck> back = ReviewDeck::fromText(deck.toText(), &error);
            QVERIFY2(back, qPrintable(error));
            QVERIFY(*back == deck);
            QCOMPARE(back->toText(), deck.toText());
        }
        // The largest file: every drill full, the longest names and counts.
        QString largest = ReviewDeck::header() + QStringLiteral("\r\n");
        for (int d = 0; d < ReviewDeck::MaxDrills; ++d) {
            const QString drill = QStringLiteral("D%1").arg(d).leftJustified(ReviewDeck::MaxNameLength, u'x');
            for (int f = 0; f < ReviewDeck::MaxFactsPerDrill; ++f) {
                const QString key = QStringLiteral("%1").arg(f).leftJustified(ReviewDeck::MaxNameLength, u'÷');
                largest += QStringLiteral("%1,%2,%3,%3,1\r\n").arg(drill, key).arg(ReviewDeck::MaxCount);
            }
        }
        // Windows-1252: one byte a character.
        QVERIFY2(largest.size() <= ReviewDeck::MaxFileSize, qPrintable(QString::number(largest.size())));
        const std::optional<ReviewDeck> full = ReviewDeck::fromText(largest, nullptr);
        QVERIFY(full);
        QCOMPARE(full->toText(), largest);
        QVERIFY(ReviewDeck::fromText(QString(), nullptr)->isEmpty());
    }

    // A file the program did not write is refused whole, saying where.
    void a_damaged_file_is_refused_with_its_line()
    {
        const QString head = ReviewDeck::header() + QStringLiteral("\r\n");
        const struct {
            QString text;
            QString error;
        } cases[] = {
            {QStringLiteral("Drill;Fact\r\n"), QStringLiteral("line 1: the first line is not")},
            {QStringLiteral("\r\n\r\n"), QStringLiteral("line 1: the first line is not")},
            {head + QStringLiteral("Addition,7+8,3,1\r\n"), QStringLiteral("line 2: a line holds five fields.")},
            {head + QStringLiteral("Addition,7+8,3,1,1,9\r\n"), QStringLiteral("line 2: a line holds five fields.")},
            {head + QStringLiteral("\r\nAdd ition,7+8,3,1,1\r\n"), QStringLiteral("line 3: the drill's name")},
            {head + QStringLiteral("Addition, 7+8,3,1,1\r\n"), QStringLiteral("line 2: the fact is not")},
            {head + QStringLiteral("Addition,,3,1,1\r\n"), QStringLiteral("line 2: the fact is not")},
            {head + QStringLiteral("Addition,7\u00018,3,1,1\r\n"), QStringLiteral("line 2: the fact is not")},
            {head + QStringLiteral("Addition,7+8,0,0,5\r\n"), QStringLiteral("line 2: the times asked")},
            {head + QStringLiteral("Addition,7+8,100000,1,1\r\n"), QStringLiteral("line 2: the times asked")},
            {head + QStringLiteral("Addition,7+8,-3,1,1\r\n"), QStringLiteral("line 2: the times asked")},
            {head + QStringLiteral("Addition,7+8,3,4,1\r\n"), QStringLiteral("line 2: the times missed")},
            {head + QStringLiteral("Addition,7+8,3,1,6\r\n"), QStringLiteral("line 2: the level")},
            {head + QStringLiteral("Addition,7+8,3,1, 1\r\n"), QStringLiteral("line 2: the level")},
            {head + QStringLiteral("Addition,7+8,3,1,1\r\nAddition,7+8,3,1,1\r\n"), QStringLiteral("line 3: the fact is written twice.")},
        };
        for (const auto& c : cases) {
            QString error;
            QVERIFY2(!ReviewDeck::fromText(c.text, &error), qPrintable(c.text));
            QVERIFY2(error.startsWith(c.error), qPrintable(error));
        }
        QString many = head;
        for (int d = 0; d <= ReviewDeck::MaxDrills; ++d)
            many += QStringLiteral("D%1,1,1,0,5\n").arg(d);
        QString error;
        QVERIFY(!ReviewDeck::fromText(many, &error));
        QCOMPARE(error, QStringLiteral("line 18: more than 16 drills."));
        QString long1 = head;
        for (int f = 0; f <= ReviewDeck::MaxFactsPerDrill; ++f)
            long1 += QStringLiteral("D,%1,1,0,5\n").arg(f);
        QVERIFY(!ReviewDeck::fromText(long1, &error));
        QCOMPARE(error, QStringLiteral("line 302: more than 300 facts of one drill."));
        // LF line ends and empty lines are fine.
        QVERIFY(ReviewDeck::fromText(ReviewDeck::header() + QStringLiteral("\n\nD,1,2,1,3\n"), nullptr));
    }
};

QTEST_MAIN(TestReviewRules)
#include "tst_ReviewRules.moc"
