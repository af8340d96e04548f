#pragma once

#include "app/HelpLibrary.h"

#include <QMap>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class HelpWindow;
class QWidget;

// The real help viewer behind Help::winHelp: runs the commands of the
// help-viewer interface on the program's help files. Topics open in help
// windows, one per window name ("" is the default window), reused while
// open; pop-ups show as What's This balloons. Every failure is reported
// here, with an error box naming the file or topic.
class HelpViewer
{
public:
    static HelpViewer& instance();

    bool request(QWidget* window, const QString& file, unsigned command, const QVariant& data);

    // The open help window of that name, or nullptr.
    HelpWindow* window(const QString& name) const;
    // Closes every help window.
    void closeAll();

    // How a pop-up reaches the screen: by default QWhatsThis::showText.
    // Tests install a recorder; an empty function restores the default.
    using PopupShower = std::function<void(const QPoint& position, const QString& html, QWidget* window)>;
    static void setPopupShower(PopupShower shower);

private:
    HelpViewer();

    struct Target {
        QString path;
        QString window;
    };

    bool splitTarget(QWidget* parent, const QString& file, Target* target);
    std::shared_ptr<const HelpFile> open(QWidget* parent, const QString& path);
    // The context number in data and the file of the request; nullptr once
    // a failure has been reported.
    std::shared_ptr<const HelpFile> openForNumber(QWidget* parent, const Target& target,
                                                  const QVariant& data, int* number);
    HelpWindow* windowFor(const Target& target, const HelpFile& file);
    static void present(HelpWindow* window);
    bool showTopic(QWidget* parent, const Target& target, const QVariant& data);
    bool showContents(QWidget* parent, const Target& target, bool finder);
    bool showPopup(QWidget* parent, const Target& target, const QVariant& data);
    bool runMacro(QWidget* parent, const Target& target, const QVariant& data);
    bool fail(QWidget* parent, const QString& message);

    HelpLibrary m_library;
    QMap<QString, QPointer<HelpWindow>> m_windows;
    std::optional<QPoint> m_popupPosition;
};
