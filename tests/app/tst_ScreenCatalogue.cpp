// The catalogue of screens against everything that must list each screen:
// the menus (each row's item opens its form with its title, section, help
// topic and best times), the performance report, the help file and, for a
// practice method, the worksheet tool's methods and its manual page. A screen
// added to one place and forgotten in another fails here.

#include <QtTest>

#include <QFile>
#include <QMenu>
#include <QSet>

#include "ScreenTesting.h"
#include "app/HelpFile.h"
#include "basics/BaseBasics.h"
#include "practice/PracticeMethods.h"
#include "practice/Practise0Base.h"
#include "records/MarksheetRules.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/ScreenCatalogue.h"
#include "shell/Strings.h"

using ScreenCatalogue::Group;
using ScreenCatalogue::Row;

namespace {

QString nameOf(const Row& row)
{
    return row.menuItem;
}

// The section a form keeps, whichever engine it runs on.
QString sectionOf(const ChildForm* form)
{
    if (const auto* drill = qobject_cast<const TBasicsBaseForm*>(form))
        return drill->sectionName();
    if (const auto* workbench = qobject_cast<const TPractise0BaseForm*>(form))
        return workbench->sectionName();
    return QStringLiteral("<not a training screen>");
}

// The method names of the worksheet manual page's METHODS part (".B name").
QStringList manualPageMethods()
{
    QFile page(QStringLiteral(VSM_SOURCE_DIR "/resources/man/vandrelsholm-worksheet.1"));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    QStringList methods;
    bool inMethods = false;
    for (const QByteArray& line : page.readAll().split('\n')) {
        if (line.startsWith(".SH "))
            inMethods = line.trimmed() == ".SH METHODS";
        else if (inMethods && line.startsWith(".B ") && !line.contains("\\-"))
            methods << QString::fromUtf8(line.mid(3).trimmed());
    }
    return methods;
}

} // namespace

class TestScreenCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void every_row_is_one_screen()
    {
        QSet<int> ids;
        QSet<QString> items, sections, methods;
        QList<int> reportRows;
        for (const Row& row : ScreenCatalogue::rows()) {
            QVERIFY2(!ids.contains(int(row.id)), qPrintable(nameOf(row)));
            ids.insert(int(row.id));
            QCOMPARE(&ScreenCatalogue::row(row.id), &row);
            QCOMPARE(ScreenCatalogue::findByMenuItem(row.menuItem), &row);
            QVERIFY2(!items.contains(row.menuItem), qPrintable(nameOf(row)));
            items.insert(row.menuItem);
            QVERIFY2(!sections.contains(row.section.toLower()), qPrintable(nameOf(row))); // ini sections ignore case
            sections.insert(row.section.toLower());
            QVERIFY2(Strings::has(row.titleId), qPrintable(nameOf(row)));
            QVERIFY2(row.subMenu.isEmpty() || ScreenCatalogue::findSubMenu(row.subMenu), qPrintable(nameOf(row)));
            QVERIFY2(row.caption.endsWith(QLatin1String("...")), qPrintable(nameOf(row)));
            if (!row.method.isEmpty()) {
                QVERIFY2(!methods.contains(row.method), qPrintable(nameOf(row)));
                methods.insert(row.method);
            }
            reportRows.append(row.reportRow);
        }
        QVERIFY(!ScreenCatalogue::findByMenuItem(QStringLiteral("mnuAbout")));
        // The report rows number the screens 1, 2, ... without a gap, the
        // Basics screens first.
        std::sort(reportRows.begin(), reportRows.end());
        for (int i = 0; i < reportRows.size(); ++i)
            QCOMPARE(reportRows.at(i), i + 1);
        for (const Row& row : ScreenCatalogue::rows()) {
            for (const Row& other : ScreenCatalogue::rows())
                if (row.group == Group::Basics && other.group == Group::Practice)
                    QVERIFY2(row.reportRow < other.reportRow, qPrintable(nameOf(row) + " " + nameOf(other)));
        }
    }

    void the_report_lists_every_screen_in_its_row()
    {
        const QList<MarksheetRules::Row>& report = MarksheetRules::rows();
        QCOMPARE(report.size(), ScreenCatalogue::rows().size());
        for (const Row& row : ScreenCatalogue::rows()) {
            const MarksheetRules::Row& line = report.at(row.reportRow - 1);
            QCOMPARE(line.section, row.section);
            QCOMPARE(line.titleId, row.titleId);
            QCOMPARE(line.basics, row.group == Group::Basics);
        }
        // The marksheet shows every screen's counts under its title.
        const QList<MarksheetParagraph> sheet = MarksheetRules::build(
            QStringLiteral("Ann"), QStringLiteral("today"), [](const QString& section) {
                return ScoreCounts{int(section.size()), 100};
            });
        QStringList text;
        for (const MarksheetParagraph& p : sheet)
            text << p.text;
        for (const Row& row : ScreenCatalogue::rows()) {
            const QString line = MarksheetRules::rowText(Strings::text(row.titleId), int(row.section.size()), 100);
            QVERIFY2(text.contains(line), qPrintable(line));
        }
    }

    void the_help_file_has_every_screen_topic()
    {
        const HelpFile::LoadResult loaded =
            HelpFile::load(QStringLiteral(VSM_SOURCE_DIR "/resources/help/VandrelsholmSpeedMath.hlp"));
        QVERIFY2(loaded.file, qPrintable(loaded.detail));
        for (const Row& row : ScreenCatalogue::rows()) {
            const HelpFile::Topic* topic = loaded.file->topic(row.helpTopic);
            QVERIFY2(topic, qPrintable(QStringLiteral("%1: no topic %2").arg(nameOf(row)).arg(row.helpTopic)));
            QVERIFY2(topic->body.size() > 300, qPrintable(nameOf(row)));
        }
    }

    void every_method_has_its_screen_its_tool_entry_and_its_manual_page()
    {
        const QStringList manual = manualPageMethods();
        QVERIFY(manual.size() >= 8);
        QStringList screens;
        for (const Row& row : ScreenCatalogue::rows()) {
            if (row.method.isEmpty())
                continue;
            screens << row.method;
            const PracticeMethod* method = PracticeMethods::find(row.method);
            QVERIFY2(method, qPrintable(nameOf(row) + ": no worksheet method " + row.method));
            QVERIFY2(!method->bestTimes.isEmpty(), qPrintable(row.method));
            QVERIFY2(manual.contains(row.method), qPrintable("the manual page lacks " + row.method));
        }
        for (const PracticeMethod& method : PracticeMethods::all())
            QVERIFY2(screens.count(method.name) == 1, qPrintable(method.name + " has no screen of its own"));
        for (const QString& described : manual)
            QVERIFY2(PracticeMethods::find(described), qPrintable("the manual page describes " + described));
    }

    // Each row's menu item stands in its menu and opens its form: the title,
    // the section, the help topic and, for a method, the best times of the
    // catalogue; and every item of the two screen menus is a row.
    void the_menus_open_every_screen()
    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();
        QMenu* tops[] = {main.topMenu(1), main.topMenu(2)};
        QCOMPARE(tops[0]->objectName(), QStringLiteral("mnuBasics"));
        QCOMPARE(tops[1]->objectName(), QStringLiteral("mnuPractice"));

        QStringList listed;
        for (QMenu* top : tops) {
            for (QAction* action : top->actions()) {
                const QList<QAction*> items = action->menu() ? action->menu()->actions() : QList<QAction*>{action};
                for (QAction* item : items)
                    if (!item->isSeparator())
                        listed << item->objectName();
            }
        }
        QStringList rows;
        for (const Row& row : ScreenCatalogue::rows())
            rows << row.menuItem;
        QCOMPARE(listed, rows); // the same items, in menu order

        for (const Row& row : ScreenCatalogue::rows()) {
            QAction* item = main.menuItem(row.menuItem);
            QVERIFY2(item, qPrintable(nameOf(row)));
            QCOMPARE(item->text(), row.caption);
            const auto* menu = qobject_cast<QMenu*>(item->parent());
            QVERIFY(menu);
            QCOMPARE(menu->objectName(), row.subMenu.isEmpty() ? tops[int(row.group)]->objectName() : row.subMenu);

            ChildForm* form = openFromMenu<ChildForm>(main, row.menuItem);
            QVERIFY2(form, qPrintable(nameOf(row)));
            const QString title = Strings::text(row.titleId);
            QCOMPARE(Globals::ScreenTitle, row.titleTakesOption ? title + QStringLiteral(" : ") : title);
            QVERIFY2(form->caption().startsWith(Globals::ScreenTitle), qPrintable(form->caption()));
            QCOMPARE(sectionOf(form), row.section);
            QCOMPARE(Hints::helpContext(form), row.helpTopic);
            const auto* workbench = qobject_cast<const TPractise0BaseForm*>(form);
            if (!row.method.isEmpty()) {
                QVERIFY2(workbench, qPrintable(nameOf(row)));
                QCOMPARE(workbench->bestTimeKeys(),
                         PracticeMethods::bestTimeKeys(PracticeMethods::find(row.method)->bestTimes));
            } else {
                QVERIFY2(!workbench, qPrintable(nameOf(row) + " works boxes without a method"));
            }
            QVERIFY(form->closeForm());
            QVERIFY(main.topMenu(1)->menuAction()->isEnabled());
        }
    }
};

QTEST_MAIN(TestScreenCatalogue)
#include "tst_ScreenCatalogue.moc"
