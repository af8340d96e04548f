#include "basics/BasicsFact.h"

#include <QLabel>

#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

namespace {

const QString OptionsPanelHint = QStringLiteral("|Options Panel: Click any button on this panel to set the practise option.");
const QString FontFamily = QStringLiteral("Arial");

constexpr int BigFont = 48;
constexpr int OptionHeight = 28;
constexpr int OptionGap = 4;
constexpr int OptionsPadding = 6;

// The question area right of the options column.
constexpr int AreaLeft = 196;
constexpr int AreaWidth = 580 - AreaLeft;
constexpr int BoxHeight = 64;

Panel* bigPanel(QWidget* parent, const QString& name, const QString& hint, const QColor& colour)
{
    auto* panel = new Panel(parent, name);
    panel->setFontSpec(FontFamily, BigFont, true);
    panel->setBevelOuter(Panel::Bevel::Lowered);
    panel->setColor(colour);
    Hints::setHint(panel, hint);
    return panel;
}

} // namespace

TBasicsFactForm::TBasicsFactForm(QWidget* parent)
    : TBasicsBaseForm(parent), m_source(std::make_unique<RandomFactQuestions>())
{
}

void TBasicsFactForm::setQuestionSource(std::unique_ptr<FactQuestionSource> source)
{
    if (source)
        m_source = std::move(source);
}

FactKind TBasicsFactForm::currentKind() const
{
    for (const Option& option : m_options) {
        if (option.button == CurrentOption)
            return option.kind;
    }
    return m_singleKind;
}

void TBasicsFactForm::createQuestionPanels(bool twoOperands, bool withOptions)
{
    const QRect area = drillArea();
    pnlQuestion1 = bigPanel(this, QStringLiteral("pnlQuestion1"), QStringLiteral("Question|"), SysColors::Lime);
    pnlAnswer = bigPanel(this, QStringLiteral("pnlAnswer"), QStringLiteral("Answer|"), SysColors::window());
    lblEqual = new QLabel(QStringLiteral("="), this);
    lblEqual->setObjectName(QStringLiteral("lblEqual"));
    QFont equalFont(FontFamily);
    equalFont.setPixelSize(BigFont);
    equalFont.setBold(true);
    lblEqual->setFont(equalFont);
    lblEqual->setAlignment(Qt::AlignCenter);

    if (twoOperands) {
        // A written sum: the operands in a column, "=" and the answer below.
        pnlQuestion2 = bigPanel(this, QStringLiteral("pnlQuestion2"), QStringLiteral("Question|"), SysColors::Lime);
        constexpr int width = 136;
        const int column = AreaLeft + (AreaWidth - width) / 2;
        const int top = area.top() + 10;
        pnlQuestion1->setGeometry(column, top, width, BoxHeight);
        pnlQuestion2->setGeometry(column, top + BoxHeight + 8, width, BoxHeight);
        lblEqual->setGeometry(column - 56, top + 2 * (BoxHeight + 8), 50, BoxHeight);
        pnlAnswer->setGeometry(column, top + 2 * (BoxHeight + 8), width, BoxHeight);
        return;
    }
    // One operand: question, "=" and answer in a row, centred right of the
    // options or on the whole form.
    constexpr int questionWidth = 100;
    constexpr int equalWidth = 50;
    constexpr int answerWidth = 150;
    constexpr int gap = 4;
    constexpr int rowWidth = questionWidth + equalWidth + answerWidth + 2 * gap;
    const int regionLeft = withOptions ? AreaLeft : OptionsLeft;
    const int left = regionLeft + (AreaLeft + AreaWidth - regionLeft - rowWidth) / 2;
    const int top = area.top() + (area.height() - BoxHeight) / 2;
    pnlQuestion1->setGeometry(left, top, questionWidth, BoxHeight);
    lblEqual->setGeometry(left + questionWidth + gap, top, equalWidth, BoxHeight);
    pnlAnswer->setGeometry(left + questionWidth + equalWidth + 2 * gap, top, answerWidth, BoxHeight);
}

Panel* TBasicsFactForm::createOptionsPanel(const QString& name, int top, int count)
{
    auto* panel = new Panel(this, name);
    panel->setGeometry(OptionsLeft, top, OptionsWidth, 2 * OptionsPadding + count * OptionHeight + (count - 1) * OptionGap);
    Hints::setHint(panel, OptionsPanelHint);
    m_optionPanels.append(panel);
    return panel;
}

Panel* TBasicsFactForm::addOption(Panel* optionsPanel, int number, const QString& name, const QString& caption,
                                  const QString& hint, FactKind kind)
{
    int row = 0;
    for (const Option& option : m_options)
        row += option.button->parentWidget() == optionsPanel ? 1 : 0;
    auto* button = new Panel(optionsPanel, name);
    button->setGeometry(OptionsPadding, OptionsPadding + row * (OptionHeight + OptionGap),
                        OptionsWidth - 2 * OptionsPadding, OptionHeight);
    button->setCaption(caption);
    button->setFontSpec(FontFamily, 13, true);
    button->setCursor(Qt::PointingHandCursor);
    styleOptionButton(button, false);
    Hints::setHint(button, hint);
    connect(button, &Panel::clicked, this, [this, button] { ActivateOptionButton(button); });
    m_options.append({number, button, kind});
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

void TBasicsFactForm::NewQuestion()
{
    m_question = m_source->next(currentKind());
}

void TBasicsFactForm::ShowQuestion()
{
    pnlQuestion1->setCaption(FactDrillRules::firstText(m_question));
    if (pnlQuestion2)
        pnlQuestion2->setCaption(FactDrillRules::secondText(currentKind(), m_question));
}

void TBasicsFactForm::ClearQuestion()
{
    pnlQuestion1->setCaption(QString());
    if (pnlQuestion2)
        pnlQuestion2->setCaption(QString());
}

void TBasicsFactForm::ShowAnswer()
{
    pnlAnswer->setCaption(FactDrillRules::answerText(currentKind(), m_question));
}

void TBasicsFactForm::ClearAnswer()
{
    pnlAnswer->setCaption(QString());
}

void TBasicsFactForm::ApplyOption()
{
    const FactDomain domain = FactDrillRules::domain(currentKind());
    auto mark = [](Panel* panel, bool fixed, int value) {
        if (!panel)
            return;
        panel->setColor(fixed ? SysColors::buttonFace() : SysColors::Lime);
        if (fixed)
            panel->setCaption(QString::number(value));
    };
    mark(pnlQuestion1, domain.firstFixed(), domain.firstLow);
    mark(pnlQuestion2, domain.secondFixed(), domain.secondLow);
}

void TBasicsFactForm::HideOptionPanels()
{
    for (Panel* panel : m_optionPanels)
        panel->hide();
}

void TBasicsFactForm::ShowOptionPanels()
{
    for (Panel* panel : m_optionPanels)
        panel->show();
}

int TBasicsFactForm::GetOptionIndex() const
{
    for (const Option& option : m_options) {
        if (option.button == CurrentOption)
            return option.number;
    }
    return 1;
}

Panel* TBasicsFactForm::GetOptionButton(int index) const
{
    for (const Option& option : m_options) {
        if (option.number == index)
            return option.button;
    }
    return nullptr;
}
