#pragma once

// Reading a PDF back as text with poppler's pdftotext, for the worksheet
// tests. A test skips when pdftotext is not installed (scripts/setup.sh
// installs poppler-utils).

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

inline bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of the PDF (extra arguments e.g. "-layout" or "-bbox"); empty
// when pdftotext failed.
inline QString pdfText(const QString& pdf, const QStringList& extra = {})
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), extra + QStringList{pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
