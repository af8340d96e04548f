#pragma once

#include "shell/ChildForm.h"
#include "shell/UserStore.h"

class Panel;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

// The sign-in dialog: the learner picks a name from the list or types a new
// one, and OK makes that name the signed-in learner, reads their preferences
// and greets. It opens at program start and from User > "Switch User...", has
// no title-bar buttons, and OK is the only way out.
class TAboutBox : public ChildForm
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Handlers (public so that the menu and tests can reach them).
    void cboNameChange();
    void cboNameKeyPress(QKeyEvent* event);
    void popupNameMenu(const QPoint& globalPos);
    void mnuRemoveNameFromListClick();
    void btnOKClick();

    // The user data could be located (false: the installation's user folder
    // could not be created and the set-up stopped early).
    bool located() const { return m_located; }
    const UserStore& store() const { return m_store; }

    // Website and contact lines of the maker.
    static QString websiteAddress();

signals:
    // A new learner signed in: the Getting Started help should open.
    void gettingStartedWanted();

protected:
    bool previewKeyPress(QKeyEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    void loadNameList();
    void resetName();
    void setComboHintShown(bool shown);
    void setOkHint(const QString& hint);
    // Drops the list selection but keeps the text being edited.
    void deselectKeepingText();

    UserStore m_store;
    bool m_located = false;
    bool m_inChange = false;
    QString m_comboHint;

    QLabel* lblName = nullptr;
    QComboBox* cboName = nullptr;
    QMenu* popCboName = nullptr;
    QAction* mnuRemoveNameFromList = nullptr;
    QPushButton* btnOK = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblPrefixWebsite = nullptr;
    QLabel* lblURL = nullptr;
    Panel* pnlContact = nullptr;
    QLabel* imgBrindleCove = nullptr;
    QLabel* imgQVL = nullptr;
};
