#include "basics/BasicsDouble.h"

TBasicsDoubleForm::TBasicsDoubleForm(QWidget* parent) : TBasicsFactForm(parent)
{
    setObjectName(QStringLiteral("BasicsDoubleForm"));
    createQuestionPanels(false);
    Panel* options = createOptionsPanel(QStringLiteral("PnlOptions"), drillArea().top() + 8, 2);
    Panel* first = addOption(options, 1, QStringLiteral("pnlOpt1Digit"), QStringLiteral("1-Digit"),
                             QStringLiteral("|For Speed Multiplication:Basic (3,7,8,12), Square (2-, 3-Digit), Square Root."),
                             FactKind::Double1Digit);
    addOption(options, 2, QStringLiteral("pnlOpt2Digit"), QStringLiteral("2-Digit"),
              QStringLiteral("|For Square (2-, 3-Digit), Square Root."), FactKind::Double2Digit);
    FormCreateScreen(ScreenId::Doubling, first);
}
