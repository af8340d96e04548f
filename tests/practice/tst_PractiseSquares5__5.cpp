// The "5? & ?5" flash drill through its window: opened from its menu item,
// one flash run with a miss, real draws of each option, the widened answer
// delay and the section it stores.

#include "ScreenTesting.h"

#include <QSlider>
#include <QTimer>

#include "shell/Help.h"
#include "practice/PractiseSquares5__5.h"
#include "practice/QuestionSource.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

namespace {

using Screen = OpenedScreen<TPractiseSquares5__5Form>;

QString caption(const Screen& s, const char* name)
{
    const auto* panel = s.form->findChild<Panel*>(QString::fromLatin1(name));
    return panel ? panel->caption() : QStringLiteral("<none>");
}

// "Correct/Total".
QString score(const Screen& s)
{
    return caption(s, "pnlCorrect") + QLatin1Char('/') + caption(s, "pnlTotal");
}

// The delay that is running passes: the handler of the active timer runs.
void tick(const Screen& s)
{
    if (s.form->findChild<QTimer*>("tmrAnswer")->isActive())
        s.form->tmrAnswerTimer();
    else if (s.form->findChild<QTimer*>("tmrQuestion")->isActive())
        s.form->tmrQuestionTimer();
    else
        QFAIL("no timer runs");
}

QStringList squareSection(const QByteArray& file)
{
    QStringList lines;
    bool inside = false;
    for (const QString& line : QString::fromLatin1(file).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('[')))
            inside = line == QLatin1String("[Square5_5]");
        else if (inside)
            lines << line;
    }
    return lines;
}

} // namespace

class TestPractiseSquares5__5 : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QuestionSource::clear(); }

    void flashRunWithAMissAndTheStoredSection()
    {
        Screen s(QStringLiteral("mnu5__5"),
                 "[Square5_5]\r\nOption=2\r\nTotal=10\r\nCorrect=7\r\nAnswerPosition=99\r\nQuestionPosition=3\r\n");
        QVERIFY(s.form);

        // The stored option, counts and delays; the answer track bar reaches
        // 60 (9 s) on this screen, so 99 is held at 60.
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 5?5 : ? 5"));
        QCOMPARE(s.form->sectionName(), QStringLiteral("Square5_5"));
        QCOMPARE(score(s), QStringLiteral("7/10"));
        auto* answerBar = s.form->findChild<QSlider*>("trkbrAnswer");
        QCOMPARE(answerBar->minimum(), 2);
        QCOMPARE(answerBar->maximum(), 60);
        QCOMPARE(answerBar->value(), 60);
        QCOMPARE(s.form->findChild<QTimer*>("tmrAnswer")->interval(), 9000);
        QCOMPARE(Hints::hint(answerBar),
                 QStringLiteral("9|Sets the amount of time between the question flashing and the answer appearing."));
        answerBar->setValue(45);
        QCOMPARE(s.form->findChild<QTimer*>("tmrAnswer")->interval(), 6750);

        // The options and their hints.
        auto* fiveFirst = s.form->findChild<Panel*>("pnlOpt5_");
        auto* fiveLast = s.form->findChild<Panel*>("pnlOpt_5");
        QCOMPARE(fiveFirst->caption(), QStringLiteral("5 ?"));
        QCOMPARE(fiveLast->caption(), QStringLiteral("? 5"));
        QCOMPARE(Hints::hint(fiveFirst), QStringLiteral("|Practise squares of numbers starting with 5, such as : 51, "
                                                        "52, 53, 54, 55, 56, 57, 58, 59."));
        QCOMPARE(Hints::hint(fiveLast), QStringLiteral("|Practise squares of numbers ending with 5, such as : 15, 25, "
                                                       "35, 45, 55, 65, 75, 85, 95."));
        QCOMPARE(fiveLast->color(), SysColors::Lime);
        QTest::mouseClick(fiveFirst, Qt::LeftButton);
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 5?5 : 5 ?"));
        QCOMPARE(fiveFirst->color(), SysColors::Lime);
        QVERIFY(fiveLast->color() != SysColors::Lime);

        // One run: 52 and 54, a miss on the second.
        QuestionSource::pose(QStringLiteral("squares-5"), {QStringLiteral("52"), QStringLiteral("54")});
        QTest::mouseClick(s.form->findChild<QWidget*>("BitBtnPlay"), Qt::LeftButton);
        QVERIFY(s.form->playing());
        QVERIFY(s.form->findChild<QWidget*>("PnlOptions")->isHidden());
        QCOMPARE(caption(s, "pnlQuestion1"), QStringLiteral("52"));
        QCOMPARE(caption(s, "pnlAnswer"), QString());
        tick(s);
        QCOMPARE(caption(s, "pnlAnswer"), QStringLiteral("2704"));
        QCOMPARE(score(s), QStringLiteral("8/11"));
        tick(s);
        QCOMPARE(caption(s, "pnlQuestion1"), QStringLiteral("54"));
        QCOMPARE(caption(s, "pnlAnswer"), QString());
        tick(s);
        QCOMPARE(caption(s, "pnlAnswer"), QStringLiteral("2916"));
        QCOMPARE(score(s), QStringLiteral("9/12"));
        QTest::keyClick(s.form, Qt::Key_Space); // the thought answer was wrong
        QCOMPARE(score(s), QStringLiteral("8/12"));
        QVERIFY(s.env.dialogs.boxes.isEmpty());
        QTest::keyClick(s.form, Qt::Key_Escape);
        QVERIFY(!s.form->playing());
        QVERIFY(!s.form->findChild<QWidget*>("PnlOptions")->isHidden());

        // The method's help topic.
        QTest::mouseClick(s.form->findChild<QWidget*>("BitBtnHelp"), Qt::LeftButton);
        QCOMPARE(s.env.help.requests.size(), 1);
        QCOMPARE(s.env.help.requests.at(0).command, unsigned(Help::HELP_CONTEXT));
        QCOMPARE(s.env.help.requests.at(0).data.toInt(), 535);

        // Closing stores the section.
        QTest::mouseClick(s.form->findChild<QWidget*>("BitBtnClose"), Qt::LeftButton);
        QVERIFY(s.main.childForms().isEmpty());
        QCOMPARE(squareSection(s.learnerFile()),
                 (QStringList{"Option=1", "Total=12", "Correct=8", "AnswerPosition=45", "QuestionPosition=3"}));
    }

    void eachOptionFlashesItsOwnNumbersAndTheirSquares()
    {
        Screen s(QStringLiteral("mnu5__5"));
        QVERIFY(s.form);
        QCOMPARE(s.form->caption(), QStringLiteral("SQUARE 5?5 : 5 ?"));
        QCOMPARE(s.form->findChild<QSlider*>("trkbrAnswer")->value(), 10);
        QuestionSource::seed(535);
        for (const char* option : {"pnlOpt5_", "pnlOpt_5"}) {
            const bool fiftyAndDigit = QByteArray(option) == "pnlOpt5_";
            QTest::mouseClick(s.form->findChild<Panel*>(option), Qt::LeftButton);
            QTest::mouseClick(s.form->findChild<QWidget*>("BitBtnPlay"), Qt::LeftButton);
            QSet<QString> seen;
            QString previous;
            for (int i = 0; i < 60; ++i) {
                const QString number = caption(s, "pnlQuestion1");
                const int n = number.toInt();
                QVERIFY2(fiftyAndDigit ? n > 50 && n < 60 : n % 10 == 5 && n > 10 && n < 100, qPrintable(number));
                QVERIFY(number != previous);
                tick(s);
                QCOMPARE(caption(s, "pnlAnswer"), QString::number(n * n));
                tick(s);
                seen.insert(number);
                previous = number;
            }
            QCOMPARE(seen.size(), 9);
            QTest::mouseClick(s.form->findChild<QWidget*>("BitBtnStop"), Qt::LeftButton);
        }
        QCOMPARE(s.form->correct(), 120);
        QVERIFY(s.form->closeForm());
        QCOMPARE(squareSection(s.learnerFile()),
                 (QStringList{"Option=2", "Total=120", "Correct=120", "AnswerPosition=10", "QuestionPosition=4"}));
    }
};

QTEST_MAIN(TestPractiseSquares5__5)
#include "tst_PractiseSquares5__5.moc"
