#include "shell/PanelAccessible.h"

#include <QAccessibleValueChangeEvent>

#include "shell/Hints.h"
#include "shell/Panel.h"

namespace {

PanelAccessible::Listener g_listener = nullptr;

// "pnlWorking12" -> "Working 12": the component name without its type
// prefix, its words and number apart.
QString nameFromComponent(const QString& objectName)
{
    qsizetype start = 0;
    while (start < objectName.size() && objectName.at(start).isLower())
        ++start;
    QString words;
    for (qsizetype i = start; i < objectName.size(); ++i) {
        const QChar c = objectName.at(i);
        const QChar before = i > start ? objectName.at(i - 1) : QChar();
        if (i > start && ((c.isUpper() && !before.isUpper()) || (c.isDigit() && !before.isDigit())))
            words += QLatin1Char(' ');
        words += c;
    }
    return words;
}

QAccessibleInterface* panelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("Panel") && object && object->isWidgetType())
        return new PanelAccessible(static_cast<QWidget*>(object));
    return nullptr;
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

void PanelAccessible::setListener(Listener listener)
{
    g_listener = listener;
}

void PanelAccessible::send(QAccessibleEvent& event)
{
    if (g_listener)
        g_listener(&event);
    QAccessible::updateAccessibility(&event);
}

void PanelAccessible::captionChanged(Panel* panel)
{
    // Sent as Qt's own widgets send theirs: the accessibility bridge (or a
    // test's handler) takes them, and without one they cost next to nothing.
    // A box's digits and a drill's question are values: a screen reader
    // speaks their change; a text named by its caption changes its name.
    QAccessibleValueChangeEvent value(panel, panel->caption());
    send(value);
    if (panel->accessibleName().isEmpty() && Hints::hint(panel).isEmpty()) {
        QAccessibleEvent name(panel, QAccessible::NameChanged);
        send(name);
    }
}

void PanelAccessible::stateChanged(Panel* panel)
{
    QAccessible::State changed;
    changed.checked = true;
    changed.focused = true;
    QAccessibleStateChangeEvent event(panel, changed);
    send(event);
}

void PanelAccessible::focused(Panel* panel)
{
    QAccessibleEvent event(panel, QAccessible::Focus);
    send(event);
}

void PanelAccessible::alert(Panel* panel)
{
    QAccessibleEvent event(panel, QAccessible::Alert);
    send(event);
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
    if (p->takesClicks())
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
        // A radio button is named by the label it shows.
        if (p->kind() == Panel::Kind::OptionButton && !p->caption().isEmpty())
            return p->caption();
        // A box's hint is its step (which may give the digit away): the box
        // is named by its place.
        const QString hint = Hints::shortHint(Hints::hint(p));
        if (!hint.isEmpty() && p->kind() != Panel::Kind::Box)
            return hint;
        const QString place = nameFromComponent(p->objectName());
        if (!place.isEmpty() && (p->kind() == Panel::Kind::Box || !p->caption().isEmpty()))
            return place;
        return p->caption();
    }
    case QAccessible::Value:
        return p->caption();
    case QAccessible::Description:
        if (p->kind() == Panel::Kind::Box) {
            // The step hint, while the learner sees it ("Show Hint").
            if (p->toolTip().isEmpty())
                return QString();
            const QString hint = Hints::hint(p);
            const QString more = Hints::longHint(hint);
            return more.isEmpty() ? Hints::shortHint(hint) : Hints::shortHint(hint) + QStringLiteral(": ") + more;
        }
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
    if (panel()->takesClicks())
        names.prepend(pressAction());
    return names;
}

void PanelAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && panel()->takesClicks()) {
        panel()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}
