#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPageSetupDialog>

namespace {

Dialogs* g_installed = nullptr;

QString boxTitle()
{
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Vandrelsholm Speed Math") : name;
}

QMessageBox::StandardButton showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, boxTitle(), text, buttons, parent);
    Dialogs::useDialogFrame(&box);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

Dialogs& Dialogs::current()
{
    static Dialogs real;
    return g_installed ? *g_installed : real;
}

void Dialogs::install(Dialogs* dialogs)
{
    g_installed = dialogs;
}

void Dialogs::error(QWidget* parent, const QString& text)
{
    showBox(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void Dialogs::information(QWidget* parent, const QString& text)
{
    showBox(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool Dialogs::confirm(QWidget* parent, const QString& text)
{
    return showBox(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

void Dialogs::beep()
{
    QApplication::beep();
}

QString Dialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                          const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title, QString(), filter);
    useDialogFrame(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString Dialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                          const QString& defaultSuffix, const QString& presetFileName)
{
    QFileDialog dialog(parent, title, QString(), filter);
    useDialogFrame(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(presetFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString Dialogs::chooseFolder(QWidget* parent, const QString& title)
{
    QFileDialog dialog(parent, title);
    useDialogFrame(&dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool Dialogs::print(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    useDialogFrame(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool Dialogs::printerSetup(QWidget* parent, QPrinter& printer)
{
    // The print dialog without printing is the printer set-up of this platform:
    // it chooses the printer, paper and orientation used by every later print.
    QPrintDialog dialog(&printer, parent);
    useDialogFrame(&dialog);
    dialog.setWindowTitle(QObject::tr("Printer Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    return dialog.exec() == QDialog::Accepted;
}

void Dialogs::useDialogFrame(QWidget* window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
}

QPrinter& Dialogs::printer()
{
    static QPrinter shared(QPrinter::HighResolution);
    return shared;
}
