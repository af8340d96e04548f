#pragma once

#include "basics/BasicsFact.h"

// Odds and evens drill: is the digit odd or even?
class TBasicsOddEvenForm : public TBasicsFactForm
{
    Q_OBJECT
public:
    explicit TBasicsOddEvenForm(QWidget* parent = nullptr);
};
