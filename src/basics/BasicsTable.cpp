#include "basics/BasicsTable.h"

#include <QLabel>

#include "basics/DrillWidgets.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

TBasicsTableForm::TBasicsTableForm(TableOperation operation, const Layout& layout, QWidget* parent)
    : TBasicsSourcedForm(std::make_unique<RandomTableQuestions>(), parent), m_operation(operation)
{
    using DrillWidgets::bigPanel;
    pnlQuestion1 = bigPanel(this, QStringLiteral("pnlQuestion1"), layout.firstHint, SysColors::Lime);
    lblSign = DrillWidgets::bigLabel(this, layout.signName, layout.sign);
    pnlQuestion2 = bigPanel(this, QStringLiteral("pnlQuestion2"), layout.secondHint, SysColors::Lime);
    lblEqual = DrillWidgets::bigLabel(this, QStringLiteral("lblEqual"), QStringLiteral("="));
    pnlAnswer = bigPanel(this, QStringLiteral("pnlAnswer"), QStringLiteral("Answer|"), SysColors::window());
    const QRect area = drillArea();
    DrillWidgets::placeRow(DrillWidgets::AreaLeft, DrillWidgets::AreaRight, area.top() + (area.height() - DrillWidgets::BoxHeight) / 2,
                           {{pnlQuestion1, layout.firstWidth}, {lblSign, 40}, {pnlQuestion2, layout.secondWidth},
                            {lblEqual, 40}, {pnlAnswer, layout.answerWidth}});
}

TableAsk TBasicsTableForm::ask() const
{
    const int option = GetOptionIndex();
    return {m_operation, option == 1 ? 0 : option};
}

Panel* TBasicsTableForm::createOptions(const QString& randomHint, const QList<int>& numbers,
                                       const std::function<QString(int)>& hintOf)
{
    // "Random" across the top, the numbers three to a row (leaving room below
    // for "Practise my misses").
    constexpr int columns = 3;
    const int rows = 1 + (int(numbers.size()) + columns - 1) / columns;
    Panel* options = createOptionsPanel(QStringLiteral("pnlOptions"), drillArea().top() + 8, rows, columns);
    Panel* random = addOption(options, 1, QStringLiteral("pnlOptRandom"), QStringLiteral("Random"), randomHint, true);
    for (int n : numbers)
        addOption(options, n, QStringLiteral("pnlOpt%1").arg(n), QString::number(n), hintOf(n));
    return random;
}

void TBasicsTableForm::ShowQuestion()
{
    pnlQuestion1->setCaption(QString::number(question().first));
    pnlQuestion2->setCaption(QString::number(question().second));
}

void TBasicsTableForm::ClearQuestion()
{
    pnlQuestion1->setCaption(QString());
    pnlQuestion2->setCaption(QString());
}

void TBasicsTableForm::ShowAnswer()
{
    pnlAnswer->setCaption(QString::number(question().answer));
}

void TBasicsTableForm::ClearAnswer()
{
    pnlAnswer->setCaption(QString());
}

void TBasicsTableForm::ApplyOption()
{
    const int fixed = ask().fixed;
    DrillWidgets::markOperand(pnlQuestion2, fixed != 0 ? std::optional<int>(fixed) : std::nullopt);
}
