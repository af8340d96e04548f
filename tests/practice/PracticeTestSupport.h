#pragma once

#include <QtTest>

#include "app/Main.h"
#include "practice/PracticeClock.h"
#include "practice/Practise0Base.h"
#include "practice/PractiseRulesForm.h"
#include "practice/QuestionSource.h"
#include "shell/Panel.h"
#include "shell/StatusBar.h"

// A settable clock and a clean question source for one test: the clock
// stands at a fixed day until the test moves it on.
class PracticeSeams
{
public:
    PracticeSeams()
    {
        PracticeClock::setNowForTests([this] { return m_now; });
        QuestionSource::clear();
    }
    ~PracticeSeams()
    {
        PracticeClock::setNowForTests({});
        QuestionSource::clear();
    }
    PracticeSeams(const PracticeSeams&) = delete;
    PracticeSeams& operator=(const PracticeSeams&) = delete;

    void advanceSeconds(double seconds) { m_now += PracticeClock::fromSeconds(seconds); }

private:
    double m_now = 45000.25;
};

// Keys as a learner presses them, to the form.
inline void press(QWidget* form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(form, key, modifiers);
}

inline void typeDigits(QWidget* form, const QString& digits)
{
    for (QChar c : digits)
        QTest::keyClick(form, Qt::Key(Qt::Key_0 + (c.unicode() - u'0')));
}

inline Panel* panelOf(QWidget* form, const QString& name)
{
    return form->findChild<Panel*>(name);
}

inline QString captionOf(QWidget* form, const QString& name)
{
    Panel* p = panelOf(form, name);
    return p ? p->caption() : QStringLiteral("<no %1>").arg(name);
}

inline QString statusText(QWidget* form)
{
    return form->findChild<StatusBar*>(QStringLiteral("stbrScreen"))->simpleText();
}

// What the learner types into a box: its text, after the tens that go to
// the box's carry box (a carry-pair box takes the whole value).
inline QString typedText(const RuleBox& rule, const WorkedProblem& problem)
{
    const QString text = rule.text.isEmpty() ? QString::number(rule.value) : rule.text;
    const int carry = rule.carryLink >= 0 ? problem.carries.value(rule.carryLink).value : 0;
    return carry > 0 ? QString::number(carry) + text : text;
}

// Types the worked problem of the last PLAY box by box as the highlight
// comes to each (one the learner leaves short is left with Tab); returns
// the names of the boxes typed.
inline QSet<QString> typeSolution(TPractiseRulesForm* form)
{
    const WorkedProblem& problem = form->workedProblem();
    QHash<QString, const RuleBox*> rules;
    for (const RuleBox& rule : problem.boxes)
        rules.insert(rule.box, &rule);
    QSet<QString> typed;
    while (true) {
        QWidget* current = form->currentPanel();
        const QString name = current ? current->objectName() : QString();
        const RuleBox* rule = rules.value(name);
        if (!rule || typed.contains(name))
            break;
        typed.insert(name);
        typeDigits(form, typedText(*rule, problem));
        if (form->currentPanel() == current)
            press(form, Qt::Key_Tab);
    }
    return typed;
}
