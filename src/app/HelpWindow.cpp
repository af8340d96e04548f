#include "app/HelpWindow.h"

#include "platform/Dialogs.h"

#include <QCollator>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int NumberRole = Qt::UserRole;
constexpr int SearchTextRole = Qt::UserRole + 1;

const QSize DefaultSize(720, 580);

// Look of the topic text; QTextDocument knows this much CSS.
const char* const TopicStyle =
    "h3 { color: #1f4e79; }"
    "pre { background-color: #f4f1e6; font-family: 'Liberation Mono', monospace; }"
    "code { font-family: 'Liberation Mono', monospace; color: #6b2d0c; }"
    "a { color: #0b57d0; }";

QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

HelpWindow::HelpWindow(const QString& name) : m_name(name)
{
    setObjectName(objectNameFor(name));
    // Help windows never keep the program running once the main window is gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(DefaultSize);

    m_btnContents = makeButton(QStringLiteral("btnContents"), tr("&Contents"),
                               tr("Show the list of all help topics"));
    m_btnSearch = makeButton(QStringLiteral("btnSearch"), tr("&Search"),
                             tr("Find a topic by a word of its title"));
    m_btnSearch->setCheckable(true);
    m_btnBack = makeButton(QStringLiteral("btnBack"), tr("<< &Back"),
                           tr("Go back to the topic shown before"));
    m_btnForward = makeButton(QStringLiteral("btnForward"), tr("&Forward >>"),
                              tr("Go forward again"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnContents);
    buttons->addWidget(m_btnSearch);
    buttons->addWidget(m_btnBack);
    buttons->addWidget(m_btnForward);
    buttons->addStretch(1);

    m_pnlFinder = new QWidget;
    m_pnlFinder->setObjectName(QStringLiteral("pnlFinder"));
    auto* findLabel = new QLabel(tr("&Type a word to find a topic:"));
    m_edtFind = new QLineEdit;
    m_edtFind->setObjectName(QStringLiteral("edtFind"));
    m_edtFind->setPlaceholderText(tr("for example: carry"));
    m_edtFind->setClearButtonEnabled(true);
    m_edtFind->installEventFilter(this);
    findLabel->setBuddy(m_edtFind);
    m_lstTopics = new QListWidget;
    m_lstTopics->setObjectName(QStringLiteral("lstTopics"));
    auto* finderLayout = new QVBoxLayout(m_pnlFinder);
    finderLayout->setContentsMargins(0, 0, 0, 0);
    finderLayout->addWidget(findLabel);
    finderLayout->addWidget(m_edtFind);
    finderLayout->addWidget(m_lstTopics, 1);
    m_pnlFinder->hide();

    m_lblTitle = new QLabel;
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_lblTitle->setTextFormat(Qt::PlainText);
    m_lblTitle->setWordWrap(true);
    m_lblTitle->setStyleSheet(QStringLiteral(
        "QLabel { background: #1f4e79; color: white; padding: 6px 10px; font-weight: bold; }"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    m_lblTitle->setFont(titleFont);

    m_txtTopic = new QTextBrowser;
    m_txtTopic->setObjectName(QStringLiteral("txtTopic"));
    m_txtTopic->setOpenLinks(false);
    m_txtTopic->setOpenExternalLinks(false);
    m_txtTopic->document()->setDefaultStyleSheet(QString::fromLatin1(TopicStyle));
    m_txtTopic->document()->setDocumentMargin(10);

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(m_lblTitle);
    pageLayout->addWidget(m_txtTopic, 1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_pnlFinder);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({220, 500});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(m_btnContents, &QPushButton::clicked, this, &HelpWindow::goContents);
    connect(m_btnSearch, &QPushButton::toggled, this,
            [this](bool on) { setFinderVisible(on, on); });
    connect(m_btnBack, &QPushButton::clicked, this, &HelpWindow::goBack);
    connect(m_btnForward, &QPushButton::clicked, this, &HelpWindow::goForward);
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, this, &HelpWindow::goBack);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, this,
            &HelpWindow::goForward);
    // ESC closes the window, as it closes the program's dialogs.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(m_txtTopic, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(m_edtFind, &QLineEdit::textChanged, this, &HelpWindow::filterFinder);
    connect(m_edtFind, &QLineEdit::returnPressed, this, &HelpWindow::openFinderSelection);
    connect(m_lstTopics, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_lstTopics->setCurrentItem(item);
        openFinderSelection();
    });
    render();
}

QString HelpWindow::objectNameFor(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("HelpWindow") : QStringLiteral("HelpWindow_") + name;
}

void HelpWindow::showPage(const QString& path, std::shared_ptr<const HelpFile> file, int number)
{
    if (m_current >= 0) {
        Page& now = m_pages[m_current];
        if (now.path == path && now.number == number) {
            now.file = std::move(file); // the same page, perhaps from a newer reading
            render();
            return;
        }
    }
    m_pages.resize(m_current + 1); // a new page drops the pages ahead
    m_pages.append({path, std::move(file), number});
    m_current = m_pages.size() - 1;
    render();
}

void HelpWindow::showContents(const QString& path, std::shared_ptr<const HelpFile> file)
{
    const int number = file->contentsTopic().value_or(ContentsPage);
    showPage(path, std::move(file), number);
}

void HelpWindow::setFinderVisible(bool visible, bool focus)
{
    m_pnlFinder->setVisible(visible);
    {
        const QSignalBlocker blocker(m_btnSearch);
        m_btnSearch->setChecked(visible);
    }
    if (visible && focus) {
        m_edtFind->setFocus(Qt::OtherFocusReason);
        m_edtFind->selectAll();
    }
}

QString HelpWindow::pageTitle() const
{
    return m_lblTitle->text();
}

int HelpWindow::pageNumber() const
{
    return m_current < 0 ? ContentsPage : m_pages[m_current].number;
}

QString HelpWindow::filePath() const
{
    return m_current < 0 ? QString() : m_pages[m_current].path;
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edtFind && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            moveFinderSelection(key == Qt::Key_Down ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::render()
{
    m_btnBack->setEnabled(m_current > 0);
    m_btnForward->setEnabled(m_current >= 0 && m_current + 1 < m_pages.size());
    m_btnContents->setEnabled(m_current >= 0);
    m_btnSearch->setEnabled(m_current >= 0);
    if (m_current < 0) {
        setWindowTitle(tr("Help"));
        m_lblTitle->clear();
        m_txtTopic->clear();
        return;
    }
    const Page& page = m_pages[m_current];
    const HelpFile& file = *page.file;
    const HelpFile::SecondaryWindow* secondary = file.secondaryWindow(m_name);
    setWindowTitle(secondary && !secondary->caption.isEmpty() ? secondary->caption : file.title());
    if (const HelpFile::Topic* topic = file.topic(page.number)) {
        m_lblTitle->setText(topic->title);
        m_txtTopic->setHtml(file.topicHtml(*topic));
    } else {
        m_lblTitle->setText(tr("Contents"));
        m_txtTopic->setHtml(file.contentsHtml());
    }
    if (m_finderFile != page.file)
        fillFinder(file);
    m_finderFile = page.file;
}

void HelpWindow::fillFinder(const HelpFile& file)
{
    QList<const HelpFile::Topic*> sorted;
    for (const HelpFile::Topic& topic : file.topics())
        sorted.append(&topic);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&collator](const HelpFile::Topic* a, const HelpFile::Topic* b) {
                         return collator.compare(a->title, b->title) < 0;
                     });
    m_lstTopics->clear();
    for (const HelpFile::Topic* topic : std::as_const(sorted)) {
        auto* item = new QListWidgetItem(topic->title, m_lstTopics);
        item->setData(NumberRole, topic->number);
        item->setData(SearchTextRole,
                      (topic->title + QLatin1Char(' ') + topic->keywords.join(QLatin1Char(' '))).toLower());
    }
    filterFinder(m_edtFind->text());
}

void HelpWindow::filterFinder(const QString& query)
{
    const QStringList words = query.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_lstTopics->count(); ++row) {
        QListWidgetItem* item = m_lstTopics->item(row);
        const QString text = item->data(SearchTextRole).toString();
        const bool shown = std::all_of(words.cbegin(), words.cend(),
                                       [&text](const QString& word) { return text.contains(word); });
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    m_lstTopics->setCurrentItem(first);
}

void HelpWindow::moveFinderSelection(int step)
{
    int row = m_lstTopics->currentRow();
    for (int next = row + step; next >= 0 && next < m_lstTopics->count(); next += step) {
        if (!m_lstTopics->item(next)->isHidden()) {
            m_lstTopics->setCurrentRow(next);
            return;
        }
    }
}

void HelpWindow::openFinderSelection()
{
    QListWidgetItem* item = m_lstTopics->currentItem();
    if (!item || item->isHidden() || m_current < 0) {
        Dialogs::current().beep();
        return;
    }
    const Page page = m_pages[m_current];
    showPage(page.path, page.file, item->data(NumberRole).toInt());
}

void HelpWindow::followLink(const QUrl& url)
{
    if (m_current < 0 || url.scheme() != QLatin1String("topic"))
        return;
    const Page page = m_pages[m_current];
    bool ok = false;
    const int number = url.path().toInt(&ok);
    if (ok && page.file->topic(number))
        showPage(page.path, page.file, number);
}

void HelpWindow::goBack()
{
    if (m_current > 0) {
        --m_current;
        render();
    }
}

void HelpWindow::goForward()
{
    if (m_current >= 0 && m_current + 1 < m_pages.size()) {
        ++m_current;
        render();
    }
}

void HelpWindow::goContents()
{
    if (m_current >= 0) {
        const Page page = m_pages[m_current];
        showContents(page.path, page.file);
    }
}
