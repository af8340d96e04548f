#include "shell/About.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMetaMethod>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "shell/Help.h"
#include "platform/Dialogs.h"
#include "platform/SoundPlayer.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/ShellHelp.h"
#include "shell/Panel.h"
#include "shell/Strings.h"

namespace {

// Hints are shown as tooltips; a tooltip shows "\n" as a line break.
QString displayText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

qsizetype leadingBlanks(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text.at(n).isSpace())
        ++n;
    return n;
}

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

// The name box: names of any length keep it, and the dialog, at its width.
// The list shows a long name elided (in full as its tooltip and accessible
// text) and opens no wider than the dialog.
class NameBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        QComboBox::showPopup();
        QWidget* popup = view()->window();
        const int widest = qMax(width(), parentWidget() ? parentWidget()->width() : 0);
        if (popup->width() > widest)
            popup->resize(widest, popup->height());
    }
};

QLabel* imageLabel(QWidget* parent, const QString& name, const QString& resource, const QString& hint)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(QPixmap(resource));
    label->setFixedSize(label->pixmap().size());
    Hints::setHint(label, hint);
    return label;
}

} // namespace

QString TAboutBox::websiteAddress()
{
    // The project's web address as people write it: no scheme, no final "/".
    QString address = QStringLiteral(VSM_HOMEPAGE);
    address.remove(QRegularExpression(QStringLiteral("^https?://|/$")));
    return address;
}

TAboutBox::TAboutBox(QWidget* parent) : ChildForm(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setCaption(QStringLiteral("Sign In"));
    Hints::setHelpContext(this, ShellHelp::SignIn);
    setCloseBox(false);
    setKeyPreview(true);
    buildControls();
    FormCreate();
    // Sized for the texts the set-up has put in.
    const QSize size = layout()->sizeHint();
    setClientSize(qMax(size.width(), 460), size.height());
}

void TAboutBox::buildControls()
{
    imgBrindleCove = imageLabel(this, QStringLiteral("imgBrindleCove"), QStringLiteral(":/icons/BrindleCove.png"),
                                QStringLiteral("Brindle Cove Learning"));
    imgQVL = imageLabel(this, QStringLiteral("imgQVL"), QStringLiteral(":/icons/QVL.png"),
                        QStringLiteral("Quick Vandrelsholm Learning"));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    QFont versionFont = lblVersion->font();
    versionFont.setPointSizeF(versionFont.pointSizeF() * 1.4);
    versionFont.setBold(true);
    lblVersion->setFont(versionFont);
    auto* lblWelcome = new QLabel(QStringLiteral("Welcome! Who is learning today?"), this);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));

    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    cboName = new NameBox(this);
    cboName->setObjectName(QStringLiteral("cboName"));
    cboName->setMinimumWidth(240);
    cboName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboName->setMinimumContentsLength(24);
    cboName->view()->setTextElideMode(Qt::ElideRight);
    lblName->setBuddy(cboName);
    setFocusProxy(cboName); // the dialog opens ready for typing

    popCboName = new QMenu(this);
    popCboName->setObjectName(QStringLiteral("popCboName"));
    mnuRemoveNameFromList = popCboName->addAction(QStringLiteral("Remove Name From List"));
    mnuRemoveNameFromList->setObjectName(QStringLiteral("mnuRemoveNameFromList"));
    connect(mnuRemoveNameFromList, &QAction::triggered, this, &TAboutBox::mnuRemoveNameFromListClick);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    connect(btnOK, &QPushButton::clicked, this, &TAboutBox::btnOKClick);

    pnlContact = new Panel(this, QStringLiteral("pnlContact"));
    pnlContact->setBevelOuter(Panel::Bevel::Lowered);
    auto* lblContact = new QLabel(QStringLiteral("Brindle Cove Learning\n7 Harbour Lane, Brindle Cove\n"
                                                 "speed-math@brindlecove.org"),
                                  pnlContact);
    lblContact->setObjectName(QStringLiteral("lblContact"));
    lblContact->setAlignment(Qt::AlignCenter);
    auto* contactLayout = new QVBoxLayout(pnlContact);
    contactLayout->setContentsMargins(8, 6, 8, 6);
    contactLayout->addWidget(lblContact);

    lblPrefixWebsite = new QLabel(QStringLiteral("Website:"), this);
    lblPrefixWebsite->setObjectName(QStringLiteral("lblPrefixWebsite"));
    lblURL = new QLabel(this);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    QPalette urlPalette = lblURL->palette();
    urlPalette.setColor(QPalette::WindowText, QColor(0, 0, 0xC0));
    lblURL->setPalette(urlPalette);

    auto* heading = new QVBoxLayout;
    heading->addStretch();
    heading->addWidget(lblVersion);
    heading->addWidget(lblWelcome);
    heading->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(imgBrindleCove);
    top->addSpacing(8);
    top->addLayout(heading, 1);
    top->addWidget(imgQVL);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(cboName, 1);
    nameRow->addWidget(btnOK);

    auto* web = new QHBoxLayout;
    web->addWidget(lblPrefixWebsite);
    web->addWidget(lblURL);
    web->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addWidget(lblName);
    layout->addLayout(nameRow);
    layout->addSpacing(10);
    layout->addWidget(pnlContact);
    layout->addLayout(web);
}

void TAboutBox::FormCreate()
{
    lblURL->setText(websiteAddress());
    m_located = UserStore::locate(this);

    // Typing new names, or (shared installation) choosing from the list only.
    const bool shared = Globals::SharedInstall;
    cboName->setEditable(!shared);
    if (QLineEdit* edit = cboName->lineEdit()) {
        // No length limit: a name pasted in whole is refused with the
        // length message rather than cut into another name.
        cboName->setInsertPolicy(QComboBox::NoInsert);
        cboName->setCompleter(nullptr);
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this,
                [this, edit](const QPoint& pos) { popupNameMenu(edit->mapToGlobal(pos)); });
    }
    if (shared) {
        cboName->setContextMenuPolicy(Qt::NoContextMenu);
        m_comboHint.clear();
        Hints::setHint(lblName, displayText(Strings::text(Strings::SelectNameHint)));
        lblName->setText(QStringLiteral("Select your name from the list:"));
        lblPrefixWebsite->setText(QStringLiteral("Website:"));
    } else {
        cboName->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(cboName, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& pos) { popupNameMenu(cboName->mapToGlobal(pos)); });
        m_comboHint = Strings::text(Strings::RemoveNameHint);
        Hints::setHint(lblName, displayText(Strings::text(Strings::SelectTypeNameHint)));
        lblName->setText(QStringLiteral("Select/type your name:"));
        lblPrefixWebsite->setText(QStringLiteral("Portal:"));
    }
    lblVersion->setText(QStringLiteral("Vandrelsholm Speed Math ") + GetVersionText(QStringLiteral("VersionNo")));
    connect(cboName, &QComboBox::currentTextChanged, this, &TAboutBox::cboNameChange);
    // A name chosen from the list shows from its start, however long.
    connect(cboName, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && cboName->lineEdit())
            cboName->lineEdit()->home(false);
    });

    resetName();
    if (m_located)
        loadNameList();
}

void TAboutBox::loadNameList()
{
    QString error;
    const UserStore::LoadResult result = m_store.loadNames(&error);
    if (result == UserStore::LoadResult::Failed) {
        Dialogs::current().error(this, error);
        Globals::UserDataWritable = false;
        resetName();
        return;
    }
    if (result == UserStore::LoadResult::NoFile) {
        resetName();
        return;
    }
    {
        const QSignalBlocker block(cboName);
        cboName->addItems(m_store.names());
        for (int i = 0; i < cboName->count(); ++i) {
            cboName->setItemData(i, cboName->itemText(i), Qt::ToolTipRole);
            cboName->setItemData(i, cboName->itemText(i), Qt::AccessibleTextRole);
        }
        cboName->setCurrentIndex(-1);
    }
    if (!Globals::UserName.isEmpty()) {
        // Switch User: the learner signed in now comes first.
        const int at = m_store.names().indexOf(Globals::UserName);
        if (at >= 0)
            cboName->setCurrentIndex(at);
        else if (cboName->isEditable())
            cboName->setEditText(Globals::UserName); // not listed: offered as typed
        setComboHintShown(cboName->currentIndex() >= 0);
    } else if (cboName->count() == 0) {
        resetName();
    } else {
        cboName->setCurrentIndex(0);
        setComboHintShown(true);
    }
}

void TAboutBox::resetName()
{
    setComboHintShown(false);
    {
        const QSignalBlocker block(cboName);
        cboName->setCurrentIndex(-1);
        if (cboName->isEditable())
            cboName->setEditText(QString());
    }
    setOkHint(QString());
    btnOK->setEnabled(false);
}

void TAboutBox::setComboHintShown(bool shown)
{
    Hints::setHint(cboName, shown ? m_comboHint : QString());
}

void TAboutBox::setOkHint(const QString& hint)
{
    Hints::setHint(btnOK, hint);
}

void TAboutBox::cboNameChange()
{
    if (m_inChange)
        return;
    m_inChange = true;
    QString text = cboName->currentText();
    const qsizetype blanks = leadingBlanks(text);
    if (blanks > 0 && cboName->isEditable()) {
        text.remove(0, blanks);
        QLineEdit* edit = cboName->lineEdit();
        const int cursor = qMax(0, edit->cursorPosition() - int(blanks));
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
    if (!text.isEmpty()) {
        setComboHintShown(cboName->currentIndex() >= 0);
        btnOK->setEnabled(true);
        setOkHint(QStringLiteral("Hi ") + text);
        // A blank at the end is allowed while typing; it is not part of the name.
        const UserStore::NameCheck check = UserStore::checkName(withoutTrailingBlanks(text));
        if (!check.ok()) {
            btnOK->setEnabled(false);
            setOkHint(QString());
            Dialogs::current().error(this, check.message);
        }
    } else {
        btnOK->setEnabled(false);
        setComboHintShown(false);
        if (cboName->currentIndex() >= 0)
            cboName->setCurrentIndex(-1);
        setOkHint(QString());
    }
    m_inChange = false;
}

void TAboutBox::cboNameKeyPress(QKeyEvent* event)
{
    // A key that edits a chosen name starts a new one: the list selection goes.
    const QString text = event->text();
    const bool edits = (!text.isEmpty() && text.at(0).isPrint()) || event->key() == Qt::Key_Backspace
                       || event->key() == Qt::Key_Delete || event->matches(QKeySequence::Paste)
                       || event->matches(QKeySequence::Cut);
    if (edits && cboName->isEditable() && cboName->currentIndex() >= 0)
        deselectKeepingText();
}

void TAboutBox::deselectKeepingText()
{
    QLineEdit* edit = cboName->lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const int selStart = edit->selectionStart();
    const int selLength = int(edit->selectedText().size());
    {
        const QSignalBlocker blockCombo(cboName);
        const QSignalBlocker blockEdit(edit);
        cboName->setCurrentIndex(-1);
        edit->setText(text);
        if (selStart >= 0)
            edit->setSelection(selStart, selLength);
        else
            edit->setCursorPosition(cursor);
    }
    btnOK->setEnabled(false);
    setOkHint(QString());
}

bool TAboutBox::previewKeyPress(QKeyEvent* event)
{
    if (QWidget* target = previewTarget(); target && (target == cboName || cboName->isAncestorOf(target)))
        cboNameKeyPress(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // OK is the default button.
        if (btnOK->isEnabled())
            btnOKClick();
        return true;
    }
    return false;
}

void TAboutBox::popupNameMenu(const QPoint& globalPos)
{
    // No menu while no listed name is chosen.
    if (!cboName->isEditable() || cboName->currentIndex() < 0)
        return;
    mnuRemoveNameFromList->setEnabled(!cboName->currentText().isEmpty());
    popCboName->popup(globalPos);
}

void TAboutBox::mnuRemoveNameFromListClick()
{
    const int at = cboName->currentIndex();
    if (cboName->count() == 0 || at < 0)
        return;
    QString error;
    if (!m_store.removeLearner(cboName->itemText(at), &error)) {
        Dialogs::current().error(this, error);
        return;
    }
    {
        const QSignalBlocker block(cboName);
        cboName->removeItem(at);
    }
    resetName();
}

void TAboutBox::btnOKClick()
{
    if (!btnOK->isEnabled())
        return;
    const QString typed = withoutTrailingBlanks(cboName->currentText());
    const UserStore::SignInResult result = m_store.signIn(typed, this);
    if (!result.accepted) {
        btnOK->setEnabled(false);
        Dialogs::current().error(this, UserStore::checkName(typed).message);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (Globals::GreetingsOn)
        SoundPlayer::current().playResource(Sounds::ReadySetGo, SoundPlayer::Mode::Sync);
    QApplication::restoreOverrideCursor();
    if (result.newLearner) {
        if (isSignalConnected(QMetaMethod::fromSignal(&TAboutBox::gettingStartedWanted)))
            emit gettingStartedWanted();
        else
            Help::showTopicInWindow(QStringLiteral("EStart"), 300);
    }
    closeForm();
}
