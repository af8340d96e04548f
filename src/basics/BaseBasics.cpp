#include "basics/BaseBasics.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "basics/BasicsHelp.h"
#include "basics/PractiseMisses.h"
#include "shell/Help.h"
#include "shell/GlyphButton.h"
#include "shell/Shape.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "records/HistoryFile.h"
#include "platform/SoundPlayer.h"
#include "shell/Globals.h"
#include "shell/Grading.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/ScoreCounter.h"
#include "shell/ScreenSettings.h"
#include "shell/StatusBar.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"
#include "shell/WhatsThisMenu.h"

namespace {

const QString HintAnswerDelay = QStringLiteral("|Sets the amount of time between the question flashing and the answer appearing.");
const QString HintQuestionDelay = QStringLiteral("|Sets the amount of time before the next question appears.");
const QString HintCheckTiming = QStringLiteral("|Check the speed of the Answer and Question flashing.");
const QString HintTimingRuns = QStringLiteral("|Move the thumb on the timers NOW to adjust speed. Press ESC key to stop");
const QString CheckTimingCaption = QStringLiteral("Check Timing");
const QString CheckingMessage = QStringLiteral("You are checking the timing speed ! Cannot reduce score here.");
const QString DigitMessage = QStringLiteral(
    "You are not supposed to type a number. Just think the answer mentally, compare it with the answer that "
    "flashes on the screen, and press the SPACEBAR if you are wrong. Click STOP button and read the Help file again.");
const QString BasicsJumpId = QStringLiteral("ScreenHelp_Basics");

const QString KeyOption = QStringLiteral("Option");
const QString KeyTotal = QStringLiteral("Total");
const QString KeyCorrect = QStringLiteral("Correct");
const QString KeyAnswerPosition = QStringLiteral("AnswerPosition");
const QString KeyQuestionPosition = QStringLiteral("QuestionPosition");
const QString KeyPractiseMisses = QStringLiteral("PractiseMisses");

// Layout of the lower strip: score, timer and VCR panels side by side.
constexpr int StripTop = 251;
constexpr int StripHeight = 120;

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isDigit(const QKeyEvent* event)
{
    return event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9;
}

QSlider* makeTrackBar(QWidget* parent, const QString& name, int minimum, int maximum)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    bar->setTickInterval(1);
    bar->setTickPosition(QSlider::TicksBelow);
    return bar;
}

} // namespace

// ---- creation --------------------------------------------------------------

TBasicsBaseForm::TBasicsBaseForm(QWidget* parent) : ChildForm(parent)
{
    setObjectName(QStringLiteral("BasicsBaseForm"));
    setKeyPreview(true);
    setClientSize(ClientWidth, ClientHeight);
    keepLayoutFont(12);
    setAutoFillBackground(true);

    popupWhatsThis = new WhatsThisMenu(this);

    stbrScreen = new StatusBar(this);
    stbrScreen->setGeometry(0, 0, ClientWidth, 19);
    setHelp(stbrScreen, BasicsHelp::StatusBar);

    createScorePanel();
    createTimerPanel();
    createVcrPanel();
    m_misses = new PractiseMisses(this, popupWhatsThis,
                                  {[this] { return ReviewFacts(); }, [this] { return FactKey(); },
                                   [this] { NewQuestion(); }, [this](int index) { PoseFact(index); }});

    tmrAnswer = new QTimer(this);
    tmrAnswer->setObjectName(QStringLiteral("tmrAnswer"));
    tmrAnswer->setTimerType(Qt::PreciseTimer);
    connect(tmrAnswer, &QTimer::timeout, this, [this] { tmrAnswerTimer(); });
    tmrQuestion = new QTimer(this);
    tmrQuestion->setObjectName(QStringLiteral("tmrQuestion"));
    tmrQuestion->setTimerType(Qt::PreciseTimer);
    connect(tmrQuestion, &QTimer::timeout, this, [this] { tmrQuestionTimer(); });

    // FormCreate: the hint under the mouse shows in the status bar.
    m_hintRoute = connect(&HintRouter::instance(), &HintRouter::hintChanged, this,
                          [this](const QString& hint) { stbrScreen->setSimpleText(Hints::longHint(hint)); });
    stbrScreen->setSimpleText(Hints::longHint(HintRouter::instance().currentHint()));
    setFormHint(Strings::text(Strings::HintPressPlay));
    setCaption(Globals::ScreenTitle);

    trkbrAnswer->setValue(DefaultAnswerPosition);
    trkbrQuestion->setValue(DefaultQuestionPosition);
    trkbrAnswerChange();
    trkbrQuestionChange();
    connect(trkbrAnswer, &QSlider::valueChanged, this, [this] { trkbrAnswerChange(); });
    connect(trkbrQuestion, &QSlider::valueChanged, this, [this] { trkbrQuestionChange(); });

    Hints::setHint(lblAnswer, HintAnswerDelay);
    Hints::setHint(lblQuestion, HintQuestionDelay);
    Hints::setHint(btnTestSpeed, HintCheckTiming);

    EnterPlays = true;
    buildLampHints();
    UpdateTrafficLights();
}

TBasicsBaseForm::~TBasicsBaseForm()
{
    // FormDestroy: the status bar no longer follows the hints.
    disconnect(m_hintRoute);
}

QRect TBasicsBaseForm::drillArea()
{
    return QRect(0, 19, ClientWidth, StripTop - 19 - 4);
}

void TBasicsBaseForm::setHelp(QWidget* control, int context, bool whatsThis)
{
    Hints::setHelpContext(control, context);
    if (whatsThis)
        popupWhatsThis->attach(control);
}

void TBasicsBaseForm::createScorePanel()
{
    pnlScores = new Panel(this, QStringLiteral("pnlScores"));
    pnlScores->setGeometry(8, StripTop, 224, StripHeight);

    pnlTick = new Panel(pnlScores, QStringLiteral("pnlTick"));
    pnlTick->setGeometry(10, 12, 32, 32);
    pnlTick->setBevelOuter(Panel::Bevel::None);
    Hints::setHint(pnlTick, QStringLiteral("|CORRECT: The number of right answers"));
    imgTick = new QLabel(pnlTick);
    imgTick->setObjectName(QStringLiteral("imgTick"));
    imgTick->setPixmap(GlyphButton::draw(GlyphButton::Glyph::Tick, 28));
    imgTick->setGeometry(2, 2, 28, 28);

    auto countPanel = [this](const QString& name, int x) {
        auto* panel = new Panel(pnlScores, name);
        panel->setGeometry(x, 12, 62, 32);
        panel->setBevelOuter(Panel::Bevel::Lowered);
        panel->setFontSpec(QStringLiteral("Arial"), 16, true);
        return panel;
    };
    auto upDown = [this](const QString& name, int x) {
        auto* updn = new UpDown(pnlScores, name);
        updn->setGeometry(x, 12, 17, 32);
        return updn;
    };

    pnlCorrect = countPanel(QStringLiteral("pnlCorrect"), 44);
    updnCorrect = upDown(QStringLiteral("updnCorrect"), 106);
    pnlTotal = countPanel(QStringLiteral("pnlTotal"), 134);
    updnTotal = upDown(QStringLiteral("updnTotal"), 196);

    Hints::setHint(pnlCorrect, QStringLiteral("Correct Answers|CORRECT ANSWERS: The number of right answers"));
    Hints::setHint(pnlTotal, QStringLiteral("Total Questions|TOTAL QUESTIONS: The total number of questions you have tried."));
    Hints::setHint(updnCorrect, QStringLiteral("|Adjusts your Correct answers."));
    Hints::setHint(updnTotal, QStringLiteral("|Adjusts the TOTAL number of questions."));
    setHelp(pnlCorrect, BasicsHelp::Correct);
    setHelp(updnCorrect, BasicsHelp::Correct);
    setHelp(pnlTotal, BasicsHelp::Total);
    setHelp(updnTotal, BasicsHelp::Total);

    m_scores = new ScoreCounter(this, {updnCorrect, pnlCorrect, updnTotal, pnlTotal, stbrScreen},
                                [this] { UpdateTrafficLights(); });

    auto lamp = [this](const QString& panelName, const QString& shapeName, int x, Shape*& shape) {
        auto* panel = new Panel(pnlScores, panelName);
        panel->setGeometry(x, 62, 42, 42);
        panel->setBevelOuter(Panel::Bevel::Lowered);
        shape = new Shape(panel, shapeName);
        shape->setGeometry(4, 4, 34, 34);
        setHelp(panel, BasicsHelp::Lamps);
        return panel;
    };
    pnlRed = lamp(QStringLiteral("pnlRed"), QStringLiteral("shpRed"), 10, shpRed);
    pnlAmber = lamp(QStringLiteral("pnlAmber"), QStringLiteral("shpAmber"), 58, shpAmber);
    pnlGreen = lamp(QStringLiteral("pnlGreen"), QStringLiteral("shpGreen"), 106, shpGreen);

    BitBtnClear = new GlyphButton(pnlScores, QStringLiteral("BitBtnClear"), GlyphButton::Glyph::Clear, QStringLiteral("Clear"));
    BitBtnClear->setGeometry(154, 66, 62, 34);
    Hints::setHint(BitBtnClear, QStringLiteral("Clear marks|Resets the CORRECT ANSWERS and TOTAL QUESTIONS to 0"));
    setHelp(BitBtnClear, BasicsHelp::Clear);
    connect(BitBtnClear, &QPushButton::clicked, this, [this] { BitBtnClearClick(); });
}

void TBasicsBaseForm::createTimerPanel()
{
    pnlTimer = new Panel(this, QStringLiteral("pnlTimer"));
    pnlTimer->setGeometry(240, StripTop, 200, StripHeight);

    auto label = [this](const QString& name, const QString& caption, int y) {
        auto* l = new QLabel(caption, pnlTimer);
        l->setObjectName(name);
        l->setGeometry(10, y, 180, 16);
        return l;
    };
    lblQuestion = label(QStringLiteral("lblQuestion"), QStringLiteral("Question Time"), 4);
    trkbrQuestion = makeTrackBar(pnlTimer, QStringLiteral("trkbrQuestion"), 1, 20);
    trkbrQuestion->setGeometry(6, 20, 188, 26);
    lblAnswer = label(QStringLiteral("lblAnswer"), QStringLiteral("Answer Time"), 46);
    trkbrAnswer = makeTrackBar(pnlTimer, QStringLiteral("trkbrAnswer"), 2, 40);
    trkbrAnswer->setGeometry(6, 62, 188, 26);
    // The labels name their track bars (for screen readers too).
    lblQuestion->setBuddy(trkbrQuestion);
    lblAnswer->setBuddy(trkbrAnswer);

    btnTestSpeed = new QPushButton(CheckTimingCaption, pnlTimer);
    btnTestSpeed->setObjectName(QStringLiteral("btnTestSpeed"));
    btnTestSpeed->setGeometry(50, 90, 100, 24);
    connect(btnTestSpeed, &QPushButton::clicked, this, [this] { btnTestSpeedClick(btnTestSpeed); });

    setHelp(trkbrAnswer, BasicsHelp::AnswerDelay);
    setHelp(trkbrQuestion, BasicsHelp::QuestionDelay);
    setHelp(btnTestSpeed, BasicsHelp::CheckTiming);
}

void TBasicsBaseForm::createVcrPanel()
{
    pnlVCR = new Panel(this, QStringLiteral("pnlVCR"));
    pnlVCR->setGeometry(448, StripTop, 132, StripHeight);

    auto button = [this](const QString& name, GlyphButton::Glyph glyph, int x, int y) {
        auto* b = new GlyphButton(pnlVCR, name, glyph);
        b->setGeometry(x, y, 56, 50);
        return b;
    };
    BitBtnPlay = button(QStringLiteral("BitBtnPlay"), GlyphButton::Glyph::Play, 8, 8);
    BitBtnStop = button(QStringLiteral("BitBtnStop"), GlyphButton::Glyph::Stop, 68, 8);
    BitBtnHelp = button(QStringLiteral("BitBtnHelp"), GlyphButton::Glyph::Help, 8, 62);
    BitBtnClose = button(QStringLiteral("BitBtnClose"), GlyphButton::Glyph::Eject, 68, 62);
    BitBtnStop->setEnabled(false);

    Hints::setHint(BitBtnPlay, QStringLiteral("Play|Keyboard Shortcut: Press the ENTER key on your keyboard to play."));
    Hints::setHint(BitBtnStop, QStringLiteral("Stop|Keyboard Shortcut: Press ESC key to stop."));
    Hints::setHint(BitBtnClose, QStringLiteral("Eject|Press EJECT button to finish pracitising; then, choose a different screen from the menu."));
    Hints::setHint(BitBtnHelp, QStringLiteral("Show method|Press this button to obtain help for this Vandrelsholm method."));
    // The VCR panel opens "What's This?" for its buttons (pnlVCRContextPopup),
    // also for a disabled one.
    setHelp(BitBtnPlay, BasicsHelp::Play, false);
    setHelp(BitBtnStop, BasicsHelp::Stop, false);
    setHelp(BitBtnClose, BasicsHelp::Eject, false);

    connect(BitBtnPlay, &QPushButton::clicked, this, [this] { BitBtnPlayClick(BitBtnPlay); });
    connect(BitBtnStop, &QPushButton::clicked, this, [this] { BitBtnStopClick(BitBtnStop); });
    connect(BitBtnHelp, &QPushButton::clicked, this, [this] { BitBtnHelpClick(); });
    connect(BitBtnClose, &QPushButton::clicked, this, [this] { BitBtnCloseClick(); });
}

void TBasicsBaseForm::buildLampHints()
{
    const QString level = Grading::levelName(Globals::UserLevel);
    const int lower = Globals::LowerAmber;
    const int upper = Globals::UpperAmber;
    const QString red = level + QStringLiteral("Score : 0-%1 %").arg(lower - 1);
    const QString amber = level + QStringLiteral("Score : %1-%2 %").arg(lower).arg(upper);
    const QString green = level + QStringLiteral("Score : %1-100 %").arg(upper + 1);
    for (auto [panel, shape, hint] : {std::tuple{pnlRed, shpRed, red}, std::tuple{pnlAmber, shpAmber, amber},
                                      std::tuple{pnlGreen, shpGreen, green}}) {
        Hints::setHint(panel, hint);
        Hints::setHint(shape, hint);
    }
}

void TBasicsBaseForm::FormCreateScreen(ScreenId screen, Panel* firstOption)
{
    Q_ASSERT_X(SectionName.isEmpty(), "FormCreateScreen", "a screen ends its creation once");
    const ScreenCatalogue::Row& row = ScreenCatalogue::row(screen);
    SectionName = row.section;
    Hints::setHelpContext(BitBtnHelp, row.helpTopic);
    Hints::setHelpContext(this, row.helpTopic);
    CurrentOption = firstOption;
    LoadSettings();
    if (CurrentOption)
        ActivateOptionButton(CurrentOption);
    else
        m_misses->optionChanged();
    m_misses->place(drillArea());
}

// ---- options ---------------------------------------------------------------

void TBasicsBaseForm::ActivateOptionButton(Panel* button)
{
    if (!button)
        return;
    styleOptionButton(CurrentOption, false);
    styleOptionButton(button, true);
    CurrentOption = button;
    setCaption(Globals::ScreenTitle + button->caption().toUpper());
    ClearQuestion();
    ClearAnswer();
    ApplyOption();
    m_misses->optionChanged();
}

// ---- runs ------------------------------------------------------------------

void TBasicsBaseForm::setFormHint(const QString& hint)
{
    Hints::setHint(this, hint);
    // A control without a hint of its own shows the form's: refresh it.
    QWidget* under = HintRouter::instance().currentControl();
    if (under && under != this && isAncestorOf(under))
        HintRouter::instance().hintFromControl(under);
}

void TBasicsBaseForm::setScoreControlsVisible(bool visible, bool all)
{
    if (all) {
        for (QWidget* child : pnlScores->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->setVisible(visible);
        return;
    }
    updnCorrect->setVisible(visible);
    updnTotal->setVisible(visible);
    BitBtnClear->setVisible(visible);
}

void TBasicsBaseForm::BitBtnPlayClick(QObject* sender)
{
    Q_ASSERT_X(!SectionName.isEmpty(), "BitBtnPlayClick", "the screen's constructor ends with FormCreateScreen");
    PlayScreenSound(Sounds::Play);
    Globals::Practising = true;
    if (sender != btnTestSpeed)
        Playing = true;
    if (Playing && m_scores->atLimit())
        Dialogs::current().information(this, Strings::text(Strings::ScoreLimit));
    ClearQuestion();
    ClearAnswer();
    BitBtnClose->setEnabled(false);
    BitBtnPlay->setEnabled(false);
    BitBtnStop->setEnabled(true);
    if (Playing)
        setScoreControlsVisible(false, false);
    if (CheckingTiming)
        setScoreControlsVisible(false, true);
    HideOptionPanels();
    m_misses->setRunning(true, Playing);
    if (Playing) {
        m_runQuestions = 0;
        m_runMisses = 0;
        setFormHint(Strings::text(Strings::HintPressStop));
        btnTestSpeed->setVisible(false);
    }
    DrawQuestion();
    ShowQuestion();
    tmrAnswer->start();
}

void TBasicsBaseForm::DrawQuestion()
{
    if (Playing)
        m_misses->nextQuestion();
    else
        NewQuestion();
}

void TBasicsBaseForm::BitBtnStopClick(QObject* sender)
{
    PlayScreenSound(Sounds::Stop);
    Globals::Practising = false;
    ShowAnswer();
    if (Playing) {
        tmrAnswer->stop();
        tmrQuestion->stop();
    }
    BitBtnPlay->setEnabled(true);
    BitBtnStop->setEnabled(false);
    BitBtnClose->setEnabled(true);
    setScoreControlsVisible(true, true);
    ShowOptionPanels();
    m_misses->setRunning(false, Playing);
    if (Playing && sender != btnTestSpeed)
        HistoryFile::appendDrill(this, SectionName, CurrentOption ? CurrentOption->caption() : QString(), m_runQuestions,
                                 m_runQuestions - m_runMisses, tmrQuestion->interval(), tmrAnswer->interval());
    if (Playing) {
        setFormHint(Strings::text(Strings::HintPressPlay));
        btnTestSpeed->setVisible(TimingCheck);
    }
    if (sender != btnTestSpeed)
        Playing = false;
}

void TBasicsBaseForm::AnswerIn()
{
    ShowAnswer();
    // The question delay counts from the answer, not from after the score
    // panels have been repainted.
    if (!tmrQuestion->isActive())
        tmrQuestion->start();
    tmrAnswer->stop();
    if (Playing) {
        UpdateScores();
        UpdateTrafficLights();
        // From the answer that reaches the limit on, nothing more is counted:
        // the message says so, over each answer's own line.
        if (m_scores->atLimit())
            showScoreLimit();
    }
}

void TBasicsBaseForm::tmrAnswerTimer()
{
    AnswerIn();
    if (CheckingTiming) {
        lblQuestion->setVisible(true);
        lblAnswer->setVisible(false);
        if (TimingCycles >= TimingCheckAnswers - 1)
            btnTestSpeedClick(btnTestSpeed);
        else
            ++TimingCycles;
    }
}

void TBasicsBaseForm::tmrQuestionTimer()
{
    DrawQuestion();
    ClearAnswer();
    ShowQuestion();
    tmrQuestion->stop();
    tmrAnswer->start();
    if (CheckingTiming) {
        lblQuestion->setVisible(false);
        lblAnswer->setVisible(true);
    }
}

// ---- scores ----------------------------------------------------------------

int TBasicsBaseForm::correct() const
{
    return m_scores->correct();
}

int TBasicsBaseForm::total() const
{
    return m_scores->total();
}

void TBasicsBaseForm::UpdateScores()
{
    countQuestion(true);
}

void TBasicsBaseForm::countQuestion(bool right)
{
    ++m_runQuestions;
    if (!right)
        ++m_runMisses;
    m_scores->count(right);
    m_misses->counted(right);
}

void TBasicsBaseForm::setPlayable(bool playable)
{
    for (QWidget* control : {static_cast<QWidget*>(BitBtnPlay), static_cast<QWidget*>(BitBtnStop),
                             static_cast<QWidget*>(pnlTimer), static_cast<QWidget*>(pnlScores)})
        control->setVisible(playable);
    EnterPlays = playable;
}

void TBasicsBaseForm::BitBtnClearClick()
{
    m_scores->clear();
}

void TBasicsBaseForm::UpdateTrafficLights()
{
    const QColor dark = SysColors::buttonShadow();
    const Grading::Grade grade = Grading::grade(correct(), total(), Globals::LowerAmber, Globals::UpperAmber);
    if (grade == Grading::Grade::Keep)
        return;
    shpRed->setBrushColor(grade == Grading::Grade::Red ? SysColors::Red : dark);
    shpAmber->setBrushColor(grade == Grading::Grade::Amber ? SysColors::Yellow : dark);
    shpGreen->setBrushColor(grade == Grading::Grade::Green ? SysColors::Lime : dark);
}

// ---- timing check and delays -----------------------------------------------

QString TBasicsBaseForm::seconds(int milliseconds)
{
    return QString::number(milliseconds / 1000.0, 'g', 15);
}

void TBasicsBaseForm::btnTestSpeedClick(QObject*)
{
    trkbrQuestion->setFocus();
    CheckingTiming = !CheckingTiming;
    for (QWidget* button : {static_cast<QWidget*>(BitBtnPlay), static_cast<QWidget*>(BitBtnStop),
                            static_cast<QWidget*>(BitBtnClose), static_cast<QWidget*>(BitBtnHelp)})
        button->setVisible(!CheckingTiming);
    if (CheckingTiming) {
        btnTestSpeed->setText(QStringLiteral("Stop"));
        Hints::setHint(btnTestSpeed, HintTimingRuns);
        Hints::setHint(pnlTimer, HintTimingRuns);
        setFormHint(Strings::text(Strings::HintPressStop));
        TimingCycles = 0;
        lblQuestion->setVisible(false);
        BitBtnPlayClick(btnTestSpeed);
        return;
    }
    tmrAnswer->stop();
    tmrQuestion->stop();
    BitBtnStopClick(btnTestSpeed);
    btnTestSpeed->setText(CheckTimingCaption);
    Hints::setHint(btnTestSpeed, HintCheckTiming);
    Hints::setHint(pnlTimer, QString());
    setFormHint(Strings::text(Strings::HintPressPlay));
    lblQuestion->setVisible(true);
    lblAnswer->setVisible(true);
}

void TBasicsBaseForm::trkbrAnswerChange()
{
    tmrAnswer->setInterval(trkbrAnswer->value() * AnswerStepMs);
    Hints::setHint(trkbrAnswer, seconds(tmrAnswer->interval()) + HintAnswerDelay);
    if (CheckingTiming)
        TimingCycles = 0;
}

void TBasicsBaseForm::trkbrQuestionChange()
{
    tmrQuestion->setInterval(trkbrQuestion->value() * QuestionStepMs);
    Hints::setHint(trkbrQuestion, seconds(tmrQuestion->interval()) + HintQuestionDelay);
    if (CheckingTiming)
        TimingCycles = 0;
}

// ---- keys ------------------------------------------------------------------

bool TBasicsBaseForm::previewKeyPress(QKeyEvent* event)
{
    return FormKeyDown(event);
}

bool TBasicsBaseForm::previewKeyRelease(QKeyEvent* event)
{
    // A held key repeats its press only; like the release, it counts once.
    if (event->isAutoRepeat())
        return Playing || CheckingTiming || isEnter(event->key());
    return FormKeyUp(event);
}

// A held SPACE counts once, when it goes up. Some X servers send a held key
// as press and release pairs without marking them as repeats: a press that
// comes at the very moment of the last release (or while the key is still
// down) belongs to the same hold and arms no second miss.
void TBasicsBaseForm::spacePressed(const QKeyEvent* press)
{
    const quint64 at = press->timestamp();
    const bool sameHold = SpaceDown || press->isAutoRepeat() || (at != 0 && SpaceUpAt != 0 && at - SpaceUpAt <= 5);
    SpaceDown = true;
    if (sameHold)
        return;
    SpaceMissArmed = true;
    // The question on screen at the press is the one missed, even when the
    // next one flashes up before the key goes up.
    m_misses->missed();
}

void TBasicsBaseForm::countMiss()
{
    if (!std::exchange(SpaceMissArmed, false))
        return;
    ++m_runMisses;
    if (m_scores->atLimit()) {
        // At the limit nothing is counted, a miss neither.
        showScoreLimit();
        return;
    }
    m_scores->setCounts(correct() - 1, total());
}

void TBasicsBaseForm::showScoreLimit()
{
    stbrScreen->setSimpleText(Hints::longHint(Strings::text(Strings::ScoreLimit)));
}

bool TBasicsBaseForm::FormKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    if (!event->isAutoRepeat() && (isEnter(key) || key == Qt::Key_Escape))
        KeysPressedHere.insert(key);
    if (Playing && key == Qt::Key_Space) {
        pnlCorrect->setColor(SysColors::highlight());
        pnlCorrect->repaint();
        spacePressed(event);
        return true;
    }
    // The keys the release handles are not for the controls as well (a
    // focused button would take SPACE or ENTER as a click).
    if (Playing || CheckingTiming)
        return key == Qt::Key_Escape || key == Qt::Key_Space || isEnter(key) || (DigitWarning && isDigit(event));
    return key == Qt::Key_Escape || (isEnter(key) && EnterPlays);
}

bool TBasicsBaseForm::FormKeyUp(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Space) {
        pnlCorrect->setColor(QColor()); // back to the button face after the flicker
        if (Playing)
            countMiss();
        SpaceMissArmed = false;
        SpaceDown = false;
        SpaceUpAt = event->timestamp();
    }
    const bool pressedHere = KeysPressedHere.remove(key);
    if ((isEnter(key) || key == Qt::Key_Escape) && !pressedHere)
        return true;
    bool handled = false;
    if (Playing) {
        if (key == Qt::Key_Escape) {
            BitBtnStopClick(nullptr);
            handled = true;
        } else if (key == Qt::Key_Space || isEnter(key)) {
            handled = true;
        }
    } else {
        if (isEnter(key) && EnterPlays) {
            if (!CheckingTiming)
                BitBtnPlayClick(nullptr);
            handled = true;
        } else if (key == Qt::Key_Escape) {
            if (CheckingTiming)
                btnTestSpeedClick(btnTestSpeed);
            else
                closeForm();
            handled = true;
        } else if (key == Qt::Key_Space && CheckingTiming) {
            Dialogs::current().error(this, CheckingMessage);
            handled = true;
        }
    }
    if (DigitWarning && isDigit(event) && (Playing || CheckingTiming)) {
        warnAboutDigit();
        handled = true;
    }
    return handled;
}

void TBasicsBaseForm::warnAboutDigit()
{
    Dialogs::current().error(this, CheckingTiming ? CheckingMessage : DigitMessage);
    Help::showTopicByJumpId(BasicsJumpId);
}

// ---- closing, help, settings -------------------------------------------------

void TBasicsBaseForm::BitBtnCloseClick()
{
    PlayScreenSound(Sounds::ExitBasics, true);
    closeForm();
}

void TBasicsBaseForm::BitBtnHelpClick()
{
    PlayScreenSound(Sounds::Help);
    BitBtnHelp->clearFocus();
    Help::showTopic(Hints::helpContext(BitBtnHelp));
}

void TBasicsBaseForm::mnuWhatsThisClick()
{
    popupWhatsThis->whatsThisAction()->trigger();
}

QWidget* TBasicsBaseForm::pnlVCRContextPopup(const QPoint& pos)
{
    QWidget* under = pnlVCR->childAt(pos);
    while (under && under->parentWidget() != pnlVCR)
        under = under->parentWidget();
    if (under != BitBtnPlay && under != BitBtnStop && under != BitBtnClose)
        return nullptr;
    popupWhatsThis->popupFor(under, pnlVCR->mapToGlobal(pos));
    return under;
}

bool TBasicsBaseForm::eventFilter(QObject* watched, QEvent* event)
{
    // A right click on the VCR panel or on any of its buttons, a disabled one
    // too (which would not pass the click on to the panel).
    if (event->type() == QEvent::ContextMenu) {
        auto* control = qobject_cast<QWidget*>(watched);
        if (control && (control == pnlVCR || pnlVCR->isAncestorOf(control))) {
            pnlVCRContextPopup(control->mapTo(pnlVCR, static_cast<QContextMenuEvent*>(event)->pos()));
            event->accept();
            return true;
        }
    }
    return ChildForm::eventFilter(watched, event);
}

void TBasicsBaseForm::formClose()
{
    SaveSettings();
}

void TBasicsBaseForm::LoadSettings()
{
    const bool withOptions = hasOptions();
    int option = 1;
    int totalRead = 0;
    int correctRead = 0;
    int answerPosition = DefaultAnswerPosition;
    int questionPosition = DefaultQuestionPosition;
    bool practiseMisses = false;
    ScreenSettings::load(this, [&](const IniFile& ini) {
        if (withOptions)
            option = ini.readInteger(SectionName, KeyOption, 1);
        totalRead = ini.readInteger(SectionName, KeyTotal, 0);
        correctRead = ini.readInteger(SectionName, KeyCorrect, 0);
        answerPosition = ini.readInteger(SectionName, KeyAnswerPosition, DefaultAnswerPosition);
        questionPosition = ini.readInteger(SectionName, KeyQuestionPosition, DefaultQuestionPosition);
        practiseMisses = ini.readBool(SectionName, KeyPractiseMisses, false);
    });
    if (withOptions) {
        // An "Option" that names no button selects the first.
        Panel* button = GetOptionButton(option);
        CurrentOption = button ? button : GetOptionButton(1);
    }
    m_scores->setCounts(correctRead, totalRead);
    trkbrAnswer->setValue(qBound(trkbrAnswer->minimum(), answerPosition, trkbrAnswer->maximum()));
    trkbrQuestion->setValue(qBound(trkbrQuestion->minimum(), questionPosition, trkbrQuestion->maximum()));
    m_misses->setUp(SectionName, practiseMisses);
}

void TBasicsBaseForm::SaveSettings()
{
    const bool withOptions = hasOptions();
    ScreenSettings::save(this, [&](IniFile& ini) {
        if (withOptions)
            ini.writeInteger(SectionName, KeyOption, GetOptionIndex());
        ini.writeInteger(SectionName, KeyTotal, total());
        ini.writeInteger(SectionName, KeyCorrect, correct());
        ini.writeInteger(SectionName, KeyAnswerPosition, trkbrAnswer->value());
        ini.writeInteger(SectionName, KeyQuestionPosition, trkbrQuestion->value());
        // Off is the default: the key is only written while the option is on.
        if (m_misses->isOn())
            ini.writeBool(SectionName, KeyPractiseMisses, true);
        else
            ini.deleteKey(SectionName, KeyPractiseMisses);
    });
}
