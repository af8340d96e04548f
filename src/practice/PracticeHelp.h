#pragma once

// Help context numbers of the practice screens: the workbench's controls,
// the boxes and the legends. Every practice window takes its numbers from
// here; the method topics are those of the screens' rows in the catalogue
// of screens (shell/ScreenCatalogue.h).
namespace PracticeHelp {

enum Context : int {
    // Controls of the workbench.
    ClearScores = 10130,
    TotalScore = 10150,
    StopButton = 10170,
    EjectButton = 10180,
    PlayButton = 20100,
    NewBestTime = 20105, // the pop-up after a new best time
    RestartButton = 20110,
    CustomButton = 20120,
    CorrectScore = 20130,
    ShowHint = 20140,
    ShowColorHints = 20150,
    HideMentalBoxes = 20160,
    AnswerSteps = 20170,
    StatusLine = 20180,
    ShowRule = 20190,
    HideUtPanels = 20200,
    DigitRange = 20210,
    Stopwatch = 20220,
    GradeLamp = 20230,
    Box = 20240, // working and carry boxes
    JumpArrow = 20250,

    // Legends of the keys (the Legend button's pop-up).
    LegendMultiply = 20260,
    LegendSquares = 20270,
    LegendSpeedAddition = 20280,
    LegendDivisionRoot = 20290,
};

} // namespace PracticeHelp
