#include "basics/BasicsSubtract.h"

TBasicsSubtractForm::TBasicsSubtractForm(QWidget* parent) : TBasicsFactForm(parent)
{
    setObjectName(QStringLiteral("BasicsSubtractForm"));
    createQuestionPanels(true);
    const int top = drillArea().top() + 8;
    const QString multiplicationHint = QStringLiteral("|For Speed Multiplication:Basic (3,4,8,9).");
    const QString divisionHint = QStringLiteral("|For Speed Division, Square Root.");
    // The stored numbers are not the order on screen: "By 11" came last. The
    // four one-digit options two to a row, so that the column has room
    // below for "Practise my misses".
    Panel* pnlOptions = createOptionsPanel(QStringLiteral("pnlOptions"), top, 2, 2);
    Panel* first = addOption(pnlOptions, 1, QStringLiteral("pnlOptFrom10"), QStringLiteral("From 10"),
                             multiplicationHint, FactKind::SubtractFrom10);
    addOption(pnlOptions, 2, QStringLiteral("pnlOptFrom9"), QStringLiteral("From 9"), multiplicationHint,
              FactKind::SubtractFrom9);
    addOption(pnlOptions, 3, QStringLiteral("pnlOptBy2"), QStringLiteral("By 2"),
              QStringLiteral("|For Speed Multiplication:Basic (3,8)."), FactKind::SubtractBy2);
    addOption(pnlOptions, 6, QStringLiteral("pnlOptBy11"), QStringLiteral("By 11"), QStringLiteral("|For Speed Addition."),
              FactKind::SubtractBy11);
    Panel* pnlOptions2 = createOptionsPanel(QStringLiteral("PnlOptions2"), top + pnlOptions->height() + 8, 2);
    addOption(pnlOptions2, 4, QStringLiteral("pnlOpt21Digit"), QStringLiteral("2-Digit - 1-Digit"), divisionHint,
              FactKind::Subtract2By1);
    addOption(pnlOptions2, 5, QStringLiteral("pnlOpt22Digit"), QStringLiteral("2-Digit - 2-Digit"), divisionHint,
              FactKind::Subtract2By2);
    FormCreateScreen(ScreenId::Subtraction, first);
}
