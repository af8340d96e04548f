#include <QtTest>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "TestEnvironment.h"
#include "app/Main.h"
#include "platform/Dialogs.h"
#include "practice/CustomQuestion.h"
#include "shell/Globals.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

namespace {

const QString DigitsOnly = QStringLiteral("Please use 1, 2, 3, 4, 5, 6, 7, 8, 9 only.");

using Setup = TCustomQuestionForm::Setup;

Setup questionOnly(int width)
{
    Setup s;
    s.questionWidth = width;
    s.questionOptionText = QStringLiteral("%1-Digit").arg(width);
    return s;
}

Setup withOperator(int questionWidth, int operatorWidth)
{
    Setup s;
    s.questionWidth = questionWidth;
    s.showQuestionOption = false;
    s.usesOperator = true;
    s.operatorWidth = operatorWidth;
    s.operatorOptionText = QStringLiteral("%1-Digit").arg(operatorWidth);
    s.operatorSign = QStringLiteral("×");
    return s;
}

// A dialog set up and shown (not modally) so that keys and focus behave as
// for the learner.
struct OpenDialog {
    explicit OpenDialog(const Setup& setup)
    {
        dialog.configure(setup);
        dialog.Prepare();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("custom question dialog did not become active");
    }
    template <typename T> T* get(const char* name) const { return dialog.findChild<T*>(QString::fromLatin1(name)); }
    QLineEdit* question() const { return get<QLineEdit>("edtQuestion"); }
    QLineEdit* op() const { return get<QLineEdit>("edtOperator"); }
    QPushButton* ok() const { return get<QPushButton>("BitBtnOK"); }
    // The captions of a row of boxes from box 0 (units) leftwards, "." for empty.
    QString row(const char* prefix, int count) const
    {
        QString out;
        for (int i = 0; i < count; ++i) {
            const Panel* box = dialog.findChild<Panel*>(QString::fromLatin1(prefix) + QString::number(i));
            out += box->caption().isEmpty() ? QStringLiteral(".") : box->caption();
        }
        return out;
    }
    QString questionRow() const { return row("pnlQuestion", 8); }
    QString operatorRow() const { return row("pnlOperator", 5); }

    TCustomQuestionForm dialog;
};

} // namespace

class TestCustomQuestion : public QObject
{
    Q_OBJECT
private slots:
    // Dialogs and message boxes have a dialog's frame (no minimise or
    // maximise button), and no title gets the program's name appended: the
    // application keeps no display name of its own once the main window runs.
    void dialogs_have_a_dialog_frame_and_their_own_title()
    {
        TestEnvironment env;
        TfrmMain main;
        QCOMPARE(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
        const auto dialogFrame = [](const QWidget* w) {
            const Qt::WindowFlags f = w->windowFlags();
            return (f & Qt::WindowType_Mask) == Qt::Dialog && (f & Qt::WindowCloseButtonHint)
                   && !(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        };
        OpenDialog d(withOperator(8, 2));
        QVERIFY(dialogFrame(&d.dialog));
        QCOMPARE(d.dialog.windowTitle(), QStringLiteral("Create Your Own Question"));

        // The real message box, closed as soon as it shows.
        Dialogs::install(nullptr);
        bool framed = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                framed = dialogFrame(box);
                box->close();
            }
        });
        Dialogs::current().information(nullptr, QStringLiteral("Hello"));
        Dialogs::install(&env.dialogs);
        QVERIFY(framed);
    }

    void eight_digits_enable_and_focus_ok()
    {
        TestEnvironment env;
        OpenDialog d(questionOnly(8));
        QCOMPARE(d.dialog.windowTitle(), QStringLiteral("Create Your Own Question"));
        QCOMPARE(d.dialog.focusWidget(), d.question());
        QCOMPARE(d.question()->maxLength(), 8);

        QTest::keyClicks(d.question(), QStringLiteral("9382154"));
        QVERIFY(!d.ok()->isEnabled());
        QCOMPARE(d.questionRow(), QStringLiteral("4512839."));
        QCOMPARE(d.dialog.focusWidget(), d.question());

        QTest::keyClick(d.question(), Qt::Key_7);
        QVERIFY(d.ok()->isEnabled());
        QCOMPARE(d.dialog.focusWidget(), d.ok());
        QCOMPARE(d.questionRow(), QStringLiteral("74512839"));

        // A ninth digit does not fit; removing one disables OK again.
        QTest::keyClick(d.question(), Qt::Key_End);
        QTest::keyClick(d.question(), Qt::Key_1);
        QCOMPARE(d.question()->text(), QStringLiteral("93821547"));
        QTest::keyClick(d.question(), Qt::Key_Backspace);
        QVERIFY(!d.ok()->isEnabled());
        QCOMPARE(d.questionRow(), QStringLiteral("4512839."));
        QCOMPARE(env.dialogs.boxes.size(), 0);
    }

    void rejected_characters_give_one_box_each_and_are_dropped()
    {
        TestEnvironment env;
        OpenDialog d(questionOnly(8));
        QTest::keyClicks(d.question(), QStringLiteral("12"));
        QTest::keyClick(d.question(), Qt::Key_0);
        QCOMPARE(env.dialogs.texts(QStringLiteral("error")), QStringList{DigitsOnly});
        QCOMPARE(d.question()->text(), QStringLiteral("12"));
        QCOMPARE(d.questionRow(), QStringLiteral("21......"));

        // In the middle of the text: the caret stays where the learner was.
        d.question()->setCursorPosition(1);
        QTest::keyClick(d.question(), Qt::Key_A);
        QCOMPARE(d.question()->text(), QStringLiteral("12"));
        QCOMPARE(d.question()->cursorPosition(), 1);
        QTest::keyClick(d.question(), Qt::Key_5);
        QCOMPARE(d.question()->text(), QStringLiteral("152"));
        QCOMPARE(env.dialogs.count(QStringLiteral("error")), 2);

        // Leading blanks go without a message; a blank after a digit is refused.
        d.question()->setCursorPosition(0);
        QTest::keyClick(d.question(), Qt::Key_Space);
        QCOMPARE(d.question()->text(), QStringLiteral("152"));
        QCOMPARE(env.dialogs.count(QStringLiteral("error")), 2);
        QTest::keyClick(d.question(), Qt::Key_End);
        QTest::keyClick(d.question(), Qt::Key_Space);
        QCOMPARE(d.question()->text(), QStringLiteral("152"));
        QCOMPARE(env.dialogs.count(QStringLiteral("error")), 3);

        // A lone rejected character leaves an empty edit and OK disabled.
        d.question()->clear();
        QTest::keyClick(d.question(), Qt::Key_Minus);
        QCOMPARE(d.question()->text(), QString());
        QCOMPARE(d.questionRow(), QStringLiteral("........"));
        QVERIFY(!d.ok()->isEnabled());
        QCOMPARE(env.dialogs.count(QStringLiteral("error")), 4);
        QCOMPARE(env.dialogs.count(QStringLiteral("error")), env.dialogs.boxes.size());
    }

    void pasted_text_is_checked_character_by_character()
    {
        TestEnvironment env;
        OpenDialog d(questionOnly(8));
        QApplication::clipboard()->setText(QStringLiteral("12a45"));
        QTest::keyClick(d.question(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(d.question()->text(), QStringLiteral("1245"));
        QCOMPARE(env.dialogs.texts(QStringLiteral("error")), QStringList{DigitsOnly});
        QCOMPARE(d.questionRow(), QStringLiteral("5421...."));

        QApplication::clipboard()->setText(QStringLiteral("0-6"));
        QTest::keyClick(d.question(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(d.question()->text(), QStringLiteral("12456"));
        QCOMPARE(env.dialogs.count(QStringLiteral("error")), 3);
        QVERIFY(!d.ok()->isEnabled());

        QApplication::clipboard()->setText(QStringLiteral("798"));
        QTest::keyClick(d.question(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(d.question()->text(), QStringLiteral("12456798"));
        QVERIFY(d.ok()->isEnabled());
        QCOMPARE(d.dialog.focusWidget(), d.ok());
    }

    void operator_focus_jumps_both_ways()
    {
        TestEnvironment env;
        {
            OpenDialog d(withOperator(8, 2));
            QVERIFY(d.op()->isEnabled());
            QCOMPARE(d.op()->maxLength(), 2);
            QCOMPARE(d.get<QLabel>("lblOperatorSign")->text(), QStringLiteral("×"));
            QCOMPARE(d.dialog.width(), 428);
            QCOMPARE(d.ok()->x(), 263);
            QCOMPARE(d.get<QPushButton>("BitBtnCancel")->x(), 343);
            QVERIFY(!d.get<Panel>("PnlOptionsQuestion")->isVisible());
            QCOMPARE(d.get<Panel>("pnlOptOperatorDigit")->caption(), QStringLiteral("2-Digit"));

            QTest::keyClicks(d.question(), QStringLiteral("93821547"));
            QVERIFY(!d.ok()->isEnabled());
            QCOMPARE(d.dialog.focusWidget(), d.op());
            QTest::keyClicks(d.op(), QStringLiteral("12"));
            QCOMPARE(d.operatorRow(), QStringLiteral("21..."));
            QVERIFY(d.ok()->isEnabled());
            QCOMPARE(d.dialog.focusWidget(), d.ok());
            QTest::keyClick(d.op(), Qt::Key_Backspace);
            QVERIFY(!d.ok()->isEnabled());
        }
        {
            OpenDialog d(withOperator(8, 2));
            d.op()->setFocus();
            QTest::keyClicks(d.op(), QStringLiteral("34"));
            QCOMPARE(d.dialog.focusWidget(), d.question());
            QVERIFY(!d.ok()->isEnabled());
            QTest::keyClicks(d.question(), QStringLiteral("1234567"));
            QCOMPARE(d.dialog.focusWidget(), d.question());
            QTest::keyClick(d.question(), Qt::Key_8);
            QVERIFY(d.ok()->isEnabled());
            QCOMPARE(d.dialog.focusWidget(), d.ok());
        }
        QCOMPARE(env.dialogs.boxes.size(), 0);
    }

    void without_operator_only_the_question_half_shows()
    {
        TestEnvironment env;
        Setup s = questionOnly(3);
        s.showRootSign = true;
        OpenDialog d(s);
        QCOMPARE(d.dialog.width(), 249);
        for (int i = 0; i < 8; ++i) {
            const Panel* box = d.get<Panel>(qPrintable(QStringLiteral("pnlQuestion%1").arg(i)));
            QCOMPARE(box->color(), i < 3 ? SysColors::window() : SysColors::buttonFace());
        }
        QCOMPARE(d.get<Panel>("pnlOptQuestionDigit")->caption(), QStringLiteral("3-Digit"));
        QTest::keyClicks(d.question(), QStringLiteral("4567"));
        QCOMPARE(d.questionRow(), QStringLiteral("654....."));
        QVERIFY(d.ok()->isEnabled());
        QCOMPARE(d.dialog.height(), 140);
        QVERIFY(!d.op()->isEnabled());
        for (int i = 0; i < 5; ++i)
            QVERIFY(d.get<Panel>(qPrintable(QStringLiteral("pnlOperator%1").arg(i)))->x() >= 249);
        QVERIFY(d.get<QWidget>("pnlOptionsOperator")->x() >= 249);
        QCOMPARE(d.ok()->x(), 77);
        QCOMPARE(d.get<QPushButton>("BitBtnCancel")->x(), 157);
        QVERIFY(d.get<QWidget>("imgSqrtSymbol")->isVisible());
        QCOMPARE(d.get<QLabel>("lblOperatorSign")->text(), QStringLiteral("?"));

        OpenDialog plain(questionOnly(8));
        QVERIFY(!plain.get<QWidget>("imgSqrtSymbol")->isVisible());
    }

    void a_click_on_a_box_beeps_and_returns_to_the_edit()
    {
        TestEnvironment env;
        OpenDialog d(withOperator(4, 1));
        QTest::keyClicks(d.question(), QStringLiteral("123"));
        d.question()->setCursorPosition(0);
        d.op()->setFocus();
        QTest::mouseClick(d.get<Panel>("pnlQuestion6"), Qt::LeftButton);
        QCOMPARE(env.dialogs.count(QStringLiteral("beep")), 1);
        QCOMPARE(d.dialog.focusWidget(), d.question());
        QCOMPARE(d.question()->cursorPosition(), 3);
        QTest::mouseClick(d.get<Panel>("pnlOperator0"), Qt::LeftButton);
        QCOMPARE(env.dialogs.count(QStringLiteral("beep")), 2);
        QCOMPARE(d.dialog.focusWidget(), d.op());
    }

    void ok_hands_the_texts_back_and_cancel_keeps_them()
    {
        TestEnvironment env;
        Globals::CustomQuestion = QStringLiteral("11111111");
        Globals::CustomOperator = QStringLiteral("2");

        // Cancel (Esc) after typing: nothing is handed back.
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), QStringLiteral("9382"));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!TCustomQuestionForm::ask(nullptr, questionOnly(8)));
        QCOMPARE(Globals::CustomQuestion, QStringLiteral("11111111"));
        QCOMPARE(Globals::CustomOperator, QStringLiteral("2"));

        // Enter on the focused OK button accepts.
        QPointer<TCustomQuestionForm> seen;
        QTimer::singleShot(0, [&seen] {
            seen = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(seen);
            QTest::keyClicks(seen->findChild<QLineEdit*>(QStringLiteral("edtOperator")), QStringLiteral("12"));
            QTest::keyClicks(seen->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), QStringLiteral("93821547"));
            QCOMPARE(seen->focusWidget(), seen->findChild<QPushButton*>(QStringLiteral("BitBtnOK")));
            QTest::keyClick(seen->focusWidget(), Qt::Key_Return);
        });
        QVERIFY(TCustomQuestionForm::ask(nullptr, withOperator(8, 2)));
        QCOMPARE(Globals::CustomQuestion, QStringLiteral("93821547"));
        QCOMPARE(Globals::CustomOperator, QStringLiteral("12"));
        QVERIFY(!seen); // destroyed after the command

        // Enter while OK is still disabled does nothing; Cancel then ends it.
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion"));
            QTest::keyClicks(edit, QStringLiteral("123"));
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtnCancel")), Qt::LeftButton);
        });
        QVERIFY(!TCustomQuestionForm::ask(nullptr, questionOnly(8)));
        QCOMPARE(Globals::CustomQuestion, QStringLiteral("93821547"));
    }
};

QTEST_MAIN(TestCustomQuestion)
#include "tst_CustomQuestion.moc"
