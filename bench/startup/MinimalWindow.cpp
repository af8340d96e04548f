// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does that shows a main window (a menu bar, a status bar and a label) and a
// dialog asking for a name (a label, an editable combo box and an OK
// button), both shown at once.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    window.setCentralWidget(new QLabel(QStringLiteral("A minimal main window"), &window));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(800, 600);
    window.show();

    QDialog dialog(&window);
    dialog.setObjectName(QStringLiteral("dialog"));
    dialog.setWindowTitle(QStringLiteral("Sign In"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Your name:"), &dialog));
    auto* name = new QComboBox(&dialog);
    name->setEditable(true);
    layout->addWidget(name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.show();
    return app.exec();
}
