#pragma once

#include "basics/BasicsFact.h"

// Addition drill: a number below 20 plus a digit, a digit plus 5, and
// two-digit sums.
class TBasicsAddForm : public TBasicsFactForm
{
    Q_OBJECT
public:
    explicit TBasicsAddForm(QWidget* parent = nullptr);
};
