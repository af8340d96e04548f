#include "shell/WhatsThisMenu.h"

#include "shell/Help.h"
#include "shell/Hints.h"

WhatsThisMenu::WhatsThisMenu(QWidget* owner) : QMenu(owner)
{
    setObjectName(QStringLiteral("popupWhatsThis"));
    m_action = addAction(QStringLiteral("What's This?"));
    m_action->setObjectName(QStringLiteral("mnuWhatsThis"));
    connect(m_action, &QAction::triggered, this, [this] {
        QWidget* control = m_component;
        showHelpFor(control);
        emit whatsThisChosen(control);
    });
}

void WhatsThisMenu::attach(QWidget* control)
{
    // Once per control: a second attach would open the menu twice.
    static const char* const AttachedTo = "whatsThisMenu";
    if (!control || control->property(AttachedTo).value<QObject*>() == this)
        return;
    control->setProperty(AttachedTo, QVariant::fromValue<QObject*>(this));
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this, [this, control](const QPoint& pos) {
        popupFor(control, control->mapToGlobal(pos));
    });
}

void WhatsThisMenu::popupFor(QWidget* control, const QPoint& globalPos)
{
    m_component = control;
    popup(globalPos);
}

void WhatsThisMenu::showHelpFor(QWidget* control)
{
    if (control)
        Help::showPopup(Hints::helpContext(control));
}
