// The practice workbench: what the boxes and controls show. The highlight
// and its colours, the colour hints, the step hints in the status bar, the
// check boxes, the answer steps after STOP, the lamps and the stopwatch.

#include "practice/Practise0Base.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "shell/Globals.h"
#include "shell/Grading.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/ScoreCounter.h"
#include "shell/Shape.h"
#include "shell/StatusBar.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"

namespace {

const char* const ShowHintProperty = "vsmShowHint";

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::ButtonText, color);
    pal.setColor(QPalette::WindowText, color);
    widget->setPalette(pal);
}

} // namespace

// ---------------------------------------------------------------- hints

void TPractise0BaseForm::SetScreenHint(const QString& hint)
{
    Hints::setHint(this, hint);
    setToolTip(QString()); // the screen itself shows no tooltip
}

bool TPractise0BaseForm::PanelHintShown(const QWidget* panel)
{
    const QVariant v = panel ? panel->property(ShowHintProperty) : QVariant();
    return !v.isValid() || v.toBool();
}

void TPractise0BaseForm::SetPanelHintShown(QWidget* panel, bool shown)
{
    if (!panel)
        return;
    panel->setProperty(ShowHintProperty, shown);
    panel->setToolTip(shown ? Hints::shortHint(Hints::hint(panel)) : QString());
}

void TPractise0BaseForm::SetWorkingPanelHint(QWidget* panel, const QString& hint)
{
    Hints::setHint(panel, hint);
    if (!PanelHintShown(panel))
        panel->setToolTip(QString());
}

void TPractise0BaseForm::DisplayHint(const QString& hint)
{
    const QString text = Hints::longHint(hint);
    if (!text.isEmpty())
        stbrScreen->setSimpleText(text);
    else
        ShowPanelHint();
}

void TPractise0BaseForm::ShowPanelHint()
{
    if (CurrentPanel && PanelHintShown(CurrentPanel))
        stbrScreen->setSimpleText(Hints::shortHint(Hints::hint(CurrentPanel)));
}

void TPractise0BaseForm::setLampHint()
{
    const QString hint = LeftChars(Grading::levelName(Globals::UserLevel), 30)
                         + QStringLiteral("\r\nRed : 0-%1 %; Amber : %2-%3 %; Green : %4-100 %")
                               .arg(int(Globals::LowerAmber) - 1)
                               .arg(Globals::LowerAmber)
                               .arg(Globals::UpperAmber)
                               .arg(int(Globals::UpperAmber) + 1);
    Hints::setHint(shpLights, hint);
    Hints::setHint(pnlLights, hint);
}

// ---------------------------------------------------------------- highlight and colours

void TPractise0BaseForm::HighlightWorkingPanel()
{
    if (!CurrentPanel || CurrentIndex < 0 || CurrentIndex > lastIndex())
        return;
    WorkingPanelEntry& entry = WorkingPanels[CurrentIndex];
    auto* panel = qobject_cast<Panel*>(CurrentPanel.data());
    if (!panel)
        return;
    panel->setColor(entry.Width == 1 ? SysColors::Lime : SysColors::Aqua);
    if (EntryStyle == CarryPairEntry && entry.CarryLink >= 0 && entry.CarryLink < CarryPanels.size()) {
        Panel* carry = CarryPanels[entry.CarryLink].Panel;
        carry->setColor(SysColors::Aqua);
        carry->setFontColor(SysColors::Black);
    }
    panel->setFontColor(GetHighlightFontColor(panel, WorkingPanels, lastIndex()));
    announceCurrentBox(panel);
}

void TPractise0BaseForm::announceCurrentBox(Panel* box)
{
    if (m_announcedBox == box)
        return;
    if (m_announcedBox)
        m_announcedBox->setCurrent(false);
    m_announcedBox = box;
    if (box)
        box->setCurrent(true);
}

void TPractise0BaseForm::RefreshHighlight()
{
    RestoreColors();
    HighlightWorkingPanel();
    ShowPanelHint();
    if (chkShowColorHints->isChecked())
        ShowColorHints(CurrentPanel);
    if (State != Idle && chkShowHint->isChecked())
        SetScreenHint(QStringLiteral("|") + Hints::shortHint(Hints::hint(CurrentPanel)));
}

QColor TPractise0BaseForm::GetHighlightFontColor(const QWidget* panel, const QList<WorkingPanelEntry>& list,
                                                 int last) const
{
    const int index = FindWorkingPanel(panel, list, last);
    if (index < 0)
        return SysColors::Black;
    const Panel* box = list[index].Panel;
    const QColor bg = box->color();
    if ((bg == SysColors::Lime || bg == SysColors::Yellow || bg == SysColors::Aqua) && box->fontColor() == SysColors::White)
        return SysColors::Black;
    return list[index].FontColor;
}

QColor TPractise0BaseForm::DefaultFontColor(int width) const
{
    if (width < 2)
        return SysColors::windowText();
    return EntryStyle == CarryPairEntry ? SysColors::Black : SysColors::Fuchsia;
}

void TPractise0BaseForm::RestoreColors()
{
    for (WorkingPanelEntry& e : WorkingPanels)
        paintWorkingPanel(e);
    for (const PanelEntry& q : QuestionPanels)
        q.Panel->setColor(SysColors::buttonFace());
    if (EntryStyle == CarryPairEntry) {
        for (CarryPanelEntry& c : CarryPanels)
            paintCarryPanel(c);
    }
    restoreHintedPanels();
}

void TPractise0BaseForm::paintWorkingPanel(WorkingPanelEntry& entry)
{
    entry.Panel->setColor(entry.Color);
    entry.Panel->setFontColor(entry.FontColor);
}

void TPractise0BaseForm::paintCarryPanel(CarryPanelEntry& entry)
{
    entry.Panel->setColor(entry.Color);
    entry.Panel->setFontColor(entry.FontColor);
}

void TPractise0BaseForm::SetWorkingPanelFontColor(Panel* panel, int width)
{
    const int index = panel ? panel->tag() : -1;
    if (index < 0 || index > lastIndex())
        return;
    WorkingPanels[index].FontColor = width < 2 ? SysColors::windowText() : SysColors::Fuchsia;
}

void TPractise0BaseForm::FormatWorkingPanel(Panel* panel, int mode)
{
    if (!panel)
        return;
    if (mode == 1)
        panel->setCaption(StripLeadingZeros(panel->caption()));
    else if (mode == 2)
        PadWorkingPanel(panel->tag());
}

Panel* TPractise0BaseForm::PanelNamed(const QString& name)
{
    auto it = m_panelsByName.constFind(name);
    if (it == m_panelsByName.constEnd()) {
        // Built on first use, and again for a panel made since.
        m_panelsByName.clear();
        for (Panel* panel : findChildren<Panel*>())
            m_panelsByName.insert(panel->objectName(), panel);
        it = m_panelsByName.constFind(name);
    }
    return it == m_panelsByName.constEnd() ? nullptr : *it;
}

void TPractise0BaseForm::ShowColorHints(QWidget* panel)
{
    ShowRuleColorHints(panel);
}

void TPractise0BaseForm::ShowRuleColorHints(QWidget* panel)
{
    const int last = lastIndex();
    const int index = FindWorkingPanel(panel, WorkingPanels, last);
    if (index < 0 || index >= m_ruleColorHints.size())
        return;
    for (const ColorHint& hint : m_ruleColorHints.at(index)) {
        Panel* target = PanelNamed(hint.panel);
        if (!target)
            continue;
        const bool ownColors = FindWorkingPanel(target, WorkingPanels, last) >= 0
                               || std::any_of(QuestionPanels.cbegin(), QuestionPanels.cend(),
                                              [target](const PanelEntry& q) { return q.Panel == target; })
                               || std::any_of(CarryPanels.cbegin(), CarryPanels.cend(),
                                              [target](const CarryPanelEntry& c) { return c.Panel == target; });
        if (!ownColors && !m_hintedPanels.contains(target))
            m_hintedPanels.insert(target, {target->color(), target->fontColor()});
        switch (hint.style) {
        case ColorHintStyle::Background:
            target->setColor(SysColors::Yellow);
            if (FindWorkingPanel(target, WorkingPanels, last) >= 0)
                target->setFontColor(GetHighlightFontColor(target, WorkingPanels, last));
            break;
        case ColorHintStyle::Text:
            target->setFontColor(SysColors::Yellow);
            break;
        case ColorHintStyle::CarryBox:
            target->setColor(SysColors::Yellow);
            target->setFontColor(SysColors::Black);
            break;
        case ColorHintStyle::Paint:
            target->setColor(QColor::fromRgb(hint.rgb));
            break;
        }
    }
}

// Panels outside the lists that colour hints lit get their own colours back.
void TPractise0BaseForm::restoreHintedPanels()
{
    for (auto it = m_hintedPanels.cbegin(); it != m_hintedPanels.cend(); ++it) {
        it.key()->setColor(it->color);
        it.key()->setFontColor(it->fontColor);
    }
    m_hintedPanels.clear();
}

// ---------------------------------------------------------------- check boxes and answer steps

void TPractise0BaseForm::chkShowHintClick()
{
    for (const WorkingPanelEntry& e : WorkingPanels)
        SetPanelHintShown(e.Panel, !PanelHintShown(e.Panel));
    if (State != Idle) {
        if (chkShowHint->isChecked()) {
            ShowPanelHint();
            SetScreenHint(QStringLiteral("|") + Hints::shortHint(Hints::hint(CurrentPanel)));
        } else {
            stbrScreen->setSimpleText(QString());
            SetScreenHint(Strings::text(State == Playing ? Strings::HintPressStop : Strings::HintPressPlay));
        }
    }
    setFocus();
}

void TPractise0BaseForm::chkShowColorHintsClick()
{
    if (State != Idle && CurrentIndex != -1) {
        if (chkShowColorHints->isChecked()) {
            ShowColorHints(CurrentPanel);
        } else {
            RestoreColors();
            HighlightWorkingPanel();
        }
    }
    setFocus();
}

void TPractise0BaseForm::chkHideMentalBoxesClick()
{
    for (const WorkingPanelEntry& e : WorkingPanels) {
        if (!e.IsMental || e.IsUnused)
            continue;
        e.Panel->setVisible(e.Panel->isHidden());
        if (State != Idle && e.Panel == CurrentPanel && e.Panel->isHidden())
            MoveHighlight(MoveNext, nullptr);
    }
    MentalBoxesHidden = !MentalBoxesHidden;
    setFocus();
}

void TPractise0BaseForm::rdoShowActualAnswerStepsClick()
{
    rdoShowMyAnswerSteps->setChecked(false);
    ShowAnswerSteps(QStringLiteral("sAA"));
    imgRight->show();
    imgWrong->hide();
    setFocus();
}

void TPractise0BaseForm::rdoShowMyAnswerStepsClick()
{
    rdoShowActualAnswerSteps->setChecked(false);
    if (!pnlViewAnswers->isHidden()) {
        ShowAnswerSteps(QStringLiteral("sUA"));
        ShowRightWrong();
    }
    setFocus();
}

void TPractise0BaseForm::ShowRightWrong()
{
    imgRight->setVisible(IsCorrect);
    imgWrong->setVisible(!IsCorrect);
    pnlRightWrong->show();
    QString answer;
    for (const PanelEntry& e : AnswerPanels)
        answer += e.Panel->caption();
    pnlRightWrong->announce(QStringLiteral("%1, the answer is %2")
                                .arg(IsCorrect ? QStringLiteral("Right") : QStringLiteral("Wrong"), answer));
}

void TPractise0BaseForm::ShowAnswerSteps(const QString& which)
{
    const bool actual = which == QLatin1String("sAA");
    for (const WorkingPanelEntry& e : WorkingPanels) {
        if (!e.IsUnused)
            e.Panel->setCaption(actual ? e.ActualAnswer : e.MyAnswer);
    }
}

void TPractise0BaseForm::LampToButtonFace()
{
    pnlRightWrong->setColor(SysColors::buttonFace());
}

// ---------------------------------------------------------------- lamp and stopwatch

void TPractise0BaseForm::UpdateLamp()
{
    QColor color;
    switch (Grading::grade(m_scores->correct(), m_scores->total(), Globals::LowerAmber, Globals::UpperAmber)) {
    case Grading::Grade::None:
        color = SysColors::buttonShadow();
        break;
    case Grading::Grade::Red:
        color = SysColors::Red;
        break;
    case Grading::Grade::Amber:
        color = SysColors::Yellow;
        break;
    case Grading::Grade::Green:
        color = SysColors::Lime;
        break;
    case Grading::Grade::Keep:
        return;
    }
    shpLights->setBrushColor(color);
}

void TPractise0BaseForm::ShowMyTime()
{
    lblBestTime->hide();
    btnTime->setText(MyTimeText);
    Hints::setHint(btnTime, Strings::text(Strings::StopwatchMyTime));
    setTextColor(btnTime, SysColors::windowText());
}

void TPractise0BaseForm::ShowBestTime()
{
    lblBestTime->show();
    btnTime->setText(BestTimeText);
    Hints::setHint(btnTime, Strings::text(Strings::StopwatchBestTime));
    setTextColor(btnTime, BestTimeColor());
}

void TPractise0BaseForm::ShowBestTimeOnStopwatch()
{
    pnlTime->setCaption(BestTimeText);
    pnlTime->setFontColor(BestTimeColor());
}

QColor TPractise0BaseForm::BestTimeColor() const
{
    return BestTimeText != FormatElapsed(0) ? SysColors::Blue : SysColors::windowText();
}

void TPractise0BaseForm::btnTimeClick()
{
    if (!lblBestTime->isHidden())
        ShowMyTime();
    else
        ShowBestTime();
    setFocus();
}

