#pragma once

#include <QList>
#include <QString>
#include <Qt>

#include <functional>

// One paragraph of the marksheet with its character and paragraph format.
struct MarksheetParagraph {
    QString text;
    QString family;
    int points = 10;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool operator==(const MarksheetParagraph&) const = default;
};

// Correct and Total of one screen as the learner's file holds them.
struct ScoreCounts {
    int correct = 0;
    int total = 0;
};

// The performance marksheet: one row per screen (title with a dot leader,
// Correct, Total and the integer percentage in fixed columns of a 69-character
// line), grouped into Basics and Practice, and the overall percentage from the
// sums of all rows. Counts are summed in 64 bits, so no file content can
// overflow them.
class MarksheetRules
{
public:
    static constexpr int TitleWidth = 44;
    static constexpr int CountWidth = 10;
    static constexpr int PercentWidth = 5;
    static constexpr int LineWidth = TitleWidth + 2 * CountWidth + PercentWidth;   // 69

    static inline const QString TitleFamily = QStringLiteral("Times New Roman");
    static inline const QString TableFamily = QStringLiteral("Courier New");
    static constexpr int TablePoints = 10;

    // A report row: the screen's title (string-table number) and the section
    // of the learner's file that holds its counts.
    struct Row {
        int titleId;
        QString section;
        bool basics;
    };
    // One row per screen of the catalogue of screens, in the order of their
    // report rows: the Basics screens, then the Practice screens.
    static const QList<Row>& rows();

    // (correct x 100) div total, "0" when total is 0, padded to 5.
    static QString percentText(qint64 correct, qint64 total);
    // Title, dots up to 44 characters, Correct and Total padded to 10, percent.
    static QString rowText(const QString& title, int correct, int total);
    // 44 blanks, the Correct and Total headings in 10 columns each, "%" in 5.
    static QString headingLine();
    static QString ruleLine();
    // "Overall percentage :" with the percentage of the sums and " %".
    static QString overallLine(qint64 correctSum, qint64 totalSum);

    // The whole marksheet for a learner. countsOf gives the counts of a
    // section (zeros for a screen never used).
    static QList<MarksheetParagraph> build(const QString& userName, const QString& dateText,
                                           const std::function<ScoreCounts(const QString& section)>& countsOf);
};
