#include "shell/ChildForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>

#include "shell/Help.h"
#include "platform/Dialogs.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/Strings.h"

ChildForm::ChildForm(QWidget* parent) : QWidget(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

ChildForm::~ChildForm()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void ChildForm::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    if (QMdiSubWindow* frame = subWindow())
        frame->setWindowTitle(caption);
}

QString ChildForm::caption() const
{
    return windowTitle();
}

void ChildForm::setClientSize(int width, int height)
{
    setFixedSize(width, height);
    if (QMdiSubWindow* frame = subWindow()) {
        frame->adjustSize();
        frame->setFixedSize(frame->sizeHint());
    }
}

void ChildForm::keepLayoutFont(int pixelSize)
{
    QFont layoutFont(QStringLiteral("Arial"));
    layoutFont.setPixelSize(pixelSize);
    setFont(layoutFont);
}

QMdiSubWindow* ChildForm::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool ChildForm::closeForm()
{
    if (m_closed)
        return true;
    if (QMdiSubWindow* frame = subWindow())
        frame->close();
    else
        close();
    return m_closed;
}

bool ChildForm::canClose()
{
    if (!Globals::Practising)
        return true;
    Dialogs::current().beep();
    Dialogs::current().information(this, Strings::text(Strings::UnableToClose));
    return false;
}

void ChildForm::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!canClose()) {
        event->ignore();
        return;
    }
    m_closed = true;
    formClose();
    event->accept();
    emit formClosed();
    setAttribute(Qt::WA_DeleteOnClose, subWindow() == nullptr);
}

bool ChildForm::eventFilter(QObject* watched, QEvent* event)
{
    if (m_keyPreview && !m_closed
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* target = qobject_cast<QWidget*>(watched);
        if (target && event->type() == QEvent::KeyPress && isContextMenuKey(static_cast<QKeyEvent*>(event))
            && (target == this || isAncestorOf(target)) && !isPropagation(target, event)) {
            // The context-menu key and Shift+F10 open the pop-up menu of the
            // control with the focus, as a right click on it does.
            const QPoint at = target->rect().center();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
            QApplication::sendEvent(target, &menu);
            event->accept();
            return true;
        }
        // The keys an option button answers itself (a radio group's keys).
        const auto* option = qobject_cast<const Panel*>(watched);
        if (option && option->claimsKey(static_cast<QKeyEvent*>(event)->key()))
            target = nullptr;
        if (target && (target == this || isAncestorOf(target)) && !isPropagation(target, event)) {
            m_lastKey = {event, target, event->type(), static_cast<QKeyEvent*>(event)->key()};
            auto* key = static_cast<QKeyEvent*>(event);
            const bool consumed = event->type() == QEvent::KeyPress ? previewKeyPress(key)
                                                                     : previewKeyRelease(key);
            if (consumed) {
                event->accept();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ChildForm::isContextMenuKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Menu
           || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

// An unhandled key travels from the control up through its parents, and the
// application filter sees it at each of them; the form previews it once.
bool ChildForm::isPropagation(QWidget* target, QEvent* event) const
{
    return m_lastKey.event == event && m_lastKey.type == event->type()
           && m_lastKey.key == static_cast<QKeyEvent*>(event)->key() && m_lastKey.target
           && target->isAncestorOf(m_lastKey.target);
}

void ChildForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Help::showTopic(Hints::helpContext(this));
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
