#include "basics/BasicsOptionForm.h"

#include "shell/Hints.h"
#include "shell/Panel.h"

namespace {

const QString OptionsPanelHint = QStringLiteral("|Options Panel: Click any button on this panel to set the practise option.");

constexpr int OptionHeight = 28;
constexpr int OptionGap = 4;
constexpr int OptionsPadding = 6;

} // namespace

Panel* TBasicsOptionForm::createOptionsPanel(const QString& name, int top, int rows, int columns)
{
    auto* panel = new Panel(this, name);
    panel->setGeometry(OptionsLeft, top, OptionsWidth, 2 * OptionsPadding + rows * OptionHeight + (rows - 1) * OptionGap);
    Hints::setHint(panel, OptionsPanelHint);
    m_frames.append({panel, qMax(1, columns), 0});
    return panel;
}

Panel* TBasicsOptionForm::addOption(Panel* frame, int number, const QString& name, const QString& caption,
                                    const QString& hint, bool wide)
{
    Q_ASSERT_X(SectionName.isEmpty(), "addOption", "option buttons come before FormCreateScreen, which selects the stored one");
    Frame* place = nullptr;
    for (Frame& f : m_frames) {
        if (f.panel == frame)
            place = &f;
    }
    if (!place)
        return nullptr;
    const int columns = place->columns;
    if (wide && place->cell % columns != 0)
        place->cell += columns - place->cell % columns; // a wide button starts a row
    const int row = place->cell / columns;
    const int column = place->cell % columns;
    const int inner = OptionsWidth - 2 * OptionsPadding;
    const int cellWidth = (inner - (columns - 1) * OptionGap) / columns;
    place->cell += wide ? columns : 1;

    auto* button = new Panel(frame, name);
    button->setGeometry(OptionsPadding + column * (cellWidth + OptionGap), OptionsPadding + row * (OptionHeight + OptionGap),
                        wide ? inner : cellWidth, OptionHeight);
    button->setCaption(caption);
    button->setFontSpec(QStringLiteral("Arial"), 13, true);
    button->setCursor(Qt::PointingHandCursor);
    styleOptionButton(button, false);
    button->setOptionGroup(this); // the buttons of every frame are one group
    Hints::setHint(button, hint);
    connect(button, &Panel::clicked, this, [this, button] { ActivateOptionButton(button); });
    m_options.append({number, button});
    return button;
}

void TBasicsOptionForm::HideOptionPanels()
{
    for (const Frame& frame : m_frames)
        frame.panel->hide();
}

void TBasicsOptionForm::ShowOptionPanels()
{
    for (const Frame& frame : m_frames)
        frame.panel->show();
}

int TBasicsOptionForm::GetOptionIndex() const
{
    for (const Option& option : m_options) {
        if (option.button == CurrentOption)
            return option.number;
    }
    return 1;
}

Panel* TBasicsOptionForm::GetOptionButton(int index) const
{
    for (const Option& option : m_options) {
        if (option.number == index)
            return option.button;
    }
    return nullptr;
}
