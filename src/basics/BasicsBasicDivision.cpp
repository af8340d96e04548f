#include "basics/BasicsBasicDivision.h"

TBasicsBasicDivisionForm::TBasicsBasicDivisionForm(QWidget* parent)
    : TBasicsTableForm(TableOperation::Divide,
                       {88, QStringLiteral("Label1"), QStringLiteral("\u00F7"), 64, 96, QStringLiteral("Question|"),
                        QStringLiteral("Question|")},
                       parent)
{
    setObjectName(QStringLiteral("BasicsBasicDivisionForm"));
    Panel* first = createOptions(QStringLiteral("|Generates numbers randomly for you to divide."), {2, 3, 4, 5, 6, 7, 8, 9},
                                 [](int) { return QStringLiteral("|For Speed Division."); });
    FormCreateScreen(ScreenId::Division, first);
}
