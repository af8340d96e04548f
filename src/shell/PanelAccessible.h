#pragma once

#include <QAccessibleWidget>

class Panel;

// What a screen reader sees of a panel: an option button is a radio button
// (checked when selected), a box the learner types into an editable text
// whose value is its digits, a lamp an indicator, a panel that holds
// controls a group, any other panel a text. The name is the accessible
// name set on the panel, else the short part of its hint, else its
// caption; the description is the long part of its hint (a box's step
// hint).
class PanelAccessible : public QAccessibleWidget
{
public:
    explicit PanelAccessible(QWidget* widget);

    // Registers the interface for every panel (once; the first panel made
    // does it).
    static void install();

    // Tell screen readers what changed on a panel.
    static void captionChanged(Panel* panel);
    static void stateChanged(Panel* panel);
    static void focused(Panel* panel);
    static void alert(Panel* panel);
    // Every event the panels send also goes to the listener (tests: on a
    // platform without an accessibility bridge Qt delivers none).
    using Listener = void (*)(QAccessibleEvent* event);
    static void setListener(Listener listener);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    Panel* panel() const;
    static void send(QAccessibleEvent& event);
};
