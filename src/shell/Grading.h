#pragma once

#include <QString>

class IniFile;

// The grading rule that turns Correct and Total into a red, amber or green
// mark, and the texts that describe a learner level.
namespace Grading {

enum class Grade {
    None,  // Correct and Total both 0: every lamp unlit
    Red,
    Amber,
    Green,
    Keep   // more than 100 per cent: the lamps keep their previous state
};

// Bounds of the three fixed levels (1 Beginner, 2 Intermediate, 3 Advanced).
struct Bounds {
    int lower;
    int upper;
};
Bounds levelBounds(int level); // level 4 (Custom) and unknown levels give 50/74

// percent = Correct x 100 div Total; a Total of 0 with Correct above 0 counts
// as more than 100 per cent.
Grade grade(int correct, int total, int lowerAmber, int upperAmber);

// A learner's grading level and bounds as their settings file holds them
// (section "GradePrefs"): a key missing, not a number or out of its range
// (level 1..4, percentages 0..100) reads as its default, Beginner 50/74.
struct LevelPrefs {
    int level = 1;
    int lowerAmber = 50;
    int upperAmber = 74;
    int customLowerAmber = 50;
    int customUpperAmber = 74;
};
LevelPrefs readLevelPrefs(const IniFile& ini);

// "Beginner : ", "Intermediate : ", "Advanced : ", "Custom : "; empty for any
// other level.
QString levelName(int userLevel);

} // namespace Grading
