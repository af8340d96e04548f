#pragma once

#include "tools/WorksheetSheet.h"

#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;

// Puts a worksheet on paper: the problem pages, then the answer key. Each
// problem stands whole on one page; every page has the title and its page
// number. Practice problems show their question and the grid of boxes as on
// the screen; a flash drill's facts stand in compact columns. QtGui only, so
// the worksheet tool draws without widgets and the window prints the same.
namespace WorksheetPainter {

enum class Paper { A4, Letter };

QPageSize pageSize(Paper paper);
// "A4", "Letter"; the paper of a name (case ignored), nullopt for another.
QString paperName(Paper paper);
std::optional<Paper> paperNamed(const QString& name);

// Where one problem stands, in points from the page's top left.
struct Placed {
    int page = 0;           // 0-based
    bool key = false;       // in the answer key
    int section = 0;
    int problem = 0;
    QRectF rect;
    QList<QRectF> cells;    // the problem's grid cells, in its order of cells
};

// Lays the sheet out on pages of that size (points), without drawing.
QList<Placed> layout(const WorksheetSheet::Sheet& sheet, const QSizeF& pagePoints);
int pageCount(const QList<Placed>& placed);

// Draws the sheet on a paged device (a QPdfWriter or a QPrinter), whose page
// layout is already set; false when the device cannot be painted on.
bool paint(const WorksheetSheet::Sheet& sheet, QPagedPaintDevice& device);

// The sheet as a PDF file's bytes.
QByteArray pdf(const WorksheetSheet::Sheet& sheet, Paper paper);

} // namespace WorksheetPainter
