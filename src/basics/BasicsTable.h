#pragma once

#include <QList>

#include <functional>

#include "basics/BasicsOptionForm.h"
#include "basics/TableDrillRules.h"

class QLabel;

// What the multiplication and division drills share: first operand, sign,
// second operand, "=" and the answer in a row; the options "Random" and one
// button per multiplier or divisor, whose number it is stored as. A drill
// builds them in its constructor and ends it with FormCreateScreen().
class TBasicsTableForm : public TBasicsSourcedForm<TableQuestion, TableAsk>
{
    Q_OBJECT
protected:
    // The panels, with the widths of the operands and of the answer, and the
    // sign label's name and text.
    struct Layout {
        int firstWidth;
        QString signName;
        QString sign;
        int secondWidth;
        int answerWidth;
        QString firstHint;
        QString secondHint;
    };
    TBasicsTableForm(TableOperation operation, const Layout& layout, QWidget* parent = nullptr);

    // "Random" (stored as 1) and a button per fixed number, stored as it,
    // each with the hint hintOf gives. Returns "Random".
    Panel* createOptions(const QString& randomHint, const QList<int>& numbers, const std::function<QString(int)>& hintOf);

    TableAsk ask() const override;
    void ShowQuestion() override;
    void ClearQuestion() override;
    void ShowAnswer() override;
    void ClearAnswer() override;
    // A fixed multiplier or divisor shows at once in button-face colour.
    void ApplyOption() override;

    Panel* pnlQuestion1 = nullptr;
    QLabel* lblSign = nullptr;
    Panel* pnlQuestion2 = nullptr;
    QLabel* lblEqual = nullptr;
    Panel* pnlAnswer = nullptr;

private:
    TableOperation m_operation;
};
