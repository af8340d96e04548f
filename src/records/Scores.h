#pragma once

#include "records/ReportWindow.h"

class QTextDocument;
struct MarksheetParagraph;

// The performance report: the signed-in learner's marksheet over all twenty
// screens, which can be printed and saved as a rich-text file.
class TScoresForm : public ReportWindow
{
    Q_OBJECT
public:
    explicit TScoresForm(QWidget* parent = nullptr);

    // Saves the marksheet as RTF where the learner chooses ("Vandrelsholm
    // <learner>" is proposed); an error shows its text and nothing is lost.
    void bitbtnSaveClick();

    // Today's date as the marksheet shows it (the system's short format).
    static QString dateText();
    // Replaces the document's content with the paragraphs, each with its
    // font, size, weight and alignment.
    static void fillDocument(QTextDocument* doc, const QList<MarksheetParagraph>& paragraphs);

private:
    void FormCreate();
};
