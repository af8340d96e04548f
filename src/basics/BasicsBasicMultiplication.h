#pragma once

#include "basics/BasicsTable.h"

// Multiplication table drill: a one-digit number times a drawn one-digit
// multiplier or a fixed one from 3 to 12.
class TBasicsBasicMultiplicationForm : public TBasicsTableForm
{
    Q_OBJECT
public:
    explicit TBasicsBasicMultiplicationForm(QWidget* parent = nullptr);
};
