#pragma once

#include "basics/BasicsFact.h"

class QLabel;

// Halving drill: half of a digit, the remainder dropped.
class TBasicsHalfForm : public TBasicsFactForm
{
    Q_OBJECT
public:
    explicit TBasicsHalfForm(QWidget* parent = nullptr);

private:
    QLabel* Label1 = nullptr;
};
