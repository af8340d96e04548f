#include "shell/ScoreCounter.h"

#include "platform/Dialogs.h"
#include "shell/Panel.h"
#include "shell/StatusBar.h"
#include "shell/Strings.h"

ScoreCounter::ScoreCounter(QWidget* form, const Controls& controls, std::function<void()> gradeLamps)
    : QObject(form), m_form(form), m_controls(controls), m_gradeLamps(std::move(gradeLamps))
{
    for (UpDown* updn : {m_controls.correct, m_controls.total}) {
        updn->setRange(0, Limit);
        updn->setPosition(0);
    }
    show(m_controls.correctPanel, 0);
    show(m_controls.totalPanel, 0);
    m_controls.correct->setChangingCheck([this](UpDown::Direction d, int) { return correctChanging(d); });
    m_controls.total->setChangingCheck([this](UpDown::Direction d, int) { return totalChanging(d); });
    connect(m_controls.correct, &UpDown::clicked, this, &ScoreCounter::correctStepped);
    connect(m_controls.total, &UpDown::clicked, this, &ScoreCounter::totalStepped);
}

int ScoreCounter::correct() const
{
    return m_controls.correct->position();
}

int ScoreCounter::total() const
{
    return m_controls.total->position();
}

void ScoreCounter::show(Panel* panel, int value)
{
    panel->setCaption(QString::number(value));
    panel->repaint();
}

bool ScoreCounter::correctChanging(UpDown::Direction direction)
{
    if (direction == UpDown::Direction::Up && correct() >= total()) {
        m_controls.status->setSimpleText(Strings::text(Strings::CorrectAboveTotal));
        return false;
    }
    return true;
}

bool ScoreCounter::totalChanging(UpDown::Direction direction)
{
    if (direction == UpDown::Direction::Down && total() > 0 && correct() > 0) {
        m_controls.correct->setPosition(correct() - 1);
        show(m_controls.correctPanel, correct());
    }
    return true;
}

void ScoreCounter::correctStepped()
{
    show(m_controls.correctPanel, correct());
    m_gradeLamps();
}

void ScoreCounter::totalStepped()
{
    show(m_controls.totalPanel, total());
    m_gradeLamps();
}

void ScoreCounter::clear()
{
    if (correct() == 0 && total() == 0) {
        m_controls.status->setSimpleText(Strings::text(Strings::NothingToClear));
        return;
    }
    if (total() != Limit && !Dialogs::current().confirm(m_form, Strings::text(Strings::ClearScoresQuestion)))
        return;
    setCounts(0, 0);
}

void ScoreCounter::count(bool right)
{
    if (atLimit())
        return;
    m_controls.total->setPosition(total() + 1);
    show(m_controls.totalPanel, total());
    if (right) {
        m_controls.correct->setPosition(correct() + 1);
        show(m_controls.correctPanel, correct());
    }
}

void ScoreCounter::setCounts(int correct, int total)
{
    m_controls.total->setPosition(total);
    m_controls.correct->setPosition(qMin(correct, this->total()));
    show(m_controls.totalPanel, this->total());
    show(m_controls.correctPanel, this->correct());
    m_gradeLamps();
}
