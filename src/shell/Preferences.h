#pragma once

#include "shell/UpDown.h"

#include <QWidget>

#include <functional>

#include "shell/ChildForm.h"

class Panel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class WhatsThisMenu;

// User > "Preferences...": the learner level that sets the grading bounds,
// the bounds of the Custom level, the three groups of sounds, and the
// desktop's colour scheme. OK stores the choices; Cancel drops them.
class TPrefsForm : public ChildForm
{
    Q_OBJECT
public:
    // An up-down: two arrow buttons that step a position within a range
    // (no wrap); after every click onClick runs.
    explicit TPrefsForm(QWidget* parent = nullptr);

    // The working bounds: the amber bounds of the level chosen in the dialog.
    int workLower() const { return WorkLower; }
    int workUpper() const { return WorkUpper; }
    UpDown* lowerUpDown() const { return updnLower; }
    UpDown* upperUpDown() const { return updnUpper; }

    // Handlers.
    void RespondToRadioButtonClick();
    void updnLowerClick();
    void updnUpperClick();
    void BitBtnOKClick();
    void BitBtnCancelClick();
    void btnSetColorSchemeClick();

private:
    void buildControls();
    // 1 Beginner, 2 Intermediate, 3 Advanced, 4 Custom, as checked.
    int checkedLevel() const;
    void FormCreate();
    void refreshCustomTexts();
    void popupGrading(const QPoint& pos);

    quint8 WorkLower = 0;
    quint8 WorkUpper = 0;

    QGroupBox* grpGrading = nullptr;
    Panel* pnlRedLight = nullptr;
    Panel* pnlAmberLight = nullptr;
    Panel* pnlGreenLight = nullptr;
    QRadioButton* rdoBeginner = nullptr;
    QRadioButton* rdoIntermediate = nullptr;
    QRadioButton* rdoAdvanced = nullptr;
    QRadioButton* rdoCustom = nullptr;
    QLabel* stxtCustomRed = nullptr;
    QLabel* stxtCustomAmber = nullptr;
    QLabel* stxtCustomGreen = nullptr;
    UpDown* updnLower = nullptr;
    UpDown* updnUpper = nullptr;
    QGroupBox* grpSounds = nullptr;
    QCheckBox* chkOpenCloseGreeting = nullptr;
    QCheckBox* chkPracticeSound = nullptr;
    QCheckBox* chkIdleSound = nullptr;
    QPushButton* btnSetColorScheme = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    WhatsThisMenu* popupWhatsThis = nullptr;
};
