#pragma once

#include <QChar>
#include <QString>
#include <Qt>

// The workbench's keyboard without widgets: which action a key asks for in
// each state of an attempt, and what typing does to the text of a box. The
// practice form carries the actions out; tests can drive these directly.
namespace WorkbenchKeys {

enum class Action {
    None,            // not the workbench's key: it goes on to the controls
    Play,            // Enter while idle or finished
    Close,           // Esc while idle or finished
    Stop,            // Esc while playing
    Digit,           // 0..9 (also on the numeric pad)
    Delete,
    Backspace,
    Next,            // Tab, numeric pad +
    Previous,        // Q, F2, Backtab, numeric pad -
    First,           // Home
    Last,            // End
    Left,
    Right,
    Up,
    Down,
    FlipAnswerSteps, // Space after STOP
    CannotCorrect,   // digits, Delete or Backspace after STOP
    NumLock,         // any other key while playing: NumLock on, nothing else
};

// The attempt's state, as the workbench numbers it (idle, playing, finished).
enum State { Idle = 0, Playing = 1, Finished = 2 };

// The action of a key going down in a state.
Action actionFor(int key, Qt::KeyboardModifiers modifiers, int state);

// Whether the workbench takes the key (the controls do not see it). Up and
// Down go on to the controls even when they move the highlight; so do the
// keys that only switch NumLock on.
bool consumes(Action action);

// The digit of a digit key, or a null QChar.
QChar digitOf(int key);

// What one key does to a box.
enum class Edit { Digit, Backspace, Delete };

// A box of a carry-pair screen: the learner's text (myAnswer) builds up to
// the box's width; a complete two-digit (or wider) value splits into its
// units digit in the box and the rest in the linked carry box.
struct CarryPairEntry {
    QString myAnswer;  // the learner's text after the key
    QString boxText;   // what the box shows
    QString carryText; // what the linked carry box shows (when there is one)
    bool complete = false; // the box is full: the highlight moves on
    bool beep = false;     // Backspace on an empty box
};
CarryPairEntry carryPair(const QString& myAnswer, int width, bool hasCarry, Edit edit, QChar digit = QChar());

// A box of a free-entry screen: the box keeps what is typed, up to its width.
struct FreeEntry {
    QString text;
    bool complete = false; // the box is full: the highlight moves on
    bool changed = false;  // Backspace took a digit off
};
FreeEntry freeEntry(const QString& text, int width, Edit edit, QChar digit = QChar());

} // namespace WorkbenchKeys
