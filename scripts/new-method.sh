#!/usr/bin/env bash
# Stamps out a new practice screen: its rules class, its form and the
# skeletons of its rules test and window test, and registers it where the
# compiler needs it (the catalogue of screens, the screen factory, the list
# of worksheet methods, the string table's title). The skeleton is a working
# method (it doubles a 2-digit number in one box) that compiles and plays;
# replace it with the real method. The steps left to do by hand are printed
# at the end; README.md "Adding a screen" lists them all.
#
# Usage: scripts/new-method.sh [--root DIR] NAME METHOD "Menu caption" "WINDOW TITLE"
#   NAME     the class stem, e.g. CubeTwoDigit (TPractiseCubeTwoDigitForm,
#            CubeTwoDigitRules, section CubeTwoDigit, menu item mnuCubeTwoDigit)
#   METHOD   the method name of the worksheet tool, e.g. cube-two-digit
#   --root   the source tree to stamp into (default: the one holding this script)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = "--root" ]; then
  root=$(cd "$2" && pwd)
  shift 2
fi
if [ $# -ne 4 ]; then
  sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
fi
name=$1 method=$2 caption=$3 title=$4
die() { echo "new-method.sh: $*" >&2; exit 2; }
[[ $name =~ ^[A-Z][A-Za-z0-9]*$ ]] || die "NAME must be a class stem such as CubeTwoDigit"
[[ $method =~ ^[a-z][a-z0-9]*(-[a-z0-9]+)*$ ]] || die "METHOD must be lower case words joined by -, such as cube-two-digit"
[[ $caption != *\"* && $caption != *\\* && -n $caption ]] || die "the menu caption must not be empty nor hold \" or \\"
[[ $title != *\"* && $title != *\\* && -n $title ]] || die "the window title must not be empty nor hold \" or \\"

src=$root/src
catalogue_h=$src/shell/ScreenCatalogue.h
catalogue_cpp=$src/shell/ScreenCatalogue.cpp
factories=$src/app/ScreenFactories.cpp
methods=$src/practice/PracticeMethods.cpp
strings_h=$src/shell/Strings.h
strings_cpp=$src/shell/Strings.cpp
rules_h=$src/practice/${name}Rules.h
rules_cpp=$src/practice/${name}Rules.cpp
form_h=$src/practice/Practise${name}.h
form_cpp=$src/practice/Practise${name}.cpp
rules_test=$root/tests/practice/tst_${name}Rules.cpp
window_test=$root/tests/practice/tst_Practise${name}.cpp

for f in "$catalogue_h" "$catalogue_cpp" "$factories" "$methods" "$strings_h" "$strings_cpp"; do
  [ -f "$f" ] || die "$f is missing: is $root the source tree?"
done
for f in "$rules_h" "$rules_cpp" "$form_h" "$form_cpp" "$rules_test" "$window_test"; do
  [ ! -e "$f" ] || die "$f already exists"
done
grep -q "^    $name,\$" "$catalogue_h" && die "ScreenId::$name already exists"
grep -q "\"$method\"" "$catalogue_cpp" && die "the catalogue already has a screen of method $method"
grep -q "\"mnu$name\"" "$catalogue_cpp" && die "the menu item mnu$name already exists"

# The free numbers: the next string-table number, the next practice help
# topic (every fifth from 600) and the next report row.
string_id=$(( $(cat "$strings_h" "$strings_cpp" | grep -oE '(= |\{)6[0-9]{4},' | tr -dc '0-9\n' | sort -n | tail -1) + 1 ))
help_topic=$(( $(grep -oE ',  *6[0-9][0-9], *[0-9]+, ' "$catalogue_cpp" | grep -oE '6[0-9][0-9]' | sort -n | tail -1) + 5 ))
report_row=$(( $(grep -oE ', *6[0-9][0-9], *[0-9]+, ' "$catalogue_cpp" | sed -E 's/.*, *([0-9]+), $/\1/' | sort -n | tail -1) + 1 ))

# Inserts the text of file $2 into file $1 before the first line matching
# the extended regex $4 that follows the first line matching $3.
insert_before() {
  local file=$1 text=$2 after=$3 before=$4
  awk -v textfile="$text" -v after="$after" -v before="$before" '
    !done && seen && $0 ~ before { while ((getline line < textfile) > 0) print line; done = 1 }
    !seen && $0 ~ after { seen = 1 }
    { print }
    END { if (!done) exit 1 }' "$file" >"$file.new" || { rm -f "$file.new"; die "cannot find where to add to $file"; }
  mv "$file.new" "$file"
}
snippet=$(mktemp)
trap 'rm -f "$snippet"' EXIT
add() { # file, after, before, text
  printf '%s\n' "$4" >"$snippet"
  insert_before "$1" "$snippet" "$2" "$3"
}

upper_title=$(printf '%s' "$title" | tr '[:lower:]' '[:upper:]')

# ---- registrations
add "$strings_h" '^enum Id' '^};' "    Title$name = $string_id,"
add "$strings_cpp" 'static const QHash<int, QString> texts' '^    };' \
  "        {$string_id, QStringLiteral(\"$upper_title\")},"
add "$catalogue_h" '^enum class ScreenId' '^};' "    $name,"
add "$catalogue_cpp" 'static const QList<Row> table' '^    };' \
"        {$name, P, {}, true, \"mnu$name\", \"$caption...\",
                                   S::Title$name, true, \"$name\", $help_topic, $report_row, \"$method\"},"
add "$factories" '^#include "practice/' '^$' "#include \"practice/Practise$name.h\""
add "$factories" 'switch' '^    }$' "    case ScreenId::$name: return new TPractise${name}Form;"
add "$methods" '^#include "practice/[A-Za-z]+Rules.h"' '^$' "#include \"practice/${name}Rules.h\""
add "$methods" 'static const QList<PracticeMethod> table' '^    };' "        ${name}Rules::method(),"

# ---- the skeletons
esc() { printf '%s' "$1" | sed -e 's/[\/&]/\\&/g'; }
stamp() { # target; the template on stdin
  sed -e "s/@Name@/$name/g" -e "s/@method@/$method/g" -e "s/@Caption@/$(esc "$caption")/g" \
      -e "s/@TITLE@/$(esc "$upper_title")/g" >"$1"
}

stamp "$rules_h" <<'EOF'
#pragma once

#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

// @Caption@: what the method works out and how, step by step.
// (Skeleton: it doubles a 2-digit number in one box. Write the method here:
// its question, its drawing and every box of its worked solution.)
//
// Working boxes, in list order: 0 pnlWorking0, the answer.
class @Name@Rules {
public:
    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("@method@"); }
    static PracticeMethod method();

    // One option button of the screen, in their left-to-right order.
    struct Option {
        QString button;      // "pnlOptLevel1"
        QString caption;     // "Level 1"
        int level;           // 1
        QString bestTimeKey; // "Time1"
        QString hint;        // "|Numbers from 10 to 99."
    };
    static const QList<Option>& options();

    struct Question {
        int number = 10;
        QString text() const { return QString::number(number); }
    };
    // A number from 10 to 99 (blanks around it are ignored).
    static ParseResult<Question> parse(const QString& text);
    // A question of the level, never previous again.
    static Question draw(QRandomGenerator& rng, int level, const Question* previous = nullptr);
    static WorkedProblem solve(const Question& q);

    static QString questionPanel(int i) { return PracticeText::numbered("pnlQuestion", i); }
    static QString workingBox(int i) { return PracticeText::numbered("pnlWorking", i); }
    static QString answerPanel(int i) { return PracticeText::numbered("pnlAnswer", i); }
};
EOF

stamp "$rules_cpp" <<'EOF'
#include "practice/@Name@Rules.h"

const QList<@Name@Rules::Option>& @Name@Rules::options()
{
    static const QList<Option> table = {
        {QStringLiteral("pnlOptLevel1"), QStringLiteral("Level 1"), 1, QStringLiteral("Time1"),
         QStringLiteral("|Numbers from 10 to 99.")},
    };
    return table;
}

ParseResult<@Name@Rules::Question> @Name@Rules::parse(const QString& text)
{
    using Result = ParseResult<Question>;
    const QString t = text.trimmed();
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || t != QString::number(n) || n < 10 || n > 99)
        return Result::failure(QStringLiteral("question must be a number from 10 to 99, e.g. 34"));
    return Result::success(Question{n});
}

@Name@Rules::Question @Name@Rules::draw(QRandomGenerator& rng, int, const Question* previous)
{
    Question q;
    do
        q.number = int(rng.bounded(10, 100));
    while (previous && q.number == previous->number);
    return q;
}

WorkedProblem @Name@Rules::solve(const Question& q)
{
    WorkedProblem w;
    w.method = methodName();
    w.question = q.text();
    w.questionPanels << PanelText{questionPanel(0), q.text()};
    RuleBox b;
    b.box = workingBox(0);
    b.value = 2 * q.number;
    b.text = QString::number(b.value);
    b.width = int(b.text.size()); // the box is laid out for 3 digits, the largest answer
    b.hint = b.text + QStringLiteral(" = ") + q.text() + QStringLiteral(" + ") + q.text() + QLatin1Char('|');
    b.colorHints << ColorHint{questionPanel(0)};
    w.boxes << b;
    w.answerPanels << PanelText{answerPanel(0), b.text};
    w.answer = b.text;
    return w;
}

PracticeMethod @Name@Rules::method()
{
    QStringList levels;
    for (const Option& o : options())
        levels << o.caption;
    return {methodName(),
            QStringLiteral("a number from 10 to 99, e.g. 34"),
            {{QStringLiteral("level"), levels}},
            PracticeMethods::parseAndSolve<@Name@Rules>,
            [](QRandomGenerator& rng, const QStringList& chosen) {
                int level = 1;
                for (const Option& o : options())
                    if (o.caption == chosen.value(0))
                        level = o.level;
                return solve(draw(rng, level));
            },
            PracticeMethods::optionBestTimes(options())};
}
EOF

stamp "$form_h" <<'EOF'
#pragma once

#include <optional>

#include "practice/@Name@Rules.h"
#include "practice/PractiseRulesForm.h"

// The @Caption@ screen: the question, the boxes the learner works and the
// correct answer, laid out for @Name@Rules. The workbench does the rest.
//
// Questions: the custom question after OK, otherwise a posed question of the
// method, otherwise a question of the selected level.
class TPractise@Name@Form : public TPractiseRulesForm
{
    Q_OBJECT
public:
    explicit TPractise@Name@Form(QWidget* parent = nullptr);

protected:
    TCustomQuestionForm::Setup CustomQuestionSetup() const override;
    void NewQuestion() override;
    WorkedProblem SolveQuestion() override;

private:
    std::optional<@Name@Rules::Question> m_question;
};
EOF

stamp "$form_cpp" <<'EOF'
#include "practice/Practise@Name@.h"

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"

using Rules = @Name@Rules;

namespace {

constexpr int FontPx = 16;
constexpr int BoxLeft = 240;
constexpr int QuestionTop = 120;
constexpr int WorkingTop = QuestionTop + 2 * BoxFactory::Step;
constexpr int AnswerTop = WorkingTop + 2 * BoxFactory::Step;

QRect box(int top, int digits)
{
    return {BoxLeft, top, digits * BoxFactory::Step - 1, BoxFactory::BoxSize};
}

} // namespace

TPractise@Name@Form::TPractise@Name@Form(QWidget* parent) : TPractiseRulesForm(parent)
{
    setObjectName(QStringLiteral("Practise@Name@Form"));
    // 1. The option buttons; the first is the default.
    AddOptionButtons(Rules::options());
    // 2. Section and help topic from the screen's catalogue row; the legend,
    //    the entry style and the box order.
    SetUpScreen({ScreenId::@Name@, PracticeHelp::LegendSquares, FreeEntry, LeftToRight});
    // 3. The panels and boxes, named as the rules name them.
    const BoxFactory boxes(this);
    AddQuestionPanel(boxes.question(Rules::questionPanel(0), box(QuestionTop, 2), FontPx, Panel::Bevel::Raised));
    Panel* answerBox = boxes.working(Rules::workingBox(0), box(WorkingTop, 3), FontPx);
    AddWorkingPanel(answerBox, 3);
    AddMyAnswerPanel(answerBox);
    AddAnswerPanel(boxes.answer(Rules::answerPanel(0), box(AnswerTop, 3), FontPx));
    ResetWorkingPanels();
}

TCustomQuestionForm::Setup TPractise@Name@Form::CustomQuestionSetup() const
{
    return TCustomQuestionForm::Setup::questionOnly(2);
}

void TPractise@Name@Form::NewQuestion()
{
    m_question = CustomPosedOr<Rules>([this] {
        return Rules::draw(QuestionSource::generator(), GetOptionIndex(), m_question ? &*m_question : nullptr);
    });
}

WorkedProblem TPractise@Name@Form::SolveQuestion()
{
    return Rules::solve(*m_question);
}
EOF

stamp "$rules_test" <<'EOF'
// The rules of @Caption@: the worked examples box by box, a property
// over many drawn questions against an independent model, and the questions
// the method refuses. (Skeleton: write the method's own examples.)

#include <QtTest>

#include <optional>

#include "practice/@Name@Rules.h"

using Rules = @Name@Rules;

class Test@Name@Rules : public QObject
{
    Q_OBJECT

private slots:
    void a_worked_example_box_by_box()
    {
        const auto parsed = Rules::parse(QStringLiteral(" 34 "));
        QVERIFY(parsed.ok());
        const WorkedProblem w = Rules::solve(*parsed.question);
        QCOMPARE(w.question, QStringLiteral("34"));
        QCOMPARE(w.boxes.size(), 1);
        QCOMPARE(w.boxes[0].box, QStringLiteral("pnlWorking0"));
        QCOMPARE(w.boxes[0].text, QStringLiteral("68"));
        QCOMPARE(w.boxes[0].hint, QStringLiteral("68 = 34 + 34|"));
        QCOMPARE(w.answer, QStringLiteral("68"));
    }

    void every_drawn_question_solves_to_its_answer()
    {
        QRandomGenerator rng(7);
        std::optional<Rules::Question> previous;
        for (int i = 0; i < 2000; ++i) {
            const Rules::Question q = Rules::draw(rng, 1, previous ? &*previous : nullptr);
            QVERIFY(q.number >= 10 && q.number <= 99);
            QVERIFY(!previous || q.number != previous->number);
            QCOMPARE(Rules::solve(q).answer.toInt(), q.number * 2); // the model: doubling
            previous = q;
        }
    }

    void refuses_what_is_not_a_question()
    {
        for (const char* text : {"", "9", "100", "3 4", "x"})
            QVERIFY2(!Rules::parse(QString::fromLatin1(text)).ok(), text);
    }
};

QTEST_GUILESS_MAIN(Test@Name@Rules)
#include "tst_@Name@Rules.moc"
EOF

stamp "$window_test" <<'EOF'
// The @Caption@ screen through its window: opened from its menu, a posed
// question typed and stopped, the scores and the best time in the learner's
// file. (Skeleton: add the screen's own hints, colour hints and options.)

#include <QtTest>

#include <QPushButton>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "practice/Practise@Name@.h"

class TestPractise@Name@ : public QObject
{
    Q_OBJECT

private slots:
    void a_whole_solution_is_right_counted_and_timed()
    {
        OpenedScreen<TPractise@Name@Form> s(QStringLiteral("mnu@Name@"));
        PracticeSeams seams;
        QVERIFY(s.form);
        QVERIFY(s.form->caption().startsWith(QStringLiteral("@TITLE@ : ")));
        QuestionSource::pose(@Name@Rules::methodName(), {QStringLiteral("34")});
        QTest::mouseClick(s.form->findChild<QPushButton*>(QStringLiteral("BitBtnPlay")), Qt::LeftButton);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlQuestion0")), QStringLiteral("34"));
        seams.advanceSeconds(20);
        typeDigits(s.form, QStringLiteral("68"));
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlAnswer0")), QStringLiteral("68"));

        QVERIFY(s.form->closeForm());
        const IniFile ini(s.env.path(QStringLiteral("users/Ann.ini")));
        QCOMPARE(ini.readInteger(QStringLiteral("@Name@"), QStringLiteral("Correct"), 0), 1);
        QCOMPARE(qRound(ini.readTime(QStringLiteral("@Name@"), QStringLiteral("Time1"), 0) * 86400), 20);
    }
};

QTEST_MAIN(TestPractise@Name@)
#include "tst_Practise@Name@.moc"
EOF

rel() { printf '%s' "${1#"$root"/}"; }
cat <<EOF
Stamped the screen $name (worksheet method $method):
  rules       $(rel "$rules_h"), $(rel "$rules_cpp")
  form        $(rel "$form_h"), $(rel "$form_cpp")
  tests       $(rel "$rules_test"), $(rel "$window_test")
Registered:
  catalogue   ScreenId::$name in src/shell/ScreenCatalogue.h and its row in src/shell/ScreenCatalogue.cpp:
              menu item mnu$name "$caption..." at the end of the Practice menu, section $name,
              help topic $help_topic, report row $report_row
  factory     its case in src/app/ScreenFactories.cpp
  worksheet   ${name}Rules::method() in PracticeMethods::all() in src/practice/PracticeMethods.cpp
  title       Strings::Title$name = $string_id "$upper_title" in src/shell/Strings.h and src/shell/Strings.cpp
Still to do (the tests named fail until each is done):
  1. write the method in ${name}Rules (question, drawing, solve) and lay out its boxes in
     Practise$name.cpp; check the catalogue row (menu place, sub-menu, report row, title with " : ")
  2. help topic: [topic $help_topic $name] in resources/help/VandrelsholmSpeedMath.hlp, listed in its
     [contents] (tst_ScreenCatalogue, tst_HelpFile)
  3. manual page: the method $method under METHODS in resources/man/vandrelsholm-worksheet.1, with
     its question and options (tst_ScreenCatalogue, tst_DebianPackage)
  4. the lists that pin what learners see: the marksheet rows in tests/records/tst_MarksheetRules.cpp
     and the menus in tests/app/tst_MainWindow.cpp
  5. the tests: the method's worked examples and an independent model over random questions in
     $(rel "$rules_test"), a worksheet test of the command line on a few problems in tests/tools/,
     the screen's hints and options in $(rel "$window_test");
     tests/practice/tst_WorkedExamples.cpp plays the new method through its window with no change
  6. look at the screen under Xvfb, and add it to the lists of README.md
EOF
