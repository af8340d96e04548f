#include "practice/BoxFactory.h"

#include <QFrame>
#include <QLabel>

#include "practice/PracticeHelp.h"
#include "shell/Hints.h"

Panel* BoxFactory::panel(const QString& name, const QRect& at, int fontPx, bool bold, Panel::Bevel bevel) const
{
    auto* p = new Panel(m_form, name);
    p->setGeometry(at);
    p->setFontSpec(QStringLiteral("Arial"), fontPx, bold);
    p->setBevelOuter(bevel);
    return p;
}

Panel* BoxFactory::working(const QString& name, const QRect& at, int fontPx, bool bold) const
{
    Panel* p = panel(name, at, fontPx, bold, Panel::Bevel::Lowered);
    Hints::setHint(p, QStringLiteral("Working Box|"));
    Hints::setHelpContext(p, PracticeHelp::Box);
    return p;
}

Panel* BoxFactory::carry(const QString& name, const QRect& at, bool bold) const
{
    Panel* p = panel(name, at, 11, bold, Panel::Bevel::Lowered);
    Hints::setHint(p, QStringLiteral("Carry Box|"));
    Hints::setHelpContext(p, PracticeHelp::Box);
    return p;
}

Panel* BoxFactory::question(const QString& name, const QRect& at, int fontPx, Panel::Bevel bevel,
                            const QString& hint) const
{
    Panel* p = panel(name, at, fontPx, true, bevel);
    if (!hint.isEmpty())
        Hints::setHint(p, hint);
    return p;
}

Panel* BoxFactory::answer(const QString& name, const QRect& at, int fontPx, bool bold, Panel::Bevel bevel) const
{
    Panel* p = panel(name, at, fontPx, bold, bevel);
    p->hide();
    return p;
}

QLabel* BoxFactory::sign(const QString& name, const QString& text, const QRect& at, int fontPx) const
{
    auto* label = new QLabel(text, m_form);
    label->setObjectName(name);
    label->setGeometry(at);
    label->setAlignment(Qt::AlignCenter);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(fontPx);
    f.setBold(true);
    label->setFont(f);
    return label;
}

QFrame* BoxFactory::rule(const QString& name, const QRect& at) const
{
    auto* line = new QFrame(m_form);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(at);
    return line;
}
