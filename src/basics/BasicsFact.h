#pragma once

#include <QList>

#include <memory>

#include "basics/BaseBasics.h"
#include "basics/FactDrillRules.h"
#include "shell/Panel.h"

class QLabel;

// What the five fact drills share: the lime question panels, the "=" label,
// the answer panel, option buttons that each pose one kind of question, and
// the question source. A drill builds its panels and options in its
// constructor and ends it with FormCreateScreen().
class TBasicsFactForm : public TBasicsBaseForm
{
    Q_OBJECT
public:
    // Replaces where the questions come from (tests pose their own).
    void setQuestionSource(std::unique_ptr<FactQuestionSource> source);
    // The question on screen (or last shown) and the kind it is of.
    const FactQuestion& question() const { return m_question; }
    FactKind currentKind() const;

protected:
    explicit TBasicsFactForm(QWidget* parent = nullptr);

    // The question panels: two operands one above the other, like a written
    // sum, with "=" and the answer under them; one operand in a row with
    // "=" and the answer, beside the options or centred on a screen without.
    void createQuestionPanels(bool twoOperands, bool withOptions = true);
    // A frame for option buttons in the options column, count buttons high,
    // starting at top (form coordinates).
    Panel* createOptionsPanel(const QString& name, int top, int count);
    // An option button in the next free row of its options panel.
    Panel* addOption(Panel* optionsPanel, int number, const QString& name, const QString& caption,
                     const QString& hint, FactKind kind);
    // The kind a screen without options poses, and the empty panel that
    // explains the screen where the others have their options.
    void setSingleKind(FactKind kind, const QString& dummyHint);
    // The options column at the left of the question panels.
    static constexpr int OptionsLeft = 8;
    static constexpr int OptionsWidth = 180;

    // Hooks.
    void NewQuestion() override;
    void ShowQuestion() override;
    void ClearQuestion() override;
    void ShowAnswer() override;
    void ClearAnswer() override;
    // An operand that the option fixes shows at once in button-face colour;
    // an operand that changes is lime.
    void ApplyOption() override;
    void HideOptionPanels() override;
    void ShowOptionPanels() override;
    int GetOptionIndex() const override;
    Panel* GetOptionButton(int index) const override;

    Panel* pnlQuestion1 = nullptr;
    Panel* pnlQuestion2 = nullptr; // only on two-operand screens
    QLabel* lblEqual = nullptr;
    Panel* pnlAnswer = nullptr;

private:
    struct Option {
        int number;
        Panel* button;
        FactKind kind;
    };
    QList<Option> m_options;
    QList<Panel*> m_optionPanels;
    FactKind m_singleKind = FactKind::AddBasic;
    std::unique_ptr<FactQuestionSource> m_source;
    FactQuestion m_question;
};
