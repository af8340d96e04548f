#pragma once

#include <QList>
#include <QString>

// The catalogue of the training screens: one row per screen with every fact
// about it that more than one part of the program reads. Plain data, no
// widgets (it is part of vsm_rules).
//
// Who reads a row:
//   the main window      builds the Basics and Practice menus from the rows
//                        (group, subMenu, separatorBefore, menuItem, caption)
//                        and opens a screen with its title (titleId,
//                        titleTakesOption); the form itself comes from
//                        createScreen(id) in app/ScreenFactories.h
//   the screens          their settings section and help topic
//                        (TBasicsBaseForm::FormCreateScreen,
//                        TPractise0BaseForm::SetUpScreen take the id)
//   the report           one marksheet row per screen (reportRow, titleId,
//                        section, group)
//   the tests            every row has its menu item, report row, help topic
//                        and, for a method, its worksheet entry and manual
//                        page entry (tests/app/tst_ScreenCatalogue.cpp)
//
// A practice screen whose boxes a rules class works names that class's
// method (method, the worksheet tool's METHOD); PracticeMethods::find(method)
// gives its entry, whose bestTimes list each best-time key of the learner's
// file with the option captions that choose it. A screen without a method
// keeps no best times.
//
// The stored names (section) are those of the learners' files: never change
// one, or learners lose their scores. Adding a screen adds one ScreenId, one
// row here and one case in createScreen(); README.md "Adding a screen" has
// every step.

enum class ScreenId {
    // Basics
    Addition,
    Subtraction,
    Doubling,
    Halving,
    OddsEvens,
    Multiplication,
    Division,
    UnitsTens,
    NumberTens,
    KeyboardSkills,
    // Practice
    SpeedAddition,
    RulesForMultiplication,
    MultiplyBasic,
    MultiplyDirect,
    MultiplyTwoFinger,
    Squares5,
    Square2Digit,
    Square3Digit,
    SpeedDivision,
    SquareRoot,
};

namespace ScreenCatalogue {

// The top menu that opens a screen, which is also the part of the
// performance report that lists it.
enum class Group { Basics, Practice };

struct Row {
    ScreenId id;
    Group group;
    // ---- the menu item
    QString subMenu;         // "" or the sub-menu's component name ("mnuSquare", see subMenus())
    bool separatorBefore;    // a separator line above the item in its menu
    QString menuItem;        // component name of the menu item ("mnu2Digit")
    QString caption;         // "2-Digit..." ('&' marks the mnemonic, "&&" is an ampersand)
    // ---- the window
    int titleId;             // string-table number of the title ("SQUARE 2-DIGIT")
    bool titleTakesOption;   // the title ends in " : " and the option's caption follows
    QString section;         // the section of the learner's file ("Square2Digit")
    int helpTopic;           // context number of the screen's help topic (the form's F1, its help button)
    // ---- the report
    int reportRow;           // 1-based place in the performance marksheet
    // ---- the method
    QString method;          // the rules class's method name ("square-two-digit"); "" for a flash drill
};

// A sub-menu of a top menu, made where its first item stands.
struct SubMenu {
    QString name;         // component name of the sub-menu and of its menu action
    QString caption;      // "S&quare"
    bool separatorBefore; // a separator line above it in the top menu
};

// Every screen, in menu order (Basics, then Practice, sub-menu items where
// their sub-menu stands).
const QList<Row>& rows();
// The row of a screen.
const Row& row(ScreenId id);
// Every row in the order of its report row (Basics, then Practice).
const QList<const Row*>& inReportOrder();
// The row of a menu item by its component name, or nullptr.
const Row* findByMenuItem(const QString& menuItem);
// The sub-menus, and one by its component name (nullptr when none).
const QList<SubMenu>& subMenus();
const SubMenu* findSubMenu(const QString& name);

} // namespace ScreenCatalogue
