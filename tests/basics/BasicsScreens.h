#pragma once

// Helpers of the Basics window tests: open a screen as the learner does
// (through its menu item), find its controls by name, pose chosen questions
// and let the flash timers "fire" without waiting.

#include <QtTest>

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "app/Main.h"
#include "basics/BasicsFact.h"
#include "basics/TableDrillRules.h"
#include "basics/UnitTenRules.h"
#include "shell/Shape.h"
#include "shell/UpDown.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/StatusBar.h"
#include "shell/SysColors.h"
#include "shell/WhatsThisMenu.h"

#include <QMenu>

// Poses the questions given, in order (operands; fixed ones are the option's).
class ScriptedQuestions : public FactQuestionSource
{
public:
    explicit ScriptedQuestions(QList<QPair<int, int>> operands) : m_operands(std::move(operands)) {}
    FactQuestion next(const FactKind& kind) override
    {
        const QPair<int, int> next = m_operands.isEmpty() ? QPair<int, int>(1, 1) : m_operands.takeFirst();
        return FactDrillRules::pose(kind, next.first, next.second);
    }

private:
    QList<QPair<int, int>> m_operands;
};

// Poses the questions given, in order, whatever the option asks (the last
// one again when they run out).
template <typename Source, typename Question, typename Ask>
class ScriptedSource : public Source
{
public:
    explicit ScriptedSource(QList<Question> questions) : m_questions(std::move(questions)) {}
    Question next(const Ask&) override { return m_questions.size() > 1 ? m_questions.takeFirst() : m_questions.value(0); }

private:
    QList<Question> m_questions;
};
using ScriptedUnitTens = ScriptedSource<UnitTenQuestionSource, UnitTenQuestion, UnitTenAsk>;
using ScriptedTables = ScriptedSource<TableQuestionSource, TableQuestion, TableAsk>;

// Gives the numbers given, in order (the last one again when they run out).
class ScriptedNumbers : public NumberSource
{
public:
    explicit ScriptedNumbers(QList<int> numbers) : m_numbers(std::move(numbers)) {}
    int next(int) override { return m_numbers.size() > 1 ? m_numbers.takeFirst() : m_numbers.value(0); }

private:
    QList<int> m_numbers;
};

// One opened screen inside a shown main window.
template <typename Form>
struct ScreenOf {
    TfrmMain& main;
    Form* form = nullptr;

    template <typename T = QWidget>
    T* get(const char* name) const
    {
        T* child = form->template findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qWarning("no control %s", name);
        return child;
    }
    Panel* panel(const char* name) const { return get<Panel>(name); }
    QString caption(const char* name) const { return panel(name) ? panel(name)->caption() : QStringLiteral("<none>"); }
    QTimer* answerTimer() const { return get<QTimer>("tmrAnswer"); }
    QTimer* questionTimer() const { return get<QTimer>("tmrQuestion"); }
    QString status() const { return get<StatusBar>("stbrScreen")->simpleText(); }
    int correct() const { return panel("pnlCorrect")->caption().toInt(); }
    int total() const { return panel("pnlTotal")->caption().toInt(); }

    void key(Qt::Key key) const { QTest::keyClick(form, key); }
    void click(const char* name) const
    {
        if (auto* button = get<QAbstractButton>(name))
            button->click();
    }
    void clickOption(const char* name) const { QTest::mouseClick(panel(name), Qt::LeftButton); }
    // The delay that is running passes: the handler of the active timer runs.
    // Returns "answer", "question" or "" when no timer runs.
    QString tick() const
    {
        if (answerTimer()->isActive()) {
            form->tmrAnswerTimer();
            return QStringLiteral("answer");
        }
        if (questionTimer()->isActive()) {
            form->tmrQuestionTimer();
            return QStringLiteral("question");
        }
        return QString();
    }
    // The lit lamps joined by "+": "red", "amber", "green", or "" when all
    // are dark; a lamp in neither its colour nor the dark one shows as "name?".
    QString lamp() const
    {
        QStringList lit;
        const struct {
            const char* shape;
            QColor colour;
            const char* word;
        } lamps[] = {{"shpRed", SysColors::Red, "red"}, {"shpAmber", SysColors::Yellow, "amber"}, {"shpGreen", SysColors::Lime, "green"}};
        for (const auto& l : lamps) {
            const QColor c = get<Shape>(l.shape)->brushColor();
            if (c == l.colour)
                lit << QString::fromLatin1(l.word);
            else if (c != SysColors::buttonShadow())
                lit << QString::fromLatin1(l.word) + QLatin1Char('?');
        }
        return lit.join(QLatin1Char('+'));
    }
    // "Correct/Total lamp", e.g. "2/3 amber".
    QString score() const { return QStringLiteral("%1/%2 %3").arg(correct()).arg(total()).arg(lamp()); }
    // The controls of the list that are not hidden / that are enabled.
    QStringList shown(const QStringList& names) const
    {
        QStringList out;
        for (const QString& name : names) {
            if (QWidget* w = get<QWidget>(qPrintable(name)); w && !w->isHidden())
                out << name;
        }
        return out;
    }
    QStringList enabled(const QStringList& names) const
    {
        QStringList out;
        for (const QString& name : names) {
            if (QWidget* w = get<QWidget>(qPrintable(name)); w && w->isEnabled())
                out << name;
        }
        return out;
    }
    bool isSelected(const char* option) const
    {
        const Panel* p = panel(option);
        return p && p->color() == SysColors::Lime && p->bevelOuter() == Panel::Bevel::Lowered
               && form->currentOption() == p;
    }

};

using OpenScreen = ScreenOf<TBasicsFactForm>;

// Opens the screen of a Basics menu item and returns it (the main window is
// shown so that keys and mouse reach the controls).
template <typename Form = TBasicsFactForm>
ScreenOf<Form> openScreen(TfrmMain& main, const char* menuItem)
{
    if (!main.isVisible()) {
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qWarning("main window not exposed");
    }
    return {main, openFromMenu<Form>(main, QString::fromLatin1(menuItem))};
}

// A learner "Ann" signed in (Beginner bounds, all sounds on) and the main
// window, for one test.
struct Session {
    TestEnvironment env;
    TfrmMain main;
    Session() { env.signIn(QStringLiteral("Ann")); }
    template <typename Form = TBasicsFactForm>
    ScreenOf<Form> open(const char* menuItem)
    {
        return openScreen<Form>(main, menuItem);
    }
};

// The lines of one section of an ini file's text, "Key=Value" each.
inline QStringList sectionLines(const QByteArray& file, const QString& section)
{
    QStringList lines;
    bool inside = false;
    for (const QString& raw : QString::fromLatin1(file).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (raw.startsWith(QLatin1Char('['))) {
            inside = raw.compare(QLatin1Char('[') + section + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inside)
            lines << raw;
    }
    return lines;
}
