#include "shell/PanelAccessible.h"

#include <QAccessibleValueChangeEvent>

#include "shell/Hints.h"
#include "shell/Panel.h"

namespace {

QAccessibleInterface* panelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("Panel") && object && object->isWidgetType())
        return new PanelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

bool takesClicks(const Panel* panel)
{
    static const QMetaMethod clicked = QMetaMethod::fromSignal(&Panel::clicked);
    return panel->isSignalConnected(clicked);
}

} // namespace

PanelAccessible::PanelAccessible(QWidget* widget) : QAccessibleWidget(widget)
{
}

void PanelAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(panelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void PanelAccessible::captionChanged(Panel* panel)
{
    // Sent as Qt's own widgets send theirs: the accessibility bridge (or a
    // test's handler) takes them, and without one they cost next to nothing.
    // A box's digits and a drill's question are values: a screen reader
    // speaks their change; a text named by its caption changes its name.
    QAccessibleValueChangeEvent value(panel, panel->caption());
    QAccessible::updateAccessibility(&value);
    if (panel->accessibleName().isEmpty() && Hints::hint(panel).isEmpty()) {
        QAccessibleEvent name(panel, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name);
    }
}

void PanelAccessible::stateChanged(Panel* panel)
{
    QAccessible::State changed;
    changed.checked = true;
    changed.focused = true;
    QAccessibleStateChangeEvent event(panel, changed);
    QAccessible::updateAccessibility(&event);
}

void PanelAccessible::focused(Panel* panel)
{
    QAccessibleEvent event(panel, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void PanelAccessible::alert(Panel* panel)
{
    QAccessibleEvent event(panel, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

Panel* PanelAccessible::panel() const
{
    return static_cast<Panel*>(widget());
}

QAccessible::Role PanelAccessible::role() const
{
    const Panel* p = panel();
    switch (p->kind()) {
    case Panel::Kind::OptionButton:
        return QAccessible::RadioButton;
    case Panel::Kind::Box:
        return QAccessible::EditableText;
    case Panel::Kind::Lamp:
        return QAccessible::Indicator;
    case Panel::Kind::Text:
    case Panel::Kind::Automatic:
        break;
    }
    if (takesClicks(p))
        return QAccessible::Button;
    if (!p->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty())
        return QAccessible::Grouping;
    return QAccessible::StaticText;
}

QAccessible::State PanelAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    const Panel* p = panel();
    if (p->kind() == Panel::Kind::OptionButton) {
        s.checkable = true;
        s.checked = p->isSelected();
    }
    if (p->kind() == Panel::Kind::Box) {
        s.editable = true;
        s.focusable = true;
        s.focused = s.focused || p->isCurrent();
    }
    return s;
}

QString PanelAccessible::text(QAccessible::Text t) const
{
    const Panel* p = panel();
    switch (t) {
    case QAccessible::Name: {
        if (!p->accessibleName().isEmpty())
            return p->accessibleName();
        const QString hint = Hints::shortHint(Hints::hint(p));
        if (!hint.isEmpty())
            return hint;
        return p->caption();
    }
    case QAccessible::Value:
        return p->caption();
    case QAccessible::Description:
        if (!p->accessibleDescription().isEmpty())
            return p->accessibleDescription();
        return Hints::longHint(Hints::hint(p));
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList PanelAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (takesClicks(panel()))
        names.prepend(pressAction());
    return names;
}

void PanelAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && takesClicks(panel())) {
        panel()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}
