#include "records/HistoryFile.h"

#include <QFile>

#include "platform/Dialogs.h"
#include "platform/FileReading.h"
#include "platform/FileSaver.h"
#include "shell/Globals.h"

namespace {

bool s_failureShown = false;
std::function<qint64()> s_clock;

qint64 now()
{
    return s_clock ? s_clock() : HistoryRules::nowUtc();
}

// The file's newest bytes (at most twice the bound, a first cut line then
// being dropped as the header is), or nothing with the reason.
std::optional<QByteArray> readTail(QFile& file, QString* reason)
{
    const qint64 size = file.size();
    const qint64 from = std::max<qint64>(0, size - 2 * HistoryRules::MaxFileBytes);
    if (!file.seek(from)) {
        *reason = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = FileReading::readAtMost(file, 2 * HistoryRules::MaxFileBytes);
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

// Appends line; false with the reason when it was not kept whole (what was
// written is taken back).
bool write(const QString& path, const QByteArray& line, QString* reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        *reason = file.errorString();
        return false;
    }
    const qint64 size = file.size();
    QByteArray bytes;
    if (size == 0) {
        bytes = HistoryRules::header();
    } else {
        // A torn last line gets its line end, so the new record starts a line.
        char last = 0;
        if (!file.seek(size - 1) || !file.getChar(&last)) {
            *reason = file.errorString();
            return false;
        }
        if (last != '\n')
            bytes = QByteArrayLiteral("\r\n");
    }
    bytes += line;

    if (size + bytes.size() > HistoryRules::MaxFileBytes) {
        const std::optional<QByteArray> old = readTail(file, reason);
        if (!old)
            return false;
        file.close();
        const std::optional<QByteArray> kept = HistoryRules::trimmed(*old, bytes.size());
        return FileSaver::save(path, kept ? *kept + line : *old + bytes, reason);
    }

    if (!file.seek(size)) {
        *reason = file.errorString();
        return false;
    }
    const qint64 written = file.write(bytes);
    const bool flushed = file.flush();
    if (written == bytes.size() && flushed && file.error() == QFileDevice::NoError)
        return true;
    *reason = file.error() != QFileDevice::NoError ? file.errorString() : FileSaver::diskFullText();
    file.unsetError();
    file.resize(size); // take back a part line
    return false;
}

} // namespace

namespace HistoryFile {

bool append(QWidget* parent, const QString& path, const HistoryRules::Record& record)
{
    if (path.isEmpty())
        return false;
    QString reason;
    if (write(path, HistoryRules::line(record), &reason))
        return true;
    if (!s_failureShown) {
        s_failureShown = true;
        Dialogs::current().error(parent, QStringLiteral("Unable to save the file \"%1\": %2\r\n"
                                                        "Your practice history is not kept until this is put right.")
                                             .arg(path, reason));
    }
    return false;
}

static void appendRecord(QWidget* parent, HistoryRules::Record record)
{
    if (!Globals::UserDataWritable || Globals::UserIniFile.isEmpty())
        return;
    record.when = now();
    append(parent, HistoryRules::pathFor(Globals::UserIniFile), record);
}

void appendProblem(QWidget* parent, const QString& section, const QString& option, bool right, double seconds)
{
    HistoryRules::Record r;
    r.kind = HistoryRules::Kind::Problem;
    r.section = section;
    r.option = option;
    r.right = right;
    r.seconds = std::clamp(seconds, 0.0, HistoryRules::MaxSeconds);
    appendRecord(parent, r);
}

void appendDrill(QWidget* parent, const QString& section, const QString& option, int questions, int correct,
                 int questionDelayMs, int answerDelayMs)
{
    if (questions < 1)
        return;
    HistoryRules::Record r;
    r.kind = HistoryRules::Kind::Drill;
    r.section = section;
    r.option = option;
    r.questions = std::min(questions, HistoryRules::MaxQuestions);
    r.correct = std::clamp(correct, 0, r.questions);
    r.questionDelayMs = std::clamp(questionDelayMs, 0, HistoryRules::MaxDelayMs);
    r.answerDelayMs = std::clamp(answerDelayMs, 0, HistoryRules::MaxDelayMs);
    appendRecord(parent, r);
}

void setClockForTests(std::function<qint64()> nowUtc)
{
    s_clock = std::move(nowUtc);
}

void resetForTests()
{
    s_failureShown = false;
}

} // namespace HistoryFile
