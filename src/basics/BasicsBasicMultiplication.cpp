#include "basics/BasicsBasicMultiplication.h"

namespace {

QString multiplierHint(int n)
{
    if (n <= 5)
        return QStringLiteral("|For UT, NT, Speed Multiplication (Direct Method), Square (All), Square Root.");
    if (n <= 9)
        return QStringLiteral("|For UT, NT, Square (All), Square Root.");
    if (n == 10)
        return QStringLiteral("|For Square Root.");
    return QStringLiteral("|This skill not directly used here, but included to improve your multiplication skills.");
}

} // namespace

TBasicsBasicMultiplicationForm::TBasicsBasicMultiplicationForm(QWidget* parent)
    : TBasicsTableForm(TableOperation::Multiply,
                       {64, QStringLiteral("lblXSymbol"), QStringLiteral("\u00D7"), 88, 120, QStringLiteral("Multiplicand|"),
                        QStringLiteral("Multiplier|")},
                       parent)
{
    setObjectName(QStringLiteral("BasicsBasicMultiplicationForm"));
    // There is no button 2: the numbers stored are 1 and 3..12.
    Panel* first = createOptions(QStringLiteral("|Generates numbers randomly for you to multiply."),
                                 {3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, multiplierHint);
    FormCreateScreen(ScreenId::Multiplication, first);
}
