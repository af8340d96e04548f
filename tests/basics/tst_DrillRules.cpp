// The questions of the units-and-tens, table, keypad and rule drills without
// any window: answers, domains of every option, and the random drawing.

#include <QtTest>

#include "basics/FactDrillRules.h"
#include "basics/KeyboardDrillRules.h"
#include "basics/RuleDrillRules.h"
#include "basics/TableDrillRules.h"
#include "basics/UnitTenRules.h"

namespace {

// Draws often enough that every question of the domain comes up, checking
// each draw with fits and that none repeats the one before; returns how many
// different questions came up.
template <typename Question, typename Next, typename Fits, typename Key>
int drawMany(int draws, Next next, Fits fits, Key key)
{
    QSet<QList<int>> seen;
    std::optional<QList<int>> previous;
    for (int i = 0; i < draws; ++i) {
        const Question q = next();
        const QList<int> k = key(q);
        if (!fits(q) || (previous && *previous == k)) {
            qWarning() << "draw" << i << k << (fits(q) ? "repeats" : "outside the domain");
            return -1;
        }
        previous = k;
        seen.insert(k);
    }
    return int(seen.size());
}

QList<int> shownKey(const UnitTenQuestion& q)
{
    return {int(q.part), q.asksLeftDigit() ? q.a : -1, q.b, q.m};
}

} // namespace

class TestDrillRules : public QObject
{
    Q_OBJECT
private slots:
    void unit_ten_worked_examples()
    {
        using namespace UnitTenRules;
        QCOMPARE(pose(UnitTenPart::Unit, 2, 6, 5).answer, 0);
        QCOMPARE(pose(UnitTenPart::Ten, 2, 6, 5).answer, 3);
        QCOMPARE(statusLine(pose(UnitTenPart::NumberTen, 6, 5, 2)), QStringLiteral("[ 12 + 1 ] = 13"));
        // Under "U" and "T" the answer is no such sum: no line.
        QCOMPARE(statusLine(pose(UnitTenPart::Unit, 2, 6, 5)), QString());
        QCOMPARE(caption(UnitTenPart::UnitTen), QStringLiteral("UT"));
    }

    void unit_ten_answers_are_the_digits_of_the_written_product()
    {
        // The method writes the product of the two-digit number ab by m
        // digit by digit: NT is all of it but the units digit, UT its tens
        // digit before the carry, U and T the two digits of b x m.
        for (int a = 0; a <= 9; ++a) {
            for (int b = 0; b <= 9; ++b) {
                for (int m = 0; m <= 9; ++m) {
                    const int product = (10 * a + b) * m;
                    QCOMPARE(UnitTenRules::pose(UnitTenPart::NumberTen, a, b, m).answer, product / 10);
                    QCOMPARE(UnitTenRules::pose(UnitTenPart::UnitTen, a, b, m).answer % 10, product / 10 % 10);
                    QCOMPARE(UnitTenRules::pose(UnitTenPart::Ten, a, b, m).answer * 10
                                 + UnitTenRules::pose(UnitTenPart::Unit, a, b, m).answer,
                             b * m);
                }
            }
        }
    }

    void unit_ten_draws_cover_each_option_and_never_repeat()
    {
        const struct {
            UnitTenAsk ask;
            int questions; // shown questions of the option
        } options[] = {
            {{UnitTenPart::Unit, true, 0}, 2 * 10 * 8},      // "U" or "T", b 0..9, m 2..9
            {{UnitTenPart::Unit, false, 0}, 10 * 8},
            {{UnitTenPart::Ten, false, 0}, 10 * 8},
            {{UnitTenPart::UnitTen, false, 0}, 10 * 10 * 8}, // a shows too
            {{UnitTenPart::NumberTen, false, 0}, 10 * 10 * 8},
            {{UnitTenPart::NumberTen, false, 2}, 10 * 10},
            {{UnitTenPart::NumberTen, false, 9}, 10 * 10},
        };
        quint32 seed = 11;
        for (const auto& option : options) {
            RandomUnitTenQuestions source(seed++);
            const int seen = drawMany<UnitTenQuestion>(
                option.questions * 12, [&] { return source.next(option.ask); },
                [&](const UnitTenQuestion& q) { return UnitTenRules::fits(option.ask, q); }, shownKey);
            QCOMPARE(seen, option.questions);
        }
        // Out of the domain: times 1, a digit of 10, the wrong part or multiplier.
        QVERIFY(!UnitTenRules::fits({UnitTenPart::Unit}, UnitTenRules::pose(UnitTenPart::Unit, 1, 2, 1)));
        QVERIFY(!UnitTenRules::fits({UnitTenPart::Unit}, UnitTenRules::pose(UnitTenPart::Unit, 1, 10, 3)));
        QVERIFY(!UnitTenRules::fits({UnitTenPart::Unit}, UnitTenRules::pose(UnitTenPart::Ten, 1, 2, 3)));
        QVERIFY(!UnitTenRules::fits({UnitTenPart::NumberTen, false, 4}, UnitTenRules::pose(UnitTenPart::NumberTen, 1, 2, 3)));
        // Under "U" the hidden left digit does not make a question new.
        QVERIFY(UnitTenRules::pose(UnitTenPart::Unit, 1, 6, 5).sameAs(UnitTenRules::pose(UnitTenPart::Unit, 7, 6, 5)));
        QVERIFY(!UnitTenRules::pose(UnitTenPart::UnitTen, 1, 6, 5).sameAs(UnitTenRules::pose(UnitTenPart::UnitTen, 7, 6, 5)));
    }

    void tables_quotients_drop_the_remainder()
    {
        using TableDrillRules::pose;
        // The whole-number quotient: q x d <= n < (q + 1) x d.
        for (int n = 0; n <= 99; ++n) {
            for (int d = 2; d <= 9; ++d) {
                const int q = pose(TableOperation::Divide, n, d).answer;
                QVERIFY(q * d <= n && n < (q + 1) * d);
            }
        }
    }

    void table_draws_cover_each_option_and_never_repeat()
    {
        QList<QPair<TableAsk, int>> options = {
            {{TableOperation::Multiply, 0}, 8 * 8},  // 2..9 x 2..9
            {{TableOperation::Divide, 0}, 99 * 8},   // 1..99 by 2..9
        };
        for (int n = 3; n <= 12; ++n)
            options.append({{TableOperation::Multiply, n}, 8});
        for (int d = 2; d <= 9; ++d)
            options.append({{TableOperation::Divide, d}, 90});
        quint32 seed = 5;
        for (const auto& [ask, questions] : options) {
            RandomTableQuestions source(seed++);
            const int seen = drawMany<TableQuestion>(
                qMax(200, questions * 14), [&] { return source.next(ask); },
                [&](const TableQuestion& q) { return TableDrillRules::fits(ask, q); },
                [](const TableQuestion& q) { return QList<int>{q.first, q.second}; });
            QCOMPARE(seen, questions);
        }
        QVERIFY(!TableDrillRules::fits({TableOperation::Divide, 5}, TableDrillRules::pose(TableOperation::Divide, 9, 5)));
        QVERIFY(!TableDrillRules::fits({TableOperation::Multiply, 0}, TableDrillRules::pose(TableOperation::Multiply, 9, 1)));
        QVERIFY(!TableDrillRules::fits({TableOperation::Divide, 0}, TableQuestion{26, 5, 6}));
    }

    void keypad_characters()
    {
        using namespace KeyboardDrillRules;
        QStringList asked;
        for (int q = FirstQuestion; q <= LastQuestion; ++q)
            asked << character(q);
        QCOMPARE(asked.join(QString()), QStringLiteral("0123456789+-"));
        QCOMPARE(character(12), QString());
        QCOMPARE(keypadCharacter(Qt::Key_7, true), QStringLiteral("7"));
        QCOMPARE(keypadCharacter(Qt::Key_0, true), QStringLiteral("0"));
        QStringList typed;
        for (int key : {Qt::Key_Asterisk, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Comma, Qt::Key_Slash})
            typed << keypadCharacter(key, true);
        QCOMPARE(typed, QStringList({"*", "+", "-", ".", ".", "/"}));
        // The top row and every other key type nothing.
        for (int key : {int(Qt::Key_7), int(Qt::Key_Plus), int(Qt::Key_Minus)})
            QCOMPARE(keypadCharacter(key, false), QString());
        for (int key : {Qt::Key_Enter, Qt::Key_Left, Qt::Key_Home, Qt::Key_A})
            QCOMPARE(keypadCharacter(key, true), QString());
    }

    void keypad_and_rule_draws_never_repeat_and_start_away_from_zero()
    {
        // Many screens opened: the first question is never "0" and no
        // question is the one before; every one comes up.
        QSet<int> firsts;
        QSet<int> seen;
        for (quint32 seed = 1; seed <= 60; ++seed) {
            RandomNumbers keypad(KeyboardDrillRules::FirstQuestion, KeyboardDrillRules::LastQuestion, seed);
            int previous = KeyboardDrillRules::NoQuestion;
            for (int i = 0; i < 50; ++i) {
                const int q = keypad.next(previous);
                QVERIFY(q != previous && q >= 0 && q <= 11);
                if (i == 0)
                    firsts.insert(q);
                seen.insert(q);
                previous = q;
            }
        }
        QVERIFY(!firsts.contains(0));
        QCOMPARE(int(seen.size()), 12);

        // The guessing modes: 2..12, each mode away from its own previous number.
        RandomNumbers guesses(RuleDrillRules::FirstGuess, RuleDrillRules::LastRule, 3);
        int rule = 0;
        int number = 0;
        QSet<int> asked;
        for (int i = 0; i < 400; ++i) {
            int& previous = i % 3 ? rule : number;
            const int n = guesses.next(previous);
            QVERIFY(n >= 2 && n <= 12 && n != previous);
            previous = n;
            asked.insert(n);
        }
        QCOMPARE(int(asked.size()), 11);
    }

    void rule_texts_character_for_character()
    {
        const QList<QStringList> rules = {
            {"Zero times any number is zero "},
            {"Copy down the multiplicand unchanged "},
            {"Double each digit of the multiplicand without using the neighbor at all "},
            {"Subtract number from 10; double; add 5 if number is odd ",
             "Subtract number from 9; double; add 5 if number is odd; add \"half\" the neighbor ",
             "Take \"half\" the left-side digit; add \"carry\"; subtract 2 "},
            {"Subtract number from 10; add 5 if number is odd ",
             "Subtract number from 9; add 5 if number is odd; add \"half\" the neighbor ",
             "Take \"half\" the left-side digit; add \"carry\"; subtract 1 "},
            {"Take \"half\" the neighbor ", "Add 5 if number is odd "},
            {"Take the number ", "Add 5 if number is odd ", "Add \"half\" the neighbor "},
            {"Double the number ", "Add 5 if number is odd ", "Add \"half\" the neighbor "},
            {"Subtract number from 10; double ", "Subtract number from 9; double; add the neighbor ",
             "Add left-side digit to \"carry\"; subtract 2 "},
            {"Subtract number from 10 ", "Subtract number from 9; add the neighbor ",
             "Add left-side digit to \"carry\"; subtract 1 "},
            {"Add a zero to the right end of the multiplicand "},
            {"Add the neighbor "},
            {"Double the number ", "Add the neighbor "},
        };
        for (int n = 0; n <= 12; ++n)
            QCOMPARE(RuleDrillRules::lines(n), rules[n]);
        QCOMPARE(RuleDrillRules::memoText(12), QStringLiteral("Double the number \n\nAdd the neighbor "));
        QCOMPARE(RuleDrillRules::memoText(0), QStringLiteral("Zero times any number is zero "));
        QVERIFY(RuleDrillRules::lines(13).isEmpty());
        QVERIFY(RuleDrillRules::lines(-1).isEmpty());
    }
};

QTEST_MAIN(TestDrillRules)
#include "tst_DrillRules.moc"
