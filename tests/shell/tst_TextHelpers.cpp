#include <QtTest>

#include "shell/Grading.h"
#include "shell/Strings.h"
#include "shell/TextHelpers.h"

// Text helpers, the carry notation and the grading rule.
class TestTextHelpers : public QObject
{
    Q_OBJECT
private slots:
    void padding_and_trimming()
    {
        QCOMPARE(PadLeft(QStringLiteral("42"), 5), QStringLiteral("   42"));
        QCOMPARE(PadLeft(QStringLiteral("123456"), 5), QStringLiteral("123456"));
        QCOMPARE(PadLeft(QStringLiteral("7"), 3, QLatin1Char('0')), QStringLiteral("007"));
        QCOMPARE(PadLeft(QString(), 2), QStringLiteral("  "));

        QCOMPARE(StripLeadingZeros(QStringLiteral("000")), QStringLiteral("0"));
        QCOMPARE(StripLeadingZeros(QStringLiteral("0070")), QStringLiteral("70"));
        QCOMPARE(StripLeadingZeros(QStringLiteral("09")), QStringLiteral("9"));
        QCOMPARE(StripLeadingZeros(QString()), QString());
        QCOMPARE(StripLeadingZeros(QStringLiteral("10")), QStringLiteral("10"));

        QCOMPARE(LeftChars(QStringLiteral("abc"), 2), QStringLiteral("ab"));
        QCOMPARE(LeftChars(QStringLiteral("abc"), 9), QStringLiteral("abc"));
        QCOMPARE(DropRight(QStringLiteral("ab"), 3), QString());
        QCOMPARE(DropRight(QStringLiteral("abcd"), 1), QStringLiteral("abc"));
        QCOMPARE(DropRight(QStringLiteral("ab"), 2), QString());
        QCOMPARE(RightChars(QStringLiteral("abc"), 5), QStringLiteral("abc"));
        QCOMPARE(RightChars(QStringLiteral("abc"), 2), QStringLiteral("bc"));
    }

    void carry_notation()
    {
        QCOMPARE(CarryMark(0), QString());
        QCOMPARE(CarryMark(1), QStringLiteral("^1"));
        QCOMPARE(CarryMark(9), QStringLiteral("^9"));
        QCOMPARE(CarryMark(10), QStringLiteral("*"));
        QCOMPARE(CarryMark(255), QStringLiteral("*"));

        QCOMPARE(DigitWithCarry(9, 0), QStringLiteral("9"));
        QCOMPARE(DigitWithCarry(4, 5), QStringLiteral("9"));
        QCOMPARE(DigitWithCarry(9, 1), QString(QChar(0x00B9)) + QLatin1Char('0'));
        QCOMPARE(DigitWithCarry(7, 8), QString(QChar(0x00B9)) + QLatin1Char('5'));
        QCOMPARE(DigitWithCarry(20, 5), QString(QChar(0x00B2)) + QLatin1Char('5'));
        QCOMPARE(DigitWithCarry(39, 0), QString(QChar(0x00B3)) + QLatin1Char('9'));
        QCOMPARE(DigitWithCarry(40, 0), QStringLiteral("Carry Error"));
        QCOMPARE(DigitWithCarry(255, 255), QStringLiteral("Carry Error"));
        // Each special character is one unit, so the length rules of the boxes hold.
        QCOMPARE(DigitWithCarry(7, 8).size(), 2);
    }

    void grading_rule()
    {
        using Grading::Grade;
        QCOMPARE(Grading::grade(0, 0, 50, 74), Grade::None);
        QCOMPARE(Grading::grade(0, 1, 50, 74), Grade::Red);
        QCOMPARE(Grading::grade(37, 50, 50, 74), Grade::Amber);  // 74 %
        QCOMPARE(Grading::grade(37, 50, 80, 94), Grade::Red);    // Advanced
        QCOMPARE(Grading::grade(3, 4, 50, 74), Grade::Green);    // 75 %
        QCOMPARE(Grading::grade(1, 2, 50, 74), Grade::Amber);    // 50 %
        QCOMPARE(Grading::grade(49, 100, 50, 74), Grade::Red);
        QCOMPARE(Grading::grade(2, 3, 65, 84), Grade::Amber);    // 66 %, truncated
        QCOMPARE(Grading::grade(100, 100, 50, 74), Grade::Green);
        QCOMPARE(Grading::grade(5, 4, 50, 74), Grade::Keep);     // more than 100 %
        QCOMPARE(Grading::grade(3, 0, 50, 74), Grade::Keep);     // no division by zero

        QCOMPARE(Grading::levelName(1), QStringLiteral("Beginner : "));
        QCOMPARE(Grading::levelName(4), QStringLiteral("Custom : "));
        QCOMPARE(Grading::levelName(0), QString());
        QCOMPARE(Grading::levelBounds(2).lower, 65);
        QCOMPARE(Grading::levelBounds(3).upper, 94);
    }

    void string_table()
    {
        QCOMPARE(Strings::text(Strings::ForbiddenNameChars),
                 QStringLiteral("Cannot use \\/:*?\"<>| characters in your name!"));
        QCOMPARE(Strings::text(65291),
                 QStringLiteral(" Subtract number from 9; double; add 5 if number is odd; add \"half\" the neighbor "));
        QVERIFY(!Strings::has(65282));
        QCOMPARE(Strings::text(65282), QString());
    }
};

QTEST_APPLESS_MAIN(TestTextHelpers)
#include "tst_TextHelpers.moc"
