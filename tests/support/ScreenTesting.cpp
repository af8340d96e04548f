#include "ScreenTesting.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>

#include "shell/About.h"

bool signInAs(TfrmMain& main, const QString& name)
{
    main.menuItem(QStringLiteral("mnuAbout"))->trigger();
    auto* box = qobject_cast<TAboutBox*>(main.activeChild());
    if (!box)
        return false;
    auto* combo = box->findChild<QComboBox*>(QStringLiteral("cboName"));
    combo->lineEdit()->clear();
    QTest::keyClicks(combo, name);
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    QDeadlineTimer deadline(10000);
    while (!main.childForms().isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return main.childForms().isEmpty();
}
