#include "app/ScreenFactories.h"

#include "basics/BasicsAdd.h"
#include "basics/BasicsBasicDivision.h"
#include "basics/BasicsBasicMultiplication.h"
#include "basics/BasicsDouble.h"
#include "basics/BasicsHalf.h"
#include "basics/BasicsKeyboardSkills.h"
#include "basics/BasicsNumberTen.h"
#include "basics/BasicsOddEven.h"
#include "basics/BasicsRulesForMultiplication.h"
#include "basics/BasicsSubtract.h"
#include "basics/BasicsUnitTen.h"
#include "practice/PractiseDivision.h"
#include "practice/PractiseMultiply2FingerMethod.h"
#include "practice/PractiseMultiplyBasic.h"
#include "practice/PractiseMultiplyDirectMethod.h"
#include "practice/PractiseSpeedAddition.h"
#include "practice/PractiseSquare2Digit.h"
#include "practice/PractiseSquare3Digit.h"
#include "practice/PractiseSquareRoot.h"
#include "practice/PractiseSquares5__5.h"

ChildForm* createScreen(ScreenId id)
{
    // No default: the compiler names a ScreenId without its form.
    switch (id) {
    case ScreenId::Addition: return new TBasicsAddForm;
    case ScreenId::Subtraction: return new TBasicsSubtractForm;
    case ScreenId::Doubling: return new TBasicsDoubleForm;
    case ScreenId::Halving: return new TBasicsHalfForm;
    case ScreenId::OddsEvens: return new TBasicsOddEvenForm;
    case ScreenId::Multiplication: return new TBasicsBasicMultiplicationForm;
    case ScreenId::Division: return new TBasicsBasicDivisionForm;
    case ScreenId::UnitsTens: return new TBasicsUnitTenForm;
    case ScreenId::NumberTens: return new TBasicsNumberTenForm;
    case ScreenId::KeyboardSkills: return new TBasicsKeyboardSkillsForm;
    case ScreenId::SpeedAddition: return new TPractiseSpeedAdditionForm;
    case ScreenId::RulesForMultiplication: return new TBasicsRulesForMultiplicationForm;
    case ScreenId::MultiplyBasic: return new TPractiseMultiplyBasicForm;
    case ScreenId::MultiplyDirect: return new TPractiseMultiplyDirectMethodForm;
    case ScreenId::MultiplyTwoFinger: return new TPractiseMultiply2FingerMethodForm;
    case ScreenId::Squares5: return new TPractiseSquares5__5Form;
    case ScreenId::Square2Digit: return new TPractiseSquare2DigitForm;
    case ScreenId::Square3Digit: return new TPractiseSquare3DigitForm;
    case ScreenId::SpeedDivision: return new TPractiseDivisionForm;
    case ScreenId::SquareRoot: return new TPractiseSquareRootForm;
    }
    return nullptr;
}
