#pragma once

#include <QHash>

#include "basics/BasicsOptionForm.h"
#include "basics/FactDrillRules.h"
#include "shell/Panel.h"

class QLabel;

// What the five fact drills share: the lime question panels, the "=" label,
// the answer panel, option buttons that each pose one kind of question, and
// the question source. A drill builds its panels and options in its
// constructor and ends it with FormCreateScreen().
class TBasicsFactForm : public TBasicsSourcedForm<FactQuestion, FactKind>
{
    Q_OBJECT
public:
    // The kind of question the option poses.
    FactKind currentKind() const;

protected:
    explicit TBasicsFactForm(QWidget* parent = nullptr);

    // The question panels: two operands one above the other, like a written
    // sum, with "=" and the answer under them; one operand in a row with
    // "=" and the answer, beside the options or centred on a screen without.
    void createQuestionPanels(bool twoOperands, bool withOptions = true);
    // An option button in the next free row of its options panel, posing
    // one kind of question.
    Panel* addOption(Panel* optionsPanel, int number, const QString& name, const QString& caption,
                     const QString& hint, FactKind kind);
    // The kind a screen without options poses, and the empty panel that
    // explains the screen where the others have their options.
    void setSingleKind(FactKind kind, const QString& dummyHint);

    // Hooks.
    FactKind ask() const override { return currentKind(); }
    void ShowQuestion() override;
    void ClearQuestion() override;
    void ShowAnswer() override;
    void ClearAnswer() override;
    // An operand that the option fixes shows at once in button-face colour;
    // an operand that changes is lime.
    void ApplyOption() override;

    Panel* pnlQuestion1 = nullptr;
    Panel* pnlQuestion2 = nullptr; // only on two-operand screens
    QLabel* lblEqual = nullptr;
    Panel* pnlAnswer = nullptr;

private:
    QHash<const Panel*, FactKind> m_kinds;
    FactKind m_singleKind = FactKind::AddBasic;
};
