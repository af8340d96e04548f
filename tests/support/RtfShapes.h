#pragma once

// Rich texts at the reader's bounds of what the layout gets, for the tests
// and the benchmarks of the report viewer.

#include <QByteArray>
#include <QString>

#include "platform/Rtf.h"

namespace RtfShapes {

// The text of paragraph `index` of boundedReport(): `width` characters.
inline QString boundedLine(int index, int width)
{
    QString line = QStringLiteral("Line %1 ").arg(index);
    while (line.size() < width)
        line += QLatin1Char(char('a' + line.size() % 26));
    return line.left(width);
}

// The family and size of look `look` (0 to Rtf::MaxCharFormats - 1): each of
// Rtf::MaxFonts families in two sizes, the larger one bold.
inline int boundedFamily(int look) { return look % Rtf::MaxFonts; }
inline int boundedHalfPoints(int look) { return 16 + look % Rtf::MaxFonts + (look >= Rtf::MaxFonts ? 2 : 0); }

// A report at every bound of the layout work: Rtf::MaxFonts families (none
// of them installed, so each is looked up in vain), Rtf::MaxCharFormats
// looks and Rtf::MaxFormatRuns runs, spread evenly over `paragraphs`
// paragraphs of boundedLine() text; run k has look k modulo the looks.
inline QByteArray boundedReport(int paragraphs, int width)
{
    static const char* const classes[] = {"froman", "fswiss", "fmodern", "fnil"};
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int f = 0; f < Rtf::MaxFonts; ++f)
        rtf += "{\\f" + QByteArray::number(f) + "\\" + classes[f % 4] + " Family " + QByteArray::number(f) + ";}";
    rtf += "}\n";
    int run = 0;
    for (int p = 0; p < paragraphs; ++p) {
        const int runs = int(qint64(p + 1) * Rtf::MaxFormatRuns / paragraphs - qint64(p) * Rtf::MaxFormatRuns / paragraphs);
        const QByteArray line = boundedLine(p, width).toLatin1();
        for (int r = 0; r < runs; ++r, ++run) {
            const int look = run % Rtf::MaxCharFormats;
            rtf += "\\plain\\f" + QByteArray::number(boundedFamily(look)) + "\\fs"
                   + QByteArray::number(boundedHalfPoints(look)) + (look >= Rtf::MaxFonts ? "\\b " : " ")
                   + line.mid(r * width / runs, (r + 1) * width / runs - r * width / runs);
        }
        rtf += "\\par\n";
    }
    return rtf + "}";
}

} // namespace RtfShapes
