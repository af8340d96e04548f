#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "basics/FactDrillRules.h"

// The multiplication and division tables: operands of every option, answers,
// and the drawing of questions at random. Plain rules, no widgets.

enum class TableOperation { Multiply, Divide };

// first x second = answer, or first ÷ second = answer with the remainder
// dropped.
struct TableQuestion {
    int first = 0;
    int second = 0;
    int answer = 0;
    bool operator==(const TableQuestion& other) const = default;
};

// What an option asks: the operation and its fixed multiplier or divisor, or
// 0 when that is drawn at every question ("Random").
struct TableAsk {
    TableOperation operation = TableOperation::Multiply;
    int fixed = 0;
};

namespace TableDrillRules {

// The ranges the operands are drawn from. The multiplicand and a drawn
// multiplier are one-digit numbers from 2 (times 0 and times 1 teach nothing);
// a drawn divisor is 2..9, the dividend of "Random" 1..99 and of a fixed
// divisor a two-digit number.
struct Range {
    int low = 0;
    int high = 0;
    bool contains(int n) const { return n >= low && n <= high; }
};
Range firstRange(const TableAsk& ask);
Range secondRange(const TableAsk& ask);

int answer(TableOperation operation, int first, int second);
TableQuestion pose(TableOperation operation, int first, int second);

// True when the question is one the option may pose, its answer computed
// from its operands.
bool fits(const TableAsk& ask, const TableQuestion& question);

// Every question the option may pose.
QList<TableQuestion> all(const TableAsk& ask);
// The question as a fact: "7×8", "26÷5".
QString factKey(const TableAsk& ask, const TableQuestion& question);

} // namespace TableDrillRules

namespace TableDrillRules {

// A question of what the option asks, its operands drawn evenly over their
// ranges.
TableQuestion draw(DrillRandom& random, const TableAsk& ask);
inline bool same(const TableQuestion& a, const TableQuestion& b) { return a == b; }

} // namespace TableDrillRules

template <>
struct DrillFacts<TableQuestion, TableAsk> {
    static QList<TableQuestion> all(const TableAsk& ask) { return TableDrillRules::all(ask); }
    static QString key(const TableAsk& ask, const TableQuestion& q) { return TableDrillRules::factKey(ask, q); }
};

using TableQuestionSource = DrillQuestionSource<TableQuestion, TableAsk>;

// Table questions drawn at random, never the same question twice in a row.
using RandomTableQuestions = RandomQuestions<TableQuestion, TableAsk, TableDrillRules::draw, TableDrillRules::same>;
