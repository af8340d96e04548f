#include "basics/BasicsAdd.h"

TBasicsAddForm::TBasicsAddForm(QWidget* parent) : TBasicsFactForm(parent)
{
    setObjectName(QStringLiteral("BasicsAddForm"));
    createQuestionPanels(true);
    const int top = drillArea().top() + 8;
    Panel* pnlOptions = createOptionsPanel(QStringLiteral("pnlOptions"), top, 2);
    Panel* first = addOption(pnlOptions, 1, QStringLiteral("pnlOptRandom"), QStringLiteral("Basic"),
                             QStringLiteral("|For all speed math skills: Small number (less than 20) + 1-digit number."),
                             FactKind::AddBasic);
    addOption(pnlOptions, 2, QStringLiteral("pnlOptBy5"), QStringLiteral("By 5"),
              QStringLiteral("|For Speed Multiplication:Basic (3,4,5,6,7)."), FactKind::AddBy5);
    Panel* pnlOptions2 = createOptionsPanel(QStringLiteral("PnlOptions2"), top + pnlOptions->height() + 8, 2);
    addOption(pnlOptions2, 3, QStringLiteral("pnlOpt21Digit"), QStringLiteral("2-Digit + 1-Digit"),
              QStringLiteral("|For Speed Multiplication (All), Speed Division, Square, Square Root. "), FactKind::Add2By1);
    addOption(pnlOptions2, 4, QStringLiteral("pnlOpt22Digit"), QStringLiteral("2-Digit + 2-Digit"),
              QStringLiteral("|For Speed Multiplication (Direct Method), Speed Division, Square (3-Digit)."),
              FactKind::Add2By2);
    FormCreateScreen(ScreenId::Addition, first);
}
