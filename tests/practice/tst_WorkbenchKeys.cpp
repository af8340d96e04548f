#include <QtTest>

#include <cmath>
#include <limits>

#include "platform/IniFile.h"
#include "practice/BestTimes.h"
#include "practice/WorkbenchKeys.h"

using namespace WorkbenchKeys;

// The workbench's keyboard and best times without a window: the action of
// every key in every state, what typing does to a box, and the rule that
// cleans stored best times.
class TestWorkbenchKeys : public QObject
{
    Q_OBJECT

private slots:
    void actionsOfKeysInEachState();
    void carryPairBoxAgainstItsValue();
    void freeBoxKeepsWhatIsTyped();
    void storedBestTimes();
};

void TestWorkbenchKeys::actionsOfKeysInEachState()
{
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        Action idle, playing, finished;
    };
    const Row rows[] = {
        {Qt::Key_Return, {}, Action::Play, Action::NumLock, Action::Play},
        {Qt::Key_Enter, pad, Action::Play, Action::NumLock, Action::Play},
        {Qt::Key_Escape, {}, Action::Close, Action::Stop, Action::Close},
        {Qt::Key_7, {}, Action::None, Action::Digit, Action::CannotCorrect},
        {Qt::Key_0, pad, Action::None, Action::Digit, Action::CannotCorrect},
        {Qt::Key_Delete, {}, Action::None, Action::Delete, Action::CannotCorrect},
        {Qt::Key_Backspace, {}, Action::None, Action::Backspace, Action::CannotCorrect},
        {Qt::Key_Tab, {}, Action::None, Action::Next, Action::Next},
        {Qt::Key_Plus, pad, Action::None, Action::Next, Action::Next},
        {Qt::Key_Plus, {}, Action::None, Action::NumLock, Action::None},
        {Qt::Key_Q, {}, Action::None, Action::Previous, Action::Previous},
        {Qt::Key_F2, {}, Action::None, Action::Previous, Action::Previous},
        {Qt::Key_Backtab, {}, Action::None, Action::Previous, Action::Previous},
        {Qt::Key_Minus, pad, Action::None, Action::Previous, Action::Previous},
        {Qt::Key_Home, {}, Action::None, Action::First, Action::First},
        {Qt::Key_End, {}, Action::None, Action::Last, Action::Last},
        {Qt::Key_Left, {}, Action::None, Action::Left, Action::Left},
        {Qt::Key_Right, {}, Action::None, Action::Right, Action::Right},
        {Qt::Key_Up, {}, Action::None, Action::Up, Action::Up},
        {Qt::Key_Down, {}, Action::None, Action::Down, Action::Down},
        {Qt::Key_Space, {}, Action::None, Action::NumLock, Action::FlipAnswerSteps},
        {Qt::Key_A, {}, Action::None, Action::NumLock, Action::None},
    };
    for (const Row& r : rows) {
        const QByteArray what = QByteArray::number(r.key, 16);
        QVERIFY2(actionFor(r.key, r.mods, Idle) == r.idle, what);
        QVERIFY2(actionFor(r.key, r.mods, Playing) == r.playing, what);
        QVERIFY2(actionFor(r.key, r.mods, Finished) == r.finished, what);
    }
    // Up and Down move but also reach the controls; so does a key that only
    // switches NumLock on. Everything else the workbench acts on is its own.
    for (Action a : {Action::Up, Action::Down, Action::NumLock, Action::None})
        QVERIFY(!consumes(a));
    for (Action a : {Action::Play, Action::Close, Action::Stop, Action::Digit, Action::Delete, Action::Backspace,
                     Action::Next, Action::Previous, Action::First, Action::Last, Action::Left, Action::Right,
                     Action::FlipAnswerSteps, Action::CannotCorrect})
        QVERIFY(consumes(a));
}

// Every two-digit value typed into a carry-pair box ends as its units digit
// in the box and its tens digit (none for 0) in the carry box; the third digit
// starts the box again; Backspace takes the last digit back.
void TestWorkbenchKeys::carryPairBoxAgainstItsValue()
{
    for (int value = 0; value < 100; ++value) {
        const QString text = QString::number(value).rightJustified(2, u'0');
        CarryPairEntry e = carryPair(QString(), 2, true, Edit::Digit, text[0]);
        QCOMPARE(e.boxText, QString(text[0]));
        QVERIFY(e.carryText.isEmpty() && !e.complete);
        e = carryPair(e.myAnswer, 2, true, Edit::Digit, text[1]);
        QVERIFY(e.complete);
        QCOMPARE(e.boxText, QString::number(value % 10));
        QCOMPARE(e.carryText, value >= 10 ? QString::number(value / 10) : QString());
        QCOMPARE(e.myAnswer, text);

        const CarryPairEntry back = carryPair(e.myAnswer, 2, true, Edit::Backspace);
        QCOMPARE(back.boxText, QString(text[0]));
        QVERIFY(back.carryText.isEmpty() && !back.beep);
        const CarryPairEntry again = carryPair(e.myAnswer, 2, true, Edit::Digit, u'3');
        QCOMPARE(again.boxText, QStringLiteral("3"));
        QVERIFY(again.carryText.isEmpty() && !again.complete);
    }
    // Without a carry box the box shows both digits; a box of width 3 (a
    // column total of 100 or more) leaves two digits to its carry box.
    QCOMPARE(carryPair(QStringLiteral("1"), 2, false, Edit::Digit, u'4').boxText, QStringLiteral("14"));
    const CarryPairEntry wide = carryPair(QStringLiteral("12"), 3, true, Edit::Digit, u'7');
    QCOMPARE(wide.boxText, QStringLiteral("7"));
    QCOMPARE(wide.carryText, QStringLiteral("12"));
    QCOMPARE(carryPair(QStringLiteral("127"), 3, true, Edit::Backspace).myAnswer, QStringLiteral("12"));
    QVERIFY(carryPair(QString(), 2, true, Edit::Backspace).beep);
    const CarryPairEntry gone = carryPair(QStringLiteral("14"), 2, true, Edit::Delete);
    QVERIFY(gone.myAnswer.isEmpty() && gone.boxText.isEmpty() && gone.carryText.isEmpty());
}

void TestWorkbenchKeys::freeBoxKeepsWhatIsTyped()
{
    FreeEntry e = freeEntry(QString(), 3, Edit::Digit, u'7');
    QCOMPARE(e.text, QStringLiteral("7"));
    QVERIFY(!e.complete);
    e = freeEntry(QStringLiteral("70"), 3, Edit::Digit, u'5');
    QVERIFY(e.complete);
    QCOMPARE(e.text, QStringLiteral("705"));
    QCOMPARE(freeEntry(QStringLiteral("705"), 3, Edit::Digit, u'2').text, QStringLiteral("2"));
    e = freeEntry(QStringLiteral("705"), 3, Edit::Backspace);
    QVERIFY(e.changed);
    QCOMPARE(e.text, QStringLiteral("70"));
    QVERIFY(!freeEntry(QString(), 3, Edit::Backspace).changed);
    QVERIFY(freeEntry(QStringLiteral("705"), 3, Edit::Delete).text.isEmpty());
}

// A stored time that cannot be one counts as none, and none is written back
// as 0; only a right, strictly faster attempt sets a best time.
void TestWorkbenchKeys::storedBestTimes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ann.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[S]\r\nTime1=-0.5\r\nTime2=abc\r\nTime3=1E300\r\nTime4=inf\r\nTime5=0.0005\r\nTime6=400\r\n");
    file.close();

    IniFile ini(path);
    BestTimes times;
    times.setKeys({"Time1", "Time2", "Time3", "Time4", "Time5", "Time6", "Time7"});
    times.load(ini, QStringLiteral("S"));
    for (const char* key : {"Time1", "Time2", "Time3", "Time4", "Time6", "Time7"})
        QCOMPARE(times.best(QString::fromLatin1(key)), 0.0);
    QCOMPARE(times.best(QStringLiteral("Time5")), 0.0005);

    QVERIFY(!times.offer(QStringLiteral("Time5"), false, 0.0001)); // wrong
    QVERIFY(!times.offer(QStringLiteral("Time5"), true, 0.0005));  // as fast
    QVERIFY(times.offer(QStringLiteral("Time5"), true, 0.0004));
    QVERIFY(times.offer(QStringLiteral("Time1"), true, 0.25));     // none kept
    QVERIFY(!times.offer(QStringLiteral("Time9"), true, 0.25));    // not a key of the screen

    times.save(ini, QStringLiteral("S"));
    QCOMPARE(ini.readTime(QStringLiteral("S"), QStringLiteral("Time5"), -1), 0.0004);
    QCOMPARE(ini.readTime(QStringLiteral("S"), QStringLiteral("Time3"), -1), 0.0);
    QCOMPARE(ini.readTime(QStringLiteral("S"), QStringLiteral("Time7"), -1), 0.0);
    QCOMPARE(ini.readTime(QStringLiteral("S"), QStringLiteral("Time9"), -1), -1.0);
}

QTEST_GUILESS_MAIN(TestWorkbenchKeys)
#include "tst_WorkbenchKeys.moc"
