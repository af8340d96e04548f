#pragma once

// Help context numbers of the flash drills' controls. Every flash drill
// window takes its numbers from here; the drill topics are those of the
// screens' rows in the catalogue of screens (shell/ScreenCatalogue.h).
namespace BasicsHelp {

enum Context : int {
    // Controls of the flash engine.
    AnswerDelay = 10100,
    QuestionDelay = 10110,
    CheckTiming = 10120,
    Clear = 10130,
    Correct = 10140,
    Total = 10150,
    Play = 10160,
    Stop = 10170,
    Eject = 10180,
    StatusBar = 10190,
    KeyboardSpeed = 10200, // Keyboard Skills' question track bar
    HideUnitTenMarks = 10210,
    HideNumberTenMarks = 10220,
    PractiseMisses = 10230, // its check box and the count of facts to review
    Lamps = 20230,
};

} // namespace BasicsHelp
