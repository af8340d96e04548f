// vandrelsholm-worksheet: prints the worked solution of a practice problem as
// the practice screens compute it.

#include "tools/WorksheetCommand.h"

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    const Worksheet::Outcome outcome = Worksheet::run(args);
    if (!outcome.out.isEmpty())
        std::fwrite(outcome.out.constData(), 1, size_t(outcome.out.size()), stdout);
    if (!outcome.error.isEmpty()) {
        const QByteArray line = outcome.error.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written && outcome.exitCode == 0) {
        std::fputs("could not write the output\n", stderr);
        return 1;
    }
    return outcome.exitCode;
}
