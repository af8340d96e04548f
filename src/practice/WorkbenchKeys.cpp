#include "practice/WorkbenchKeys.h"

namespace WorkbenchKeys {

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The keys that act alike while playing and after STOP.
Action navigation(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (key == Qt::Key_Tab || (key == Qt::Key_Plus && keypad))
        return Action::Next;
    if (key == Qt::Key_Q || key == Qt::Key_F2 || key == Qt::Key_Backtab || (key == Qt::Key_Minus && keypad))
        return Action::Previous;
    switch (key) {
    case Qt::Key_Home:
        return Action::First;
    case Qt::Key_End:
        return Action::Last;
    case Qt::Key_Left:
        return Action::Left;
    case Qt::Key_Right:
        return Action::Right;
    case Qt::Key_Up:
        return Action::Up;
    case Qt::Key_Down:
        return Action::Down;
    default:
        return Action::None;
    }
}

bool isEditKey(int key)
{
    return !digitOf(key).isNull() || key == Qt::Key_Delete || key == Qt::Key_Backspace;
}

} // namespace

QChar digitOf(int key)
{
    return key >= Qt::Key_0 && key <= Qt::Key_9 ? QChar(u'0' + (key - Qt::Key_0)) : QChar();
}

Action actionFor(int key, Qt::KeyboardModifiers modifiers, int state)
{
    if (state == Idle) {
        if (isEnter(key))
            return Action::Play;
        return key == Qt::Key_Escape ? Action::Close : Action::None;
    }
    if (state == Finished) {
        if (isEnter(key))
            return Action::Play;
        if (key == Qt::Key_Escape)
            return Action::Close;
        if (isEditKey(key))
            return Action::CannotCorrect;
        if (key == Qt::Key_Space)
            return Action::FlipAnswerSteps;
        return navigation(key, modifiers);
    }
    // Playing.
    if (!digitOf(key).isNull())
        return Action::Digit;
    if (key == Qt::Key_Delete)
        return Action::Delete;
    if (key == Qt::Key_Backspace)
        return Action::Backspace;
    if (key == Qt::Key_Escape)
        return Action::Stop;
    const Action moved = navigation(key, modifiers);
    return moved == Action::None ? Action::NumLock : moved;
}

bool consumes(Action action)
{
    return action != Action::None && action != Action::Up && action != Action::Down && action != Action::NumLock;
}

CarryPairEntry carryPair(const QString& myAnswer, int width, bool hasCarry, Edit edit, QChar digit)
{
    CarryPairEntry out;
    switch (edit) {
    case Edit::Digit:
        // Typing into a full box starts it again.
        out.myAnswer = myAnswer.size() < width ? myAnswer + digit : QString(digit);
        out.boxText = out.myAnswer;
        out.complete = out.myAnswer.size() == width;
        if (out.complete && hasCarry) {
            const QString tens = out.myAnswer.left(out.myAnswer.size() - 1);
            out.boxText = out.myAnswer.right(1);
            out.carryText = tens == QLatin1String("0") ? QString() : tens;
        }
        break;
    case Edit::Backspace:
        out.beep = myAnswer.isEmpty();
        out.myAnswer = myAnswer.left(qMax<qsizetype>(0, myAnswer.size() - 1));
        out.boxText = out.myAnswer;
        break;
    case Edit::Delete:
        break;
    }
    return out;
}

FreeEntry freeEntry(const QString& text, int width, Edit edit, QChar digit)
{
    FreeEntry out;
    switch (edit) {
    case Edit::Digit:
        out.text = text.size() < width ? text + digit : QString(digit);
        out.complete = out.text.size() == width;
        break;
    case Edit::Backspace:
        out.changed = !text.isEmpty();
        out.text = text.left(qMax<qsizetype>(0, text.size() - 1));
        break;
    case Edit::Delete:
        break;
    }
    return out;
}

} // namespace WorkbenchKeys
