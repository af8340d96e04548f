#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QVariant>

class QWidget;

// The help-viewer interface: every window asks for help through these calls,
// with the program's help files, context numbers and window names. The real
// viewer shows topics in a help window of its own and pop-ups as balloons;
// tests install a recorder (a subclass) that notes each request.
class Help
{
public:
    // Commands, numbered as the classic help viewer numbers them.
    enum Command : unsigned {
        HELP_CONTEXT = 1,        // data: context number
        HELP_QUIT = 2,           // data: 0
        HELP_CONTENTS = 3,       // data: 0
        HELP_CONTEXTPOPUP = 8,   // data: context number
        HELP_FINDER = 11,        // data: 0
        HELP_SETPOPUP_POS = 13,  // data: QPoint (screen position)
        HELP_COMMAND = 0x102     // data: macro text, e.g. JumpID("", "ScreenHelp_Basics")
    };

    // One request as issued: the file may end in ">" + a window name.
    struct Request {
        QString file;
        unsigned command = 0;
        QVariant data;
        bool operator==(const Request& other) const = default;
    };

    virtual ~Help() = default;

    static Help& current();
    // Installs a replacement (not owned); nullptr restores the real viewer.
    static void install(Help* help);

    // The single request of the interface. Returns false when the request
    // could not be carried out (for example the file is missing); the
    // failure has then been reported to the learner by the viewer.
    virtual bool winHelp(QWidget* window, const QString& file, unsigned command,
                         const QVariant& data);

    // The application help file, fixed by the main window at creation.
    static QString applicationHelpFile();
    static void setApplicationHelpFile(const QString& path);

    // Conveniences on the application help file.
    static bool showTopic(int contextNumber);                   // HELP_CONTEXT
    static bool showTopicInWindow(const QString& windowName, int contextNumber); // file + ">" + window
    static bool showPopup(int contextNumber);                   // HELP_CONTEXTPOPUP
    static bool setPopupPosition(const QPoint& screenPos);      // HELP_SETPOPUP_POS
    static bool showFinder();                                   // HELP_FINDER
    // HELP_CONTENTS, then HELP_COMMAND with JumpID("", id); the second is not
    // sent when the first fails.
    static bool showTopicByJumpId(const QString& jumpId);
    static bool quit();                                         // HELP_QUIT
};
