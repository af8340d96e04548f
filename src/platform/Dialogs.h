#pragma once

#include <QString>

class QWidget;
class QPrinter;

// The one place that shows message boxes and the standard dialogs.
// Tests install a recorder (a subclass) that notes and answers them.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // The dialogs in force: the installed one, or the real one.
    static Dialogs& current();
    // Installs a replacement (not owned); nullptr restores the real dialogs.
    static void install(Dialogs* dialogs);

    // Error box (OK button).
    virtual void error(QWidget* parent, const QString& text);
    // Information box (OK button).
    virtual void information(QWidget* parent, const QString& text);
    // Yes/No confirmation box; true only for Yes.
    virtual bool confirm(QWidget* parent, const QString& text);
    // The platform's default beep.
    virtual void beep();

    // Open and save dialogs; an empty result means cancelled.
    // filter uses the "Description (*.ext)" form.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix);
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix, const QString& presetFileName);
    // Folder dialog; an empty result means cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& title);

    // Print dialog on the application's printer; true when confirmed.
    virtual bool print(QWidget* parent, QPrinter& printer);
    // Printer set-up dialog on the application's printer; true when confirmed.
    virtual bool printerSetup(QWidget* parent, QPrinter& printer);

    // The application's printer, shared by printer set-up and every print.
    static QPrinter& printer();

    // A dialog's frame: a title and a close button, no minimise or maximise.
    static void useDialogFrame(QWidget* window);
};
