#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

#include "shell/ScreenCatalogue.h"

class ChildForm;
class QMdiArea;
class QMenu;

// The main window: a multiple-document frame whose menus open one screen at a
// time as a child window.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Menus that open screens off (File, Basics, Practice, User and
    // Help > "About..."); stops the idle music when it is on.
    void DisableMenuItemsAll();
    // Menus back on; starts the idle music loop when it is on.
    void EnableMenuItemsAll();
    // Places the active child window as a report window.
    void PlaceReportWindow();
    // Fits the main window to the screen it stands on.
    void FitToScreen();

    // Geometry (frame) that FitToScreen gives on a screen of that width whose
    // available area (the screen less its panels and task bars) is given:
    // the whole available height; on a 640-pixel-wide screen the whole
    // available width, otherwise a 20-pixel margin left and right.
    static QRect fitGeometry(const QRect& available, int screenWidth);
    // Position of a child window of the given size: on a 640-pixel-wide
    // screen top 0 and left (screen width - width - 8) div 2, or 0 when less
    // than 9 pixels are spare; otherwise centred in the client area.
    static QPoint childPosition(int screenWidth, const QSize& client, const QSize& child);

    // Shows a child window inside the main window, placed as a screen.
    void showChild(ChildForm* form);
    // Opens a screen as every menu command does: menus off, ScreenTitle set
    // (string-table title, with " : " when the screen has options), the
    // screen created and shown.
    void openScreen(int titleId, bool withOptions, const std::function<ChildForm*()>& create);

    QMdiArea* mdiArea() const { return m_mdiArea; }
    ChildForm* activeChild() const;
    QList<ChildForm*> childForms() const;
    // A menu item by its component name ("mnuAddition").
    QAction* menuItem(const QString& name) const;
    QMenu* topMenu(int index) const;
    // The application help file fixed at creation.
    const QString& helpFile() const { return m_helpFile; }

    // Menu commands.
    void mnuOpenReportClick();
    void mnuPrintWorksheetsClick();
    void mnuBackUpLearnerDataClick();
    void mnuRestoreLearnerDataClick();
    void mnuClassOverviewClick();
    void mnuPrinterSetupClick();
    void mnuExitClick();
    void mnuAboutClick();
    void mnuScoresClick();
    void mnuProgressClick();
    void mnuResetScoresClick();
    void mnuPreferencesClick();
    void mnuHelpTopicsClick();
    void mnuHelpHowToClick();
    void mnuHelpGettingStartedClick();
    void mnuHelpWhatsNeededtoLearnClick();
    void mnuGettingScreenHelpClick();
    void mnuHelpVandrelsholmStoryClick();
    void mnuAboutVandrelsholmSpeedMathClick();

    // Brings the window to the front, restoring it when minimised (a second
    // start of the program asks for this).
    void bringToFront();

    // The desktop session ends or the process is told to end: every open
    // window closes and saves as at a close, also a screen that is
    // practising (its question under way is given up uncounted), then the
    // program quits; the main window then closes without a refusal and
    // without the farewell prompt.
    void endSession();
    // The windows-closing part of endSession(), for an application that
    // quits by another way.
    void closeForSessionEnd();

    // Help file names.
    static QString helpFileName() { return QStringLiteral("VandrelsholmSpeedMath.hlp"); }
    static QString historyHelpFileName() { return QStringLiteral("The Story of Tobbel Vandrelsholm.hlp"); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The hint of a greyed menu title while the mouse is over it or its Alt
    // key is pressed (disabled menus give no status tip of their own).
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createMenus();
    QAction* greyedMenuAt(const QPoint& menuBarPos) const;
    QAction* greyedMenuOfMnemonic(int key) const;
    void showGreyedMenuHint(QAction* menu);
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption, void (TfrmMain::*handler)());
    // The Basics and Practice menus from the catalogue of screens.
    void addScreenMenus(QMenu* basics, QMenu* practice);
    void addScreenItem(QMenu* menu, const ScreenCatalogue::Row& screen);
    void fixHelpFile();
    void checkScreenWidth();

    QMdiArea* m_mdiArea = nullptr;
    QList<QMenu*> m_topMenus;
    QString m_helpFile;
    quint16 m_screenWidth = 0;
    bool m_greyedHintShown = false;
    bool m_sessionEnding = false;
    QPointer<QAction> m_greyedUnderPointer; // the greyed menu title the pointer is on
    bool m_fittedWithFrame = false; // fitted again once the frame's size was known
};

// The main window of the run (nullptr before it exists and after it is gone).
extern TfrmMain* frmMain;

// "file.hlp" -> "file.GID": the help index cache beside a help file.
QString helpIndexCacheOf(const QString& helpFile);
