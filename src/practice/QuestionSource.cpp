#include "practice/QuestionSource.h"

#include <QHash>

namespace QuestionSource {

namespace {

QHash<QString, QStringList>& posed()
{
    static QHash<QString, QStringList> queues;
    return queues;
}

} // namespace

void pose(const QString& method, const QStringList& questions)
{
    posed()[method].append(questions);
}

QString takePosed(const QString& method)
{
    auto it = posed().find(method);
    if (it == posed().end() || it->isEmpty())
        return QString();
    return it->takeFirst();
}

void clear()
{
    posed().clear();
}

QRandomGenerator& generator()
{
    static QRandomGenerator rng(QRandomGenerator::global()->generate());
    return rng;
}

void seed(quint32 seed)
{
    generator().seed(seed);
}

} // namespace QuestionSource
