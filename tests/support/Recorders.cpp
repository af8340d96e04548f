#include "Recorders.h"

#include <QPrinter>

namespace {
QString modeText(SoundPlayer::Mode mode)
{
    switch (mode) {
    case SoundPlayer::Mode::Async: return QStringLiteral("async");
    case SoundPlayer::Mode::Sync: return QStringLiteral("sync");
    case SoundPlayer::Mode::Loop: return QStringLiteral("loop");
    }
    return QString();
}
} // namespace

bool RecordingDialogs::print(QWidget*, QPrinter& printer)
{
    boxes.append({QStringLiteral("print"), QString()});
    if (!printToPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
    }
    return printAnswer;
}

QStringList RecordingDialogs::texts(const QString& kind) const
{
    QStringList result;
    for (const Box& box : boxes) {
        if (box.kind == kind)
            result.append(box.text);
    }
    return result;
}

void RecordingSoundPlayer::playResource(const QString& name, Mode mode)
{
    calls.append(QStringLiteral("resource ") + name.toUpper() + QLatin1Char(' ') + modeText(mode));
}

void RecordingSoundPlayer::playFile(const QString& path, Mode mode)
{
    calls.append(QStringLiteral("file ") + path + QLatin1Char(' ') + modeText(mode));
}
