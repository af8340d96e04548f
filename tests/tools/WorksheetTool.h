#pragma once

// Running the built worksheet tool from a test and reading its JSON Lines.

#include <QByteArray>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

struct WorksheetRun {
    int exitCode = -1; // -1: did not end normally
    QByteArray out;
    QByteArray err;
};

inline QString worksheetToolPath()
{
    return qEnvironmentVariable("VSM_BINARY_DIR", QStringLiteral(VSM_BINARY_DIR))
           + QStringLiteral("/vandrelsholm-worksheet");
}

inline WorksheetRun runWorksheet(const QStringList& args)
{
    QProcess p;
    p.start(worksheetToolPath(), args);
    WorksheetRun r;
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// The lines of the output, without the empty one after the last newline.
inline QList<QByteArray> lines(const QByteArray& out)
{
    QList<QByteArray> l = out.split('\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

// One object per line of the output; a line that is not JSON is reported and
// gives an empty object.
inline QList<QJsonObject> worksheetJsonLines(const QByteArray& out)
{
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        objects << QJsonDocument::fromJson(line, &error).object();
        if (error.error != QJsonParseError::NoError)
            qWarning("not JSON: %s", line.constData());
    }
    return objects;
}

// The tool refused the run: exit code 2, nothing on standard output, one
// line on standard error that contains says.
#define VERIFY_REFUSED(run, says)                                                      \
    do {                                                                               \
        QCOMPARE((run).exitCode, 2);                                                   \
        QVERIFY2((run).out.isEmpty(), (run).out.constData());                          \
        QVERIFY((run).err.endsWith('\n'));                                             \
        QCOMPARE((run).err.count('\n'), 1);                                            \
        QVERIFY2(QString::fromUtf8((run).err).contains(says), (run).err.constData());  \
    } while (false)
