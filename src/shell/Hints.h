#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <QWidget>

#include "shell/TextHelpers.h"

// Hints of the controls: "short|long". The short part is the tooltip; the long
// part goes to the status bar of the window that owns the control. A hint
// without "|" is short and long hint alike.
namespace Hints {

void setHint(QWidget* control, const QString& hint);
QString hint(const QWidget* control);

// The hint in force over a control: its own, or the nearest parent's that is
// not empty.
QString effectiveHint(const QWidget* control);

// Help context number of a control (0 = none).
void setHelpContext(QWidget* control, int context);
int helpContext(const QWidget* control);

} // namespace Hints

// The application's current hint: follows the mouse from control to control
// and tells the screens (which show its long part in their status bars).
class HintRouter : public QObject
{
    Q_OBJECT
public:
    static HintRouter& instance();

    QString currentHint() const { return m_hint; }
    QWidget* currentControl() const { return m_control; }
    // Makes the hint of the control the current one (as the mouse does).
    void hintFromControl(QWidget* control);
    // Sets the current hint directly (menus do this).
    void setCurrentHint(const QString& hint);

signals:
    // The current hint changed; screens show its long part.
    void hintChanged(const QString& hint);
    // A tooltip is about to show for a control (the mouse rests on it).
    void hintShown(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintRouter();
    QString m_hint;
    QPointer<QWidget> m_control;
};
