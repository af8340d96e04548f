// "Practise my misses" through the drills' windows: the check box on every
// drill, a run that brings a miss back, the records file and the key in the
// drill's section, the keypad drill's facts, and a damaged records file.

#include "BasicsScreens.h"

#include <QApplication>
#include <QCheckBox>

#include "basics/BasicsBasicMultiplication.h"
#include "basics/BasicsHelp.h"
#include "basics/BasicsKeyboardSkills.h"
#include "basics/ReviewRules.h"

namespace {

const QString Ini = QStringLiteral("users/Ann.ini");
const QString Records = QStringLiteral("users/Ann.review.csv");
const char* const Drills[] = {"mnuAddition",   "mnuSubtraction",         "mnuDoubling",    "mnuHalving",
                              "mnuOddsEvens",  "mnuUnitsTens",           "mnuNumberTens",  "mnuBasicMultiplication",
                              "mnuDivision",   "mnuKeyboardSkills",      "mnuRulesforMultiplication", "mnu5__5"};

void rightClick(QWidget* control)
{
    QWidget* top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, Qt::NoModifier, control->mapTo(top, QPoint(5, 5)));
}

// The records file as the program writes it (Windows-1252, CR LF).
QByteArray recordsFile(const QByteArrayList& lines)
{
    QByteArray bytes = ReviewDeck::header().toLatin1() + "\r\n";
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Where the check box and the count lie on a drill: inside the drill area,
// clear of every control that shows something, each as large as its text
// needs. "" when so.
QString placeProblem(const ScreenOf<TBasicsBaseForm>& s)
{
    auto* box = s.get<QCheckBox>("chkPractiseMisses");
    auto* count = s.get<QLabel>("lblReviewCount");
    for (QWidget* mine : {static_cast<QWidget*>(box), static_cast<QWidget*>(count)}) {
        if (!TBasicsBaseForm::drillArea().contains(mine->geometry()))
            return mine->objectName() + QStringLiteral(" outside the drill area");
        if (mine->width() < mine->sizeHint().width() || mine->height() < mine->sizeHint().height())
            return mine->objectName() + QStringLiteral(" clipped");
        for (QWidget* other : s.form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const auto* panel = qobject_cast<Panel*>(other);
            const bool empty = panel && panel->bevelOuter() == Panel::Bevel::None && panel->caption().isEmpty()
                               && panel->children().isEmpty();
            if (other != box && other != count && !empty && other->geometry().intersects(mine->geometry()))
                return mine->objectName() + QStringLiteral(" over ") + other->objectName();
        }
    }
    return QString();
}

} // namespace

class TestPractiseMisses : public QObject
{
    Q_OBJECT
private slots:
    // Every flash drill has the check box, off at first, where it fits at
    // the normal font and at 14 points, with its name, tab stop and help.
    void every_drill_has_the_check_box()
    {
        Session t;
        const QFont normal = QApplication::font();
        for (int points : {0, 14}) {
            if (points) {
                QFont large = normal;
                large.setPointSize(points);
                QApplication::setFont(large);
            }
            for (const char* item : Drills) {
                const ScreenOf<TBasicsBaseForm> s = t.open<TBasicsBaseForm>(item);
                QVERIFY2(s.form, item);
                if (QString::fromLatin1(item) == QLatin1String("mnuRulesforMultiplication")) {
                    // Learning pages through the rules: nothing to review.
                    s.clickOption("pnlOptLearnRules");
                    QVERIFY(s.get<QCheckBox>("chkPractiseMisses")->isHidden());
                    s.clickOption("pnlOptGuessRule");
                }
                auto* box = s.get<QCheckBox>("chkPractiseMisses");
                QVERIFY2(!box->isHidden() && !box->isChecked(), item);
                QCOMPARE(box->text(), QStringLiteral("Practise my misses"));
                QCOMPARE(box->accessibleName(), QStringLiteral("Practise my misses"));
                QVERIFY(box->focusPolicy() & Qt::TabFocus);
                QVERIFY(s.get<QLabel>("lblReviewCount")->isHidden());
                const QString problem = placeProblem(s);
                QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("%1 at %2 points: %3").arg(item).arg(points).arg(problem)));
                QVERIFY(s.form->closeForm());
            }
        }
        QApplication::setFont(normal);

        // What's This on the box and on the count.
        const ScreenOf<TBasicsBaseForm> s = t.open<TBasicsBaseForm>("mnuHalving");
        s.click("chkPractiseMisses");
        auto* menu = s.get<WhatsThisMenu>("popupWhatsThis");
        for (const char* name : {"chkPractiseMisses", "lblReviewCount"}) {
            t.env.help.clear();
            rightClick(s.get<QWidget>(name));
            QVERIFY2(menu->isVisible(), name);
            s.form->mnuWhatsThisClick();
            menu->hide();
            QCOMPARE(t.env.help.requests.size(), 1);
            QCOMPARE(t.env.help.requests[0].data.toInt(), int(BasicsHelp::PractiseMisses));
        }
        QCOMPARE(s.get<QLabel>("lblReviewCount")->accessibleName(), QStringLiteral("No facts to review"));
    }

    // Off, a run is as ever: no records file, no key. On, a missed fact comes
    // back after three other questions, the count shows it, the run's end
    // writes the records and closing stores the key.
    void a_miss_comes_back_and_is_kept()
    {
        Session t;
        t.env.writeFile(Ini, "[BasicMultiplication]\r\nTotal=0\r\n");
        {
            const auto s = t.open<TBasicsBasicMultiplicationForm>("mnuBasicMultiplication");
            s.click("BitBtnPlay");
            s.tick();
            s.key(Qt::Key_Space);
            s.tick();
            s.click("BitBtnStop");
            s.click("BitBtnClose");
        }
        QVERIFY(!QFile::exists(t.env.path(Records)));
        QVERIFY(!sectionLines(t.env.readFile(Ini), "BasicMultiplication").join(u' ').contains(QLatin1String("PractiseMisses")));

        {
            const auto s = t.open<TBasicsBasicMultiplicationForm>("mnuBasicMultiplication");
            const auto q = [](int a, int b) { return TableDrillRules::pose(TableOperation::Multiply, a, b); };
            s.form->setQuestionSource(std::make_unique<ScriptedTables>(QList<TableQuestion>{q(7, 8), q(2, 3), q(4, 5), q(6, 7), q(8, 9)}));
            auto* box = s.get<QCheckBox>("chkPractiseMisses");
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Space); // ticks it
            QVERIFY(box->isChecked());
            QCOMPARE(s.get<QLabel>("lblReviewCount")->text(), QStringLiteral("No facts to review"));
            s.click("BitBtnPlay");
            QVERIFY(!box->isEnabled());
            QStringList shown;
            for (int i = 0; i < 6; ++i) {
                shown << s.caption("pnlQuestion1") + QStringLiteral("×") + s.caption("pnlQuestion2");
                s.tick(); // the answer
                if (i == 0)
                    s.key(Qt::Key_Space); // 7×8 was wrong
                if (i < 5)
                    s.tick(); // the next question
                if (i == 1)
                    QCOMPARE(s.get<QLabel>("lblReviewCount")->text(), QStringLiteral("1 fact to review"));
            }
            // Back after three others, asked in place of a drawn question.
            QCOMPARE(shown, QStringList({"7×8", "2×3", "4×5", "6×7", "7×8", "8×9"}));
            s.click("BitBtnStop");
            QVERIFY(box->isEnabled());
            QCOMPARE(s.score(), QStringLiteral("5/7 amber")); // with the first run's miss
            // Right once: still waiting, at level 2.
            QCOMPARE(s.get<QLabel>("lblReviewCount")->text(), QStringLiteral("1 fact to review"));
            QCOMPARE(t.env.readFile(Records),
                     recordsFile({"BasicMultiplication,2\xd7" "3,1,0,5", "BasicMultiplication,4\xd7" "5,1,0,5",
                                  "BasicMultiplication,6\xd7" "7,1,0,5", "BasicMultiplication,7\xd7" "8,2,1,2",
                                  "BasicMultiplication,8\xd7" "9,1,0,5"}));
            s.click("BitBtnClose");
        }
        QCOMPARE(sectionLines(t.env.readFile(Ini), "BasicMultiplication"),
                 QStringList({"Total=7", "Option=1", "Correct=5", "AnswerPosition=10", "QuestionPosition=4", "PractiseMisses=1"}));
        {
            // Opened again: on, with the fact still waiting; cleared, the key goes.
            const auto s = t.open<TBasicsBasicMultiplicationForm>("mnuBasicMultiplication");
            QVERIFY(s.get<QCheckBox>("chkPractiseMisses")->isChecked());
            QCOMPARE(s.get<QLabel>("lblReviewCount")->text(), QStringLiteral("1 fact to review"));
            // Another option has other facts.
            s.clickOption("pnlOpt3");
            QCOMPARE(s.get<QLabel>("lblReviewCount")->text(), QStringLiteral("No facts to review"));
            s.click("chkPractiseMisses");
            QVERIFY(s.get<QLabel>("lblReviewCount")->isHidden());
            s.click("BitBtnClose");
        }
        QVERIFY(!sectionLines(t.env.readFile(Ini), "BasicMultiplication").join(u' ').contains(QLatin1String("PractiseMisses")));
        QVERIFY(t.env.dialogs.boxes.isEmpty());
    }

    // On the keypad drill a fact is a character: a wrong key for it (even
    // followed by the right one) misses it.
    void the_keypad_drill_reviews_characters()
    {
        Session t;
        t.env.writeFile(Ini, "[Keyboard]\r\nPractiseMisses=1\r\n");
        const auto s = t.open<TBasicsKeyboardSkillsForm>("mnuKeyboardSkills");
        QVERIFY(s.get<QCheckBox>("chkPractiseMisses")->isChecked());
        s.form->setQuestionSource(std::make_unique<ScriptedNumbers>(QList<int>{7, 10, 3}));
        s.click("BitBtnPlay");
        s.tick();
        QTest::keyClick(s.form, Qt::Key_1, Qt::KeypadModifier);
        QTest::keyClick(s.form, Qt::Key_7, Qt::KeypadModifier);
        s.tick();
        QCOMPARE(s.caption("pnlQuestion1"), QStringLiteral("+"));
        QTest::keyClick(s.form, Qt::Key_Plus, Qt::KeypadModifier);
        s.tick();
        s.tick();
        s.click("BitBtnStop"); // "3" had no key: not counted
        QCOMPARE(s.score(), QStringLiteral("2/3 amber"));
        QCOMPARE(t.env.readFile(Records), recordsFile({"Keyboard,7,1,1,1", "Keyboard,+,1,0,5"}));
        QCOMPARE(s.get<QLabel>("lblReviewCount")->text(), QStringLiteral("1 fact to review"));
    }

    // A records file the program did not write is ignored with one message
    // and replaced by an empty one; the next opening says nothing.
    void a_damaged_records_file_is_rebuilt()
    {
        Session t;
        t.env.writeFile(Ini, "[Addition]\r\nPractiseMisses=1\r\n[Halving]\r\nPractiseMisses=1\r\n");
        const QString path = t.env.path(Records);
        const struct {
            QByteArray bytes;
            QString reason;
        } damaged[] = {
            {"Drill,Fact,Seen,Missed,Level\r\nAddition,7+8,3,9,1\r\n", "line 2: the times missed are more than the times asked."},
            {QByteArray("\xff\xfe<\0h\0t\0m\0l\0>\0", 14), "line 1: the first line is not \"Drill,Fact,Seen,Missed,Level\"."},
            {QByteArray(ReviewDeck::MaxFileSize + 1, 'x'), "it is larger than 512 KB."},
        };
        for (const auto& d : damaged) {
            t.env.writeFile(Records, d.bytes);
            t.env.dialogs.boxes.clear();
            {
                const ScreenOf<TBasicsBaseForm> s = t.open<TBasicsBaseForm>("mnuAddition");
                QVERIFY(s.get<QCheckBox>("chkPractiseMisses")->isChecked());
                QCOMPARE(s.get<QLabel>("lblReviewCount")->text(), QStringLiteral("No facts to review"));
                QVERIFY(s.form->closeForm());
            }
            QCOMPARE(t.env.dialogs.boxes.size(), 1);
            QCOMPARE(t.env.dialogs.boxes[0].kind, QStringLiteral("error"));
            QCOMPARE(t.env.dialogs.boxes[0].text, QStringLiteral("Unable to read the file \"%1\": %2\r\n"
                                                                 "The record of your missed facts starts again.")
                                                      .arg(path, d.reason));
            QCOMPARE(t.env.readFile(Records), recordsFile({}));
            const ScreenOf<TBasicsBaseForm> again = t.open<TBasicsBaseForm>("mnuHalving");
            QVERIFY(again.form->closeForm());
            QCOMPARE(t.env.dialogs.boxes.size(), 1);
        }

        // A folder in its place cannot be replaced: the same one box says so.
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path));
        t.env.dialogs.boxes.clear();
        const ScreenOf<TBasicsBaseForm> s = t.open<TBasicsBaseForm>("mnuAddition");
        QVERIFY(s.get<QCheckBox>("chkPractiseMisses")->isChecked());
        QCOMPARE(t.env.dialogs.boxes.size(), 1);
        QVERIFY(t.env.dialogs.boxes[0].text.startsWith(QStringLiteral("Unable to read the file \"%1\": it is a folder.\r\n"
                                                                      "The record of your missed facts starts again.\r\n"
                                                                      "Unable to save the file \"%1\": ").arg(path)));
        QVERIFY(QFileInfo(path).isDir());
    }
};

QTEST_MAIN(TestPractiseMisses)
#include "tst_PractiseMisses.moc"
