// Every option of every screen chosen with the keyboard alone: Tab reaches
// each option group, the arrows move within it as in a group of radio
// buttons, and what the learner's file keeps is what a click keeps.

#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

#include "EveryScreen.h"
#include "app/HelpWindow.h"
#include "shell/About.h"
#include "shell/Globals.h"

namespace {

// The lines of one section of the learner's file.
QStringList sectionOf(const QByteArray& file, const QString& section)
{
    QStringList lines;
    bool inside = false;
    for (const QString& line : QString::fromLatin1(file).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('[')))
            inside = line.compare(QLatin1Char('[') + section + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
        else if (inside)
            lines << line;
    }
    return lines;
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    if (target)
        QTest::keyClick(target, key, modifiers);
}

// Tabs through the window until an option button of the group (the
// buttons named; none: any group) has the focus; the button, or nullptr
// after a round.
Panel* tabToGroup(const QStringList& group)
{
    for (int i = 0; i < 80; ++i) {
        auto* focused = qobject_cast<Panel*>(QApplication::focusWidget());
        if (focused && focused->kind() == Panel::Kind::OptionButton && (group.isEmpty() || group.contains(focused->objectName())))
            return focused;
        press(Qt::Key_Tab);
    }
    return nullptr;
}

struct Screen {
    TestEnvironment env;
    TfrmMain main;
    Screen()
    {
        env.signIn(QStringLiteral("Ann"));
        main.show();
        QApplication::setActiveWindow(&main);
    }
    ChildForm* open(const ScreenCatalogue::Row& row)
    {
        ChildForm* form = openScreenOf(main, row);
        if (form)
            form->setFocus();
        return form;
    }
    QStringList stored(const ScreenCatalogue::Row& row) const
    {
        return sectionOf(env.readFile(QStringLiteral("users/Ann.ini")), row.section);
    }
};

} // namespace

class TestKeyboardOptions : public QObject
{
    Q_OBJECT

private slots:
    void every_option_of_every_screen_by_keys_alone()
    {
        Screen s;
        int screensWithOptions = 0;
        for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows()) {
            ChildForm* form = s.open(row);
            QVERIFY2(form, qPrintable(row.menuItem));
            const QList<Panel*> all = optionButtonsOf(form);
            QList<QObject*> groups;
            for (Panel* p : all)
                if (!groups.contains(p->optionGroup()))
                    groups << p->optionGroup();
            QVERIFY2(form->closeForm(), qPrintable(row.section));
            if (all.isEmpty())
                continue;
            ++screensWithOptions;

            for (QObject* group : std::as_const(groups)) {
                QStringList names;
                for (Panel* p : all)
                    if (p->optionGroup() == group)
                        names << p->objectName();
                QSet<QStringList> keptByKeys;
                for (int i = 0; i < names.size(); ++i) {
                    const QString at = row.section + QLatin1Char(' ') + names.at(i);
                    // By keys: Tab to the group, Home, then Right i times.
                    form = s.open(row);
                    Panel* focused = tabToGroup(names);
                    QVERIFY2(focused, qPrintable(at + ": Tab never reaches the group"));
                    QVERIFY2(focused->isSelected(), qPrintable(at + ": Tab stops on an unselected button"));
                    press(Qt::Key_Home);
                    for (int k = 0; k < i; ++k)
                        press(k % 2 ? Qt::Key_Down : Qt::Key_Right);
                    auto* chosen = form->findChild<Panel*>(names.at(i));
                    QVERIFY2(chosen->isSelected() && chosen->hasFocus(), qPrintable(at + ": not selected by the arrows"));
                    // Space and ENTER keep it (and start nothing).
                    press(Qt::Key_Space);
                    press(Qt::Key_Return);
                    QVERIFY2(chosen->isSelected() && !Globals::Practising, qPrintable(at));
                    QVERIFY2(form->closeForm(), qPrintable(at));
                    const QStringList byKeys = s.stored(row);

                    // A click on the last button keeps what the keys kept.
                    if (i == names.size() - 1) {
                        form = s.open(row);
                        QTest::mouseClick(form->findChild<Panel*>(names.at(i)), Qt::LeftButton);
                        QVERIFY2(form->closeForm(), qPrintable(at));
                        QCOMPARE(byKeys, s.stored(row));
                    }
                    keptByKeys.insert(byKeys);
                }
                // Each button of the group is a choice of its own.
                QVERIFY2(keptByKeys.size() == names.size(), qPrintable(row.section));
            }
        }
        QVERIFY(screensWithOptions >= 10);
    }

    // Left from the first button wraps to the last; Up moves back as Left.
    void the_arrows_wrap_around_the_group()
    {
        Screen s;
        ChildForm* form = s.open(ScreenCatalogue::row(ScreenId::SquareRoot));
        QVERIFY(form);
        Panel* first = tabToGroup({});
        QVERIFY(first);
        press(Qt::Key_Home);
        const QList<Panel*> options = optionButtonsOf(form);
        QVERIFY(options.size() >= 2);
        QVERIFY(options.first()->isSelected());
        press(Qt::Key_Left);
        QVERIFY(options.last()->isSelected());
        press(Qt::Key_Right);
        QVERIFY(options.first()->isSelected());
        press(Qt::Key_End);
        press(Qt::Key_Up);
        QVERIFY(options.at(options.size() - 2)->isSelected());
        QVERIFY(form->closeForm());
    }

    // The sign-in dialog's name menu from the keyboard: Shift+F10 and the
    // context-menu key open it, the arrows and ENTER choose "Remove Name
    // From List".
    void the_name_menu_opens_from_the_keyboard()
    {
        TestEnvironment env;
        env.writeFile(QStringLiteral("install/User/UserList.ini"), "Ann\r\nBob\r\n");
        env.writeFile(QStringLiteral("install/User/Bob.ini"), "[Addition]\r\nTotal=7\r\n");
        TfrmMain main;
        main.show();
        QApplication::setActiveWindow(&main);
        main.mnuAboutClick();
        auto* box = qobject_cast<TAboutBox*>(main.activeChild());
        QVERIFY(box);
        auto* name = box->findChild<QComboBox*>(QStringLiteral("cboName"));
        auto* menu = box->findChild<QMenu*>(QStringLiteral("popCboName"));
        QVERIFY(name && name->lineEdit() && menu);
        name->setCurrentIndex(1);
        name->lineEdit()->setFocus();
        press(Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        press(Qt::Key_Menu);
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(!QFileInfo::exists(env.path(QStringLiteral("install/User/Bob.ini"))));
        QCOMPARE(name->count(), 1);
    }

    // ESC closes the help window, from its text or its search field.
    void escape_closes_the_help_window()
    {
        for (const char* from : {"txtTopic", "edtFind"}) {
            HelpWindow window(QStringLiteral("Keys"));
            window.show();
            window.setFinderVisible(true, false);
            QApplication::setActiveWindow(&window);
            QVERIFY(QTest::qWaitForWindowActive(&window));
            auto* target = window.findChild<QWidget*>(QString::fromLatin1(from));
            QVERIFY2(target, from);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY2(!window.isVisible(), from);
        }
    }
};

QTEST_MAIN(TestKeyboardOptions)
#include "tst_KeyboardOptions.moc"
