#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>

#include "practice/BestTimes.h"
#include "practice/PracticeRules.h"
#include "practice/WorkbenchKeys.h"
#include "shell/ChildForm.h"
#include "shell/ScreenCatalogue.h"

class GlyphButton;
class IniFile;
class Panel;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ScoreCounter;
class Shape;
class StatusBar;
class UpDown;
class WhatsThisMenu;

// One box the learner types into. The screen fills Panel, Width and
// CarryLink when it lays out its boxes; BuildWorkingPanels fills the rest for
// each problem.
struct WorkingPanelEntry {
    ::Panel* Panel = nullptr;
    bool IsMental = false;   // hidden while "Hide Mental Boxes" is ticked
    bool IsUnused = false;   // no part of the current problem: not shown, not checked
    int Width = 1;           // digits the box takes
    QColor Color;            // stored background (RestoreColors puts it back)
    QColor FontColor;        // stored text colour
    int TypedValue = 0;      // the learner's value, parsed at STOP (0 when empty)
    QString MyAnswer;        // the learner's text of the box
    int ExpectedValue = 0;   // the value the box must hold
    QString ActualAnswer;    // the text under "Show Actual Answer Steps"
    int CarryLink = -1;      // index into CarryPanels of the box that takes the tens digit
};

// A question or answer panel; an unused one is skipped when answers are
// compared and when answer panels are shown.
struct PanelEntry {
    ::Panel* Panel = nullptr;
    bool IsUnused = false;
};

// A carry box of a carry-pair screen: it receives the tens digit of a
// two-digit working box.
struct CarryPanelEntry {
    ::Panel* Panel = nullptr;
    int ExpectedDigit = 0;   // an empty carry box counts as 0
    QColor Color;
    QColor FontColor;
};

// The practice workbench: the common base of the Practice screens. A screen
// lays out its boxes and fills the lists; the workbench runs the attempt
// (idle, playing, finished), the keys and clicks on the boxes, the checking,
// the scores, the stopwatch and the best time, the hints and the answer steps,
// and keeps the screen's section of the learner's settings file. The method
// comes from the hooks (the virtual operations below) that a screen fills in;
// TPractiseRulesForm fills most of them from a method's rules.
//
// The workbench is one class in several files, by job:
//   Practise0Base.cpp      creation, PLAY/STOP/RESTART/close, checking, scores, settings
//   WorkbenchControls.cpp  the common controls and the lists of boxes
//   WorkbenchInput.cpp     keys (through WorkbenchKeys), digit entry, clicks, moves
//   WorkbenchDisplay.cpp   highlight, colours, hints, check boxes, answer steps, stopwatch
class TPractise0BaseForm : public ChildForm
{
    Q_OBJECT
public:
    enum WorkbenchState { Idle = 0, Playing = 1, Finished = 2 };
    // How digits typed into a box are kept.
    enum EntryStyleKind {
        CarryPairEntry = 0, // a two-digit box splits into its units digit and the tens digit in its carry box
        FreeEntry = 1       // the box keeps what is typed, up to its width; padded with zeros when left
    };
    // How the arrow keys map onto the list order.
    enum BoxOrderKind { RightToLeft = 0, LeftToRight = 1, Grid = 2 };
    // Directions of MoveHighlight.
    enum MoveDirection {
        MoveNext = 0, MovePrevious = 1, MoveToPanel = 2, MoveFirst = 3, MoveLast = 4,
        MoveLeft = 5, MoveRight = 6, MoveUp = 7, MoveDown = 8
    };

    explicit TPractise0BaseForm(QWidget* parent = nullptr);
    ~TPractise0BaseForm() override;

    // Read access for the main window, benchmarks and tests.
    int state() const { return State; }
    int currentIndex() const { return CurrentIndex; }
    QWidget* currentPanel() const { return CurrentPanel; }
    bool isCorrect() const { return IsCorrect; }
    const QList<WorkingPanelEntry>& workingPanels() const { return WorkingPanels; }
    const QList<CarryPanelEntry>& carryPanels() const { return CarryPanels; }
    const QString& sectionName() const { return SectionName; }
    QStringList bestTimeKeys() const { return BestTimeKeys(); }

    // "m:ss" (or "h:mm:ss") of an elapsed time in days; 0 gives "—:—".
    static QString FormatElapsed(double days);
    // The best-time rule: only a right attempt counts, and it must be
    // strictly faster than the stored best time (0 = none stored).
    static bool IsNewBestTime(bool correct, double elapsed, double best);

protected:
    // ---- the form's own virtual operations ----------------------------------
    // A key as it goes down; key is set to 0 when consumed. Screens may change
    // the key first and then call the base.
    virtual void FormKeyDown(int& key, Qt::KeyboardModifiers modifiers);
    // Selects an option button (screens extend it with the option's settings).
    virtual void ActivateOptionButton(Panel* button);
    // The Record button: screens show the custom question dialog.
    virtual void BitBtnCustomClick();
    // RESTART: the option of the last attempt comes back and the same
    // question is worked again.
    virtual void BitBtnRewindClick();

    // ---- the hooks ----------------------------------------------------------
    // What each default does; TPractiseRulesForm overrides the ones marked R
    // from the method's rules, and a screen overrides what its layout needs.
    // Lights the current box (lime, aqua when wider than one digit) and its carry box.
    virtual void HighlightWorkingPanel();
    // Moves the current box along the list (next, previous, first, last, or
    // to panel), skipping hidden boxes; the grid moves belong to the screens.
    virtual void MoveHighlight(int direction, QWidget* panel);
    // Makes the next question (pure: every screen has its own).
    virtual void NewQuestion() = 0;
    // Writes the question into its panels (pure; R: the problem's question panels).
    virtual void ShowQuestion() = 0;
    // Empties every question panel.
    virtual void ClearQuestionPanels();
    // Writes the correct answer into the answer panels (pure; R: the problem's answer panels).
    virtual void ShowActualAnswer() = 0;
    // Empties every answer panel.
    virtual void ClearAnswerPanels();
    // Empties every working box.
    virtual void ClearWorkingPanels();
    // Hides the options panel (when the screen has options) and the answer panels.
    virtual void HideOptionPanels();
    // Shows the options panel again and the answer panels in use.
    virtual void ShowOptionPanels();
    // Empties the boxes in their default colours, shows the ones in use and
    // highlights the first (R: first applies the problem's boxes).
    virtual void BuildWorkingPanels();
    // STOP: reads every box and carry box, paints the wrong ones red.
    virtual void CheckWorkingPanels();
    // Lights the colour hints of a box (the rules' links, ShowRuleColorHints).
    virtual void ShowColorHints(QWidget* panel);
    // A box's text changed as the learner typed: nothing.
    virtual void WorkingPanelChanged(QWidget* panel);
    // Gives every box, question panel, carry box and hinted panel its colours back.
    virtual void RestoreColors();
    // Keeps a box's text colour: window text for one digit, fuchsia for more.
    virtual void SetWorkingPanelFontColor(Panel* panel, int width);
    // Mode 1 strips a box's leading zeros, mode 2 pads it with zeros to its width.
    virtual void FormatWorkingPanel(Panel* panel, int mode);
    // Forgets the learner's and the actual texts of every box (R: also empties the carry boxes).
    virtual void ResetWorkingPanels();
    // "sMA" shows the learner's texts in the boxes in use, "sAA" the actual
    // ones (R: the carry boxes too).
    virtual void ShowAnswerSteps(const QString& which);
    // Right when the learner's answer digits read as the correct ones (and,
    // with carry pairs, no carry box is wrong).
    virtual void EvaluateAnswer();
    // Counts the attempt on Correct and Total.
    virtual void UpdateScores();
    // Offers the time as the best time of the attempt's problem type (the
    // option its question belongs to); true when it is a new best.
    virtual bool UpdateBestTime(double elapsed);
    // Hides the answer panels and the right/wrong mark.
    virtual void HideAnswerPanels();
    // The index of panel among the first last + 1 entries of list, or -1.
    virtual int FindWorkingPanel(const QWidget* panel, const QList<WorkingPanelEntry>& list,
                                 int last) const;
    // The text colour of a highlighted box: black on a light highlight over
    // white text, else the box's own.
    virtual QColor GetHighlightFontColor(const QWidget* panel, const QList<WorkingPanelEntry>& list,
                                         int last) const;
    // Up and Down on a screen without a grid: nothing.
    virtual void JumpVertically(QWidget* panel, bool showOnly);
    // Writes Option (and OptionDividend), Total, Correct and the best times.
    virtual void SaveSettings();
    // Reads them back: the option buttons, the scores and the best times.
    virtual void LoadSettings();
    // Writes every best time under its key.
    virtual void SaveBestTimes(IniFile& file);
    // Reads every best time of BestTimeKeys().
    virtual void LoadBestTimes(const IniFile& file);
    // Takes the best time shown: while playing, that of the attempt (none
    // when its question belongs to no option); otherwise BestTimeKey()'s.
    virtual void SelectBestTime();
    // The number (1, 2, ...) of the current option button; 1 without options.
    virtual int GetOptionIndex();
    // The number of the current dividend option: 1 (only division has them).
    virtual int GetOptionDividendIndex();
    // The option button of number n, or nullptr.
    virtual Panel* GetOptionButton(int n);
    // The dividend option button of number n: nullptr (only division has them).
    virtual Panel* GetOptionDividendButton(int n);
    // Repaints the highlight, the box's hint and its colour hints.
    virtual void RefreshHighlight();
    // Does the question on hand belong to the selected option(s), the kind
    // of problem whose best time they keep? A replay (ENTER after STOP) works
    // the question again only while it does or while the options are those
    // it was played with, and only a question that does is timed for a best
    // time. Default: every question belongs to every option.
    virtual bool QuestionFitsOptions();
    // A question the learner typed in the custom question dialog waits for
    // the next PLAY, which poses it (ENTER too). Default: none.
    virtual bool QuestionWaiting();

public:
    // ---- handlers (what the controls and keys do) ---------------------------
    // PLAY: sender is BitBtnPlay (a new question), BitBtnRewind (the same
    // question again, "ReDo" sound) or the form.
    void BitBtnPlayClick(QObject* sender);
    void BitBtnStopClick();
    void BitBtnCloseClick();
    void BitBtnClearClick();
    void BitBtnHelpClick();
    void BitBtnNavigateClick();
    void btnTimeClick();
    void chkShowHintClick();
    void chkShowColorHintsClick();
    // "Hide Mental Boxes"; a screen that gives the check box another job
    // (basic multiplication's "Show Rule") replaces it.
    virtual void chkHideMentalBoxesClick();
    void rdoShowMyAnswerStepsClick();
    void rdoShowActualAnswerStepsClick();
    // A right click on the VCR panel at a position of the panel.
    void pnlVCRContextPopup(const QPoint& pos);
    // A click on a box (or on a control that is not a box: beep).
    void HighlightWorkingPanelOnMouseClick(QWidget* panel);
    // A click on a carry box highlights the working box that feeds it.
    void TransferHighlightToWorkingPanel(Panel* carryBox);

protected:
    // ---- for the screens ----------------------------------------------------
    // The fixed settings of a screen, applied by SetUpScreen.
    struct ScreenSetup {
        // A screen of the catalogue: its section and help topic from its row.
        ScreenSetup(ScreenId screen, int navigate, EntryStyleKind style, BoxOrderKind order, bool options = true,
                    QString bestTime = QString())
            : ScreenSetup(ScreenCatalogue::row(screen).section, ScreenCatalogue::row(screen).helpTopic, navigate,
                          style, order, options, std::move(bestTime))
        {
        }
        ScreenSetup(QString section, int help, int navigate, EntryStyleKind style, BoxOrderKind order,
                    bool options = true, QString bestTime = QString())
            : sectionName(std::move(section)), helpContext(help), navigateContext(navigate), entryStyle(style),
              boxOrder(order), hasOptions(options), bestTimeKey(std::move(bestTime))
        {
        }
        QString sectionName;
        int helpContext = 0;       // BitBtnHelp and the screen (F1)
        int navigateContext = 0;   // BitBtnNavigate (the legend pop-up)
        EntryStyleKind entryStyle = CarryPairEntry;
        BoxOrderKind boxOrder = RightToLeft;
        bool hasOptions = true;    // PnlOptions enabled and shown
        QString bestTimeKey;       // the one best-time key of a screen without option buttons
    };
    // The first half of a screen's creation: section, entry style, box order,
    // help contexts, the options panel, the best-time keys, LoadSettings and
    // the best time shown (through ActivateOptionButton when there are
    // options). A screen's constructor, in this order:
    //   1. adds its option buttons and sets CurrentOption to its default,
    //   2. calls SetUpScreen once (it selects the stored option),
    //   3. lays out the rest of its boxes (AddWorkingPanel...) and calls
    //      ResetWorkingPanels.
    // An option button added after SetUpScreen, a second SetUpScreen and a
    // PLAY on a screen that never called it fail an assertion.
    void SetUpScreen(const ScreenSetup& setup);

    // Lays out the screen's boxes. A working panel gets Tag = its index and
    // its click wired to HighlightWorkingPanelOnMouseClick; a carry box
    // linked to a working panel has its click wired to
    // TransferHighlightToWorkingPanel. Each returns the new index.
    int AddWorkingPanel(Panel* panel, int width, int carryLink = -1);
    int AddCarryPanel(Panel* panel);
    void AddQuestionPanel(Panel* panel);
    void AddAnswerPanel(Panel* panel);
    void AddMyAnswerPanel(Panel* panel);
    // Empties the lists of working, question, answer and my-answer panels
    // (the carry boxes stay), so that a screen whose boxes differ from
    // option to option lays them out again with the Add... calls. A panel
    // that comes back into the list keeps its one click wiring.
    void ClearPanelLists();
    // A new option button on PnlOptions (raised, button face), wired to
    // ActivateOptionButton; order of creation = order on the panel = the
    // number stored under "Option" (1, 2, ...). bestTimeKey names the best
    // time of its problem type ("Time11").
    Panel* AddOptionButton(const QString& name, const QString& caption, const QString& hint = QString(),
                           const QString& bestTimeKey = QString());
    // One option button per entry of a rules class's option table (each
    // with button, caption, hint and bestTimeKey); the first becomes current.
    template <typename Options>
    void AddOptionButtons(const Options& options)
    {
        for (const auto& o : options)
            AddOptionButton(o.button, o.caption, o.hint, o.bestTimeKey);
        if (!m_optionButtons.isEmpty())
            CurrentOption = m_optionButtons.constFirst().button;
    }
    // The option buttons in order of creation.
    QList<Panel*> OptionButtons() const;

    // Best times: one per key, the key of the current problem type chosen by
    // BestTimeKey. By default the keys are those of the option buttons, or
    // the screen's one key.
    virtual QStringList BestTimeKeys() const;
    virtual QString BestTimeKey() const;

    // Step hint of a working panel, kept as its hint; its tooltip follows the
    // panel's hint display.
    void SetWorkingPanelHint(QWidget* panel, const QString& hint);
    // A working panel's hint display (as "Show Hint" switches it).
    static bool PanelHintShown(const QWidget* panel);
    static void SetPanelHintShown(QWidget* panel, bool shown);

    // Non-virtual operations of the workbench.
    void UpdateLamp();
    void ShowMyTime();
    void ShowBestTime();
    // While the learner works the stopwatch panel itself shows the best time.
    void ShowBestTimeOnStopwatch();
    // Blue when a best time is kept, window text when none.
    QColor BestTimeColor() const;
    void ShowPanelHint();
    // Digit entry into the current box (the digit is LastKey); true when
    // the box is complete and the highlight moves on.
    bool DigitEntryCarryPair(QWidget* panel, WorkbenchKeys::Edit what);
    bool DigitEntryFree(QWidget* panel, WorkbenchKeys::Edit what);
    void PadWorkingPanel(int index);
    void ShowRightWrong();
    // The default text colour of a box of this width on this screen.
    QColor DefaultFontColor(int width) const;
    // The common part of a carry-pair screen's ResetWorkingPanels: every carry
    // box emptied (expected digit 0, window colours, normal font), every
    // working box emptied in its default colours, every answer column in use.
    void ResetCarryPairBoxes();
    // Copies a worked problem of the method's rules onto the boxes, each
    // rule onto the box of its component name (the rules' order need not be
    // the list's): each working panel's expected value, actual-answer text,
    // width, mental and unused marks, carry link and step hint (an empty rule
    // hint keeps the panel's own), each carry box's expected digit, and the
    // colour-hint links that ShowRuleColorHints lights. A working panel the
    // problem does not name is unused; a carry box it does not name is
    // hidden. A rule naming a box the screen does not list fails an
    // assertion (and warns in a release build).
    void ApplyWorkedProblem(const WorkedProblem& problem);
    // The index of the working panel of that component name, or -1.
    int WorkingPanelNamed(const QString& name) const;
    // ShowColorHints of a screen whose rules give the links: lights what the
    // rules name for the box (yellow background, yellow text, a carry box
    // yellow with black text, or a colour of the method's own; a working panel
    // keeps its highlight text colour). RestoreColors gives every other panel
    // it lit its colours back.
    void ShowRuleColorHints(QWidget* panel);
    // A panel of the screen by its component name (nullptr when none).
    Panel* PanelNamed(const QString& name);
    // Lamp to button face (the learner navigates after STOP).
    void LampToButtonFace();
    // The screen's own hint (shown in the status bar while the mouse is over
    // the form itself).
    void SetScreenHint(const QString& hint);

    // ChildForm
    bool previewKeyPress(QKeyEvent* event) override;
    bool previewKeyRelease(QKeyEvent* event) override;
    void formClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ---- state ---------------------------------------------------------------
    int State = Idle;
    QList<WorkingPanelEntry> WorkingPanels;
    QList<PanelEntry> MyAnswerPanels;
    QList<PanelEntry> QuestionPanels;
    QList<PanelEntry> AnswerPanels;
    QList<CarryPanelEntry> CarryPanels;
    int CurrentIndex = 0;
    QPointer<QWidget> CurrentPanel;
    EntryStyleKind EntryStyle = CarryPairEntry;
    BoxOrderKind BoxOrder = RightToLeft;
    QString LastKey = QStringLiteral("NIL");
    bool IsCorrect = false;
    bool CarryRowWrong = false;
    bool MentalBoxesHidden = false;
    bool SwallowEnter = false;
    Panel* CurrentOption = nullptr;
    Panel* PlayedOption = nullptr;
    Panel* CurrentOptionDividend = nullptr;
    QString SectionName;
    double StartTime = 0;
    double StopTime = 0;
    QString MyTimeText;
    QString BestTimeText;

    // ---- controls ------------------------------------------------------------
    StatusBar* stbrScreen = nullptr;
    Panel* pnlViewAnswers = nullptr;
    QRadioButton* rdoShowMyAnswerSteps = nullptr;
    QRadioButton* rdoShowActualAnswerSteps = nullptr;
    Panel* pnlRightWrong = nullptr;
    QLabel* imgRight = nullptr;
    QLabel* imgWrong = nullptr;
    Panel* PnlOptions = nullptr;
    Panel* pnlNavigate = nullptr;
    GlyphButton* BitBtnNavigate = nullptr;
    Panel* pnlMover = nullptr;
    Panel* pnlShowHide = nullptr;
    QCheckBox* chkShowHint = nullptr;
    QCheckBox* chkShowColorHints = nullptr;
    QCheckBox* chkHideMentalBoxes = nullptr;
    QLabel* lblBestTime = nullptr;
    Panel* pnlTime = nullptr;
    QPushButton* btnTime = nullptr;
    Panel* pnlScores = nullptr;
    GlyphButton* BitBtnClear = nullptr;
    Panel* pnlCorrect = nullptr;
    UpDown* updnCorrect = nullptr;
    Panel* pnlTotal = nullptr;
    UpDown* updnTotal = nullptr;
    Panel* pnlLights = nullptr;
    Shape* shpLights = nullptr;
    Panel* pnlVCR = nullptr;
    GlyphButton* BitBtnPlay = nullptr;
    GlyphButton* BitBtnStop = nullptr;
    GlyphButton* BitBtnRewind = nullptr;
    GlyphButton* BitBtnCustom = nullptr;
    GlyphButton* BitBtnHelp = nullptr;
    GlyphButton* BitBtnClose = nullptr;
    WhatsThisMenu* popupWhatsThis = nullptr;

private:
    // WorkbenchControls.cpp
    void createControls();
    void createOptionsAndShowHide();
    void createStopwatch();
    void createScores();
    void createRightWrongAndAnswerSteps();
    void createVcr();
    void createLegend();
    // WorkbenchInput.cpp
    void runKeyAction(WorkbenchKeys::Action action, int key);
    void runFinishedMove(WorkbenchKeys::Action action);
    void moveHorizontally(bool left);
    void moveVertically(bool up);
    void typeIntoBox();
    bool digitEntry(WorkbenchKeys::Edit edit);
    void cannotCorrect();
    // WorkbenchDisplay.cpp
    void DisplayHint(const QString& hint);
    void setLampHint();
    void paintWorkingPanel(WorkingPanelEntry& entry);
    void paintCarryPanel(CarryPanelEntry& entry);
    void restoreHintedPanels();
    // Practise0Base.cpp
    void showScoreControls(bool shown);
    void playStopSounds(bool newBest);
    QPoint bestTimePopupPosition() const;
    int lastIndex() const { return int(WorkingPanels.size()) - 1; }
    bool isVisibleBox(int index) const;

    struct OptionButton {
        Panel* button = nullptr;
        QString bestTimeKey;
    };
    struct PanelColors {
        QColor color;
        QColor fontColor;
    };

    ScoreCounter* m_scores = nullptr;
    QList<QLabel*> m_scoreLabels;
    QList<OptionButton> m_optionButtons;
    QString m_bestTimeKey;
    BestTimes m_bestTimes;
    QList<QList<ColorHint>> m_ruleColorHints; // per working panel, from ApplyWorkedProblem
    QHash<Panel*, PanelColors> m_hintedPanels; // other panels lit by colour hints, with their own colours
    QHash<QString, Panel*> m_panelsByName;
    QSet<const Panel*> m_wiredPanels; // working panels whose click is wired
    // The box screen readers were last told holds the highlight.
    QPointer<Panel> m_announcedBox;
    void announceCurrentBox(Panel* box);
    QMetaObject::Connection m_hintConnection;
    bool m_setUp = false; // SetUpScreen has run
    QString m_playedOptionsKey; // BestTimeKey() of the options selected when the question was played
    QString m_timedKey;         // the best time the attempt runs for; "" when its question fits no option
};
