#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "practice/CustomQuestion.h"
#include "practice/PractiseSquareRoot.h"
#include "shell/SysColors.h"

using Rules = SquareRootRules;

namespace {

struct Opened {
    PracticeSeams seams;
    OpenedScreen<TPractiseSquareRootForm> screen;
    TPractiseSquareRootForm* form;

    explicit Opened(const QByteArray& learnerFile = QByteArray())
        : screen(QStringLiteral("mnuSquareRoot"), learnerFile), form(screen.form)
    {
    }
    Panel* panel(const QString& name) const { return panelOf(form, name); }
    QString text(const QString& name) const { return captionOf(form, name); }
    QString texts(const QStringList& names) const
    {
        QStringList out;
        for (const QString& n : names)
            out << text(n);
        return out.join(' ');
    }
    QString current() const { return form->currentPanel() ? form->currentPanel()->objectName() : QString(); }
    template <typename T>
    T* child(const char* name) const { return form->findChild<T*>(QString::fromLatin1(name)); }
    void click(const QString& name) const { QTest::mouseClick(panel(name), Qt::LeftButton); }
    void play(const QString& number)
    {
        QuestionSource::pose(Rules::methodName(), {number});
        QTest::mouseClick(child<QPushButton>("BitBtnPlay"), Qt::LeftButton);
    }
    // Types the boxes as a learner does, each into the box the highlight is
    // on: a box whose text is shorter than the box is left with Tab.
    void work(const QList<std::pair<QString, QString>>& boxes)
    {
        for (const auto& [box, digits] : boxes) {
            QVERIFY2(current() == box, qPrintable(current() + " instead of " + box));
            typeDigits(form, digits);
            if (current() == box)
                press(form, Qt::Key_Tab);
        }
    }
    QString btnTime() const { return child<QPushButton>("btnTime")->text(); }
    IniFile learnerFile() const { return IniFile(screen.env.path(QStringLiteral("users/Ann.ini"))); }
};

QList<std::pair<QString, QString>> solution(qint64 number, bool withMental = true)
{
    QList<std::pair<QString, QString>> boxes;
    for (const RuleBox& b : Rules::solve(Rules::Question{number}).boxes)
        if (!b.unused && (withMental || !b.mental))
            boxes.append({b.box, b.text});
    return boxes;
}

} // namespace

class TestPractiseSquareRoot : public QObject
{
    Q_OBJECT
private slots:
    void opens_with_eight_digits_laid_out()
    {
        Opened s;
        QVERIFY(s.form);
        QCOMPARE(s.form->caption(), QStringLiteral("SQUAREROOT : 8-DIGIT"));
        QCOMPARE(s.form->workingPanels().size(), 53);
        QVERIFY(s.panel("pnlWorking43")->isVisible() && s.panel("pnlQuestion7")->isVisible());
        QCOMPARE(s.panel("pnlMover")->geometry(), QRect(19, 61, 233, 242));
        s.click("pnlOpt3Digit");
        QCOMPARE(s.form->caption(), QStringLiteral("SQUAREROOT : 3-DIGIT"));
        QCOMPARE(s.form->workingPanels().size(), 16);
        QVERIFY(!s.panel("pnlWorking43")->isVisible() && !s.panel("pnlQuestion1")->isVisible());
        QVERIFY(!s.panel("pnlWorking2")->isVisible() && !s.panel("pnlWorking3")->isVisible()); // one-digit r1², D
        QCOMPARE(s.panel("pnlMover")->geometry(), QRect(97, 61, 155, 242));
        QCOMPARE(s.child<QWidget>("imgSqrtSymbol")->x(), 78 - 22);
    }

    void a_typed_four_digit_solution_is_right_and_timed()
    {
        Opened s;
        s.play(QStringLiteral("5125"));
        QCOMPARE(s.form->caption(), QStringLiteral("SQUAREROOT : 4-DIGIT")); // the number chose its option
        QCOMPARE(s.texts({"pnlQuestion1", "pnlQuestion2", "pnlQuestion3", "pnlQuestion4", "pnlQuestion4R"}),
                 QStringLiteral("5 1 2 5 5"));
        QVERIFY(s.child<QWidget>("separatorQD34")->isVisible() && !s.child<QWidget>("separatorQD56_1")->isVisible());
        QCOMPARE(statusText(s.form), QStringLiteral("7 :   V¯51 = 7.---  ;   (7 ² = 49, 8 ² = 64)"));
        QCOMPARE(s.panel("pnlQuestion1")->color(), SysColors::Yellow);
        QCOMPARE(s.panel("pnlQuestion3")->color(), SysColors::buttonFace());

        s.seams.advanceSeconds(30);
        s.work({{"pnlWorking0", "7"}, {"pnlWorking2", "4"}, {"pnlWorking12", "9"}, {"pnlWorking3", "0"},
                {"pnlWorking13", "2"}, {"pnlWorking14", "10"}, {"pnlWorking5", "1"}, {"pnlWorking6", "49"},
                {"pnlWorking7", "014"}, {"pnlWorking8", "01"}, {"pnlWorking9", "1"}, {"pnlWorking10", "4"},
                {"pnlWorking11", "1"}});
        // With 014 and 01 written the head of the subtrahend has one digit:
        // pnlWorking9 took one digit and moved on.
        QCOMPARE(s.form->workingPanels().at(10).Width, 1);
        QCOMPARE(s.text("pnlWorking9"), QStringLiteral("1"));
        QCOMPARE(statusText(s.form), QStringLiteral("2 - 1 = 1  -->[1--> <--2] --> 12"));
        QCOMPARE(s.panel("pnlQuestion3")->color(), SysColors::Yellow);
        typeDigits(s.form, QStringLiteral("05"));
        QCOMPARE(s.text("pnlWorking29"), QStringLiteral("5")); // the mirror drops the leading zero
        press(s.form, Qt::Key_Q);
        typeDigits(s.form, QStringLiteral("12"));
        QCOMPARE(s.texts({"pnlWorking29", "pnlQuestion4R", "pnlWorking4445R", "pnlWorking46R"}),
                 QStringLiteral("12 5 4 1"));
        QCOMPARE(s.panel("pnlWorking4445R")->color(), SysColors::buttonFace());
        s.work({{"pnlWorking51", "4"}, {"pnlWorking50", "8"}});
        press(s.form, Qt::Key_Escape);

        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.texts({"pnlAnswer1", "pnlAnswer0", "pnlRemainder0", "pnlRemainder1"}), QStringLiteral("7 1 8 4"));
        QVERIFY(s.panel("pnlAnswer1")->isVisible() && s.panel("pnlRemainder1")->isVisible());
        QVERIFY(!s.panel("pnlAnswer2")->isVisible() && !s.panel("pnlRemainder2")->isVisible());
        QVERIFY(s.child<QLabel>("lblMyRemainder")->isVisible() && s.child<QLabel>("lblActualAnswer")->isVisible());
        QVERIFY(!s.child<QWidget>("imgJump")->isVisible());
        QCOMPARE(s.panel("pnlWorking29")->color(), SysColors::buttonFace());
        QCOMPARE(s.btnTime(), QStringLiteral("0:30"));
        QCOMPARE(s.text("pnlCorrect") + '/' + s.text("pnlTotal"), QStringLiteral("1/1"));
        for (const WorkingPanelEntry& e : s.form->workingPanels())
            QVERIFY2(e.Panel->color() != SysColors::Red, qPrintable(e.Panel->objectName()));

        // The actual steps, and the mirrors rewritten from them.
        press(s.form, Qt::Key_Space);
        QCOMPARE(s.texts({"pnlWorking7", "pnlWorking8", "pnlWorking9", "pnlWorking18", "pnlWorking29"}),
                 QStringLiteral("014 01 1 12 12"));
        QVERIFY(!s.child<QLabel>("lblMyRemainder")->isVisible());

        // RESTART brings the 4-digit option back with the same number.
        s.click("pnlOpt7Digit");
        QCOMPARE(s.form->workingPanels().size(), 53);
        QTest::mouseClick(s.child<QPushButton>("BitBtnRewind"), Qt::LeftButton);
        QCOMPARE(s.form->caption(), QStringLiteral("SQUAREROOT : 4-DIGIT"));
        QCOMPARE(s.text("pnlQuestion2"), QStringLiteral("1"));
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());

        QVERIFY(s.form->closeForm());
        const IniFile ini = s.learnerFile();
        QCOMPARE(ini.readInteger(QStringLiteral("SquareRoot"), QStringLiteral("Option"), 0), 2);
        QCOMPARE(qRound(ini.readTime(QStringLiteral("SquareRoot"), QStringLiteral("Time4"), 0) * 86400), 30);
        QCOMPARE(ini.readTime(QStringLiteral("SquareRoot"), QStringLiteral("Time8"), -1), 0.0);
        QCOMPARE(ini.readInteger(QStringLiteral("SquareRoot"), QStringLiteral("Total"), 0), 2);
        QCOMPARE(ini.readInteger(QStringLiteral("SquareRoot"), QStringLiteral("Correct"), 0), 1);
    }

    void a_typed_eight_digit_solution_is_right()
    {
        Opened s;
        s.play(QStringLiteral("39336472"));
        QCOMPARE(s.text("pnlQuestion0") + s.text("pnlQuestion7") + s.text("pnlQuestion7R"), QStringLiteral("322"));
        s.work(solution(39336472));
        // The last round's column sums and the remainder are entered from the right.
        QCOMPARE(s.texts({"pnlWorking44", "pnlWorking45", "pnlWorking46", "pnlWorking47", "pnlWorking48", "pnlWorking49"}),
                 QStringLiteral("0 1 5 4 4 1"));
        QCOMPARE(s.texts({"pnlWorking29", "pnlWorking4445R", "pnlWorking46R", "pnlWorking49R", "pnlWorking27", "pnlWorking28"}),
                 QStringLiteral("02 1 5 1 2 9"));
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.texts({"pnlAnswer3", "pnlAnswer2", "pnlAnswer1", "pnlAnswer0"}), QStringLiteral("6 2 7 1"));
        QCOMPARE(s.texts({"pnlRemainder0", "pnlRemainder1", "pnlRemainder2", "pnlRemainder3", "pnlRemainder4"}),
                 QStringLiteral("1 1 0 3 1"));

        // A remainder below 100 may leave its three leading boxes empty.
        s.play(QStringLiteral("91661518")); // 9574, remainder 42
        QList<std::pair<QString, QString>> boxes = solution(91661518);
        for (const char* leading : {"pnlWorking50", "pnlWorking51", "pnlWorking52"})
            QCOMPARE(boxes.takeLast().first, QLatin1String(leading));
        s.work(boxes);
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.texts({"pnlWorking50", "pnlWorking51", "pnlWorking52"}), QStringLiteral("0 0 0"));
    }

    void up_and_down_jump_to_the_root_digit_of_the_round()
    {
        Opened s;
        s.play(QStringLiteral("39336472"));
        auto* jump = s.child<QWidget>("imgJump");
        QVERIFY(!jump->isVisible()); // r1 leads nowhere
        const QList<std::pair<QString, QString>> jumps = {
            {"pnlWorking13", "pnlWorking5"}, {"pnlWorking15", "pnlWorking5"}, {"pnlWorking26", "pnlWorking15"},
            {"pnlWorking30", "pnlWorking15"}, {"pnlWorking48", "pnlWorking31"}, {"pnlWorking50", "pnlWorking31"}};
        for (const auto& [from, to] : jumps) {
            s.click(from);
            QVERIFY2(jump->isVisible(), qPrintable(from));
            QCOMPARE(jump->parentWidget()->x(), s.panel(to)->x());
            press(s.form, from.endsWith('0') ? Qt::Key_Down : Qt::Key_Up);
            QCOMPARE(s.current(), to);
        }
        s.click("pnlWorking7");
        QVERIFY(!jump->isVisible());
        press(s.form, Qt::Key_Down);
        QCOMPARE(s.current(), QStringLiteral("pnlWorking7"));

        press(s.form, Qt::Key_Escape);
        QVERIFY(!jump->isVisible());
        s.play(QStringLiteral("5125"));
        for (const char* from : {"pnlWorking18", "pnlWorking51", "pnlWorking50"}) {
            s.click(from);
            press(s.form, Qt::Key_Up);
            QCOMPARE(s.current(), QStringLiteral("pnlWorking5"));
        }
        s.click("pnlWorking13"); // no jump from the first difference of four digits
        press(s.form, Qt::Key_Up);
        QCOMPARE(s.current(), QStringLiteral("pnlWorking13"));
    }

    void with_mental_boxes_hidden_the_answer_decides_and_mental_boxes_stay_wrong()
    {
        Opened s;
        s.child<QCheckBox>("chkHideMentalBoxes")->click();
        s.play(QStringLiteral("5125"));
        QVERIFY(!s.panel("pnlWorking7")->isVisible() && !s.panel("pnlWorking14")->isVisible());
        // With r1 and r2 typed, the head of the subtrahend is known to have
        // one digit: one digit completes pnlWorking9.
        s.work({{"pnlWorking0", "7"}, {"pnlWorking3", "0"}, {"pnlWorking13", "2"}, {"pnlWorking5", "1"}});
        typeDigits(s.form, QStringLiteral("1"));
        QCOMPARE(s.current(), QStringLiteral("pnlWorking10"));
        s.work({{"pnlWorking10", "4"}, {"pnlWorking11", "1"}, {"pnlWorking18", "12"}, {"pnlWorking51", "4"},
                {"pnlWorking50", "8"}});
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.text("pnlCorrect"), QStringLiteral("1"));
        s.child<QCheckBox>("chkHideMentalBoxes")->click();
        QVERIFY(s.panel("pnlWorking7")->isVisible());
        QCOMPARE(s.panel("pnlWorking7")->color(), SysColors::Red);
        QCOMPARE(s.panel("pnlWorking5")->color(), SysColors::window());

        // A wrong mental box and a wrong remainder: the problem is wrong.
        s.play(QStringLiteral("5125"));
        s.work({{"pnlWorking0", "7"}, {"pnlWorking2", "4"}, {"pnlWorking12", "9"}, {"pnlWorking3", "0"},
                {"pnlWorking13", "2"}, {"pnlWorking14", "10"}, {"pnlWorking5", "1"}, {"pnlWorking6", "49"},
                {"pnlWorking7", "015"}});
        press(s.form, Qt::Key_End);
        typeDigits(s.form, QStringLiteral("7"));
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());
        QCOMPARE(s.panel("pnlWorking7")->color(), SysColors::Red);
        QCOMPARE(s.panel("pnlWorking50")->color(), SysColors::Red);
    }

    void options_and_best_times_are_stored_and_restored()
    {
        {
            Opened s("[SquareRoot]\r\nOption=3\r\nTime5=0.0001\r\nTime8=0.0002\r\nTotal=7\r\nCorrect=4\r\n");
            QCOMPARE(s.form->selectedDigits(), 5);
            QCOMPARE(s.form->workingPanels().size(), 30);
            QCOMPARE(s.btnTime(), QStringLiteral("0:08"));
            s.click("pnlOpt8Digit");
            QCOMPARE(s.btnTime(), QStringLiteral("0:17"));
            s.click("pnlOpt6Digit");
            QVERIFY(s.form->closeForm());
            const IniFile ini = s.learnerFile();
            QCOMPARE(ini.readInteger(QStringLiteral("SquareRoot"), QStringLiteral("Option"), 0), 4);
            QCOMPARE(qRound(ini.readTime(QStringLiteral("SquareRoot"), QStringLiteral("Time8"), 0) * 86400), 17);
            QCOMPARE(ini.readInteger(QStringLiteral("SquareRoot"), QStringLiteral("Total"), 0), 7);
        }
        Opened stored("[SquareRoot]\r\nOption=4\r\n");
        QCOMPARE(stored.form->selectedDigits(), 6);
        Opened none("[SquareRoot]\r\nTotal=1\r\n");
        QCOMPARE(none.form->selectedDigits(), 3);
    }

    void a_custom_number_is_played_under_the_root_sign()
    {
        Opened s;
        s.click("pnlOpt6Digit");
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* dialog = qobject_cast<TCustomQuestionForm*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = QStringLiteral("%1 %2 %3 %4")
                       .arg(dialog->findChild<QWidget*>(QStringLiteral("imgSqrtSymbol"))->isVisible())
                       .arg(dialog->findChild<Panel*>(QStringLiteral("pnlOptQuestionDigit"))->caption())
                       .arg(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion"))->maxLength())
                       .arg(dialog->width());
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtQuestion")), QStringLiteral("852741"));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        QTest::mouseClick(s.child<QPushButton>("BitBtnCustom"), Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("1 6-Digit 6 249"));
        QTest::mouseClick(s.child<QPushButton>("BitBtnPlay"), Qt::LeftButton);
        QCOMPARE(s.form->question().number, qint64(852741));
        QCOMPARE(s.texts({"pnlQuestion0", "pnlQuestion5", "pnlQuestion4R", "pnlQuestion5R"}), QStringLiteral("8 1 4 1"));
        s.work(solution(852741));
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.texts({"pnlRemainder0", "pnlRemainder1", "pnlRemainder2"}), QStringLiteral("8 1 2"));
        // The next PLAY draws a 6-digit number again, never the same.
        QTest::mouseClick(s.child<QPushButton>("BitBtnPlay"), Qt::LeftButton);
        QCOMPARE(s.form->question().digits(), 6);
        QVERIFY(s.form->question().number != 852741);
    }
};

QTEST_MAIN(TestPractiseSquareRoot)
#include "tst_PractiseSquareRoot.moc"
