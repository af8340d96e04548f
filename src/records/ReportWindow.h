#pragma once

#include "shell/ChildForm.h"
#include "shell/EscapeCloses.h"

class Panel;
class QIcon;
class QPushButton;
class QTextEdit;
class WhatsThisMenu;

// What the two report windows share: a button bar (`pnlButtons`) with
// "Print..." (`bitbtnPrint`) and "&Close" (`BitBtnCancel`), the read-only
// rich-text box `rtfScores` below it (Courier New 10 pt, vertical scroll
// bar), the "What's This?" menu on the buttons, Esc to close and printing
// with the job title "Vandrelsholm Speed Math SCORES <learner>". The window
// can be resized down to 296 x 146; it opens wide enough for a marksheet
// line.
class ReportWindow : public ChildForm
{
    Q_OBJECT
public:
    static constexpr int MinimumWidth = 296;
    static constexpr int MinimumHeight = 146;

    QTextEdit* rtfScores() const { return m_rtfScores; }

    // Runs the print dialog and prints the box; an error shows its text. A
    // print that takes more than about a second shows its progress and can
    // be cancelled.
    void bitbtnPrintClick();
    void BitBtnCancelClick();

    // "Vandrelsholm Speed Math SCORES " + the signed-in learner's name.
    static QString printJobTitle();

    QSize sizeHint() const override;

protected:
    ReportWindow(const QString& name, const QString& caption, QWidget* parent);

    // Adds a button to the bar, before "&Close".
    QPushButton* addButton(const QString& name, const QString& caption, const QString& hint, int helpContext,
                           const QIcon& glyph);
    // Moves the caret to the start of the text.
    void showFromStart();

    bool previewKeyPress(QKeyEvent* event) override;
    bool previewKeyRelease(QKeyEvent* event) override;

private:
    Panel* m_buttons = nullptr;
    QTextEdit* m_rtfScores = nullptr;
    QPushButton* m_cancel = nullptr;
    WhatsThisMenu* m_popup = nullptr;
    EscapeCloses m_escape;
};
