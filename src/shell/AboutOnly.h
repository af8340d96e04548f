#pragma once

#include "shell/ChildForm.h"

class QLabel;
class QPlainTextEdit;
class QTimer;

// Help > "About...": where the program found its sounds, its help and the
// learners' files, then the dedication and the credits. It closes by itself
// after ten seconds, or at a click on an image, the notice or the form.
class TAboutOnlyBox : public ChildForm
{
    Q_OBJECT
public:
    explicit TAboutOnlyBox(QWidget* parent = nullptr);

    // The memo text as built at creation (lines end in "\r\n").
    static QString fileDataText(const QString& designText);
    // The dedication and credits that follow the folders.
    static QString designText();
    // The folder part of a path: up to and including its last separator.
    static QString folderPart(const QString& path);

    // Timer1 ran out: close.
    void Timer1Timer();
    QTimer* timer() const { return Timer1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* imgBrindleCove = nullptr;
    QLabel* imgQVL = nullptr;
    QLabel* lblNotice = nullptr;
    QPlainTextEdit* mmoFileData = nullptr;
    QTimer* Timer1 = nullptr;
};
