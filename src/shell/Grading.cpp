#include "shell/Grading.h"

#include "shell/Strings.h"

namespace Grading {

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
