#pragma once

#include "basics/BasicsFact.h"

// Doubling drill: one-digit and two-digit numbers.
class TBasicsDoubleForm : public TBasicsFactForm
{
    Q_OBJECT
public:
    explicit TBasicsDoubleForm(QWidget* parent = nullptr);
};
