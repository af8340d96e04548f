#pragma once

#include "app/HelpFile.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QUrl;

// One top-level help window: the title and text of a topic, links between
// topics, Back and Forward through the pages seen, Contents, and a Search
// panel that filters the topic titles as the learner types.
// objectName "HelpWindow" for the default window, "HelpWindow_" + name for a
// named (secondary) one; its controls are named as the members below.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // The page number of the contents of a file that names no contents topic.
    static constexpr int ContentsPage = -1;

    explicit HelpWindow(const QString& name);

    static QString objectNameFor(const QString& name);
    QString name() const { return m_name; }

    // Shows a topic (or ContentsPage) of the file read from path, and adds
    // it to the pages that Back and Forward walk through.
    void showPage(const QString& path, std::shared_ptr<const HelpFile> file, int number);
    // Shows the contents of the file: its contents topic or the bare list.
    void showContents(const QString& path, std::shared_ptr<const HelpFile> file);
    // Shows or hides the search panel; with focus the search field takes it.
    void setFinderVisible(bool visible, bool focus);

    // What the window shows now (tests and the viewer read these).
    QString pageTitle() const;
    int pageNumber() const;
    QString filePath() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Page {
        QString path;
        std::shared_ptr<const HelpFile> file;
        int number = ContentsPage;
    };

    void render();
    void fillFinder(const HelpFile& file);
    void filterFinder(const QString& query);
    void openFinderSelection();
    void moveFinderSelection(int step);
    void followLink(const QUrl& url);
    void goBack();
    void goForward();
    void goContents();

    QString m_name;
    QList<Page> m_pages;
    qsizetype m_current = -1;
    std::shared_ptr<const HelpFile> m_finderFile;

    QPushButton* m_btnContents = nullptr;
    QPushButton* m_btnSearch = nullptr;
    QPushButton* m_btnBack = nullptr;
    QPushButton* m_btnForward = nullptr;
    QWidget* m_pnlFinder = nullptr;
    QLineEdit* m_edtFind = nullptr;
    QListWidget* m_lstTopics = nullptr;
    QLabel* m_lblTitle = nullptr;
    QTextBrowser* m_txtTopic = nullptr;
};
