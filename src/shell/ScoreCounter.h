#pragma once

#include <QObject>

#include <functional>

#include "shell/UpDown.h"

class Panel;
class StatusBar;

// The CORRECT and TOTAL scores of a screen: the two up-downs that hold them
// (0..1000, no wrap) and the panels that show them. The screen lays the
// controls out and keeps its lamps; the counter holds the rules, so that
// Correct never stands above Total whatever changes them, and asks the screen
// to grade its lamps after every change the learner makes by hand.
class ScoreCounter : public QObject
{
    Q_OBJECT
public:
    static constexpr int Limit = 1000;

    struct Controls {
        UpDown* correct = nullptr;
        Panel* correctPanel = nullptr;
        UpDown* total = nullptr;
        Panel* totalPanel = nullptr;
        StatusBar* status = nullptr; // the counter's messages
    };

    // form owns the counter and the confirmation box. The up-downs get their
    // range and their step rules; both panels show 0.
    ScoreCounter(QWidget* form, const Controls& controls, std::function<void()> gradeLamps);

    int correct() const;
    int total() const;
    bool atLimit() const { return total() >= Limit; }

    // Before a step of an up-down; false refuses it. Correct cannot step
    // above Total; a step down of Total takes one right answer along, so the
    // misses stay as they were.
    bool correctChanging(UpDown::Direction direction);
    bool totalChanging(UpDown::Direction direction);
    // After a step: the panel shows the new count and the lamps are graded.
    void correctStepped();
    void totalStepped();

    // The clear button: a message when there is nothing to clear; otherwise,
    // unless Total is at the limit, the learner confirms first.
    void clear();

    // One question answered: Total + 1, then Correct + 1 when right. At the
    // limit nothing is counted (Correct alone would raise the mark without a
    // question behind it). The caller grades the lamps.
    void count(bool right);

    // Sets both counts held within 0..1000, Correct at most Total (which also
    // keeps a Correct without any Total from dividing by zero); both panels
    // show them and the lamps are graded.
    void setCounts(int correct, int total);

private:
    static void show(Panel* panel, int value);

    QWidget* m_form;
    Controls m_controls;
    std::function<void()> m_gradeLamps;
};
