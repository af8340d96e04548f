#include "records/ProgressWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QTextDocument>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>

#include "basics/ReviewFile.h"
#include "platform/Dialogs.h"
#include "platform/FileSaver.h"
#include "records/ProgressHelp.h"
#include "shell/DocumentOutput.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Hints.h"
#include "shell/ScreenCatalogue.h"
#include "shell/WhatsThisMenu.h"

namespace {

enum FigureRow { Count, Correct, Accuracy, Best, Average, Median, Last10, Before10, RowCount };

const char* const ValueNames[RowCount] = {"lblCount",  "lblCorrect", "lblAccuracy", "lblBest",
                                          "lblAverage", "lblMedian", "lblLast10",   "lblBefore10"};

// "Practice > Square > 2-Digit"
QString screenName(const ScreenCatalogue::Row& row)
{
    QStringList parts;
    parts << (row.group == ScreenCatalogue::Group::Basics ? QStringLiteral("Basics") : QStringLiteral("Practice"));
    if (const ScreenCatalogue::SubMenu* sub = ScreenCatalogue::findSubMenu(row.subMenu))
        parts << sub->caption;
    parts << row.caption;
    for (QString& part : parts) {
        part.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
        part.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        if (part.endsWith(QLatin1String("...")))
            part.chop(3);
    }
    return parts.join(QStringLiteral(" > "));
}

QDateTime noon(const QDate& date)
{
    return QDateTime(date, QTime(12, 0));
}

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Progress - %1").arg(Globals::UserName));
    setAccessibleName(QStringLiteral("Progress"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_whatsThis = new WhatsThisMenu(this);
    const auto help = [this](QWidget* w, int context, const QString& hint, const QString& accessible) {
        Hints::setHelpContext(w, context);
        Hints::setHint(w, hint);
        w->setAccessibleName(accessible);
        m_whatsThis->attach(w);
    };

    auto* top = new QVBoxLayout(this);
    auto* choose = new QHBoxLayout;
    auto* screenLabel = new QLabel(QStringLiteral("&Screen:"), this);
    m_screen = new QComboBox(this);
    m_screen->setObjectName(QStringLiteral("cboScreen"));
    screenLabel->setBuddy(m_screen);
    for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows())
        m_screen->addItem(screenName(row), row.section);
    help(m_screen, ProgressHelp::Screen, QStringLiteral("The screen whose history is shown."), QStringLiteral("Screen"));
    auto* optionLabel = new QLabel(QStringLiteral("&Option:"), this);
    m_option = new QComboBox(this);
    m_option->setObjectName(QStringLiteral("cboOption"));
    m_option->setMinimumContentsLength(14);
    optionLabel->setBuddy(m_option);
    help(m_option, ProgressHelp::Option, QStringLiteral("The option whose history is shown, or all of them."),
         QStringLiteral("Option"));
    choose->addWidget(screenLabel);
    choose->addWidget(m_screen, 1);
    choose->addSpacing(12);
    choose->addWidget(optionLabel);
    choose->addWidget(m_option, 1);
    top->addLayout(choose);

    auto* middle = new QHBoxLayout;
    auto* figures = new QWidget(this);
    figures->setObjectName(QStringLiteral("pnlFigures"));
    auto* grid = new QGridLayout(figures);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int row = 0; row < RowCount; ++row) {
        auto* name = new QLabel(figures);
        auto* value = new QLabel(figures);
        value->setObjectName(QString::fromLatin1(ValueNames[row]));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setFocusPolicy(Qt::StrongFocus);
        name->setBuddy(value);
        help(value, ProgressHelp::Figures, QStringLiteral("Your figures for the screen and option chosen."), QString());
        grid->addWidget(name, row, 0);
        grid->addWidget(value, row, 1);
        m_names.append(name);
        m_values.append(value);
    }
    m_empty = new QLabel(QStringLiteral("Nothing practised yet on this screen."), figures);
    m_empty->setObjectName(QStringLiteral("lblEmpty"));
    m_empty->setWordWrap(true);
    grid->addWidget(m_empty, RowCount, 0, 1, 2);
    grid->setRowStretch(RowCount + 1, 1);
    help(figures, ProgressHelp::Figures, QStringLiteral("Your figures for the screen and option chosen."),
         QStringLiteral("Figures"));

    auto* side = new QVBoxLayout;
    side->addWidget(figures);
    m_missedLabel = new QLabel(QStringLiteral("Most-&missed facts:"), this);
    m_missed = new QListWidget(this);
    m_missed->setObjectName(QStringLiteral("lstMissed"));
    m_missedLabel->setBuddy(m_missed);
    help(m_missed, ProgressHelp::Missed,
         QStringLiteral("The facts of this drill you miss most, with how often you missed them."),
         QStringLiteral("Most-missed facts"));
    side->addWidget(m_missedLabel);
    side->addWidget(m_missed, 1);
    middle->addLayout(side, 0);

    auto* charts = new QVBoxLayout;
    m_accuracyChart = makeChartView(QStringLiteral("chtAccuracy"), QStringLiteral("Accuracy per day"),
                                    ProgressHelp::AccuracyChart);
    m_secondChart = makeChartView(QStringLiteral("chtSecond"), QStringLiteral("Median time per day"),
                                  ProgressHelp::SecondChart);
    charts->addWidget(m_accuracyChart, 1);
    charts->addWidget(m_secondChart, 1);
    middle->addLayout(charts, 1);
    top->addLayout(middle, 1);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Save &Charts..."), this);
    save->setObjectName(QStringLiteral("btnSaveChart"));
    help(save, ProgressHelp::SaveChart, QStringLiteral("Saves the two charts as a picture (PNG)."),
         QStringLiteral("Save charts"));
    auto* print = new QPushButton(QStringLiteral("&Print..."), this);
    print->setObjectName(QStringLiteral("bitbtnPrint"));
    help(print, ProgressHelp::Print, QStringLiteral("Prints your figures and the charts."), QStringLiteral("Print"));
    auto* pdf = new QPushButton(QStringLiteral("Save as P&DF..."), this);
    pdf->setObjectName(QStringLiteral("btnPdf"));
    help(pdf, ProgressHelp::Pdf, QStringLiteral("Saves your figures and the charts as a PDF file."),
         QStringLiteral("Save as PDF"));
    auto* helpButton = new QPushButton(QStringLiteral("&Help"), this);
    helpButton->setObjectName(QStringLiteral("btnHelp"));
    help(helpButton, ProgressHelp::Help, QStringLiteral("Shows the help for this window."), QStringLiteral("Help"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    help(close, ProgressHelp::Close, QStringLiteral("Closes this window."), QStringLiteral("Close"));
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addStretch(1);
    buttons->addWidget(helpButton);
    buttons->addWidget(close);
    top->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &ProgressWindow::saveChart);
    connect(print, &QPushButton::clicked, this, &ProgressWindow::print);
    connect(pdf, &QPushButton::clicked, this, &ProgressWindow::savePdf);
    connect(helpButton, &QPushButton::clicked, this, [] { Help::showTopic(ProgressHelp::Topic); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_screen, &QComboBox::currentIndexChanged, this, &ProgressWindow::screenChosen);
    connect(m_option, &QComboBox::currentIndexChanged, this, &ProgressWindow::optionChosen);

    QWidget::setTabOrder(m_screen, m_option);
    QWidget* previous = m_option;
    for (QLabel* value : m_values) {
        QWidget::setTabOrder(previous, value);
        previous = value;
    }
    for (QWidget* w : {static_cast<QWidget*>(m_missed), static_cast<QWidget*>(m_accuracyChart),
                       static_cast<QWidget*>(m_secondChart), static_cast<QWidget*>(save),
                       static_cast<QWidget*>(print), static_cast<QWidget*>(pdf),
                       static_cast<QWidget*>(helpButton), static_cast<QWidget*>(close)}) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_records = HistoryRules::readFile(HistoryRules::pathFor(Globals::UserIniFile));
    QApplication::restoreOverrideCursor();
    // The screen of the newest record first.
    if (m_records.isEmpty() || !chooseSection(m_records.constLast().section))
        screenChosen();
    resize(960, 640);
}

ProgressWindow* ProgressWindow::open(QWidget* parent)
{
    QWidget* top = parent ? parent->window() : nullptr;
    if (top) {
        if (auto* open = top->findChild<ProgressWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    auto* window = new ProgressWindow(top);
    window->setWindowFlag(Qt::Window);
    window->show();
    return window;
}

QChartView* ProgressWindow::makeChartView(const QString& name, const QString& accessible, int helpContext)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundBrush(palette().base());
    chart->setTitleBrush(palette().text());
    auto* view = new QChartView(chart, this);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 220);
    view->setFocusPolicy(Qt::StrongFocus);
    Hints::setHelpContext(view, helpContext);
    Hints::setHint(view, accessible);
    view->setAccessibleName(accessible);
    m_whatsThis->attach(view);
    return view;
}

bool ProgressWindow::chooseSection(const QString& section)
{
    const int index = m_screen->findData(section);
    if (index < 0)
        return false;
    if (index == m_screen->currentIndex())
        screenChosen();
    else
        m_screen->setCurrentIndex(index);
    return true;
}

QString ProgressWindow::sectionChosen() const
{
    return m_screen->currentData().toString();
}

void ProgressWindow::screenChosen()
{
    const QSignalBlocker block(m_option);
    m_option->clear();
    m_option->addItem(QStringLiteral("All options"), QVariant());
    for (const QString& option : ProgressRules::options(m_records, sectionChosen()))
        m_option->addItem(option.isEmpty() ? QStringLiteral("(no option)") : option, option);
    m_option->setCurrentIndex(0);
    optionChosen();
}

void ProgressWindow::optionChosen()
{
    const QVariant option = m_option->currentData();
    m_summary = ProgressRules::summarise(m_records, sectionChosen(),
                                         option.isValid() ? std::optional<QString>(option.toString()) : std::nullopt);
    showFigures();
    showCharts();
    showMissed();
}

QString ProgressWindow::secondsText(double seconds)
{
    return std::isnan(seconds) ? QStringLiteral("\u2014") : QStringLiteral("%1 s").arg(seconds, 0, 'f', 1);
}

QString ProgressWindow::percentText(double percent)
{
    return std::isnan(percent) ? QStringLiteral("\u2014") : QStringLiteral("%1%").arg(percent, 0, 'f', 0);
}

void ProgressWindow::setRow(int row, const QString& name, const QString& value, bool shown)
{
    m_names[row]->setText(name);
    m_values[row]->setText(value);
    m_values[row]->setAccessibleName(QString(name).remove(QLatin1Char(':')));
    m_names[row]->setVisible(shown);
    m_values[row]->setVisible(shown);
}

void ProgressWindow::showFigures()
{
    const ProgressRules::Summary& s = m_summary;
    const bool drill = s.kind == HistoryRules::Kind::Drill;
    const auto spanText = [drill](const ProgressRules::Span& span) {
        if (span.records == 0)
            return QStringLiteral("\u2014");
        if (drill)
            return QStringLiteral("%1 right of %2").arg(percentText(span.accuracy)).arg(span.questions);
        return QStringLiteral("%1 right, median %2").arg(percentText(span.accuracy), secondsText(span.medianSeconds));
    };
    if (drill) {
        setRow(Count, QStringLiteral("Runs:"), QString::number(s.records));
        setRow(Correct, QStringLiteral("Questions (correct):"), QStringLiteral("%1 (%2)").arg(s.questions).arg(s.correct));
        setRow(Accuracy, QStringLiteral("Accuracy:"), percentText(s.accuracy));
        setRow(Best, QStringLiteral("Best run:"), percentText(s.bestAccuracy));
        setRow(Average, QString(), QString(), false);
        setRow(Median, QString(), QString(), false);
        setRow(Last10, QStringLiteral("Last 10 runs:"), spanText(s.last10));
        setRow(Before10, QStringLiteral("10 runs before:"), spanText(s.before10));
    } else {
        setRow(Count, QStringLiteral("Problems done:"), QString::number(s.records));
        setRow(Correct, QStringLiteral("Right:"), QString::number(s.correct));
        setRow(Accuracy, QStringLiteral("Accuracy:"), percentText(s.accuracy));
        setRow(Best, QStringLiteral("Best time:"), secondsText(s.bestSeconds));
        setRow(Average, QStringLiteral("Average time:"), secondsText(s.averageSeconds));
        setRow(Median, QStringLiteral("Median time:"), secondsText(s.medianSeconds));
        setRow(Last10, QStringLiteral("Last 10:"), spanText(s.last10));
        setRow(Before10, QStringLiteral("10 before:"), spanText(s.before10));
    }
    m_empty->setVisible(s.records == 0);
}

void ProgressWindow::showCharts()
{
    const bool drill = m_summary.kind == HistoryRules::Kind::Drill;
    const QColor text = palette().color(QPalette::Text);
    const QColor line = palette().color(QPalette::Highlight);
    const auto fill = [&](QChartView* view, const QString& title, const QString& unit, auto value) {
        QChart* chart = view->chart();
        chart->removeAllSeries();
        // A removed axis is handed back to the caller, not deleted.
        for (QAbstractAxis* axis : chart->axes()) {
            chart->removeAxis(axis);
            delete axis;
        }
        chart->setTitle(title);
        auto* series = new QLineSeries;
        series->setPen(QPen(line, 2));
        series->setPointsVisible(true);
        double top = 0;
        for (const ProgressRules::Day& day : m_summary.days) {
            const double v = value(day);
            if (std::isnan(v))
                continue;
            series->append(double(noon(day.date).toMSecsSinceEpoch()), v);
            top = std::max(top, v);
        }
        chart->addSeries(series);
        auto* x = new QDateTimeAxis;
        x->setFormat(QStringLiteral("d MMM"));
        x->setLabelsBrush(text);
        x->setTickCount(std::clamp(int(m_summary.days.size()), 2, 7));
        const QDate first = m_summary.days.isEmpty() ? QDate::currentDate() : m_summary.days.constFirst().date;
        const QDate last = m_summary.days.isEmpty() ? QDate::currentDate() : m_summary.days.constLast().date;
        x->setRange(noon(first.addDays(-1)), noon(last.addDays(1)));
        auto* y = new QValueAxis;
        y->setLabelsBrush(text);
        y->setTitleText(unit);
        y->setTitleBrush(text);
        y->setLabelFormat(QStringLiteral("%.0f"));
        if (unit == QLatin1String("%")) {
            y->setRange(0, 100);
        } else {
            y->setRange(0, std::max(5.0, top * 1.1));
            y->applyNiceNumbers();
        }
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        series->attachAxis(x);
        series->attachAxis(y);
    };
    fill(m_accuracyChart, QStringLiteral("Accuracy per day"), QStringLiteral("%"),
         [](const ProgressRules::Day& d) { return d.accuracy; });
    if (drill) {
        fill(m_secondChart, QStringLiteral("Questions per day"), QStringLiteral("questions"),
             [](const ProgressRules::Day& d) { return double(d.questions); });
        m_secondChart->setAccessibleName(QStringLiteral("Questions per day"));
    } else {
        fill(m_secondChart, QStringLiteral("Median time per problem per day"), QStringLiteral("seconds"),
             [](const ProgressRules::Day& d) { return d.medianSeconds; });
        m_secondChart->setAccessibleName(QStringLiteral("Median time per problem per day"));
    }
}

void ProgressWindow::showMissed()
{
    m_missed->clear();
    const ScreenCatalogue::Row* row = nullptr;
    for (const ScreenCatalogue::Row& r : ScreenCatalogue::rows())
        if (r.section == sectionChosen())
            row = &r;
    std::optional<ReviewDeck> deck;
    if (row && row->method.isEmpty())
        deck = ReviewFile::read(ReviewFile::pathFor(Globals::UserIniFile));
    const QList<ReviewRecord> missed = deck ? deck->mostMissed(sectionChosen(), MissedCount) : QList<ReviewRecord>();
    for (const ReviewRecord& r : missed)
        m_missed->addItem(QStringLiteral("%1   missed %2 of %3").arg(r.key).arg(r.missed).arg(r.seen));
    m_missedLabel->setVisible(!missed.isEmpty());
    m_missed->setVisible(!missed.isEmpty());
}

void ProgressWindow::saveChart()
{
    const QString fileName = Dialogs::current().saveFile(this, QStringLiteral("Save Charts"),
                                                         QStringLiteral("PNG pictures (*.png)"), QStringLiteral("png"),
                                                         QStringLiteral("Progress %1").arg(Globals::UserName));
    if (fileName.isEmpty())
        return;
    const QPixmap first = m_accuracyChart->grab();
    const QPixmap second = m_secondChart->grab();
    QPixmap both(std::max(first.width(), second.width()), first.height() + second.height());
    both.fill(palette().color(QPalette::Base));
    {
        QPainter painter(&both);
        painter.drawPixmap(0, 0, first);
        painter.drawPixmap(0, first.height(), second);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString reason;
    if (!both.save(&buffer, "PNG"))
        reason = QStringLiteral("no picture was made.");
    else if (FileSaver::save(fileName, bytes, &reason))
        return;
    Dialogs::current().error(this, QStringLiteral("Unable to save the file \"%1\": %2").arg(fileName, reason));
}

void ProgressWindow::fillDocument(QTextDocument* doc) const
{
    // The charts as the window draws them, at twice its resolution and
    // PageWidth wide: a chart lays itself out when its events are handled,
    // and drops the axes of its last filling later, so a chart just filled
    // is laid out first.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    constexpr int PageWidth = 600; // pixels at 96 dpi: A4 or Letter less 2 cm margins
    const auto picture = [doc](QChartView* view, const QString& name) {
        QImage image(view->size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(view->palette().color(QPalette::Base));
        static_cast<QWidget*>(view)->render(&image); // the widget, not the scene
        doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
        return QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
            .arg(name)
            .arg(PageWidth)
            .arg(PageWidth * view->height() / std::max(1, view->width()));
    };
    QString html = QStringLiteral("<html><body style=\"font-family:'Arial'; font-size:10pt\"><h3>%1</h3>"
                                  "<p>Screen: %2<br>Option: %3</p><table cellspacing=\"0\" cellpadding=\"2\">")
                       .arg(QStringLiteral("Progress - %1").arg(Globals::UserName).toHtmlEscaped(),
                            m_screen->currentText().toHtmlEscaped(), m_option->currentText().toHtmlEscaped());
    for (int row = 0; row < RowCount; ++row) {
        if (m_values[row]->isHidden())
            continue;
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                    .arg(m_names[row]->text().toHtmlEscaped(), m_values[row]->text().toHtmlEscaped());
    }
    html += QStringLiteral("</table>");
    if (m_summary.records == 0)
        html += QStringLiteral("<p>%1</p>").arg(m_empty->text().toHtmlEscaped());
    html += picture(m_accuracyChart, QStringLiteral("progress-accuracy.png"));
    html += picture(m_secondChart, QStringLiteral("progress-second.png"));
    if (!m_missed->isHidden() && m_missed->count() > 0) {
        html += QStringLiteral("<p><b>Most-missed facts</b></p><ul>");
        for (int i = 0; i < m_missed->count(); ++i)
            html += QStringLiteral("<li>%1</li>").arg(m_missed->item(i)->text().toHtmlEscaped());
        html += QStringLiteral("</ul>");
    }
    html += QStringLiteral("</body></html>");
    doc->setHtml(html);
}

void ProgressWindow::print()
{
    DocumentOutput::print(this, windowTitle(), QPageLayout::Portrait, [this](QTextDocument* doc) { fillDocument(doc); });
}

void ProgressWindow::savePdf()
{
    DocumentOutput::savePdf(this, QStringLiteral("Save Progress as PDF"), windowTitle(), QPageLayout::Portrait,
                            [this](QTextDocument* doc) { fillDocument(doc); });
}
