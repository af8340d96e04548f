#include "app/Main.h"
#include "app/PrintWorksheets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include "app/ScreenFactories.h"
#include "platform/Dialogs.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemInfo.h"
#include "records/ClassOverview.h"
#include "records/LearnerData.h"
#include "records/OpenReport.h"
#include "records/ProgressWindow.h"
#include "records/ResetScores.h"
#include "records/Scores.h"
#include "shell/About.h"
#include "shell/AboutOnly.h"
#include "shell/ChildForm.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Hints.h"
#include "shell/Preferences.h"
#include "shell/SetIni.h"
#include "shell/Strings.h"

TfrmMain* frmMain = nullptr;

namespace {

const QString MenuHint = QStringLiteral("|To open the menu, first CLOSE this screen.");

// A file in the "Help" folder of a folder.
QString inHelpFolder(const QString& folder, const QString& name)
{
    return SystemInfo::joinPath(SystemInfo::joinPath(folder, QStringLiteral("Help")), name);
}

} // namespace

QString helpIndexCacheOf(const QString& helpFile)
{
    return DropRight(helpFile, 3) + QStringLiteral("GID");
}

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    // The images and recordings are linked from a static library, whose
    // resources register only when asked to.
    Q_INIT_RESOURCE(resources);
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdiArea);
    createMenus();

    // FormCreate
    FitToScreen();
    const QString title = Strings::text(Strings::ApplicationTitle);
    setWindowTitle(title);
    fixHelpFile();
    RegisterHelpFolder(m_helpFile);
    DiscoverSoundFolders();
}

TfrmMain::~TfrmMain()
{
    if (frmMain == this)
        frmMain = nullptr;
}

QAction* TfrmMain::addItem(QMenu* menu, const QString& name, const QString& caption,
                           void (TfrmMain::*handler)())
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    if (handler)
        connect(item, &QAction::triggered, this, handler);
    return item;
}

void TfrmMain::addScreenItem(QMenu* menu, const ScreenCatalogue::Row& screen)
{
    QAction* item = addItem(menu, screen.menuItem, screen.caption, nullptr);
    const ScreenId id = screen.id;
    connect(item, &QAction::triggered, this, [this, id] {
        const ScreenCatalogue::Row& row = ScreenCatalogue::row(id);
        openScreen(row.titleId, row.titleTakesOption, [id] { return createScreen(id); });
    });
}

void TfrmMain::addScreenMenus(QMenu* basics, QMenu* practice)
{
    using ScreenCatalogue::Group;
    QHash<QString, QMenu*> subMenus;
    for (const ScreenCatalogue::Row& screen : ScreenCatalogue::rows()) {
        QMenu* top = screen.group == Group::Basics ? basics : practice;
        QMenu* menu = top;
        if (!screen.subMenu.isEmpty()) {
            menu = subMenus.value(screen.subMenu);
            if (!menu) {
                const ScreenCatalogue::SubMenu* sub = ScreenCatalogue::findSubMenu(screen.subMenu);
                Q_ASSERT(sub);
                if (sub->separatorBefore)
                    top->addSeparator();
                menu = top->addMenu(sub->caption);
                menu->setObjectName(sub->name);
                menu->menuAction()->setObjectName(sub->name);
                subMenus.insert(sub->name, menu);
            }
        }
        if (screen.separatorBefore)
            menu->addSeparator();
        addScreenItem(menu, screen);
    }
}

void TfrmMain::createMenus()
{
    auto topMenu = [this](const QString& name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        m_topMenus.append(menu);
        return menu;
    };

    QMenu* file = topMenu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    addItem(file, QStringLiteral("mnuOpenReport"), QStringLiteral("Open Report..."), &TfrmMain::mnuOpenReportClick);
    file->addSeparator();
    addItem(file, QStringLiteral("mnuBackUpLearnerData"), QStringLiteral("Back Up Learner Data..."),
            &TfrmMain::mnuBackUpLearnerDataClick);
    addItem(file, QStringLiteral("mnuRestoreLearnerData"), QStringLiteral("Restore Learner Data..."),
            &TfrmMain::mnuRestoreLearnerDataClick);
    file->addSeparator();
    addItem(file, QStringLiteral("mnuPrintWorksheets"), QStringLiteral("Print &Worksheets..."),
            &TfrmMain::mnuPrintWorksheetsClick);
    addItem(file, QStringLiteral("mnuPrinterSetup"), QStringLiteral("Printer Setup..."), &TfrmMain::mnuPrinterSetupClick);
    file->addSeparator();
    addItem(file, QStringLiteral("mnuExit"), QStringLiteral("Exit"), &TfrmMain::mnuExitClick)->setShortcut(Qt::CTRL | Qt::Key_Q);

    QMenu* basics = topMenu(QStringLiteral("mnuBasics"), QStringLiteral("&Basics"));
    QMenu* practice = topMenu(QStringLiteral("mnuPractice"), QStringLiteral("&Practice"));
    addScreenMenus(basics, practice);

    QMenu* user = topMenu(QStringLiteral("mnuUser"), QStringLiteral("&User"));
    addItem(user, QStringLiteral("mnuAbout"), QStringLiteral("Switch User..."), &TfrmMain::mnuAboutClick);
    user->addSeparator();
    addItem(user, QStringLiteral("mnuScores"), QStringLiteral("Performance Report..."), &TfrmMain::mnuScoresClick);
    addItem(user, QStringLiteral("mnuResetScores"), QStringLiteral("Reset Scores..."), &TfrmMain::mnuResetScoresClick);
    user->addSeparator();
    addItem(user, QStringLiteral("mnuPreferences"), QStringLiteral("Preferences..."), &TfrmMain::mnuPreferencesClick);

    QMenu* records = topMenu(QStringLiteral("mnuRecords"), QStringLiteral("&Records"));
    addItem(records, QStringLiteral("mnuProgress"), QStringLiteral("Progress..."), &TfrmMain::mnuProgressClick);
    addItem(records, QStringLiteral("mnuClassOverview"), QStringLiteral("Class Overview..."),
            &TfrmMain::mnuClassOverviewClick);

    QMenu* help = topMenu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    addItem(help, QStringLiteral("mnuHelpTopics"), QStringLiteral("Help Topics"), &TfrmMain::mnuHelpTopicsClick);
    help->addSeparator();
    addItem(help, QStringLiteral("mnuHelpGettingStarted"), QStringLiteral("Getting Started"), &TfrmMain::mnuHelpGettingStartedClick);
    addItem(help, QStringLiteral("mnuHelpWhatsNeededtoLearn"), QStringLiteral("Learning Plan"), &TfrmMain::mnuHelpWhatsNeededtoLearnClick);
    addItem(help, QStringLiteral("mnuGettingScreenHelp"), QStringLiteral("Getting Screen Help"), &TfrmMain::mnuGettingScreenHelpClick);
    addItem(help, QStringLiteral("mnuHelpHowTo"), QStringLiteral("How To..."), &TfrmMain::mnuHelpHowToClick);
    help->addSeparator();
    addItem(help, QStringLiteral("mnuHelpVandrelsholmStory"), QStringLiteral("The Vandrelsholm Story"), &TfrmMain::mnuHelpVandrelsholmStoryClick);
    help->addSeparator();
    addItem(help, QStringLiteral("mnuAboutVandrelsholmSpeedMath"), QStringLiteral("About..."), &TfrmMain::mnuAboutVandrelsholmSpeedMathClick);

    // The menus that open screens explain why they are off while a screen is open.
    for (int i = 0; i < m_topMenus.size() - 1; ++i) {
        QAction* action = m_topMenus.at(i)->menuAction();
        action->setStatusTip(Hints::longHint(MenuHint));
        action->setProperty("vsmHint", MenuHint);
    }
    menuBar()->setMouseTracking(true);
    menuBar()->installEventFilter(this);
    qApp->installEventFilter(this);
}

QAction* TfrmMain::greyedMenuAt(const QPoint& menuBarPos) const
{
    QAction* action = menuBar()->actionAt(menuBarPos);
    return action && !action->isEnabled() && action->property("vsmHint").isValid() ? action : nullptr;
}

// Alt alone stands for the first menu (the one it would open).
QAction* TfrmMain::greyedMenuOfMnemonic(int key) const
{
    const auto greyed = [](QAction* action) {
        return !action->isEnabled() && action->property("vsmHint").isValid() ? action : nullptr;
    };
    if (key == Qt::Key_Alt)
        return m_topMenus.isEmpty() ? nullptr : greyed(m_topMenus.constFirst()->menuAction());
    for (QMenu* menu : m_topMenus) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(menu->menuAction()->text());
        if (!mnemonic.isEmpty() && mnemonic[0].key() == Qt::Key(key))
            return greyed(menu->menuAction());
    }
    return nullptr;
}

void TfrmMain::showGreyedMenuHint(QAction* menu)
{
    if (menu) {
        HintRouter::instance().setCurrentHint(menu->property("vsmHint").toString());
        m_greyedHintShown = true;
    } else if (m_greyedHintShown) {
        HintRouter::instance().setCurrentHint(QString());
        m_greyedHintShown = false;
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == menuBar()) {
        if (event->type() == QEvent::MouseMove) {
            m_greyedUnderPointer = greyedMenuAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            showGreyedMenuHint(m_greyedUnderPointer);
        } else if (event->type() == QEvent::Leave) {
            m_greyedUnderPointer = nullptr;
            showGreyedMenuHint(nullptr);
        }
    } else if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
               && watched->isWidgetType()
               && static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::AltModifier)
            if (QAction* menu = greyedMenuOfMnemonic(key->key()))
                showGreyedMenuHint(menu);
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* TfrmMain::menuItem(const QString& name) const
{
    const QList<QAction*> actions = findChildren<QAction*>(name);
    return actions.isEmpty() ? nullptr : actions.constFirst();
}

QMenu* TfrmMain::topMenu(int index) const
{
    return m_topMenus.value(index);
}

void TfrmMain::DisableMenuItemsAll()
{
    if (Globals::IdleMusicOn)
        SoundPlayer::current().stop();
    for (int i = 0; i < m_topMenus.size() - 1; ++i)
        m_topMenus.at(i)->menuAction()->setEnabled(false);
    if (QAction* about = menuItem(QStringLiteral("mnuAboutVandrelsholmSpeedMath")))
        about->setEnabled(false);
}

void TfrmMain::EnableMenuItemsAll()
{
    if (Globals::IdleMusicOn)
        SoundPlayer::current().playResource(Sounds::MainScreen, SoundPlayer::Mode::Loop);
    for (int i = 0; i < m_topMenus.size() - 1; ++i)
        m_topMenus.at(i)->menuAction()->setEnabled(true);
    if (QAction* about = menuItem(QStringLiteral("mnuAboutVandrelsholmSpeedMath")))
        about->setEnabled(true);
}

QRect TfrmMain::fitGeometry(const QRect& available, int screenWidth)
{
    if (screenWidth == 640)
        return available;
    return available.adjusted(20, 0, -20, 0);
}

QPoint TfrmMain::childPosition(int screenWidth, const QSize& client, const QSize& child)
{
    if (screenWidth == 640) {
        const int spare = screenWidth - child.width();
        return QPoint(spare < 9 ? 0 : (spare - 8) / 2, 0);
    }
    return QPoint(qMax(0, (client.width() - child.width()) / 2), qMax(0, (client.height() - child.height()) / 2));
}

void TfrmMain::FitToScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect frame = fitGeometry(screen->availableGeometry(), screen->geometry().width());
    // Delphi-style bounds are the outer frame; Qt sizes the client area.
    const QSize margins = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    move(frame.topLeft());
    resize(frame.size() - margins);
    if (ChildForm* child = activeChild(); child && child->subWindow()) {
        QMdiSubWindow* frameWindow = child->subWindow();
        frameWindow->move(childPosition(0, m_mdiArea->viewport()->size(), frameWindow->size()));
    }
    m_screenWidth = quint16(screen->geometry().width());
}

void TfrmMain::checkScreenWidth()
{
    QScreen* screen = this->screen();
    if (!screen || quint16(screen->geometry().width()) == m_screenWidth)
        return;
    if (isMaximized()) {
        showNormal();
        FitToScreen();
        showMaximized();
    } else {
        FitToScreen();
    }
}

void TfrmMain::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    QScreen* screen = this->screen();
    if (screen && quint16(screen->geometry().width()) != m_screenWidth)
        QTimer::singleShot(0, this, &TfrmMain::checkScreenWidth);
    // The frame the window manager puts around the window is known only once
    // it shows: then the window is fitted again, so that the frame, not the
    // client area, fills the available area.
    if (!m_fittedWithFrame && frameGeometry().size() != geometry().size()) {
        m_fittedWithFrame = true;
        if (windowState() == Qt::WindowNoState)
            QTimer::singleShot(0, this, &TfrmMain::FitToScreen);
    }
}

void TfrmMain::PlaceReportWindow()
{
    ChildForm* child = activeChild();
    if (!child)
        return;
    QWidget* frame = child->subWindow() ? static_cast<QWidget*>(child->subWindow()) : child;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    if (screenWidth == 640) {
        frame->move(childPosition(640, QSize(), frame->size()));
        return;
    }
    const int height = qMax(frame->minimumHeight(), m_mdiArea->viewport()->height() - 100);
    frame->resize(frame->width(), height);
    frame->move(childPosition(0, m_mdiArea->viewport()->size(), frame->size()));
}

ChildForm* TfrmMain::activeChild() const
{
    if (QMdiSubWindow* active = m_mdiArea->activeSubWindow())
        return qobject_cast<ChildForm*>(active->widget());
    const QList<ChildForm*> forms = childForms();
    return forms.isEmpty() ? nullptr : forms.constLast();
}

QList<ChildForm*> TfrmMain::childForms() const
{
    QList<ChildForm*> forms;
    for (QMdiSubWindow* frame : m_mdiArea->subWindowList()) {
        if (auto* form = qobject_cast<ChildForm*>(frame->widget()); form && !form->isClosed())
            forms.append(form);
    }
    return forms;
}

void TfrmMain::showChild(ChildForm* form)
{
    // The window gives the menus back when it closes.
    connect(form, &ChildForm::formClosed, this, &TfrmMain::EnableMenuItemsAll);
    connect(form, &ChildForm::mainWindowWanted, this, [this] { setEnabled(true); });
    Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (form->hasCloseBox())
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    QMdiSubWindow* frame = m_mdiArea->addSubWindow(form, flags);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setObjectName(form->objectName() + QStringLiteral("Frame"));
    frame->setWindowTitle(form->windowTitle());
    if (!frame->systemMenu() || !form->hasCloseBox())
        frame->setSystemMenu(nullptr);
    frame->adjustSize();
    if (form->minimumSize() == form->maximumSize())
        frame->setFixedSize(frame->sizeHint());
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    frame->move(childPosition(screen ? screen->geometry().width() : 0, m_mdiArea->viewport()->size(), frame->size()));
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    form->setFocus();
}

void TfrmMain::openScreen(int titleId, bool withOptions, const std::function<ChildForm*()>& create)
{
    DisableMenuItemsAll();
    QString title = Strings::text(titleId);
    if (withOptions)
        title += QStringLiteral(" : ");
    Globals::setScreenTitle(title);
    if (ChildForm* form = create())
        showChild(form);
    else
        EnableMenuItemsAll();
}

void TfrmMain::fixHelpFile()
{
    const QString installHelp = inHelpFolder(SystemInfo::installFolder(), helpFileName());
    if (QFileInfo::exists(installHelp)) {
        m_helpFile = installHelp;
        QFile::remove(helpIndexCacheOf(installHelp)); // a failure is of no concern
    } else {
        m_helpFile = inHelpFolder(SystemInfo::programFolder(), helpFileName());
    }
    Help::setApplicationHelpFile(m_helpFile);
}

bool TfrmMain::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        // The menu bar clears the tip of the title the pointer left; on a
        // greyed title the pointer came to, that title's hint stays.
        if (tip.isEmpty() && m_greyedUnderPointer)
            showGreyedMenuHint(m_greyedUnderPointer);
        else
            HintRouter::instance().setCurrentHint(tip.isEmpty() ? QString() : QStringLiteral("|") + tip);
        return true;
    }
    return QMainWindow::event(event);
}

// F1 reaches the main window when no screen has taken it: with no screen
// open it opens the contents of the help file.
void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && childForms().isEmpty()) {
        Help::current().winHelp(this, m_helpFile, Help::HELP_CONTENTS, 0);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (Globals::Practising && !m_sessionEnding) {
        Dialogs::current().beep();
        Dialogs::current().information(this, Strings::text(Strings::UnableToClose));
        event->ignore();
        return;
    }
    for (QMdiSubWindow* frame : m_mdiArea->subWindowList())
        frame->close();
    Help::quit();
    if (Globals::GreetingsOn && !m_sessionEnding)
        SoundPlayer::current().playResource(Sounds::SeeYaLater, SoundPlayer::Mode::Sync);
    event->accept();
}

void TfrmMain::endSession()
{
    m_sessionEnding = true;
    closeForSessionEnd();
    // Quitting closes the main window too (closeEvent), now without a refusal.
    QCoreApplication::quit();
}

void TfrmMain::closeForSessionEnd()
{
    for (ChildForm* form : childForms())
        form->closeForSessionEnd();
}

void TfrmMain::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

// ---- menu commands ----------------------------------------------------------

void TfrmMain::mnuOpenReportClick()
{
    const QString fileName = Dialogs::current().openFile(this, QStringLiteral("Open Performance Report"),
                                                         QStringLiteral("Rich Text Format (*.rtf)"),
                                                         QStringLiteral("RTF"));
    if (fileName.isEmpty())
        return;
    // A file that cannot be loaded discards the viewer unseen; the menus
    // come back on.
    openScreen(Strings::PrintScores, false, [&fileName]() -> ChildForm* {
        auto* viewer = new TOpenReportForm;
        if (viewer->loadReport(fileName))
            return viewer;
        delete viewer;
        return nullptr;
    });
    PlaceReportWindow();
}

void TfrmMain::mnuPrintWorksheetsClick()
{
    DisableMenuItemsAll();
    Globals::setScreenTitle(QStringLiteral("PRINT WORKSHEETS"));
    showChild(new TPrintWorksheetsForm);
}

void TfrmMain::mnuBackUpLearnerDataClick()
{
    LearnerData::backUp(this);
}

void TfrmMain::mnuRestoreLearnerDataClick()
{
    if (Globals::UserDataFolder.isEmpty()) {
        Dialogs::current().error(this, QStringLiteral("No user folder was found, so nothing can be restored."));
        return;
    }
    const QString folder = Dialogs::current().chooseFolder(
        this, QStringLiteral("Restore Learner Data: choose a backup folder"));
    if (folder.isEmpty())
        return;
    if (LearnerBackupRules::readBackup(folder, Globals::UserDataFolder).isEmpty()) {
        Dialogs::current().error(this, QStringLiteral("The folder \"%1\" holds no learner's files.").arg(folder));
        return;
    }
    DisableMenuItemsAll();
    showChild(new TRestoreForm(folder));
}

void TfrmMain::mnuClassOverviewClick()
{
    DisableMenuItemsAll();
    auto* overview = new TClassOverviewForm;
    showChild(overview);
    // As large as the main window's client area allows.
    if (QMdiSubWindow* frame = overview->subWindow()) {
        const QSize room = m_mdiArea->viewport()->size();
        frame->resize(qMax(frame->width(), room.width() - 40), qMax(frame->height(), room.height() - 40));
        frame->move(childPosition(0, room, frame->size()));
    }
}

void TfrmMain::mnuPrinterSetupClick()
{
    Dialogs::current().printerSetup(this, Dialogs::printer());
}

void TfrmMain::mnuExitClick()
{
    if (close())
        Help::quit();
}

void TfrmMain::mnuAboutClick()
{
    // The sign-in dialog keeps the screen title as it is.
    DisableMenuItemsAll();
    auto* box = new TAboutBox;
    connect(box, &TAboutBox::gettingStartedWanted, this, &TfrmMain::mnuHelpGettingStartedClick);
    showChild(box);
}

void TfrmMain::mnuScoresClick()
{
    openScreen(Strings::TitleScores, false, [] { return new TScoresForm; });
    PlaceReportWindow();
}

void TfrmMain::mnuProgressClick()
{
    ProgressWindow::open(this);
}

void TfrmMain::mnuResetScoresClick()
{
    ResetAllScores(this);
}

void TfrmMain::mnuPreferencesClick()
{
    openScreen(Strings::PreferencesTitle, false, [] { return new TPrefsForm; });
}

void TfrmMain::mnuHelpTopicsClick()
{
    Help::showFinder();
}

void TfrmMain::mnuHelpHowToClick()
{
    Help::showTopicInWindow(QStringLiteral("EHowTo"), 200);
}

void TfrmMain::mnuHelpGettingStartedClick()
{
    Help::showTopicInWindow(QStringLiteral("EStart"), 300);
}

void TfrmMain::mnuHelpWhatsNeededtoLearnClick()
{
    Help::showTopicInWindow(QStringLiteral("ESkills"), 400);
}

void TfrmMain::mnuGettingScreenHelpClick()
{
    Help::showTopicInWindow(QStringLiteral("RStart"), 410);
}

void TfrmMain::mnuHelpVandrelsholmStoryClick()
{
    const QString name = historyHelpFileName();
    const QString installHelp = inHelpFolder(SystemInfo::installFolder(), name);
    QString found;
    if (QFileInfo::exists(installHelp)) {
        QFile::remove(helpIndexCacheOf(installHelp));
        found = installHelp;
    } else {
        const QString program = SystemInfo::programFolder();
        const QString beside = inHelpFolder(program, name);
        if (!QFileInfo::exists(beside)) {
            Dialogs::current().error(this, name + QStringLiteral(" was not found!"));
            return;
        }
        if (!SystemInfo::isNetworkPath(program))
            QFile::remove(helpIndexCacheOf(beside));
        found = beside;
    }
    Help::current().winHelp(this, found, Help::HELP_CONTENTS, 0);
}

void TfrmMain::mnuAboutVandrelsholmSpeedMathClick()
{
    openScreen(Strings::AboutMenuTitle, false, [] { return new TAboutOnlyBox; });
}
