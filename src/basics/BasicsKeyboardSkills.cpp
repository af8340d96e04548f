#include "basics/BasicsKeyboardSkills.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "basics/BasicsHelp.h"
#include "basics/DrillWidgets.h"
#include "basics/KeyboardDrillRules.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

namespace {

const QString KeypadHint = QStringLiteral("|Type a number on your numeric keypad on your right, or press ESC to stop.");
constexpr int TimerPanelWidth = 149;

} // namespace

TBasicsKeyboardSkillsForm::TBasicsKeyboardSkillsForm(QWidget* parent)
    : TBasicsOptionForm(parent),
      m_source(std::make_unique<RandomNumbers>(KeyboardDrillRules::FirstQuestion, KeyboardDrillRules::LastQuestion)),
      m_question(KeyboardDrillRules::NoQuestion)
{
    setObjectName(QStringLiteral("BasicsKeyboardSkillsForm"));
    // The learner types: no digit warning, nothing to time.
    DigitWarning = false;
    TimingCheck = false;

    using DrillWidgets::bigPanel;
    pnlQuestion1 = bigPanel(this, QStringLiteral("pnlQuestion1"), QStringLiteral("Question|"), SysColors::Lime);
    lblEqual = DrillWidgets::bigLabel(this, QStringLiteral("lblEqual"), QStringLiteral("="));
    pnlAnswer = bigPanel(this, QStringLiteral("pnlAnswer"), QStringLiteral("Answer|"), QColor());
    const QRect area = drillArea();
    DrillWidgets::placeRow(OptionsLeft, DrillWidgets::AreaRight, area.top() + (area.height() - DrillWidgets::BoxHeight) / 2,
                           {{pnlQuestion1, 100}, {lblEqual, 50}, {pnlAnswer, 100}});

    // Only the question delay and its label show, in a narrower panel.
    lblAnswer->hide();
    trkbrAnswer->hide();
    btnTestSpeed->hide();
    setHelp(trkbrQuestion, BasicsHelp::KeyboardSpeed);
    const QRect timer = pnlTimer->geometry();
    pnlTimer->setGeometry(timer.left() + (timer.width() - TimerPanelWidth) / 2, timer.top(), TimerPanelWidth, timer.height());
    const QRect bar = trkbrQuestion->geometry();
    trkbrQuestion->setGeometry(bar.left(), bar.top(), TimerPanelWidth - 2 * bar.left(), bar.height());

    FormCreateScreen(ScreenId::KeyboardSkills, nullptr);
    tmrAnswer->setInterval(1);
    SetNumLockOn();
}

void TBasicsKeyboardSkillsForm::setQuestionSource(std::unique_ptr<NumberSource> source)
{
    if (source)
        m_source = std::move(source);
}

void TBasicsKeyboardSkillsForm::BitBtnPlayClick(QObject* sender)
{
    TBasicsOptionForm::BitBtnPlayClick(sender);
    setFormHint(KeypadHint);
}

void TBasicsKeyboardSkillsForm::tmrAnswerTimer()
{
    // The answer phase ends at once: the screen waits for the key.
    if (Playing)
        tmrAnswer->stop();
    else
        TBasicsOptionForm::tmrAnswerTimer();
}

bool TBasicsKeyboardSkillsForm::FormKeyDown(QKeyEvent* event)
{
    // During a run the keypad is the learner's, not a focused control's.
    return TBasicsOptionForm::FormKeyDown(event) || (Playing && event->modifiers().testFlag(Qt::KeypadModifier));
}

bool TBasicsKeyboardSkillsForm::FormKeyUp(QKeyEvent* event)
{
    const bool handled = TBasicsOptionForm::FormKeyUp(event);
    if (!Playing)
        return handled;
    const QString typed = KeyboardDrillRules::keypadCharacter(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    if (typed.isEmpty()) {
        SetNumLockOn();
        return true;
    }
    // A second key before the next question is scored against the same one.
    pnlAnswer->setCaption(typed);
    AnswerIn();
    return true;
}

void TBasicsKeyboardSkillsForm::NewQuestion()
{
    m_question = m_source->next(m_question);
}

void TBasicsKeyboardSkillsForm::ShowQuestion()
{
    pnlQuestion1->setCaption(KeyboardDrillRules::character(m_question));
    pnlAnswer->setColor(QColor());
}

void TBasicsKeyboardSkillsForm::ClearQuestion()
{
    pnlQuestion1->setCaption(QString());
}

void TBasicsKeyboardSkillsForm::ShowAnswer()
{
    const QString typed = pnlAnswer->caption();
    const bool wrong = !typed.isEmpty() && typed != KeyboardDrillRules::character(m_question);
    pnlAnswer->setColor(wrong ? SysColors::Red : SysColors::Lime);
}

void TBasicsKeyboardSkillsForm::ClearAnswer()
{
    pnlAnswer->setCaption(QString());
}

QStringList TBasicsKeyboardSkillsForm::ReviewFacts()
{
    QStringList keys;
    for (int q = KeyboardDrillRules::FirstQuestion; q <= KeyboardDrillRules::LastQuestion; ++q)
        keys << KeyboardDrillRules::character(q);
    return keys;
}

QString TBasicsKeyboardSkillsForm::FactKey() const
{
    return KeyboardDrillRules::character(m_question);
}

void TBasicsKeyboardSkillsForm::UpdateScores()
{
    countQuestion(pnlAnswer->caption() == KeyboardDrillRules::character(m_question));
}
