#include "basics/BasicsFact.h"

#include <QLabel>

#include "basics/DrillWidgets.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

using DrillWidgets::bigPanel;
using DrillWidgets::BoxHeight;

TBasicsFactForm::TBasicsFactForm(QWidget* parent) : TBasicsSourcedForm(std::make_unique<RandomFactQuestions>(), parent) {}

FactKind TBasicsFactForm::currentKind() const
{
    return m_kinds.value(CurrentOption, m_singleKind);
}

void TBasicsFactForm::createQuestionPanels(bool twoOperands, bool withOptions)
{
    const QRect area = drillArea();
    pnlQuestion1 = bigPanel(this, QStringLiteral("pnlQuestion1"), QStringLiteral("Question|"), SysColors::Lime);
    pnlAnswer = bigPanel(this, QStringLiteral("pnlAnswer"), QStringLiteral("Answer|"), SysColors::window());
    lblEqual = DrillWidgets::bigLabel(this, QStringLiteral("lblEqual"), QStringLiteral("="));

    if (twoOperands) {
        // A written sum: the operands in a column, "=" and the answer below.
        pnlQuestion2 = bigPanel(this, QStringLiteral("pnlQuestion2"), QStringLiteral("Question|"), SysColors::Lime);
        constexpr int width = 136;
        const int column = (DrillWidgets::AreaLeft + DrillWidgets::AreaRight - width) / 2;
        const int top = area.top() + 10;
        pnlQuestion1->setGeometry(column, top, width, BoxHeight);
        pnlQuestion2->setGeometry(column, top + BoxHeight + 8, width, BoxHeight);
        lblEqual->setGeometry(column - 56, top + 2 * (BoxHeight + 8), 50, BoxHeight);
        pnlAnswer->setGeometry(column, top + 2 * (BoxHeight + 8), width, BoxHeight);
        return;
    }
    // One operand: question, "=" and answer in a row, centred right of the
    // options or on the whole form.
    const int top = area.top() + (area.height() - BoxHeight) / 2;
    DrillWidgets::placeRow(withOptions ? DrillWidgets::AreaLeft : OptionsLeft, DrillWidgets::AreaRight, top,
                           {{pnlQuestion1, 100}, {lblEqual, 50}, {pnlAnswer, 150}});
}

Panel* TBasicsFactForm::addOption(Panel* optionsPanel, int number, const QString& name, const QString& caption,
                                  const QString& hint, FactKind kind)
{
    Panel* button = TBasicsOptionForm::addOption(optionsPanel, number, name, caption, hint);
    m_kinds.insert(button, kind);
    return button;
}

void TBasicsFactForm::setSingleKind(FactKind kind, const QString& dummyHint)
{
    m_singleKind = kind;
    auto* dummy = new Panel(this, QStringLiteral("pnlDummyForHint"));
    dummy->setBevelOuter(Panel::Bevel::None);
    const QRect area = drillArea();
    dummy->setGeometry(OptionsLeft, area.top() + 8, OptionsWidth, area.height() - 16);
    dummy->lower();
    Hints::setHint(dummy, dummyHint);
}

void TBasicsFactForm::ShowQuestion()
{
    pnlQuestion1->setCaption(FactDrillRules::firstText(question()));
    if (pnlQuestion2)
        pnlQuestion2->setCaption(FactDrillRules::secondText(currentKind(), question()));
}

void TBasicsFactForm::ClearQuestion()
{
    pnlQuestion1->setCaption(QString());
    if (pnlQuestion2)
        pnlQuestion2->setCaption(QString());
}

void TBasicsFactForm::ShowAnswer()
{
    pnlAnswer->setCaption(FactDrillRules::answerText(currentKind(), question()));
}

void TBasicsFactForm::ClearAnswer()
{
    pnlAnswer->setCaption(QString());
}

void TBasicsFactForm::ApplyOption()
{
    const FactDomain domain = FactDrillRules::domain(currentKind());
    auto fixed = [](bool isFixed, int value) { return isFixed ? std::optional<int>(value) : std::nullopt; };
    DrillWidgets::markOperand(pnlQuestion1, fixed(domain.firstFixed(), domain.firstLow));
    if (pnlQuestion2)
        DrillWidgets::markOperand(pnlQuestion2, fixed(domain.secondFixed(), domain.secondLow));
}
