#include <QtTest>

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

#include "ScreenTesting.h"
#include "DocumentLooks.h"
#include "ReportTesting.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Rtf.h"
#include "records/MarksheetRules.h"
#include "records/OpenReport.h"
#include "records/ProgressWindow.h"
#include "records/Scores.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/WhatsThisMenu.h"

using namespace ReportTesting;

namespace {

QStringList linesOf(const QTextEdit* edit)
{
    QStringList out;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        out.append(b.text());
    return out;
}

TScoresForm* openScores(TfrmMain& main)
{
    return openFromMenu<TScoresForm>(main, QStringLiteral("mnuScores"));
}

} // namespace

class TestScoresForm : public QObject
{
    Q_OBJECT
private slots:
    void opens_from_the_menu_as_a_report_window()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        env.sounds.clear();

        TScoresForm* form = openScores(main);
        QVERIFY(form);
        QCOMPARE(Globals::ScreenTitle, QStringLiteral("SCORES"));
        QVERIFY(menusDisabled(main));
        QCOMPARE(env.sounds.calls, QStringList{QStringLiteral("stop")});   // idle music off
        QCOMPARE(form->objectName(), QStringLiteral("ScoresForm"));
        QCOMPARE(form->subWindow()->windowTitle(), QStringLiteral("Performance Report"));

        // Buttons in the bar above the box, in order, with hints and help.
        const QList<QPushButton*> buttons = form->findChild<QWidget*>(QStringLiteral("pnlButtons"))
                                                ->findChildren<QPushButton*>();
        QStringList bar;
        for (QPushButton* b : buttons)
            bar.append(QStringLiteral("%1 %2 \"%3\" %4")
                           .arg(b->objectName(), b->text(), Hints::hint(b))
                           .arg(Hints::helpContext(b)));
        std::sort(bar.begin(), bar.end(), [&](const QString& a, const QString& b) {
            auto x = [&](const QString& s) { return form->findChild<QPushButton*>(s.section(u' ', 0, 0))->x(); };
            return x(a) < x(b);
        });
        QCOMPARE(bar, QStringList({"bitbtnPrint Print... \"Print the marksheet below.\" 80100",
                                   "bitbtnSave &Save... \"Saves the marksheet into a file.\" 80110",
                                   "bitbtnProgress &Progress \"Shows your practice history: figures and charts over time.\" 80290",
                                   "BitBtnCancel &Close \"Closes this window.\" 80120"}));
        // Progress opens the learner's history beside the report.
        form->findChild<QPushButton*>(QStringLiteral("bitbtnProgress"))->click();
        QCOMPARE(main.findChildren<ProgressWindow*>().size(), 1);
        QVERIFY(main.findChild<ProgressWindow*>()->isVisible());
        main.findChild<ProgressWindow*>()->close();
        QTextEdit* edit = box(form);
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(edit->font().pointSize(), 10);
        QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(edit->geometry().top() >= buttons.first()->geometry().bottom());
        QCOMPARE(edit->textCursor().position(), 0);   // caret at the start

        // Placed as a report window: 100 pixels less than the client area
        // high, centred; resizable down to 296 x 146.
        QMdiSubWindow* frame = form->subWindow();
        QCOMPARE(frame->height(), main.mdiArea()->viewport()->height() - 100);
        QCOMPARE(frame->x(), (main.mdiArea()->viewport()->width() - frame->width()) / 2);
        QCOMPARE(frame->y(), 50);
        QCOMPARE(form->minimumSize(), QSize(296, 146));
        QVERIFY(form->maximumWidth() > 1000);
        // It opens wide enough for a 69-character line: nothing to scroll
        // sideways.
        QCoreApplication::processEvents();
        QCOMPARE(edit->horizontalScrollBar()->maximum(), 0);

        frame->resize(400, 200);
        QCOMPARE(frame->size(), QSize(400, 200));
        frame->resize(100, 50);
        QVERIFY(form->width() >= 296 && form->height() >= 146);
        // Narrower, a line is not broken: the box scrolls sideways.
        QCoreApplication::processEvents();
        QVERIFY(edit->horizontalScrollBar()->maximum() > 0);
        QCOMPARE(edit->document()->findBlockByNumber(8).layout()->lineCount(), 1);
    }

    void marksheet_of_the_learner_file()
    {
        Session s(QStringLiteral("Zoë"), true);
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        const QString dayBefore = TScoresForm::dateText();
        TScoresForm* form = openScores(main);
        QVERIFY(form);
        const QString dayAfter = TScoresForm::dateText();
        QTextEdit* edit = box(form);
        const QStringList lines = linesOf(edit);
        QCOMPARE(lines.size(), 38);
        QCOMPARE(lines.mid(0, 4), QStringList({"Vandrelsholm Speed Math", "SCORES", "", "Zoë"}));
        QVERIFY2(lines[4] == dayBefore || lines[4] == dayAfter, qPrintable(lines[4]));
        QVERIFY(!lines[4].isEmpty());
        QCOMPARE(lines[8], QString(44, u' ') + QStringLiteral("   Correct     Total    %"));
        QCOMPARE(lines[11], QStringLiteral("ADDITION....................................        37        50   74"));
        QCOMPARE(lines[12], MarksheetRules::rowText(QStringLiteral("SUBTRACTION"), 0, 0));
        QCOMPARE(lines[15], QStringLiteral("ODDS & EVENS................................         1         3   33"));
        QCOMPARE(lines[23], MarksheetRules::rowText(QStringLiteral("SPEED ADDITION"), 9, 10));
        QCOMPARE(lines[27], MarksheetRules::rowText(QStringLiteral("TWO-FINGER METHOD SPEED MULTIPLICATION"), 12, 40));
        // (37 + 1 + 9 + 12) x 100 div (50 + 3 + 10 + 40) = 5900 div 103
        QCOMPARE(lines[35], QStringLiteral("Overall percentage :   57 %"));

        // Fonts, sizes and alignment as the box shows them.
        const QList<ParagraphLook> look = looks(*edit->document());
        const QString times = QStringLiteral("Times New Roman");
        const QString courier = QStringLiteral("Courier New");
        QCOMPARE(look[0], (ParagraphLook{lines[0], Qt::AlignHCenter, times, 20, true}));
        QCOMPARE(look[1], (ParagraphLook{"SCORES", Qt::AlignHCenter, times, 12, true}));
        QCOMPARE(look[3], (ParagraphLook{"Zoë", Qt::AlignHCenter, times, 12, false}));
        QCOMPARE(look[5], (ParagraphLook{"", Qt::AlignHCenter, times, 12, false}));
        QCOMPARE(look[6], (ParagraphLook{QString(69, u'_'), Qt::AlignLeft, courier, 10, true}));
        QCOMPARE(look[8], (ParagraphLook{lines[8], Qt::AlignLeft, courier, 10, true}));
        QCOMPARE(look[11], (ParagraphLook{lines[11], Qt::AlignLeft, courier, 10, false}));
        QCOMPARE(look[37], (ParagraphLook{"", Qt::AlignLeft, courier, 10, false}));
        // Every character of a row has the row's format (no grade colours).
        for (const QTextCharFormat& f : formatsOf(edit->document()->findBlockByNumber(11))) {
            QCOMPARE(f.fontPointSize(), 10.0);
            QVERIFY(!f.hasProperty(QTextFormat::ForegroundBrush));
        }
        // The learner file is only read.
        QCOMPARE(env.readFile(QStringLiteral("users/Zoë.ini")), learnerFile());
    }

    void learner_without_file_or_with_an_unreadable_one()
    {
        Session s(QStringLiteral("Bo"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        TScoresForm* form = openScores(main);
        QVERIFY(form);
        const QStringList lines = linesOf(box(form));
        QCOMPARE(lines.filter(QStringLiteral("         0         0    0")).size(), 20);
        QCOMPARE(lines[35], QStringLiteral("Overall percentage :    0 %"));
        QVERIFY(env.dialogs.boxes.isEmpty());
        QVERIFY(!QFile::exists(Globals::UserIniFile));
        QVERIFY(form->closeForm());

        // A file that cannot be read (here: far too large for a settings
        // file) says why, and counts as no file.
        env.writeFile(QStringLiteral("users/Bo.ini"), QByteArray(IniFile::kMaxFileSize + 1, ' '));
        form = openScores(main);
        QVERIFY(form);
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY2(env.dialogs.texts("error")[0].contains(QStringLiteral("Bo.ini")), qPrintable(env.dialogs.texts("error")[0]));
        QCOMPARE(linesOf(box(form))[35], QStringLiteral("Overall percentage :    0 %"));
    }

    void saves_and_the_viewer_shows_the_same()
    {
        Session s(QStringLiteral("Zoë Ångström"), true);
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        TScoresForm* form = openScores(main);
        QVERIFY(form);

        // Cancelled: nothing written.
        click(form, "bitbtnSave");
        QCOMPARE(env.dialogs.texts("save"), QStringList{QStringLiteral("Vandrelsholm Zoë Ångström")});
        QCOMPARE(env.dialogs.lastFilter, QStringLiteral("Rich Text Format (*.rtf)"));
        QCOMPARE(env.dialogs.lastSuffix, QStringLiteral("rtf"));
        QCOMPARE(QDir(env.root()).entryList({QStringLiteral("*.rtf")}), QStringList());

        const QString file = env.path(QStringLiteral("Vandrelsholm Zoë Ångström.rtf"));
        env.dialogs.saveAnswer = file;
        click(form, "bitbtnSave");
        QCOMPARE(env.dialogs.count("error"), 0);
        const QByteArray rtf = env.readFile(QStringLiteral("Vandrelsholm Zoë Ångström.rtf"));
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
        QVERIFY(rtf.contains("Courier New;") && rtf.contains("Times New Roman;"));
        QVERIFY(rtf.contains("Zo\\'eb \\'c5ngstr\\'f6m"));
        QVERIFY(rtf.contains("ADDITION....................................        37        50   74"));
        const QList<ParagraphLook> shown = looks(*box(form)->document());
        QVERIFY(form->closeForm());
        QVERIFY(menusEnabled(main));

        // File > Open Report shows the same text, fonts and layout.
        env.dialogs.openAnswer = file;
        auto* viewer = openFromMenu<TOpenReportForm>(main, QStringLiteral("mnuOpenReport"));
        QVERIFY(viewer);
        QCOMPARE(Globals::ScreenTitle, QStringLiteral("PRINT SCORES"));
        QCOMPARE(viewer->subWindow()->windowTitle(), QStringLiteral("Report"));
        const QList<ParagraphLook> reopened = looks(*box(viewer)->document());
        QCOMPARE(reopened.size(), shown.size());
        for (qsizetype i = 0; i < shown.size(); ++i)
            QCOMPARE(reopened[i], shown[i]);
        QCOMPARE(box(viewer)->textCursor().position(), 0);
    }

    void save_failure_keeps_window_and_old_file()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        TScoresForm* form = openScores(main);
        QVERIFY(form);

        env.dialogs.saveAnswer = env.path(QStringLiteral("no such folder/Vandrelsholm Ann.rtf"));
        click(form, "bitbtnSave");
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY2(env.dialogs.texts("error")[0].contains(QStringLiteral("no such folder")),
                 qPrintable(env.dialogs.texts("error")[0]));
        QVERIFY(!QDir(env.path(QStringLiteral("no such folder"))).exists());
        QCOMPARE(onlyChild<TScoresForm>(main), form);

        // A folder in the way stays a folder; an older report file stays whole
        // when the new one cannot replace it.
        QVERIFY(QDir().mkpath(env.path(QStringLiteral("taken.rtf"))));
        env.dialogs.saveAnswer = env.path(QStringLiteral("taken.rtf"));
        click(form, "bitbtnSave");
        QCOMPARE(env.dialogs.count("error"), 2);
        QVERIFY(QFileInfo(env.path(QStringLiteral("taken.rtf"))).isDir());
        QCOMPARE(onlyChild<TScoresForm>(main), form);
    }

    void prints_with_the_job_title()
    {
        Session s(QStringLiteral("Zoë"), true);
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        TScoresForm* form = openScores(main);
        QVERIFY(form);
        QPushButton* print = form->findChild<QPushButton*>(QStringLiteral("bitbtnPrint"));

        // Cancelled print dialog: nothing printed.
        const QString pdf = env.path(QStringLiteral("marks.pdf"));
        env.dialogs.printToPdf = pdf;
        env.dialogs.printAnswer = false;
        print->click();
        QCOMPARE(env.dialogs.count("print"), 1);
        QVERIFY(!QFile::exists(pdf));

        env.dialogs.printAnswer = true;
        print->click();
        QCOMPARE(env.dialogs.count("error"), 0);
        QCOMPARE(Dialogs::printer().docName(), QStringLiteral("Vandrelsholm Speed Math SCORES Zoë"));
        QVERIFY(QFileInfo(pdf).size() > 0);
        const QString text = pdfText(pdf);
        if (text.isNull())
            QSKIP("pdftotext is not installed");
        QVERIFY2(text.contains(QStringLiteral("Vandrelsholm Speed Math")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Zoë")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("ADDITION....................................        37        50   74")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Overall percentage :   57 %")), qPrintable(text));
        QVERIFY2(text.contains(QString(69, u'_')), qPrintable(text));

        // A printer that fails: its text in an error box, the window stays.
        env.dialogs.printToPdf = env.path(QStringLiteral("missing/marks.pdf"));
        print->click();
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY2(env.dialogs.texts("error")[0].contains(QStringLiteral("missing/marks.pdf")),
                 qPrintable(env.dialogs.texts("error")[0]));
        QCOMPARE(onlyChild<TScoresForm>(main), form);
    }

    void closes_with_esc_or_close_but_not_while_practising()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        TScoresForm* form = openScores(main);
        QVERIFY(form);
        QPointer<TScoresForm> watch(form);

        Globals::Practising = true;
        pressEscape(form);
        QVERIFY(watch && !form->isClosed());
        QCOMPARE(env.dialogs.texts("information"),
                 QStringList{QStringLiteral("Unable to close while practising! Press STOP first.")});
        Globals::Practising = false;

        // Other keys do nothing; the release of an Esc pressed elsewhere
        // (one that closed a message box) does nothing either.
        QTest::keyClick(box(form), Qt::Key_Down);
        QTest::keyRelease(box(form), Qt::Key_Escape);
        QVERIFY(!form->isClosed());
        // Esc pressed here does its work when let go.
        QTest::keyPress(box(form), Qt::Key_Escape);
        QVERIFY(!form->isClosed());
        env.sounds.clear();
        QTest::keyRelease(box(form), Qt::Key_Escape);
        QVERIFY(form->isClosed());
        QVERIFY(menusEnabled(main));
        QCOMPARE(env.sounds.calls, QStringList{QStringLiteral("resource MAINSCREEN loop")});
        QTRY_VERIFY(!watch);
        QVERIFY(main.childForms().isEmpty());

        form = openScores(main);
        QVERIFY(form);
        click(form, "BitBtnCancel");
        QVERIFY(form->isClosed());
        QVERIFY(menusEnabled(main));
    }

    void whats_this_on_each_button()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        TScoresForm* form = openScores(main);
        QVERIFY(form);
        auto* popup = form->findChild<WhatsThisMenu*>(QStringLiteral("popupWhatsThis"));
        QVERIFY(popup);
        for (const char* name : {"bitbtnPrint", "bitbtnSave", "bitbtnProgress", "BitBtnCancel"}) {
            QWidget* button = form->findChild<QPushButton*>(QString::fromLatin1(name));
            emit button->customContextMenuRequested(QPoint(2, 2));
            QCOMPARE(popup->popupComponent(), button);
            popup->whatsThisAction()->trigger();
            popup->hide();
        }
        QCOMPARE(env.help.requests.size(), 4);
        QList<int> contexts;
        for (const Help::Request& r : env.help.requests) {
            QCOMPARE(r.command, unsigned(Help::HELP_CONTEXTPOPUP));
            contexts.append(r.data.toInt());
        }
        QCOMPARE(contexts, (QList<int>{80100, 80110, 80290, 80120}));
    }
};

QTEST_MAIN(TestScoresForm)
#include "tst_ScoresForm.moc"
