// Help as a learner asks for it: F1 in every window the menus open, the
// "What's This?" menu on every control of a screen that carries a help
// context number, and the topics as the help window shows them. Every
// number asked for must be a topic (F1) or a pop-up (What's This) of the
// program's own help file.

#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

#include "ScreenTesting.h"
#include "app/HelpFile.h"
#include "app/HelpWindow.h"
#include "practice/Practise0Base.h"
#include "shell/About.h"
#include "shell/Hints.h"
#include "shell/ScreenCatalogue.h"
#include "shell/WhatsThisMenu.h"

namespace {

const QString HelpPath = QStringLiteral(VSM_SOURCE_DIR "/resources/help/VandrelsholmSpeedMath.hlp");

std::shared_ptr<const HelpFile> helpFile()
{
    static const std::shared_ptr<const HelpFile> file = HelpFile::load(HelpPath).file;
    return file;
}

// The context number of the one request of a command, or -1.
int requested(const RecordingHelp& help, unsigned command)
{
    if (help.requests.size() != 1 || help.requests.constFirst().command != command)
        return -1;
    return help.requests.constFirst().data.toInt();
}

// F1 as the learner presses it: to the control that has the focus.
void pressF1(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && window->isAncestorOf(focus) ? focus : window, Qt::Key_F1);
}

// A right click on the control, then "What's This?" from the menu it
// opened; the menu of the window that owns the control.
bool whatsThis(QWidget* form, QWidget* control)
{
    auto* menu = form->findChild<WhatsThisMenu*>(QStringLiteral("popupWhatsThis"));
    if (!menu)
        return false;
    const QPoint at = control->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, control->mapToGlobal(at));
    QApplication::sendEvent(control, &click);
    if (!menu->isVisible() || menu->popupComponent() != control)
        return false;
    menu->whatsThisAction()->trigger();
    menu->hide();
    return true;
}

// The VCR panel opens the menu for its buttons itself (and none for help).
bool onVcrPanel(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (p->objectName() == QLatin1String("pnlVCR"))
            return true;
    return w->objectName() == QLatin1String("pnlVCR");
}

// Every visible control of the form with a help context number gets its
// pop-up through "What's This?"; the names of those that do not.
QStringList controlsWithoutWhatsThis(QWidget* form, RecordingHelp& help, QSet<QString>* seen)
{
    QStringList missing;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const int context = Hints::helpContext(w);
        if (context == 0 || !w->isVisible() || onVcrPanel(w) || qobject_cast<QMenu*>(w))
            continue;
        help.clear();
        const bool opened = whatsThis(form, w);
        if (!opened || requested(help, Help::HELP_CONTEXTPOPUP) != context
            || !helpFile()->popupHtml(context).has_value())
            missing << QStringLiteral("%1 (%2%3, %4 requests)")
                           .arg(w->objectName())
                           .arg(context)
                           .arg(opened ? "" : ", no menu")
                           .arg(help.requests.size());
        seen->insert(w->objectName());
    }
    return missing;
}

} // namespace

class TestHelpAndWhatsThis : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(helpFile()); }

    // Every window of the menus opens a topic of the help file with F1;
    // the shell's windows open their own.
    void f1_opens_the_topic_of_every_window()
    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        env.writeFile(QStringLiteral("report.rtf"), "{\\rtf1\\ansi Ann\\par}");
        env.dialogs.openAnswer = env.path(QStringLiteral("report.rtf"));
        TfrmMain main;
        main.show();

        // The sign-in dialog, over the combo box that has the focus.
        main.menuItem(QStringLiteral("mnuAbout"))->trigger();
        auto* box = qobject_cast<TAboutBox*>(main.activeChild());
        QVERIFY(box);
        env.help.clear();
        pressF1(box);
        QCOMPARE(requested(env.help, Help::HELP_CONTEXT), 460);
        auto* combo = box->findChild<QComboBox*>(QStringLiteral("cboName"));
        combo->lineEdit()->setText(QStringLiteral("Ann"));
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        QTRY_VERIFY(main.childForms().isEmpty());

        QHash<QString, int> expected{{QStringLiteral("mnuScores"), 480},
                                     {QStringLiteral("mnuOpenReport"), 480},
                                     {QStringLiteral("mnuPreferences"), 470}};
        QStringList items = expected.keys();
        for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows())
            items << row.menuItem;
        for (const QString& item : std::as_const(items)) {
            auto* form = openFromMenu<ChildForm>(main, item);
            QVERIFY2(form, qPrintable(item));
            env.help.clear();
            pressF1(form);
            const int topic = requested(env.help, Help::HELP_CONTEXT);
            QVERIFY2(topic > 0 && helpFile()->topic(topic), qPrintable(QStringLiteral("%1: %2").arg(item).arg(topic)));
            if (expected.contains(item))
                QCOMPARE(topic, expected.value(item));
            QVERIFY(form->closeForm());
            QTRY_VERIFY(main.childForms().isEmpty());
        }

        // A window without a topic of its own opens the contents.
        auto* about = openFromMenu<ChildForm>(main, QStringLiteral("mnuAboutVandrelsholmSpeedMath"));
        QVERIFY(about);
        env.help.clear();
        pressF1(about);
        QCOMPARE(requested(env.help, Help::HELP_FINDER), 0);
        QVERIFY(about->closeForm());
    }

    // On every practice screen, while a problem is worked, and in the
    // preferences dialog: every control with a number has its pop-up.
    void whats_this_on_every_numbered_control()
    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();
        QSet<QString> seen;
        for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows()) {
            if (row.method.isEmpty())
                continue;
            auto* form = openFromMenu<TPractise0BaseForm>(main, row.menuItem);
            QVERIFY2(form, qPrintable(row.menuItem));
            QTest::mouseClick(form->findChild<QAbstractButton*>(QStringLiteral("BitBtnPlay")), Qt::LeftButton);
            QStringList missing = controlsWithoutWhatsThis(form, env.help, &seen);
            // The jump arrow shows on the boxes that jump: Tab to the first.
            auto* arrow = form->findChild<QWidget*>(QStringLiteral("pnlJumpGraphic"));
            for (int i = 0; arrow && !arrow->isVisible() && i < 60; ++i)
                QTest::keyClick(form, Qt::Key_Tab);
            if (arrow) {
                QVERIFY2(arrow->isVisible(), qPrintable(row.menuItem));
                missing << controlsWithoutWhatsThis(form, env.help, &seen);
            }
            QVERIFY2(missing.isEmpty(), qPrintable(row.menuItem + ": " + missing.join(", ")));
            QTest::keyClick(form, Qt::Key_Escape);
            QVERIFY(form->closeForm());
            QTRY_VERIFY(main.childForms().isEmpty());
        }
        for (const char* name : {"stbrScreen", "pnlWorking0", "pnlCarry0", "pnlJumpGraphic", "imgJump"})
            QVERIFY2(seen.contains(QLatin1String(name)), name);

        auto* prefs = openFromMenu<ChildForm>(main, QStringLiteral("mnuPreferences"));
        QVERIFY(prefs);
        seen.clear();
        const QStringList missing = controlsWithoutWhatsThis(prefs, env.help, &seen);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        for (const char* name : {"BitBtnOK", "BitBtnCancel", "btnSetColorScheme"})
            QVERIFY2(seen.contains(QLatin1String(name)), name);
        QVERIFY(prefs->closeForm());
    }

    // Every topic, shown in the help window at its size, fits its width:
    // no example table scrolls sideways.
    void topics_fit_the_help_window()
    {
        HelpWindow window{QString()};
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* text = window.findChild<QTextBrowser*>(QStringLiteral("txtTopic"));
        QVERIFY(text);
        QStringList wide;
        for (const HelpFile::Topic& topic : helpFile()->topics()) {
            window.showPage(HelpPath, helpFile(), topic.number);
            QCoreApplication::processEvents();
            if (text->horizontalScrollBar()->maximum() > 0)
                wide << QStringLiteral("%1 (%2 px too wide)").arg(topic.number).arg(text->horizontalScrollBar()->maximum());
        }
        QVERIFY2(wide.isEmpty(), qPrintable(wide.join(", ")));
    }
};

QTEST_MAIN(TestHelpAndWhatsThis)
#include "tst_HelpAndWhatsThis.moc"
