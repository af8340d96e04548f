#pragma once

#include "shell/ChildForm.h"
#include "tools/WorksheetSheet.h"

#include <QHash>
#include <QStringList>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class WhatsThisMenu;

// File > Print Worksheets...: choose methods with their options, how many
// problems, a seed, a title and an answer key; preview, print or save the
// sheet as PDF. The sheet is drawn by WorksheetPainter, as the worksheet
// tool draws it.
class TPrintWorksheetsForm : public ChildForm
{
    Q_OBJECT
public:
    // Help context numbers of the window and its controls.
    enum HelpContext {
        HelpTopic = 488,
        HelpMethods = 91000,
        HelpOptions = 91010,
        HelpCount = 91020,
        HelpSeed = 91030,
        HelpTitle = 91040,
        HelpAnswerKey = 91050,
        HelpPaper = 91060,
        HelpButtons = 91070,
    };

    explicit TPrintWorksheetsForm(QWidget* parent = nullptr);

    // The sheet the controls describe; nullopt (after an error message) when
    // they describe none.
    std::optional<WorksheetSheet::Sheet> sheet();

private:
    void showOptions();
    void optionChosen();
    void preview();
    void print();
    void savePdf();

    QListWidget* lstMethods = nullptr;
    QList<QLabel*> lblOptions;
    QList<QComboBox*> cboOptions;
    QSpinBox* spnCount = nullptr;
    QLineEdit* edtSeed = nullptr;
    QLineEdit* edtTitle = nullptr;
    QCheckBox* chkAnswerKey = nullptr;
    QComboBox* cboPaper = nullptr;
    QPushButton* btnPreview = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnSavePdf = nullptr;
    QPushButton* btnClose = nullptr;
    WhatsThisMenu* popupWhatsThis = nullptr;
    QHash<QString, QStringList> m_choices; // method: its chosen options
};
