#include "practice/PracticeMethods.h"

#include "practice/DivisionRules.h"
#include "practice/MultiplyBasicRules.h"
#include "practice/MultiplyDirectRules.h"
#include "practice/MultiplyTwoFingerRules.h"
#include "practice/SpeedAdditionRules.h"
#include "practice/SquareThreeDigitRules.h"
#include "practice/SquareTwoDigitRules.h"
#include "practice/SquareRootRules.h"

namespace PracticeMethods {

const QList<PracticeMethod>& all()
{
    // A new method adds its rules class's method() here.
    static const QList<PracticeMethod> table = {
        SpeedAdditionRules::method(),
        MultiplyBasicRules::method(),
        MultiplyDirectRules::method(),
        MultiplyTwoFingerRules::method(),
        DivisionRules::method(),
        SquareRootRules::method(),
        SquareTwoDigitRules::method(),
        SquareThreeDigitRules::method(),
    };
    return table;
}

const PracticeMethod* find(const QString& name)
{
    for (const PracticeMethod& m : all())
        if (m.name == name)
            return &m;
    return nullptr;
}

} // namespace PracticeMethods
