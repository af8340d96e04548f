#pragma once

#include <QProgressDialog>

#include <functional>

class QPushButton;

// The box that shows how far a long task has come (`ProgressBox`, with the
// button "Cancel", `btnCancel`). It appears only when the task has taken
// about a second and is not nearly done, so a quick task shows nothing; once
// shown it is modal, and each step lets the program repaint and take the
// click on "Cancel" (or Esc). Until then no user input is taken.
class ProgressBox : public QProgressDialog
{
    Q_OBJECT
public:
    ProgressBox(QWidget* parent, const QString& title, const QString& text);

    // permille thousandths of the task are done; false once cancelled.
    bool step(int permille);
    // step() as the callback a task reports to.
    std::function<bool(int)> reporter();

    QPushButton* cancelButton() const { return m_cancel; }

    // How long a task runs before the box may appear (1000 ms; tests set 0).
    static void setShowAfter(int milliseconds);
    static int showAfter();

protected:
    // Esc, as "Cancel".
    void reject() override;

private:
    QPushButton* m_cancel = nullptr;
};
