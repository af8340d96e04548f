// vandrelsholm-worksheet: prints the worked solution of a practice problem as
// the practice screens compute it.

#include "tools/WorksheetCommand.h"

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    // A reader that has gone away (a closed pipe) makes a write fail, which
    // ends the run with exit code 1, rather than ending the process.
    std::signal(SIGPIPE, SIG_IGN);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    // Each problem is written and flushed as soon as it is made.
    QString error;
    const int exitCode = Worksheet::run(
        args,
        [](const QByteArray& bytes) {
            return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
                   && std::fflush(stdout) == 0;
        },
        &error);
    if (!error.isEmpty()) {
        const QByteArray line = error.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
    return exitCode;
}
