#pragma once

#include "practice/PracticeRules.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

// A printable worksheet without widgets: the problems of one or more
// methods, each with its question, its answer and the grid of boxes as the
// method's screen lays them out. The painter (WorksheetPainter.h) puts a
// sheet on paper; the worksheet tool and the window build sheets here.
namespace WorksheetSheet {

// Where a box stands on its screen, in the screen's pixels.
struct BoxPlace {
    QString box;
    QRect rect;
};

// One cell of a problem's grid: a question digit, a working box or a carry box.
struct Cell {
    enum class Kind { Question, Working, Carry };
    Kind kind = Kind::Working;
    QRect rect;      // in the screen's pixels, moved so the grid starts at (0, 0)
    QString text;    // question digit; the box's value for the key ("" = empty carry)
    bool mental = false;
};

struct Problem {
    QString question;               // "93821547 × 12"
    QString answer;                 // "1125858564"
    std::optional<qint64> remainder;
    QList<Cell> cells;              // empty for a fact of a flash drill
    QSize gridSize;                 // the grid's size in the screen's pixels
};

// One part of a sheet: the problems of one method with one choice of options.
struct Section {
    QString method;                 // "multiply-basic", "fact-addition"
    QString heading;                // "Speed Multiplication, Basic: 12"
    bool facts = false;             // a flash drill's facts: compact columns
    QList<Problem> problems;
};

struct Sheet {
    QString title;
    bool answers = false;           // add the answer key
    QList<Section> sections;
};

// What a section is made of: a method, one option per group, how many
// problems and the seed of the draw.
struct Request {
    QString method;
    QStringList options;            // one name per option group, in group order; empty = defaults
    int count = 20;
    quint32 seed = 0;
};

constexpr int MaxProblems = 100;

// The names of the methods a sheet can hold: the practice methods, then the
// flash drills' facts.
QStringList methodNames();
// The option groups of a method (practice or drill), as the screen offers them.
struct OptionGroup {
    QString what;
    QStringList names;
};
QList<OptionGroup> optionGroups(const QString& method);
// The menu caption of a method's screen without "..." ("Speed Division").
QString caption(const QString& method);

// Draws a section; an error text when the request is wrong (unknown method
// or option, count outside 1..MaxProblems).
std::optional<Section> section(const Request& request, QString* error = nullptr);

// The shape of a worked problem: which of its boxes are unused, how many
// answer panels it has and which stay empty (a short answer). A screen
// may move its boxes with the shape (a division whose quotient starts a
// digit later), so the layout table holds one layout per shape.
QString shapeOf(const WorkedProblem& problem);
// The layout key of a choice of options and a shape: "2-Digit, 5-Digit | 16 17 / 3".
QString layoutKey(const QStringList& options, const QString& shape);
// The places of a practice method's boxes for its options and a problem's
// shape (the screens' arrangement, from the shared layout table); empty
// when not known.
QList<BoxPlace> places(const QString& method, const QString& key);

// The grid of a worked problem: question digits, working boxes and carry
// boxes where the screen puts them. Unused boxes are left out. values: the
// boxes carry their values (the key); otherwise they are empty.
QList<Cell> grid(const WorkedProblem& problem, const QList<BoxPlace>& places, bool values);

// The layout table as text (the format that loadLayouts reads), and its
// reader: "layout METHOD", "options A, B" lines, then "BOX x y w h" lines.
struct Layout {
    QString method;
    QStringList optionKeys;         // layoutKey()s
    QList<BoxPlace> places;
};
QList<Layout> parseLayouts(const QString& text);
QString writeLayouts(const QList<Layout>& layouts);

} // namespace WorksheetSheet
