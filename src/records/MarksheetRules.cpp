#include "records/MarksheetRules.h"

#include "shell/ScreenCatalogue.h"
#include "shell/Strings.h"
#include "shell/TextHelpers.h"

const QList<MarksheetRules::Row>& MarksheetRules::rows()
{
    // One row per screen of the catalogue, in the order of its report row.
    static const QList<Row> table = [] {
        QList<Row> rows;
        for (const ScreenCatalogue::Row* screen : ScreenCatalogue::inReportOrder())
            rows.append({screen->titleId, screen->section, screen->group == ScreenCatalogue::Group::Basics});
        return rows;
    }();
    return table;
}

QString MarksheetRules::percentText(qint64 correct, qint64 total)
{
    const qint64 percent = total == 0 ? 0 : correct * 100 / total;
    return PadLeft(QString::number(percent), PercentWidth);
}

QString MarksheetRules::rowText(const QString& title, int correct, int total)
{
    return title + QString(qMax(0, TitleWidth - int(title.size())), QLatin1Char('.'))
           + PadLeft(QString::number(correct), CountWidth) + PadLeft(QString::number(total), CountWidth)
           + percentText(correct, total);
}

QString MarksheetRules::headingLine()
{
    QString total = Strings::text(Strings::HeadingTotal);
    if (total.size() >= CountWidth)
        total = LeftChars(total, CountWidth - 1);
    return QString(TitleWidth, QLatin1Char(' '))
           + PadLeft(LeftChars(Strings::text(Strings::HeadingCorrect), CountWidth), CountWidth)
           + PadLeft(total, CountWidth) + PadLeft(QStringLiteral("%"), PercentWidth);
}

QString MarksheetRules::ruleLine()
{
    return QString(LineWidth, QLatin1Char('_'));
}

QString MarksheetRules::overallLine(qint64 correctSum, qint64 totalSum)
{
    return Strings::text(Strings::OverallPercentage) + percentText(correctSum, totalSum) + QStringLiteral(" %");
}

QList<MarksheetParagraph> MarksheetRules::build(const QString& userName, const QString& dateText,
                                                const std::function<ScoreCounts(const QString&)>& countsOf)
{
    QList<MarksheetParagraph> out;
    MarksheetParagraph format;
    auto use = [&format](const QString& family, int points, bool bold, Qt::Alignment alignment) {
        format = {QString(), family, points, bold, alignment};
    };
    auto add = [&out, &format](const QString& text) {
        out.append(format);
        out.last().text = text;
    };
    // A rule line ends in a line break of its own: an empty line follows it.
    auto addRule = [&add] {
        add(ruleLine());
        add(QString());
    };

    use(TitleFamily, 20, true, Qt::AlignHCenter);
    add(Strings::text(Strings::ApplicationTitle));
    use(TitleFamily, 12, true, Qt::AlignHCenter);
    add(Strings::text(Strings::TitleScores));
    use(TitleFamily, 12, false, Qt::AlignHCenter);
    add(QString());
    add(userName);
    add(dateText);
    add(QString());

    use(TableFamily, TablePoints, true, Qt::AlignLeft);
    addRule();
    add(headingLine());
    addRule();

    use(TableFamily, TablePoints, false, Qt::AlignLeft);
    qint64 correctSum = 0;
    qint64 totalSum = 0;
    bool basics = true;
    for (const Row& row : rows()) {
        if (basics && !row.basics) {
            addRule();
            basics = false;
        }
        const ScoreCounts counts = countsOf ? countsOf(row.section) : ScoreCounts{};
        correctSum += counts.correct;
        totalSum += counts.total;
        add(rowText(Strings::text(row.titleId), counts.correct, counts.total));
    }
    addRule();
    add(overallLine(correctSum, totalSum));
    addRule();
    return out;
}
