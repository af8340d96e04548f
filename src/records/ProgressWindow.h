#pragma once

#include <QDialog>
#include <QList>

#include "records/HistoryRules.h"
#include "records/ProgressRules.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTextDocument;
class WhatsThisMenu;

// The Progress window: the signed-in learner's practice history for one
// screen and option chosen from the catalogue of screens, as figures
// (ProgressRules) and two charts per day: accuracy and median time of right
// problems on a practice screen, accuracy and questions on a drill. A drill
// with records of missed facts lists the most-missed ones. The history is
// read once, when the window opens.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // Opens the window for the signed-in learner, or raises the one open.
    static ProgressWindow* open(QWidget* parent);

    // Chooses a screen by its settings section (false when no such screen).
    bool chooseSection(const QString& section);
    const ProgressRules::Summary& summary() const { return m_summary; }

    // The number of most-missed facts listed.
    static constexpr int MissedCount = 10;

    // "12.3 s", "—" for none.
    static QString secondsText(double seconds);
    static QString percentText(double percent);

    // The page printed and saved as PDF: the learner, the screen and option
    // chosen, the figures shown, both charts and the most-missed facts.
    void fillDocument(QTextDocument* doc) const;

private:
    void screenChosen();
    void optionChosen();
    void showFigures();
    void showCharts();
    void showMissed();
    void saveChart();
    void print();
    void savePdf();
    void setRow(int row, const QString& name, const QString& value, bool shown = true);
    QString sectionChosen() const;
    QChartView* makeChartView(const QString& name, const QString& accessible, int helpContext);

    QList<HistoryRules::Record> m_records;
    ProgressRules::Summary m_summary;
    QComboBox* m_screen = nullptr;
    QComboBox* m_option = nullptr;
    QList<QLabel*> m_names;
    QList<QLabel*> m_values;
    QChartView* m_accuracyChart = nullptr;
    QChartView* m_secondChart = nullptr;
    QLabel* m_missedLabel = nullptr;
    QListWidget* m_missed = nullptr;
    QLabel* m_empty = nullptr;
    WhatsThisMenu* m_whatsThis = nullptr;
};
