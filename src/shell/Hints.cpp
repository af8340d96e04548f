#include "shell/Hints.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

namespace {
const char* const HintProperty = "vsmHint";
const char* const HelpContextProperty = "vsmHelpContext";
const char* const NamedByHintProperty = "vsmNamedByHint";

// A button without a caption (an image, a bare check mark) shows no text a
// screen reader could read as its name.
bool showsNoText(const QWidget* control)
{
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    return button && button->text().isEmpty();
}
} // namespace

namespace Hints {

void setHint(QWidget* control, const QString& hint)
{
    if (!control)
        return;
    control->setProperty(HintProperty, hint);
    const QString tip = shortHint(hint);
    control->setToolTip(tip);
    control->setToolTipDuration(tip.isEmpty() ? -1 : 60000);
    // A screen reader reads the long part as the control's description.
    control->setAccessibleDescription(longHint(hint));
    if (showsNoText(control) && (control->accessibleName().isEmpty() || control->property(NamedByHintProperty).toBool())) {
        control->setAccessibleName(tip);
        control->setProperty(NamedByHintProperty, true);
    }
    if (HintRouter::instance().currentControl() == control)
        HintRouter::instance().hintFromControl(control);
}

QString hint(const QWidget* control)
{
    return control ? control->property(HintProperty).toString() : QString();
}

QString effectiveHint(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        const QString h = hint(w);
        if (!h.isEmpty())
            return h;
        if (w->isWindow())
            break;
    }
    return QString();
}

void setHelpContext(QWidget* control, int context)
{
    if (control)
        control->setProperty(HelpContextProperty, context);
}

int helpContext(const QWidget* control)
{
    return control ? control->property(HelpContextProperty).toInt() : 0;
}

} // namespace Hints

HintRouter::HintRouter()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

HintRouter& HintRouter::instance()
{
    static HintRouter* router = new HintRouter; // lives for the whole run
    return *router;
}

void HintRouter::hintFromControl(QWidget* control)
{
    m_control = control;
    setCurrentHint(Hints::effectiveHint(control));
}

void HintRouter::setCurrentHint(const QString& hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit hintChanged(m_hint);
}

bool HintRouter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        if (auto* w = qobject_cast<QWidget*>(watched))
            hintFromControl(w);
        break;
    case QEvent::Leave:
        if (auto* w = qobject_cast<QWidget*>(watched); w && w == m_control)
            hintFromControl(w->isWindow() ? nullptr : w->parentWidget());
        break;
    case QEvent::ToolTip:
        if (auto* w = qobject_cast<QWidget*>(watched))
            emit hintShown(w);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
