#pragma once

#include <QMetaObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include "shell/ChildForm.h"
#include "shell/ScreenCatalogue.h"
#include "shell/UpDown.h"

class GlyphButton;
class Panel;
class PractiseMisses;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;
class ScoreCounter;
class Shape;
class StatusBar;
class WhatsThisMenu;

// The flash drill engine, base of every Basics screen. It flashes a question,
// waits the answer delay, flashes the answer, waits the question delay, shows
// the next question, and so on until the learner stops. Every question counts
// as right when its answer shows; SPACE takes one back off Correct.
//
// The engine owns the play/stop/eject/help buttons, the two delay track bars
// with their timing check, the Correct/Total panel with its lamps, the keys
// and the screen's section of the learner's file. A screen adds its own
// question panels and option buttons in the upper part of the form
// (drillArea()) and fills the hooks; its constructor ends with
// FormCreateScreen().
class TBasicsBaseForm : public ChildForm
{
    Q_OBJECT
public:
    static constexpr int AnswerStepMs = 150;   // per answer track bar step
    static constexpr int QuestionStepMs = 250; // per question track bar step
    static constexpr int DefaultAnswerPosition = 10;
    static constexpr int DefaultQuestionPosition = 4;
    static constexpr int TimingCheckAnswers = 8;
    static constexpr int ClientWidth = 588;
    static constexpr int ClientHeight = 379;

    explicit TBasicsBaseForm(QWidget* parent = nullptr);
    ~TBasicsBaseForm() override; // FormDestroy

    // Where a screen lays out its question panels and options.
    static QRect drillArea();

    // ---- state
    const QString& sectionName() const { return SectionName; }
    Panel* currentOption() const { return CurrentOption; }
    bool playing() const { return Playing; }
    bool checkingTiming() const { return CheckingTiming; }
    bool enterPlays() const { return EnterPlays; }
    int timingCycles() const { return TimingCycles; }
    int correct() const;
    int total() const;

    // ---- operations the screens call
    // Selects an option button: lowered and lime, the previous one raised;
    // the caption names it; the question and answer are cleared and the
    // screen adapts (ApplyOption).
    void ActivateOptionButton(Panel* button);
    // Lights the lamp of the grade of Correct and Total.
    void UpdateTrafficLights();

    // ---- event handlers (also called by tests and by screens that extend them)
    virtual void BitBtnPlayClick(QObject* sender);
    void BitBtnStopClick(QObject* sender);
    void BitBtnCloseClick();
    void BitBtnHelpClick();
    void BitBtnClearClick();
    void btnTestSpeedClick(QObject* sender);
    void trkbrAnswerChange();
    void trkbrQuestionChange();
    virtual void tmrAnswerTimer();
    virtual void tmrQuestionTimer();
    void mnuWhatsThisClick();
    // A right click inside the VCR panel at pos (panel coordinates): the
    // "What's This?" menu for the play, stop or eject button under it.
    // Returns the button it was opened for, or nullptr.
    QWidget* pnlVCRContextPopup(const QPoint& pos);
    virtual bool FormKeyDown(QKeyEvent* event);
    virtual bool FormKeyUp(QKeyEvent* event);

protected:
    // ---- the thirteen hooks: what the engine calls, and what each default does
    // Makes the next question (pure: every drill draws its own).
    virtual void NewQuestion() = 0;
    // Shows the question in the drill's panels (pure).
    virtual void ShowQuestion() = 0;
    // Empties the question panels (pure).
    virtual void ClearQuestion() = 0;
    // Shows the answer of the question on screen (pure).
    virtual void ShowAnswer() = 0;
    // Empties the answer panels (pure).
    virtual void ClearAnswer() = 0;
    // Adapts the drill to the option just chosen (pure).
    virtual void ApplyOption() = 0;
    // Hides the option buttons while a run plays (pure; TBasicsOptionForm hides its frames).
    virtual void HideOptionPanels() = 0;
    // Shows them again when the run stops (pure; TBasicsOptionForm shows its frames).
    virtual void ShowOptionPanels() = 0;
    // An answer is in: counts it as right (SPACE takes one back off Correct).
    virtual void UpdateScores();
    // Writes Option (with options), Total, Correct and the two delay positions.
    virtual void SaveSettings();
    // Reads them back; an Option that names no button selects the first.
    virtual void LoadSettings();
    // The number of the current option (pure; 1 without options in TBasicsOptionForm).
    virtual int GetOptionIndex() const = 0;
    // The option button of a number, or nullptr (pure; no buttons without options).
    virtual Panel* GetOptionButton(int index) const = 0;

    // ---- "Practise my misses": the facts of the current option
    // The keys of the option's facts, each the question as the screen shows
    // it ("7×8"); none (the default) where the screen offers no review.
    virtual QStringList ReviewFacts() { return {}; }
    // Makes the index-th fact of the last ReviewFacts() the question, in
    // place of a NewQuestion.
    virtual void PoseFact(int) {}
    // The key of the question on screen.
    virtual QString FactKey() const { return {}; }

    // The end of creation, after the screen has built its panels: the
    // section and the help topic (BitBtnHelp's and the form's) of the
    // screen's catalogue row, the first option (nullptr on screens without
    // options), LoadSettings and the activation of the option read. A
    // screen's constructor builds its panels and option buttons, then calls
    // this once, last; an option button added after it, a second call and a
    // PLAY on a screen that never called it fail an assertion.
    void FormCreateScreen(ScreenId screen, Panel* firstOption);

    // The screen has option buttons (and stores "Option").
    bool hasOptions() const { return GetOptionButton(1) != nullptr; }

    // The answer of the question on screen is in (its delay has passed, or a
    // screen whose learner types it has the key): it shows, a run counts it
    // and grades the lamps, and the question delay runs unless it already
    // does.
    void AnswerIn();

    // Counts one question: Total + 1, and Correct + 1 when right (for a
    // screen whose UpdateScores judges the learner's own answer).
    void countQuestion(bool right);

    // A mode that does not play (the learner pages through what the screen
    // teaches): the play and stop buttons, the delays and the scores are
    // hidden and ENTER starts nothing. Playable again shows them.
    void setPlayable(bool playable);

    void formClose() override; // FormClose
    bool previewKeyPress(QKeyEvent* event) override;
    bool previewKeyRelease(QKeyEvent* event) override;

    void setFormHint(const QString& hint);
    // SPACE while playing: one miss per physical press of the key, counted
    // as the key goes up (spacePressed arms it, countMiss counts it).
    void spacePressed(const QKeyEvent* press);
    void countMiss();
    // "Scores cannot be more than 1000. ..." in the status bar.
    void showScoreLimit();
    // A control's help context number, and its "What's This?" menu.
    void setHelp(QWidget* control, int context, bool whatsThis = true);

    // ---- state
    QString SectionName;
    Panel* CurrentOption = nullptr;
    bool Playing = false;
    bool CheckingTiming = false;
    bool EnterPlays = true;
    int TimingCycles = 0;
    // A digit typed during a run or check is answered with a message and the
    // basics help topic; a screen whose learner types digits clears this.
    bool DigitWarning = true;
    // The screen offers the timing check (btnTestSpeed shows when no run is
    // active); a screen whose answer is typed has nothing to time.
    bool TimingCheck = true;

    // Enter and Esc act as they go up, but only when their press came to
    // this screen too: the Enter that opened it from the menu, or the Esc
    // that closed a pop-up over it, does nothing here.
    QSet<int> KeysPressedHere;
    // SPACE: down since its last press, a miss armed by that press, and
    // when the key last went up (ms).
    bool SpaceDown = false;
    bool SpaceMissArmed = false;
    quint64 SpaceUpAt = 0;

    // ---- components
    StatusBar* stbrScreen = nullptr;
    Panel* pnlScores = nullptr;
    QPushButton* BitBtnClear = nullptr;
    Panel* pnlTick = nullptr;
    QLabel* imgTick = nullptr;
    Panel* pnlCorrect = nullptr;
    UpDown* updnCorrect = nullptr;
    Panel* pnlTotal = nullptr;
    UpDown* updnTotal = nullptr;
    Panel* pnlRed = nullptr;
    Shape* shpRed = nullptr;
    Panel* pnlAmber = nullptr;
    Shape* shpAmber = nullptr;
    Panel* pnlGreen = nullptr;
    Shape* shpGreen = nullptr;
    Panel* pnlTimer = nullptr;
    QLabel* lblQuestion = nullptr;
    QSlider* trkbrQuestion = nullptr;
    QLabel* lblAnswer = nullptr;
    QSlider* trkbrAnswer = nullptr;
    QPushButton* btnTestSpeed = nullptr;
    Panel* pnlVCR = nullptr;
    GlyphButton* BitBtnPlay = nullptr;
    GlyphButton* BitBtnStop = nullptr;
    GlyphButton* BitBtnHelp = nullptr;
    GlyphButton* BitBtnClose = nullptr;
    QTimer* tmrAnswer = nullptr;
    QTimer* tmrQuestion = nullptr;
    WhatsThisMenu* popupWhatsThis = nullptr;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // NewQuestion, or during a run the next question by way of "Practise my
    // misses" (which draws with NewQuestion while the option is off).
    void DrawQuestion();
    void createScorePanel();
    void createTimerPanel();
    void createVcrPanel();
    void buildLampHints();
    void setScoreControlsVisible(bool visible, bool all);
    void warnAboutDigit();
    static QString seconds(int milliseconds);

    ScoreCounter* m_scores = nullptr;
    // The run's own tally for the practice history (the scores add up over
    // runs and stop at their limit): questions asked, misses marked.
    int m_runQuestions = 0;
    int m_runMisses = 0;
    PractiseMisses* m_misses = nullptr;
    QMetaObject::Connection m_hintRoute;
};
