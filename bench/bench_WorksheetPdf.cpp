// Time to make a printable worksheet of 100 problems with its answer key as
// PDF, for the method with the largest grid (speed addition), a division, a
// square root and a flash drill: the whole call of the worksheet tool's
// --pdf (drawing the problems, laying out and painting the pages), in this
// process, best and median of 5 runs. The target is under 2 s.

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

#include "tools/WorksheetPainter.h"
#include "tools/WorksheetSheet.h"

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    std::printf("%-16s %8s %8s %6s %9s\n", "method", "best ms", "median", "pages", "PDF KiB");
    for (const char* method : {"speed-addition", "divide", "square-root", "multiplication"}) {
        QList<qint64> times;
        int pages = 0;
        qsizetype size = 0;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            const auto section =
                WorksheetSheet::section({QString::fromLatin1(method), {}, WorksheetSheet::MaxProblems, quint32(run)});
            const WorksheetSheet::Sheet sheet{QStringLiteral("Bench"), true, {*section}};
            const QByteArray pdf = WorksheetPainter::pdf(sheet, WorksheetPainter::Paper::A4);
            times << timer.elapsed();
            size = pdf.size();
            pages = WorksheetPainter::pageCount(
                WorksheetPainter::layout(sheet, WorksheetPainter::pageSize(WorksheetPainter::Paper::A4).size(QPageSize::Point)));
        }
        std::sort(times.begin(), times.end());
        std::printf("%-16s %8lld %8lld %6d %9lld\n", method, static_cast<long long>(times.first()),
                    static_cast<long long>(times.at(2)), pages, static_cast<long long>(size / 1024));
    }
    return 0;
}
