#include "shell/Help.h"
#include "app/HelpViewer.h"
#include "app/HelpWindow.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWhatsThis>
#include <QtTest>

namespace {

// Notes every box the viewer shows instead of showing it.
class RecordingDialogs : public Dialogs
{
public:
    QStringList errors;
    int beeps = 0;

    void error(QWidget*, const QString& text) override { errors.append(text); }
    void information(QWidget*, const QString& text) override { errors.append(text); }
    bool confirm(QWidget*, const QString&) override { return false; }
    void beep() override { ++beeps; }
};

struct ShownPopup {
    QPoint position;
    QString html;
};

const QByteArray Fixture = R"(VSMHELP 1
title: Fixture Help
contents: 1
window: Side 420 320 Side Window

[topic 1 Contents]
title: Fixture Contents
Start with [[10]].
[end]

[topic 10 First]
title: First Topic
keywords: alpha
Go on to [[20|the second topic]].
[end]

[topic 20 ScreenHelp_Basics]
title: Second Topic
Body of the second topic.
[end]

[topic 30]
title: Gamma Rays
keywords: alpha
Body three.
[end]

[popup 500]
Pop-up **text** for 500.
[end]
)";

const QByteArray Other = "VSMHELP 1\n[topic 7 There]\ntitle: Over There\nElsewhere.\n[end]\n";

QList<HelpWindow*> openHelpWindows()
{
    QList<HelpWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<HelpWindow*>(widget); window && window->isVisible())
            found.append(window);
    }
    return found;
}

template <typename T>
T* child(HelpWindow* window, const char* name)
{
    T* found = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        qWarning() << "no child" << name;
    return found;
}

QString titleOf(HelpWindow* window)
{
    auto* label = child<QLabel>(window, "lblTitle");
    return label ? label->text() : QString();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_HelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void contextOpensNamedWindowShowingTopic();
    void contextWithoutNameUsesDefaultWindow();
    void jumpIdOpensTopicAfterContents();
    void jumpIdInAnotherFileAndWindow();
    void linksBackAndForward();
    void finderFiltersTitlesAndOpensWithEnter();
    void popupShowsAtSetPositionOnce();
    void popupReachesWhatsThis();
    void quitClosesEveryWindow();
    void missingFileIsReported();
    void missingTopicPopupAndJumpIdAreReported();
    void malformedAndGarbageFilesAreReported();
    void changedFileIsReadAgain();
    void shippedFilesOpen();

private:
    QString fixturePath() const { return m_dir->filePath(QStringLiteral("Fixture.hlp")); }

    RecordingDialogs m_dialogs;
    QList<ShownPopup> m_popups;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_HelpViewer::init()
{
    m_dialogs = RecordingDialogs();
    m_popups.clear();
    Dialogs::install(&m_dialogs);
    Help::install(nullptr);
    HelpViewer::setPopupShower([this](const QPoint& position, const QString& html, QWidget*) {
        m_popups.append({position, html});
    });
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(writeFile(fixturePath(), Fixture));
    QVERIFY(writeFile(m_dir->filePath(QStringLiteral("Other.hlp")), Other));
    Help::setApplicationHelpFile(fixturePath());
}

void tst_HelpViewer::cleanup()
{
    Help::quit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    HelpViewer::setPopupShower({});
    Dialogs::install(nullptr);
    Help::setApplicationHelpFile(QString());
}

void tst_HelpViewer::contextOpensNamedWindowShowingTopic()
{
    Help& help = Help::current();
    QVERIFY(help.winHelp(nullptr, fixturePath() + ">Side", Help::HELP_CONTEXT, 10));
    HelpWindow* side = HelpViewer::instance().window(QStringLiteral("Side"));
    QVERIFY(side);
    QCOMPARE(side->objectName(), QStringLiteral("HelpWindow_Side"));
    QVERIFY(side->isVisible());
    QCOMPARE(side->windowTitle(), QStringLiteral("Side Window"));
    QCOMPARE(side->size(), QSize(420, 320));
    QCOMPARE(titleOf(side), QStringLiteral("First Topic"));
    QVERIFY(child<QTextBrowser>(side, "txtTopic")->toPlainText().contains(QStringLiteral("Go on to")));

    // A second name opens a second window; the first name reuses its window.
    QVERIFY(help.winHelp(nullptr, fixturePath() + ">Aside", Help::HELP_CONTEXT, 30));
    QVERIFY(help.winHelp(nullptr, fixturePath() + ">Side", Help::HELP_CONTEXT, 20));
    QCOMPARE(HelpViewer::instance().window(QStringLiteral("Side")), side);
    QCOMPARE(titleOf(side), QStringLiteral("Second Topic"));
    QCOMPARE(openHelpWindows().size(), 2);
    QCOMPARE(titleOf(HelpViewer::instance().window(QStringLiteral("Aside"))), QStringLiteral("Gamma Rays"));
    QVERIFY(m_dialogs.errors.isEmpty());
}

void tst_HelpViewer::contextWithoutNameUsesDefaultWindow()
{
    QVERIFY(Help::showTopic(30));
    const QList<HelpWindow*> windows = openHelpWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows[0]->objectName(), QStringLiteral("HelpWindow"));
    QCOMPARE(windows[0]->windowTitle(), QStringLiteral("Fixture Help"));
    QCOMPARE(titleOf(windows[0]), QStringLiteral("Gamma Rays"));
}

void tst_HelpViewer::jumpIdOpensTopicAfterContents()
{
    QVERIFY(Help::showTopicByJumpId(QStringLiteral("ScreenHelp_Basics")));
    HelpWindow* window = HelpViewer::instance().window(QString());
    QVERIFY(window);
    QCOMPARE(titleOf(window), QStringLiteral("Second Topic"));
    // The contents came first: Back returns to them.
    QTest::mouseClick(child<QPushButton>(window, "btnBack"), Qt::LeftButton);
    QCOMPARE(titleOf(window), QStringLiteral("Fixture Contents"));
    QVERIFY(child<QTextBrowser>(window, "txtTopic")->toPlainText().contains(QStringLiteral("Gamma Rays")));
    QVERIFY(m_dialogs.errors.isEmpty());
}

void tst_HelpViewer::jumpIdInAnotherFileAndWindow()
{
    QVERIFY(Help::current().winHelp(nullptr, fixturePath(), Help::HELP_COMMAND,
                                    QStringLiteral("JI('Other.hlp>Far', 'there')")));
    HelpWindow* far = HelpViewer::instance().window(QStringLiteral("Far"));
    QVERIFY(far);
    QCOMPARE(titleOf(far), QStringLiteral("Over There"));
    QCOMPARE(far->filePath(), m_dir->filePath(QStringLiteral("Other.hlp")));
}

void tst_HelpViewer::linksBackAndForward()
{
    QVERIFY(Help::showTopic(1));
    HelpWindow* window = HelpViewer::instance().window(QString());
    auto* text = child<QTextBrowser>(window, "txtTopic");
    auto* back = child<QPushButton>(window, "btnBack");
    auto* forward = child<QPushButton>(window, "btnForward");
    QVERIFY(!back->isEnabled());

    // Tab selects the first link of the page, Enter follows it.
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(titleOf(window), QStringLiteral("First Topic"));
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(titleOf(window), QStringLiteral("Second Topic"));

    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(titleOf(window), QStringLiteral("Fixture Contents"));
    QVERIFY(!back->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(titleOf(window), QStringLiteral("First Topic"));

    // A new page drops the pages ahead of it.
    QTest::mouseClick(child<QPushButton>(window, "btnContents"), Qt::LeftButton);
    QCOMPARE(titleOf(window), QStringLiteral("Fixture Contents"));
    QVERIFY(!forward->isEnabled());
}

void tst_HelpViewer::finderFiltersTitlesAndOpensWithEnter()
{
    QVERIFY(Help::showFinder());
    HelpWindow* window = HelpViewer::instance().window(QString());
    QVERIFY(window);
    QCOMPARE(titleOf(window), QStringLiteral("Fixture Contents"));
    QVERIFY(child<QWidget>(window, "pnlFinder")->isVisible());
    auto* find = child<QLineEdit>(window, "edtFind");
    auto* list = child<QListWidget>(window, "lstTopics");
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_VERIFY(find->hasFocus());

    QCOMPARE(list->count(), 4);
    QTest::keyClicks(find, QStringLiteral("ALPHA"));
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isHidden())
            shown.append(list->item(row)->text());
    }
    QCOMPARE(shown, QStringList({"First Topic", "Gamma Rays"}));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("First Topic"));
    QTest::keyClick(find, Qt::Key_Down);
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Gamma Rays"));
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(titleOf(window), QStringLiteral("Gamma Rays"));

    // Nothing matches: Enter only beeps.
    find->clear();
    QTest::keyClicks(find, QStringLiteral("zebra"));
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(m_dialogs.beeps, 1);
    QCOMPARE(titleOf(window), QStringLiteral("Gamma Rays"));

    // The Search button hides the panel again.
    QTest::mouseClick(child<QPushButton>(window, "btnSearch"), Qt::LeftButton);
    QVERIFY(!child<QWidget>(window, "pnlFinder")->isVisible());
}

void tst_HelpViewer::popupShowsAtSetPositionOnce()
{
    QVERIFY(Help::setPopupPosition(QPoint(123, 45)));
    QVERIFY(Help::showPopup(500));
    QCOMPARE(m_popups.size(), 1);
    QCOMPARE(m_popups[0].position, QPoint(123, 45));
    QCOMPARE(m_popups[0].html, QStringLiteral("<p>Pop-up <b>text</b> for 500.</p>\n"));

    // The position served one pop-up; the next one stands at the mouse.
    QCursor::setPos(QPoint(300, 200));
    QVERIFY(Help::showPopup(500));
    QCOMPARE(m_popups.size(), 2);
    QCOMPARE(m_popups[1].position, QCursor::pos());
    QVERIFY(openHelpWindows().isEmpty());

    QVERIFY(!Help::current().winHelp(nullptr, fixturePath(), Help::HELP_SETPOPUP_POS, 12));
    QCOMPARE(m_dialogs.errors.size(), 1);
}

void tst_HelpViewer::popupReachesWhatsThis()
{
    HelpViewer::setPopupShower({});
    QVERIFY(Help::setPopupPosition(QPoint(50, 60)));
    QVERIFY(Help::showPopup(500));
    QWidget* balloon = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QWhatsThat") && widget->isVisible())
            balloon = widget;
    }
    QVERIFY(balloon);
    QWhatsThis::hideText();
}

void tst_HelpViewer::quitClosesEveryWindow()
{
    QVERIFY(Help::showTopic(10));
    QVERIFY(Help::showTopicInWindow(QStringLiteral("Side"), 20));
    QCOMPARE(openHelpWindows().size(), 2);
    QPointer<HelpWindow> side = HelpViewer::instance().window(QStringLiteral("Side"));

    QVERIFY(Help::setPopupPosition(QPoint(7, 7)));
    QVERIFY(Help::quit());
    QVERIFY(openHelpWindows().isEmpty());
    QTRY_VERIFY(side.isNull());
    QVERIFY(!HelpViewer::instance().window(QStringLiteral("Side")));

    // Quit also forgets the pop-up position.
    QVERIFY(Help::showPopup(500));
    QCOMPARE(m_popups.last().position, QCursor::pos());
}

void tst_HelpViewer::missingFileIsReported()
{
    const QString missing = m_dir->filePath(QStringLiteral("Nowhere.hlp"));
    QVERIFY(!Help::current().winHelp(nullptr, missing + ">EHowTo", Help::HELP_CONTEXT, 200));
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY2(m_dialogs.errors[0].contains(QStringLiteral("\"Nowhere.hlp\" was not found")),
             qPrintable(m_dialogs.errors[0]));
    QVERIFY(openHelpWindows().isEmpty());

    // The jump-identifier request stops at the failing contents request.
    Help::setApplicationHelpFile(missing);
    QVERIFY(!Help::showTopicByJumpId(QStringLiteral("ScreenHelp_Basics")));
    QCOMPARE(m_dialogs.errors.size(), 2);
    QVERIFY(!Help::showPopup(500));
    QCOMPARE(m_dialogs.errors.size(), 3);

    Help::setApplicationHelpFile(QString());
    QVERIFY(!Help::showTopic(1));
    QVERIFY(m_dialogs.errors.last().contains(QStringLiteral("No help file")));
    QVERIFY(openHelpWindows().isEmpty());
}

void tst_HelpViewer::missingTopicPopupAndJumpIdAreReported()
{
    Help& help = Help::current();
    QVERIFY(!help.winHelp(nullptr, fixturePath(), Help::HELP_CONTEXT, 999));
    QVERIFY(!help.winHelp(nullptr, fixturePath(), Help::HELP_CONTEXTPOPUP, 10100));
    QVERIFY(!help.winHelp(nullptr, fixturePath(), Help::HELP_COMMAND,
                          QStringLiteral("JumpID(\"\", \"NoSuchTopic\")")));
    QVERIFY(!help.winHelp(nullptr, fixturePath(), Help::HELP_COMMAND, QStringLiteral("Exit()")));
    QVERIFY(!help.winHelp(nullptr, fixturePath(), Help::HELP_CONTEXT, QStringLiteral("ten")));
    QVERIFY(!help.winHelp(nullptr, fixturePath() + ">bad name", Help::HELP_CONTEXT, 10));
    QVERIFY(!help.winHelp(nullptr, fixturePath(), 77, 0));
    QCOMPARE(m_dialogs.errors,
             QStringList({"The help file \"Fixture.hlp\" has no topic with context number 999.",
                          "The help file \"Fixture.hlp\" has no pop-up help for context number 10100.",
                          "The help file \"Fixture.hlp\" has no topic \"NoSuchTopic\".",
                          "The help command \"Exit()\" is not understood; only JumpID(\"file\", "
                          "\"topic\") can be run.",
                          "\"ten\" is not a help context number.",
                          "\"bad name\" is not the name of a help window.",
                          "The help request 77 is not known."}));
    QVERIFY(openHelpWindows().isEmpty());
}

void tst_HelpViewer::malformedAndGarbageFilesAreReported()
{
    const QString broken = m_dir->filePath(QStringLiteral("Broken.hlp"));
    QVERIFY(writeFile(broken, "VSMHELP 1\n[topic 1]\ntitle: A\n[end]\n[topic 1]\ntitle: B\n[end]\n"));
    QVERIFY(!Help::current().winHelp(nullptr, broken, Help::HELP_CONTEXT, 1));
    QCOMPARE(m_dialogs.errors.size(), 1);
    QCOMPARE(m_dialogs.errors[0], QStringLiteral("The help file \"Broken.hlp\" is damaged and cannot be "
                                                 "shown:\nline 5: context number 1 is already used on line 2"));

    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    const QString noise = m_dir->filePath(QStringLiteral("Noise.hlp"));
    QVERIFY(writeFile(noise, garbage));
    QVERIFY(!Help::current().winHelp(nullptr, noise, Help::HELP_FINDER, 0));
    QVERIFY(!Help::current().winHelp(nullptr, m_dir->path(), Help::HELP_CONTENTS, 0));
    QCOMPARE(m_dialogs.errors.size(), 3);
    QVERIFY(m_dialogs.errors[1].contains(QStringLiteral("\"Noise.hlp\" is damaged")));
    QVERIFY(m_dialogs.errors[2].contains(QStringLiteral("is not a file")));
    QVERIFY(openHelpWindows().isEmpty());
}

void tst_HelpViewer::changedFileIsReadAgain()
{
    QVERIFY(Help::showTopic(10));
    HelpWindow* window = HelpViewer::instance().window(QString());
    QCOMPARE(titleOf(window), QStringLiteral("First Topic"));

    QByteArray changed = Fixture;
    changed.replace("title: First Topic", "title: First Topic, revised");
    QVERIFY(writeFile(fixturePath(), changed));
    QFile file(fixturePath());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    QVERIFY(Help::showTopic(10));
    QCOMPARE(titleOf(window), QStringLiteral("First Topic, revised"));

    QVERIFY(QFile::remove(fixturePath()));
    QVERIFY(!Help::showTopic(10));
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY(m_dialogs.errors[0].contains(QStringLiteral("was not found")));
}

void tst_HelpViewer::shippedFilesOpen()
{
    const QString helpFolder = QStringLiteral(VSM_BINARY_DIR "/Help/");
    Help::setApplicationHelpFile(helpFolder + QStringLiteral("VandrelsholmSpeedMath.hlp"));
    QVERIFY(Help::showTopicInWindow(QStringLiteral("EHowTo"), 200));
    HelpWindow* howTo = HelpViewer::instance().window(QStringLiteral("EHowTo"));
    QVERIFY(howTo);
    QCOMPARE(howTo->windowTitle(), QStringLiteral("How To..."));
    QCOMPARE(titleOf(howTo), QStringLiteral("How To..."));
    QVERIFY(Help::showTopicByJumpId(QStringLiteral("ScreenHelp_Basics")));
    QCOMPARE(titleOf(HelpViewer::instance().window(QString())), QStringLiteral("Using the Basics screens"));

    QVERIFY(Help::current().winHelp(nullptr, helpFolder + QStringLiteral("The Story of Tobbel Vandrelsholm.hlp"),
                                    Help::HELP_CONTENTS, 0));
    HelpWindow* story = HelpViewer::instance().window(QString());
    QCOMPARE(titleOf(story), QStringLiteral("The Vandrelsholm Story"));
    QVERIFY(child<QTextBrowser>(story, "txtTopic")->toPlainText().contains(QStringLiteral("The rule of eleven")));
    QVERIFY(m_dialogs.errors.isEmpty());
}

QTEST_MAIN(tst_HelpViewer)
#include "tst_HelpViewer.moc"
