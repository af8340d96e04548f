#include <QtTest>

#include <QPrinter>
#include <QPushButton>

#include "ScreenTesting.h"
#include "DocumentLooks.h"
#include "ReportTesting.h"
#include "RtfShapes.h"
#include "platform/Dialogs.h"
#include "records/MarksheetRules.h"
#include "records/OpenReport.h"
#include "shell/Globals.h"
#include "shell/ProgressBox.h"

using namespace ReportTesting;

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(VSM_SOURCE_DIR "/tests/platform/data/") + name;
}

QString records(const QString& name)
{
    return QStringLiteral(VSM_SOURCE_DIR "/tests/records/data/") + name;
}

// Opens a file through File > "Open Report..." as a learner does.
TOpenReportForm* openReport(TfrmMain& main, TestEnvironment& env, const QString& file)
{
    env.dialogs.openAnswer = file;
    return openFromMenu<TOpenReportForm>(main, QStringLiteral("mnuOpenReport"));
}

QByteArray repeated(const QByteArray& piece, int times)
{
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// While it lives, the progress box appears at the first step of a task,
// and the learner answers the first one that appears with a click on its
// "Cancel" (or Esc).
class CancelsProgress
{
public:
    explicit CancelsProgress(bool byEscape = false)
    {
        ProgressBox::setShowAfter(0);
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, byEscape] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<ProgressBox*>(w);
                if (!box || !box->isVisible())
                    continue;
                m_title = box->windowTitle();
                m_modal = box->windowModality() == Qt::ApplicationModal;
                if (byEscape)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->cancelButton()->click();
                m_timer.stop();
            }
        });
        m_timer.start();
    }
    ~CancelsProgress() { ProgressBox::setShowAfter(1000); }
    // The title of the box that was cancelled; empty when none appeared.
    QString title() const { return m_title; }
    bool wasModal() const { return m_modal; }

private:
    QTimer m_timer;
    QString m_title;
    bool m_modal = false;
};

// 100 paragraphs of 1000 characters: enough for a few steps of reading and
// of printing.
QByteArray longReport()
{
    QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs20 ";
    for (int p = 0; p < 100; ++p)
        rtf += "Paragraph " + QByteArray::number(p) + " " + QByteArray(1000 - 11 - QByteArray::number(p).size(), 'w') + "\\par\n";
    return rtf + "}";
}

} // namespace

class TestOpenReport : public QObject
{
    Q_OBJECT
private slots:
    void cancelled_open_dialog_opens_nothing()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        env.sounds.clear();
        QVERIFY(!openReport(main, env, QString()));
        QCOMPARE(env.dialogs.texts("open"), QStringList{QStringLiteral("Open Performance Report")});
        QCOMPARE(env.dialogs.lastFilter, QStringLiteral("Rich Text Format (*.rtf)"));
        QCOMPARE(env.dialogs.lastSuffix, QStringLiteral("RTF"));
        QVERIFY(main.childForms().isEmpty());
        QVERIFY(menusEnabled(main));
        QVERIFY(env.sounds.calls.isEmpty());   // the menus were never touched
        QVERIFY(Globals::ScreenTitle.isEmpty());
    }

    void shows_what_a_word_processor_wrote()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        TOpenReportForm* viewer = openReport(main, env, fixture(QStringLiteral("wordprocessor-marks.rtf")));
        QVERIFY(viewer);
        QVERIFY(menusDisabled(main));
        QCOMPARE(Globals::ScreenTitle, QStringLiteral("PRINT SCORES"));
        QCOMPARE(viewer->objectName(), QStringLiteral("OpenReportForm"));
        QVERIFY(env.dialogs.boxes.size() == 1);   // the open dialog, no message

        QTextEdit* edit = box(viewer);
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(edit->font().pointSize(), 10);
        const QString text = edit->toPlainText();
        QVERIFY2(text.startsWith(QStringLiteral("Harbour Lane Reckoning Club\nMarks for Zoë Ångström — Spring term")),
                 qPrintable(text));
        QVERIFY2(text.contains(MarksheetRules::rowText(QStringLiteral("COLUMN SUMS"), 12, 16)),
                 qPrintable(text));
        const QList<ParagraphLook> look = looks(*edit->document());
        QVERIFY(!look.isEmpty());
        QCOMPARE(look[0].alignment, Qt::AlignHCenter);
        QVERIFY(look[0].bold);

        // Only Print and Close; placed as a report window, resizable.
        QVERIFY(viewer->findChild<QPushButton*>(QStringLiteral("bitbtnPrint")));
        QVERIFY(viewer->findChild<QPushButton*>(QStringLiteral("BitBtnCancel")));
        QVERIFY(!viewer->findChild<QPushButton*>(QStringLiteral("bitbtnSave")));
        QCOMPARE(viewer->subWindow()->height(), main.mdiArea()->viewport()->height() - 100);
        QCOMPARE(viewer->minimumSize(), QSize(296, 146));

        pressEscape(viewer);
        QVERIFY(viewer->isClosed());
        QVERIFY(menusEnabled(main));
    }

    void shows_a_marksheet_a_word_processor_saved_again()
    {
        // A marksheet saved by the report and saved again by LibreOffice
        // Writer: same lines, fonts, sizes, weights and alignment.
        const QHash<QString, ScoreCounts> counts = {{QStringLiteral("Addition"), {37, 50}},
                                                    {QStringLiteral("OddEven"), {1, 3}},
                                                    {QStringLiteral("SpeedAddition"), {9, 10}},
                                                    {QStringLiteral("Multiply2Finger"), {12, 40}}};
        const QList<MarksheetParagraph> sheet = MarksheetRules::build(
            QStringLiteral("Zoë Ångström"), QStringLiteral("7 Dec 2026"),
            [&counts](const QString& section) { return counts.value(section); });
        for (const char* name : {"marksheet-saved.rtf", "marksheet-resaved.rtf"}) {
            Session s(QStringLiteral("Ann"));
            TOpenReportForm* viewer = openReport(s.main, s.env, records(QString::fromLatin1(name)));
            QVERIFY2(viewer, name);
            const QList<ParagraphLook> look = looks(*box(viewer)->document());
            QCOMPARE(look.size(), sheet.size());
            for (qsizetype i = 0; i < sheet.size(); ++i) {
                const MarksheetParagraph& p = sheet[i];
                ParagraphLook want{p.text, p.alignment, p.family, qreal(p.points), p.bold};
                // Writer gives the closing empty paragraph its default
                // style (Liberation Serif 12 pt) when it saves.
                if (i == sheet.size() - 1 && QByteArray(name) == "marksheet-resaved.rtf")
                    want = {QString(), Qt::AlignLeft, QStringLiteral("Liberation Serif"), 12, false};
                QCOMPARE(look[i], want);
            }
        }
    }

    void unreadable_files_discard_the_viewer_silently_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not rich text") << QByteArray("PK\x03\x04 a zip file, not a report", 30);
        QTest::newRow("plain text") << QByteArray("ADDITION.....   37   50   74\r\n");
        QTest::newRow("truncated")
            << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}\\pard\\qc\\fs40\\b Vandrelsholm Speed Ma");
        QTest::newRow("deep nesting") << (QByteArray("{\\rtf1 ") + repeated("{", 100000) + "x" + repeated("}", 100000) + "}");
        QTest::newRow("enormous numbers")
            << (QByteArray("{\\rtf1\\fs") + repeated("9", 100000) + "\\bin" + repeated("9", 5000) + " x");
        QTest::newRow("endless word") << (QByteArray("{\\rtf1\\") + repeated("a", 1000000) + "}");
        QTest::newRow("megabytes of groups") << (QByteArray("{\\rtf1 ") + repeated("{x}", 1200000) + "}");
        QTest::newRow("larger than any report") << (QByteArray("{\\rtf1 ") + repeated("{\\b x}{\\i y}", 1500000) + "}");
        QTest::newRow("binary junk") << repeated(QByteArray("\x00\xff{\\rtf1\x01", 8), 200000);
        // Small files that would make a document millions of pixels tall,
        // which the box's layout never finishes.
        QTest::newRow("3500 paragraphs of the largest font") << (QByteArray("{\\rtf1 ") + repeated("\\fs3276\\par ", 3500) + "}");
        QTest::newRow("445000 empty paragraphs") << (QByteArray("{\\rtf1 ") + repeated("\\par", 445000) + "}");
    }
    void unreadable_files_discard_the_viewer_silently()
    {
        QFETCH(QByteArray, content);
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        env.writeFile(QStringLiteral("bad.rtf"), content);
        env.sounds.clear();
        QVERIFY(!openReport(main, env, env.path(QStringLiteral("bad.rtf"))));
        QVERIFY(main.childForms().isEmpty());
        QVERIFY(main.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(env.dialogs.boxes.size(), 1);   // only the open dialog
        QVERIFY(menusEnabled(main));
        // Menus off, then on again (idle music stopped and started again).
        QCOMPARE(env.sounds.calls, QStringList({"stop", "resource MAINSCREEN loop"}));
        // The file is left as it was.
        QCOMPARE(env.readFile(QStringLiteral("bad.rtf")), content);
    }

    void the_tallest_file_within_the_bounds_opens()
    {
        // 500 lines of the largest font: 982,800 points by the reader's count.
        Session s(QStringLiteral("Ann"));
        s.env.writeFile(QStringLiteral("tall.rtf"), QByteArray("{\\rtf1 ") + repeated("\\fs3276 W\\par ", 500) + "}");
        s.main.show();
        TOpenReportForm* viewer = openReport(s.main, s.env, s.env.path(QStringLiteral("tall.rtf")));
        QVERIFY(viewer);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QCOMPARE(box(viewer)->document()->blockCount(), 500);
        QVERIFY(viewer->closeForm());
    }

    void a_file_at_every_bound_of_the_layout_shows_its_text()
    {
        // The most fonts, looks and runs the viewer takes, in 2000 lines.
        constexpr int Lines = 2000;
        constexpr int Width = 100;
        Session s(QStringLiteral("Ann"));
        s.env.writeFile(QStringLiteral("bounded.rtf"), RtfShapes::boundedReport(Lines, Width));
        s.main.show();
        TOpenReportForm* viewer = openReport(s.main, s.env, s.env.path(QStringLiteral("bounded.rtf")));
        QVERIFY(viewer);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QTextDocument* doc = box(viewer)->document();
        QCOMPARE(doc->blockCount(), Lines);
        QSet<QString> families;
        int runs = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            QCOMPARE(b.text(), RtfShapes::boundedLine(b.blockNumber(), Width));
            for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                const int look = runs++ % Rtf::MaxCharFormats;
                QCOMPARE(f.fontFamilies().toStringList(),
                         QStringList{QStringLiteral("Family %1").arg(RtfShapes::boundedFamily(look))});
                QCOMPARE(f.fontPointSize(), RtfShapes::boundedHalfPoints(look) / 2.0);
                families.insert(f.fontFamilies().toStringList().constFirst());
            }
        }
        QCOMPARE(runs, Rtf::MaxFormatRuns);
        QCOMPARE(families.size(), Rtf::MaxFonts);
        // The box's own font stays what the window gives it.
        QCOMPARE(box(viewer)->document()->defaultFont().family(), QStringLiteral("Courier New"));
        QVERIFY(viewer->closeForm());
        QVERIFY(menusEnabled(s.main));
    }

    void a_cancelled_open_opens_nothing()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        const QByteArray content = longReport();
        env.writeFile(QStringLiteral("long.rtf"), content);
        main.show();
        env.sounds.clear();
        {
            CancelsProgress learner(true);
            QVERIFY(!openReport(main, env, env.path(QStringLiteral("long.rtf"))));
            QCOMPARE(learner.title(), QStringLiteral("Open Report"));
            QVERIFY(learner.wasModal());
        }
        QVERIFY(main.childForms().isEmpty());
        QVERIFY(main.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(env.dialogs.boxes.size(), 1);   // the open dialog, no message
        QVERIFY(menusEnabled(main));
        QCOMPARE(env.sounds.calls, QStringList({"stop", "resource MAINSCREEN loop"}));
        QCOMPARE(env.readFile(QStringLiteral("long.rtf")), content);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<ProgressBox*>(w) || !w->isVisible());

        // Not cancelled, the same file opens whole.
        TOpenReportForm* viewer = openReport(main, env, env.path(QStringLiteral("long.rtf")));
        QVERIFY(viewer);
        QCOMPARE(box(viewer)->document()->blockCount(), 100);
        QVERIFY(box(viewer)->toPlainText().endsWith(QStringLiteral("Paragraph 99 ") + QString(987, u'w')));
    }

    void a_cancelled_print_prints_nothing()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        env.writeFile(QStringLiteral("long.rtf"), longReport());
        TOpenReportForm* viewer = openReport(s.main, env, env.path(QStringLiteral("long.rtf")));
        QVERIFY(viewer);
        const QString pdf = env.path(QStringLiteral("long.pdf"));
        env.dialogs.printToPdf = pdf;
        {
            CancelsProgress learner;
            click(viewer, "bitbtnPrint");
            QCOMPARE(learner.title(), QStringLiteral("Print"));
        }
        QCOMPARE(env.dialogs.count("print"), 1);
        QCOMPARE(env.dialogs.count("error"), 0);
        QVERIFY(!QFileInfo::exists(pdf));
        QVERIFY(QDir(env.root()).entryList({QStringLiteral("*.pdf*"), QStringLiteral(".*pdf*")},
                                          QDir::Files | QDir::Hidden).isEmpty());
        // The viewer stays, and prints when let.
        QVERIFY(!viewer->isClosed());
        click(viewer, "bitbtnPrint");
        QCOMPARE(env.dialogs.count("error"), 0);
        const QString text = pdfText(pdf);
        if (text.isNull())
            QSKIP("pdftotext is not installed");
        QVERIFY2(text.contains(QStringLiteral("Paragraph 99")), qPrintable(text.left(200)));
    }

    void missing_file_or_folder_is_discarded_too()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        QVERIFY(!openReport(main, env, env.path(QStringLiteral("gone.rtf"))));
        QVERIFY(!openReport(main, env, env.root()));
        QVERIFY(main.childForms().isEmpty());
        QVERIFY(menusEnabled(main));
        QCOMPARE(env.dialogs.boxes.size(), 2);
        // And a good file opens after all that.
        QVERIFY(openReport(main, env, fixture(QStringLiteral("wordprocessor-marks.rtf"))));
    }

    void prints_for_the_signed_in_learner()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        TOpenReportForm* viewer = openReport(main, env, fixture(QStringLiteral("wordprocessor-marks.rtf")));
        QVERIFY(viewer);
        // Whoever the report belongs to, the job title names who prints it.
        Globals::UserName = QStringLiteral("Ben");
        const QString pdf = env.path(QStringLiteral("again.pdf"));
        env.dialogs.printToPdf = pdf;
        click(viewer, "bitbtnPrint");
        QCOMPARE(env.dialogs.count("print"), 1);
        QCOMPARE(env.dialogs.count("error"), 0);
        QCOMPARE(Dialogs::printer().docName(), QStringLiteral("Vandrelsholm Speed Math SCORES Ben"));
        const QString text = pdfText(pdf);
        if (text.isNull())
            QSKIP("pdftotext is not installed");
        QVERIFY2(text.contains(QStringLiteral("Harbour Lane Reckoning Club")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("COLUMN SUMS")), qPrintable(text));
        QVERIFY(viewer->closeForm());
    }
};

QTEST_MAIN(TestOpenReport)
#include "tst_OpenReport.moc"
