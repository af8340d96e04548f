// Rich-text files and printing: the file and printer side of Rtf; the bytes
// are made in RtfWriter.cpp and read in RtfReader.cpp.

#include "platform/Rtf.h"

#include "platform/FileReading.h"
#include "platform/FileSaver.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>


namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

enum class Printed { Done, NotStarted, Cancelled };

// The resolution the document's sizes are given for, as QTextDocument::print
// takes it: the screen's.
int sourceDpi(Qt::Orientation direction)
{
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return qRound(direction == Qt::Horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY());
    return 100;
}

void printPage(int index, QPainter* painter, const QTextDocument& doc, const QRectF& body, const QPointF& pageNumberPos)
{
    painter->save();
    painter->translate(body.left(), body.top() - (index - 1) * body.height());
    const QRectF view(0, (index - 1) * body.height(), body.width(), body.height());
    QAbstractTextDocumentLayout::PaintContext context;
    painter->setClipRect(view);
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);   // whatever the screen's colours
    doc.documentLayout()->draw(painter, context);
    painter->setClipping(false);
    painter->setFont(QFont(doc.defaultFont()));
    const QString number = QString::number(index);
    painter->drawText(qRound(pageNumberPos.x() - painter->fontMetrics().horizontalAdvance(number)),
                      qRound(pageNumberPos.y() + view.top()), number);
    painter->restore();
}

// Holds back the timer events of an object while it lives. The layout of a
// document lays out the rest a part at a time on a timer of its own; the
// print lays out the copy itself, and the two together are slower than
// either (with pages of many sizes, without end in sight).
class TimersHeldBack : public QObject
{
public:
    explicit TimersHeldBack(QObject* target)
        : m_target(target)
    {
        target->installEventFilter(this);
    }
    ~TimersHeldBack() override { m_target->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }

private:
    QObject* m_target;
};

// Reports a share of the progress: `done` of `total` parts of the stage
// from `from` to `to` thousandths.
bool report(const Rtf::Progress& progress, int from, int to, qint64 done, qint64 total)
{
    return !progress || progress(int(from + (to - from) * done / qMax<qint64>(1, total)));
}

// Copies the paragraphs of the document (their formats, and the runs with
// theirs) and its default font: what QTextDocument::clone() copies of a
// document of paragraphs, but a part at a time.
bool copyParagraphs(const QTextDocument& from, QTextDocument* to, const Rtf::Progress& progress, int share)
{
    constexpr int ReportEvery = 16 * 1024;   // characters
    to->setUndoRedoEnabled(false);
    to->setDefaultFont(from.defaultFont());
    to->setDefaultTextOption(from.defaultTextOption());
    to->setDocumentMargin(from.documentMargin());
    to->setUseDesignMetrics(from.useDesignMetrics());
    QTextCursor cursor(to);
    cursor.beginEditBlock();
    qint64 nextReport = ReportEvery;
    for (QTextBlock block = from.begin(); block.isValid(); block = block.next()) {
        if (block.position() >= nextReport) {
            nextReport = block.position() + ReportEvery;
            if (!report(progress, 0, share, block.position(), from.characterCount())) {
                cursor.endEditBlock();
                return false;
            }
        }
        if (block == from.begin()) {
            cursor.setBlockFormat(block.blockFormat());
            cursor.setBlockCharFormat(block.charFormat());
        } else {
            cursor.insertBlock(block.blockFormat(), block.charFormat());
        }
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
            cursor.insertText(it.fragment().text(), it.fragment().charFormat());
    }
    cursor.endEditBlock();
    return true;
}

// The printing proper, on an open painter, in the stages whose ends Rtf.h
// gives.
Printed printSteps(const QTextDocument& doc, QPagedPaintDevice* device, QPainter& painter,
                   const Rtf::Progress& progress)
{
    using Rtf::PrintCopyEnd, Rtf::PrintFontsEnd, Rtf::PrintLayoutEnd;
    constexpr int LayoutStep = 200;   // paragraphs laid out between reports
    constexpr int FontStep = 20;
    QTextDocument copy;
    if (!copyParagraphs(doc, &copy, progress, PrintCopyEnd))
        return Printed::Cancelled;
    copy.rootFrame()->setFrameFormat(doc.rootFrame()->frameFormat());
    QAbstractTextDocumentLayout* layout = copy.documentLayout();
    const TimersHeldBack laidOutHere(layout);
    layout->setPaintDevice(painter.device());
    // The document's fonts at the device's resolution, held (and so kept in
    // the font cache) for the whole print. The cache drops the fonts nobody
    // holds once it has many, and the layout holds a font only while it
    // shapes a run: a document of many sizes would have each size looked up
    // again and again.
    QList<QFont> fonts;
    const QList<QTextFormat> formats = copy.allFormats();
    for (qsizetype i = 0; i < formats.size(); ++i) {
        if (i % FontStep == FontStep - 1 && !report(progress, PrintCopyEnd, PrintFontsEnd, i, formats.size()))
            return Printed::Cancelled;
        if (formats.at(i).isCharFormat()) {
            fonts.append(QFont(formats.at(i).toCharFormat().font(), painter.device()));
            QFontMetricsF(fonts.constLast()).ascent();   // loads it
        }
    }
    const int dpiX = sourceDpi(Qt::Horizontal);
    const int dpiY = sourceDpi(Qt::Vertical);
    // 2 cm margins, scaled to the device by the layout.
    const int horizontalMargin = int((2 / 2.54) * dpiX);
    const int verticalMargin = int((2 / 2.54) * dpiY);
    QTextFrameFormat frame = copy.rootFrame()->frameFormat();
    frame.setLeftMargin(horizontalMargin);
    frame.setRightMargin(horizontalMargin);
    frame.setTopMargin(verticalMargin);
    frame.setBottomMargin(verticalMargin);
    copy.rootFrame()->setFrameFormat(frame);
    const QRectF body(0, 0, device->width(), device->height());
    const qreal scaleX = qreal(device->logicalDpiX()) / dpiX;
    const qreal scaleY = qreal(device->logicalDpiY()) / dpiY;
    const QPointF pageNumberPos(body.width() - horizontalMargin * scaleX,
                                body.height() - verticalMargin * scaleY
                                    + QFontMetrics(copy.defaultFont(), painter.device()).ascent()
                                    + 5 * painter.device()->logicalDpiY() / 72.0);
    copy.setPageSize(body.size());

    // Asking where a paragraph lies lays the copy out up to it.
    int paragraph = 0;
    for (QTextBlock block = copy.begin(); block.isValid(); block = block.next()) {
        if (++paragraph % LayoutStep != 0)
            continue;
        layout->blockBoundingRect(block);
        if (!report(progress, PrintFontsEnd, PrintLayoutEnd, block.position(), copy.characterCount()))
            return Printed::Cancelled;
    }

    const QPageRanges ranges = device->pageRanges();
    const int pages = copy.pageCount();
    int fromPage = ranges.firstPage();
    int toPage = ranges.lastPage();
    if (fromPage == 0 && toPage == 0) {
        fromPage = 1;
        toPage = pages;
    }
    fromPage = qMax(1, fromPage);
    toPage = qMin(pages, toPage);
    for (int page = fromPage; page <= toPage; ++page) {
        if (!report(progress, PrintLayoutEnd, 1000, page - fromPage, toPage - fromPage + 1))
            return Printed::Cancelled;
        if (ranges.isEmpty() || ranges.contains(page))
            printPage(page, &painter, copy, body, pageNumberPos);
        if (page < toPage && !device->newPage())
            break;
    }
    return Printed::Done;
}

// Prints the document on the device as QTextDocument::print prints a
// document that is not paginated, in steps that report their progress: a
// copy is made, laid out a part at a time, then printed a page at a time. A
// cancelled print on a printer is aborted while it is still open.
Printed printPages(const QTextDocument& doc, QPagedPaintDevice* device, const Rtf::Progress& progress)
{
    const QMarginsF margins = device->pageLayout().margins(QPageLayout::Millimeter);
    if (margins.isNull())
        device->setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
    QPainter painter(device);
    if (!painter.isActive())
        return Printed::NotStarted;
    const Printed printed = printSteps(doc, device, painter, progress);
    if (printed == Printed::Cancelled) {
        if (auto* printer = dynamic_cast<QPrinter*>(device))
            printer->abort();
    }
    return printed;
}

// The PDF engine writes its file itself and does not notice a write that
// fails (a full disk gives an empty file and no error). So the PDF is made
// in memory, with the printer's page settings, and saved as a whole.
bool printToPdfFile(const QTextDocument& doc, const QPrinter& printer, const QString& jobTitle, QString* error,
                    const Rtf::Progress& progress)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(printer.pdfVersion());
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setPageRanges(printer.pageRanges());
        writer.setTitle(jobTitle);
        writer.setCreator(printer.creator());
        if (printPages(doc, &writer, progress) == Printed::Cancelled)
            return fail(error, QString());
    }
    QString reason;
    if (pdf.isEmpty() || !FileSaver::save(printer.outputFileName(), pdf, &reason))
        return fail(error, QStringLiteral("Printing \"%1\" to \"%2\" failed: %3")
                               .arg(jobTitle, printer.outputFileName(),
                                    pdf.isEmpty() ? QStringLiteral("no page was made.") : reason));
    return true;
}

} // namespace

namespace Rtf {

bool save(const QTextDocument& doc, const QString& fileName, QString* error)
{
    // An unfinished save (no space, no permission, no folder) leaves the
    // old file as it was and no new file behind.
    QString reason;
    if (!FileSaver::save(fileName, write(doc), &reason))
        return fail(error, QStringLiteral("Cannot save \"%1\": %2").arg(fileName, reason));
    return true;
}

bool load(const QString& fileName, QTextDocument* doc, QString* error, const Progress& progress)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(fileName, file.errorString()));
    // One byte more than the reader takes, so that it can tell "too large".
    const QByteArray bytes = FileReading::readAtMost(file, MaxInputBytes);
    if (file.error() != QFileDevice::NoError)
        return fail(error, QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString()));
    QString message;
    if (!read(bytes, doc, &message, progress))
        return fail(error, message.isEmpty() ? QString() : QStringLiteral("Cannot open \"%1\": %2").arg(fileName, message));
    return true;
}

bool print(const QTextDocument& doc, QPrinter* printer, const QString& jobTitle, QString* error,
           const Progress& progress)
{
    if (!printer || !printer->isValid())
        return fail(error, QStringLiteral("The printer is not available."));
    printer->setDocName(jobTitle);
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        return printToPdfFile(doc, *printer, jobTitle, error, progress);
    if (printPages(doc, printer, progress) == Printed::Cancelled)
        return fail(error, QString());
    const QPrinter::PrinterState state = printer->printerState();
    if (state == QPrinter::Error || state == QPrinter::Aborted) {
        const QString where = printer->outputFormat() == QPrinter::PdfFormat
                                  ? QStringLiteral(" to \"%1\"").arg(printer->outputFileName())
                                  : QStringLiteral(" on \"%1\"").arg(printer->printerName());
        return fail(error, QStringLiteral("Printing \"%1\"%2 failed.").arg(jobTitle, where));
    }
    return true;
}

} // namespace Rtf
