#pragma once

#include <QMenu>
#include <QPointer>

// The "What's This?" pop-up menu of a window (`popupWhatsThis` with the item
// `mnuWhatsThis`): opened by a right click on a control that carries it, it
// shows the pop-up help of that control's help context.
class WhatsThisMenu : public QMenu
{
    Q_OBJECT
public:
    explicit WhatsThisMenu(QWidget* owner);

    // A right click on the control opens this menu for it.
    void attach(QWidget* control);
    // Opens the menu at a screen position for a control.
    void popupFor(QWidget* control, const QPoint& globalPos);

    QWidget* popupComponent() const { return m_component; }
    QAction* whatsThisAction() const { return m_action; }

signals:
    // The item was chosen and the help pop-up of the control's help context
    // has been asked for.
    void whatsThisChosen(QWidget* control);

private:
    void showHelpFor(QWidget* control);

    QAction* m_action = nullptr;
    QPointer<QWidget> m_component;
};
