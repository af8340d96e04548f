#include "shell/Strings.h"

#include <QHash>

namespace {

const QHash<int, QString>& table()
{
    static const QHash<int, QString> texts = {
        {65216, QStringLiteral("Odd")},
        {65217, QStringLiteral("Number|")},
        {65218, QStringLiteral("Neighbor|")},
        {65219, QStringLiteral("Left-side digit|")},
        {65220, QStringLiteral("Multiplicand|")},
        {65223, QStringLiteral("Overall percentage :")},
        {65224, QStringLiteral("Correct")},
        {65225, QStringLiteral("Total")},
        {65226, QStringLiteral("Do you really want to reset ALL your scores to 0?")},
        {65227, QStringLiteral("Completed resetting Correct and Total to zero")},
        {65228, QStringLiteral("There were no scores to set to zero")},
        {65229, QStringLiteral("Preferences")},
        {65230, QStringLiteral("About Vandrelsholm Speed Math...")},
        {65240, QStringLiteral("Create Your Own Question")},
        {65241, QStringLiteral("This button is set in the other screen. Press\r\nthe CANCEL button to return to that screen|")},
        {65242, QStringLiteral("Please use 1, 2, 3, 4, 5, 6, 7, 8, 9 only.")},
        {65243, QStringLiteral(" :: Think:")},
        {65244, QStringLiteral("You cannot correct this since you have finished solving the problem. Instead, you can click the RESTART button to do this problem again.")},
        {65245, QStringLiteral("Stopwatch|The time you took to solve the problem, in Minutes:Seconds. Click to see Best Time.")},
        {65246, QStringLiteral("Stopwatch|The SHORTEST time you ever took to CORRECTLY solve this problem type.")},
        {65247, QStringLiteral("RULE FOR NUMBER ")},
        {65253, QStringLiteral("Preferences for ")},
        {65254, QStringLiteral("Windows was unable to create the folder above.\r\n\r\nYour hard disk may be full, or you may have system errors.\r\n\r\nDefault settings will be used.\r\nPerformance data cannot be saved.")},
        {65255, QStringLiteral("Right-click mouse to remove name from list.")},
        {65256, QStringLiteral("Dropdown the list to select your name;\r\nif new, type your name in the box below.")},
        {65257, QStringLiteral("Dropdown the list and select your name")},
        {65258, QStringLiteral("Cannot use \\/:*?\"<>| characters in your name!")},
        {65264, QStringLiteral(" Take \"half\" the neighbor ")},
        {65265, QStringLiteral(" Add 5 if number is odd ")},
        {65266, QStringLiteral(" Take the number ")},
        {65267, QStringLiteral(" Add 5 if number is odd ")},
        {65268, QStringLiteral(" Add \"half\" the neighbor ")},
        {65269, QStringLiteral(" Double the number ")},
        {65270, QStringLiteral(" Add 5 if number is odd ")},
        {65271, QStringLiteral(" Add \"half\" the neighbor ")},
        {65272, QStringLiteral(" Subtract number from 10; double ")},
        {65273, QStringLiteral(" Subtract number from 9; double; add the neighbor ")},
        {65274, QStringLiteral(" Add left-side digit to \"carry\"; subtract 2 ")},
        {65275, QStringLiteral(" Subtract number from 10 ")},
        {65276, QStringLiteral(" Subtract number from 9; add the neighbor ")},
        {65277, QStringLiteral(" Add left-side digit to \"carry\"; subtract 1 ")},
        {65278, QStringLiteral("Add the neighbor ")},
        {65279, QStringLiteral("Double the number ")},
        {65280, QStringLiteral("PRINT SCORES")},
        {65281, QStringLiteral("Unable to save your performance data in folder above.\r\nYour hard disk may be full, or you may have system errors.")},
        {65283, QStringLiteral("Unable to close while practising! Press STOP first.")},
        {65284, QStringLiteral("Are you sure you want to reset your CORRECT and TOTAL scores to 0?")},
        {65285, QStringLiteral("CORRECT score cannot be more than TOTAL!")},
        {65286, QStringLiteral("Nothing to clear. The CORRECT and TOTAL scores are already 0!")},
        {65287, QStringLiteral("Scores cannot be more than 1000. Please STOP and clear scores.")},
        {65288, QStringLiteral("|Press PLAY button or hit ENTER key on your keyboard to start.")},
        {65289, QStringLiteral("|Press STOP button or hit ESC key on your keyboard to stop.")},
        {65290, QStringLiteral(" Subtract number from 10; double; add 5 if number is odd ")},
        {65291, QStringLiteral(" Subtract number from 9; double; add 5 if number is odd; add \"half\" the neighbor ")},
        {65292, QStringLiteral(" Take \"half\" the left-side digit; add \"carry\"; subtract 2 ")},
        {65293, QStringLiteral(" Subtract number from 10; add 5 if number is odd ")},
        {65294, QStringLiteral(" Subtract number from 9; add 5 if number is odd; add \"half\" the neighbor ")},
        {65295, QStringLiteral(" Take \"half\" the left-side digit; add \"carry\"; subtract 1 ")},
        {65296, QStringLiteral("UNITS & TENS")},
        {65297, QStringLiteral("MULTIPLICATION")},
        {65298, QStringLiteral("DIVISION")},
        {65299, QStringLiteral("NUMBERS & TENS")},
        {65300, QStringLiteral("KEYBOARD SKILLS")},
        {65301, QStringLiteral("SPEED ADDITION")},
        {65302, QStringLiteral("RULES FOR MULTIPLICATION")},
        {65303, QStringLiteral("BASIC SPEED MULTIPLICATION")},
        {65304, QStringLiteral("DIRECT METHOD SPEED MULTIPLICATION")},
        {65305, QStringLiteral("TWO-FINGER METHOD SPEED MULTIPLICATION")},
        {65306, QStringLiteral("SPEED DIVISION")},
        {65307, QStringLiteral("SQUARE 5?5")},
        {65308, QStringLiteral("SQUARE 2-DIGIT")},
        {65309, QStringLiteral("SQUARE 3-DIGIT")},
        {65310, QStringLiteral("SQUAREROOT")},
        {65311, QStringLiteral("SCORES")},
        {65318, QStringLiteral("Vandrelsholm Speed Math")},
        {65319, QStringLiteral("Beginner : ")},
        {65320, QStringLiteral("Intermediate : ")},
        {65321, QStringLiteral("Advanced : ")},
        {65322, QStringLiteral("Custom : ")},
        {65323, QStringLiteral("ADDITION")},
        {65324, QStringLiteral("SUBTRACTION")},
        {65325, QStringLiteral("DOUBLING")},
        {65326, QStringLiteral("HALVING")},
        {65327, QStringLiteral("ODDS & EVENS")},
    };
    return texts;
}

} // namespace

namespace Strings {

QString text(int id)
{
    return table().value(id);
}

bool has(int id)
{
    return table().contains(id);
}

} // namespace Strings
