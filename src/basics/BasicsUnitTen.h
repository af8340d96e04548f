#pragma once

#include "basics/BasicsDigitProduct.h"

// Units and tens drill: the unit or the ten of a digit's product, or the
// unit of the left digit's product plus the ten of the right digit's.
class TBasicsUnitTenForm : public TBasicsDigitProductForm
{
    Q_OBJECT
public:
    explicit TBasicsUnitTenForm(QWidget* parent = nullptr);

protected:
    UnitTenAsk ask() const override;
    // Under the option that mixes "U" and "T" the part drawn shows with the
    // question.
    void ShowQuestion() override;
    void ShowAnswer() override;
    void ClearAnswer() override;
    void ApplyOption() override;

private:
    QLabel* lblUnitLeft = nullptr;
    QLabel* lblUnitRIght = nullptr;
    QLabel* lblTenLeft = nullptr;
    QLabel* lblTenRight = nullptr;
};
