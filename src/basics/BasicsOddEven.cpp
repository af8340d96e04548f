#include "basics/BasicsOddEven.h"

TBasicsOddEvenForm::TBasicsOddEvenForm(QWidget* parent) : TBasicsFactForm(parent)
{
    setObjectName(QStringLiteral("BasicsOddEvenForm"));
    createQuestionPanels(false, false);
    setSingleKind(FactKind::OddEven, QStringLiteral("|For Speed Multiplication:Basic (3,4,5,6,7)."));
    FormCreateScreen(ScreenId::OddsEvens, nullptr);
}
