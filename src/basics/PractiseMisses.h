#pragma once

#include <QObject>
#include <QRandomGenerator>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

#include "basics/ReviewRules.h"

class QCheckBox;
class QLabel;
class QWidget;
class WhatsThisMenu;

// "Practise my misses" on a flash drill: the check box chkPractiseMisses,
// the count of facts waiting for review lblReviewCount beside it, and the
// learner's records (ReviewDeck, kept in ReviewFile). The flash engine owns
// one. While the option is on, a run takes each next question from here and
// tells how each question went; the drill only names its facts.
//
// A question counts for its fact once its answer has been counted in a run:
// it was missed when the learner pressed SPACE while it was on screen (or,
// on a screen that judges a typed answer, when a wrong answer was counted),
// else right. It is recorded when the next question comes or the run ends;
// the records are saved when the run ends.
class PractiseMisses : public QObject
{
    Q_OBJECT
public:
    // What the drill supplies: the keys of its current option's facts, the
    // key of the question on screen, its own draw (the next question of the
    // option, drawn evenly) and posing the index-th fact of the last facts().
    struct Drill {
        std::function<QStringList()> facts;
        std::function<QString()> factKey;
        std::function<void()> draw;
        std::function<void(int)> pose;
    };

    PractiseMisses(QWidget* form, WhatsThisMenu* whatsThis, Drill drill);

    QCheckBox* checkBox() const { return m_box; }
    QLabel* countLabel() const { return m_count; }

    // The drill's name in the records (its section) and whether the option is
    // on, as the learner's settings say. The records are read when it is on.
    void setUp(const QString& section, bool on);
    bool isOn() const;
    // The drill's option changed: its facts are read again. An option
    // without facts offers no check box.
    void optionChanged();
    // Puts the check box and the count in the area (form coordinates) at its
    // bottom left, where no control of the form shows: one above the other
    // when there is room, else side by side.
    void place(const QRect& area);

    // A run or a timing check starts or ends: the check box cannot change
    // meanwhile. At the end of a run the question on screen is recorded and
    // the records are saved.
    void setRunning(bool running, bool run);
    // The next question of a run: the question on screen is recorded, then
    // the next one drawn, by ReviewDeck when the option is on.
    void nextQuestion();
    // The question on screen was counted, right or wrong; it was missed.
    void counted(bool right);
    void missed();

    // The facts of the current option waiting for review.
    int waiting();
    const ReviewDeck& deck() const { return m_deck; }

private:
    void toggled(bool on);
    void settle();
    void showCount();
    const ReviewDomain& domain();

    QWidget* m_form;
    Drill m_drill;
    QCheckBox* m_box = nullptr;
    QLabel* m_count = nullptr;
    QString m_section;
    QString m_path;
    ReviewDeck m_deck;
    bool m_loaded = false;
    bool m_changed = false;
    ReviewDomain m_domain;
    bool m_domainRead = false;
    QRandomGenerator m_random;
    // The question on screen: its key (while the option is on), whether its
    // answer was counted, whether it was missed.
    QString m_key;
    bool m_counted = false;
    bool m_missed = false;
};
