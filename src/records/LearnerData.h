#pragma once

#include "records/LearnerBackupRules.h"
#include "shell/ChildForm.h"

class QPushButton;
class QTreeWidget;
class WhatsThisMenu;

// File > "Back Up Learner Data..." and "Restore Learner Data...": the
// teacher's side of LearnerBackupRules.
namespace LearnerData {

// The settings file of every learner of the user data folder: the listed
// names, then the files no listed name owns.
QStringList learnerIniFiles();

// Asks for a folder, copies the name list and every learner's files into a
// new dated folder there and reports what was copied (the whole report is
// also kept in the backup folder as "Backup report.txt").
void backUp(QWidget* parent);

} // namespace LearnerData

// The learners of a backup folder with their dates, each with a tick box;
// "Restore" writes the ticked ones back into the user data folder. A learner
// whose file in the user data folder was changed after the backup is
// restored only when the teacher says so. Restored names join the name list.
class TRestoreForm : public ChildForm
{
    Q_OBJECT
public:
    TRestoreForm(const QString& backupFolder, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    // The learners listed (in list order).
    const QList<LearnerBackupRules::BackedUpLearner>& learners() const { return m_learners; }
    void setTicked(const QString& name, bool ticked);

    void btnRestoreClick();
    void btnSelectAllClick();
    void BitBtnCancelClick();

private:
    void fill();
    QPushButton* addButton(const QString& name, const QString& caption, const QString& hint, int helpContext);

    QString m_folder;
    QList<LearnerBackupRules::BackedUpLearner> m_learners;
    WhatsThisMenu* m_popup = nullptr;
    QTreeWidget* m_list = nullptr;
    QWidget* m_buttons = nullptr;
};
