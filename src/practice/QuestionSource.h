#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Where the practice screens get their questions: a random draw, unless a
// question has been posed for the method. Tests pose the worked examples
// this way; the texts are written as the worksheet tool writes questions
// ("63275198+25845355+...", "93821547x12").
namespace QuestionSource {

// Poses questions for a method (the worksheet tool's method name, e.g.
// "speed-addition"); they are handed out in order, one per new question.
void pose(const QString& method, const QStringList& questions);
// The next posed question of the method, taken off the queue; empty when
// none is posed (the screen then draws one).
QString takePosed(const QString& method);
// Forgets every posed question.
void clear();

// The generator the screens draw with (seeded from the system at start).
QRandomGenerator& generator();
// Makes the draws repeatable.
void seed(quint32 seed);

} // namespace QuestionSource
