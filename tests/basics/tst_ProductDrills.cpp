// The units-and-tens, numbers-and-tens, multiplication and division drills
// through their windows.

#include "BasicsScreens.h"

#include <QCheckBox>

#include "basics/BasicsBasicDivision.h"
#include "basics/BasicsBasicMultiplication.h"
#include "basics/BasicsNumberTen.h"
#include "basics/BasicsUnitTen.h"

namespace {

const QString Ini = QStringLiteral("users/Ann.ini");

// The labels of a product row read left to right, e.g. "1[0+3]0".
template <typename Form>
QString productRow(const ScreenOf<Form>& s, const char* row)
{
    QList<QLabel*> labels = s.template get<QWidget>(row)->template findChildren<QLabel*>();
    std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    QString text;
    for (QLabel* label : labels)
        text += label->text();
    return text;
}

QList<UnitTenQuestion> unitTens(UnitTenPart part, const QList<std::array<int, 3>>& abm)
{
    QList<UnitTenQuestion> out;
    for (const auto& [a, b, m] : abm)
        out << UnitTenRules::pose(part, a, b, m);
    return out;
}

QStringList sectionOf(const Session& t, const QString& section)
{
    return sectionLines(t.env.readFile(Ini), section);
}

} // namespace

class TestProductDrills : public QObject
{
    Q_OBJECT
private slots:
    void units_and_tens_options_set_the_part_the_colours_and_the_rows()
    {
        Session t;
        const auto s = t.open<TBasicsUnitTenForm>("mnuUnitsTens");
        const QString randomHint = QStringLiteral("This will change to U or T randomly\rfrom one question to the next question.");
        const struct {
            const char* option;
            QString caption, part, hint;
            QColor left;
            bool rows;
        } cases[] = {
            {"pnlOptUnitTen", "UNITS & TENS : UNIT-TEN", "UT", "", SysColors::Lime, true},
            {"pnlOptUnit", "UNITS & TENS : UNIT", "U", "", SysColors::Grey, false},
            {"pnlOptTen", "UNITS & TENS : TEN", "T", "", SysColors::Grey, false},
            {"pnlOptRandom", "UNITS & TENS : RANDOM (UNIT OR TEN)", "?", randomHint, SysColors::Grey, false},
        };
        for (const auto& c : cases) {
            s.clickOption(c.option);
            QVERIFY(s.isSelected(c.option));
            QCOMPARE(s.form->caption(), c.caption);
            QCOMPARE(s.get<QLabel>("lblOperator")->text(), c.part);
            QCOMPARE(Hints::hint(s.get<QLabel>("lblOperator")), c.hint);
            QCOMPARE(s.panel("pnlQuestion0")->color(), c.left);
            QCOMPARE(s.shown({"pnlUT", "pnlUnitTenAnswer"}).size(), c.rows ? 2 : 0);
            QCOMPARE(Hints::hint(s.panel(c.option)), QStringLiteral("|For Speed Multiplication (Two-finger Method), Speed Division."));
        }
        QCOMPARE(Hints::helpContext(s.get<QWidget>("chkNT")), 10210);
        QCOMPARE(Hints::hint(s.get<QWidget>("chkNT")), QStringLiteral("|Click this checkbox to hide or show \"U\" , \"T\""));
    }

    void units_and_tens_unit_ten_run_with_a_miss_and_the_stored_section()
    {
        Session t;
        {
            const auto s = t.open<TBasicsUnitTenForm>("mnuUnitsTens");
            s.clickOption("pnlOptUnitTen");
            s.form->setQuestionSource(std::make_unique<ScriptedUnitTens>(
                unitTens(UnitTenPart::UnitTen, {{2, 6, 5}, {8, 9, 7}, {4, 3, 8}})));
            s.click("BitBtnPlay");
            QCOMPARE(s.caption("pnlQuestion0") + s.caption("pnlQuestion1") + "x" + s.caption("pnlQuestion2"), QStringLiteral("26x5"));
            QCOMPARE(productRow(s, "pnlUnitTenAnswer"), QStringLiteral("[+]"));
            s.tick();
            QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("3"));
            QCOMPARE(productRow(s, "pnlUnitTenAnswer"), QStringLiteral("1[0+3]0"));
            QCOMPARE(s.status(), QStringLiteral("[ 0 + 3 ] = 3"));
            s.tick();
            QCOMPARE(s.caption("pnlAnswer") + productRow(s, "pnlUnitTenAnswer") + s.status(), QStringLiteral("[+]"));
            QCOMPARE(s.caption("pnlQuestion0") + s.caption("pnlQuestion1") + "x" + s.caption("pnlQuestion2"), QStringLiteral("89x7"));
            s.tick();
            QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("12")); // 6 + 6, shown whole
            QCOMPARE(productRow(s, "pnlUnitTenAnswer"), QStringLiteral("5[6+6]3"));
            s.key(Qt::Key_Space);
            s.tick();
            s.tick();
            QCOMPARE(s.status(), QStringLiteral("[ 2 + 2 ] = 4"));
            s.key(Qt::Key_Escape);
            QCOMPARE(s.score(), QStringLiteral("2/3 amber"));

            // The check box hides and shows the letters.
            s.click("chkNT");
            QCOMPARE(s.shown({"lblU", "lblT"}), QStringList());
            QVERIFY(!s.get<QCheckBox>("chkNT")->isChecked());
            s.click("chkNT");
            QCOMPARE(s.shown({"lblU", "lblT"}), QStringList({"lblU", "lblT"}));
            s.click("chkNT");
            // Back to "Unit": the letters and the product row go; the sum
            // leaves the status bar, the hint of the button stays.
            QCOMPARE(s.status(), QStringLiteral("[ 2 + 2 ] = 4"));
            HintRouter::instance().hintFromControl(s.panel("pnlOptUnit"));
            s.clickOption("pnlOptUnit");
            QCOMPARE(s.status(), QStringLiteral("For Speed Multiplication (Two-finger Method), Speed Division."));
            QCOMPARE(s.shown({"pnlUT", "pnlUnitTenAnswer"}), QStringList());
            QCOMPARE(s.panel("pnlQuestion0")->color(), SysColors::Grey);
            s.clickOption("pnlOptUnitTen");
            QVERIFY(s.form->closeForm());
        }
        QCOMPARE(sectionOf(t, "UnitTen"),
                 QStringList({"Option=4", "Total=3", "Correct=2", "AnswerPosition=10", "QuestionPosition=4"}));
        // The next opening restores it, and shows the letters again.
        const auto s = t.open<TBasicsUnitTenForm>("mnuUnitsTens");
        QVERIFY(s.isSelected("pnlOptUnitTen"));
        QCOMPARE(s.score(), QStringLiteral("2/3 amber"));
        QCOMPARE(s.shown({"lblU", "lblT"}), QStringList({"lblU", "lblT"}));
        QVERIFY(s.get<QCheckBox>("chkNT")->isChecked());
    }

    void units_and_tens_draw_through_the_screen()
    {
        // Under "Random" every question shows a fresh "U" or "T" (and the
        // answer is that part of b x m); "?" shows again when chosen anew.
        Session t;
        const auto s = t.open<TBasicsUnitTenForm>("mnuUnitsTens");
        QMap<QString, int> parts;
        QString previous;
        s.click("BitBtnPlay");
        for (int i = 0; i < 200; ++i) {
            const QString part = s.get<QLabel>("lblOperator")->text();
            const int b = s.caption("pnlQuestion1").toInt();
            const int m = s.caption("pnlQuestion2").toInt();
            const QString shown = part + s.caption("pnlQuestion1") + s.caption("pnlQuestion2");
            QVERIFY2(shown != previous, qPrintable(shown));
            QCOMPARE(s.caption("pnlQuestion0"), QString());
            QVERIFY(b >= 0 && b <= 9 && m >= 2 && m <= 9);
            s.tick();
            QCOMPARE(s.caption("pnlAnswer").toInt(), part == QLatin1String("U") ? b * m % 10 : b * m / 10);
            QCOMPARE(s.status(), QString());
            ++parts[part];
            previous = shown;
            s.tick();
        }
        s.click("BitBtnStop");
        QCOMPARE(parts.keys(), QStringList({"T", "U"}));
        QVERIFY(parts["U"] > 60 && parts["T"] > 60);
        s.clickOption("pnlOptTen");
        s.clickOption("pnlOptRandom");
        QCOMPARE(s.get<QLabel>("lblOperator")->text(), QStringLiteral("?"));
    }

    void numbers_and_tens_fixed_multiplier_run_and_stored_option()
    {
        Session t;
        {
            const auto s = t.open<TBasicsNumberTenForm>("mnuNumberTens");
            QCOMPARE(s.get<QLabel>("Label3")->text(), QStringLiteral("NT"));
            QCOMPARE(s.shown({"pnlNT", "pnlNumberTen"}), QStringList({"pnlNT", "pnlNumberTen"}));
            QCOMPARE(productRow(s, "pnlNumberTen"), QStringLiteral("[+]")); // no design-time digits
            QCOMPARE(Hints::helpContext(s.get<QWidget>("chkNT")), 10220);
            for (const char* option : {"pnlOptRandom", "pnlOpt2", "pnlOpt9"})
                QCOMPARE(Hints::hint(s.panel(option)), QStringLiteral("|For Speed Division."));
            QCOMPARE(s.panel("pnlQuestion3")->color(), SysColors::Lime);
            s.clickOption("pnlOpt7");
            QCOMPARE(s.form->caption(), QStringLiteral("NUMBERS & TENS : 7"));
            QCOMPARE(s.caption("pnlQuestion3"), QStringLiteral("7"));
            QCOMPARE(s.panel("pnlQuestion3")->color(), SysColors::buttonFace());
            s.form->setQuestionSource(std::make_unique<ScriptedUnitTens>(unitTens(UnitTenPart::NumberTen, {{9, 7, 7}, {6, 5, 7}})));
            s.click("BitBtnPlay");
            QCOMPARE(s.caption("pnlQuestion1") + s.caption("pnlQuestion2") + "x" + s.caption("pnlQuestion3"), QStringLiteral("97x7"));
            s.tick();
            QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("67"));
            QCOMPARE(productRow(s, "pnlNumberTen"), QStringLiteral("[63+4]9"));
            QCOMPARE(s.status(), QStringLiteral("[ 63 + 4 ] = 67"));
            s.key(Qt::Key_Space);
            s.tick();
            s.key(Qt::Key_Escape);
            QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("45")); // 42 + 3, uncounted
            QCOMPARE(s.score(), QStringLiteral("0/1 red"));
            QVERIFY(s.form->closeForm());
        }
        QCOMPARE(sectionOf(t, "NumberTen"),
                 QStringList({"Option=7", "Total=1", "Correct=0", "AnswerPosition=10", "QuestionPosition=4"}));
        const auto s = t.open<TBasicsNumberTenForm>("mnuNumberTens");
        QVERIFY(s.isSelected("pnlOpt7"));
        // Answers reach two digits: the answer panel is wider than the
        // units-and-tens one.
        const int width = s.panel("pnlAnswer")->width();
        s.form->closeForm();
        QVERIFY(width > t.open<TBasicsUnitTenForm>("mnuUnitsTens").panel("pnlAnswer")->width());
    }

    void multiplication_options_hints_and_a_run()
    {
        Session t;
        t.env.writeFile(Ini, "[BasicMultiplication]\r\nOption=2\r\nTotal=4\r\nCorrect=4\r\n");
        const auto s = t.open<TBasicsBasicMultiplicationForm>("mnuBasicMultiplication");
        QVERIFY(s.isSelected("pnlOptRandom")); // 2 names no button
        QCOMPARE(s.score(), QStringLiteral("4/4 green"));
        const QString direct = QStringLiteral("|For UT, NT, Speed Multiplication (Direct Method), Square (All), Square Root.");
        const QString square = QStringLiteral("|For UT, NT, Square (All), Square Root.");
        const QString other = QStringLiteral("|This skill not directly used here, but included to improve your multiplication skills.");
        const QStringList hints = {QStringLiteral("|Generates numbers randomly for you to multiply."),
                                   direct, direct, direct, square, square, square, square,
                                   QStringLiteral("|For Square Root."), other, other};
        QStringList names = {QStringLiteral("pnlOptRandom")};
        for (int n = 3; n <= 12; ++n)
            names << QStringLiteral("pnlOpt%1").arg(n);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(Hints::hint(s.panel(qPrintable(names[i]))), hints[i]);
        QVERIFY(!s.form->findChild<Panel*>("pnlOpt2"));
        QCOMPARE(s.get<QLabel>("lblXSymbol")->text(), QStringLiteral("\u00D7"));
        QCOMPARE(Hints::hint(s.panel("pnlQuestion1")) + Hints::hint(s.panel("pnlQuestion2")), QStringLiteral("Multiplicand|Multiplier|"));

        s.clickOption("pnlOpt12");
        QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("12"));
        QCOMPARE(s.panel("pnlQuestion2")->color(), SysColors::buttonFace());
        s.form->setQuestionSource(std::make_unique<ScriptedTables>(
            QList<TableQuestion>{TableDrillRules::pose(TableOperation::Multiply, 9, 12), TableDrillRules::pose(TableOperation::Multiply, 7, 12)}));
        s.click("BitBtnPlay");
        s.tick();
        QCOMPARE(s.caption("pnlQuestion1") + "x" + s.caption("pnlQuestion2") + "=" + s.caption("pnlAnswer"), QStringLiteral("9x12=108"));
        s.key(Qt::Key_Space);
        s.tick();
        s.tick();
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("84"));
        s.click("BitBtnStop");
        QCOMPARE(s.score(), QStringLiteral("5/6 green"));
        s.clickOption("pnlOptRandom");
        QCOMPARE(s.panel("pnlQuestion2")->color(), SysColors::Lime);
        s.clickOption("pnlOpt11");
        QVERIFY(s.form->closeForm());
        QCOMPARE(sectionOf(t, "BasicMultiplication"),
                 QStringList({"Option=11", "Total=6", "Correct=5", "AnswerPosition=10", "QuestionPosition=4"}));
    }

    void division_drops_the_remainder_and_keeps_to_its_domain()
    {
        Session t;
        const auto s = t.open<TBasicsBasicDivisionForm>("mnuDivision");
        QCOMPARE(Hints::hint(s.panel("pnlOptRandom")), QStringLiteral("|Generates numbers randomly for you to divide."));
        for (int d = 2; d <= 9; ++d)
            QCOMPARE(Hints::hint(s.panel(qPrintable(QStringLiteral("pnlOpt%1").arg(d)))), QStringLiteral("|For Speed Division."));
        QCOMPARE(s.get<QLabel>("Label1")->text(), QStringLiteral("\u00F7"));
        QList<TableQuestion> worked;
        for (const auto& [n, d] : std::initializer_list<std::pair<int, int>>{{26, 5}, {3, 8}, {51, 5}, {47, 6}})
            worked << TableDrillRules::pose(TableOperation::Divide, n, d);
        s.form->setQuestionSource(std::make_unique<ScriptedTables>(worked));
        s.click("BitBtnPlay");
        QStringList shown;
        for (int i = 0; i < 4; ++i) {
            s.tick();
            shown << s.caption("pnlQuestion1") + "/" + s.caption("pnlQuestion2") + "=" + s.caption("pnlAnswer");
            s.tick();
        }
        s.click("BitBtnStop");
        QCOMPARE(shown, QStringList({"26/5=5", "3/8=0", "51/5=10", "47/6=7"}));

        // A fixed divisor through the real questions: two-digit dividends,
        // the quotient dropping the remainder, no repeat.
        s.clickOption("pnlOpt7");
        QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("7"));
        s.form->setQuestionSource(std::make_unique<RandomTableQuestions>());
        s.click("BitBtnPlay");
        QString previous;
        for (int i = 0; i < 150; ++i) {
            const int n = s.caption("pnlQuestion1").toInt();
            QVERIFY2(n >= 10 && n <= 99 && s.caption("pnlQuestion1") != previous, qPrintable(s.caption("pnlQuestion1")));
            QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("7"));
            s.tick();
            QCOMPARE(s.caption("pnlAnswer").toInt(), n / 7);
            previous = s.caption("pnlQuestion1");
            s.tick();
        }
        s.click("BitBtnStop");
        QVERIFY(s.form->closeForm());
        QCOMPARE(sectionOf(t, "BasicDivision").constFirst(), QStringLiteral("Option=7"));
    }
};

QTEST_MAIN(TestProductDrills)
#include "tst_ProductDrills.moc"
