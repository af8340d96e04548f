#pragma once

#include <QAbstractTableModel>

#include "records/ClassOverviewRules.h"
#include "shell/ChildForm.h"
#include "shell/EscapeCloses.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTextDocument;
class WhatsThisMenu;

// The learners of ClassOverviewRules as a table: the learner, the level, one
// column per screen, the problems done, the time last practised and a note;
// the class medians in a last row that stays last whatever the order.
class ClassOverviewTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Fixed { NameColumn = 0, LevelColumn = 1, FirstScreenColumn = 2 };
    explicit ClassOverviewTable(QObject* parent = nullptr);

    void setLearners(QList<ClassOverviewRules::Learner> learners);
    const QList<ClassOverviewRules::Learner>& learners() const { return m_learners; }
    static int screenColumn(int index) { return FirstScreenColumn + index; }
    static int problemsColumn() { return FirstScreenColumn + int(ClassOverviewRules::columns().size()); }
    static int lastPractisedColumn() { return problemsColumn() + 1; }
    static int noteColumn() { return problemsColumn() + 2; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // The grade's colour of a cell (red, yellow, lime), invalid for none.
    static QColor gradeColour(Grading::Grade grade);
    // What the mouse shows over a screen cell: counts, bounds and, on a
    // practice screen, the best time of every problem type.
    static QString cellHint(const ClassOverviewRules::Learner& learner, int column);

private:
    QVariant learnerData(const ClassOverviewRules::Learner& learner, int column, int role) const;
    QVariant medianData(int column, int role) const;
    QList<ClassOverviewRules::Learner> m_learners;
    QList<int> m_medians; // per screen, in tenths
    int m_medianProblems = -1;
};

// Records > "Class Overview": every learner of the user folder at a glance,
// whoever is signed in. It only reads the learners' files. The table sorts
// by any column (click its heading), the filter shows the Basics or the
// Practice screens, and the table can be exported as CSV, printed or saved
// as PDF.
class TClassOverviewForm : public ChildForm
{
    Q_OBJECT
public:
    explicit TClassOverviewForm(QWidget* parent = nullptr);

    QTableView* table() const { return m_view; }
    ClassOverviewTable* model() const { return m_model; }
    ClassOverviewRules::Filter filter() const;

    // Reads the learners again.
    void reload();
    void cboFilterChange();
    void btnExportClick();
    void bitbtnPrintClick();
    void btnPdfClick();
    void BitBtnCancelClick();

    // The table as a document to print, with the grade colours.
    void fillDocument(QTextDocument* doc) const;
    QSize sizeHint() const override;

protected:
    bool previewKeyPress(QKeyEvent* event) override;
    bool previewKeyRelease(QKeyEvent* event) override;

private:
    QPushButton* addButton(const QString& name, const QString& caption, const QString& hint, int helpContext);
    QString title() const;

    WhatsThisMenu* m_popup = nullptr;
    QComboBox* m_filter = nullptr;
    QTableView* m_view = nullptr;
    ClassOverviewTable* m_model = nullptr;
    QLabel* m_status = nullptr;
    QWidget* m_buttons = nullptr;
    QPushButton* m_close = nullptr;
    EscapeCloses m_escape;
};
