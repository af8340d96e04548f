#include "basics/BasicsUnitTen.h"

#include <QLabel>

#include "basics/BasicsHelp.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

namespace {

enum Option { Random = 1, Unit = 2, Ten = 3, UnitTen = 4 };

} // namespace

TBasicsUnitTenForm::TBasicsUnitTenForm(QWidget* parent) : TBasicsDigitProductForm(parent)
{
    setObjectName(QStringLiteral("BasicsUnitTenForm"));
    createDigitRow({QStringLiteral("pnlQuestion0"), QStringLiteral("pnlQuestion1"), QStringLiteral("lblOperator"),
                    QStringLiteral("pnlQuestion2")},
                   QStringLiteral("?"), 80);
    createLetters(QStringLiteral("pnlUT"), QStringLiteral("lblU"), QStringLiteral("U"),
                  QStringLiteral("|Click this checkbox to hide or show \"U\" , \"T\""), BasicsHelp::HideUnitTenMarks);
    // For a = 2, b = 6, m = 5 it reads 1 [0 + 3] 0.
    const QList<QLabel*> products = createProductRow(
        QStringLiteral("pnlUnitTenAnswer"),
        {{QStringLiteral("lblUnitLeft"), QString(), 16}, {QStringLiteral("lblLeftBracket"), QStringLiteral("["), 12},
         {QStringLiteral("lblUnitRIght"), QString(), 16}, {QStringLiteral("Label1"), QStringLiteral("+"), 22},
         {QStringLiteral("lblTenLeft"), QString(), 16}, {QStringLiteral("lblRightBracket"), QStringLiteral("]"), 12},
         {QStringLiteral("lblTenRight"), QString(), 16}});
    lblUnitLeft = products[0];
    lblUnitRIght = products[2];
    lblTenLeft = products[4];
    lblTenRight = products[6];
    pnlProducts->hide();

    Panel* options = createOptionsPanel(QStringLiteral("pnlOptions"), drillArea().top() + 8, 4);
    const QString hint = QStringLiteral("|For Speed Multiplication (Two-finger Method), Speed Division.");
    Panel* first = addOption(options, Random, QStringLiteral("pnlOptRandom"), QStringLiteral("Random (Unit or Ten)"), hint);
    addOption(options, Unit, QStringLiteral("pnlOptUnit"), QStringLiteral("Unit"), hint);
    addOption(options, Ten, QStringLiteral("pnlOptTen"), QStringLiteral("Ten"), hint);
    addOption(options, UnitTen, QStringLiteral("pnlOptUnitTen"), QStringLiteral("Unit-Ten"), hint);
    FormCreateScreen(ScreenId::UnitsTens, first);
}

UnitTenAsk TBasicsUnitTenForm::ask() const
{
    switch (GetOptionIndex()) {
    case Unit: return {UnitTenPart::Unit};
    case Ten: return {UnitTenPart::Ten};
    case UnitTen: return {UnitTenPart::UnitTen};
    default: return {UnitTenPart::Unit, true};
    }
}

void TBasicsUnitTenForm::ShowQuestion()
{
    TBasicsDigitProductForm::ShowQuestion();
    lblPart->setText(UnitTenRules::caption(question().part));
}

void TBasicsUnitTenForm::ShowAnswer()
{
    TBasicsDigitProductForm::ShowAnswer();
    const UnitTenQuestion& q = question();
    lblUnitLeft->setText(QString::number(UnitTenRules::tenOf(q.a, q.m)));
    lblUnitRIght->setText(QString::number(UnitTenRules::unitOf(q.a, q.m)));
    lblTenLeft->setText(QString::number(UnitTenRules::tenOf(q.b, q.m)));
    lblTenRight->setText(QString::number(UnitTenRules::unitOf(q.b, q.m)));
}

void TBasicsUnitTenForm::ClearAnswer()
{
    TBasicsDigitProductForm::ClearAnswer();
    for (QLabel* label : {lblUnitLeft, lblUnitRIght, lblTenLeft, lblTenRight})
        label->clear();
}

void TBasicsUnitTenForm::ApplyOption()
{
    const int option = GetOptionIndex();
    const UnitTenAsk asked = ask();
    lblPart->setText(option == Random ? QStringLiteral("?") : UnitTenRules::caption(asked.part));
    Hints::setHint(lblPart, option == Random ? QStringLiteral("This will change to U or T randomly\rfrom one question to the next question.")
                                             : QString());
    const bool unitTen = option == UnitTen;
    pnlLeft->setColor(unitTen ? SysColors::Lime : SysColors::Grey);
    pnlLetters->setVisible(unitTen);
    pnlProducts->setVisible(unitTen);
}
