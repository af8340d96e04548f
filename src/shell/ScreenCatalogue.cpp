#include "shell/ScreenCatalogue.h"

#include "shell/Strings.h"

#include <algorithm>

namespace ScreenCatalogue {

namespace {

const QString SpeedMultiplication = QStringLiteral("mnuSpeedMultiplication");
const QString Square = QStringLiteral("mnuSquare");

} // namespace

const QList<Row>& rows()
{
    using enum ScreenId;
    using S = Strings::Id;
    constexpr Group B = Group::Basics;
    constexpr Group P = Group::Practice;
    static const QList<Row> table = {
        // id, group, sub-menu, separator before, menu item, caption,
        //     title, title takes an option (" : "), section, help topic, report row, method
        {Addition,                 B, {},                  false, "mnuAddition",            "Addition...",
                                   S::TitleAddition,                  true,  "Addition",            500,  1, {}},
        {Subtraction,              B, {},                  false, "mnuSubtraction",         "Subtraction...",
                                   S::TitleSubtraction,               true,  "Subtraction",         500,  2, {}},
        {Doubling,                 B, {},                  true,  "mnuDoubling",            "Doubling...",
                                   S::TitleDoubling,                  true,  "Doubling",            500,  3, {}},
        {Halving,                  B, {},                  false, "mnuHalving",             "Halving...",
                                   S::TitleHalving,                   false, "Halving",             515,  4, {}},
        {OddsEvens,                B, {},                  false, "mnuOddsEvens",           "Odds && Evens...",
                                   S::TitleOddsEvens,                 false, "OddEven",             500,  5, {}},
        {Multiplication,           B, {},                  true,  "mnuBasicMultiplication", "Multiplication...",
                                   S::TitleMultiplication,            true,  "BasicMultiplication", 500,  6, {}},
        {Division,                 B, {},                  false, "mnuDivision",            "Division...",
                                   S::TitleDivision,                  true,  "BasicDivision",       520,  7, {}},
        {UnitsTens,                B, {},                  true,  "mnuUnitsTens",           "Units && Tens...",
                                   S::TitleUnitsTens,                 true,  "UnitTen",             505,  8, {}},
        {NumberTens,               B, {},                  false, "mnuNumberTens",          "Number && Tens...",
                                   S::TitleNumbersTens,               true,  "NumberTen",           510,  9, {}},
        {KeyboardSkills,           B, {},                  true,  "mnuKeyboardSkills",      "Keyboard Skills...",
                                   S::TitleKeyboardSkills,            false, "Keyboard",            525, 10, {}},

        {SpeedAddition,            P, {},                  false, "mnuSpeedAddition",       "Speed &Addition...",
                                   S::TitleSpeedAddition,             false, "SpeedAddition",       600, 11, "speed-addition"},
        {RulesForMultiplication,   P, SpeedMultiplication, false, "mnuRulesforMultiplication", "Rules for Multiplication...",
                                   S::TitleRulesForMultiplication,    true,  "RulesMultiplication", 530, 12, {}},
        {MultiplyBasic,            P, SpeedMultiplication, false, "mnuMultiplyBasic",       "Basic...",
                                   S::TitleBasicSpeedMultiplication,  true,  "MultiplyBasic",       605, 13, "multiply-basic"},
        {MultiplyDirect,           P, SpeedMultiplication, true,  "mnuDirectMethod",        "Direct Method...",
                                   S::TitleDirectMethod,              true,  "MultiplyDirect",      610, 14, "multiply-direct"},
        {MultiplyTwoFinger,        P, SpeedMultiplication, false, "mnuTwofingerMethod",     "Two-finger Method...",
                                   S::TitleTwoFingerMethod,           true,  "Multiply2Finger",     615, 15, "multiply-two-finger"},
        {Squares5,                 P, Square,              false, "mnu5__5",                "5?  && ?5...",
                                   S::TitleSquare5_5,                 true,  "Square5_5",           535, 17, {}},
        {Square2Digit,             P, Square,              false, "mnu2Digit",              "2-Digit...",
                                   S::TitleSquare2Digit,              true,  "Square2Digit",        625, 18, "square-two-digit"},
        {Square3Digit,             P, Square,              true,  "mnu3Digit",              "3-Digit...",
                                   S::TitleSquare3Digit,              true,  "Square3Digit",        630, 19, "square-three-digit"},
        {SpeedDivision,            P, {},                  true,  "mnuSpeedDivision",       "Speed Di&vision...",
                                   S::TitleSpeedDivision,             true,  "SpeedDivision",       620, 16, "divide"},
        {SquareRoot,               P, {},                  true,  "mnuSquareRoot",          "Square &Root...",
                                   S::TitleSquareRoot,                true,  "SquareRoot",          635, 20, "square-root"},
    };
    return table;
}

const Row& row(ScreenId id)
{
    for (const Row& r : rows())
        if (r.id == id)
            return r;
    // Every ScreenId has its row (tst_ScreenCatalogue checks it).
    qFatal("no catalogue row for screen %d", int(id));
}

const QList<const Row*>& inReportOrder()
{
    static const QList<const Row*> ordered = [] {
        QList<const Row*> screens;
        for (const Row& screen : rows())
            screens.append(&screen);
        std::sort(screens.begin(), screens.end(), [](const Row* a, const Row* b) { return a->reportRow < b->reportRow; });
        return screens;
    }();
    return ordered;
}

const Row* findByMenuItem(const QString& menuItem)
{
    for (const Row& r : rows())
        if (r.menuItem == menuItem)
            return &r;
    return nullptr;
}

const QList<SubMenu>& subMenus()
{
    static const QList<SubMenu> table = {
        {SpeedMultiplication, QStringLiteral("Speed &Multiplication"), true},
        {Square, QStringLiteral("S&quare"), true},
    };
    return table;
}

const SubMenu* findSubMenu(const QString& name)
{
    for (const SubMenu& s : subMenus())
        if (s.name == name)
            return &s;
    return nullptr;
}

} // namespace ScreenCatalogue
