#pragma once

#include <QString>

// The numbered texts of the program: captions, titles, hints and messages.
namespace Strings {

// The text with the given number; empty when no such text exists.
QString text(int id);
// True when the table holds the number.
bool has(int id);

enum Id : int {
    Odd = 65216,
    HintNumber = 65217,
    HintNeighbor = 65218,
    HintLeftSideDigit = 65219,
    HintMultiplicand = 65220,
    OverallPercentage = 65223,
    HeadingCorrect = 65224,
    HeadingTotal = 65225,
    ResetAllQuestion = 65226,
    ResetCompleted = 65227,
    ResetNothing = 65228,
    PreferencesTitle = 65229,
    AboutMenuTitle = 65230,
    CustomQuestionCaption = 65240,
    CustomOptionHint = 65241,
    CustomDigitsOnly = 65242,
    Think = 65243,
    CannotCorrect = 65244,
    StopwatchMyTime = 65245,
    StopwatchBestTime = 65246,
    RuleForNumber = 65247,
    PreferencesFor = 65253,
    UnableToCreateFolder = 65254,
    RemoveNameHint = 65255,
    SelectTypeNameHint = 65256,
    SelectNameHint = 65257,
    ForbiddenNameChars = 65258,
    PrintScores = 65280,
    UnableToSave = 65281,
    UnableToClose = 65283,
    ClearScoresQuestion = 65284,
    CorrectAboveTotal = 65285,
    NothingToClear = 65286,
    ScoreLimit = 65287,
    HintPressPlay = 65288,
    HintPressStop = 65289,
    TitleUnitsTens = 65296,
    TitleMultiplication = 65297,
    TitleDivision = 65298,
    TitleNumbersTens = 65299,
    TitleKeyboardSkills = 65300,
    TitleSpeedAddition = 65301,
    TitleRulesForMultiplication = 65302,
    TitleBasicSpeedMultiplication = 65303,
    TitleDirectMethod = 65304,
    TitleTwoFingerMethod = 65305,
    TitleSpeedDivision = 65306,
    TitleSquare5_5 = 65307,
    TitleSquare2Digit = 65308,
    TitleSquare3Digit = 65309,
    TitleSquareRoot = 65310,
    TitleScores = 65311,
    ApplicationTitle = 65318,
    LevelBeginner = 65319,
    LevelIntermediate = 65320,
    LevelAdvanced = 65321,
    LevelCustom = 65322,
    TitleAddition = 65323,
    TitleSubtraction = 65324,
    TitleDoubling = 65325,
    TitleHalving = 65326,
    TitleOddsEvens = 65327,
};

} // namespace Strings
