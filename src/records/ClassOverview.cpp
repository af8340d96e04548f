#include "records/ClassOverview.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/FileSaver.h"
#include "practice/Practise0Base.h"
#include "records/ClassOverviewHelp.h"
#include "shell/DocumentOutput.h"
#include "records/HistoryRules.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"
#include "shell/UserStore.h"
#include "shell/WhatsThisMenu.h"

using Rules = ClassOverviewRules;

namespace {

// A screen's title in capitals and small letters ("Odds & Evens"), broken
// into lines of a few words, for a narrow heading.
QString headingOf(const QString& title)
{
    QStringList words = title.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& word : words)
        word = word.left(1) + word.mid(1).toLower();
    QStringList lines;
    for (const QString& word : std::as_const(words)) {
        if (!lines.isEmpty() && lines.last().size() + 1 + word.size() <= 12)
            lines.last() += QLatin1Char(' ') + word;
        else
            lines.append(word);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

// ---- the table ------------------------------------------------------------

ClassOverviewTable::ClassOverviewTable(QObject* parent) : QAbstractTableModel(parent) {}

void ClassOverviewTable::setLearners(QList<Rules::Learner> learners)
{
    beginResetModel();
    m_learners = std::move(learners);
    m_medians.clear();
    for (qsizetype i = 0; i < Rules::columns().size(); ++i)
        m_medians.append(Rules::medianTenths(m_learners, int(i)));
    m_medianProblems = Rules::medianProblemsTenths(m_learners);
    endResetModel();
}

int ClassOverviewTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_learners.size()) + 1; // the medians last
}

int ClassOverviewTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : noteColumn() + 1;
}

QColor ClassOverviewTable::gradeColour(Grading::Grade grade)
{
    switch (grade) {
    case Grading::Grade::Red: return SysColors::Red;
    case Grading::Grade::Amber: return SysColors::Yellow;
    case Grading::Grade::Green: return SysColors::Lime;
    default: return QColor();
    }
}

QString ClassOverviewTable::cellHint(const Rules::Learner& learner, int column)
{
    const Rules::Column& screen = Rules::columns().at(column);
    const Rules::Cell& cell = learner.cells.at(column);
    QStringList lines = {Strings::text(screen.titleId)};
    if (cell.damaged)
        lines.append(QStringLiteral("Damaged counts: Correct %1, Total %2").arg(cell.correct).arg(cell.total));
    else if (!cell.practised())
        lines.append(QStringLiteral("Never practised"));
    else
        lines.append(QStringLiteral("%1 right of %2: %3% (%4amber %5 to %6)")
                         .arg(cell.correct)
                         .arg(cell.total)
                         .arg(cell.percent)
                         .arg(Grading::levelName(learner.level))
                         .arg(learner.lowerAmber)
                         .arg(learner.upperAmber));
    if (!cell.bestTimes.isEmpty()) {
        lines.append(QStringLiteral("Best times:"));
        for (const Rules::BestTime& time : cell.bestTimes)
            lines.append(QStringLiteral("  %1%2").arg(time.caption.isEmpty() ? QString() : time.caption + QStringLiteral(": "),
                                                       TPractise0BaseForm::FormatElapsed(time.days)));
    }
    return lines.join(QLatin1Char('\n'));
}

QVariant ClassOverviewTable::learnerData(const Rules::Learner& l, int column, int role) const
{
    const bool unreadable = !l.problem.isEmpty();
    if (column == NameColumn) {
        if (role == Qt::DisplayRole)
            return l.listed ? l.name : l.name + QStringLiteral(" (not in the list)");
        if (role == Qt::FontRole && !l.listed) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        if (role == Qt::ToolTipRole)
            return l.listed ? l.file : l.file + QStringLiteral("\nThe name list does not hold this learner.");
        return {};
    }
    if (column == LevelColumn)
        return role == Qt::DisplayRole && !unreadable ? Rules::levelText(l.level) : QVariant();
    if (column == problemsColumn())
        return role == Qt::DisplayRole && !unreadable ? QString::number(l.problemsDone) : QVariant();
    if (column == lastPractisedColumn())
        return role == Qt::DisplayRole ? Rules::timeText(l.lastPractised) : QVariant();
    if (column == noteColumn()) {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return unreadable ? QStringLiteral("Could not be read: ") + l.problem : l.note;
        if (role == Qt::ForegroundRole && unreadable)
            return QColor(SysColors::Red);
        return {};
    }
    const int screen = column - FirstScreenColumn;
    const Rules::Cell& cell = l.cells.at(screen);
    if (unreadable)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell.damaged ? QStringLiteral("?") : cell.practised() ? QString::number(cell.percent) : QString();
    case Qt::BackgroundRole:
        return cell.practised() ? QVariant(gradeColour(cell.grade)) : QVariant();
    case Qt::ForegroundRole:
        // Black on the lamp colours, whatever the desktop's scheme.
        return cell.practised() ? QVariant(QColor(SysColors::Black)) : QVariant();
    case Qt::ToolTipRole:
        return cellHint(l, screen);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant ClassOverviewTable::medianData(int column, int role) const
{
    if (role == Qt::FontRole) {
        QFont font;
        font.setBold(true);
        return font;
    }
    if (role == Qt::ToolTipRole)
        return QStringLiteral("The class median: the middle value of the learners who practised the screen.");
    if (role == Qt::TextAlignmentRole && column >= FirstScreenColumn && column < lastPractisedColumn())
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (column == NameColumn)
        return QStringLiteral("Class median");
    if (column == problemsColumn())
        return Rules::tenthsText(m_medianProblems);
    if (column >= FirstScreenColumn && column < problemsColumn())
        return Rules::tenthsText(m_medians.at(column - FirstScreenColumn));
    return {};
}

QVariant ClassOverviewTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.row() == m_learners.size())
        return medianData(index.column(), role);
    return learnerData(m_learners.at(index.row()), index.column(), role);
}

QVariant ClassOverviewTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    const bool screen = section >= FirstScreenColumn && section < problemsColumn();
    if (role == Qt::ToolTipRole && screen)
        return Strings::text(Rules::columns().at(section - FirstScreenColumn).titleId)
               + QStringLiteral("\nClick to sort by this column.");
    if (role != Qt::DisplayRole)
        return {};
    if (section == NameColumn)
        return QStringLiteral("Learner");
    if (section == LevelColumn)
        return QStringLiteral("Level");
    if (section == problemsColumn())
        return QStringLiteral("Problems\ndone");
    if (section == lastPractisedColumn())
        return QStringLiteral("Last\npractised");
    if (section == noteColumn())
        return QStringLiteral("Note");
    if (screen)
        return headingOf(Strings::text(Rules::columns().at(section - FirstScreenColumn).titleId));
    return {};
}

void ClassOverviewTable::sort(int column, Qt::SortOrder order)
{
    Rules::SortKey key;
    if (column >= FirstScreenColumn && column < problemsColumn())
        key = {Rules::Key::Screen, column - FirstScreenColumn};
    else if (column == problemsColumn())
        key = {Rules::Key::ProblemsDone, 0};
    else if (column == lastPractisedColumn())
        key = {Rules::Key::LastPractised, 0};
    else if (column == LevelColumn)
        key = {Rules::Key::Level, 0};
    else if (column == noteColumn())
        key = {Rules::Key::Note, 0};
    emit layoutAboutToBeChanged();
    Rules::sort(m_learners, key, order == Qt::AscendingOrder);
    emit layoutChanged();
}

// ---- the window -----------------------------------------------------------

TClassOverviewForm::TClassOverviewForm(QWidget* parent) : ChildForm(parent)
{
    setObjectName(QStringLiteral("ClassOverviewForm"));
    setCaption(QStringLiteral("Class Overview"));
    setAccessibleName(QStringLiteral("Class Overview"));
    setKeyPreview(true);
    setMinimumSize(400, 200);
    Hints::setHelpContext(this, ClassOverviewHelp::Topic);
    m_popup = new WhatsThisMenu(this);

    m_buttons = new QWidget(this);
    m_buttons->setObjectName(QStringLiteral("pnlButtons"));
    auto* bar = new QHBoxLayout(m_buttons);
    bar->setContentsMargins(4, 4, 4, 4);

    auto* filterLabel = new QLabel(QStringLiteral("&Show:"), m_buttons);
    m_filter = new QComboBox(m_buttons);
    m_filter->setObjectName(QStringLiteral("cboFilter"));
    m_filter->addItems({QStringLiteral("All screens"), QStringLiteral("Basics"), QStringLiteral("Practice")});
    m_filter->setAccessibleName(QStringLiteral("Show screens"));
    filterLabel->setBuddy(m_filter);
    Hints::setHint(m_filter, QStringLiteral("Which screens the table shows: all, the Basics or the Practice screens."));
    Hints::setHelpContext(m_filter, ClassOverviewHelp::Filter);
    m_popup->attach(m_filter);
    connect(m_filter, &QComboBox::currentIndexChanged, this, &TClassOverviewForm::cboFilterChange);
    bar->addWidget(filterLabel);
    bar->addWidget(m_filter);
    bar->addStretch(1);

    QPushButton* exportCsv = addButton(QStringLiteral("btnExport"), QStringLiteral("&Export CSV..."),
                                       QStringLiteral("Saves the table as a CSV file for a spreadsheet."),
                                       ClassOverviewHelp::Export);
    connect(exportCsv, &QPushButton::clicked, this, &TClassOverviewForm::btnExportClick);
    QPushButton* print = addButton(QStringLiteral("bitbtnPrint"), QStringLiteral("&Print..."),
                                   QStringLiteral("Prints the table."), ClassOverviewHelp::Print);
    connect(print, &QPushButton::clicked, this, &TClassOverviewForm::bitbtnPrintClick);
    QPushButton* pdf = addButton(QStringLiteral("btnPdf"), QStringLiteral("Save as P&DF..."),
                                 QStringLiteral("Saves the table as a PDF file."), ClassOverviewHelp::Pdf);
    connect(pdf, &QPushButton::clicked, this, &TClassOverviewForm::btnPdfClick);
    m_close = addButton(QStringLiteral("BitBtnCancel"), QStringLiteral("&Close"), QStringLiteral("Closes this window."),
                        ClassOverviewHelp::Close);
    connect(m_close, &QPushButton::clicked, this, &TClassOverviewForm::BitBtnCancelClick);

    m_model = new ClassOverviewTable(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("tblOverview"));
    m_view->setAccessibleName(QStringLiteral("Learners and their percent per screen"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    Hints::setHint(m_view, QStringLiteral("One row per learner: the percent of each screen in the colour of the "
                                          "learner's grading level. Click a heading to sort."));
    Hints::setHelpContext(m_view, ClassOverviewHelp::Table);
    m_popup->attach(m_view);
    connect(m_view->horizontalHeader(), &QHeaderView::sortIndicatorChanged, m_model,
            [this](int column, Qt::SortOrder order) { m_model->sort(column, order); });

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setWordWrap(true);
    m_status->setContentsMargins(4, 2, 4, 2);
    m_status->setAccessibleName(QStringLiteral("Summary"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_buttons);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    setTabOrder(m_filter, m_view);
    setTabOrder(m_view, exportCsv);
    setTabOrder(exportCsv, print);
    setTabOrder(print, pdf);
    setTabOrder(pdf, m_close);

    reload();
}

QPushButton* TClassOverviewForm::addButton(const QString& name, const QString& caption, const QString& hint,
                                           int helpContext)
{
    auto* button = new QPushButton(caption, m_buttons);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    Hints::setHint(button, hint);
    Hints::setHelpContext(button, helpContext);
    m_popup->attach(button);
    m_buttons->layout()->addWidget(button);
    return button;
}

QSize TClassOverviewForm::sizeHint() const
{
    return QSize(1000, 560);
}

ClassOverviewRules::Filter TClassOverviewForm::filter() const
{
    return static_cast<Rules::Filter>(m_filter->currentIndex());
}

void TClassOverviewForm::reload()
{
    QString status;
    QStringList names;
    if (Globals::UserDataFolder.isEmpty()) {
        status = QStringLiteral("No user folder was found, so there are no learners to show.");
    } else {
        UserStore store;
        QString error;
        if (store.loadNames(&error) == UserStore::LoadResult::Failed)
            status = error + QLatin1Char(' ');
        names = store.names();
    }
    m_model->setLearners(Rules::readClass(names, Globals::UserDataFolder, [](const QString& ini) {
        return HistoryRules::lastRecordTime(HistoryRules::pathFor(ini));
    }));

    const QList<Rules::Learner>& learners = m_model->learners();
    const auto count = [&learners](auto test) { return std::count_if(learners.cbegin(), learners.cend(), test); };
    const qsizetype unlisted = count([](const Rules::Learner& l) { return !l.listed; });
    const qsizetype unreadable = count([](const Rules::Learner& l) { return !l.problem.isEmpty(); });
    if (!Globals::UserDataFolder.isEmpty()) {
        status += QStringLiteral("%1 learners in %2").arg(learners.size()).arg(Globals::UserDataFolder);
        if (unlisted)
            status += QStringLiteral("; %1 not in the name list").arg(unlisted);
        if (unreadable)
            status += QStringLiteral("; %1 could not be read").arg(unreadable);
        status += QStringLiteral(". Each percent is coloured by the learner's own grading level; blank: never "
                                 "practised. Rest the mouse on a cell for the counts and best times.");
    }
    m_status->setText(status);

    // Column widths from the texts (measuring every cell would cost more
    // than reading a large class): a heading's longest line, the longest name.
    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    const QFontMetrics metrics(m_view->font());
    const QFontMetrics headerMetrics(header->font());
    constexpr int Padding = 16;
    int nameWidth = headerMetrics.horizontalAdvance(QStringLiteral("Class median"));
    for (int r = 0; r < m_model->rowCount(); ++r)
        nameWidth = qMax(nameWidth, metrics.horizontalAdvance(m_model->index(r, 0).data().toString()));
    m_view->setColumnWidth(ClassOverviewTable::NameColumn, qMin(nameWidth, metrics.averageCharWidth() * 40) + Padding);
    for (int c = ClassOverviewTable::LevelColumn; c < ClassOverviewTable::noteColumn(); ++c) {
        int width = metrics.horizontalAdvance(c == ClassOverviewTable::LevelColumn ? QStringLiteral("Intermediate")
                                              : c == ClassOverviewTable::lastPractisedColumn() ? QStringLiteral("2026-12-08 10:00")
                                                                                              : QStringLiteral("100"));
        for (const QString& word : m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().split(QLatin1Char('\n')))
            width = qMax(width, headerMetrics.horizontalAdvance(word));
        m_view->setColumnWidth(c, width + Padding);
    }
    header->setStretchLastSection(true);
    cboFilterChange();
}

void TClassOverviewForm::cboFilterChange()
{
    const Rules::Filter shown = filter();
    for (qsizetype i = 0; i < Rules::columns().size(); ++i)
        m_view->setColumnHidden(ClassOverviewTable::screenColumn(int(i)), !Rules::shows(shown, Rules::columns().at(i)));
}

QString TClassOverviewForm::title() const
{
    return QStringLiteral("Class Overview ") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

void TClassOverviewForm::btnExportClick()
{
    const QString fileName = Dialogs::current().saveFile(this, QStringLiteral("Export Class Overview"),
                                                         QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), title());
    if (fileName.isEmpty())
        return;
    QString reason;
    if (!FileSaver::save(fileName, Rules::csv(Rules::table(m_model->learners(), filter())), &reason))
        Dialogs::current().error(this, QStringLiteral("Unable to save \"%1\": %2").arg(fileName, reason));
}

void TClassOverviewForm::fillDocument(QTextDocument* doc) const
{
    const QList<QStringList> rows = Rules::table(m_model->learners(), filter());
    QList<int> shown;
    for (qsizetype i = 0; i < Rules::columns().size(); ++i) {
        if (Rules::shows(filter(), Rules::columns().at(i)))
            shown.append(int(i));
    }
    // Columns of the text table: learner, in list, level, the shown screens, ...
    constexpr int FirstScreen = 3;
    QString html = QStringLiteral("<html><body style=\"font-family:'Arial'; font-size:7pt\"><h3>%1</h3>"
                                  "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">")
                       .arg(title().toHtmlEscaped());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const bool headerRow = r == 0;
        const bool learnerRow = !headerRow && r < rows.size() - 1;
        html += QStringLiteral("<tr>");
        for (qsizetype c = 0; c < rows.at(r).size(); ++c) {
            if (c == 1)
                continue; // the "In list" column shows as a mark on the name
            QString text = rows.at(r).at(c).toHtmlEscaped();
            if (learnerRow && c == 0 && rows.at(r).at(1) == QLatin1String("no"))
                text = QStringLiteral("<i>%1 (not in the list)</i>").arg(text);
            QString style;
            if (learnerRow && c >= FirstScreen && c < FirstScreen + shown.size()) {
                const Rules::Learner& l = m_model->learners().at(r - 1);
                const QColor colour = ClassOverviewTable::gradeColour(l.cells.at(shown.at(c - FirstScreen)).grade);
                if (l.problem.isEmpty() && colour.isValid() && !text.isEmpty())
                    style = QStringLiteral(" bgcolor=\"%1\" style=\"color:#000000\"").arg(colour.name());
            }
            const QString tag = headerRow || r == rows.size() - 1 ? QStringLiteral("th") : QStringLiteral("td");
            html += QStringLiteral("<%1%2>%3</%1>").arg(tag, style, text);
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table></body></html>");
    doc->setHtml(html);
}

void TClassOverviewForm::bitbtnPrintClick()
{
    DocumentOutput::print(this, title(), QPageLayout::Landscape, [this](QTextDocument* doc) { fillDocument(doc); });
}

void TClassOverviewForm::btnPdfClick()
{
    DocumentOutput::savePdf(this, QStringLiteral("Save Class Overview as PDF"), title(), QPageLayout::Landscape,
                            [this](QTextDocument* doc) { fillDocument(doc); });
}

void TClassOverviewForm::BitBtnCancelClick()
{
    closeForm();
}

bool TClassOverviewForm::previewKeyPress(QKeyEvent* event)
{
    return m_escape.keyPress(event);
}

bool TClassOverviewForm::previewKeyRelease(QKeyEvent* event)
{
    return m_escape.keyRelease(event, [this] { BitBtnCancelClick(); });
}
