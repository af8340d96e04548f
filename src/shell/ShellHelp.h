#pragma once

// Help topics of the shell's windows: F1 in the window opens its topic.
namespace ShellHelp {

enum Topic : int {
    GettingStarted = 300,
    SignIn = 460,      // the sign-in dialog
    Preferences = 470, // the preferences dialog
    Report = 480,      // the performance report and the saved report viewer
};

} // namespace ShellHelp
