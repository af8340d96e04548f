#pragma once

#include "basics/BasicsTable.h"

// Division drill: the whole number of times a digit goes into a number of up
// to two digits, the remainder dropped.
class TBasicsBasicDivisionForm : public TBasicsTableForm
{
    Q_OBJECT
public:
    explicit TBasicsBasicDivisionForm(QWidget* parent = nullptr);
};
