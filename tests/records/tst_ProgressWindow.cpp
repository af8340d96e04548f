// The practice history through the real windows: problems worked on a
// practice screen and a drill run, each ended with STOP, then Records >
// Progress read as the learner reads it; a folder that cannot be written
// keeps no history and says so once; a read-only user folder says nothing.

#include <QtTest>

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>

#include "../basics/BasicsScreens.h"
#include "../practice/PracticeTestSupport.h"
#include "PdfText.h"
#include "ScreenTesting.h"
#include "basics/BasicsAdd.h"
#include "practice/PractiseSquare2Digit.h"
#include "records/HistoryFile.h"
#include "records/HistoryRules.h"
#include "records/ProgressHelp.h"
#include "records/ProgressWindow.h"
#include "shell/Globals.h"
#include "shell/Hints.h"

namespace {

constexpr qint64 Monday = 1796634000; // 2026-12-07T09:00:00Z

QString value(ProgressWindow* window, const char* name)
{
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

int points(ProgressWindow* window, const char* chart)
{
    auto* view = window->findChild<QChartView*>(QString::fromLatin1(chart));
    if (!view || view->chart()->series().size() != 1)
        return -1;
    return int(static_cast<QLineSeries*>(view->chart()->series().constFirst())->count());
}

// 79² worked right in 37 seconds, then again wrong in 5, with STOP (ESC).
void workSquares(TPractiseSquare2DigitForm* form, PracticeSeams& seams)
{
    QTest::mouseClick(panelOf(form, QStringLiteral("pnlOptLevel1")), Qt::LeftButton);
    QuestionSource::pose(QStringLiteral("square-two-digit"), {QStringLiteral("79")});
    QTest::mouseClick(form->findChild<QWidget*>("BitBtnPlay"), Qt::LeftButton);
    seams.advanceSeconds(37);
    typeDigits(form, QStringLiteral("49126816241"));
    press(form, Qt::Key_Escape);
    QTest::mouseClick(form->findChild<QWidget*>("BitBtnRewind"), Qt::LeftButton);
    seams.advanceSeconds(5);
    typeDigits(form, QStringLiteral("49126816231"));
    press(form, Qt::Key_Escape);
}

ProgressWindow* openProgress(TfrmMain& main)
{
    main.menuItem(QStringLiteral("mnuProgress"))->trigger();
    const QList<ProgressWindow*> windows = main.findChildren<ProgressWindow*>();
    return windows.size() == 1 ? windows.constFirst() : nullptr;
}

} // namespace

class TestProgressWindow : public QObject
{
    Q_OBJECT

private slots:
    void problemsAndARunShowInProgress()
    {
        TestEnvironment env;
        PracticeSeams seams;
        qint64 now = Monday;
        HistoryFile::setClockForTests([&now] { return now; });
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();

        auto* squares = openFromMenu<TPractiseSquare2DigitForm>(main, QStringLiteral("mnu2Digit"));
        QVERIFY(squares);
        workSquares(squares, seams);
        QVERIFY(squares->closeForm());

        // A drill run on Tuesday: two questions, SPACE on the second.
        now += 86400;
        auto* addition = openFromMenu<TBasicsAddForm>(main, QStringLiteral("mnuAddition"));
        QVERIFY(addition);
        ScreenOf<TBasicsAddForm> drill{main, addition};
        drill.click("BitBtnPlay");
        QCOMPARE(drill.tick(), QStringLiteral("answer"));
        QCOMPARE(drill.tick(), QStringLiteral("question"));
        QCOMPARE(drill.tick(), QStringLiteral("answer"));
        drill.key(Qt::Key_Space);
        drill.key(Qt::Key_Escape);
        // PLAY and STOP at once: no question, no record.
        drill.click("BitBtnPlay");
        drill.key(Qt::Key_Escape);
        QVERIFY(addition->closeForm());

        const QList<HistoryRules::Record> records =
            HistoryRules::readFile(env.path(QStringLiteral("users/Ann.history.csv")), now);
        QCOMPARE(records.size(), 3);
        QCOMPARE(records[0].option, QStringLiteral("Time3")); // 79 is a level-3 problem, whatever the level shown
        QCOMPARE(records[2].kind, HistoryRules::Kind::Drill);
        QVERIFY(env.readFile(QStringLiteral("users/Ann.history.csv")).startsWith(HistoryRules::header()));
        QCOMPARE(env.dialogs.boxes.size(), 0);

        ProgressWindow* progress = openProgress(main);
        QVERIFY(progress);
        QVERIFY(progress->isVisible());
        // The newest record's screen comes first: the drill.
        auto* screen = progress->findChild<QComboBox*>("cboScreen");
        QCOMPARE(screen->currentData().toString(), QStringLiteral("Addition"));
        QCOMPARE(value(progress, "lblCount"), QStringLiteral("1"));
        QCOMPARE(value(progress, "lblCorrect"), QStringLiteral("2 (1)"));
        QCOMPARE(value(progress, "lblAccuracy"), QStringLiteral("50%"));
        QCOMPARE(value(progress, "lblLast10"), QStringLiteral("50% right of 2"));
        QCOMPARE(progress->findChild<QChartView*>("chtSecond")->chart()->title(), QStringLiteral("Questions per day"));
        QCOMPARE(points(progress, "chtAccuracy"), 1);

        // The learner chooses the screen with the keyboard.
        screen->setFocus();
        const int squaresAt = screen->findData(QStringLiteral("Square2Digit"));
        while (screen->currentIndex() != squaresAt)
            QTest::keyClick(screen, screen->currentIndex() < squaresAt ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(screen->currentText(), QStringLiteral("Practice > Square > 2-Digit"));
        QCOMPARE(value(progress, "lblCount"), QStringLiteral("2"));
        QCOMPARE(value(progress, "lblCorrect"), QStringLiteral("1"));
        QCOMPARE(value(progress, "lblAccuracy"), QStringLiteral("50%"));
        QCOMPARE(value(progress, "lblBest"), QStringLiteral("37.0 s"));
        QCOMPARE(value(progress, "lblMedian"), QStringLiteral("37.0 s"));
        QCOMPARE(value(progress, "lblLast10"), QStringLiteral("50% right, median 37.0 s"));
        QCOMPARE(value(progress, "lblBefore10"), QStringLiteral("\u2014"));
        QCOMPARE(points(progress, "chtSecond"), 1);
        auto* option = progress->findChild<QComboBox*>("cboOption");
        QCOMPARE(option->count(), 2); // All options, Time3
        QCOMPARE(Hints::helpContext(screen), int(ProgressHelp::Screen));
        QCOMPARE(Hints::helpContext(option), int(ProgressHelp::Option));
        QVERIFY(!screen->accessibleName().isEmpty());

        // Printed and saved as PDF: the learner's page, with both charts as
        // pictures; a save refused says so once and leaves no file.
        env.dialogs.clear();
        env.dialogs.saveAnswer = env.path(QStringLiteral("progress.pdf"));
        QTest::mouseClick(progress->findChild<QPushButton*>("btnPdf"), Qt::LeftButton);
        env.dialogs.printToPdf = env.path(QStringLiteral("printed.pdf"));
        QTest::mouseClick(progress->findChild<QPushButton*>("bitbtnPrint"), Qt::LeftButton);
        QCOMPARE(env.dialogs.count(QStringLiteral("save")), 1);
        QCOMPARE(env.dialogs.count(QStringLiteral("print")), 1);
        QCOMPARE(env.dialogs.texts(QStringLiteral("error")), QStringList());
        for (const QString& name : {QStringLiteral("progress.pdf"), QStringLiteral("printed.pdf")}) {
            const QByteArray pdf = env.readFile(name);
            QVERIFY2(pdf.startsWith("%PDF"), qPrintable(name));
            QVERIFY2(pdf.count("/Subtype /Image") >= 2, qPrintable(name));
            if (!havePdfToText())
                continue;
            const QString text = pdfText(env.path(name));
            for (const QString& shown : {QStringLiteral("Progress - Ann"), QStringLiteral("Practice > Square > 2-Digit"),
                                         QStringLiteral("All options"), QStringLiteral("Problems done:"),
                                         QStringLiteral("Best time:"), QStringLiteral("37.0 s"),
                                         QStringLiteral("50% right, median 37.0 s")})
                QVERIFY2(text.contains(shown), qPrintable(name + QLatin1String(": no ") + shown + QLatin1String(" in\n") + text));
        }
        env.dialogs.printToPdf.clear();
        QVERIFY(QDir().mkpath(env.path(QStringLiteral("taken.pdf"))));
        for (const QString& refused : {env.path(QStringLiteral("taken.pdf")), env.path(QStringLiteral("gone/progress.pdf"))}) {
            env.dialogs.clear();
            env.dialogs.saveAnswer = refused;
            QTest::mouseClick(progress->findChild<QPushButton*>("btnPdf"), Qt::LeftButton);
            const QStringList errors = env.dialogs.texts(QStringLiteral("error"));
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors.constFirst().contains(refused), qPrintable(errors.constFirst()));
            QVERIFY(!QFileInfo(refused).isFile());
        }
        QVERIFY(QFileInfo(env.path(QStringLiteral("taken.pdf"))).isDir());
        QCOMPARE(Hints::helpContext(progress->findChild<QPushButton*>("btnPdf")), int(ProgressHelp::Pdf));
        QCOMPARE(progress->findChild<QPushButton*>("bitbtnPrint")->nextInFocusChain(),
                 progress->findChild<QPushButton*>("btnPdf"));

        // Help opens the window's topic.
        env.help.clear();
        progress->findChild<QPushButton*>("btnHelp")->click();
        QCOMPARE(env.help.requests.size(), 1);
        QCOMPARE(env.help.requests.constFirst().data.toInt(), int(ProgressHelp::Topic));
        progress->close();
        QApplication::processEvents();
        QCOMPARE(main.findChildren<ProgressWindow*>().size(), 0);
    }

    void unwritableFoldersLoseNothingAndSayItOnce()
    {
        TestEnvironment env;
        PracticeSeams seams;
        HistoryFile::setClockForTests([] { return Monday; });
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();
        // A folder where the history file should be: every append fails.
        QVERIFY(QDir().mkpath(env.path(QStringLiteral("users/Ann.history.csv"))));
        auto* squares = openFromMenu<TPractiseSquare2DigitForm>(main, QStringLiteral("mnu2Digit"));
        QVERIFY(squares);
        env.dialogs.clear();
        workSquares(squares, seams);
        workSquares(squares, seams);
        QCOMPARE(env.dialogs.boxes.size(), 1);
        QCOMPARE(env.dialogs.boxes.constFirst().kind, QStringLiteral("error"));
        QVERIFY(env.dialogs.boxes.constFirst().text.startsWith(QStringLiteral("Unable to save the file")));
        // The scores were kept all the same.
        QCOMPARE(captionOf(squares, QStringLiteral("pnlTotal")), QStringLiteral("4"));
        QVERIFY(squares->closeForm());

        // A read-only user folder: no history and no message.
        QVERIFY(QDir(env.path(QStringLiteral("users/Ann.history.csv"))).removeRecursively());
        Globals::UserDataWritable = false;
        HistoryFile::resetForTests();
        squares = openFromMenu<TPractiseSquare2DigitForm>(main, QStringLiteral("mnu2Digit"));
        QVERIFY(squares);
        env.dialogs.clear();
        workSquares(squares, seams);
        QCOMPARE(env.dialogs.boxes.size(), 0);
        QVERIFY(!QFile::exists(env.path(QStringLiteral("users/Ann.history.csv"))));
    }
};

QTEST_MAIN(TestProgressWindow)
#include "tst_ProgressWindow.moc"
