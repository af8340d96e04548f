#include "records/ReportWindow.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/Rtf.h"
#include "records/MarksheetRules.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/ShellHelp.h"
#include "shell/Panel.h"
#include "shell/ProgressBox.h"
#include "shell/Strings.h"
#include "shell/WhatsThisMenu.h"

namespace {

constexpr int PrintHelpContext = 80100;
constexpr int CloseHelpContext = 80120;
// Height the window opens with before the main window places it.
constexpr int DesignHeight = 420;

QIcon printGlyph(const QStyle* style)
{
    return QIcon::fromTheme(QStringLiteral("document-print"), style->standardIcon(QStyle::SP_FileIcon));
}

} // namespace

ReportWindow::ReportWindow(const QString& name, const QString& caption, QWidget* parent)
    : ChildForm(parent)
{
    setObjectName(name);
    setCaption(caption);
    Hints::setHelpContext(this, ShellHelp::Report);
    setMinimumSize(MinimumWidth, MinimumHeight);
    setKeyPreview(true);

    m_popup = new WhatsThisMenu(this);

    m_buttons = new Panel(this, QStringLiteral("pnlButtons"));
    m_buttons->setBevelOuter(Panel::Bevel::None);
    auto* buttonLayout = new QHBoxLayout(m_buttons);
    buttonLayout->setContentsMargins(4, 4, 4, 4);
    buttonLayout->addStretch(1);

    m_rtfScores = new QTextEdit(this);
    m_rtfScores->setObjectName(QStringLiteral("rtfScores"));
    m_rtfScores->setReadOnly(true);
    m_rtfScores->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_rtfScores->setFont(QFont(MarksheetRules::TableFamily, MarksheetRules::TablePoints));
    m_rtfScores->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A marksheet line is never broken: a narrow window scrolls sideways
    // instead, so that the columns stay under their headings.
    m_rtfScores->setLineWrapMode(QTextEdit::NoWrap);
    m_rtfScores->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_rtfScores->setAcceptRichText(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_buttons);
    layout->addWidget(m_rtfScores, 1);

    m_cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"),
                               m_buttons);
    m_cancel->setObjectName(QStringLiteral("BitBtnCancel"));
    Hints::setHint(m_cancel, QStringLiteral("Closes this window."));
    Hints::setHelpContext(m_cancel, CloseHelpContext);
    m_popup->attach(m_cancel);
    buttonLayout->insertWidget(0, m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &ReportWindow::BitBtnCancelClick);

    QPushButton* print = addButton(QStringLiteral("bitbtnPrint"), QStringLiteral("Print..."),
                                   QStringLiteral("Print the marksheet below."), PrintHelpContext,
                                   printGlyph(style()));
    connect(print, &QPushButton::clicked, this, &ReportWindow::bitbtnPrintClick);
}

QPushButton* ReportWindow::addButton(const QString& name, const QString& caption, const QString& hint,
                                     int helpContext, const QIcon& glyph)
{
    auto* button = new QPushButton(glyph, caption, m_buttons);
    button->setObjectName(name);
    button->setAutoDefault(false);
    Hints::setHint(button, hint);
    Hints::setHelpContext(button, helpContext);
    m_popup->attach(button);
    auto* layout = static_cast<QHBoxLayout*>(m_buttons->layout());
    layout->insertWidget(layout->indexOf(m_cancel), button);
    return button;
}

QSize ReportWindow::sizeHint() const
{
    // Wide enough for a marksheet line in the box's font, with the box's
    // frame, document margins and scroll bar.
    const QFontMetrics metrics(m_rtfScores->font());
    const int line = metrics.horizontalAdvance(QString(MarksheetRules::LineWidth, QLatin1Char('0')));
    const int chrome = 2 * m_rtfScores->frameWidth() + 2 * int(m_rtfScores->document()->documentMargin())
                       + m_rtfScores->verticalScrollBar()->sizeHint().width() + metrics.averageCharWidth();
    return QSize(qMax(MinimumWidth, line + chrome), qMax(MinimumHeight, DesignHeight));
}

QString ReportWindow::printJobTitle()
{
    return Strings::text(Strings::ApplicationTitle) + QLatin1Char(' ') + Strings::text(Strings::TitleScores)
           + QLatin1Char(' ') + Globals::UserName;
}

void ReportWindow::bitbtnPrintClick()
{
    QPrinter& printer = Dialogs::printer();
    if (!Dialogs::current().print(this, printer))
        return;
    QString error;
    ProgressBox progress(window(), QStringLiteral("Print"), QStringLiteral("Printing the marksheet..."));
    if (!Rtf::print(*m_rtfScores->document(), &printer, printJobTitle(), &error, progress.reporter())
        && !error.isEmpty())
        Dialogs::current().error(this, error);   // a cancelled print has nothing to say
}

void ReportWindow::BitBtnCancelClick()
{
    closeForm();
}

void ReportWindow::showFromStart()
{
    m_rtfScores->moveCursor(QTextCursor::Start);
    m_rtfScores->ensureCursorVisible();
}

bool ReportWindow::previewKeyPress(QKeyEvent* event)
{
    return m_escape.keyPress(event);
}

bool ReportWindow::previewKeyRelease(QKeyEvent* event)
{
    return m_escape.keyRelease(event, [this] { BitBtnCancelClick(); });
}
