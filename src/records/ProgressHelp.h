#pragma once

// Help context numbers of the Progress window: its topic and the pop-ups of
// its controls.
namespace ProgressHelp {

enum Context : int {
    Topic = 485,
    Screen = 80200,
    Option = 80210,
    Figures = 80220,
    AccuracyChart = 80230,
    SecondChart = 80240,
    Missed = 80250,
    SaveChart = 80260,
    Print = 80262,
    Pdf = 80264,
    Help = 80270,
    Close = 80280,
    Open = 80290, // the Progress button of the performance report
};

} // namespace ProgressHelp
