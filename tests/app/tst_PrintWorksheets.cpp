// File > Print Worksheets... as a teacher uses it: the item works with no
// screen open, the window takes the methods, options, count, seed and title
// from the keyboard, and Save as PDF and Print (to a file) write the sheet
// those choices make, with its answer key.

#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSpinBox>

#include "PdfText.h"
#include "ScreenTesting.h"
#include "app/PrintWorksheets.h"
#include "shell/Hints.h"
#include "tools/WorksheetSheet.h"

namespace {

template <typename T>
T* child(QWidget* form, const char* name)
{
    return form->findChild<T*>(QString::fromLatin1(name));
}

void typeText(QWidget* control, const QString& text)
{
    control->setFocus();
    QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(control, text);
}

} // namespace

class tst_PrintWorksheets : public QObject
{
    Q_OBJECT

private slots:
    void the_file_menu_opens_the_window_with_no_screen_open()
    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();
        QAction* item = main.menuItem(QStringLiteral("mnuPrintWorksheets"));
        QVERIFY(item);
        QVERIFY(item->isEnabled());
        // Beside the other printing item of the File menu.
        auto* file = main.findChild<QMenu*>(QStringLiteral("mnuFile"));
        const QList<QAction*> actions = file->actions();
        const qsizetype at = actions.indexOf(item);
        QVERIFY(at >= 0 && at + 1 < actions.size());
        QCOMPARE(actions.at(at + 1)->objectName(), QStringLiteral("mnuPrinterSetup"));

        auto* form = openFromMenu<TPrintWorksheetsForm>(main, QStringLiteral("mnuPrintWorksheets"));
        QVERIFY(form);
        // Every control is named for a screen reader and has its help.
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (w->objectName().startsWith(QLatin1String("cbo")) || w->objectName().startsWith(QLatin1String("btn"))
                || w->objectName().startsWith(QLatin1String("edt")) || w->objectName().startsWith(QLatin1String("spn"))
                || w->objectName().startsWith(QLatin1String("chk")) || w->objectName().startsWith(QLatin1String("lst"))) {
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
                QVERIFY2(Hints::helpContext(w) != 0, qPrintable(w->objectName()));
            }
        }
        // Nothing ticked: a message, no sheet.
        auto* methods = child<QListWidget>(form, "lstWorksheetMethods");
        methods->setFocus();
        QTest::keyClick(methods, Qt::Key_Space); // unticks the first method
        child<QPushButton>(form, "btnWorksheetSavePdf")->click();
        QCOMPARE(env.dialogs.texts(QStringLiteral("error")), QStringList{QStringLiteral("Tick at least one method to print.")});
        QCOMPARE(env.dialogs.count(QStringLiteral("save")), 0);

        if (qEnvironmentVariableIsSet("VSM_WORKSHEET_WINDOW_SHOT"))
            form->window()->grab().save(qEnvironmentVariable("VSM_WORKSHEET_WINDOW_SHOT"));
    }

    void save_as_pdf_and_print_write_the_chosen_sheet()
    {
        if (!havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        OpenedScreen<TPrintWorksheetsForm> s(QStringLiteral("mnuPrintWorksheets"));
        QVERIFY(s.form);
        auto* methods = child<QListWidget>(s.form, "lstWorksheetMethods");
        const QStringList names = WorksheetSheet::methodNames();
        const int divide = int(names.indexOf(QStringLiteral("divide")));
        const int tables = int(names.indexOf(QStringLiteral("multiplication")));

        // Untick the first method, tick Speed Division and choose 3-Digit, 5-Digit.
        methods->setFocus();
        QTest::keyClick(methods, Qt::Key_Space);
        for (int k = 0; k < divide; ++k)
            QTest::keyClick(methods, Qt::Key_Down);
        QTest::keyClick(methods, Qt::Key_Space);
        auto* divisor = child<QComboBox>(s.form, "cboWorksheetOption0");
        auto* dividend = child<QComboBox>(s.form, "cboWorksheetOption1");
        QVERIFY(divisor->isVisibleTo(s.form) && dividend->isVisibleTo(s.form));
        divisor->setFocus();
        QTest::keyClick(divisor, Qt::Key_Down);
        dividend->setFocus();
        QTest::keyClick(dividend, Qt::Key_Down);
        QCOMPARE(divisor->currentText(), QStringLiteral("3-Digit"));
        QCOMPARE(dividend->currentText(), QStringLiteral("5-Digit"));
        // And the 7 times table.
        methods->setFocus();
        for (int k = divide; k < tables; ++k)
            QTest::keyClick(methods, Qt::Key_Down);
        QTest::keyClick(methods, Qt::Key_Space);
        QVERIFY(!dividend->isVisibleTo(s.form));
        QCOMPARE(divisor->count(), 11); // Random, 3 .. 12
        divisor->setFocus();
        for (int k = 0; k < 5; ++k)
            QTest::keyClick(divisor, Qt::Key_Down);
        QCOMPARE(divisor->currentText(), QStringLiteral("7"));
        // Back on Speed Division its options are still there.
        methods->setCurrentRow(divide);
        QCOMPARE(dividend->currentText(), QStringLiteral("5-Digit"));

        typeText(child<QSpinBox>(s.form, "spnWorksheetCount"), QStringLiteral("6"));
        typeText(child<QLineEdit>(s.form, "edtWorksheetSeed"), QStringLiteral("4242"));
        typeText(child<QLineEdit>(s.form, "edtWorksheetTitle"), QStringLiteral("Class 4B"));
        QVERIFY(child<QCheckBox>(s.form, "chkWorksheetAnswerKey")->isChecked());

        const QString pdf = s.env.path(QStringLiteral("sheet.pdf"));
        s.env.dialogs.saveAnswer = pdf;
        QTest::mouseClick(child<QPushButton>(s.form, "btnWorksheetSavePdf"), Qt::LeftButton);
        QCOMPARE(s.env.dialogs.texts(QStringLiteral("save")), QStringList{QStringLiteral("Class 4B")});
        QVERIFY(s.env.dialogs.texts(QStringLiteral("error")).isEmpty());

        // The same choices give the same problems: each method draws from
        // the seed plus its place in the list.
        const auto division = WorksheetSheet::section(
            {QStringLiteral("divide"), {QStringLiteral("3-Digit"), QStringLiteral("5-Digit")}, 6, 4242u + quint32(divide)});
        const auto times = WorksheetSheet::section(
            {QStringLiteral("multiplication"), {QStringLiteral("7")}, 6, 4242u + quint32(tables)});
        QVERIFY(division && times);
        // Both sections with every problem, on the sheet and in its key.
        auto holdsTheSheet = [&](const QString& text) {
            QVERIFY2(text.contains(QStringLiteral("Speed Division: 3-Digit, 5-Digit")), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Multiplication: 7")));
            QVERIFY(text.contains(QStringLiteral("Class 4B \u2014 Answer Key")));
            for (const WorksheetSheet::Problem& p : division->problems) {
                QCOMPARE(p.question.split(QStringLiteral(" \u00F7 ")).last().size(), 3);
                QVERIFY2(text.count(p.question) >= 2, qPrintable(p.question));
                QVERIFY(text.contains(QStringLiteral("Answer: %1 Remainder: %2").arg(p.answer).arg(*p.remainder)));
            }
            for (const WorksheetSheet::Problem& p : times->problems)
                QVERIFY2(text.contains(p.question + QStringLiteral(" = ") + p.answer), qPrintable(p.question));
            const int pages = int(text.count(QLatin1Char('\f')));
            QVERIFY(pages >= 2);
            for (int n = 1; n <= pages; ++n)
                QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(n).arg(pages)));
        };
        holdsTheSheet(pdfText(pdf));
        if (QTest::currentTestFailed())
            return;

        // Print to a file on Letter paper writes the same sheet.
        auto* paper = child<QComboBox>(s.form, "cboWorksheetPaper");
        paper->setFocus();
        QTest::keyClick(paper, Qt::Key_Down);
        QCOMPARE(paper->currentText(), QStringLiteral("Letter"));
        const QString printed = s.env.path(QStringLiteral("printed.pdf"));
        s.env.dialogs.printToPdf = printed;
        s.env.dialogs.printAnswer = true;
        child<QPushButton>(s.form, "btnWorksheetPrint")->click();
        QCOMPARE(s.env.dialogs.count(QStringLiteral("print")), 1);
        holdsTheSheet(pdfText(printed));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(pdfText(printed, {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                  QStringLiteral("-bbox")})
                    .contains(QStringLiteral("<page width=\"612.000000\" height=\"792.000000\">")));

        // Print Preview shows the sheet's pages.
        bool previewed = false;
        QTimer::singleShot(0, this, [&previewed] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QPrintPreviewDialog*>(w); d && d->isVisible()) {
                    previewed = true;
                    d->reject();
                }
        });
        child<QPushButton>(s.form, "btnWorksheetPreview")->click();
        QVERIFY(previewed);
    }
};

QTEST_MAIN(tst_PrintWorksheets)
#include "tst_PrintWorksheets.moc"
