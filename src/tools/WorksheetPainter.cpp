#include "tools/WorksheetPainter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <functional>

namespace WorksheetPainter {

using namespace WorksheetSheet;

namespace {

// Everything in points.
constexpr qreal Margin = 42;        // about 15 mm
constexpr qreal HeaderHeight = 34;  // title, page number and the rule under them
constexpr qreal HeadingHeight = 26; // a section's heading
constexpr qreal Gap = 14;           // between problems
constexpr qreal LineHeight = 16;    // a line of text
constexpr qreal BoxScale = 0.8;     // a screen's 25-pixel box becomes 20 points (7 mm)
constexpr int FactColumns = 3;

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(points); // the painter works in points
    f.setBold(bold);
    return f;
}

QString answerLine(const Problem& p)
{
    QString line = QStringLiteral("Answer: ") + p.answer;
    if (p.remainder)
        line += QStringLiteral("   Remainder: %1").arg(*p.remainder);
    return line;
}

QString blankAnswerLine(const Problem& p)
{
    return p.remainder ? QStringLiteral("Answer: ____________   Remainder: ______")
                       : QStringLiteral("Answer: ____________");
}

QString factLine(int number, const Problem& p, bool key)
{
    return QStringLiteral("%1.  %2 = %3").arg(number).arg(p.question, key ? p.answer : QStringLiteral("______"));
}

QString problemLine(int number, const Problem& p)
{
    return QStringLiteral("%1.  %2").arg(number).arg(p.question);
}

// The scale of a problem's grid: the screen's size, smaller when the grid
// is wider than the page.
qreal gridScale(const Problem& p, qreal width)
{
    if (p.gridSize.width() <= 0)
        return BoxScale;
    return std::min(BoxScale, width / p.gridSize.width());
}

// One thing to place: a heading (whole width) or a problem.
struct Block {
    bool heading = false;
    int section = 0;
    int problem = -1;
    QSizeF size;
};

struct Heading {
    int page = 0;
    int section = 0;
    QPointF at;
};

// Places the blocks of a sheet page by page, row by row.
struct Flow {
    QSizeF paper;
    QList<Placed> placed;
    QList<Heading> headings;
    int keyStart = -1; // the first page of the answer key
    int page = 0;
    qreal x = 0;
    qreal y = 0;
    qreal rowHeight = 0;

    qreal left() const { return Margin; }
    qreal top() const { return Margin + HeaderHeight; }
    qreal right() const { return paper.width() - Margin; }
    qreal bottom() const { return paper.height() - Margin; }

    void newPage()
    {
        ++page;
        x = left();
        y = top();
        rowHeight = 0;
    }
    void newRow()
    {
        if (rowHeight > 0)
            y += rowHeight;
        x = left();
        rowHeight = 0;
    }
    // Where a block of that size goes; on a new row or page where it does not fit.
    QPointF place(const QSizeF& size, qreal keepBelow = 0)
    {
        if (x > left() && x + size.width() > right())
            newRow();
        if (y + size.height() + keepBelow > bottom() && y > top())
            newPage();
        const QPointF at(x, y);
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
        return at;
    }
};

QSizeF problemSize(const Section& s, const Problem& p, int number, qreal contentWidth)
{
    const QFontMetricsF metrics(font(11));
    if (s.facts)
        return {contentWidth / FactColumns, LineHeight + 4};
    const qreal scale = gridScale(p, contentWidth - Gap);
    const qreal textWidth = std::max(metrics.horizontalAdvance(problemLine(number, p)),
                                     metrics.horizontalAdvance(answerLine(p) + QStringLiteral("____")));
    const qreal width = std::min(contentWidth, std::max(textWidth, p.gridSize.width() * scale) + Gap);
    const qreal height = LineHeight + 4 + p.gridSize.height() * scale + 6 + LineHeight + Gap;
    return {width, height};
}

// A drill's facts in columns, read down each column: as many rows as the
// page has room for, the rest on the next page.
void layoutFacts(Flow& flow, const Section& s, int si, bool key, qreal contentWidth)
{
    const QSizeF size = problemSize(s, s.problems.first(), 1, contentWidth);
    int next = 0;
    while (next < s.problems.size()) {
        int rows = int((flow.bottom() - flow.y) / size.height());
        if (rows < 1) {
            flow.newPage();
            continue;
        }
        const int left = int(s.problems.size()) - next;
        rows = std::min(rows, (left + FactColumns - 1) / FactColumns);
        const int chunk = std::min(left, rows * FactColumns);
        for (int k = 0; k < chunk; ++k) {
            const QPointF at(flow.left() + (k / rows) * size.width(), flow.y + (k % rows) * size.height());
            flow.placed << Placed{flow.page, key, si, next + k, QRectF(at, size), {}};
        }
        next += chunk;
        flow.y += rows * size.height();
    }
}

void layoutPart(Flow& flow, const Sheet& sheet, bool key)
{
    const qreal contentWidth = flow.paper.width() - 2 * Margin;
    for (int si = 0; si < sheet.sections.size(); ++si) {
        const Section& s = sheet.sections.at(si);
        flow.newRow();
        const QSizeF first = s.problems.isEmpty() ? QSizeF() : problemSize(s, s.problems.first(), 1, contentWidth);
        const QPointF at = flow.place(QSizeF(contentWidth, HeadingHeight), first.height());
        flow.headings << Heading{flow.page, si, at};
        flow.newRow();
        if (s.facts) {
            layoutFacts(flow, s, si, key, contentWidth);
            continue;
        }
        for (int pi = 0; pi < s.problems.size(); ++pi) {
            const Problem& p = s.problems.at(pi);
            const QSizeF size = problemSize(s, p, pi + 1, contentWidth);
            const QPointF where = flow.place(size);
            Placed placed{flow.page, key, si, pi, QRectF(where, size), {}};
            if (!s.facts) {
                const qreal scale = gridScale(p, contentWidth - Gap);
                const QPointF grid = where + QPointF(0, LineHeight + 4);
                for (const Cell& c : p.cells)
                    placed.cells << QRectF(grid.x() + c.rect.x() * scale, grid.y() + c.rect.y() * scale,
                                           c.rect.width() * scale, c.rect.height() * scale);
            }
            flow.placed << placed;
        }
    }
}

Flow flowOf(const Sheet& sheet, const QSizeF& pagePoints)
{
    Flow flow;
    flow.paper = pagePoints;
    flow.x = flow.left();
    flow.y = flow.top();
    layoutPart(flow, sheet, false);
    if (sheet.answers) {
        flow.newPage();
        flow.keyStart = flow.page;
        layoutPart(flow, sheet, true);
    }
    return flow;
}

void drawCell(QPainter& painter, const Cell& cell, const QRectF& r, bool key)
{
    const int size = std::max(6, int(r.height() * (cell.kind == Cell::Kind::Carry ? 0.75 : 0.62)));
    if (cell.kind == Cell::Kind::Question) {
        painter.setFont(font(size, true));
        painter.drawText(r, Qt::AlignCenter, cell.text);
        return;
    }
    QPen pen(Qt::black, cell.kind == Cell::Kind::Carry ? 0.5 : 0.8);
    if (cell.mental)
        pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    if (key && !cell.text.isEmpty()) {
        painter.setFont(font(size, cell.kind == Cell::Kind::Carry));
        painter.drawText(r, Qt::AlignCenter, cell.text);
    }
    painter.setPen(Qt::black);
}

void drawProblem(QPainter& painter, const Section& s, const Placed& placed)
{
    const Problem& p = s.problems.at(placed.problem);
    const QRectF r = placed.rect;
    painter.setPen(Qt::black);
    if (s.facts) {
        painter.setFont(font(11));
        painter.drawText(QRectF(r.x(), r.y(), r.width() - 6, LineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         factLine(placed.problem + 1, p, placed.key));
        return;
    }
    painter.setFont(font(11, true));
    painter.drawText(QRectF(r.x(), r.y(), r.width(), LineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     problemLine(placed.problem + 1, p));
    qreal bottom = r.y() + LineHeight + 4;
    for (int k = 0; k < p.cells.size(); ++k) {
        drawCell(painter, p.cells.at(k), placed.cells.at(k), placed.key);
        bottom = std::max(bottom, placed.cells.at(k).bottom());
    }
    painter.setFont(font(11));
    painter.drawText(QRectF(r.x(), bottom + 6, r.width(), LineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     placed.key ? answerLine(p) : blankAnswerLine(p));
}

void drawHeader(QPainter& painter, const Sheet& sheet, const QSizeF& page, int number, int count, bool key)
{
    const QRectF line(Margin, Margin, page.width() - 2 * Margin, 20);
    painter.setPen(Qt::black);
    painter.setFont(font(14, true));
    QString title = sheet.title.isEmpty() ? QStringLiteral("Worksheet") : sheet.title;
    if (key)
        title += QStringLiteral(" \u2014 Answer Key");
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(painter.font()).elidedText(title, Qt::ElideRight, line.width() - 90));
    painter.setFont(font(10));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Page %1 of %2").arg(number).arg(count));
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawLine(QPointF(Margin, Margin + 24), QPointF(page.width() - Margin, Margin + 24));
}

} // namespace

QPageSize pageSize(Paper paper)
{
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

QString paperName(Paper paper)
{
    return paper == Paper::Letter ? QStringLiteral("Letter") : QStringLiteral("A4");
}

std::optional<Paper> paperNamed(const QString& name)
{
    for (Paper p : {Paper::A4, Paper::Letter})
        if (name.compare(paperName(p), Qt::CaseInsensitive) == 0)
            return p;
    return std::nullopt;
}

QList<Placed> layout(const Sheet& sheet, const QSizeF& pagePoints)
{
    return flowOf(sheet, pagePoints).placed;
}

int pageCount(const QList<Placed>& placed)
{
    int pages = 0;
    for (const Placed& p : placed)
        pages = std::max(pages, p.page + 1);
    return pages;
}

bool paint(const Sheet& sheet, QPagedPaintDevice& device)
{
    const QSizeF page = device.pageLayout().fullRectPoints().size();
    const Flow flow = flowOf(sheet, page);
    const int count = flow.page + 1;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Points from the paper's top left: the device draws inside its margins.
    const qreal scale = device.logicalDpiX() / 72.0;
    const QRectF paint = device.pageLayout().paintRectPoints();
    int headingIndex = 0;
    int placedIndex = 0;
    for (int pageNo = 0; pageNo < count; ++pageNo) {
        if (pageNo > 0)
            device.newPage();
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.translate(-paint.topLeft());
        const bool key = flow.keyStart >= 0 && pageNo >= flow.keyStart;
        drawHeader(painter, sheet, page, pageNo + 1, count, key);
        for (; headingIndex < flow.headings.size() && flow.headings.at(headingIndex).page == pageNo; ++headingIndex) {
            const QPointF at = flow.headings.at(headingIndex).at;
            const Section& s = sheet.sections.at(flow.headings.at(headingIndex).section);
            painter.setPen(Qt::black);
            painter.setFont(font(12, true));
            painter.drawText(QRectF(at.x(), at.y(), page.width() - 2 * Margin, HeadingHeight - 6),
                             Qt::AlignLeft | Qt::AlignVCenter, s.heading);
        }
        for (; placedIndex < flow.placed.size() && flow.placed.at(placedIndex).page == pageNo; ++placedIndex) {
            const Placed& placed = flow.placed.at(placedIndex);
            drawProblem(painter, sheet.sections.at(placed.section), placed);
        }
    }
    return painter.end();
}

QByteArray pdf(const Sheet& sheet, Paper paper)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(pageSize(paper), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(sheet.title.isEmpty() ? QStringLiteral("Worksheet") : sheet.title);
        writer.setCreator(QStringLiteral("Vandrelsholm Speed Math"));
        if (!paint(sheet, writer))
            return QByteArray();
    }
    return bytes;
}

} // namespace WorksheetPainter
