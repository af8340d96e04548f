#pragma once

class IniFile;
class QWidget;

// "Reset Scores...": after the learner confirms, sets Correct and Total of
// every screen in the signed-in learner's file back to 0 and leaves
// everything else (options, flash speeds, best times, preferences) as it is.
// Opens no window. When the learner's data cannot be written, says so and
// changes nothing; a file that cannot be read or saved shows its error and
// stays as it was.
void ResetAllScores(QWidget* parent);

// The reset on a file read into memory: in every section, "Total" and
// "Correct" become 0 where they are present (in every copy of a section or
// key that repeats). Returns the number of values that changed (those
// already 0 are left as they are). Time and memory linear in the file.
int ResetScoresIn(IniFile& ini);
