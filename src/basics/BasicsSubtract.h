#pragma once

#include "basics/BasicsFact.h"

// Subtraction drill: from 10, from 9, by 2, by 11 and two-digit differences.
class TBasicsSubtractForm : public TBasicsFactForm
{
    Q_OBJECT
public:
    explicit TBasicsSubtractForm(QWidget* parent = nullptr);
};
