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

bool ChildForm::closeForSessionEnd()
{
    m_sessionEnd = true;
    return closeForm();
}

bool ChildForm::canClose()
{
    if (!Globals::Practising || m_sessionEnd)
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
            auto* key = static_cast<QKeyEvent*>(event);
            m_lastKey = {event, target, event->type(), key->key(), key->timestamp()};
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
// application filter sees it at each of them; the form previews it once. The
// same event object is what travels, with its time: a later press of the
// same key, delivered from the same place on the stack while the release in
// between went to another window (a pop-up that held the keyboard), has the
// same address but another time.
bool ChildForm::isPropagation(QWidget* target, QEvent* event) const
{
    const auto* key = static_cast<QKeyEvent*>(event);
    return m_lastKey.event == event && m_lastKey.type == event->type() && m_lastKey.key == key->key()
           && m_lastKey.timestamp == key->timestamp() && m_lastKey.target && target->isAncestorOf(m_lastKey.target);
}

void ChildForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        // A window without a topic of its own opens the help's contents.
        if (const int topic = Hints::helpContext(this))
            Help::showTopic(topic);
        else
            Help::showFinder();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
