#pragma once

#include <QList>

#include <memory>

#include "basics/BaseBasics.h"
#include "basics/FactDrillRules.h"

class Panel;

// A Basics screen with option buttons: frames in the options column that
// hold panels acting as radio buttons, each stored as its number. The option
// hooks are answered from them; a screen without options creates none (its
// option index is 1 and it has no option buttons).
class TBasicsOptionForm : public TBasicsBaseForm
{
    Q_OBJECT
public:
    // The options column at the left of the question panels.
    static constexpr int OptionsLeft = 8;
    static constexpr int OptionsWidth = 180;

protected:
    explicit TBasicsOptionForm(QWidget* parent = nullptr) : TBasicsBaseForm(parent) {}

    // A frame rows buttons high at top (form coordinates), columns buttons
    // to a row.
    Panel* createOptionsPanel(const QString& name, int top, int rows, int columns = 1);
    // A button in the next free cell of its frame; a wide one takes a whole
    // row. A click selects it (ActivateOptionButton).
    Panel* addOption(Panel* frame, int number, const QString& name, const QString& caption, const QString& hint,
                     bool wide = false);

    void HideOptionPanels() override;
    void ShowOptionPanels() override;
    int GetOptionIndex() const override;
    Panel* GetOptionButton(int index) const override;

private:
    struct Option {
        int number;
        Panel* button;
    };
    struct Frame {
        Panel* panel;
        int columns;
        int cell; // the next free cell, row by row
    };
    QList<Option> m_options;
    QList<Frame> m_frames;
};

// A Basics screen with options whose questions come from a question source
// (random, or a test's own): NewQuestion draws what the option asks.
template <typename Question, typename Ask>
class TBasicsSourcedForm : public TBasicsOptionForm
{
public:
    using Source = DrillQuestionSource<Question, Ask>;

    // Replaces where the questions come from (tests pose their own).
    void setQuestionSource(std::unique_ptr<Source> source)
    {
        if (source)
            m_source = std::move(source);
    }
    // The question on screen (or last shown).
    const Question& question() const { return m_question; }

protected:
    TBasicsSourcedForm(std::unique_ptr<Source> source, QWidget* parent) : TBasicsOptionForm(parent), m_source(std::move(source)) {}

    // What the current option asks.
    virtual Ask ask() const = 0;
    void NewQuestion() override { m_question = m_source->next(ask()); }

    // The option's facts are every question it asks (DrillFacts).
    QStringList ReviewFacts() override
    {
        m_facts = DrillFacts<Question, Ask>::all(ask());
        QStringList keys;
        keys.reserve(m_facts.size());
        for (const Question& fact : m_facts)
            keys << DrillFacts<Question, Ask>::key(ask(), fact);
        return keys;
    }
    void PoseFact(int index) override
    {
        if (index >= 0 && index < m_facts.size())
            m_question = m_facts.at(index);
    }
    QString FactKey() const override { return DrillFacts<Question, Ask>::key(ask(), m_question); }

private:
    std::unique_ptr<Source> m_source;
    Question m_question{};
    QList<Question> m_facts; // of the last ReviewFacts()
};
