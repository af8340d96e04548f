#pragma once

// Worked problems as JSON objects, the form the worksheet tool writes: the
// rules tests compare the rules' solution with a model of the method written
// in the test, and the tool tests compare the tool's lines with the rules'.

#include "practice/PracticeMethods.h"
#include "practice/PracticeRules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

inline QJsonObject asJson(const WorkedProblem& p)
{
    return QJsonDocument::fromJson(WorkedProblemWriter::toJsonLine(p)).object();
}

inline QString compactJson(const QJsonValue& v)
{
    return v.isObject() ? QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact))
                        : v.toVariant().toString();
}

// "" when equal, otherwise the first key (or box of an array, or field of a
// box) that differs, with both values.
inline QString firstDifference(const QJsonObject& got, const QJsonObject& want)
{
    if (got == want)
        return QString();
    if (got.keys() != want.keys())
        return QStringLiteral("keys: ") + got.keys().join(',') + QStringLiteral(" | expected ") + want.keys().join(',');
    for (const QString& key : want.keys()) {
        if (got[key] == want[key])
            continue;
        if (!want[key].isArray())
            return QStringLiteral("%1: %2 | expected %3").arg(key, compactJson(got[key]), compactJson(want[key]));
        const QJsonArray g = got[key].toArray(), w = want[key].toArray();
        for (qsizetype i = 0; i < qMax(g.size(), w.size()); ++i) {
            if (g.at(i) == w.at(i))
                continue;
            const QJsonObject gi = g.at(i).toObject(), wi = w.at(i).toObject();
            for (const QString& field : wi.keys())
                if (gi[field] != wi[field])
                    return QStringLiteral("%1[%2] %3: %4 | expected %5")
                        .arg(key)
                        .arg(i)
                        .arg(field, compactJson(gi[field]), compactJson(wi[field]));
            return QStringLiteral("%1[%2]: %3 | expected %4").arg(key).arg(i).arg(compactJson(gi), compactJson(wi));
        }
    }
    return QStringLiteral("?");
}

// The rules' solution of a typed question as the worksheet tool's JSON
// line, or "" when the method refuses the question.
inline QByteArray solvedLine(const QString& method, const QString& question)
{
    const PracticeMethod* m = PracticeMethods::find(method);
    const auto solved = m ? m->solve(question) : ParseResult<WorkedProblem>::failure(QStringLiteral("no method"));
    return solved.ok() ? WorkedProblemWriter::toJsonLine(*solved.question) : QByteArray();
}

inline QJsonObject solvedJson(const QString& method, const QString& question)
{
    return QJsonDocument::fromJson(solvedLine(method, question)).object();
}

// count problems drawn through the practice methods' catalogue, as the
// screens and the worksheet tool draw them; chosen holds one option name per
// option group, in group order.
inline QList<WorkedProblem> drawnProblems(const QString& method, const QStringList& chosen, quint32 seed, int count)
{
    const PracticeMethod* m = PracticeMethods::find(method);
    if (!m)
        qFatal("no practice method %s", qPrintable(method));
    QList<WorkedProblem> out;
    QRandomGenerator rng(seed);
    for (int k = 0; k < count; ++k)
        out << m->draw(rng, chosen);
    return out;
}
