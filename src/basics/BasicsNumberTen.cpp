#include "basics/BasicsNumberTen.h"

#include <QLabel>

#include "basics/BasicsHelp.h"
#include "basics/DrillWidgets.h"
#include "shell/Panel.h"

TBasicsNumberTenForm::TBasicsNumberTenForm(QWidget* parent) : TBasicsDigitProductForm(parent)
{
    setObjectName(QStringLiteral("BasicsNumberTenForm"));
    // The answer reaches two digits: a wider panel.
    createDigitRow({QStringLiteral("pnlQuestion1"), QStringLiteral("pnlQuestion2"), QStringLiteral("Label3"),
                    QStringLiteral("pnlQuestion3")},
                   QStringLiteral("NT"), 96);
    createLetters(QStringLiteral("pnlNT"), QStringLiteral("lblN"), QStringLiteral("N"),
                  QStringLiteral("|Click this checkbox to hide or show \"N\" , \"T\""), BasicsHelp::HideNumberTenMarks);
    // For a = 6, b = 5, m = 2 it reads [12 + 1] 0.
    const QList<QLabel*> products = createProductRow(
        QStringLiteral("pnlNumberTen"),
        {{QStringLiteral("lblLeftBracket"), QStringLiteral("["), 12}, {QStringLiteral("lblNumber"), QString(), 30},
         {QStringLiteral("Label1"), QStringLiteral("+"), 22}, {QStringLiteral("lblTenLeft"), QString(), 16},
         {QStringLiteral("lblRightBracket"), QStringLiteral("]"), 12}, {QStringLiteral("lblTenRight"), QString(), 16}});
    lblNumber = products[1];
    lblTenLeft = products[3];
    lblTenRight = products[5];

    // Random, then the multipliers 2..9 two to a row.
    Panel* options = createOptionsPanel(QStringLiteral("pnlOptions"), drillArea().top() + 8, 5, 2);
    const QString hint = QStringLiteral("|For Speed Division.");
    Panel* first = addOption(options, 1, QStringLiteral("pnlOptRandom"), QStringLiteral("Random"), hint, true);
    for (int m = 2; m <= 9; ++m)
        addOption(options, m, QStringLiteral("pnlOpt%1").arg(m), QString::number(m), hint);
    FormCreateScreen(ScreenId::NumberTens, first);
}

UnitTenAsk TBasicsNumberTenForm::ask() const
{
    const int option = GetOptionIndex();
    return {UnitTenPart::NumberTen, false, option == 1 ? 0 : option};
}

void TBasicsNumberTenForm::ShowAnswer()
{
    TBasicsDigitProductForm::ShowAnswer();
    const UnitTenQuestion& q = question();
    lblNumber->setText(QString::number(q.a * q.m));
    lblTenLeft->setText(QString::number(UnitTenRules::tenOf(q.b, q.m)));
    lblTenRight->setText(QString::number(UnitTenRules::unitOf(q.b, q.m)));
}

void TBasicsNumberTenForm::ClearAnswer()
{
    TBasicsDigitProductForm::ClearAnswer();
    for (QLabel* label : {lblNumber, lblTenLeft, lblTenRight})
        label->clear();
}

void TBasicsNumberTenForm::ApplyOption()
{
    const int fixed = ask().multiplier;
    DrillWidgets::markOperand(pnlMultiplier, fixed != 0 ? std::optional<int>(fixed) : std::nullopt);
}
