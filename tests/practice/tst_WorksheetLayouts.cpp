// The printed worksheets lay out each problem's boxes as its practice screen
// does, from a table of places (src/tools/WorksheetLayouts.cpp). Here every
// practice screen is opened, each choice of its options taken and a problem
// posed; the places of its question digits, working boxes and carry boxes
// must be the table's. Run with VSM_WRITE_WORKSHEET_LAYOUTS=<path of that
// file> after moving boxes on a screen to write the table anew.

#include <QtTest>

#include <QFile>
#include <QRadioButton>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "practice/PracticeMethods.h"
#include "shell/ScreenCatalogue.h"
#include "tools/WorksheetSheet.h"

using namespace WorksheetSheet;

namespace {

// Every choice of one option per group.
QList<QStringList> choices(const QList<MethodOptionGroup>& groups)
{
    QList<QStringList> all{QStringList()};
    for (const MethodOptionGroup& g : groups) {
        QList<QStringList> next;
        for (const QStringList& partial : all)
            for (const QString& name : g.names)
                next << partial + QStringList{name};
        all = next;
    }
    return all;
}

// The control that chooses an option: an option button with that caption,
// or a radio button named after it ("1-5": rdo1To5).
QWidget* optionButton(QWidget* form, const QString& caption)
{
    for (Panel* p : form->findChildren<Panel*>())
        if (p->objectName().startsWith(QLatin1String("pnlOpt")) && p->caption() == caption)
            return p;
    QString radio = QStringLiteral("rdo") + caption;
    radio.replace(QLatin1Char('-'), QLatin1String("to"));
    for (QRadioButton* r : form->findChildren<QRadioButton*>())
        if (r->objectName().compare(radio, Qt::CaseInsensitive) == 0)
            return r;
    return nullptr;
}

// The places of the problem's panels on the form.
QList<BoxPlace> placesOn(QWidget* form, const WorkedProblem& problem)
{
    QStringList names;
    for (const PanelText& q : problem.questionPanels)
        names << q.panel;
    for (const RuleBox& b : problem.boxes)
        names << b.box;
    for (const RuleCarry& c : problem.carries)
        names << c.box;
    QList<BoxPlace> placed;
    for (const QString& name : names) {
        Panel* p = panelOf(form, name);
        if (!p)
            continue;
        placed << BoxPlace{name, QRect(p->mapTo(form, QPoint(0, 0)), p->size())};
    }
    return placed;
}

} // namespace

class tst_WorksheetLayouts : public QObject
{
    Q_OBJECT

private slots:
    void every_screen_places_its_boxes_as_the_table_says()
    {
        QList<Layout> layouts;
        int compared = 0;
        for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows()) {
            if (row.method.isEmpty())
                continue;
            const PracticeMethod* method = PracticeMethods::find(row.method);
            QVERIFY(method);
            PracticeSeams seams;
            OpenedScreen<TPractise0BaseForm> s(row.menuItem);
            QVERIFY2(s.form, qPrintable(row.menuItem));
            QRandomGenerator rng(7);
            for (const QStringList& chosen : choices(method->groups)) {
                for (const QString& option : chosen) {
                    QWidget* button = optionButton(s.form, option);
                    QVERIFY2(button, qPrintable(row.method + QLatin1Char(' ') + option));
                    QTest::mouseClick(button, Qt::LeftButton);
                }
                // Three problems each (many when writing, to meet every
                // shape): the places depend on the options and the shape only.
                const bool writing = qEnvironmentVariableIsSet("VSM_WRITE_WORKSHEET_LAYOUTS");
                for (int draw = 0; draw < (writing ? 40 : 3); ++draw) {
                    const WorkedProblem problem = method->draw(rng, chosen);
                    QuestionSource::pose(row.method, {problem.question});
                    s.form->findChild<QAbstractButton*>(QStringLiteral("BitBtnPlay"))->click();
                    for (const PanelText& q : problem.questionPanels)
                        QCOMPARE(captionOf(s.form, q.panel), q.text); // the posed problem is on screen
                    const QList<BoxPlace> onScreen = placesOn(s.form, problem);
                    press(s.form, Qt::Key_Escape); // STOP: the options and PLAY again
                    const QString key = layoutKey(chosen, shapeOf(problem));

                    const QList<BoxPlace> inTable = places(row.method, key);
                    if (writing) {
                        bool merged = false;
                        for (Layout& l : layouts)
                            if (l.method == row.method && !merged && samePlaces(l.places, onScreen)) {
                                if (!l.optionKeys.contains(key))
                                    l.optionKeys << key;
                                merged = true;
                            }
                        if (!merged)
                            layouts << Layout{row.method, {key}, onScreen};
                        continue;
                    }
                    QVERIFY2(!inTable.isEmpty(), qPrintable(QStringLiteral("no layout for %1 %2").arg(row.method, key)));
                    for (const BoxPlace& p : onScreen) {
                        bool found = false;
                        for (const BoxPlace& t : inTable)
                            if (t.box == p.box) {
                                QVERIFY2(t.rect == p.rect,
                                         qPrintable(QStringLiteral("%1 %2 %3 (%4): table %5,%6 screen %7,%8")
                                                        .arg(row.method, key, p.box, problem.question)
                                                        .arg(t.rect.x()).arg(t.rect.y())
                                                        .arg(p.rect.x()).arg(p.rect.y())));
                                found = true;
                            }
                        QVERIFY2(found, qPrintable(QStringLiteral("%1 %2: %3 not in the table").arg(row.method, key, p.box)));
                        ++compared;
                    }
                }
            }
        }
        if (const QString path = qEnvironmentVariable("VSM_WRITE_WORKSHEET_LAYOUTS"); !path.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArrayLiteral(
                "// Where each practice screen puts its question digits, working boxes and\n"
                "// carry boxes, for each choice of its options, in the screen's pixels. Read\n"
                "// from the screens themselves: tests/practice/tst_WorksheetLayouts.cpp checks this\n"
                "// table against every screen and, with VSM_WRITE_WORKSHEET_LAYOUTS set to\n"
                "// this file's path, writes it anew.\n"
                "namespace WorksheetSheet {\n"
                "extern const char* const LayoutTable;\n"
                "const char* const LayoutTable = R\"(\n"));
            file.write(writeLayouts(layouts).toUtf8());
            file.write(QByteArrayLiteral(")\";\n} // namespace WorksheetSheet\n"));
            QSKIP("layout table written");
        }
        QVERIFY(compared > 1000);
    }

private:
    static bool samePlaces(const QList<BoxPlace>& a, const QList<BoxPlace>& b)
    {
        // The same box may be missing from one draw (a problem without
        // it); every box both name stands in the same place.
        for (const BoxPlace& p : b) {
            bool found = false;
            for (const BoxPlace& q : a)
                if (q.box == p.box) {
                    if (q.rect != p.rect)
                        return false;
                    found = true;
                }
            if (!found)
                return false;
        }
        return a.size() == b.size();
    }
};

QTEST_MAIN(tst_WorksheetLayouts)
#include "tst_WorksheetLayouts.moc"
