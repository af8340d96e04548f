#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "shell/Help.h"
#include "platform/Dialogs.h"
#include "platform/SoundPlayer.h"

// Test doubles for the platform stand-ins: each notes what the program asked
// for and answers as the test says. Install with the install() calls of the
// real classes, or use TestEnvironment, which does it for you.

class RecordingDialogs : public Dialogs
{
public:
    struct Box {
        QString kind; // "error", "information", "confirm", "beep", "open", "save", "folder", "print", "printerSetup"
        QString text;
    };

    void error(QWidget*, const QString& text) override { boxes.append({QStringLiteral("error"), text}); }
    void information(QWidget*, const QString& text) override { boxes.append({QStringLiteral("information"), text}); }
    bool confirm(QWidget*, const QString& text) override
    {
        boxes.append({QStringLiteral("confirm"), text});
        return confirmAnswers.isEmpty() ? defaultConfirm : confirmAnswers.takeFirst();
    }
    void beep() override { boxes.append({QStringLiteral("beep"), QString()}); }
    QString openFile(QWidget*, const QString& title, const QString& filter, const QString& suffix) override
    {
        boxes.append({QStringLiteral("open"), title});
        lastFilter = filter;
        lastSuffix = suffix;
        return openAnswer;
    }
    QString saveFile(QWidget*, const QString& title, const QString& filter, const QString& suffix,
                     const QString& preset) override
    {
        boxes.append({QStringLiteral("save"), preset});
        lastSaveTitle = title;
        lastFilter = filter;
        lastSuffix = suffix;
        return saveAnswer;
    }
    QString chooseFolder(QWidget*, const QString& title) override
    {
        boxes.append({QStringLiteral("folder"), title});
        return folderAnswer;
    }
    bool print(QWidget*, QPrinter& printer) override;
    bool printerSetup(QWidget*, QPrinter&) override
    {
        boxes.append({QStringLiteral("printerSetup"), QString()});
        return printAnswer;
    }

    // Texts of the boxes of one kind, in order.
    QStringList texts(const QString& kind) const;
    int count(const QString& kind) const { return int(texts(kind).size()); }
    void clear() { boxes.clear(); }

    QList<Box> boxes;
    QList<bool> confirmAnswers; // answers for confirm(), in order
    bool defaultConfirm = true; // when confirmAnswers is empty
    QString openAnswer;         // file chosen in the open dialog ("" = cancelled)
    QString saveAnswer;         // file chosen in the save dialog ("" = cancelled)
    QString folderAnswer;       // folder chosen in the folder dialog ("" = cancelled)
    QString lastSaveTitle;
    QString lastFilter;         // filter and default extension of the last open or save dialog
    QString lastSuffix;
    bool printAnswer = true;
    QString printToPdf;         // when set, print() points the printer at this PDF file
};

class RecordingSoundPlayer : public SoundPlayer
{
public:
    // Each request as "resource NAME mode", "file PATH mode" or "stop";
    // NAME upper case, mode "async", "sync" or "loop".
    void playResource(const QString& name, Mode mode) override;
    void playFile(const QString& path, Mode mode) override;
    void stop() override { calls.append(QStringLiteral("stop")); }

    void clear() { calls.clear(); }
    QStringList calls;
};

class RecordingHelp : public Help
{
public:
    bool winHelp(QWidget*, const QString& file, unsigned command, const QVariant& data) override
    {
        requests.append({file, command, data});
        return answer;
    }
    void clear() { requests.clear(); }

    QList<Request> requests;
    bool answer = true;
};
