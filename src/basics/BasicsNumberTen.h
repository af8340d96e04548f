#pragma once

#include "basics/BasicsDigitProduct.h"

// Numbers and tens drill: the whole product of the left digit plus the ten
// of the right digit's product.
class TBasicsNumberTenForm : public TBasicsDigitProductForm
{
    Q_OBJECT
public:
    explicit TBasicsNumberTenForm(QWidget* parent = nullptr);

protected:
    UnitTenAsk ask() const override;
    void ShowAnswer() override;
    void ClearAnswer() override;
    void ApplyOption() override;

private:
    QLabel* lblNumber = nullptr;
    QLabel* lblTenLeft = nullptr;
    QLabel* lblTenRight = nullptr;
};
