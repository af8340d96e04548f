#include <QtTest>

#include <QPushButton>

#include "PracticeTestSupport.h"
#include "TestEnvironment.h"
#include "practice/PractiseRulesForm.h"
#include "shell/Strings.h"

namespace {

const QString Method = QStringLiteral("test-rules-form");

// A rules-driven screen laid out for the largest problem: four two-digit
// boxes in a row, the lower three linked to carry boxes. A posed question is
// the answer row, top digit first ("3024" or "071"); the worked problem names
// only as many boxes as the row has digits, each box's carry is 1 and the
// top box's "0" may be left out.
class TTestRulesForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    TTestRulesForm()
    {
        setObjectName(QStringLiteral("TestRulesForm"));
        for (int i = 0; i < 4; ++i) {
            int link = -1;
            if (i < 3) {
                auto* carry = new Panel(this, QStringLiteral("pnlCarry%1").arg(i));
                carry->setGeometry(400 - 30 * i, 150, 14, 14);
                link = AddCarryPanel(carry);
                auto* answerCarry = new Panel(this, QStringLiteral("pnlAnswerCarry%1").arg(i));
                answerCarry->setGeometry(400 - 30 * i, 220, 14, 14);
                answerCarry->hide();
            }
            auto* box = new Panel(this, QStringLiteral("pnlWorking%1").arg(i));
            box->setGeometry(400 - 30 * i, 165, 25, 25);
            AddWorkingPanel(box, 2, link);
            AddMyAnswerPanel(box);
            auto* answer = new Panel(this, QStringLiteral("pnlAnswer%1").arg(i));
            answer->setGeometry(400 - 30 * i, 235, 25, 25);
            answer->hide();
            AddAnswerPanel(answer);
        }
        CurrentOption = AddOptionButton(QStringLiteral("pnlOpt1"), QStringLiteral("Only"), QString(),
                                        QStringLiteral("Time1"));
        SetUpScreen({QStringLiteral("TestRules"), 600, 20260, CarryPairEntry, RightToLeft});
        ResetWorkingPanels();
    }

protected:
    void NewQuestion() override { m_row = QuestionSource::takePosed(Method); }
    WorkedProblem SolveQuestion() override
    {
        WorkedProblem w;
        const qsizetype top = m_row.size() - 1;
        for (qsizetype c = 0; c <= top; ++c) {
            RuleBox b;
            b.box = QStringLiteral("pnlWorking%1").arg(c);
            b.text = QString(m_row.at(top - c));
            b.value = b.text.toInt();
            b.width = 2;
            b.stripZeros = c == top;
            b.zeroMayBeLeftOut = c == top;
            if (c < top) {
                b.carryLink = int(c);
                w.carries << RuleCarry{QStringLiteral("pnlCarry%1").arg(c), 1};
                w.answerCarryRow << PanelText{QStringLiteral("pnlAnswerCarry%1").arg(c), QStringLiteral("1")};
            }
            w.boxes << b;
            w.answerPanels << PanelText{QStringLiteral("pnlAnswer%1").arg(c), b.text};
        }
        return w;
    }

private:
    QString m_row;
};

} // namespace

class TestPractiseRulesForm : public QObject
{
    Q_OBJECT
private slots:
    // A smaller problem after a larger one: the boxes it does not name are
    // hidden, skipped and not checked, the previous carry row goes, and an
    // empty top box reads as its "0".
    void boxes_outside_the_problem_are_out_of_it()
    {
        TestEnvironment env;
        PracticeSeams seams;
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();
        main.openScreen(Strings::TitleDirectMethod, true, [] { return new TTestRulesForm; });
        auto* form = main.findChild<TTestRulesForm*>();
        QVERIFY(form);
        auto* play = form->findChild<QPushButton*>(QStringLiteral("BitBtnPlay"));
        const auto visible = [form](const char* prefix, int n) { return panelOf(form, QString::fromLatin1(prefix) + QString::number(n))->isVisible(); };

        QuestionSource::pose(Method, {QStringLiteral("3024"), QStringLiteral("071")});
        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(visible("pnlWorking", 3) && visible("pnlCarry", 2));
        typeDigits(form, QStringLiteral("14121003"));
        press(form, Qt::Key_Escape);
        QVERIFY(form->isCorrect());
        QVERIFY(visible("pnlAnswerCarry", 2) && visible("pnlAnswer", 3));

        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(visible("pnlWorking", 2) && !visible("pnlWorking", 3));
        QVERIFY(visible("pnlCarry", 1) && !visible("pnlCarry", 2));
        QVERIFY(!visible("pnlAnswerCarry", 2));
        press(form, Qt::Key_End); // the last box of the problem, not a hidden one
        QCOMPARE(form->currentIndex(), 2);
        press(form, Qt::Key_Home);
        typeDigits(form, QStringLiteral("1117")); // the top box stays empty
        QCOMPARE(form->currentIndex(), 2);
        press(form, Qt::Key_Escape);
        QVERIFY(form->isCorrect());
        QCOMPARE(captionOf(form, QStringLiteral("pnlWorking2")), QStringLiteral("0"));
        QVERIFY(!visible("pnlAnswer", 3) && visible("pnlAnswer", 2));
        QVERIFY(!visible("pnlAnswerCarry", 2) && visible("pnlAnswerCarry", 1));
        QCOMPARE(captionOf(form, QStringLiteral("pnlTotal")), QStringLiteral("2"));

        // Left empty, a top box that must hold another digit is wrong.
        QuestionSource::pose(Method, {QStringLiteral("171")});
        QTest::mouseClick(play, Qt::LeftButton);
        typeDigits(form, QStringLiteral("1117"));
        press(form, Qt::Key_Escape);
        QVERIFY(!form->isCorrect());
        QCOMPARE(captionOf(form, QStringLiteral("pnlWorking2")), QString());
    }
};

QTEST_MAIN(TestPractiseRulesForm)
#include "tst_PractiseRulesForm.moc"
