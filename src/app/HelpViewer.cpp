#include "app/HelpViewer.h"

#include "shell/Help.h"
#include "app/HelpWindow.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWhatsThis>

#include <limits>

namespace {

HelpViewer::PopupShower& popupShower()
{
    static HelpViewer::PopupShower shower;
    return shower;
}

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString folderOf(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

} // namespace

// The real viewer answers every request the program makes of its help.
bool Help::winHelp(QWidget* window, const QString& file, unsigned command, const QVariant& data)
{
    return HelpViewer::instance().request(window, file, command, data);
}

HelpViewer& HelpViewer::instance()
{
    static HelpViewer viewer;
    return viewer;
}

HelpViewer::HelpViewer()
{
    // Help windows go when the program ends, while the application still exists.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, [this] {
            for (const QPointer<HelpWindow>& window : std::as_const(m_windows))
                delete window.data();
            m_windows.clear();
        });
    }
}

void HelpViewer::setPopupShower(PopupShower shower)
{
    popupShower() = std::move(shower);
}

HelpWindow* HelpViewer::window(const QString& name) const
{
    return m_windows.value(name.toLower()).data();
}

void HelpViewer::closeAll()
{
    for (const QPointer<HelpWindow>& window : std::as_const(m_windows)) {
        if (window) {
            window->close();
            window->deleteLater();
        }
    }
    m_windows.clear();
}

bool HelpViewer::request(QWidget* window, const QString& file, unsigned command, const QVariant& data)
{
    if (command == Help::HELP_QUIT) {
        closeAll();
        m_popupPosition.reset();
        return true;
    }
    if (command == Help::HELP_SETPOPUP_POS) {
        if (data.typeId() != QMetaType::QPoint)
            return fail(window, QStringLiteral("The position for the next pop-up help is not a "
                                               "screen position."));
        m_popupPosition = data.toPoint();
        return true;
    }
    Target target;
    if (!splitTarget(window, file, &target))
        return false;
    switch (command) {
    case Help::HELP_CONTEXT:
        return showTopic(window, target, data);
    case Help::HELP_CONTENTS:
        return showContents(window, target, false);
    case Help::HELP_FINDER:
        return showContents(window, target, true);
    case Help::HELP_CONTEXTPOPUP:
        return showPopup(window, target, data);
    case Help::HELP_COMMAND:
        return runMacro(window, target, data);
    default:
        return fail(window, QStringLiteral("The help request %1 is not known.").arg(command));
    }
}

// "path" or "path>WindowName": the window name follows the last ">" and
// holds no folder separator.
bool HelpViewer::splitTarget(QWidget* parent, const QString& file, Target* target)
{
    target->path = file;
    target->window.clear();
    const qsizetype mark = file.lastIndexOf(QLatin1Char('>'));
    if (mark >= 0) {
        const QString name = file.mid(mark + 1);
        if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))) {
            static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9_]{1,32}$"));
            if (!valid.match(name).hasMatch())
                return fail(parent, QStringLiteral("\"%1\" is not the name of a help window.").arg(name));
            target->path = file.left(mark);
            target->window = name;
        }
    }
    if (target->path.isEmpty())
        return fail(parent, QStringLiteral("No help file was named for this help request."));
    return true;
}

std::shared_ptr<const HelpFile> HelpViewer::open(QWidget* parent, const QString& path)
{
    const HelpFile::LoadResult result = m_library.load(path);
    const QString name = fileName(path);
    switch (result.error) {
    case HelpFile::Error::None:
        return result.file;
    case HelpFile::Error::NotFound:
        fail(parent, QStringLiteral("The help file \"%1\" was not found in the folder \"%2\".")
                         .arg(name, folderOf(path)));
        break;
    case HelpFile::Error::NotAFile:
        fail(parent, QStringLiteral("The help file \"%1\" in the folder \"%2\" is not a file.")
                         .arg(name, folderOf(path)));
        break;
    case HelpFile::Error::TooLarge:
        fail(parent, QStringLiteral("The help file \"%1\" is too large to be a help file "
                                    "(more than %2 MB).")
                         .arg(name)
                         .arg(HelpFile::MaxBytes / (1024 * 1024)));
        break;
    case HelpFile::Error::Unreadable:
        fail(parent, QStringLiteral("The help file \"%1\" could not be read: %2").arg(name, result.detail));
        break;
    case HelpFile::Error::Malformed:
        fail(parent, QStringLiteral("The help file \"%1\" is damaged and cannot be shown:\n%2")
                         .arg(name, result.detail));
        break;
    }
    return nullptr;
}

HelpWindow* HelpViewer::windowFor(const Target& target, const HelpFile& file)
{
    QPointer<HelpWindow>& slot = m_windows[target.window.toLower()];
    if (!slot) {
        slot = new HelpWindow(target.window);
        if (const HelpFile::SecondaryWindow* secondary = file.secondaryWindow(target.window))
            slot->resize(secondary->size);
    }
    return slot.data();
}

std::shared_ptr<const HelpFile> HelpViewer::openForNumber(QWidget* parent, const Target& target,
                                                          const QVariant& data, int* number)
{
    bool ok = false;
    const qlonglong value = data.toLongLong(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<int>::max()) {
        fail(parent, QStringLiteral("\"%1\" is not a help context number.").arg(data.toString()));
        return nullptr;
    }
    *number = static_cast<int>(value);
    return open(parent, target.path);
}

void HelpViewer::present(HelpWindow* window)
{
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

bool HelpViewer::showTopic(QWidget* parent, const Target& target, const QVariant& data)
{
    int number = 0;
    auto file = openForNumber(parent, target, data, &number);
    if (!file)
        return false;
    if (!file->topic(number))
        return fail(parent, QStringLiteral("The help file \"%1\" has no topic with context number %2.")
                                .arg(fileName(target.path))
                                .arg(number));
    HelpWindow* window = windowFor(target, *file);
    window->showPage(target.path, file, number);
    present(window);
    return true;
}

bool HelpViewer::showContents(QWidget* parent, const Target& target, bool finder)
{
    auto file = open(parent, target.path);
    if (!file)
        return false;
    HelpWindow* window = windowFor(target, *file);
    window->showContents(target.path, file);
    present(window);
    if (finder)
        window->setFinderVisible(true, true);
    return true;
}

bool HelpViewer::showPopup(QWidget* parent, const Target& target, const QVariant& data)
{
    int number = 0;
    auto file = openForNumber(parent, target, data, &number);
    if (!file)
        return false;
    const std::optional<QString> html = file->popupHtml(number);
    if (!html)
        return fail(parent, QStringLiteral("The help file \"%1\" has no pop-up help for context number %2.")
                                .arg(fileName(target.path))
                                .arg(number));
    // A position set beforehand serves the next pop-up only.
    const QPoint position = m_popupPosition.value_or(QCursor::pos());
    m_popupPosition.reset();
    if (popupShower())
        popupShower()(position, *html, parent);
    else
        QWhatsThis::showText(position, *html, parent);
    return true;
}

// The one macro the program sends: JumpID("file", "id") (also JI), where an
// empty file is the file of the request; the file may end in ">" + window.
bool HelpViewer::runMacro(QWidget* parent, const Target& target, const QVariant& data)
{
    static const QRegularExpression jump(
        QStringLiteral("^\\s*(?:JumpID|JI)\\s*\\(\\s*([\"'])(.*?)\\1\\s*,"
                       "\\s*([\"'])(.*?)\\3\\s*\\)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString macro = data.toString();
    const auto m = jump.match(macro);
    if (!m.hasMatch())
        return fail(parent, QStringLiteral("The help command \"%1\" is not understood; only "
                                           "JumpID(\"file\", \"topic\") can be run.")
                                .arg(macro));
    Target jumpTarget = target;
    if (!m.captured(2).isEmpty()) {
        if (!splitTarget(parent, m.captured(2), &jumpTarget))
            return false;
        if (QFileInfo(jumpTarget.path).isRelative())
            jumpTarget.path = QFileInfo(target.path).absoluteDir().filePath(jumpTarget.path);
        if (jumpTarget.window.isEmpty())
            jumpTarget.window = target.window;
    }
    const QString jumpId = m.captured(4);
    auto file = open(parent, jumpTarget.path);
    if (!file)
        return false;
    const HelpFile::Topic* topic = file->topicByJumpId(jumpId);
    if (!topic)
        return fail(parent, QStringLiteral("The help file \"%1\" has no topic \"%2\".")
                                .arg(fileName(jumpTarget.path), jumpId));
    return showTopic(parent, jumpTarget, topic->number);
}

bool HelpViewer::fail(QWidget* parent, const QString& message)
{
    Dialogs::current().error(parent, message);
    return false;
}
