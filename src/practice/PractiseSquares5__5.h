#pragma once

#include <QList>

#include "basics/BaseBasics.h"

class Panel;
class QLabel;

// The squares of numbers with a 5 ("5 ?": 51..59, "? 5": 15..95), flashed
// on the flash drill engine: the number with a small 2 beside it, then its
// square after the answer delay, which here goes up to 9 s.
class TPractiseSquares5__5Form : public TBasicsBaseForm
{
    Q_OBJECT
public:
    static constexpr int AnswerPositionMax = 60;

    explicit TPractiseSquares5__5Form(QWidget* parent = nullptr);

    // The number on screen (or last shown); 0 before the first.
    int number() const { return m_number; }

protected:
    void NewQuestion() override;
    void ShowQuestion() override;
    void ClearQuestion() override;
    void ShowAnswer() override;
    void ClearAnswer() override;
    void ApplyOption() override {}
    void HideOptionPanels() override;
    void ShowOptionPanels() override;
    int GetOptionIndex() const override;
    Panel* GetOptionButton(int index) const override;
    // The facts are the option's nine numbers.
    QStringList ReviewFacts() override;
    void PoseFact(int index) override;
    QString FactKey() const override;

private:
    Panel* pnlQuestion1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblEqual = nullptr;
    Panel* pnlAnswer = nullptr;
    Panel* PnlOptions = nullptr;
    QList<Panel*> m_options; // "5 ?", "? 5"
    int m_number = 0;
};
