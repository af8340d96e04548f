#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ScreenTesting.h"
#include "PracticeTestSupport.h"
#include "TestEnvironment.h"
#include "platform/IniFile.h"
#include "shell/Shape.h"
#include "shell/UpDown.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"
#include "shell/WhatsThisMenu.h"

namespace {

const QString Method = QStringLiteral("test-workbench");
const QString Section = QStringLiteral("TestWorkbench");

// A small screen on the workbench: five boxes in a row (widths 1, 3, 2, 1,
// 2; box 2 is mental), boxes 1 and 4 hold the answer. A question is the five
// expected values, "-" for a box the problem does not use: "4,7,12,-,35".
// Two options, one best time each. It notes the hooks as they are called.
class TTestPractiseForm : public TPractise0BaseForm
{
    Q_OBJECT
public:
    explicit TTestPractiseForm(BoxOrderKind order, EntryStyleKind style)
    {
        setObjectName(QStringLiteral("TestPractiseForm"));
        static const int widths[] = {1, 3, 2, 1, 2};
        for (int i = 0; i < 5; ++i) {
            auto* p = new Panel(this, QStringLiteral("pnlWorking%1").arg(i));
            p->setGeometry(160 + 64 * i, 150, 14 + 10 * widths[i], 25);
            p->setBevelOuter(Panel::Bevel::Lowered);
            int link = -1;
            if (style == CarryPairEntry && widths[i] == 2) {
                auto* carry = new Panel(this, QStringLiteral("pnlCarry%1").arg(CarryPanels.size()));
                carry->setGeometry(144 + 64 * i, 150, 14, 14);
                link = AddCarryPanel(carry);
            }
            AddWorkingPanel(p, widths[i], link);
        }
        auto* question = new Panel(this, QStringLiteral("pnlQuestion0"));
        question->setGeometry(160, 100, 200, 25);
        AddQuestionPanel(question);
        for (int i = 0; i < 2; ++i) {
            auto* answer = new Panel(this, QStringLiteral("pnlAnswer%1").arg(i));
            answer->setGeometry(224 + 192 * i, 200, 40, 25);
            answer->hide();
            AddAnswerPanel(answer);
        }
        AddMyAnswerPanel(WorkingPanels[1].Panel);
        AddMyAnswerPanel(WorkingPanels[4].Panel);
        m_one = AddOptionButton(QStringLiteral("btnOptionOne"), QStringLiteral("One"));
        m_two = AddOptionButton(QStringLiteral("btnOptionTwo"), QStringLiteral("Two"));
        CurrentOption = m_one;
        SetUpScreen({Section, 700, 20270, style, order, true});
        ResetWorkingPanels();
    }

    QStringList hooks;
    double best[3] = {0, 0, 0};

protected:
    void NewQuestion() override
    {
        hooks << QStringLiteral("NewQuestion");
        m_question = QuestionSource::takePosed(Method);
    }
    void ShowQuestion() override
    {
        hooks << QStringLiteral("ShowQuestion");
        QuestionPanels[0].Panel->setCaption(m_question);
    }
    void ShowActualAnswer() override
    {
        hooks << QStringLiteral("ShowActualAnswer");
        AnswerPanels[0].Panel->setCaption(WorkingPanels.value(1).ActualAnswer);
        AnswerPanels[1].Panel->setCaption(WorkingPanels.value(4).ActualAnswer);
    }
    void BuildWorkingPanels() override
    {
        hooks << QStringLiteral("BuildWorkingPanels");
        ResetWorkingPanels();
        const QStringList values = m_question.split(QLatin1Char(','));
        for (int i = 0; i < WorkingPanels.size(); ++i) {
            WorkingPanelEntry& e = WorkingPanels[i];
            const QString v = values.value(i, QStringLiteral("-"));
            e.IsUnused = v == QLatin1String("-");
            e.IsMental = i == 2;
            e.ExpectedValue = e.IsUnused ? 0 : v.toInt();
            e.ActualAnswer = e.IsUnused ? QString() : PadLeft(v, e.Width, QLatin1Char('0'));
            SetWorkingPanelHint(e.Panel, QStringLiteral("box %1 = %2|").arg(i).arg(v));
        }
        // On a carry-pair screen a two-digit value is its units digit in
        // the box and its tens digit in the carry box.
        for (WorkingPanelEntry& e : WorkingPanels) {
            if (e.CarryLink < 0)
                continue;
            CarryPanels[e.CarryLink].ExpectedDigit = e.ExpectedValue / 10;
            e.ExpectedValue %= 10;
            e.ActualAnswer = QString::number(e.ExpectedValue);
        }
        TPractise0BaseForm::BuildWorkingPanels();
    }
    void CheckWorkingPanels() override
    {
        hooks << QStringLiteral("CheckWorkingPanels");
        pnlViewAnswers->show();
        TPractise0BaseForm::CheckWorkingPanels();
    }
    void ShowColorHints(QWidget* panel) override
    {
        if (panel == WorkingPanels.value(4).Panel)
            QuestionPanels[0].Panel->setColor(SysColors::Yellow);
    }
    void WorkingPanelChanged(QWidget*) override { ++changes; }
    void ClearQuestionPanels() override
    {
        hooks << QStringLiteral("ClearQuestionPanels");
        TPractise0BaseForm::ClearQuestionPanels();
    }
    void ClearAnswerPanels() override
    {
        hooks << QStringLiteral("ClearAnswerPanels");
        TPractise0BaseForm::ClearAnswerPanels();
    }
    void ClearWorkingPanels() override
    {
        hooks << QStringLiteral("ClearWorkingPanels");
        TPractise0BaseForm::ClearWorkingPanels();
    }
    void HideOptionPanels() override
    {
        hooks << QStringLiteral("HideOptionPanels");
        TPractise0BaseForm::HideOptionPanels();
    }
    void ShowOptionPanels() override
    {
        hooks << QStringLiteral("ShowOptionPanels");
        TPractise0BaseForm::ShowOptionPanels();
    }
    void EvaluateAnswer() override
    {
        hooks << QStringLiteral("EvaluateAnswer");
        TPractise0BaseForm::EvaluateAnswer();
    }
    void UpdateScores() override
    {
        hooks << QStringLiteral("UpdateScores");
        TPractise0BaseForm::UpdateScores();
    }
    bool UpdateBestTime(double elapsed) override
    {
        hooks << QStringLiteral("UpdateBestTime");
        const int k = GetOptionIndex();
        if (!IsNewBestTime(IsCorrect, elapsed, best[k]))
            return false;
        best[k] = elapsed;
        return true;
    }
    void SaveBestTimes(IniFile& file) override
    {
        file.writeTime(SectionName, QStringLiteral("Time1"), best[1]);
        file.writeTime(SectionName, QStringLiteral("Time2"), best[2]);
    }
    void LoadBestTimes(const IniFile& file) override
    {
        best[1] = file.readTime(SectionName, QStringLiteral("Time1"), 0);
        best[2] = file.readTime(SectionName, QStringLiteral("Time2"), 0);
    }
    void SelectBestTime() override
    {
        hooks << QStringLiteral("SelectBestTime");
        BestTimeText = FormatElapsed(best[GetOptionIndex()]);
    }
    int GetOptionIndex() override { return CurrentOption == m_two ? 2 : 1; }
    Panel* GetOptionButton(int n) override { return n == 2 ? m_two : n == 1 ? m_one : nullptr; }

public:
    int changes = 0;
    // The operations a free-entry screen calls on its own boxes.
    void formatBox(int i, int mode) { FormatWorkingPanel(WorkingPanels[i].Panel, mode); }
    void setBoxFontWidth(int i, int width) { SetWorkingPanelFontColor(WorkingPanels[i].Panel, width); }
    QColor storedFontColor(int i) const { return WorkingPanels[i].FontColor; }
    // Lays the boxes out again: these boxes, in this order; the question
    // and answer panels as they were.
    void layOutAgain(const QList<int>& boxes)
    {
        const QList<PanelEntry> question = QuestionPanels;
        const QList<PanelEntry> answers = AnswerPanels;
        const QList<PanelEntry> mine = MyAnswerPanels;
        ClearPanelLists();
        for (int i : boxes)
            AddWorkingPanel(findChild<Panel*>(QStringLiteral("pnlWorking%1").arg(i)), 1);
        AddQuestionPanel(question.first().Panel);
        for (int k = 0; k < answers.size(); ++k) {
            AddAnswerPanel(answers.at(k).Panel);
            AddMyAnswerPanel(mine.at(k).Panel);
        }
    }

private:
    Panel* m_one = nullptr;
    Panel* m_two = nullptr;
    QString m_question;
};

struct Opened {
    TestEnvironment env;
    PracticeSeams seams;
    TfrmMain main;
    TTestPractiseForm* form = nullptr;

    explicit Opened(TPractise0BaseForm::BoxOrderKind order = TPractise0BaseForm::LeftToRight,
                    TPractise0BaseForm::EntryStyleKind style = TPractise0BaseForm::FreeEntry,
                    const QByteArray& learnerFile = QByteArray())
    {
        env.signIn(QStringLiteral("Ann"));
        main.show();
        if (!learnerFile.isNull())
            env.writeFile(QStringLiteral("users/Ann.ini"), learnerFile);
        main.openScreen(Strings::TitleSquare2Digit, true, [order, style] { return new TTestPractiseForm(order, style); });
        form = onlyChild<TTestPractiseForm>(main);
        env.sounds.clear();
        env.help.clear();
        env.dialogs.clear();
    }
    Panel* box(int i) const { return panelOf(form, QStringLiteral("pnlWorking%1").arg(i)); }
    QWidget* current() const { return form->currentPanel(); }
    IniFile learnerFile() const { return IniFile(env.path(QStringLiteral("users/Ann.ini"))); }
    template <typename T>
    T* child(const char* name) const { return form->findChild<T*>(QString::fromLatin1(name)); }
    void play(const QString& question)
    {
        QuestionSource::pose(Method, {question});
        press(form, Qt::Key_Return);
    }
};

} // namespace

class TestWorkbench : public QObject
{
    Q_OBJECT
private slots:
    void elapsed_times_format_as_minutes_and_seconds()
    {
        using F = TPractise0BaseForm;
        QCOMPARE(F::FormatElapsed(0), QString(TextChars::EmDash) + QLatin1Char(':') + QString(TextChars::EmDash));
        QCOMPARE(F::FormatElapsed(7.0 / 86400), QStringLiteral("0:07"));
        QCOMPARE(F::FormatElapsed(754.0 / 86400), QStringLiteral("12:34"));
        QCOMPARE(F::FormatElapsed(3725.0 / 86400), QStringLiteral("1:02:05"));
        // Differences of two date-times carry rounding noise; 60 s stays 1:00.
        QCOMPARE(F::FormatElapsed((45000.25 + 60.0 / 86400) - 45000.25), QStringLiteral("1:00"));
        QCOMPARE(F::FormatElapsed(59.9 / 86400), QStringLiteral("0:59"));
    }

    void best_time_rule()
    {
        using F = TPractise0BaseForm;
        QVERIFY(F::IsNewBestTime(true, 0.001, 0));      // none stored yet
        QVERIFY(F::IsNewBestTime(true, 0.001, 0.002));  // strictly faster
        QVERIFY(!F::IsNewBestTime(true, 0.002, 0.002)); // as fast: kept
        QVERIFY(!F::IsNewBestTime(true, 0.003, 0.002));
        QVERIFY(!F::IsNewBestTime(false, 0.001, 0));    // wrong never sets
        QVERIFY(!F::IsNewBestTime(false, 0.001, 0.002));
    }

    void idle_screen_as_created()
    {
        Opened s;
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 2-DIGIT : ONE"));
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Idle));
        QVERIFY(s.child<QPushButton>("BitBtnPlay")->isEnabled());
        QVERIFY(s.child<QPushButton>("BitBtnCustom")->isEnabled());
        QVERIFY(!s.child<QPushButton>("BitBtnStop")->isEnabled());
        QVERIFY(!s.child<QPushButton>("BitBtnRewind")->isEnabled());
        QVERIFY(!s.child<QWidget>("pnlViewAnswers")->isVisible());
        QVERIFY(!s.child<QWidget>("pnlRightWrong")->isVisible());
        QCOMPARE(s.child<QPushButton>("btnTime")->text(), TPractise0BaseForm::FormatElapsed(0));
        QCOMPARE(Hints::hint(s.child<QWidget>("shpLights")),
                 QStringLiteral("Beginner : \r\nRed : 0-49 %; Amber : 50-74 %; Green : 75-100 %"));
        QCOMPARE(statusText(s.form), QStringLiteral("Press PLAY button or hit ENTER key on your keyboard to start."));
        QCOMPARE(Hints::helpContext(s.form), 700);
        // Keys that need an attempt do nothing while idle.
        press(s.form, Qt::Key_Tab);
        typeDigits(s.form, QStringLiteral("5"));
        QCOMPARE(s.box(0)->caption(), QString());
        QVERIFY(s.env.dialogs.boxes.isEmpty());
    }

    void hooks_run_in_their_order()
    {
        Opened s;
        s.form->hooks.clear();
        s.play(QStringLiteral("4,7,12,-,35"));
        // The new question comes before the best time shown: it may select
        // the option whose best time that is.
        QCOMPARE(s.form->hooks,
                 QStringList({"ClearQuestionPanels", "ClearAnswerPanels", "ClearWorkingPanels", "HideOptionPanels",
                              "NewQuestion", "SelectBestTime", "BuildWorkingPanels", "ShowQuestion"}));
        s.form->hooks.clear();
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.form->hooks, QStringList({"ShowActualAnswer", "CheckWorkingPanels", "EvaluateAnswer", "UpdateScores",
                                             "UpdateBestTime", "ShowOptionPanels"}));
        // RESTART works the same question: no new question.
        s.form->hooks.clear();
        s.child<QPushButton>("BitBtnRewind")->click();
        QVERIFY(!s.form->hooks.contains(QStringLiteral("NewQuestion")));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlQuestion0")), QStringLiteral("4,7,12,-,35"));
        QVERIFY(s.env.sounds.calls.contains(QStringLiteral("resource REDO async")));
    }

    void a_right_attempt_counts_and_sets_the_best_time()
    {
        Opened s;
        s.play(QStringLiteral("4,7,12,-,35"));
        QVERIFY(Globals::Practising);
        QCOMPARE(s.env.sounds.calls.value(0), QStringLiteral("resource PLAY async"));
        QVERIFY(!s.child<QWidget>("PnlOptions")->isVisible());
        QVERIFY(!s.child<QWidget>("pnlCorrect")->isVisible());
        QVERIFY(!s.child<QPushButton>("BitBtnClose")->isEnabled());
        // Box 3 is unused: hidden and skipped.
        QVERIFY(!s.box(3)->isVisible());
        QCOMPARE(s.current(), s.box(0));
        QCOMPARE(s.box(0)->color(), SysColors::Lime);
        QCOMPARE(statusText(s.form), QStringLiteral("box 0 = 4"));

        typeDigits(s.form, QStringLiteral("4"));    // width 1: complete, moves on
        QCOMPARE(s.current(), s.box(1));
        QCOMPARE(s.box(1)->color(), SysColors::Aqua);
        typeDigits(s.form, QStringLiteral("7"));
        press(s.form, Qt::Key_Tab);                  // leaves "7" as "007"
        QCOMPARE(s.box(1)->caption(), QStringLiteral("007"));
        typeDigits(s.form, QStringLiteral("12"));    // box 2 complete; box 3 skipped
        QCOMPARE(s.current(), s.box(4));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlQuestion0")), QStringLiteral("4,7,12,-,35"));
        QCOMPARE(panelOf(s.form, QStringLiteral("pnlQuestion0"))->color(), SysColors::Yellow); // colour hint
        typeDigits(s.form, QStringLiteral("35"));
        QCOMPARE(s.current(), s.box(0));             // wrapped round

        s.seams.advanceSeconds(83);
        press(s.form, Qt::Key_Escape);
        QVERIFY(!Globals::Practising);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Finished));
        QCOMPARE(s.form->currentIndex(), -1);
        QCOMPARE(s.current(), s.child<QWidget>("pnlRightWrong"));
        QCOMPARE(s.child<Panel>("pnlRightWrong")->color(), SysColors::Lime);
        QVERIFY(s.child<QLabel>("imgRight")->isVisible());
        QVERIFY(!s.child<QLabel>("imgWrong")->isVisible());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("1"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("1"));
        QCOMPARE(s.child<QPushButton>("btnTime")->text(), QStringLiteral("1:23"));
        QVERIFY(!s.child<QLabel>("lblBestTime")->isVisible());
        QVERIFY(s.child<QWidget>("pnlAnswer0")->isVisible());
        for (int i : {0, 1, 2, 4})
            QCOMPARE(s.box(i)->color(), SysColors::window());
        // New best time: pop-up at a position, BestTime synchronously, then the answer sound.
        QCOMPARE(s.env.help.requests.size(), 2);
        QCOMPARE(s.env.help.requests[0].command, unsigned(Help::HELP_SETPOPUP_POS));
        QCOMPARE(s.env.help.requests[1].command, unsigned(Help::HELP_CONTEXTPOPUP));
        QCOMPARE(s.env.help.requests[1].data.toInt(), 20105);
        const QStringList tail = s.env.sounds.calls.mid(s.env.sounds.calls.size() - 2);
        QCOMPARE(tail.value(0), QStringLiteral("resource BESTTIME sync"));
        QVERIFY(tail.value(1) == QStringLiteral("resource CONGRATULATIONS async") || tail.value(1).startsWith(QStringLiteral("file")));
        QVERIFY(qAbs(s.form->best[1] - 83.0 / 86400) < 1e-9);
        // The stopwatch button flips between my time and the best time.
        s.child<QPushButton>("btnTime")->click();
        QCOMPARE(s.child<QPushButton>("btnTime")->text(), QStringLiteral("1:23"));
        QVERIFY(s.child<QLabel>("lblBestTime")->isVisible());
        QCOMPARE(s.child<QPushButton>("btnTime")->palette().color(QPalette::ButtonText), SysColors::Blue);

        press(s.form, Qt::Key_Escape); // closes from finished and saves
        QVERIFY(s.main.childForms().isEmpty());
        const IniFile ini = s.learnerFile();
        QCOMPARE(ini.readInteger(Section, QStringLiteral("Option"), 0), 1);
        QCOMPARE(ini.readInteger(Section, QStringLiteral("Total"), 0), 1);
        QCOMPARE(ini.readInteger(Section, QStringLiteral("Correct"), 0), 1);
        QVERIFY(qAbs(ini.readTime(Section, QStringLiteral("Time1"), 0) - 83.0 / 86400) < 1e-12);
        QCOMPARE(ini.readTime(Section, QStringLiteral("Time2"), -1), 0.0);
    }

    void wrong_attempts_and_equal_times_keep_the_best_time()
    {
        const double best = 60.0 / 86400;
        Opened s(TPractise0BaseForm::LeftToRight, TPractise0BaseForm::FreeEntry,
                 "[TestWorkbench]\r\nTime1=" + IniFile::formatTime(best).toLatin1() + "\r\nTotal=4\r\nCorrect=2\r\n");
        QCOMPARE(s.child<QPushButton>("btnTime")->text(), QStringLiteral("1:00"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("4"));

        // Wrong (box 4 left empty) and fast: not a best time.
        s.play(QStringLiteral("4,7,12,-,35"));
        QCOMPARE(s.child<Panel>("pnlTime")->caption(), QStringLiteral("1:00"));
        QCOMPARE(s.child<Panel>("pnlTime")->fontColor(), SysColors::Blue);
        typeDigits(s.form, QStringLiteral("4007"));
        s.seams.advanceSeconds(10);
        press(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->isCorrect());
        QVERIFY(s.child<QLabel>("imgWrong")->isVisible());
        QCOMPARE(s.box(4)->color(), SysColors::Red);
        QCOMPARE(s.box(4)->fontColor(), SysColors::White);
        QVERIFY(s.box(4)->isBold());
        QCOMPARE(s.box(2)->color(), SysColors::Red); // empty mental box: wrong too
        QCOMPARE(s.form->best[1], best);
        QVERIFY(!s.env.sounds.calls.contains(QStringLiteral("resource BESTTIME sync")));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("5"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("2"));

        // Right, exactly as fast: kept.
        s.child<QPushButton>("BitBtnRewind")->click();
        typeDigits(s.form, QStringLiteral("4007") + QStringLiteral("12") + QStringLiteral("35"));
        s.seams.advanceSeconds(60);
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(s.form->best[1], best);
    }

    void free_entry_boxes_are_padded_only_when_left_with_text()
    {
        Opened s;
        s.play(QStringLiteral("4,7,12,-,35"));
        press(s.form, Qt::Key_Tab);                       // box 0 empty: stays empty
        QCOMPARE(s.box(0)->caption(), QString());
        typeDigits(s.form, QStringLiteral("7"));
        s.box(4)->clicked();                              // a click away pads too
        QCOMPARE(s.box(1)->caption(), QStringLiteral("007"));
        QCOMPARE(s.current(), s.box(4));
        typeDigits(s.form, QStringLiteral("3"));
        press(s.form, Qt::Key_Backspace);
        QCOMPARE(s.box(4)->caption(), QString());
        typeDigits(s.form, QStringLiteral("35"));
        QCOMPARE(s.current(), s.box(0));
        s.box(4)->clicked();
        typeDigits(s.form, QStringLiteral("9"));          // a full box starts again
        QCOMPARE(s.box(4)->caption(), QStringLiteral("9"));
        press(s.form, Qt::Key_Delete);
        QCOMPARE(s.box(4)->caption(), QString());
        QVERIFY(s.form->changes >= 5);
        // A click on something that is not a box: beep.
        s.form->HighlightWorkingPanelOnMouseClick(s.child<QWidget>("pnlQuestion0"));
        QCOMPARE(s.env.dialogs.count(QStringLiteral("beep")), 1);
    }

    void free_entry_screens_format_their_own_boxes()
    {
        Opened s;
        s.box(1)->clicked(); // ignored while idle
        QCOMPARE(s.current(), nullptr);
        s.play(QStringLiteral("4,7,12,-,35"));
        QCOMPARE(s.form->storedFontColor(1), SysColors::Fuchsia); // multi-digit box on a free-entry screen
        QCOMPARE(s.box(1)->fontColor(), SysColors::Fuchsia);
        QCOMPARE(s.form->storedFontColor(0), SysColors::windowText());
        press(s.form, Qt::Key_Tab);
        typeDigits(s.form, QStringLiteral("07"));
        s.form->formatBox(1, 1);
        QCOMPARE(s.box(1)->caption(), QStringLiteral("7"));
        s.form->formatBox(1, 2);
        QCOMPARE(s.box(1)->caption(), QStringLiteral("007"));
        s.form->setBoxFontWidth(1, 1);
        QCOMPARE(s.form->storedFontColor(1), SysColors::windowText());
        s.form->setBoxFontWidth(0, 2);
        QCOMPARE(s.form->storedFontColor(0), SysColors::Fuchsia);
    }

    void boxes_laid_out_again_keep_one_click_each()
    {
        Opened s;
        s.form->layOutAgain({0, 1, 2, 3, 4});
        s.form->layOutAgain({3, 1, 0});
        QCOMPARE(s.form->workingPanels().size(), 3);
        QCOMPARE(s.box(0)->tag(), 2);
        s.play(QStringLiteral("5,6,7"));
        QCOMPARE(s.current(), s.box(3));
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.current(), s.box(1));                 // the new order
        s.box(0)->clicked();
        QCOMPARE(s.current(), s.box(0));
        QCOMPARE(s.form->currentIndex(), 2);
        s.box(4)->clicked();                             // out of the list: one beep
        QCOMPARE(s.env.dialogs.count(QStringLiteral("beep")), 1);
    }

    void moves_wrap_round_and_skip_hidden_boxes()
    {
        Opened s;
        s.play(QStringLiteral("4,7,12,-,35"));
        s.child<QCheckBox>("chkHideMentalBoxes")->click(); // box 2 hidden; box 3 unused
        QVERIFY(!s.box(2)->isVisible());
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.current(), s.box(1));
        press(s.form, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(s.current(), s.box(4));
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.current(), s.box(0));                 // next from the last wraps
        press(s.form, Qt::Key_Q);
        QCOMPARE(s.current(), s.box(4));                 // previous from the first wraps
        press(s.form, Qt::Key_F2);
        QCOMPARE(s.current(), s.box(1));
        press(s.form, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(s.current(), s.box(0));
        press(s.form, Qt::Key_End);
        QCOMPARE(s.current(), s.box(4));
        press(s.form, Qt::Key_Home);
        QCOMPARE(s.current(), s.box(0));
        press(s.form, Qt::Key_Right);                    // left to right: Right is next
        QCOMPARE(s.current(), s.box(1));
        press(s.form, Qt::Key_Left);
        QCOMPARE(s.current(), s.box(0));
        // Hiding the current mental box moves the highlight on.
        s.child<QCheckBox>("chkHideMentalBoxes")->click();
        press(s.form, Qt::Key_Tab);
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.current(), s.box(2));
        s.child<QCheckBox>("chkHideMentalBoxes")->click();
        QCOMPARE(s.current(), s.box(4));
    }

    void arrows_after_stop_follow_the_box_order_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("afterLeft");
        QTest::addColumn<int>("afterRight");
        QTest::newRow("left to right") << int(TPractise0BaseForm::LeftToRight) << 4 << 0;
        QTest::newRow("right to left") << int(TPractise0BaseForm::RightToLeft) << 0 << 4;
    }
    void arrows_after_stop_follow_the_box_order()
    {
        QFETCH(int, order);
        QFETCH(int, afterLeft);
        QFETCH(int, afterRight);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right}) {
            Opened s{TPractise0BaseForm::BoxOrderKind(order)};
            s.play(QStringLiteral("4,7,12,3,35"));
            press(s.form, Qt::Key_Escape);
            QCOMPARE(s.child<Panel>("pnlRightWrong")->color(), SysColors::Lime);
            press(s.form, key);
            QCOMPARE(s.current(), s.box(key == Qt::Key_Left ? afterLeft : afterRight));
            QCOMPARE(s.child<Panel>("pnlRightWrong")->color(), SysColors::buttonFace());
            // The highlight shows on a red (wrong) box in black on lime or aqua.
            QCOMPARE(static_cast<Panel*>(s.current())->fontColor(), SysColors::Black);
        }
        // Previous and next from "no box".
        Opened s{TPractise0BaseForm::BoxOrderKind(order)};
        s.play(QStringLiteral("4,7,12,3,35"));
        press(s.form, Qt::Key_Escape);
        press(s.form, Qt::Key_Q);
        QCOMPARE(s.current(), s.box(4));
        QCOMPARE(statusText(s.form), QStringLiteral("box 4 = 35"));
    }

    void answer_steps_flip_with_space()
    {
        Opened s;
        s.play(QStringLiteral("4,7,12,-,35"));
        typeDigits(s.form, QStringLiteral("4") + QStringLiteral("123"));
        s.form->BitBtnStopClick();
        QCOMPARE(s.box(1)->color(), SysColors::Red); // "123" for 7
        QCOMPARE(s.box(0)->color(), SysColors::window());
        // pnlViewAnswers is this screen's to show; the workbench flips the steps.
        QVERIFY(s.child<QWidget>("pnlViewAnswers")->isVisible());
        QVERIFY(s.child<QRadioButton>("rdoShowMyAnswerSteps")->isChecked());
        press(s.form, Qt::Key_Space);
        QVERIFY(s.child<QRadioButton>("rdoShowActualAnswerSteps")->isChecked());
        QVERIFY(!s.child<QRadioButton>("rdoShowMyAnswerSteps")->isChecked());
        QCOMPARE(s.box(1)->caption(), QStringLiteral("007"));
        QCOMPARE(s.box(2)->caption(), QStringLiteral("12"));
        QCOMPARE(s.box(4)->caption(), QStringLiteral("35"));
        QVERIFY(s.child<QLabel>("imgRight")->isVisible()); // the actual steps are right
        press(s.form, Qt::Key_Space);
        QVERIFY(s.child<QRadioButton>("rdoShowMyAnswerSteps")->isChecked());
        QCOMPARE(s.box(1)->caption(), QStringLiteral("123"));
        QCOMPARE(s.box(4)->caption(), QString());
        QVERIFY(s.child<QLabel>("imgWrong")->isVisible());
        // PLAY hides the panel and ticks my steps again.
        press(s.form, Qt::Key_Space);
        s.play(QStringLiteral("1,2,3,4,5"));
        QVERIFY(!s.child<QWidget>("pnlViewAnswers")->isVisible());
        QVERIFY(s.child<QRadioButton>("rdoShowMyAnswerSteps")->isChecked());
    }

    void digits_after_stop_cannot_correct_and_the_closing_enter_is_swallowed()
    {
        Opened s;
        s.play(QStringLiteral("4,7,12,-,35"));
        press(s.form, Qt::Key_Escape);
        typeDigits(s.form, QStringLiteral("5"));
        QCOMPARE(s.env.dialogs.texts(QStringLiteral("information")),
                 QStringList({Strings::text(Strings::CannotCorrect)}));
        press(s.form, Qt::Key_Return); // closes the message
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Finished));
        press(s.form, Qt::Key_Backspace);
        press(s.form, Qt::Key_Delete);
        QCOMPARE(s.env.dialogs.count(QStringLiteral("information")), 3);
        for (int i = 0; i < 5; ++i)
            QVERIFY(s.box(i)->caption().isEmpty());
        // The real message box takes the press; only the release comes here.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(s.form, &release);
        s.play(QStringLiteral("1,2,3,4,5"));
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
    }

    void close_is_refused_while_playing()
    {
        Opened s;
        s.play(QStringLiteral("4,7,12,-,35"));
        typeDigits(s.form, QStringLiteral("4"));
        QVERIFY(!s.form->closeForm());
        QCOMPARE(s.env.dialogs.count(QStringLiteral("beep")), 1);
        QCOMPARE(s.env.dialogs.texts(QStringLiteral("information")), QStringList({Strings::text(Strings::UnableToClose)}));
        QCOMPARE(s.main.childForms().size(), 1);
        QCOMPARE(s.box(0)->caption(), QStringLiteral("4"));
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
        QVERIFY(!s.learnerFile().exists());
        press(s.form, Qt::Key_Escape);
        s.child<QPushButton>("BitBtnClose")->click();
        QVERIFY(s.main.childForms().isEmpty());
        QVERIFY(s.env.sounds.calls.contains(QStringLiteral("resource EXITPRACTICE sync")));
        QCOMPARE(s.learnerFile().readInteger(Section, QStringLiteral("Total"), 0), 1);
    }

    void options_load_activate_and_come_back_on_restart()
    {
        Opened s(TPractise0BaseForm::LeftToRight, TPractise0BaseForm::FreeEntry,
                 "[TestWorkbench]\r\nOption=2\r\nTime2=" + IniFile::formatTime(95.0 / 86400).toLatin1() + "\r\n");
        Panel* one = s.child<Panel>("btnOptionOne");
        Panel* two = s.child<Panel>("btnOptionTwo");
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 2-DIGIT : TWO"));
        QCOMPARE(two->color(), SysColors::Lime);
        QCOMPARE(two->bevelOuter(), Panel::Bevel::Lowered);
        QCOMPARE(s.child<QPushButton>("btnTime")->text(), QStringLiteral("1:35"));
        one->clicked();
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 2-DIGIT : ONE"));
        QCOMPARE(two->color(), SysColors::buttonFace());
        QCOMPARE(two->bevelOuter(), Panel::Bevel::Raised);
        QCOMPARE(s.child<QPushButton>("btnTime")->text(), TPractise0BaseForm::FormatElapsed(0));
        s.play(QStringLiteral("1,2,3,4,5"));
        press(s.form, Qt::Key_Escape);
        two->clicked();
        s.child<QPushButton>("BitBtnRewind")->click(); // the played option comes back
        QCOMPARE(one->color(), SysColors::Lime);
        press(s.form, Qt::Key_Escape);
        two->clicked();
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.learnerFile().readInteger(Section, QStringLiteral("Option"), 0), 2);
    }

    void score_controls_keep_correct_within_total()
    {
        Opened s(TPractise0BaseForm::LeftToRight, TPractise0BaseForm::FreeEntry,
                 "[TestWorkbench]\r\nTotal=5\r\nCorrect=5\r\n");
        auto* correct = s.child<UpDown>("updnCorrect");
        auto* total = s.child<UpDown>("updnTotal");
        auto* lamp = s.child<Shape>("shpLights");
        QCOMPARE(lamp->brushColor(), SysColors::Lime);
        correct->click(UpDown::Direction::Up);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("5"));
        QCOMPARE(statusText(s.form), Strings::text(Strings::CorrectAboveTotal));
        total->click(UpDown::Direction::Down);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("4"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("4"));
        for (int i = 0; i < 6; ++i)
            total->click(UpDown::Direction::Up);             // 10 and 4
        correct->click(UpDown::Direction::Down);             // 3 of 10: red
        QCOMPARE(lamp->brushColor(), SysColors::Red);
        total->click(UpDown::Direction::Down);               // 9 and 2
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("2"));
        for (int i = 0; i < 5; ++i)
            total->click(UpDown::Direction::Down);           // 4 and 0
        correct->click(UpDown::Direction::Up);
        correct->click(UpDown::Direction::Up);               // 2 of 4: amber
        QCOMPARE(lamp->brushColor(), SysColors::Yellow);
        correct->click(UpDown::Direction::Up);               // 3 of 4: green
        QCOMPARE(lamp->brushColor(), SysColors::Lime);

        // Clear: asks; No keeps the scores, Yes clears them.
        s.env.dialogs.confirmAnswers = {false, true};
        s.child<QPushButton>("BitBtnClear")->click();
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("4"));
        s.child<QPushButton>("BitBtnClear")->click();
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("0"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("0"));
        QCOMPARE(lamp->brushColor(), SysColors::buttonShadow());
        QCOMPARE(s.env.dialogs.count(QStringLiteral("confirm")), 2);
        s.child<QPushButton>("BitBtnClear")->click();
        QCOMPARE(statusText(s.form), Strings::text(Strings::NothingToClear));
        QCOMPARE(s.env.dialogs.count(QStringLiteral("confirm")), 2);
    }

    void scores_stop_at_a_thousand()
    {
        Opened s(TPractise0BaseForm::LeftToRight, TPractise0BaseForm::FreeEntry,
                 "[TestWorkbench]\r\nTotal=1000\r\nCorrect=1200\r\n");
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("1000"));
        s.play(QStringLiteral("1,2,3,4,5"));
        QCOMPARE(s.env.dialogs.texts(QStringLiteral("information")), QStringList({Strings::text(Strings::ScoreLimit)}));
        QCOMPARE(s.form->state(), int(TPractise0BaseForm::Playing));
        press(s.form, Qt::Key_Escape);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("1000"));
        // At 1000 the scores clear without asking.
        s.child<QPushButton>("BitBtnClear")->click();
        QCOMPARE(s.env.dialogs.count(QStringLiteral("confirm")), 0);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("0"));
    }

    void a_right_attempt_at_the_limit_counts_nothing()
    {
        // Correct alone must not rise once Total stands at 1000.
        Opened s(TPractise0BaseForm::LeftToRight, TPractise0BaseForm::FreeEntry,
                 "[TestWorkbench]\r\nTotal=1000\r\nCorrect=990\r\n");
        s.play(QStringLiteral("4,7,12,-,35"));
        typeDigits(s.form, QStringLiteral("47"));
        press(s.form, Qt::Key_Tab);
        typeDigits(s.form, QStringLiteral("1235"));
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.form->isCorrect());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCorrect")), QStringLiteral("990"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlTotal")), QStringLiteral("1000"));
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.learnerFile().readInteger(Section, QStringLiteral("Correct"), 0), 990);
    }

    void lamp_follows_the_grading_bounds()
    {
        const struct { int correct, total; QColor color; } cases[] = {
            {0, 0, SysColors::buttonShadow()}, {1, 2, SysColors::Yellow}, {3, 4, SysColors::Lime},
            {49, 100, SysColors::Red}, {74, 100, SysColors::Yellow}};
        for (const auto& c : cases) {
            Opened s(TPractise0BaseForm::LeftToRight, TPractise0BaseForm::FreeEntry,
                     QStringLiteral("[TestWorkbench]\r\nTotal=%1\r\nCorrect=%2\r\n").arg(c.total).arg(c.correct).toLatin1());
            QCOMPARE(s.child<Shape>("shpLights")->brushColor(), c.color);
        }
    }

    void hints_follow_the_check_boxes()
    {
        Opened s;
        s.play(QStringLiteral("4,7,12,-,35"));
        typeDigits(s.form, QStringLiteral("4"));
        QCOMPARE(statusText(s.form), QStringLiteral("box 1 = 7"));
        QCOMPARE(s.box(1)->toolTip(), QStringLiteral("box 1 = 7"));
        auto* hint = s.child<QCheckBox>("chkShowHint");
        hint->click();
        QCOMPARE(statusText(s.form), QString());
        QVERIFY(s.box(1)->toolTip().isEmpty());
        QCOMPARE(Hints::hint(s.form), Strings::text(Strings::HintPressStop));
        press(s.form, Qt::Key_Tab);
        QCOMPARE(statusText(s.form), QString());
        hint->click();
        QCOMPARE(statusText(s.form), QStringLiteral("box 2 = 12"));
        QCOMPARE(Hints::hint(s.form), QStringLiteral("|box 2 = 12"));
        // The mouse over a control with a long hint shows that hint instead.
        HintRouter::instance().hintFromControl(s.child<QWidget>("chkShowColorHints"));
        QCOMPARE(statusText(s.form), QStringLiteral("Shows colors in the boxes that are involved in the calculation steps."));
        HintRouter::instance().hintFromControl(s.box(4));
        QCOMPARE(statusText(s.form), QStringLiteral("box 2 = 12"));

        // Colour hints off: the question goes back to button face.
        press(s.form, Qt::Key_Tab);
        QCOMPARE(panelOf(s.form, QStringLiteral("pnlQuestion0"))->color(), SysColors::Yellow);
        s.child<QCheckBox>("chkShowColorHints")->click();
        QCOMPARE(panelOf(s.form, QStringLiteral("pnlQuestion0"))->color(), SysColors::buttonFace());
        QCOMPARE(s.box(4)->color(), SysColors::Aqua);
        s.child<QCheckBox>("chkShowColorHints")->click();
        QCOMPARE(panelOf(s.form, QStringLiteral("pnlQuestion0"))->color(), SysColors::Yellow);
    }

    void carry_pair_boxes_split_into_units_and_carry()
    {
        Opened s(TPractise0BaseForm::RightToLeft, TPractise0BaseForm::CarryPairEntry);
        s.play(QStringLiteral("4,7,12,3,35"));
        press(s.form, Qt::Key_Tab);
        press(s.form, Qt::Key_Tab);
        QCOMPARE(s.current(), s.box(2));
        QCOMPARE(s.child<Panel>("pnlCarry0")->color(), SysColors::Aqua);
        typeDigits(s.form, QStringLiteral("14"));
        QCOMPARE(s.box(2)->caption(), QStringLiteral("4"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCarry0")), QStringLiteral("1"));
        QCOMPARE(s.current(), s.box(3));
        press(s.form, Qt::Key_Q);
        press(s.form, Qt::Key_Backspace);
        QCOMPARE(s.box(2)->caption(), QStringLiteral("1"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCarry0")), QString());
        press(s.form, Qt::Key_Backspace);
        press(s.form, Qt::Key_Backspace); // empty: beep
        QCOMPARE(s.env.dialogs.count(QStringLiteral("beep")), 1);
        typeDigits(s.form, QStringLiteral("07"));
        QCOMPARE(s.box(2)->caption(), QStringLiteral("7"));
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCarry0")), QString());
        // A click on the carry box goes to its box; a third digit starts again.
        s.child<Panel>("pnlCarry0")->clicked();
        QCOMPARE(s.current(), s.box(2));
        typeDigits(s.form, QStringLiteral("5"));
        QCOMPARE(s.box(2)->caption(), QStringLiteral("5"));
        QCOMPARE(s.current(), s.box(2));
        press(s.form, Qt::Key_Delete);
        QCOMPARE(s.box(2)->caption(), QString());

        // Every box right, but the carry of box 4 left out: wrong.
        typeDigits(s.form, QStringLiteral("12") + QStringLiteral("3") + QStringLiteral("5"));
        press(s.form, Qt::Key_Tab);
        typeDigits(s.form, QStringLiteral("4") + QStringLiteral("007"));
        press(s.form, Qt::Key_Escape);
        QCOMPARE(s.box(4)->caption(), QStringLiteral("5"));
        QCOMPARE(s.box(4)->color(), SysColors::window());
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlCarry0")), QStringLiteral("1"));
        QCOMPARE(s.child<Panel>("pnlCarry0")->color(), SysColors::window());
        QCOMPARE(s.child<Panel>("pnlCarry1")->color(), SysColors::Red);
        QCOMPARE(s.child<Panel>("pnlCarry1")->fontColor(), SysColors::White);
        QCOMPARE(captionOf(s.form, QStringLiteral("pnlAnswer1")), QStringLiteral("5"));
        QVERIFY(!s.form->isCorrect());
    }

    void a_folder_that_is_not_writable_loses_nothing_and_still_closes()
    {
        Opened s;
        Globals::UserDataWritable = false;
        s.play(QStringLiteral("1,2,3,4,5"));
        press(s.form, Qt::Key_Escape);
        press(s.form, Qt::Key_Escape);
        QVERIFY(s.main.childForms().isEmpty());
        QCOMPARE(s.env.dialogs.texts(QStringLiteral("information")).value(0),
                 QStringLiteral("Folder: ") + Globals::UserDataFolder + QStringLiteral("\r\n\r\n")
                     + Strings::text(Strings::UnableToSave));
        QVERIFY(!s.learnerFile().exists());
    }

    void help_buttons_ask_for_the_screen_topics()
    {
        Opened s;
        s.child<QPushButton>("BitBtnHelp")->click();
        s.child<QPushButton>("BitBtnNavigate")->click();
        QCOMPARE(s.env.help.requests.size(), 2);
        QCOMPARE(s.env.help.requests[0].command, unsigned(Help::HELP_CONTEXT));
        QCOMPARE(s.env.help.requests[0].data.toInt(), 700);
        QCOMPARE(s.env.help.requests[1].command, unsigned(Help::HELP_CONTEXTPOPUP));
        QCOMPARE(s.env.help.requests[1].data.toInt(), 20270);
        QCOMPARE(s.env.sounds.calls.value(0), QStringLiteral("resource HELP async"));
        // What's This? on a VCR button, not on the help button.
        auto* menu = s.form->findChild<WhatsThisMenu*>(QStringLiteral("popupWhatsThis"));
        s.form->pnlVCRContextPopup(s.child<QWidget>("BitBtnStop")->geometry().center());
        QCOMPARE(menu->popupComponent(), s.child<QWidget>("BitBtnStop"));
        menu->hide();
        s.form->pnlVCRContextPopup(s.child<QWidget>("BitBtnHelp")->geometry().center());
        QCOMPARE(menu->popupComponent(), s.child<QWidget>("BitBtnStop"));
        menu->whatsThisAction()->trigger();
        QCOMPARE(s.env.help.requests.last().data.toInt(), 10170);
        // A right click on a disabled button reaches the VCR panel.
        auto* rewind = s.child<QPushButton>("BitBtnRewind");
        QVERIFY(!rewind->isEnabled());
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), rewind->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(rewind, &click);
        QCOMPARE(menu->popupComponent(), rewind);
        menu->hide();
    }
};

QTEST_MAIN(TestWorkbench)
#include "tst_Workbench.moc"
