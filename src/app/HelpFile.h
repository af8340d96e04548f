#pragma once

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// One help file of the program's own text format (resources/help/README.md):
// topics with a context number, an optional jump identifier, a title and a
// body; pop-ups by context number; secondary windows; a contents order.
// A plain class: it parses and answers look-ups, and knows nothing of windows.
class HelpFile
{
public:
    struct Topic {
        int number = 0;
        QString jumpId;
        QString title;
        QStringList keywords;
        QString body; // the light markup, lines joined by "\n"
    };
    struct Popup {
        int number = 0;
        QString text;
    };
    struct ContentsEntry {
        QString heading; // a heading line when not empty
        int topic = 0;   // otherwise the topic's context number
    };
    struct SecondaryWindow {
        QString name;
        QSize size;
        QString caption;
    };

    enum class Error { None, NotFound, NotAFile, TooLarge, Unreadable, Malformed };
    struct LoadResult {
        std::shared_ptr<const HelpFile> file;
        Error error = Error::None;
        QString detail; // the reason for Unreadable and Malformed
    };

    // A help file is small text; anything larger is not one.
    static constexpr qint64 MaxBytes = 2 * 1024 * 1024;

    // Reads and parses the file at path.
    static LoadResult load(const QString& path);
    // Parses the bytes of a help file. On failure returns nullptr and sets
    // error to "line N: what is wrong" (or a reason without a line).
    static std::shared_ptr<const HelpFile> parse(const QByteArray& bytes, QString* error);

    QString title() const { return m_title; }
    const Topic* topic(int number) const;
    // Jump identifiers match regardless of case.
    const Topic* topicByJumpId(const QString& jumpId) const;
    const Popup* popup(int number) const;
    // The topic that shows the contents, when the file names one.
    std::optional<int> contentsTopic() const { return m_contentsTopic; }
    // The contents order: the [contents] block, or every topic in file order.
    QList<ContentsEntry> contents() const;
    // Every topic in file order.
    const QList<Topic>& topics() const { return m_topics; }
    const SecondaryWindow* secondaryWindow(const QString& name) const;

    // A link target (a context number or a jump identifier) -> its topic.
    const Topic* resolve(const QString& target) const;
    // The HTML of a topic; the contents topic ends with the contents list.
    QString topicHtml(const Topic& topic) const;
    // The contents list alone (for a file without a contents topic).
    QString contentsHtml() const;
    // The HTML of a pop-up, or of a topic (title and body, links as plain
    // text) when the number is a topic's.
    std::optional<QString> popupHtml(int number) const;

private:
    friend class HelpFileParser;

    QString m_title;
    std::optional<int> m_contentsTopic;
    QList<Topic> m_topics;
    QHash<int, qsizetype> m_topicIndex;
    QHash<QString, qsizetype> m_jumpIndex; // lower-case jump id -> topic index
    QHash<int, Popup> m_popups;
    QList<ContentsEntry> m_contents;
    bool m_hasContentsBlock = false;
    QList<SecondaryWindow> m_windows;
};
