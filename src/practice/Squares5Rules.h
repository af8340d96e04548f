#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>

// The squares of two-digit numbers with a 5, flashed like a Basics drill:
// "5 ?" poses 51 to 59, "? 5" poses 15, 25, ... 95. The learner thinks the
// square; the screen flashes it after the answer delay.
class Squares5Rules {
public:
    // The question source's name for the drill (tests pose numbers under it).
    static QString sourceName() { return QStringLiteral("squares-5"); }

    // One option button of the screen, in their order.
    struct Option {
        QString button;   // "pnlOpt5_"
        QString caption;  // "5 ?"
        int storedOption; // the number kept under "Option": 1 or 2
        QString hint;     // "|Practise squares of numbers starting with 5, ..."
    };
    static const QList<Option>& options();

    // The nine numbers of an option (1 "5 ?", 2 "? 5"; any other number
    // means 1), in increasing order.
    static QList<int> numbers(int storedOption);
    // One of the option's numbers, each as likely as the others, never
    // previous (0 = no previous number).
    static int draw(QRandomGenerator& rng, int storedOption, int previous = 0);
    // The number written in text when it is one of the option's, else 0.
    static int parse(const QString& text, int storedOption);

    static int square(int n) { return n * n; }
    // The number as a fact to review: "52²".
    static QString factKey(int n);
};
