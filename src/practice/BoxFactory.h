#pragma once

#include <QRect>
#include <QString>

#include "shell/Panel.h"

class QFrame;
class QLabel;
class QWidget;

// Makes the boxes of a practice screen with their standard look, hints and
// help contexts: working boxes, carry boxes, question digits, the panels of
// the correct answer and the signs and rules between the rows. The screen
// gives names and places; the factory parents them on its form.
class BoxFactory
{
public:
    // From one box of a row or column to the next: a 25-pixel box and a
    // 1-pixel gap. The layouts place their rows of boxes in these steps.
    static constexpr int Step = 26;
    static constexpr int BoxSize = 25;

    explicit BoxFactory(QWidget* form) : m_form(form) {}

    // A box the learner types into: lowered, hint "Working Box|".
    Panel* working(const QString& name, const QRect& at, int fontPx, bool bold = false) const;
    // A carry box: lowered, 11 px, hint "Carry Box|".
    Panel* carry(const QString& name, const QRect& at, bool bold = false) const;
    // A digit of the question: bold.
    Panel* question(const QString& name, const QRect& at, int fontPx, Panel::Bevel bevel = Panel::Bevel::None,
                    const QString& hint = QString()) const;
    // A panel of the correct answer or of its carries: hidden until STOP.
    Panel* answer(const QString& name, const QRect& at, int fontPx, bool bold = true,
                  Panel::Bevel bevel = Panel::Bevel::None) const;
    // A sign between the numbers ("+", "×", "÷"): a bold, centred label.
    QLabel* sign(const QString& name, const QString& text, const QRect& at, int fontPx) const;
    // A sunken rule under a row.
    QFrame* rule(const QString& name, const QRect& at) const;

private:
    Panel* panel(const QString& name, const QRect& at, int fontPx, bool bold, Panel::Bevel bevel) const;

    QWidget* m_form;
};
