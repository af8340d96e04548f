#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

class QKeyEvent;
class QMdiSubWindow;

// Base of every window that opens inside the main window: the screens, the
// dialogs of the shell and the report windows. It closes as a whole (the
// frame too), refuses to close while a screen is practising, frees itself
// when it closes and then tells the main window (formClosed), which gives its
// menus back. It can see
// every key before its controls do (key preview), and F1 opens the help
// topic of its help context (the help's contents when it has none).
class ChildForm : public QWidget
{
    Q_OBJECT
public:
    explicit ChildForm(QWidget* parent = nullptr);
    ~ChildForm() override;

    // Window caption (the frame's title).
    void setCaption(const QString& caption);
    QString caption() const;

    // Fixes the client area size.
    void setClientSize(int width, int height);
    // A window laid out at fixed places keeps the font its places were
    // measured for (Arial at a pixel size), whatever font and size the
    // desktop gives the application: with a large desktop font its texts
    // would not fit their places.
    void keepLayoutFont(int pixelSize);

    // Asks the window to close, as its close box does. True when it closed.
    bool closeForm();
    // Closes the window as closeForm() does, also while a screen is
    // practising, because the program ends (the desktop session ends, or the
    // process is told to end): the question or problem under way is given up
    // uncounted, and the screen saves what it has counted so far.
    bool closeForSessionEnd();

    // The frame of this form inside the main window, or nullptr.
    QMdiSubWindow* subWindow() const;

    // Title bar buttons of the frame: the close box (and system menu) or none.
    bool hasCloseBox() const { return m_closeBox; }
    void setCloseBox(bool closeBox) { m_closeBox = closeBox; }

    // When set, previewKeyPress/previewKeyRelease see every key of the form's
    // controls first.
    void setKeyPreview(bool on) { m_keyPreview = on; }
    bool keyPreview() const { return m_keyPreview; }

    // True once the window has really closed (it is about to be freed).
    bool isClosed() const { return m_closed; }

signals:
    // The window has closed for good (after formClose, before it is freed).
    void formClosed();
    // The window wants the main window usable again (a screen at STOP).
    void mainWindowWanted();

protected:
    // May the window close? Default: refused while a screen is practising,
    // with a beep and the message "Unable to close while practising! Press
    // STOP first.".
    virtual bool canClose();
    // The window closes (save what must be saved here).
    virtual void formClose() {}
    // Key preview handlers: return true when the key is consumed.
    virtual bool previewKeyPress(QKeyEvent*) { return false; }
    virtual bool previewKeyRelease(QKeyEvent*) { return false; }
    // The control the key being previewed was sent to.
    QWidget* previewTarget() const { return m_lastKey.target; }

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool isPropagation(QWidget* target, QEvent* event) const;
    static bool isContextMenuKey(const QKeyEvent* key);

    struct LastKey {
        const QEvent* event = nullptr;
        QPointer<QWidget> target;
        QEvent::Type type = QEvent::None;
        int key = 0;
        quint64 timestamp = 0;
    };
    LastKey m_lastKey;
    bool m_closed = false;
    bool m_sessionEnd = false;
    bool m_closeBox = true;
    bool m_keyPreview = false;
};
