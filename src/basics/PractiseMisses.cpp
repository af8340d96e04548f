#include "basics/PractiseMisses.h"

#include <QCheckBox>
#include <QLabel>
#include <QStyle>

#include "basics/BasicsHelp.h"
#include "basics/ReviewFile.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/WhatsThisMenu.h"

namespace {

const QString Caption = QStringLiteral("Practise my misses");
const QString BoxHint = QStringLiteral("|Ask the facts you missed more often, until you have them right three times in a row.");
const QString CountHint = QStringLiteral("|Facts of this option you missed lately: they come back more often than the others.");
// The widest the count gets: a drill keeps at most this many facts.
const QString WidestCount = QStringLiteral("%1 facts to review").arg(ReviewDeck::MaxFactsPerDrill);

// From the left of the drill area, as the options column.
constexpr int Margin = 8;
constexpr int Gap = 8;

QString countText(int waiting)
{
    if (waiting == 0)
        return QStringLiteral("No facts to review");
    return waiting == 1 ? QStringLiteral("1 fact to review") : QStringLiteral("%1 facts to review").arg(waiting);
}

// A control that shows nothing (an empty panel without a border, which only
// gives its area a hint) does not take the place it covers.
bool showsSomething(const QWidget* control)
{
    const auto* panel = qobject_cast<const Panel*>(control);
    return !panel || panel->bevelOuter() != Panel::Bevel::None || !panel->caption().isEmpty()
           || !panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
}

} // namespace

PractiseMisses::PractiseMisses(QWidget* form, WhatsThisMenu* whatsThis, Drill drill)
    : QObject(form), m_form(form), m_drill(std::move(drill)), m_random(QRandomGenerator::global()->generate())
{
    m_box = new QCheckBox(Caption, form);
    m_box->setObjectName(QStringLiteral("chkPractiseMisses"));
    m_box->setAccessibleName(Caption);
    m_box->setFocusPolicy(Qt::StrongFocus);
    Hints::setHint(m_box, BoxHint);
    m_count = new QLabel(form);
    m_count->setObjectName(QStringLiteral("lblReviewCount"));
    m_count->hide();
    Hints::setHint(m_count, CountHint);
    for (QWidget* control : {static_cast<QWidget*>(m_box), static_cast<QWidget*>(m_count)}) {
        Hints::setHelpContext(control, BasicsHelp::PractiseMisses);
        whatsThis->attach(control);
    }
    connect(m_box, &QCheckBox::toggled, this, &PractiseMisses::toggled);
}

bool PractiseMisses::isOn() const
{
    return m_box->isChecked();
}

void PractiseMisses::setUp(const QString& section, bool on)
{
    m_section = section;
    m_box->setChecked(on);
    toggled(on);
}

void PractiseMisses::toggled(bool on)
{
    if (on && !m_loaded) {
        m_path = ReviewFile::path();
        m_deck = ReviewFile::load(m_form, m_path);
        m_loaded = true;
    }
    showCount();
}

const ReviewDomain& PractiseMisses::domain()
{
    if (!m_domainRead) {
        m_domain = ReviewDomain(m_drill.facts());
        m_domainRead = true;
    }
    return m_domain;
}

void PractiseMisses::optionChanged()
{
    m_domainRead = false;
    m_box->setVisible(!domain().isEmpty());
    showCount();
}

int PractiseMisses::waiting()
{
    return isOn() ? m_deck.waiting(m_section, domain()) : 0;
}

void PractiseMisses::showCount()
{
    const QString text = countText(waiting());
    m_count->setText(text);
    m_count->setAccessibleName(text);
    m_count->setVisible(isOn() && !m_box->isHidden());
}

void PractiseMisses::place(const QRect& area)
{
    QList<QRect> taken;
    for (QWidget* child : m_form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != m_box && child != m_count && child->geometry().intersects(area) && showsSomething(child))
            taken << child->geometry();
    }
    const QSize box = m_box->sizeHint();
    const QSize count(m_count->fontMetrics().horizontalAdvance(WidestCount) + 2 * m_count->margin() + 2,
                      qMax(m_count->sizeHint().height(), m_count->fontMetrics().height()));
    // The count's text lines up with the check box's.
    const int indent = m_box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_box)
                       + m_box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, m_box);
    const int left = area.left() + Margin;
    const int bottom = area.bottom() + 1;
    const QRect stacked[] = {QRect(left, bottom - count.height() - box.height(), box.width(), box.height()),
                             QRect(left + indent, bottom - count.height(), count.width(), count.height())};
    const int row = qMax(box.height(), count.height());
    const QRect inRow[] = {QRect(left, bottom - row + (row - box.height()) / 2, box.width(), box.height()),
                           QRect(left + box.width() + Gap, bottom - row + (row - count.height()) / 2, count.width(),
                                 count.height())};
    const auto free = [&](const QRect(&rects)[2]) {
        for (const QRect& r : rects) {
            if (!area.contains(r) || std::any_of(taken.cbegin(), taken.cend(), [&](const QRect& t) { return t.intersects(r); }))
                return false;
        }
        return true;
    };
    const QRect(&chosen)[2] = free(stacked) || !free(inRow) ? stacked : inRow;
    m_box->setGeometry(chosen[0]);
    m_count->setGeometry(chosen[1]);
}

void PractiseMisses::setRunning(bool running, bool run)
{
    m_box->setEnabled(!running);
    if (running || !run)
        return;
    settle();
    m_key.clear();
    if (m_changed && Globals::UserDataWritable && !m_path.isEmpty() && ReviewFile::save(m_form, m_path, m_deck))
        m_changed = false;
}

void PractiseMisses::nextQuestion()
{
    settle();
    if (!isOn() || domain().isEmpty()) {
        m_drill.draw();
        m_key.clear();
        return;
    }
    m_key = m_deck.next(
        m_section, domain(), m_drill.factKey(), m_random,
        [this] {
            m_drill.draw();
            return m_drill.factKey();
        },
        m_drill.pose);
}

void PractiseMisses::counted(bool right)
{
    m_counted = true;
    if (!right)
        m_missed = true;
}

void PractiseMisses::missed()
{
    m_missed = true;
}

void PractiseMisses::settle()
{
    if (!m_key.isEmpty() && m_counted) {
        m_deck.record(m_section, m_key, m_missed);
        m_changed = true;
        showCount();
    }
    m_counted = false;
    m_missed = false;
}
