// The questions of the fact drills without any window: domains, answers and
// the random drawing.

#include <QtTest>

#include "basics/FactDrillRules.h"

namespace {

const FactKind AllKinds[] = {
    FactKind::AddBasic,       FactKind::AddBy5,        FactKind::Add2By1,      FactKind::Add2By2,
    FactKind::SubtractFrom10, FactKind::SubtractFrom9, FactKind::SubtractBy2,  FactKind::SubtractBy11,
    FactKind::Subtract2By1,   FactKind::Subtract2By2,  FactKind::Double1Digit, FactKind::Double2Digit,
    FactKind::Half,           FactKind::OddEven,
};

int questionCount(FactKind kind)
{
    const FactDomain d = FactDrillRules::domain(kind);
    int count = 0;
    for (int a = d.firstLow; a <= d.firstHigh; ++a) {
        if (!d.hasSecond) {
            ++count;
            continue;
        }
        for (int b = d.secondLow; b <= d.secondHigh; ++b)
            count += FactDrillRules::inDomain(kind, a, b) ? 1 : 0;
    }
    return count;
}

} // namespace

class TestFactDrillRules : public QObject
{
    Q_OBJECT
private slots:
    void answers_follow_from_the_operands()
    {
        using namespace FactDrillRules;
        QCOMPARE(pose(FactKind::AddBasic, 16, 5), (FactQuestion{16, 5, 21}));
        QCOMPARE(pose(FactKind::Add2By2, 89, 56).answer, 145);
        QCOMPARE(pose(FactKind::Subtract2By2, 53, 48).answer, 5);
        QCOMPARE(pose(FactKind::Double2Digit, 89).answer, 178);
        QCOMPARE(pose(FactKind::Half, 7).answer, 3);
        QCOMPARE(pose(FactKind::Half, 8).answer, 4);
        QCOMPARE(pose(FactKind::Half, 1).answer, 0);
        QCOMPARE(answerText(FactKind::OddEven, pose(FactKind::OddEven, 0)), QStringLiteral("Even"));
        QCOMPARE(answerText(FactKind::OddEven, pose(FactKind::OddEven, 7)), QStringLiteral("Odd"));
        QCOMPARE(answerText(FactKind::Half, pose(FactKind::Half, 9)), QStringLiteral("4"));
        // The option's fixed operand wins over whatever is passed.
        QCOMPARE(pose(FactKind::AddBy5, 6, 99), (FactQuestion{6, 5, 11}));
        QCOMPARE(pose(FactKind::SubtractFrom10, 3, 4), (FactQuestion{10, 4, 6}));
        QCOMPARE(pose(FactKind::SubtractFrom9, 0, 8), (FactQuestion{9, 8, 1}));
        QCOMPARE(pose(FactKind::SubtractBy2, 5, 0), (FactQuestion{5, 2, 3}));
        QCOMPARE(pose(FactKind::SubtractBy11, 19, 0), (FactQuestion{19, 11, 8}));
        QCOMPARE(pose(FactKind::Double1Digit, 4, 7), (FactQuestion{4, 0, 8}));
        QCOMPARE(secondText(FactKind::Double1Digit, pose(FactKind::Double1Digit, 4)), QString());
        QCOMPARE(secondText(FactKind::AddBy5, pose(FactKind::AddBy5, 4)), QStringLiteral("5"));
    }

    void domains_keep_answers_at_zero_or_more_and_subtrahends_below_minuends()
    {
        for (FactKind kind : AllKinds) {
            const FactDomain d = FactDrillRules::domain(kind);
            QVERIFY(d.firstLow <= d.firstHigh);
            QVERIFY2(questionCount(kind) >= 2, "a drill needs two questions to never repeat");
            for (int a = d.firstLow; a <= d.firstHigh; ++a) {
                for (int b = d.hasSecond ? d.secondLow : 0; b <= (d.hasSecond ? d.secondHigh : 0); ++b) {
                    if (!FactDrillRules::inDomain(kind, a, b))
                        continue;
                    const FactQuestion q = FactDrillRules::pose(kind, a, b);
                    QVERIFY(q.answer >= 0);
                    QCOMPARE(q.first, a);
                    QCOMPARE(q.second, d.hasSecond ? b : 0);
                }
            }
        }
        using FactDrillRules::inDomain;
        QVERIFY(!inDomain(FactKind::Subtract2By2, 40, 40));
        QVERIFY(!inDomain(FactKind::Subtract2By2, 40, 55));
        QVERIFY(inDomain(FactKind::Subtract2By2, 40, 39));
        QVERIFY(!inDomain(FactKind::SubtractFrom9, 9, 9));
        QVERIFY(!inDomain(FactKind::AddBasic, 20, 1));
        QVERIFY(!inDomain(FactKind::AddBy5, 6, 4));
        QVERIFY(!inDomain(FactKind::Add2By1, 9, 5));
        QVERIFY(!inDomain(FactKind::OddEven, 10, 0));
        QVERIFY(inDomain(FactKind::OddEven, 0, 0));
    }

    void drawn_questions_cover_the_domain_and_never_repeat_at_once()
    {
        for (FactKind kind : AllKinds) {
            RandomFactQuestions source(quint32(1234 + int(kind)));
            QSet<QPair<int, int>> seen;
            FactQuestion previous{-1, -1, -1};
            const int count = questionCount(kind);
            const int draws = qMax(400, count * 14);
            for (int i = 0; i < draws; ++i) {
                const FactQuestion q = source.next(kind);
                QVERIFY(FactDrillRules::inDomain(kind, q.first, q.second));
                QCOMPARE(q, FactDrillRules::pose(kind, q.first, q.second));
                QVERIFY(!(q.first == previous.first && q.second == previous.second));
                previous = q;
                seen.insert({q.first, q.second});
            }
            // Even and wide: every question of the domain comes up.
            QCOMPARE(int(seen.size()), count);
        }
    }

    void no_repeat_across_options_either()
    {
        // "9 + 5" of the basic option must not be followed by "9 + 5" of "By 5".
        RandomFactQuestions source(7);
        FactQuestion previous = source.next(FactKind::AddBy5);
        for (int i = 0; i < 500; ++i) {
            const FactKind kind = i % 2 ? FactKind::AddBy5 : FactKind::AddBasic;
            const FactQuestion q = source.next(kind);
            QVERIFY(!(q.first == previous.first && q.second == previous.second));
            previous = q;
        }
    }

    void seeds_repeat_and_differ()
    {
        RandomFactQuestions one(42);
        RandomFactQuestions two(42);
        RandomFactQuestions other(43);
        QList<FactQuestion> a, b, c;
        for (int i = 0; i < 20; ++i) {
            a << one.next(FactKind::Add2By2);
            b << two.next(FactKind::Add2By2);
            c << other.next(FactKind::Add2By2);
        }
        QCOMPARE(a, b);
        QVERIFY(a != c);
    }
};

QTEST_MAIN(TestFactDrillRules)
#include "tst_FactDrillRules.moc"
