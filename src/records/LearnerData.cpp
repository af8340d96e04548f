#include "records/LearnerData.h"

#include <QDate>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/FileSaver.h"
#include "records/ClassOverviewHelp.h"
#include "records/ClassOverviewRules.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/SetIni.h"
#include "shell/UserStore.h"
#include "shell/WhatsThisMenu.h"

namespace {

// Lines of a report a message box shows; the rest is in the report file.
constexpr int ShownLines = 24;

QString dateText(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QStringLiteral("—");
}

QString shortened(const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.size() <= ShownLines)
        return text;
    const qsizetype more = lines.size() - ShownLines;
    lines = lines.mid(0, ShownLines);
    lines.append(QStringLiteral("... and %1 more lines.").arg(more));
    return lines.join(QStringLiteral("\r\n"));
}

bool noUserFolder(QWidget* parent)
{
    if (!Globals::UserDataFolder.isEmpty())
        return false;
    Dialogs::current().error(parent, QStringLiteral("No user folder was found, so there is no learner data."));
    return true;
}

} // namespace

namespace LearnerData {

QStringList learnerIniFiles()
{
    UserStore store;
    QString error;
    store.loadNames(&error);
    QStringList files;
    for (const ClassOverviewRules::Learner& l : ClassOverviewRules::readClass(store.names(), Globals::UserDataFolder))
        files.append(l.file);
    return files;
}

void backUp(QWidget* parent)
{
    if (noUserFolder(parent))
        return;
    const QString parentFolder = Dialogs::current().chooseFolder(
        parent, QStringLiteral("Back Up Learner Data: choose where the backup folder goes"));
    if (parentFolder.isEmpty())
        return;
    const LearnerBackupRules::BackupReport report = LearnerBackupRules::backUp(
        UserStore::nameListFile(), learnerIniFiles(), parentFolder, QDate::currentDate());
    if (!report.error.isEmpty()) {
        Dialogs::current().error(parent, report.error);
        return;
    }
    QString text = report.text();
    QString reason;
    if (!FileSaver::save(QDir(report.folder).filePath(QStringLiteral("Backup report.txt")),
                         (text + QStringLiteral("\r\n")).toUtf8(), &reason))
        text += QStringLiteral("\r\n\r\nThe report could not be kept in the backup folder: ") + reason;
    if (report.failures() > 0)
        Dialogs::current().error(parent, shortened(text));
    else
        Dialogs::current().information(parent, shortened(text));
}

} // namespace LearnerData

TRestoreForm::TRestoreForm(const QString& backupFolder, QWidget* parent) : ChildForm(parent), m_folder(backupFolder)
{
    setObjectName(QStringLiteral("RestoreForm"));
    setCaption(QStringLiteral("Restore Learner Data"));
    setAccessibleName(QStringLiteral("Restore Learner Data"));
    Hints::setHelpContext(this, ClassOverviewHelp::BackupTopic);
    m_popup = new WhatsThisMenu(this);

    auto* label = new QLabel(QStringLiteral("Learners in the backup %1.\nTick those to restore:").arg(backupFolder), this);
    label->setWordWrap(true);
    label->setContentsMargins(4, 4, 4, 4);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstLearners"));
    m_list->setAccessibleName(QStringLiteral("Learners in the backup"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Learner"), QStringLiteral("Backed up"), QStringLiteral("In the user folder")});
    Hints::setHint(m_list, QStringLiteral("Each learner of the backup with the date of their newest file there and "
                                          "in the user folder. Tick the learners to restore."));
    Hints::setHelpContext(m_list, ClassOverviewHelp::RestoreList);
    m_popup->attach(m_list);
    label->setBuddy(m_list);

    m_buttons = new QWidget(this);
    auto* bar = new QHBoxLayout(m_buttons);
    bar->setContentsMargins(4, 4, 4, 4);
    bar->addStretch(1);
    QPushButton* all = addButton(QStringLiteral("btnSelectAll"), QStringLiteral("Tick &All"),
                                 QStringLiteral("Ticks every learner."), ClassOverviewHelp::RestoreAll);
    connect(all, &QPushButton::clicked, this, &TRestoreForm::btnSelectAllClick);
    QPushButton* restore = addButton(QStringLiteral("btnRestore"), QStringLiteral("&Restore"),
                                     QStringLiteral("Restores the ticked learners' files into the user folder."),
                                     ClassOverviewHelp::RestoreButton);
    connect(restore, &QPushButton::clicked, this, &TRestoreForm::btnRestoreClick);
    QPushButton* close = addButton(QStringLiteral("BitBtnCancel"), QStringLiteral("&Close"),
                                   QStringLiteral("Closes this window; nothing more is restored."),
                                   ClassOverviewHelp::RestoreClose);
    connect(close, &QPushButton::clicked, this, &TRestoreForm::BitBtnCancelClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_buttons);
    setTabOrder(m_list, all);
    setTabOrder(all, restore);
    setTabOrder(restore, close);
    resize(560, 420);
    fill();
}

QPushButton* TRestoreForm::addButton(const QString& name, const QString& caption, const QString& hint, int helpContext)
{
    auto* button = new QPushButton(caption, m_buttons);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    Hints::setHint(button, hint);
    Hints::setHelpContext(button, helpContext);
    m_popup->attach(button);
    m_buttons->layout()->addWidget(button);
    return button;
}

void TRestoreForm::fill()
{
    m_learners = LearnerBackupRules::readBackup(m_folder, Globals::UserDataFolder);
    m_list->clear();
    for (const LearnerBackupRules::BackedUpLearner& l : std::as_const(m_learners)) {
        auto* item = new QTreeWidgetItem(m_list, {l.name, dateText(l.date), dateText(l.current)});
        item->setCheckState(0, Qt::Unchecked);
        if (l.newerInUserFolder)
            item->setToolTip(2, QStringLiteral("Changed after the backup: restoring asks first."));
    }
    m_list->resizeColumnToContents(0);
}

void TRestoreForm::setTicked(const QString& name, bool ticked)
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->text(0) == name)
            m_list->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void TRestoreForm::btnSelectAllClick()
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        m_list->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void TRestoreForm::btnRestoreClick()
{
    if (!Globals::UserDataWritable) {
        Dialogs::current().error(this, QStringLiteral("Folder: %1\r\n\r\nNothing can be written there, so nothing "
                                                      "was restored.")
                                           .arg(Globals::UserDataFolder));
        return;
    }
    QStringList restored;
    QStringList skipped;
    QStringList failed;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->checkState(0) != Qt::Checked)
            continue;
        const LearnerBackupRules::BackedUpLearner& l = m_learners.at(i);
        if (l.newerInUserFolder
            && !Dialogs::current().confirm(
                this, QStringLiteral("%1's files in the user folder were changed on %2, after this backup (%3).\r\n\r\n"
                                     "Replace them with the backup? Their work since the backup is then lost.")
                          .arg(l.name, dateText(l.current), dateText(l.date)))) {
            skipped.append(l.name);
            continue;
        }
        QString error;
        if (LearnerBackupRules::restore(l, m_folder, Globals::UserDataFolder, &error))
            restored.append(l.name);
        else
            failed.append(QStringLiteral("%1 (%2)").arg(l.name, error));
    }
    if (restored.isEmpty() && skipped.isEmpty() && failed.isEmpty()) {
        Dialogs::current().information(this, QStringLiteral("No learner is ticked: nothing was restored."));
        return;
    }

    // Restored learners sign in by name again.
    QString listError;
    if (!restored.isEmpty()) {
        UserStore store;
        if (store.loadNames(&listError) != UserStore::LoadResult::Failed) {
            for (const QString& name : std::as_const(restored)) {
                if (UserStore::checkName(name).ok())
                    store.addName(name);
            }
            store.saveNames(&listError);
        }
        if (restored.contains(Globals::UserName))
            LoadPreferences(this);
    }

    QStringList report;
    if (!restored.isEmpty())
        report.append(QStringLiteral("Restored: ") + restored.join(QStringLiteral(", ")) + QLatin1Char('.'));
    if (!skipped.isEmpty())
        report.append(QStringLiteral("Not restored (newer in the user folder): ") + skipped.join(QStringLiteral(", "))
                      + QLatin1Char('.'));
    if (!failed.isEmpty())
        report.append(QStringLiteral("Not restored, nothing of theirs changed: ") + failed.join(QStringLiteral("; ")));
    if (!listError.isEmpty())
        report.append(listError);
    if (failed.isEmpty() && listError.isEmpty())
        Dialogs::current().information(this, report.join(QStringLiteral("\r\n\r\n")));
    else
        Dialogs::current().error(this, report.join(QStringLiteral("\r\n\r\n")));
    fill();
}

void TRestoreForm::BitBtnCancelClick()
{
    closeForm();
}
