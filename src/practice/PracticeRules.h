#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <utility>

// Records shared by the rules of every practice method. A method's rules turn
// a question into a WorkedProblem: every working box with the value it must
// hold, the text it shows under the actual answer steps, its step hint and the
// panels its colour hint lights; the carry boxes; the correct answer panels.
// Panels are named by their component names, so a screen maps a record onto
// its widgets with findChild<>(name) or a table of its own.

// How a colour hint lights a panel.
enum class ColorHintStyle {
    Background, // yellow background; the panel keeps its own text colour rule
    Text,       // yellow text only (the grey imaginary zeros beside a number)
    CarryBox,   // yellow background with black text (carry boxes)
    Paint,      // background of the colour rgb (a method's own colour table)
};

struct ColorHint {
    QString panel;
    ColorHintStyle style = ColorHintStyle::Background;
    quint32 rgb = 0; // 0xRRGGBB, for ColorHintStyle::Paint

    bool operator==(const ColorHint&) const = default;
};

// One entry of the screen's list of working boxes.
struct RuleBox {
    QString box;        // component name of the working panel
    int value = 0;      // the value the box must hold
    QString text;       // what the box shows under the actual answer steps
    QString hint;       // whole hint: short part, "|", long part
    int width = 1;      // digits the box takes
    bool mental = false;
    bool unused = false;
    int carryLink = -1; // index into WorkedProblem::carries; -1 = none
    bool stripZeros = false; // read at STOP without its leading zeros ("05" is 5)
    bool zeroMayBeLeftOut = false; // left empty while its text is "0", it reads "0" at STOP (a short product's top)
    QList<ColorHint> colorHints; // what lights up while this box is current
};

// One carry box and the digit it must hold (an empty box counts as 0).
struct RuleCarry {
    QString box;
    int value = 0;

    bool operator==(const RuleCarry&) const = default;
};

// A panel and the text it shows.
struct PanelText {
    QString panel;
    QString text;

    bool operator==(const PanelText&) const = default;
};

struct WorkedProblem {
    QString method;   // the worksheet tool's method name, e.g. "speed-addition"
    QString question; // the question in its written form, with "x" and "/"
    QString answer;   // the answer panels read from left to right and joined
    std::optional<qint64> remainder;
    QList<PanelText> questionPanels;  // the panels that show the question, with their texts
    QList<RuleBox> boxes;             // in the order of the screen's list
    QList<RuleCarry> carries;         // in the order of the carry box list
    QList<PanelText> answerPanels;    // in the order of the answer panel list
    QList<PanelText> answerCarryRow;  // the correct carries shown after STOP; "" for 0
};

// The result of reading a question typed by a person: the question, or one
// line that says what is wrong with it.
template <typename Question>
struct ParseResult {
    std::optional<Question> question;
    QString error;

    bool ok() const { return question.has_value(); }
    static ParseResult success(Question q) { return {std::move(q), QString()}; }
    static ParseResult failure(QString message) { return {std::nullopt, std::move(message)}; }
};

namespace PracticeText {

// True when text is not empty and every character is a digit lo..hi.
bool isDigits(QStringView text, int lo = 0, int hi = 9);

// "" for 0, otherwise the decimal text: how carry panels show a carry.
QString carryText(int carry);

// The decimal text of v (the hints' shorthand).
inline QString num(qint64 v) { return QString::number(v); }
// v written with at least width digits, zeros in front ("05", "075").
QString padded(qint64 v, int width);
// The count of decimal digits of v >= 0 (1 for 0).
int digitCount(qint64 v);

// component name + number, e.g. numbered("pnlWorking", 12) = "pnlWorking12".
QString numbered(const char* prefix, int n);

// The two numbers of a question "A<sign>B" (sign or altSign, the first one
// found), each trimmed; nullopt when neither sign is in the text.
std::optional<std::pair<QString, QString>> operands(const QString& text, QChar sign, QChar altSign);

} // namespace PracticeText

namespace WorkedProblemWriter {

// One JSON object on one line (UTF-8, no newline), keys in the order:
// method, question, answer, [remainder], boxes (box, value, text, hint,
// width, mental, unused), carries (box, value).
QByteArray toJsonLine(const WorkedProblem& problem);

// A readable worked solution over several lines, ending in a newline.
QString toText(const WorkedProblem& problem);

} // namespace WorkedProblemWriter
