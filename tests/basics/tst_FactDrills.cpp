// The five fact drills through their windows: titles, options, fixed
// operands, the questions they pose and what they store.

#include "BasicsScreens.h"

#include "app/HelpFile.h"

namespace {

struct OptionRow {
    const char* button;
    const char* container;
    QString caption;
    QString hint;
    int stored;
};

const QString OptionsHint = QStringLiteral("|Options Panel: Click any button on this panel to set the practise option.");

// Runs a screen for a number of questions with the real question source and
// gives back what the panels showed: {first, second, answer} per question.
QList<QStringList> drawThroughScreen(const OpenScreen& s, int questions)
{
    QList<QStringList> shown;
    s.click("BitBtnPlay");
    for (int i = 0; i < questions; ++i) {
        QStringList q = {s.caption("pnlQuestion1"),
                         s.form->findChild<Panel*>("pnlQuestion2") ? s.caption("pnlQuestion2") : QString()};
        s.tick(); // the answer
        q << s.caption("pnlAnswer");
        shown << q;
        s.tick(); // the next question
    }
    s.click("BitBtnStop");
    return shown;
}

} // namespace

class TestFactDrills : public QObject
{
    Q_OBJECT
private slots:
    void screens_open_from_the_basics_menu_with_their_titles()
    {
        Session t;
        const HelpFile::LoadResult help = HelpFile::load(QStringLiteral(VSM_SOURCE_DIR "/resources/help/VandrelsholmSpeedMath.hlp"));
        QVERIFY(help.file);
        const struct {
            const char* item;
            QString caption;
            QString section;
            int help;
        } screens[] = {
            {"mnuAddition", "ADDITION : BASIC", "Addition", 500},
            {"mnuSubtraction", "SUBTRACTION : FROM 10", "Subtraction", 500},
            {"mnuDoubling", "DOUBLING : 1-DIGIT", "Doubling", 500},
            {"mnuHalving", "HALVING", "Halving", 515},
            {"mnuOddsEvens", "ODDS & EVENS", "OddEven", 500},
            {"mnuUnitsTens", "UNITS & TENS : RANDOM (UNIT OR TEN)", "UnitTen", 505},
            {"mnuNumberTens", "NUMBERS & TENS : RANDOM", "NumberTen", 510},
            {"mnuBasicMultiplication", "MULTIPLICATION : RANDOM", "BasicMultiplication", 500},
            {"mnuDivision", "DIVISION : RANDOM", "BasicDivision", 520},
            {"mnuKeyboardSkills", "KEYBOARD SKILLS", "Keyboard", 525},
            {"mnuRulesforMultiplication", "RULES FOR MULTIPLICATION : LEARN RULES", "RulesMultiplication", 530},
        };
        for (const auto& screen : screens) {
            const ScreenOf<TBasicsBaseForm> s = t.open<TBasicsBaseForm>(screen.item);
            QVERIFY2(s.form, screen.item);
            QCOMPARE(s.form->caption(), screen.caption);
            QCOMPARE(s.form->sectionName(), screen.section);
            QCOMPARE(Hints::helpContext(s.get<QWidget>("BitBtnHelp")), screen.help);
            QCOMPARE(Hints::helpContext(s.form), screen.help);
            QCOMPARE(s.form->size(), QSize(588, 379));
            const QFont big = s.form->findChild<Panel*>(QStringLiteral("pnlQuestion1"))
                                  ? s.panel("pnlQuestion1")->font() : s.panel("pnlNumber")->font();
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(big.family()).arg(big.pixelSize()).arg(big.bold()), QStringLiteral("Arial 48 1"));
            // Every help context the screen's controls carry is in the help file.
            for (QWidget* control : s.form->findChildren<QWidget*>()) {
                const int context = Hints::helpContext(control);
                QVERIFY2(context == 0 || help.file->topic(context) || help.file->popup(context),
                         qPrintable(control->objectName() + QString::number(context)));
            }
            QVERIFY(!t.main.topMenu(1)->menuAction()->isEnabled());
            QVERIFY(s.form->closeForm());
            QVERIFY(t.main.topMenu(1)->menuAction()->isEnabled());
        }
    }

    void option_buttons_their_panels_hints_and_stored_numbers()
    {
        Session t;
        const QList<QPair<const char*, QList<OptionRow>>> screens = {
            {"mnuAddition",
             {{"pnlOptRandom", "pnlOptions", "Basic", "|For all speed math skills: Small number (less than 20) + 1-digit number.", 1},
              {"pnlOptBy5", "pnlOptions", "By 5", "|For Speed Multiplication:Basic (3,4,5,6,7).", 2},
              {"pnlOpt21Digit", "PnlOptions2", "2-Digit + 1-Digit", "|For Speed Multiplication (All), Speed Division, Square, Square Root. ", 3},
              {"pnlOpt22Digit", "PnlOptions2", "2-Digit + 2-Digit", "|For Speed Multiplication (Direct Method), Speed Division, Square (3-Digit).", 4}}},
            {"mnuSubtraction",
             {{"pnlOptFrom10", "pnlOptions", "From 10", "|For Speed Multiplication:Basic (3,4,8,9).", 1},
              {"pnlOptFrom9", "pnlOptions", "From 9", "|For Speed Multiplication:Basic (3,4,8,9).", 2},
              {"pnlOptBy2", "pnlOptions", "By 2", "|For Speed Multiplication:Basic (3,8).", 3},
              {"pnlOpt21Digit", "PnlOptions2", "2-Digit - 1-Digit", "|For Speed Division, Square Root.", 4},
              {"pnlOpt22Digit", "PnlOptions2", "2-Digit - 2-Digit", "|For Speed Division, Square Root.", 5},
              {"pnlOptBy11", "pnlOptions", "By 11", "|For Speed Addition.", 6}}},
            {"mnuDoubling",
             {{"pnlOpt1Digit", "PnlOptions", "1-Digit", "|For Speed Multiplication:Basic (3,7,8,12), Square (2-, 3-Digit), Square Root.", 1},
              {"pnlOpt2Digit", "PnlOptions", "2-Digit", "|For Square (2-, 3-Digit), Square Root.", 2}}},
        };
        for (const auto& [item, options] : screens) {
            for (const OptionRow& row : options) {
                const OpenScreen s = t.open(item);
                Panel* button = s.panel(row.button);
                QVERIFY2(button, row.button);
                QCOMPARE(button->caption(), row.caption);
                QCOMPARE(Hints::hint(button), row.hint);
                QCOMPARE(button->parentWidget()->objectName(), QString::fromLatin1(row.container));
                QCOMPARE(Hints::hint(button->parentWidget()), OptionsHint);
                s.clickOption(row.button);
                QVERIFY(s.isSelected(row.button));
                // Only one option is selected at a time.
                for (const OptionRow& other : options) {
                    if (&other != &row)
                        QVERIFY(!s.isSelected(other.button));
                }
                // Its status-bar text is the long hint.
                HintRouter::instance().hintFromControl(button);
                QCOMPARE(s.status(), Hints::longHint(row.hint));
                const QString section = s.form->sectionName();
                QVERIFY(s.form->closeForm());
                QCOMPARE(sectionLines(t.env.readFile("users/Ann.ini"), section).constFirst(),
                         QStringLiteral("Option=%1").arg(row.stored));
            }
        }
    }

    void fixed_operands_show_as_soon_as_the_option_is_chosen()
    {
        Session t;
        {
            const OpenScreen s = t.open("mnuAddition");
            QCOMPARE(s.panel("pnlQuestion2")->color(), SysColors::Lime);
            QCOMPARE(s.caption("pnlQuestion2"), QString());
            s.clickOption("pnlOptBy5");
            QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("5"));
            QCOMPARE(s.panel("pnlQuestion2")->color(), SysColors::buttonFace());
            const QFont big = s.panel("pnlAnswer")->font();
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(big.family()).arg(big.pixelSize()).arg(big.bold()), QStringLiteral("Arial 48 1"));
            QCOMPARE(s.form->caption(), QStringLiteral("ADDITION : BY 5"));
            s.clickOption("pnlOptRandom");
            QCOMPARE(s.panel("pnlQuestion2")->color(), SysColors::Lime);
            QCOMPARE(s.caption("pnlQuestion2"), QString());
            s.clickOption("pnlOpt22Digit");
            QCOMPARE(s.form->caption(), QStringLiteral("ADDITION : 2-DIGIT + 2-DIGIT"));
            s.form->closeForm();
        }
        const OpenScreen s = t.open("mnuSubtraction");
        const struct {
            const char* option;
            QString first, second;
            bool firstFixed, secondFixed;
        } cases[] = {
            {"pnlOptFrom10", "10", "", true, false}, {"pnlOptFrom9", "9", "", true, false},
            {"pnlOptBy2", "", "2", false, true},     {"pnlOptBy11", "", "11", false, true},
            {"pnlOpt21Digit", "", "", false, false}, {"pnlOpt22Digit", "", "", false, false},
        };
        for (const auto& c : cases) {
            s.clickOption(c.option);
            QCOMPARE(s.caption("pnlQuestion1"), c.first);
            QCOMPARE(s.caption("pnlQuestion2"), c.second);
            QCOMPARE(s.panel("pnlQuestion1")->color(), c.firstFixed ? SysColors::buttonFace() : SysColors::Lime);
            QCOMPARE(s.panel("pnlQuestion2")->color(), c.secondFixed ? SysColors::buttonFace() : SysColors::Lime);
        }
        // The fixed operand stays through a run.
        s.clickOption("pnlOptFrom9");
        s.form->setQuestionSource(std::make_unique<ScriptedQuestions>(QList<QPair<int, int>>{{0, 4}, {0, 8}}));
        s.click("BitBtnPlay");
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("9"));
        QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("4"));
        s.tick();
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("5"));
        s.tick();
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("9"));
        QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("8"));
        s.click("BitBtnStop");
        QCOMPARE(s.caption("pnlAnswer"), QStringLiteral("1"));
    }

    void worked_examples_show_their_answers()
    {
        Session t;
        const struct {
            const char* item;
            const char* option;
            QList<QPair<int, int>> questions;
            QStringList answers;
        } cases[] = {
            {"mnuAddition", "pnlOpt21Digit", {{26, 5}, {39, 7}, {89, 6}}, {"31", "46", "95"}},
            {"mnuAddition", "pnlOpt22Digit", {{89, 56}, {53, 48}}, {"145", "101"}},
            {"mnuSubtraction", "pnlOpt22Digit", {{26, 15}, {71, 34}}, {"11", "37"}},
            {"mnuSubtraction", "pnlOptBy11", {{16, 0}, {12, 0}}, {"5", "1"}},
            {"mnuSubtraction", "pnlOptBy2", {{5, 0}, {8, 0}}, {"3", "6"}},
            {"mnuDoubling", "pnlOpt2Digit", {{26, 0}, {89, 0}}, {"52", "178"}},
            {"mnuDoubling", "pnlOpt1Digit", {{7, 0}}, {"14"}},
            {"mnuHalving", nullptr, {{7, 0}, {8, 0}, {5, 0}}, {"3", "4", "2"}},
            {"mnuOddsEvens", nullptr, {{0, 0}, {7, 0}, {4, 0}}, {"Even", "Odd", "Even"}},
        };
        for (const auto& c : cases) {
            const OpenScreen s = t.open(c.item);
            if (c.option)
                s.clickOption(c.option);
            s.form->setQuestionSource(std::make_unique<ScriptedQuestions>(c.questions));
            s.click("BitBtnPlay");
            QStringList answers;
            for (int i = 0; i < c.questions.size(); ++i) {
                QCOMPARE(s.caption("pnlQuestion1"), QString::number(c.questions[i].first));
                s.tick();
                answers << s.caption("pnlAnswer");
                s.tick();
            }
            s.click("BitBtnStop");
            QCOMPARE(answers, c.answers);
            QVERIFY(s.form->closeForm());
        }
    }

    void questions_stay_in_their_domains_and_never_repeat_at_once()
    {
        Session t;
        const QList<QPair<const char*, QStringList>> screens = {
            {"mnuAddition", {"pnlOptRandom", "pnlOptBy5", "pnlOpt21Digit", "pnlOpt22Digit"}},
            {"mnuSubtraction", {"pnlOptFrom10", "pnlOptFrom9", "pnlOptBy2", "pnlOptBy11", "pnlOpt21Digit", "pnlOpt22Digit"}},
            {"mnuDoubling", {"pnlOpt1Digit", "pnlOpt2Digit"}},
            {"mnuHalving", {QString()}},
            {"mnuOddsEvens", {QString()}},
        };
        for (const auto& [item, options] : screens) {
            for (const QString& option : options) {
                const OpenScreen s = t.open(item);
                if (!option.isEmpty())
                    s.clickOption(qPrintable(option));
                const FactKind kind = s.form->currentKind();
                // The option's domain reaches the window; the drawing itself is
                // swept in tst_FactDrillRules.
                const QList<QStringList> shown = drawThroughScreen(s, 40);
                QSet<QStringList> distinct;
                for (int i = 0; i < shown.size(); ++i) {
                    const QStringList& q = shown[i];
                    const QString where = QLatin1String(item) + QLatin1Char(' ') + option + QLatin1String(": ") + q.join(QLatin1Char(' '));
                    const int first = q[0].toInt();
                    const int second = q[1].toInt();
                    QVERIFY2(FactDrillRules::inDomain(kind, first, second), qPrintable(where));
                    QVERIFY2(q[1].isEmpty() == !FactDrillRules::domain(kind).hasSecond, qPrintable(where));
                    QCOMPARE(q[2], FactDrillRules::answerText(kind, FactDrillRules::pose(kind, first, second)));
                    QVERIFY2(i == 0 || shown[i - 1].mid(0, 2) != q.mid(0, 2), qPrintable(where + QStringLiteral(" repeated")));
                    distinct.insert(q.mid(0, 2));
                }
                // Drawn at random: many different questions come up.
                QVERIFY2(distinct.size() >= 7, qPrintable(option));
                QVERIFY(s.form->closeForm());
            }
        }
    }

    void stored_options_and_screens_without_options()
    {
        Session t;
        t.env.writeFile("users/Ann.ini",
                      "[Subtraction]\r\nOption=6\r\n[Doubling]\r\nOption=9\r\n[Halving]\r\nOption=2\r\nTotal=3\r\nCorrect=1\r\n"
                      "[OddEven]\r\nTotal=2\r\n");
        {
            const OpenScreen s = t.open("mnuSubtraction");
            QVERIFY(s.isSelected("pnlOptBy11"));
            QCOMPARE(s.form->caption(), QStringLiteral("SUBTRACTION : BY 11"));
            QCOMPARE(s.caption("pnlQuestion2"), QStringLiteral("11"));
            s.form->closeForm();
        }
        {
            const OpenScreen s = t.open("mnuDoubling");
            QVERIFY(s.isSelected("pnlOpt1Digit")); // 9 names no button
            s.form->closeForm();
        }
        {
            const OpenScreen s = t.open("mnuHalving");
            QCOMPARE(s.form->caption(), QStringLiteral("HALVING"));
            QVERIFY(!s.form->currentOption());
            QCOMPARE(s.total(), 3);
            QCOMPARE(s.correct(), 1);
            QCOMPARE(s.get<QLabel>("Label1")->text(), QStringLiteral("\u00BD"));
            QCOMPARE(Hints::hint(s.get<QLabel>("Label1")), QStringLiteral("|This skill need for Speed Multiplication:Basic (3,4,5,6,7)."));
            QCOMPARE(Hints::hint(s.panel("pnlDummyForHint")), QStringLiteral("|For Speed Multiplication:Basic (3,4,5,6,7)."));
            QVERIFY(!s.form->findChild<Panel*>("pnlQuestion2"));
            // A run hides nothing of the screen's own.
            s.click("BitBtnPlay");
            QVERIFY(!s.panel("pnlDummyForHint")->isHidden());
            s.click("BitBtnStop");
            s.form->closeForm();
        }
        {
            const OpenScreen s = t.open("mnuOddsEvens");
            QCOMPARE(Hints::hint(s.panel("pnlDummyForHint")), QStringLiteral("|For Speed Multiplication:Basic (3,4,5,6,7)."));
            QCOMPARE(s.total(), 2);
            QCOMPARE(s.correct(), 0);
            s.form->closeForm();
        }
        const QByteArray file = t.env.readFile("users/Ann.ini");
        // The halving screen neither reads nor writes "Option": the line the
        // file had stays as it was; odds and evens gets none.
        QCOMPARE(sectionLines(file, "Halving"),
                 QStringList({"Option=2", "Total=3", "Correct=1", "AnswerPosition=10", "QuestionPosition=4"}));
        QCOMPARE(sectionLines(file, "OddEven"), QStringList({"Total=2", "Correct=0", "AnswerPosition=10", "QuestionPosition=4"}));
        QCOMPARE(sectionLines(file, "Subtraction").constFirst(), QStringLiteral("Option=6"));
        QCOMPARE(sectionLines(file, "Doubling").constFirst(), QStringLiteral("Option=1"));
    }
};

QTEST_MAIN(TestFactDrills)
#include "tst_FactDrills.moc"
