// What a screen reader gets from the screens: every control a learner can
// operate and every panel that shows digits has a name and its role, and the
// run is told as it happens (the highlighted box with its step hint, the
// digits typed, the question flashed, the result at STOP).

#include <QtTest>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QCheckBox>

#include "EveryScreen.h"
#include "basics/BaseBasics.h"
#include "practice/Practise0Base.h"
#include "shell/Hints.h"
#include "shell/PanelAccessible.h"

namespace {

bool containsDigit(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// The shown controls of a window that a screen reader could not name, or
// whose role does not say what they do, one line each.
QStringList namingFaults(const QWidget* window)
{
    static const QList<QAccessible::Role> operable = {QAccessible::Button, QAccessible::CheckBox,
                                                      QAccessible::RadioButton, QAccessible::EditableText,
                                                      QAccessible::Slider, QAccessible::SpinBox, QAccessible::ComboBox};
    QStringList faults;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        if (!iface)
            continue;
        const QString what = QStringLiteral("%1 (%2)").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
        const QString name = iface->text(QAccessible::Name).trimmed();
        const auto* panel = qobject_cast<const Panel*>(w);
        const bool clickable = panel && panel->takesClicks();
        if (clickable && !operable.contains(iface->role()))
            faults << what + QStringLiteral(": takes clicks, role %1").arg(int(iface->role()));
        if ((operable.contains(iface->role()) || clickable) && name.isEmpty())
            faults << what + QStringLiteral(": operable without a name");
        // Digits need a name that says what they are: "Correct Answers, 3"
        // (an option button's caption is its name, as a radio button's).
        if (panel && panel->kind() != Panel::Kind::OptionButton && (containsDigit(panel->caption()) || panel->kind() == Panel::Kind::Box)
            && (name.isEmpty() || name == panel->caption().trimmed()))
            faults << what + QStringLiteral(": shows \"%1\" under the name \"%2\"").arg(panel->caption(), name);
    }
    return faults;
}

// Every accessibility event, as the bridge to a screen reader would get it.
struct Heard {
    QAccessible::Event type;
    QObject* object;
    QString name;
    QString value;
    QString description;
    QAccessible::Role role;
};
QList<Heard> g_heard;

void hear(QAccessibleEvent* event)
{
    QAccessibleInterface* iface = event->accessibleInterface();
    Heard h{event->type(), event->object(), {}, {}, {}, QAccessible::NoRole};
    if (iface) {
        h.name = iface->text(QAccessible::Name);
        h.value = iface->text(QAccessible::Value);
        h.description = iface->text(QAccessible::Description);
        h.role = iface->role();
    }
    g_heard.append(h);
}

QList<Heard> heardOf(QAccessible::Event type)
{
    QList<Heard> out;
    for (const Heard& h : std::as_const(g_heard))
        if (h.type == type)
            out << h;
    return out;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The offscreen platform has no accessibility bridge: the panels'
        // events are heard where they are sent.
        PanelAccessible::setListener(hear);
    }
    void cleanup()
    {
        g_heard.clear();
    }

    // Every screen, before PLAY, while a question is up and after STOP.
    void every_screen_names_what_a_learner_operates_and_reads()
    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        QStringList faults;
        for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows()) {
            ChildForm* form = openScreenOf(main, row);
            QVERIFY2(form, qPrintable(row.menuItem));
            const auto note = [&](const QString& when) {
                for (const QString& f : namingFaults(form))
                    faults << QStringLiteral("%1 %2: %3").arg(row.section, when, f);
            };
            note(QStringLiteral("idle"));
            // One option button is a checked radio button, the rest unchecked.
            const QList<Panel*> options = optionButtonsOf(form);
            int checked = 0;
            for (Panel* option : options) {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(option);
                QCOMPARE(iface->role(), QAccessible::RadioButton);
                checked += iface->state().checked ? 1 : 0;
            }
            QVERIFY2(options.isEmpty() || checked >= 1, qPrintable(row.section));
            if (pressVcr(form, "BitBtnPlay")) {
                if (auto* drill = qobject_cast<TBasicsBaseForm*>(form))
                    drill->tmrAnswerTimer(); // the answer shows
                note(QStringLiteral("playing"));
                pressVcr(form, "BitBtnStop");
                note(QStringLiteral("stopped"));
            }
            QVERIFY2(form->closeForm(), qPrintable(row.section));
        }
        for (const QString& fault : std::as_const(faults))
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults").arg(faults.size())));
    }

    // Speed Addition: the box the highlight moves to is the focus, with its
    // step hint; a digit typed is its new value; STOP says right or wrong
    // with the answer.
    void the_workbench_tells_the_box_the_digit_and_the_result()
    {
        OpenedScreen<TPractise0BaseForm> screen(QStringLiteral("mnuSpeedAddition"));
        QVERIFY(screen.form);
        auto* showHint = screen.form->findChild<QCheckBox*>(QStringLiteral("chkShowHint"));
        QVERIFY(showHint);
        // Without "Show Hint" the step stays unsaid (it may give the digit away).
        if (showHint->isChecked())
            showHint->click();
        QVERIFY(pressVcr(screen.form, "BitBtnPlay"));
        QVERIFY(!heardOf(QAccessible::Focus).isEmpty());
        QVERIFY(heardOf(QAccessible::Focus).last().description.isEmpty());
        QVERIFY(pressVcr(screen.form, "BitBtnStop"));

        showHint->click();
        g_heard.clear();
        QVERIFY(pressVcr(screen.form, "BitBtnPlay"));
        auto* box = qobject_cast<Panel*>(screen.form->currentPanel());
        QVERIFY(box);
        const QList<Heard> focus = heardOf(QAccessible::Focus);
        QVERIFY(!focus.isEmpty());
        QCOMPARE(focus.last().object, box);
        QCOMPARE(focus.last().role, QAccessible::EditableText);
        QVERIFY(!focus.last().name.isEmpty());
        QVERIFY(!Hints::shortHint(Hints::hint(box)).isEmpty());
        QVERIFY2(focus.last().description.startsWith(Hints::shortHint(Hints::hint(box))), qPrintable(focus.last().description));
        QVERIFY(!focus.last().name.contains(Hints::shortHint(Hints::hint(box))));
        QVERIFY(QAccessible::queryAccessibleInterface(box)->state().focused);

        g_heard.clear();
        QTest::keyClick(screen.form, Qt::Key_7);
        QVERIFY(!box->caption().isEmpty());
        const QList<Heard> values = heardOf(QAccessible::ValueChanged);
        QVERIFY(std::any_of(values.begin(), values.end(), [&](const Heard& h) {
            return h.object == box && h.value == box->caption();
        }));
        // The highlight moved on: the next box is the focus, the last one not.
        auto* next = qobject_cast<Panel*>(screen.form->currentPanel());
        if (next != box) {
            QCOMPARE(heardOf(QAccessible::Focus).last().object, next);
            QVERIFY(!QAccessible::queryAccessibleInterface(box)->state().focused);
        }

        g_heard.clear();
        QVERIFY(pressVcr(screen.form, "BitBtnStop"));
        const QList<Heard> alerts = heardOf(QAccessible::Alert);
        QCOMPARE(alerts.size(), 1);
        QVERIFY2(alerts.first().name.startsWith(QStringLiteral("Wrong, the answer is ")), qPrintable(alerts.first().name));
        QVERIFY(containsDigit(alerts.first().name));
    }

    // A flash drill: the question and the answer are told as they flash.
    void a_drill_tells_the_question_and_the_answer_as_they_flash()
    {
        OpenedScreen<TBasicsBaseForm> screen(QStringLiteral("mnuAddition"));
        QVERIFY(screen.form);
        g_heard.clear();
        QVERIFY(pressVcr(screen.form, "BitBtnPlay"));
        QStringList told;
        for (const Heard& h : heardOf(QAccessible::ValueChanged))
            if (containsDigit(h.value))
                told << h.name + QLatin1Char('=') + h.value;
        QVERIFY2(!told.isEmpty(), "the question was not told");
        g_heard.clear();
        screen.form->tmrAnswerTimer();
        QStringList answer;
        for (const Heard& h : heardOf(QAccessible::ValueChanged))
            if (containsDigit(h.value))
                answer << h.name + QLatin1Char('=') + h.value;
        QVERIFY2(!answer.isEmpty(), "the answer was not told");
        QVERIFY2(!answer.first().startsWith(QLatin1Char('=')), qPrintable(answer.join(QLatin1Char(' '))));
        QVERIFY(pressVcr(screen.form, "BitBtnStop"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_Accessibility.moc"
