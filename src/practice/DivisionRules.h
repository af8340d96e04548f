#pragma once

#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Speed division of a 4- to 6-digit dividend by a 2- or 3-digit divisor.
//
// Each quotient digit is estimated from the working number A divided by the
// divisor's first digit d1 alone; the rest of the divisor is taken off in
// small products written with the marks N (a whole product), T (its tens
// digit) and U (its units digit). One dividend digit is brought down per
// quotient digit.
//
// Boxes, five per group k (0..4) and one after the last group:
//   5k     A   the working number
//   5k+1   Q   the quotient digit: A ÷ d1, or less when that is too large
//   5k+2   NT  d1 N Q + d2 T Q
//   5k+3   B   (A - NT) with the next dividend digit written on its right
//   5k+4   U   2-digit divisor: d2 U Q;
//              3-digit divisor: d2 U Q + d3 T Q + d3 U (the previous Q)
//   5G     the remainder (the last A)
// A quotient one digit shorter than the dividend allows (a "short" quotient)
// starts from the first two dividend digits instead of the first one. A
// 3-digit divisor has one group more than quotient digits: the units of
// d3 × Q fall one place further right, so the last group only brings down
// the last dividend digit and takes off d3 U (the last Q).
//
// A box holds its layout width in digits, or more when its number has more
// digits (a B of 100..109 in a two-digit box): it never loses a digit.
class DivisionRules {
public:
    static constexpr int MaxGroups = 5;
    static constexpr int BoxesPerGroup = 5;
    static constexpr int BoxCount = BoxesPerGroup * MaxGroups + 1;
    static constexpr int MinDividendDigits = 4;
    static constexpr int MaxDividendDigits = 6;

    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("divide"); }
    static PracticeMethod method();

    // One option button of the screen: divisor buttons on PnlOptions,
    // dividend buttons on pnlOptDividend, each in left-to-right order.
    struct Option {
        QString button;   // "pnlOpt2Digit"
        QString caption;  // "2-Digit"
        int digits;       // 2
        int storedOption; // the number kept under "Option" / "OptionDividend"
        QString hint;     // "|2-digit divisor questions are for example: ..."
    };
    static const QList<Option>& divisorOptions();
    static const QList<Option>& dividendOptions();
    // nullptr when the number is out of range.
    static const Option* divisorOptionForStored(int storedOption);
    static const Option* dividendOptionForStored(int storedOption);
    // "Time" + dividend digits + divisor digits: "Time42" .. "Time63".
    static QString bestTimeKey(int dividendDigits, int divisorDigits);
    // Every dividend size with every divisor size, the divisors within each
    // dividend.
    static QList<MethodBestTime> bestTimes();

    struct Question {
        qint64 dividend = 0;
        int divisor = 0;

        int dividendDigits() const;
        int divisorDigits() const;
        qint64 quotient() const { return dividend / divisor; }
        qint64 remainder() const { return dividend % divisor; }
        // The quotient has one digit less than dividend and divisor allow:
        // the first divisor-many dividend digits are less than the divisor.
        bool isShort() const;
        int quotientDigits() const; // L
        QString text() const;       // "513994/32"

        bool operator==(const Question&) const = default;
    };

    // "DIVIDEND/DIVISOR" (or "÷"): a dividend of 4..6 digits and a divisor of
    // 2 or 3 digits, neither beginning with 0. Blanks around them are ignored.
    static ParseResult<Question> parse(const QString& text);
    // Reads a custom question: dividend and divisor digits from 1 to 9, of
    // the given counts. Returns false (and leaves q alone) otherwise.
    static bool setQuestion(Question& q, const QString& dividend, const QString& divisor,
                            int dividendDigits, int divisorDigits);
    // A problem of the given digit counts, digits 1..9, with a short quotient
    // about one time in four, never equal to previous.
    static Question draw(QRandomGenerator& rng, int dividendDigits, int divisorDigits,
                         const Question* previous = nullptr);

    // Which boxes a problem of these sizes uses and where they stand.
    struct Layout {
        int dividendDigits = 4;
        int divisorDigits = 2;
        bool shortQuotient = false;
        int quotientDigits = 0; // L
        int groups = 0;         // G: L, or L + 1 for a 3-digit divisor
        int remainderBox = 0;   // 5G; the list holds boxes 0..5G
        int moverOffset = 0;    // pnlMover's left minus pnlDividend's left (px)
        int separatorAfter = 1; // the separator runs along pnlDividend<this>'s right edge
        bool armLines = false;  // the arm from the first dividend digit (short quotient)

        int boxCount() const { return remainderBox + 1; }
    };
    static Layout layout(int dividendDigits, int divisorDigits, bool shortQuotient);
    static Layout layout(const Question& q) { return layout(q.dividendDigits(), q.divisorDigits(), q.isShort()); }
    // The width of a box before its value is known (2 for A, NT, B and U, 1
    // for Q, the divisor's digit count for the last B and the remainder), and
    // its marks.
    static int layoutWidth(const Layout& l, int box);
    static bool isMental(const Layout& l, int box);
    static bool isUnused(const Layout& l, int box);

    // The marks over the divisor and the guide lines while a box is current
    // (with colour hints on): the letters of the five mark panels and which
    // lines join which quotient digit to them.
    struct Marks {
        QStringList letters{QString(), QString(), QString(), QString(), QString()}; // in markPanels() order
        int group = -1;       // the lines stand over this group's quotient box; -1: no lines
        bool ntLines = false; // lines from quotient box `group` to the marks in use
        bool uRow = false;    // ... at the U mark row rather than the N/T row
        bool utLines = false; // lines from the quotient box before to pnlUT
    };
    static const QStringList& markPanels(); // pnlNT_N, pnlNT_T, pnlUT_U, pnlUT_T, pnlUT
    static const QStringList& markLetters(); // N, T, U, T, U
    static Marks marks(const Layout& l, int box);
    // The quotient box that Up and Down jump to from a box (the quotient
    // digit an NT or U box uses, or the one before a quotient box); -1: none.
    static int jumpTarget(const Layout& l, int box);

    // A quotient-digit candidate that was too large, and why.
    struct Rejection {
        int digit = 0;
        QString reason; // "B 00 is less than U 02"
    };

    // One group of the worked solution.
    struct Group {
        bool hasQuotient = true; // false: the extra last group of a 3-digit divisor
        int a = 0;               // working number A
        int estimate = 0;        // A ÷ d1
        QList<Rejection> rejected;
        int q = 0;               // the quotient digit
        int nProduct = 0;        // d1 × Q
        int tProduct = 0;        // tens of d2 × Q
        int nt = 0;
        int difference = 0;      // A - NT
        int broughtDown = 0;     // the dividend digit brought down
        int broughtDownPanel = 0;// n of pnlDividend<n> that shows it
        int b = 0;
        QList<int> uParts;       // the parts of U, in the hint's order
        int u = 0;
        int next = 0;            // the next A, or the remainder after the last group
    };
    static QList<Group> groups(const Question& q);

    static WorkedProblem solve(const Question& q);

    // What a box holds in its group, in the group's order; the remainder box
    // 5G counts as the A of group G (it is the last working number).
    enum class BoxRole { A, Quotient, NT, B, U };
    static BoxRole roleOf(int box) { return BoxRole(box % BoxesPerGroup); }
    static int groupOf(int box) { return box / BoxesPerGroup; }
    // Box indexes of group k.
    static int boxOf(int k, BoxRole role) { return BoxesPerGroup * k + int(role); }
    static int aBox(int k) { return boxOf(k, BoxRole::A); }
    static int quotientBox(int k) { return boxOf(k, BoxRole::Quotient); }
    static int ntBox(int k) { return boxOf(k, BoxRole::NT); }
    static int bBox(int k) { return boxOf(k, BoxRole::B); }
    static int uBox(int k) { return boxOf(k, BoxRole::U); }

    static QString workingBox(int i) { return PracticeText::numbered("pnlWorking", i); }
    // pnlDividend0 shows the units digit.
    static QString dividendPanel(int i) { return PracticeText::numbered("pnlDividend", i); }
    // pnlDivisor0 shows d1.
    static QString divisorPanel(int i) { return PracticeText::numbered("pnlDivisor", i); }
    static QString answerPanel(int i) { return PracticeText::numbered("pnlAnswer", i); }
    static QString remainderPanel() { return QStringLiteral("pnlRemainder0"); }
};
