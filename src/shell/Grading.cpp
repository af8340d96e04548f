#include "shell/Grading.h"

#include "platform/IniFile.h"
#include "shell/Strings.h"

namespace Grading {

namespace {

// An integer key of "GradePrefs" inside [low, high]; anything else gives the default.
int readRanged(const IniFile& ini, const QString& key, int defaultValue, int low, int high)
{
    const int value = ini.readInteger(QStringLiteral("GradePrefs"), key, defaultValue);
    return value >= low && value <= high ? value : defaultValue;
}

} // namespace

LevelPrefs readLevelPrefs(const IniFile& ini)
{
    const LevelPrefs defaults;
    LevelPrefs prefs;
    prefs.customLowerAmber = readRanged(ini, QStringLiteral("CustomLowerAmber"), defaults.customLowerAmber, 0, 100);
    prefs.customUpperAmber = readRanged(ini, QStringLiteral("CustomUpperAmber"), defaults.customUpperAmber, 0, 100);
    prefs.level = readRanged(ini, QStringLiteral("UserLevel"), defaults.level, 1, 4);
    prefs.lowerAmber = readRanged(ini, QStringLiteral("LowerAmber"), defaults.lowerAmber, 0, 100);
    prefs.upperAmber = readRanged(ini, QStringLiteral("UpperAmber"), defaults.upperAmber, 0, 100);
    return prefs;
}

Bounds levelBounds(int level)
{
    switch (level) {
    case 2: return {65, 84};
    case 3: return {80, 94};
    default: return {50, 74};
    }
}

Grade grade(int correct, int total, int lowerAmber, int upperAmber)
{
    if (correct == 0 && total == 0)
        return Grade::None;
    if (total <= 0 || correct > total || correct < 0)
        return Grade::Keep;
    const int percent = correct * 100 / total;
    if (percent < lowerAmber)
        return Grade::Red;
    if (percent <= upperAmber)
        return Grade::Amber;
    return Grade::Green;
}

QString levelName(int userLevel)
{
    switch (userLevel) {
    case 1: return Strings::text(Strings::LevelBeginner);
    case 2: return Strings::text(Strings::LevelIntermediate);
    case 3: return Strings::text(Strings::LevelAdvanced);
    case 4: return Strings::text(Strings::LevelCustom);
    default: return QString();
    }
}

} // namespace Grading
