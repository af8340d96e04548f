#pragma once

#include <optional>

#include "practice/CustomQuestion.h"
#include "practice/Practise0Base.h"
#include "practice/QuestionSource.h"

// The workbench of a screen whose method comes from a rules class: the rules
// solve the question into a WorkedProblem, and this class maps it onto the
// boxes. The question panels, the expected values, texts, widths, marks and
// hints of the boxes, the carries, the colour hints, the correct answer and
// its carry row, the answer steps of both kinds and the custom question all
// come from here. Boxes the worked problem does not name are out of the
// problem (a screen whose options differ in size lays out the largest).
// A screen adds its option buttons, lays out its panels (with
// BoxFactory), makes the question (NewQuestion) and solves it
// (SolveQuestion).
class TPractiseRulesForm : public TPractise0BaseForm
{
    Q_OBJECT
public:
    explicit TPractiseRulesForm(QWidget* parent = nullptr);

    // The worked problem of the last PLAY (tests, benchmarks).
    const WorkedProblem& workedProblem() const { return Problem; }

protected:
    // The screen's own: the worked problem of the question to play. It runs
    // at every PLAY and RESTART, after NewQuestion when there is a new one.
    virtual WorkedProblem SolveQuestion() = 0;
    // The custom question dialog as this screen sets it up.
    virtual TCustomQuestionForm::Setup CustomQuestionSetup() const { return {}; }

    void BitBtnCustomClick() override;
    bool QuestionWaiting() override { return m_custom.has_value(); }
    void ShowQuestion() override;
    void ShowActualAnswer() override;
    void BuildWorkingPanels() override;
    void CheckWorkingPanels() override;
    void ResetWorkingPanels() override;
    void ShowAnswerSteps(const QString& which) override;

    // The texts of the custom question confirmed since the last PLAY, taken
    // off (nothing when none was confirmed).
    struct CustomTexts {
        QString question;
        QString op;
    };
    std::optional<CustomTexts> TakeCustomQuestion();

    // The next question of a method: the one posed for it (tests pose the
    // worked examples through the question source), otherwise draw().
    template <typename Rules, typename Draw>
    static typename Rules::Question PosedOr(Draw draw)
    {
        const auto posed = Rules::parse(QuestionSource::takePosed(Rules::methodName()));
        return posed.ok() ? *posed.question : draw();
    }

    // The next question of a method whose custom question is a whole
    // question of the method: the learner's own when Rules::parse takes it,
    // else the posed one, else draw().
    template <typename Rules, typename Draw>
    typename Rules::Question CustomPosedOr(Draw draw)
    {
        if (const auto custom = TakeCustomQuestion()) {
            if (const auto parsed = Rules::parse(custom->question); parsed.ok())
                return *parsed.question;
        }
        return PosedOr<Rules>(draw);
    }

    // Selects the option button stored as n (1, 2, ...) unless it is the
    // current one: a question chooses the option it belongs to.
    void SelectOptionOfQuestion(int n);

    WorkedProblem Problem; // the problem being worked

private:
    void showAnswerCarryRow(bool shown);

    std::optional<CustomTexts> m_custom;
    QStringList m_myCarries; // the learner's carry boxes at STOP
};
