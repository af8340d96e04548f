#include "app/WhenShown.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace {

class FirstShownWatcher : public QObject
{
public:
    FirstShownWatcher(QWidget* window, std::function<void()> work, int latestMs)
        : QObject(window), m_work(std::move(work))
    {
        if (!window->isWindow())
            window->installEventFilter(this); // a widget inside a window: its first paint
        else if (QWindow* handle = window->windowHandle())
            handle->installEventFilter(this);
        QTimer::singleShot(latestMs, this, &FirstShownWatcher::run);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool shown = watched->isWidgetType()
                               ? event->type() == QEvent::Paint
                               : event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed();
        if (shown) {
            watched->removeEventFilter(this);
            // The expose or paint is handled after this filter returns; the
            // zero timer comes after that.
            QTimer::singleShot(0, this, &FirstShownWatcher::run);
        }
        return false;
    }

private:
    void run()
    {
        if (!m_work)
            return;
        const std::function<void()> work = std::exchange(m_work, nullptr);
        deleteLater();
        work();
    }

    std::function<void()> m_work;
};

} // namespace

void whenFirstShown(QWidget* window, std::function<void()> work, int latestMs)
{
    new FirstShownWatcher(window, std::move(work), latestMs);
}
