#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "practice/PracticeMethod.h"
#include "shell/Grading.h"
#include "shell/ScreenCatalogue.h"

// The class overview: every learner of the user data folder with the percent
// and grade of each screen, read from the learners' settings files without
// ever writing one. Plain data, no widgets.
//
// Who is in it: the names of the name list, then the settings files of the
// folder whose names the list does not hold (marked "not in the list"). A
// listed learner without a file has never practised: every cell blank.
//
// A cell: Correct and Total of the screen's section; percent and grade by
// the learner's own grading level and bounds (section "GradePrefs", read as
// the sign-in reads them), blank when both are 0. A file that cannot be read
// (no permission, larger than an ini file can be, a folder) gives a row
// with its reason and no cells; a file whose counts could never have been
// written (Correct above Total, out of 0..1000) shows those cells as
// damaged and says which in the row's note.
class ClassOverviewRules
{
public:
    // One screen column, in the performance report's order (Basics first).
    struct Column {
        ScreenId id;
        QString section;
        int titleId;
        bool basics;
        QList<MethodBestTime> bestTimes; // empty for a screen without best times
    };
    static const QList<Column>& columns();

    struct BestTime {
        QString caption; // the options that choose the problem type ("" when the screen has none)
        double days = 0; // 0: none yet
    };
    struct Cell {
        int correct = 0;
        int total = 0;
        int percent = -1;                      // -1: blank (never practised, or damaged)
        Grading::Grade grade = Grading::Grade::None;
        bool damaged = false;                  // counts that could never have been written
        QList<BestTime> bestTimes;             // of a practice screen, every problem type
        bool practised() const { return percent >= 0; }
    };
    struct Learner {
        QString name;
        QString file;           // the settings file's path
        bool listed = true;     // in the name list
        QString problem;        // why the file could not be read ("" when it was)
        QString note;           // what was found wrong in a file that was read
        int level = 1;
        int lowerAmber = 50;
        int upperAmber = 74;
        QList<Cell> cells;      // one per column (all blank when problem is set)
        qint64 problemsDone = 0; // the sum of Total over the screens
        QDateTime lastPractised; // invalid: not known
    };

    // The time of a learner's last record, from the settings file's path
    // (invalid when there is none); the overview asks it once per learner.
    using LastPractised = std::function<QDateTime(const QString& iniFile)>;

    // Reads one learner's settings file (read only).
    static Learner readLearner(const QString& name, const QString& iniFile, bool listed);
    // Every learner: the listed names in list order, then the settings files
    // of userDataFolder that no listed name owns, in name order.
    static QList<Learner> readClass(const QStringList& listedNames, const QString& userDataFolder,
                                    const LastPractised& lastPractised = {});
    // The settings files of a folder that belong to learners: "*.ini" but the
    // name list and the pointer file; names without ".ini".
    static QStringList learnerNamesInFolder(const QString& folder);

    // ---- what the window shows ---------------------------------------------
    enum class Filter { All, Basics, Practice };
    static bool shows(Filter filter, const Column& column);

    // Sort keys: the name, the grading level, a screen column (its index in
    // columns()), the problems done, the time last practised, the note.
    enum class Key { Name, Level, Screen, ProblemsDone, LastPractised, Note };
    struct SortKey {
        Key key = Key::Name;
        int column = 0; // for Key::Screen
    };
    // Stable sort; blank values (never practised, unreadable) stay last in
    // either order, names break ties alphabetically.
    static void sort(QList<Learner>& learners, SortKey key, bool ascending);

    // The class median of a screen over the learners who practised it, in
    // tenths of a per cent (725 = 72.5); -1 when nobody did.
    static int medianTenths(const QList<Learner>& learners, int column);
    // Median of the problems done of every readable learner (-1 when none), in tenths.
    static int medianProblemsTenths(const QList<Learner>& learners);
    // "72.5", "72"; "" for -1.
    static QString tenthsText(int tenths);

    // "Beginner", "Custom" ... without the " : " of the grading hint.
    static QString levelText(int level);
    // "yyyy-MM-dd hh:mm" in local time, "" when not known.
    static QString timeText(const QDateTime& time);

    // ---- the table as text (export and print) ------------------------------
    // Header, one row per learner, then the class medians: "Learner",
    // "In list", "Level", the shown screens' titles, "Problems done",
    // "Last practised", "Note". Percents are plain numbers.
    static QList<QStringList> table(const QList<Learner>& learners, Filter filter);
    // RFC 4180: fields joined by commas, a field holding a comma, a double
    // quote, CR or LF in double quotes with its quotes doubled, lines ending
    // in CRLF. UTF-8 without a byte-order mark.
    static QByteArray csv(const QList<QStringList>& rows);
    static QString csvField(const QString& field);

    // Counts a settings file holds when they could have been written.
    static constexpr int MaxCount = 1000;
};
