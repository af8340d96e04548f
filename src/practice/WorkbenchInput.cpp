// The practice workbench: keys, digit entry, clicks on boxes and moving the
// highlight. Which action a key asks for is decided by WorkbenchKeys; this
// file carries the actions out on the boxes.

#include "practice/Practise0Base.h"

#include <QKeyEvent>
#include <QRadioButton>

#include "platform/Dialogs.h"
#include "shell/GlyphButton.h"
#include "shell/Globals.h"
#include "shell/Panel.h"
#include "shell/Strings.h"

using WorkbenchKeys::Action;
using WorkbenchKeys::Edit;

// ---------------------------------------------------------------- keys

bool TPractise0BaseForm::previewKeyPress(QKeyEvent* event)
{
    // Keys with Ctrl or Alt belong to the controls (mnemonics, shortcuts).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    int key = event->key();
    FormKeyDown(key, event->modifiers());
    return key == 0;
}

bool TPractise0BaseForm::previewKeyRelease(QKeyEvent* event)
{
    // The Enter that closed the cannot-correct message goes up here.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SwallowEnter) {
        SwallowEnter = false;
        return true;
    }
    return false;
}

void TPractise0BaseForm::FormKeyDown(int& key, Qt::KeyboardModifiers modifiers)
{
    const Action action = WorkbenchKeys::actionFor(key, modifiers, State);
    const int pressed = key;
    if (WorkbenchKeys::consumes(action))
        key = 0;
    runKeyAction(action, pressed);
}

void TPractise0BaseForm::runKeyAction(Action action, int key)
{
    switch (action) {
    case Action::None:
        return;
    case Action::Play:
        // ENTER is PLAY's shortcut: a new question at first; after STOP the
        // same one again (the learner who got it wrong tries it again).
        if (SwallowEnter)
            SwallowEnter = false;
        else if (BitBtnPlay->isEnabled())
            BitBtnPlayClick(State == Finished ? static_cast<QObject*>(this) : BitBtnPlay);
        return;
    case Action::Close:
        closeForm();
        return;
    case Action::Stop:
        BitBtnStopClick();
        return;
    case Action::CannotCorrect:
        cannotCorrect();
        return;
    case Action::FlipAnswerSteps:
        if (!pnlViewAnswers->isHidden()) {
            QRadioButton* other = rdoShowMyAnswerSteps->isChecked() ? rdoShowActualAnswerSteps : rdoShowMyAnswerSteps;
            other->setChecked(true);
        }
        return;
    case Action::NumLock:
        SetNumLockOn();
        return;
    case Action::Digit:
        LastKey = QString(WorkbenchKeys::digitOf(key));
        break;
    case Action::Delete:
        LastKey = QStringLiteral("DEL");
        break;
    case Action::Backspace:
        digitEntry(Edit::Backspace);
        return;
    default:
        if (State == Finished)
            runFinishedMove(action);
        else if (action == Action::Left || action == Action::Right)
            moveHorizontally(action == Action::Left);
        else if (action == Action::Up || action == Action::Down)
            moveVertically(action == Action::Up);
        else
            MoveHighlight(action == Action::Next ? MoveNext
                          : action == Action::Previous ? MovePrevious
                          : action == Action::First ? MoveFirst
                                                    : MoveLast,
                          nullptr);
        return;
    }
    typeIntoBox();
}

// After STOP no box is current until the learner moves; the lamp then goes
// back to the button face.
void TPractise0BaseForm::runFinishedMove(Action action)
{
    const int last = lastIndex();
    switch (action) {
    case Action::Up:
    case Action::Down:
        if (BoxOrder != Grid || CurrentIndex != -1)
            moveVertically(action == Action::Up);
        return;
    case Action::Previous:
        if (CurrentIndex == -1)
            CurrentIndex = last + 1;
        break;
    case Action::Left:
    case Action::Right:
        // From no box, Left comes in at the left end and Right at the right
        // end of the row (a grid screen's moves know its own ends).
        if (CurrentIndex == -1 && BoxOrder != Grid
            && (action == Action::Left) == (BoxOrder == LeftToRight))
            CurrentIndex = last + 1;
        moveHorizontally(action == Action::Left);
        LampToButtonFace();
        return;
    default:
        break;
    }
    LampToButtonFace();
    MoveHighlight(action == Action::Next ? MoveNext
                  : action == Action::Previous ? MovePrevious
                  : action == Action::First ? MoveFirst
                                            : MoveLast,
                  nullptr);
}

void TPractise0BaseForm::moveHorizontally(bool left)
{
    switch (BoxOrder) {
    case RightToLeft:
        MoveHighlight(left ? MoveNext : MovePrevious, nullptr);
        break;
    case LeftToRight:
        MoveHighlight(left ? MovePrevious : MoveNext, nullptr);
        break;
    case Grid:
        MoveHighlight(left ? MoveLeft : MoveRight, nullptr);
        break;
    }
}

void TPractise0BaseForm::moveVertically(bool up)
{
    if (BoxOrder == Grid)
        MoveHighlight(up ? MoveUp : MoveDown, nullptr);
    else
        JumpVertically(CurrentPanel, false);
}

// A digit or Delete goes into the current box.
void TPractise0BaseForm::typeIntoBox()
{
    if (LastKey == QLatin1String("DEL")) {
        digitEntry(Edit::Delete);
        LastKey = QStringLiteral("NIL");
        WorkingPanelChanged(CurrentPanel);
    } else if (LastKey.size() == 1 && LastKey[0].isDigit()) {
        const bool advance = digitEntry(Edit::Digit);
        WorkingPanelChanged(CurrentPanel);
        LastKey = QStringLiteral("NIL");
        if (advance)
            MoveHighlight(MoveNext, nullptr);
    }
}

void TPractise0BaseForm::cannotCorrect()
{
    Dialogs::current().information(this, Strings::text(Strings::CannotCorrect));
    SwallowEnter = true;
}

// ---------------------------------------------------------------- digit entry

bool TPractise0BaseForm::digitEntry(Edit edit)
{
    return EntryStyle == CarryPairEntry ? DigitEntryCarryPair(CurrentPanel, edit) : DigitEntryFree(CurrentPanel, edit);
}

bool TPractise0BaseForm::DigitEntryCarryPair(QWidget* panel, Edit what)
{
    auto* box = qobject_cast<Panel*>(panel);
    if (!box || CurrentIndex < 0 || CurrentIndex > lastIndex())
        return false;
    WorkingPanelEntry& e = WorkingPanels[CurrentIndex];
    Panel* carry = e.CarryLink >= 0 && e.CarryLink < CarryPanels.size() ? CarryPanels[e.CarryLink].Panel : nullptr;
    const QChar digit = LastKey.size() == 1 ? LastKey.at(0) : QChar();
    const WorkbenchKeys::CarryPairEntry typed = WorkbenchKeys::carryPair(e.MyAnswer, e.Width, carry, what, digit);
    if (typed.beep) {
        Dialogs::current().beep();
        return false;
    }
    e.MyAnswer = typed.myAnswer;
    box->setCaption(typed.boxText);
    if (carry)
        carry->setCaption(typed.carryText);
    return typed.complete;
}

bool TPractise0BaseForm::DigitEntryFree(QWidget* panel, Edit edit)
{
    auto* box = qobject_cast<Panel*>(panel);
    if (!box || CurrentIndex < 0 || CurrentIndex > lastIndex())
        return false;
    const QChar digit = LastKey.size() == 1 ? LastKey.at(0) : QChar();
    const WorkbenchKeys::FreeEntry typed = WorkbenchKeys::freeEntry(box->caption(), WorkingPanels[CurrentIndex].Width,
                                                                    edit, digit);
    if (edit == Edit::Backspace && !typed.changed)
        return false;
    box->setCaption(typed.text);
    if (typed.changed)
        WorkingPanelChanged(CurrentPanel);
    return typed.complete;
}

void TPractise0BaseForm::PadWorkingPanel(int index)
{
    if (index < 0 || index > lastIndex())
        return;
    Panel* box = WorkingPanels[index].Panel;
    if (!box->caption().isEmpty())
        box->setCaption(PadLeft(box->caption(), WorkingPanels[index].Width, QLatin1Char('0')));
}

// ---------------------------------------------------------------- clicks on boxes

void TPractise0BaseForm::HighlightWorkingPanelOnMouseClick(QWidget* panel)
{
    if (State == Idle)
        return;
    const int index = FindWorkingPanel(panel, WorkingPanels, lastIndex());
    if (index < 0) {
        Dialogs::current().beep();
        return;
    }
    if (State == Playing && EntryStyle == FreeEntry)
        PadWorkingPanel(CurrentIndex);
    CurrentIndex = index;
    MoveHighlight(MoveToPanel, panel);
    if (State == Finished)
        LampToButtonFace();
    setFocus();
}

void TPractise0BaseForm::TransferHighlightToWorkingPanel(Panel* carryBox)
{
    int carry = -1;
    for (int i = 0; i < CarryPanels.size(); ++i) {
        if (CarryPanels[i].Panel == carryBox)
            carry = i;
    }
    for (const WorkingPanelEntry& e : WorkingPanels) {
        if (carry >= 0 && e.CarryLink == carry) {
            HighlightWorkingPanelOnMouseClick(e.Panel);
            return;
        }
    }
    HighlightWorkingPanelOnMouseClick(carryBox);
}

// ---------------------------------------------------------------- moving the highlight

bool TPractise0BaseForm::isVisibleBox(int index) const
{
    return index >= 0 && index <= lastIndex() && WorkingPanels[index].Panel->isVisibleTo(this);
}

void TPractise0BaseForm::MoveHighlight(int direction, QWidget* panel)
{
    const int last = lastIndex();
    if (last < 0)
        return;
    // A free-entry box is padded with zeros when the learner leaves it. (A
    // click has padded the box it left before choosing the new one.)
    if (State == Playing && EntryStyle == FreeEntry && direction != MoveToPanel)
        PadWorkingPanel(CurrentIndex);

    const int count = last + 1;
    switch (direction) {
    case MoveNext:
        for (int tries = 0; tries < count; ++tries) {
            CurrentIndex = CurrentIndex >= last ? 0 : CurrentIndex + 1;
            if (isVisibleBox(CurrentIndex))
                break;
        }
        break;
    case MovePrevious:
        for (int tries = 0; tries < count; ++tries) {
            CurrentIndex = CurrentIndex <= 0 ? last : CurrentIndex - 1;
            if (isVisibleBox(CurrentIndex))
                break;
        }
        break;
    case MoveToPanel:
        break;
    case MoveFirst:
        CurrentIndex = 0;
        while (CurrentIndex < last && !isVisibleBox(CurrentIndex))
            ++CurrentIndex;
        break;
    case MoveLast:
        CurrentIndex = last;
        while (CurrentIndex > 0 && !isVisibleBox(CurrentIndex))
            --CurrentIndex;
        break;
    default:
        // Left, right, up and down belong to the grid screens.
        break;
    }
    if (direction == MoveToPanel && panel)
        CurrentPanel = panel;
    else if (CurrentIndex >= 0 && CurrentIndex <= last)
        CurrentPanel = WorkingPanels[CurrentIndex].Panel;
    RefreshHighlight();
}

int TPractise0BaseForm::FindWorkingPanel(const QWidget* panel, const QList<WorkingPanelEntry>& list, int last) const
{
    if (!panel)
        return -1;
    const int end = qMin(last, int(list.size()) - 1);
    for (int i = 0; i <= end; ++i) {
        if (list[i].Panel == panel)
            return i;
    }
    return -1;
}

void TPractise0BaseForm::JumpVertically(QWidget*, bool)
{
}

