#include <QtTest>

#include <limits>

#include "records/MarksheetRules.h"
#include "shell/Strings.h"

namespace {

QList<MarksheetParagraph> buildWith(const QHash<QString, ScoreCounts>& counts)
{
    return MarksheetRules::build(QStringLiteral("Ann"), QStringLiteral("07/12/2024"),
                                 [&counts](const QString& section) { return counts.value(section); });
}

QStringList textsOf(const QList<MarksheetParagraph>& paragraphs)
{
    QStringList out;
    for (const MarksheetParagraph& p : paragraphs)
        out.append(p.text);
    return out;
}

const QString Rule = QString(69, u'_');

} // namespace

class TestMarksheetRules : public QObject
{
    Q_OBJECT
private slots:
    void rows_to_the_character_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("row");
        QTest::newRow("37 of 50") << "ADDITION" << 37 << 50
                                  << "ADDITION...................................." "        37" "        50" "   74";
        QTest::newRow("1 of 3 drops the remainder")
            << "ODDS & EVENS" << 1 << 3
            << "ODDS & EVENS................................" "         1" "         3" "   33";
        QTest::newRow("0 of 0 is 0 per cent") << "HALVING" << 0 << 0
                                              << "HALVING....................................." "         0"
                                                 "         0" "    0";
        QTest::newRow("all right") << "SQUAREROOT" << 1000 << 1000
                                   << "SQUAREROOT.................................." "      1000" "      1000"
                                      "  100";
        QTest::newRow("longest title")
            << "TWO-FINGER METHOD SPEED MULTIPLICATION" << 2 << 3
            << "TWO-FINGER METHOD SPEED MULTIPLICATION......" "         2" "         3" "   66";
        QTest::newRow("more right than asked") << "DIVISION" << 5 << 4
                                               << "DIVISION...................................." "         5"
                                                  "         4" "  125";
    }
    void rows_to_the_character()
    {
        QFETCH(QString, title);
        QFETCH(int, correct);
        QFETCH(int, total);
        QFETCH(QString, row);
        QCOMPARE(row.size(), 69);
        QCOMPARE(MarksheetRules::rowText(title, correct, total), row);
    }

    void counts_from_a_damaged_file_neither_overflow_nor_crash()
    {
        const int big = std::numeric_limits<int>::max();
        // Correct x 100 would overflow 32 bits: the percentage is still right.
        QCOMPARE(MarksheetRules::percentText(big, big), QStringLiteral("  100"));
        QCOMPARE(MarksheetRules::percentText(qint64(big) * 20, qint64(big) * 20), QStringLiteral("  100"));
        QCOMPARE(MarksheetRules::percentText(5, 0), QStringLiteral("    0"));
        // A count wider than its column pushes the line out instead of being cut.
        const QString row = MarksheetRules::rowText(QStringLiteral("ADDITION"), -5, big);
        QVERIFY(row.startsWith(QStringLiteral("ADDITION....")));
        QVERIFY(row.contains(QStringLiteral("        -5") + QString::number(big)));
        QVERIFY(row.endsWith(QStringLiteral("    0")));
    }

    void headings_rules_and_overall_line()
    {
        QCOMPARE(MarksheetRules::headingLine(), QString(44, u' ') + "   Correct     Total    %");
        QCOMPARE(MarksheetRules::headingLine().size(), 69);
        QCOMPARE(MarksheetRules::ruleLine(), Rule);
        QCOMPARE(MarksheetRules::overallLine(0, 0), QStringLiteral("Overall percentage :    0 %"));
        QCOMPARE(MarksheetRules::overallLine(38, 53), QStringLiteral("Overall percentage :   71 %"));
    }

    void the_twenty_rows_in_marksheet_order()
    {
        const QList<MarksheetRules::Row>& rows = MarksheetRules::rows();
        QCOMPARE(rows.size(), 20);
        QStringList sections;
        QStringList titles;
        for (const MarksheetRules::Row& r : rows) {
            sections.append(r.section);
            titles.append(Strings::text(r.titleId));
            QCOMPARE(r.basics, sections.size() <= 10);
        }
        QCOMPARE(sections.join(u','),
                 QStringLiteral("Addition,Subtraction,Doubling,Halving,OddEven,BasicMultiplication,BasicDivision,"
                                "UnitTen,NumberTen,Keyboard,SpeedAddition,RulesMultiplication,MultiplyBasic,"
                                "MultiplyDirect,Multiply2Finger,SpeedDivision,Square5_5,Square2Digit,"
                                "Square3Digit,SquareRoot"));
        QCOMPARE(titles.join(u','),
                 QStringLiteral("ADDITION,SUBTRACTION,DOUBLING,HALVING,ODDS & EVENS,MULTIPLICATION,DIVISION,"
                                "UNITS & TENS,NUMBERS & TENS,KEYBOARD SKILLS,SPEED ADDITION,"
                                "RULES FOR MULTIPLICATION,BASIC SPEED MULTIPLICATION,"
                                "DIRECT METHOD SPEED MULTIPLICATION,TWO-FINGER METHOD SPEED MULTIPLICATION,"
                                "SPEED DIVISION,SQUARE 5?5,SQUARE 2-DIGIT,SQUARE 3-DIGIT,SQUAREROOT"));
    }

    void marksheet_paragraphs_with_their_formats()
    {
        const QList<MarksheetParagraph> sheet = buildWith({{QStringLiteral("Addition"), {37, 50}}});
        // 2 titles, 4 centred lines, 5 heading lines, 10 + 2 + 10 rows and
        // rule, 2 rule, overall, 2 rule.
        QCOMPARE(sheet.size(), 2 + 4 + 5 + 22 + 2 + 1 + 2);

        const QString times = QStringLiteral("Times New Roman");
        const QString courier = QStringLiteral("Courier New");
        QCOMPARE(sheet[0], (MarksheetParagraph{"Vandrelsholm Speed Math", times, 20, true, Qt::AlignHCenter}));
        QCOMPARE(sheet[1], (MarksheetParagraph{"SCORES", times, 12, true, Qt::AlignHCenter}));
        QCOMPARE(sheet[2], (MarksheetParagraph{"", times, 12, false, Qt::AlignHCenter}));
        QCOMPARE(sheet[3], (MarksheetParagraph{"Ann", times, 12, false, Qt::AlignHCenter}));
        QCOMPARE(sheet[4], (MarksheetParagraph{"07/12/2024", times, 12, false, Qt::AlignHCenter}));
        QCOMPARE(sheet[5], (MarksheetParagraph{"", times, 12, false, Qt::AlignHCenter}));
        QCOMPARE(sheet[6], (MarksheetParagraph{Rule, courier, 10, true, Qt::AlignLeft}));
        QCOMPARE(sheet[7], (MarksheetParagraph{"", courier, 10, true, Qt::AlignLeft}));
        QCOMPARE(sheet[8], (MarksheetParagraph{MarksheetRules::headingLine(), courier, 10, true, Qt::AlignLeft}));
        QCOMPARE(sheet[9], (MarksheetParagraph{Rule, courier, 10, true, Qt::AlignLeft}));
        QCOMPARE(sheet[10], (MarksheetParagraph{"", courier, 10, true, Qt::AlignLeft}));
        for (qsizetype i = 11; i < sheet.size(); ++i) {
            QCOMPARE(sheet[i].family, courier);
            QCOMPARE(sheet[i].points, 10);
            QVERIFY(!sheet[i].bold);
            QCOMPARE(sheet[i].alignment, Qt::AlignLeft);
        }

        const QStringList lines = textsOf(sheet);
        QCOMPARE(lines[11], MarksheetRules::rowText(QStringLiteral("ADDITION"), 37, 50));
        QCOMPARE(lines[20], MarksheetRules::rowText(QStringLiteral("KEYBOARD SKILLS"), 0, 0));
        QCOMPARE(lines.mid(21, 2), (QStringList{Rule, QString()}));
        QCOMPARE(lines[23], MarksheetRules::rowText(QStringLiteral("SPEED ADDITION"), 0, 0));
        QCOMPARE(lines[32], MarksheetRules::rowText(QStringLiteral("SQUAREROOT"), 0, 0));
        QCOMPARE(lines.mid(33), (QStringList{Rule, QString(), "Overall percentage :   74 %", Rule, QString()}));
        // Every rule line is followed by an empty line.
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i] == Rule)
                QVERIFY(i + 1 < lines.size() && lines[i + 1].isEmpty());
        }
    }

    void overall_is_from_the_sums_not_the_mean()
    {
        // 1 of 1 (100 %) and 0 of 99 (0 %): the mean of the rows would be 50,
        // the sums give 1 of 100.
        const QList<MarksheetParagraph> sheet =
            buildWith({{QStringLiteral("Doubling"), {1, 1}}, {QStringLiteral("SquareRoot"), {0, 99}}});
        QCOMPARE(sheet[35].text, QStringLiteral("Overall percentage :    1 %"));
        // A row of 0 of 0 adds nothing to the sums.
        const QList<MarksheetParagraph> two =
            buildWith({{QStringLiteral("Addition"), {3, 4}}, {QStringLiteral("Halving"), {0, 0}},
                       {QStringLiteral("MultiplyDirect"), {2, 4}}});
        QCOMPARE(two[35].text, QStringLiteral("Overall percentage :   62 %"));
        // Sections the marksheet does not show are not counted.
        const QList<MarksheetParagraph> other = buildWith({{QStringLiteral("GradePrefs"), {50, 74}}});
        QCOMPARE(other[35].text, QStringLiteral("Overall percentage :    0 %"));
    }

    void a_learner_without_scores_gets_zeros()
    {
        const QList<MarksheetParagraph> sheet = MarksheetRules::build(QStringLiteral("Bo"), QStringLiteral("x"), {});
        int rows = 0;
        for (const MarksheetParagraph& p : sheet) {
            if (p.text.contains(QStringLiteral("...."))) {
                ++rows;
                QVERIFY2(p.text.endsWith(QStringLiteral("         0         0    0")), qPrintable(p.text));
                QCOMPARE(p.text.size(), 69);
            }
        }
        QCOMPARE(rows, 20);
        QCOMPARE(sheet[35].text, QStringLiteral("Overall percentage :    0 %"));
    }
};

QTEST_GUILESS_MAIN(TestMarksheetRules)
#include "tst_MarksheetRules.moc"
