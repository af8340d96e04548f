// The practice workbench: creation, the attempt from PLAY to STOP, RESTART
// and closing, checking and right or wrong, scores, best times, options and
// the screen's section of the learner's settings file.

#include "practice/Practise0Base.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/SoundPlayer.h"
#include "practice/PracticeClock.h"
#include "practice/PracticeHelp.h"
#include "records/HistoryFile.h"
#include "shell/GlyphButton.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/ScoreCounter.h"
#include "shell/ScreenSettings.h"
#include "shell/StatusBar.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"
#include "shell/WhatsThisMenu.h"

namespace {

const QString NoTime = QString(TextChars::EmDash) + QLatin1Char(':') + QString(TextChars::EmDash);

} // namespace

// ---------------------------------------------------------------- creation

TPractise0BaseForm::TPractise0BaseForm(QWidget* parent) : ChildForm(parent)
{
    setKeyPreview(true);
    setFocusPolicy(Qt::StrongFocus);
    setClientSize(588, 379);
    keepLayoutFont(11);
    createControls();

    // The application's hints go to this screen's status bar.
    m_hintConnection = connect(&HintRouter::instance(), &HintRouter::hintChanged, this,
                               [this](const QString& hint) { DisplayHint(hint); });
    SetScreenHint(Strings::text(Strings::HintPressPlay));
    stbrScreen->setSimpleText(Hints::longHint(Strings::text(Strings::HintPressPlay)));
    setCaption(Globals::ScreenTitle);

    State = Idle;
    CurrentIndex = 0;
    LastKey = QStringLiteral("NIL");
    MyTimeText = QStringLiteral("0:00");
    setLampHint();
    UpdateLamp();
}

TPractise0BaseForm::~TPractise0BaseForm()
{
    disconnect(m_hintConnection);
}

void TPractise0BaseForm::SetUpScreen(const ScreenSetup& setup)
{
    Q_ASSERT_X(!m_setUp, "SetUpScreen", "a screen sets itself up once");
    m_setUp = true;
    SectionName = setup.sectionName;
    EntryStyle = setup.entryStyle;
    BoxOrder = setup.boxOrder;
    m_bestTimeKey = setup.bestTimeKey;
    Hints::setHelpContext(BitBtnHelp, setup.helpContext);
    Hints::setHelpContext(this, setup.helpContext);
    Hints::setHelpContext(BitBtnNavigate, setup.navigateContext);
    PnlOptions->setEnabled(setup.hasOptions);
    PnlOptions->setVisible(setup.hasOptions);
    m_bestTimes.setKeys(BestTimeKeys());
    LoadSettings();
    if (CurrentOption) {
        ActivateOptionButton(CurrentOption);
    } else {
        SelectBestTime();
        ShowBestTime();
    }
}

// ---------------------------------------------------------------- hooks of the attempt

void TPractise0BaseForm::ClearQuestionPanels()
{
    for (const PanelEntry& e : QuestionPanels)
        e.Panel->setCaption(QString());
}

void TPractise0BaseForm::ClearAnswerPanels()
{
    for (const PanelEntry& e : AnswerPanels)
        e.Panel->setCaption(QString());
}

void TPractise0BaseForm::ClearWorkingPanels()
{
    for (const WorkingPanelEntry& e : WorkingPanels)
        e.Panel->setCaption(QString());
}

void TPractise0BaseForm::HideOptionPanels()
{
    if (PnlOptions->isEnabled())
        PnlOptions->hide();
    HideAnswerPanels();
}

void TPractise0BaseForm::ShowOptionPanels()
{
    if (PnlOptions->isEnabled())
        PnlOptions->show();
    for (const PanelEntry& e : AnswerPanels)
        e.Panel->setVisible(!e.IsUnused);
}

void TPractise0BaseForm::HideAnswerPanels()
{
    for (const PanelEntry& e : AnswerPanels)
        e.Panel->hide();
    pnlRightWrong->hide();
}

void TPractise0BaseForm::ResetCarryPairBoxes()
{
    for (CarryPanelEntry& c : CarryPanels) {
        c.Panel->setCaption(QString());
        c.ExpectedDigit = 0;
        c.Color = SysColors::window();
        c.FontColor = SysColors::windowText();
        paintCarryPanel(c);
        c.Panel->setBold(false);
    }
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.Color = SysColors::window();
        e.FontColor = DefaultFontColor(e.Width);
        paintWorkingPanel(e);
        e.Panel->setCaption(QString());
    }
    for (PanelEntry& a : MyAnswerPanels)
        a.IsUnused = false;
}

int TPractise0BaseForm::WorkingPanelNamed(const QString& name) const
{
    for (int i = 0; i < WorkingPanels.size(); ++i)
        if (WorkingPanels.at(i).Panel->objectName() == name)
            return i;
    return -1;
}

void TPractise0BaseForm::ApplyWorkedProblem(const WorkedProblem& problem)
{
    // A rule that names a box the screen does not list is a fault of the
    // screen or of its rules: it fails here in a debug build and in the tests.
    const auto missing = [this](const char* what, const QString& name) {
        qWarning("%s: the worked problem names %s %s, which the screen does not list", qPrintable(objectName()),
                 what, qPrintable(name));
        Q_ASSERT_X(false, "ApplyWorkedProblem", "a rule names a box the screen does not list");
    };
    QHash<QString, int> carryIndex;
    for (int c = 0; c < CarryPanels.size(); ++c) {
        carryIndex.insert(CarryPanels.at(c).Panel->objectName(), c);
        CarryPanels[c].Panel->setVisible(false);
    }
    QList<int> carryOf; // the carry box of each of the problem's carries
    for (const RuleCarry& carry : problem.carries) {
        const int c = carryIndex.value(carry.box, -1);
        carryOf.append(c);
        if (c < 0) {
            missing("the carry box", carry.box);
            continue;
        }
        CarryPanels[c].ExpectedDigit = carry.value;
        CarryPanels[c].Panel->setVisible(true);
    }

    m_ruleColorHints = QList<QList<ColorHint>>(WorkingPanels.size());
    for (WorkingPanelEntry& e : WorkingPanels)
        e.IsUnused = true;
    for (const RuleBox& rule : problem.boxes) {
        const int i = WorkingPanelNamed(rule.box);
        if (i < 0) {
            missing("the box", rule.box);
            continue;
        }
        WorkingPanelEntry& e = WorkingPanels[i];
        e.ExpectedValue = rule.value;
        e.ActualAnswer = rule.text;
        e.Width = rule.width;
        e.IsMental = rule.mental;
        e.IsUnused = rule.unused;
        e.CarryLink = rule.carryLink >= 0 ? carryOf.value(rule.carryLink, -1) : -1;
        if (!rule.hint.isEmpty())
            SetWorkingPanelHint(e.Panel, rule.hint);
        m_ruleColorHints[i] = rule.colorHints;
    }
}

void TPractise0BaseForm::BuildWorkingPanels()
{
    const bool showHints = chkShowHint->isChecked();
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.Panel->setCaption(QString());
        e.Panel->setBold(false);
        e.Color = SysColors::window();
        e.FontColor = DefaultFontColor(e.Width);
        SetPanelHintShown(e.Panel, showHints);
        e.Panel->setVisible(!e.IsUnused && !(e.IsMental && MentalBoxesHidden));
    }
    if (!WorkingPanels.isEmpty()) {
        CurrentIndex = 0;
        CurrentPanel = WorkingPanels[0].Panel;
        if (isVisibleBox(0))
            RefreshHighlight();
        else
            MoveHighlight(MoveNext, nullptr);
    }
    pnlViewAnswers->hide();
    rdoShowMyAnswerSteps->setChecked(true);
    rdoShowActualAnswerSteps->setChecked(false);
    pnlRightWrong->hide();
    CarryRowWrong = false;
}

void TPractise0BaseForm::CheckWorkingPanels()
{
    RestoreColors();
    CurrentIndex = -1;
    CurrentPanel = pnlRightWrong;
    pnlRightWrong->setColor(SysColors::Lime);
    stbrScreen->setSimpleText(QString());
    SetScreenHint(QString());

    for (WorkingPanelEntry& e : WorkingPanels) {
        if (e.IsUnused)
            continue;
        const QString text = e.Panel->caption();
        e.MyAnswer = LeftChars(text, 3);
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        e.TypedValue = ok ? value : 0;
        const bool right = ok && !text.trimmed().isEmpty() && e.TypedValue == e.ExpectedValue;
        if (!right) {
            e.Color = SysColors::Red;
            e.FontColor = SysColors::White;
            paintWorkingPanel(e);
            e.Panel->setBold(true);
        }
    }
    for (CarryPanelEntry& c : CarryPanels) {
        const QString text = c.Panel->caption().trimmed();
        bool right;
        if (text.isEmpty()) {
            right = c.ExpectedDigit == 0;
        } else {
            bool ok = false;
            const int value = text.toInt(&ok);
            right = ok && value == c.ExpectedDigit;
        }
        if (!right) {
            c.Color = SysColors::Red;
            c.FontColor = SysColors::White;
            paintCarryPanel(c);
            c.Panel->setBold(true);
            CarryRowWrong = true;
        }
    }
}

void TPractise0BaseForm::ResetWorkingPanels()
{
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.MyAnswer.clear();
        e.ActualAnswer.clear();
    }
}

void TPractise0BaseForm::EvaluateAnswer()
{
    QString mine;
    QString actual;
    for (int i = 0; i < MyAnswerPanels.size() && i < AnswerPanels.size(); ++i) {
        if (MyAnswerPanels[i].IsUnused)
            continue;
        mine += MyAnswerPanels[i].Panel->caption();
        actual += AnswerPanels[i].Panel->caption();
    }
    IsCorrect = LeftChars(mine, 20) == LeftChars(actual, 20);
    if (EntryStyle == CarryPairEntry && CarryRowWrong)
        IsCorrect = false;
}

void TPractise0BaseForm::UpdateScores()
{
    m_scores->count(IsCorrect);
}

void TPractise0BaseForm::WorkingPanelChanged(QWidget*)
{
}

// ---------------------------------------------------------------- PLAY, STOP, RESTART, close

void TPractise0BaseForm::BitBtnPlayClick(QObject* sender)
{
    Q_ASSERT_X(m_setUp, "BitBtnPlayClick", "the screen's constructor calls SetUpScreen");
    PlayScreenSound(sender == BitBtnRewind ? Sounds::ReDo : Sounds::Play);
    if (m_scores->atLimit())
        Dialogs::current().information(this, Strings::text(Strings::ScoreLimit));

    SwallowEnter = false;
    Globals::Practising = true;
    SetNumLockOn();
    SetScreenHint(Strings::text(Strings::HintPressStop));
    State = Playing;

    announceCurrentBox(nullptr); // a new attempt: its first box is news
    ClearQuestionPanels();
    ClearAnswerPanels();
    ClearWorkingPanels();

    for (GlyphButton* b : {BitBtnClose, BitBtnPlay, BitBtnRewind, BitBtnCustom})
        b->setEnabled(false);
    BitBtnStop->setEnabled(true);
    showScoreControls(false);
    HideOptionPanels();

    // PLAY poses a new question; RESTART works the last one again, and so
    // does ENTER after STOP, unless a typed question waits or the options
    // were changed to ones the last question does not belong to.
    const bool optionsChanged = BestTimeKey() != m_playedOptionsKey;
    if (sender == BitBtnPlay
        || (sender != BitBtnRewind && (QuestionWaiting() || (optionsChanged && !QuestionFitsOptions()))))
        NewQuestion(); // a screen selects the options its question belongs to
    PlayedOption = CurrentOption;
    m_playedOptionsKey = BestTimeKey();
    m_timedKey = QuestionFitsOptions() ? BestTimeKey() : QString();

    // The stopwatch shows the best time while the learner works.
    lblBestTime->show();
    btnTime->hide();
    SelectBestTime();
    ShowBestTimeOnStopwatch();

    StartTime = PracticeClock::now();
    BuildWorkingPanels();
    ShowQuestion();
    setFocus();
}

bool TPractise0BaseForm::QuestionFitsOptions()
{
    return true;
}

bool TPractise0BaseForm::QuestionWaiting()
{
    return false;
}

void TPractise0BaseForm::BitBtnStopClick()
{
    if (State != Playing)
        return;
    Globals::Practising = false;
    StopTime = PracticeClock::now();
    const double elapsed = StopTime - StartTime;
    MyTimeText = FormatElapsed(elapsed);
    ShowMyTime();

    ShowActualAnswer();
    CheckWorkingPanels();
    EvaluateAnswer();
    ShowRightWrong();
    UpdateScores();
    UpdateLamp();
    const bool newBest = UpdateBestTime(elapsed);
    if (newBest)
        SelectBestTime(); // the stopwatch's best time shows the new one
    HistoryFile::appendProblem(this, SectionName, BestTimeKey(), IsCorrect, elapsed * PracticeClock::SecondsPerDay);

    playStopSounds(newBest);

    emit mainWindowWanted();
    for (GlyphButton* b : {BitBtnClose, BitBtnPlay, BitBtnRewind, BitBtnCustom})
        b->setEnabled(true);
    BitBtnStop->setEnabled(false);
    showScoreControls(true);
    ShowOptionPanels();
    pnlTime->setCaption(QString());
    btnTime->show();

    SetScreenHint(Strings::text(Strings::HintPressPlay));
    State = Finished;
}

// The best-time pop-up and prompt, then the right or wrong sound.
void TPractise0BaseForm::playStopSounds(bool newBest)
{
    if (!Globals::PracticeSoundsOn)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (newBest) {
        Help::setPopupPosition(bestTimePopupPosition());
        Help::showPopup(PracticeHelp::NewBestTime);
        SoundPlayer::current().playResource(Sounds::BestTime, SoundPlayer::Mode::Sync);
    }
    PlayAnswerSound(IsCorrect);
    QApplication::restoreOverrideCursor();
}

void TPractise0BaseForm::BitBtnRewindClick()
{
    if (PnlOptions->isEnabled() && PlayedOption)
        ActivateOptionButton(PlayedOption);
    BitBtnPlayClick(BitBtnRewind);
}

void TPractise0BaseForm::BitBtnCustomClick()
{
    setFocus();
}

void TPractise0BaseForm::showScoreControls(bool shown)
{
    for (QWidget* w : std::initializer_list<QWidget*>{updnCorrect, updnTotal, BitBtnClear, pnlCorrect, pnlTotal, pnlLights})
        w->setVisible(shown);
    for (QLabel* label : m_scoreLabels)
        label->setVisible(shown);
}

void TPractise0BaseForm::BitBtnCloseClick()
{
    PlayScreenSound(Sounds::ExitPractice, true);
    closeForm();
}

void TPractise0BaseForm::formClose()
{
    SaveSettings();
}

// The pop-up of a new best time opens at the top of the screen, centred on
// the part left of the stopwatch, the scores and the right/wrong lamp, so
// that the learner sees the result while reading it.
QPoint TPractise0BaseForm::bestTimePopupPosition() const
{
    int right = width();
    for (const QWidget* w : std::initializer_list<const QWidget*>{pnlTime, pnlScores, pnlRightWrong})
        right = qMin(right, w->geometry().left());
    return mapToGlobal(QPoint(right / 2, stbrScreen->geometry().bottom() + 4));
}

// ---------------------------------------------------------------- scores, help

void TPractise0BaseForm::BitBtnClearClick()
{
    m_scores->clear();
}

void TPractise0BaseForm::BitBtnHelpClick()
{
    PlayScreenSound(Sounds::Help);
    setFocus();
    Help::showTopic(Hints::helpContext(BitBtnHelp));
}

void TPractise0BaseForm::BitBtnNavigateClick()
{
    Help::showPopup(Hints::helpContext(BitBtnNavigate));
    setFocus();
}

void TPractise0BaseForm::pnlVCRContextPopup(const QPoint& pos)
{
    QWidget* child = pnlVCR->childAt(pos);
    for (GlyphButton* b : {BitBtnPlay, BitBtnStop, BitBtnRewind, BitBtnCustom, BitBtnClose}) {
        if (child == b) {
            popupWhatsThis->popupFor(b, pnlVCR->mapToGlobal(pos));
            return;
        }
    }
}

bool TPractise0BaseForm::eventFilter(QObject* watched, QEvent* event)
{
    // The VCR panel closes up when a screen hides one of its buttons.
    if ((event->type() == QEvent::HideToParent || event->type() == QEvent::ShowToParent)
        && watched->parent() == pnlVCR) {
        pnlVCR->layout()->invalidate();
        pnlVCR->resize(pnlVCR->layout()->sizeHint().width(), pnlVCR->height());
    }
    // A disabled button takes no right click of its own: the VCR panel gets it.
    if (event->type() == QEvent::ContextMenu && watched->parent() == pnlVCR && watched->isWidgetType()) {
        auto* button = static_cast<QWidget*>(watched);
        pnlVCRContextPopup(button->mapTo(pnlVCR, static_cast<QContextMenuEvent*>(event)->pos()));
        return true;
    }
    return ChildForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- options, best times, settings

void TPractise0BaseForm::ActivateOptionButton(Panel* button)
{
    if (!button)
        return;
    if (CurrentOption && CurrentOption != button)
        styleOptionButton(CurrentOption, false);
    styleOptionButton(button, true);
    CurrentOption = button;
    setCaption(Globals::ScreenTitle + button->caption().toUpper());
    SelectBestTime();
    ShowBestTime();
}

int TPractise0BaseForm::GetOptionIndex()
{
    for (int i = 0; i < m_optionButtons.size(); ++i)
        if (m_optionButtons.at(i).button == CurrentOption)
            return i + 1;
    return 1;
}

Panel* TPractise0BaseForm::GetOptionButton(int n)
{
    return n >= 1 && n <= m_optionButtons.size() ? m_optionButtons.at(n - 1).button : nullptr;
}

int TPractise0BaseForm::GetOptionDividendIndex()
{
    return 1;
}

Panel* TPractise0BaseForm::GetOptionDividendButton(int)
{
    return nullptr;
}

QStringList TPractise0BaseForm::BestTimeKeys() const
{
    QStringList keys;
    for (const OptionButton& o : m_optionButtons)
        if (!o.bestTimeKey.isEmpty())
            keys.append(o.bestTimeKey);
    if (keys.isEmpty() && !m_bestTimeKey.isEmpty())
        keys.append(m_bestTimeKey);
    return keys;
}

QString TPractise0BaseForm::BestTimeKey() const
{
    for (const OptionButton& o : m_optionButtons)
        if (o.button == CurrentOption)
            return o.bestTimeKey;
    return m_bestTimeKey;
}

bool TPractise0BaseForm::UpdateBestTime(double elapsed)
{
    return m_bestTimes.offer(m_timedKey, IsCorrect, elapsed);
}

void TPractise0BaseForm::SaveBestTimes(IniFile& file)
{
    m_bestTimes.save(file, SectionName);
}

void TPractise0BaseForm::LoadBestTimes(const IniFile& file)
{
    m_bestTimes.load(file, SectionName);
}

void TPractise0BaseForm::SelectBestTime()
{
    BestTimeText = FormatElapsed(m_bestTimes.best(State == Playing ? m_timedKey : BestTimeKey()));
}

bool TPractise0BaseForm::IsNewBestTime(bool correct, double elapsed, double best)
{
    return BestTimes::isNewBest(correct, elapsed, best);
}

QString TPractise0BaseForm::FormatElapsed(double days)
{
    if (days == 0)
        return NoTime;
    const qint64 ms = std::llround(days * PracticeClock::SecondsPerDay * 1000.0);
    const qint64 s = qMax<qint64>(0, ms / 1000);
    const qint64 h = s / 3600;
    const qint64 m = (s % 3600) / 60;
    const qint64 c = s % 60;
    QString text;
    if (h > 0)
        text = QString::number(h) + QLatin1Char(':');
    text += QStringLiteral("%1:%2").arg(m, h > 0 ? 2 : 1, 10, QLatin1Char('0')).arg(c, 2, 10, QLatin1Char('0'));
    return text;
}

void TPractise0BaseForm::SaveSettings()
{
    ScreenSettings::save(this, [this](IniFile& ini) {
        ini.writeInteger(SectionName, QStringLiteral("Option"), GetOptionIndex());
        if (CurrentOptionDividend)
            ini.writeInteger(SectionName, QStringLiteral("OptionDividend"), GetOptionDividendIndex());
        ini.writeInteger(SectionName, QStringLiteral("Total"), m_scores->total());
        ini.writeInteger(SectionName, QStringLiteral("Correct"), m_scores->correct());
        SaveBestTimes(ini);
    });
}

void TPractise0BaseForm::LoadSettings()
{
    ScreenSettings::load(this, [this](const IniFile& ini) {
        if (PnlOptions->isEnabled()) {
            if (Panel* option = GetOptionButton(ini.readInteger(SectionName, QStringLiteral("Option"), 1)))
                CurrentOption = option;
        }
        if (Panel* dividend = GetOptionDividendButton(ini.readInteger(SectionName, QStringLiteral("OptionDividend"), 1)))
            CurrentOptionDividend = dividend;
        m_scores->setCounts(ini.readInteger(SectionName, QStringLiteral("Correct"), 0),
                            ini.readInteger(SectionName, QStringLiteral("Total"), 0));
        LoadBestTimes(ini);
    });
}

