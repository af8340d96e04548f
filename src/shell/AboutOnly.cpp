#include "shell/AboutOnly.h"

#include <QFileInfo>
#include <QBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include "shell/Help.h"
#include "shell/Globals.h"

namespace {

QLabel* imageLabel(QWidget* parent, const QString& name, const QString& resource)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(QPixmap(resource));
    label->setFixedSize(label->pixmap().size());
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

TAboutOnlyBox::TAboutOnlyBox(QWidget* parent) : ChildForm(parent)
{
    setObjectName(QStringLiteral("AboutOnlyBox"));
    setCaption(QStringLiteral("About Vandrelsholm Speed Math"));

    imgBrindleCove = imageLabel(this, QStringLiteral("imgBrindleCove"), QStringLiteral(":/icons/BrindleCove.png"));
    imgQVL = imageLabel(this, QStringLiteral("imgQVL"), QStringLiteral(":/icons/QVL.png"));
    auto* lblProduct = new QLabel(QStringLiteral("Vandrelsholm Speed Math ") + GetVersionText(QStringLiteral("VersionNo")), this);
    lblProduct->setObjectName(QStringLiteral("lblProduct"));
    QFont productFont = lblProduct->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.3);
    lblProduct->setFont(productFont);

    mmoFileData = new QPlainTextEdit(this);
    mmoFileData->setObjectName(QStringLiteral("mmoFileData"));
    mmoFileData->setReadOnly(true);
    mmoFileData->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoFileData->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The stored dedication and credits follow the folders found at this run.
    mmoFileData->setPlainText(QString(fileDataText(designText())).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    lblNotice = new QLabel(QStringLiteral("Copyright \u00A9 Brindle Cove Learning. A click closes this box."), this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setCursor(Qt::PointingHandCursor);

    for (QWidget* w : {static_cast<QWidget*>(imgBrindleCove), static_cast<QWidget*>(imgQVL),
                       static_cast<QWidget*>(lblNotice)})
        w->installEventFilter(this);

    auto* images = new QVBoxLayout;
    images->addWidget(imgBrindleCove);
    images->addWidget(imgQVL);
    images->addStretch();
    auto* text = new QVBoxLayout;
    text->addWidget(lblProduct);
    text->addWidget(mmoFileData, 1);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    columns->addLayout(images);
    columns->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(columns, 1);
    layout->addWidget(lblNotice);
    setClientSize(470, 330);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TAboutOnlyBox::Timer1Timer);
    Timer1->start();
}

QString TAboutOnlyBox::folderPart(const QString& path)
{
    const qsizetype slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.left(slash + 1);
}

QString TAboutOnlyBox::fileDataText(const QString& design)
{
    const QString gap = QStringLiteral("\r\n\r\n");
    QString text = QStringLiteral("SOUNDS FOLDER:\r\n");
    if (Globals::SoundsInAltFolders)
        text += folderPart(Globals::AltRightSoundsFolder);
    else if (Globals::SoundsInFolders)
        text += folderPart(Globals::RightSoundsFolder);
    else if (Globals::SoundsFromResources)
        text += QStringLiteral("Resources in EXE");

    text += gap + QStringLiteral("HELP FOLDER:\r\n");
    const QString helpFile = Help::applicationHelpFile();
    if (!helpFile.isEmpty() && QFileInfo(helpFile).isFile())
        text += folderPart(helpFile);
    else
        text += QStringLiteral("Help file could not be found");

    text += gap + QStringLiteral("USER FILES FOLDER:\r\n");
    if (Globals::UserDataWritable)
        text += Globals::UserDataFolder;
    else
        text += QStringLiteral("Default settings used. Could not find user data files.");

    return text + gap + design;
}

QString TAboutOnlyBox::designText()
{
    return QStringLiteral(
        "DEDICATION:\r\n"
        "To Tobbel Vandrelsholm, who counted the herring boats of Brindle Cove in his head "
        "and never once reached for a pencil; and to every learner who would rather think "
        "than guess.\r\n"
        "\r\n"
        "CREDITS:\r\n"
        "Method: after the notebooks of Tobbel Vandrelsholm\r\n"
        "Program: the Brindle Cove Learning workshop\r\n"
        "Voices and bells: the Harbour School choir\r\n"
        "Trying every screen: the Thursday evening arithmetic club\r\n"
        "\r\n"
        "Thanks to the teachers who took the drills into their classes and sent back "
        "long lists of wishes, most of which are in this version.");
}

void TAboutOnlyBox::Timer1Timer()
{
    Timer1->stop();
    closeForm();
}

bool TAboutOnlyBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && (watched == imgBrindleCove || watched == imgQVL || watched == lblNotice)) {
        closeForm();
        return true;
    }
    return ChildForm::eventFilter(watched, event);
}

void TAboutOnlyBox::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    closeForm();
}
