#pragma once

#include "practice/PractiseRulesForm.h"
#include "practice/SquareRootRules.h"

class QLabel;
class QWidget;

// Square root: the whole-number root and the remainder of a 3- to 8-digit
// number, worked block by block. The number stands under the root sign in
// pnlMover with its 2-digit blocks marked; the root digits go into the root
// row after "=", the steps of each round into the boxes around it, and the
// last subtraction into the remainder area, where grey mirror panels repeat
// the learner's entries in their columns. Up and Down jump from a box to the
// root digit it leads to (the jump arrow shows which).
//
// The option (3-Digit .. 8-Digit) chooses one of three layouts of boxes
// (2, 3 or 4 root digits); the working-box list is laid out again for it.
//
// Questions: the custom number after OK, otherwise a posed question of the
// method (its digit count selects the option), otherwise a random number of
// the option's digit count, never the previous one.
class TPractiseSquareRootForm : public TPractiseRulesForm
{
    Q_OBJECT
public:
    explicit TPractiseSquareRootForm(QWidget* parent = nullptr);

    // The question of the last PLAY (tests, benchmarks).
    const SquareRootRules::Question& question() const { return m_question; }
    int selectedDigits() const;

protected:
    void ActivateOptionButton(Panel* button) override;
    TCustomQuestionForm::Setup CustomQuestionSetup() const override;

    void NewQuestion() override;
    bool QuestionFitsOptions() override;
    WorkedProblem SolveQuestion() override;
    void BuildWorkingPanels() override;
    void CheckWorkingPanels() override;
    void WorkingPanelChanged(QWidget* panel) override;
    void RestoreColors() override;
    void ResetWorkingPanels() override;
    void ShowAnswerSteps(const QString& which) override;
    void JumpVertically(QWidget* panel, bool showOnly) override;

private:
    void createQuestionArea();
    void createRemainderArea();
    void createRootArea();
    void createMarks();
    void placeCommonControls();

    int rootDigits() const { return SquareRootRules::rootDigits(selectedDigits()); }
    void showLayout();
    void placeQuestion();
    void updateMirrors();
    void updateWidths();
    void setBoxWidth(const QString& name, int width, bool format = true);
    QList<Panel*> mirrorPanels();

    QWidget* m_rootSign = nullptr;
    Panel* pnlJumpGraphic = nullptr;
    QWidget* imgJump = nullptr;
    QLabel* lblActualAnswer = nullptr;
    QLabel* lblMyRemainder = nullptr;
    QLabel* lblActual = nullptr;
    QList<Panel*> m_boxes;     // pnlWorking0 .. pnlWorking54
    QList<Panel*> m_questions; // pnlQuestion0 .. pnlQuestion7
    QList<QWidget*> m_marks;   // every mark the layouts show or hide

    SquareRootRules::Question m_question;
};
