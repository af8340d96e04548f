#include "app/PrintWorksheets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/FileSaver.h"
#include "shell/Hints.h"
#include "shell/WhatsThisMenu.h"
#include "tools/WorksheetPainter.h"

namespace {

constexpr int MaxOptionGroups = 2;

template <typename Control>
Control* named(Control* control, const char* name, const QString& accessible, const QString& hint, int help)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleName(accessible);
    Hints::setHint(control, hint);
    Hints::setHelpContext(control, help);
    return control;
}

} // namespace

TPrintWorksheetsForm::TPrintWorksheetsForm(QWidget* parent) : ChildForm(parent)
{
    setObjectName(QStringLiteral("frmPrintWorksheets"));
    setAccessibleName(QStringLiteral("Print Worksheets"));
    setCaption(QStringLiteral("Print Worksheets"));
    Hints::setHelpContext(this, HelpTopic);
    popupWhatsThis = new WhatsThisMenu(this);

    lstMethods = named(new QListWidget(this), "lstWorksheetMethods", QStringLiteral("Methods"),
                       QStringLiteral("Methods|Tick each method to print; select one to choose its options."),
                       HelpMethods);
    for (const QString& method : WorksheetSheet::methodNames()) {
        auto* item = new QListWidgetItem(WorksheetSheet::caption(method), lstMethods);
        item->setData(Qt::UserRole, method);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        QStringList defaults;
        for (const WorksheetSheet::OptionGroup& g : WorksheetSheet::optionGroups(method))
            defaults << g.names.first();
        m_choices.insert(method, defaults);
    }
    lstMethods->item(0)->setCheckState(Qt::Checked);
    lstMethods->setMinimumHeight(lstMethods->sizeHintForRow(0) * lstMethods->count() + 2 * lstMethods->frameWidth() + 4);
    lstMethods->setMinimumWidth(lstMethods->sizeHintForColumn(0) + 40);

    auto* grpOptions = new QGroupBox(QStringLiteral("Options of the selected method"), this);
    grpOptions->setObjectName(QStringLiteral("grpWorksheetOptions"));
    auto* options = new QFormLayout(grpOptions);
    for (int k = 0; k < MaxOptionGroups; ++k) {
        auto* combo = named(new QComboBox(grpOptions), k == 0 ? "cboWorksheetOption0" : "cboWorksheetOption1",
                            QStringLiteral("Option"),
                            QStringLiteral("Option|The option of the selected method, as on its screen."),
                            HelpOptions);
        auto* label = new QLabel(grpOptions);
        label->setBuddy(combo);
        options->addRow(label, combo);
        lblOptions << label;
        cboOptions << combo;
        connect(combo, &QComboBox::activated, this, &TPrintWorksheetsForm::optionChosen);
    }

    auto* grpSheet = new QGroupBox(QStringLiteral("Sheet"), this);
    grpSheet->setObjectName(QStringLiteral("grpWorksheetSheet"));
    auto* form = new QFormLayout(grpSheet);
    spnCount = named(new QSpinBox(grpSheet), "spnWorksheetCount", QStringLiteral("Problems per method"),
                     QStringLiteral("Problems|How many problems of each ticked method (1 to 100)."), HelpCount);
    spnCount->setRange(1, WorksheetSheet::MaxProblems);
    spnCount->setValue(20);
    edtSeed = named(new QLineEdit(grpSheet), "edtWorksheetSeed", QStringLiteral("Seed"),
                    QStringLiteral("Seed|Leave empty for new problems; the same number gives the same sheet."),
                    HelpSeed);
    edtSeed->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,10}")), edtSeed));
    edtSeed->setPlaceholderText(QStringLiteral("random"));
    edtTitle = named(new QLineEdit(QStringLiteral("Worksheet"), grpSheet), "edtWorksheetTitle",
                     QStringLiteral("Title"), QStringLiteral("Title|The line atop every page."), HelpTitle);
    edtTitle->setMaxLength(120);
    chkAnswerKey = named(new QCheckBox(QStringLiteral("Add an &answer key"), grpSheet), "chkWorksheetAnswerKey",
                         QStringLiteral("Add an answer key"),
                         QStringLiteral("Answer key|Pages with every answer and every box's value."), HelpAnswerKey);
    chkAnswerKey->setChecked(true);
    cboPaper = named(new QComboBox(grpSheet), "cboWorksheetPaper", QStringLiteral("Paper size"),
                     QStringLiteral("Paper|The paper size of the sheet."), HelpPaper);
    cboPaper->addItems({WorksheetPainter::paperName(WorksheetPainter::Paper::A4),
                        WorksheetPainter::paperName(WorksheetPainter::Paper::Letter)});
    auto label = [grpSheet](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, grpSheet);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(label(QStringLiteral("&Problems per method:"), spnCount), spnCount);
    form->addRow(label(QStringLiteral("S&eed:"), edtSeed), edtSeed);
    form->addRow(label(QStringLiteral("&Title:"), edtTitle), edtTitle);
    form->addRow(QString(), chkAnswerKey);
    form->addRow(label(QStringLiteral("Pape&r:"), cboPaper), cboPaper);

    const QString buttonsHint = QStringLiteral("|Preview, print or save the sheet as PDF.");
    btnPreview = named(new QPushButton(QStringLiteral("Print Pre&view..."), this), "btnWorksheetPreview",
                       QStringLiteral("Print Preview"), QStringLiteral("Print Preview") + buttonsHint, HelpButtons);
    btnPrint = named(new QPushButton(QStringLiteral("Pri&nt..."), this), "btnWorksheetPrint", QStringLiteral("Print"),
                     QStringLiteral("Print") + buttonsHint, HelpButtons);
    btnSavePdf = named(new QPushButton(QStringLiteral("&Save as PDF..."), this), "btnWorksheetSavePdf",
                       QStringLiteral("Save as PDF"), QStringLiteral("Save as PDF") + buttonsHint, HelpButtons);
    btnClose = named(new QPushButton(QStringLiteral("Close"), this), "btnWorksheetClose", QStringLiteral("Close"),
                     QStringLiteral("Close|Closes this window."), HelpButtons);
    connect(btnPreview, &QPushButton::clicked, this, &TPrintWorksheetsForm::preview);
    connect(btnPrint, &QPushButton::clicked, this, &TPrintWorksheetsForm::print);
    connect(btnSavePdf, &QPushButton::clicked, this, &TPrintWorksheetsForm::savePdf);
    connect(btnClose, &QPushButton::clicked, this, &TPrintWorksheetsForm::closeForm);

    for (QWidget* w : std::initializer_list<QWidget*>{lstMethods, cboOptions.at(0), cboOptions.at(1), spnCount,
                                                       edtSeed, edtTitle, chkAnswerKey, cboPaper, btnPreview,
                                                       btnPrint, btnSavePdf, btnClose})
        popupWhatsThis->attach(w);

    auto* methods = new QVBoxLayout;
    auto* methodsLabel = new QLabel(QStringLiteral("&Methods (tick to print):"), this);
    methodsLabel->setBuddy(lstMethods);
    methods->addWidget(methodsLabel);
    methods->addWidget(lstMethods, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(grpOptions);
    right->addWidget(grpSheet);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(methods, 1);
    top->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPreview);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnSavePdf);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    QWidget* order[] = {lstMethods, cboOptions.at(0), cboOptions.at(1), spnCount, edtSeed, edtTitle,
                        chkAnswerKey, cboPaper, btnPreview, btnPrint, btnSavePdf, btnClose};
    for (size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);

    connect(lstMethods, &QListWidget::currentRowChanged, this, &TPrintWorksheetsForm::showOptions);
    lstMethods->setCurrentRow(0);
    showOptions();
    const QSize size = layout->sizeHint();
    setClientSize(size.width(), size.height());
    lstMethods->setFocus();
}

void TPrintWorksheetsForm::showOptions()
{
    const QListWidgetItem* item = lstMethods->currentItem();
    const QString method = item ? item->data(Qt::UserRole).toString() : QString();
    const QList<WorksheetSheet::OptionGroup> groups = WorksheetSheet::optionGroups(method);
    const QStringList chosen = m_choices.value(method);
    for (int k = 0; k < MaxOptionGroups; ++k) {
        QComboBox* combo = cboOptions.at(k);
        const bool used = k < groups.size();
        combo->clear();
        if (used) {
            combo->addItems(groups.at(k).names);
            combo->setCurrentIndex(std::max(0, int(groups.at(k).names.indexOf(chosen.value(k)))));
            QString what = groups.at(k).what;
            if (!what.isEmpty())
                what[0] = what.at(0).toUpper();
            lblOptions.at(k)->setText(QStringLiteral("%1:").arg(what));
            combo->setAccessibleName(what);
        } else {
            lblOptions.at(k)->setText(k == 0 ? QStringLiteral("(no options)") : QString());
        }
        combo->setVisible(used);
        lblOptions.at(k)->setVisible(used || k == 0);
    }
}

void TPrintWorksheetsForm::optionChosen()
{
    const QListWidgetItem* item = lstMethods->currentItem();
    if (!item)
        return;
    const QString method = item->data(Qt::UserRole).toString();
    QStringList chosen;
    for (int k = 0; k < WorksheetSheet::optionGroups(method).size(); ++k)
        chosen << cboOptions.at(k)->currentText();
    m_choices.insert(method, chosen);
}

std::optional<WorksheetSheet::Sheet> TPrintWorksheetsForm::sheet()
{
    quint32 seed = QRandomGenerator::system()->generate();
    if (!edtSeed->text().isEmpty()) {
        bool ok = false;
        const qulonglong value = edtSeed->text().toULongLong(&ok);
        if (!ok || value > 4294967295ULL) {
            Dialogs::current().error(this, QStringLiteral("The seed must be a whole number from 0 to 4294967295."));
            edtSeed->setFocus();
            return std::nullopt;
        }
        seed = quint32(value);
    }
    WorksheetSheet::Sheet sheet;
    sheet.title = edtTitle->text().trimmed();
    sheet.answers = chkAnswerKey->isChecked();
    for (int row = 0; row < lstMethods->count(); ++row) {
        const QListWidgetItem* item = lstMethods->item(row);
        if (item->checkState() != Qt::Checked)
            continue;
        const QString method = item->data(Qt::UserRole).toString();
        // Each method draws from its own seed, so adding one leaves the others as they were.
        const quint32 own = seed + quint32(row);
        QString error;
        const auto section = WorksheetSheet::section({method, m_choices.value(method), spnCount->value(), own}, &error);
        if (!section) {
            Dialogs::current().error(this, error);
            return std::nullopt;
        }
        sheet.sections << *section;
    }
    if (sheet.sections.isEmpty()) {
        Dialogs::current().error(this, QStringLiteral("Tick at least one method to print."));
        lstMethods->setFocus();
        return std::nullopt;
    }
    return sheet;
}

namespace {

WorksheetPainter::Paper paperOf(const QComboBox* box)
{
    return WorksheetPainter::paperNamed(box->currentText()).value_or(WorksheetPainter::Paper::A4);
}

} // namespace

void TPrintWorksheetsForm::preview()
{
    const auto s = sheet();
    if (!s)
        return;
    QPrinter& printer = Dialogs::printer();
    printer.setPageSize(WorksheetPainter::pageSize(paperOf(cboPaper)));
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgWorksheetPreview"));
    dialog.setWindowTitle(QStringLiteral("Print Preview: %1").arg(s->title));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&s](QPrinter* p) { WorksheetPainter::paint(*s, *p); });
    dialog.exec();
}

void TPrintWorksheetsForm::print()
{
    const auto s = sheet();
    if (!s)
        return;
    QPrinter& printer = Dialogs::printer();
    printer.setPageSize(WorksheetPainter::pageSize(paperOf(cboPaper)));
    if (!Dialogs::current().print(this, printer))
        return;
    // Printing to a file goes through the atomic save, as every save does.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        QString reason;
        if (!FileSaver::save(printer.outputFileName(), WorksheetPainter::pdf(*s, paperOf(cboPaper)), &reason))
            Dialogs::current().error(this, QStringLiteral("Printing to \"%1\" failed: %2")
                                               .arg(printer.outputFileName(), reason));
        return;
    }
    if (!WorksheetPainter::paint(*s, printer))
        Dialogs::current().error(this, QStringLiteral("The printer could not print the worksheets."));
}

void TPrintWorksheetsForm::savePdf()
{
    const auto s = sheet();
    if (!s)
        return;
    const QString fileName = Dialogs::current().saveFile(this, QStringLiteral("Save Worksheets as PDF"),
                                                         QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"),
                                                         s->title.isEmpty() ? QStringLiteral("Worksheet") : s->title);
    if (fileName.isEmpty())
        return;
    const QByteArray bytes = WorksheetPainter::pdf(*s, paperOf(cboPaper));
    QString reason = QStringLiteral("the worksheets could not be drawn");
    if (bytes.isEmpty() || !FileSaver::save(fileName, bytes, &reason))
        Dialogs::current().error(this, QStringLiteral("Saving \"%1\" failed: %2").arg(fileName, reason));
}
