// Every practice method of the catalogue of screens, worked through its real
// window: the screen is opened from its menu, and for each of its options a
// question drawn as the worksheet tool draws it is posed, played and typed
// box by box as the rules solve it. Every box, carry box and answer panel
// must then come out right, whatever order the screen lists its boxes in:
// the workbench matches the rules' boxes by component name.

#include <QtTest>

#include <QHash>
#include <QPushButton>
#include <QSet>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "practice/PracticeMethods.h"
#include "practice/PractiseRulesForm.h"
#include "shell/ScreenCatalogue.h"
#include "shell/SysColors.h"

namespace {

// The entry of a list of boxes whose panel has that component name, or nullptr.
template <typename Entry>
const Entry* named(const QList<Entry>& list, const QString& name)
{
    for (const Entry& e : list)
        if (e.Panel->objectName() == name)
            return &e;
    return nullptr;
}

// The option button of the screen that shows caption, on its options panel.
Panel* optionButton(QWidget* form, const QString& caption)
{
    for (Panel* panel : form->findChildren<Panel*>())
        if (panel->parentWidget() && panel->parentWidget()->objectName() == QLatin1String("PnlOptions")
            && panel->caption() == caption)
            return panel;
    return nullptr;
}

} // namespace

class TestWorkedExamples : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // A rule naming a box the screen does not list is a fault.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("names .* which the screen does not list")));
    }

    void every_method_plays_its_worked_examples_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("method");
        for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows())
            if (!row.method.isEmpty())
                QTest::newRow(qPrintable(row.method)) << row.menuItem << row.method;
    }

    void every_method_plays_its_worked_examples()
    {
        QFETCH(QString, menuItem);
        QFETCH(QString, method);
        const PracticeMethod* entry = PracticeMethods::find(method);
        QVERIFY(entry);
        OpenedScreen<TPractiseRulesForm> screen(menuItem);
        PracticeSeams seams;
        TPractiseRulesForm* form = screen.form;
        QVERIFY(form);

        // One question for each option of the first group, the other groups
        // at their defaults (the screen's first buttons).
        QStringList chosen;
        for (const MethodOptionGroup& group : entry->groups)
            chosen << group.names.constFirst();
        const QStringList options = entry->groups.isEmpty() ? QStringList{QString()} : entry->groups.constFirst().names;
        QRandomGenerator rng(20240611);
        int played = 0;
        for (const QString& option : options) {
            if (!option.isEmpty()) {
                Panel* button = optionButton(form, option);
                QVERIFY2(button, qPrintable(option));
                QTest::mouseClick(button, Qt::LeftButton);
                chosen[0] = option;
            }
            const WorkedProblem problem = entry->draw(rng, chosen);
            const QString example = method + QLatin1Char(' ') + problem.question;
            QuestionSource::pose(method, {problem.question});
            QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("BitBtnPlay")), Qt::LeftButton);
            QCOMPARE(form->state(), int(TPractise0BaseForm::Playing));
            QCOMPARE(WorkedProblemWriter::toJsonLine(form->workedProblem()), WorkedProblemWriter::toJsonLine(problem));

            // Each box the highlight comes to gets its digits, as the rules
            // work them; one the learner leaves short is left with Tab.
            int inUse = 0;
            for (const RuleBox& rule : problem.boxes)
                inUse += rule.unused ? 0 : 1;
            const QSet<QString> typed = typeSolution(form);
            QVERIFY2(typed.size() == inUse, qPrintable(QStringLiteral("%1: %2 of %3 boxes reached")
                                                            .arg(example).arg(typed.size()).arg(inUse)));
            press(form, Qt::Key_Escape);
            QCOMPARE(form->state(), int(TPractise0BaseForm::Finished));

            QVERIFY2(form->isCorrect(), qPrintable(example));
            for (const RuleBox& rule : problem.boxes) {
                const WorkingPanelEntry* entry = named(form->workingPanels(), rule.box);
                QVERIFY2(entry, qPrintable(example + ": no box " + rule.box));
                QCOMPARE(entry->ExpectedValue, rule.value);
                QCOMPARE(entry->IsUnused, rule.unused);
                if (rule.unused)
                    continue;
                QVERIFY2(entry->TypedValue == rule.value && entry->Panel->color() != SysColors::Red,
                         qPrintable(example + ": " + rule.box + " holds " + entry->Panel->caption()));
            }
            for (const RuleCarry& carry : problem.carries) {
                const CarryPanelEntry* entry = named(form->carryPanels(), carry.box);
                QVERIFY2(entry, qPrintable(example + ": no carry box " + carry.box));
                QCOMPARE(entry->ExpectedDigit, carry.value);
                QVERIFY2(entry->Panel->color() != SysColors::Red, qPrintable(example + ": " + carry.box));
            }
            for (const PanelText& answer : problem.answerPanels)
                QCOMPARE(captionOf(form, answer.panel), answer.text);
            ++played;
            QCOMPARE(captionOf(form, QStringLiteral("pnlCorrect")), QString::number(played));
        }
        QVERIFY(form->closeForm());
    }
};

QTEST_MAIN(TestWorkedExamples)
#include "tst_WorkedExamples.moc"
