#include "shell/ProgressBox.h"

#include <QPushButton>

#include "shell/Hints.h"
#include "shell/WhatsThisMenu.h"

namespace {

constexpr int CancelHelpContext = 80130;
constexpr int Steps = 1000;
int g_showAfter = 1000;

} // namespace

ProgressBox::ProgressBox(QWidget* parent, const QString& title, const QString& text)
    : QProgressDialog(text, QString(), 0, Steps, parent)
{
    setObjectName(QStringLiteral("ProgressBox"));
    setWindowTitle(title);
    setAccessibleName(title);
    setAccessibleDescription(text);
    setWindowModality(Qt::ApplicationModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(g_showAfter);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);

    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    Hints::setHint(m_cancel, QStringLiteral("Stops it; nothing is opened or printed."));
    Hints::setHelpContext(m_cancel, CancelHelpContext);
    (new WhatsThisMenu(this))->attach(m_cancel);
    setCancelButton(m_cancel);
    // The clock of the box starts now.
    setValue(0);
}

bool ProgressBox::step(int permille)
{
    // Until the box is shown, no events are handled: the windows behind it
    // take no input while their task is under way.
    setValue(qBound(1, permille, Steps - 1));
    return !wasCanceled();
}

void ProgressBox::reject()
{
    cancel();
}

std::function<bool(int)> ProgressBox::reporter()
{
    return [this](int permille) { return step(permille); };
}

void ProgressBox::setShowAfter(int milliseconds)
{
    g_showAfter = milliseconds;
}

int ProgressBox::showAfter()
{
    return g_showAfter;
}
