#include "basics/BasicsHalf.h"

#include <QLabel>

#include "shell/Hints.h"
#include "shell/Panel.h"

TBasicsHalfForm::TBasicsHalfForm(QWidget* parent) : TBasicsFactForm(parent)
{
    setObjectName(QStringLiteral("BasicsHalfForm"));
    createQuestionPanels(false, false);
    setSingleKind(FactKind::Half, QStringLiteral("|For Speed Multiplication:Basic (3,4,5,6,7)."));

    // "½" in front of the number.
    Label1 = new QLabel(QStringLiteral("\u00BD"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(pnlQuestion1->font());
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QRect question = pnlQuestion1->geometry();
    Label1->setGeometry(question.left() - 64, question.top(), 58, question.height());
    Hints::setHint(Label1, QStringLiteral("|This skill need for Speed Multiplication:Basic (3,4,5,6,7)."));

    FormCreateScreen(ScreenId::Halving, nullptr);
}
