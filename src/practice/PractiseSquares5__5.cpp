#include "practice/PractiseSquares5__5.h"

#include <QLabel>
#include <QSlider>

#include "basics/DrillWidgets.h"
#include "practice/QuestionSource.h"
#include "practice/Squares5Rules.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

namespace {

const QString OptionsPanelHint =
    QStringLiteral("|Options Panel: Click any button on this panel to set the practise option.");

// The row of number, exponent, "=" and square, centred right of the options.
constexpr int OptionsLeft = 8;
constexpr int OptionsWidth = 180;
constexpr int QuestionSize = 81;
constexpr int AnswerWidth = 170;
constexpr int RowLeft = 232;
constexpr int RowTop = 92;

} // namespace

using DrillWidgets::bigLabel;
using DrillWidgets::bigPanel;

TPractiseSquares5__5Form::TPractiseSquares5__5Form(QWidget* parent) : TBasicsBaseForm(parent)
{
    setObjectName(QStringLiteral("PractiseSquares5__5Form"));
    trkbrAnswer->setMaximum(AnswerPositionMax);

    pnlQuestion1 = bigPanel(this, QStringLiteral("pnlQuestion1"), QStringLiteral("Question|"), SysColors::Lime);
    pnlQuestion1->setGeometry(RowLeft, RowTop, QuestionSize, QuestionSize);
    Label1 = bigLabel(this, QStringLiteral("Label1"), QStringLiteral("2"), 32);
    Label1->setGeometry(RowLeft + QuestionSize + 2, RowTop - 12, 26, 40);
    lblEqual = bigLabel(this, QStringLiteral("lblEqual"), QStringLiteral("="), 48);
    lblEqual->setGeometry(RowLeft + QuestionSize + 30, RowTop, 50, QuestionSize);
    pnlAnswer = bigPanel(this, QStringLiteral("pnlAnswer"), QStringLiteral("Answer|"), SysColors::window());
    pnlAnswer->setGeometry(RowLeft + QuestionSize + 84, RowTop, AnswerWidth, QuestionSize);

    PnlOptions = new Panel(this, QStringLiteral("PnlOptions"));
    PnlOptions->setGeometry(OptionsLeft, RowTop + 6, OptionsWidth, 72);
    Hints::setHint(PnlOptions, OptionsPanelHint);
    int row = 0;
    for (const Squares5Rules::Option& o : Squares5Rules::options()) {
        auto* button = new Panel(PnlOptions, o.button);
        button->setGeometry(6, 6 + row++ * 32, OptionsWidth - 12, 28);
        button->setCaption(o.caption);
        button->setFontSpec(QStringLiteral("Arial"), 13, true);
        button->setCursor(Qt::PointingHandCursor);
        styleOptionButton(button, false);
        Hints::setHint(button, o.hint);
        connect(button, &Panel::clicked, this, [this, button] { ActivateOptionButton(button); });
        m_options << button;
    }
    FormCreateScreen(ScreenId::Squares5, m_options.first());
}

void TPractiseSquares5__5Form::NewQuestion()
{
    const int option = GetOptionIndex();
    const int posed = Squares5Rules::parse(QuestionSource::takePosed(Squares5Rules::sourceName()), option);
    m_number = posed ? posed : Squares5Rules::draw(QuestionSource::generator(), option, m_number);
}

void TPractiseSquares5__5Form::ShowQuestion()
{
    pnlQuestion1->setCaption(QString::number(m_number));
}

void TPractiseSquares5__5Form::ClearQuestion()
{
    pnlQuestion1->setCaption(QString());
}

void TPractiseSquares5__5Form::ShowAnswer()
{
    pnlAnswer->setCaption(m_number ? QString::number(Squares5Rules::square(m_number)) : QString());
}

void TPractiseSquares5__5Form::ClearAnswer()
{
    pnlAnswer->setCaption(QString());
}

void TPractiseSquares5__5Form::HideOptionPanels()
{
    PnlOptions->hide();
}

void TPractiseSquares5__5Form::ShowOptionPanels()
{
    PnlOptions->show();
}

QStringList TPractiseSquares5__5Form::ReviewFacts()
{
    QStringList keys;
    for (int n : Squares5Rules::numbers(GetOptionIndex()))
        keys << Squares5Rules::factKey(n);
    return keys;
}

void TPractiseSquares5__5Form::PoseFact(int index)
{
    m_number = Squares5Rules::numbers(GetOptionIndex()).value(index, m_number);
}

QString TPractiseSquares5__5Form::FactKey() const
{
    return Squares5Rules::factKey(m_number);
}

int TPractiseSquares5__5Form::GetOptionIndex() const
{
    return CurrentOption == m_options.at(1) ? 2 : 1;
}

Panel* TPractiseSquares5__5Form::GetOptionButton(int index) const
{
    return index == 1 || index == 2 ? m_options.at(index - 1) : nullptr;
}
