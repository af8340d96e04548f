#include "basics/BasicsDigitProduct.h"

#include <QCheckBox>
#include <QLabel>

#include "basics/DrillWidgets.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/StatusBar.h"
#include "shell/SysColors.h"

namespace {

// The letters, the question row and the product row, top to bottom.
constexpr int LettersTop = 31;
constexpr int LettersHeight = 26;
constexpr int RowTop = LettersTop + LettersHeight + 4;
constexpr int ProductsTop = RowTop + DrillWidgets::BoxHeight + 8;
constexpr int ProductsHeight = 34;
constexpr int DigitWidth = 56;
constexpr int SmallFont = 22;

QLabel* smallLabel(QWidget* parent, const QString& name, const QString& text)
{
    return DrillWidgets::bigLabel(parent, name, text, SmallFont);
}

} // namespace

TBasicsDigitProductForm::TBasicsDigitProductForm(QWidget* parent)
    : TBasicsSourcedForm(std::make_unique<RandomUnitTenQuestions>(), parent)
{
}

void TBasicsDigitProductForm::createDigitRow(const RowNames& names, const QString& partCaption, int answerWidth)
{
    using DrillWidgets::bigPanel;
    const QString question = QStringLiteral("Question|");
    pnlLeft = bigPanel(this, names.left, question, SysColors::Lime);
    pnlRight = bigPanel(this, names.right, question, SysColors::Lime);
    lblPart = DrillWidgets::bigLabel(this, names.part, partCaption, 36);
    pnlMultiplier = bigPanel(this, names.multiplier, question, SysColors::Lime);
    lblEqual = DrillWidgets::bigLabel(this, QStringLiteral("lblEqual"), QStringLiteral("="));
    pnlAnswer = bigPanel(this, QStringLiteral("pnlAnswer"), QStringLiteral("Answer|"), SysColors::window());
    DrillWidgets::placeRow(DrillWidgets::AreaLeft, DrillWidgets::AreaRight, RowTop,
                           {{pnlLeft, DigitWidth}, {pnlRight, DigitWidth}, {lblPart, 64}, {pnlMultiplier, DigitWidth},
                            {lblEqual, 36}, {pnlAnswer, answerWidth}});
}

void TBasicsDigitProductForm::createLetters(const QString& panelName, const QString& leftName, const QString& leftLetter,
                                            const QString& checkHint, int helpContext)
{
    // Over the two digits, the check box over the part asked.
    const int left = pnlLeft->x();
    pnlLetters = new Panel(this, panelName);
    pnlLetters->setBevelOuter(Panel::Bevel::None);
    pnlLetters->setGeometry(left, LettersTop, lblPart->geometry().right() + 1 - left, LettersHeight);
    QLabel* letters[] = {smallLabel(pnlLetters, leftName, leftLetter), smallLabel(pnlLetters, QStringLiteral("lblT"), QStringLiteral("T"))};
    letters[0]->setGeometry(0, 0, DigitWidth, LettersHeight);
    letters[1]->setGeometry(pnlRight->x() - left, 0, DigitWidth, LettersHeight);

    chkNT = new QCheckBox(pnlLetters);
    chkNT->setObjectName(QStringLiteral("chkNT"));
    chkNT->setChecked(true);
    chkNT->setAccessibleName(QStringLiteral("Show the letters"));
    chkNT->setGeometry(lblPart->x() - left + (lblPart->width() - 20) / 2, 3, 20, 20);
    Hints::setHint(chkNT, checkHint);
    setHelp(chkNT, helpContext);
    // chkNTClick: the letters show or hide; the box's state is not stored.
    connect(chkNT, &QCheckBox::clicked, this, [letters0 = letters[0], letters1 = letters[1]] {
        letters0->setVisible(letters0->isHidden());
        letters1->setVisible(letters1->isHidden());
    });
}

QList<QLabel*> TBasicsDigitProductForm::createProductRow(const QString& panelName, const QList<ProductLabel>& labels)
{
    // Centred under the two digits.
    pnlProducts = new Panel(this, panelName);
    pnlProducts->setBevelOuter(Panel::Bevel::None);
    QList<QLabel*> out;
    int width = 0;
    for (const ProductLabel& entry : labels) {
        QLabel* label = smallLabel(pnlProducts, entry.name, entry.text);
        label->setGeometry(width, 0, entry.width, ProductsHeight);
        width += entry.width;
        out << label;
    }
    const int centre = (pnlLeft->x() + pnlRight->geometry().right()) / 2;
    pnlProducts->setGeometry(centre - width / 2, ProductsTop, width, ProductsHeight);
    return out;
}

void TBasicsDigitProductForm::ShowQuestion()
{
    if (question().asksLeftDigit())
        pnlLeft->setCaption(QString::number(question().a));
    pnlRight->setCaption(QString::number(question().b));
    pnlMultiplier->setCaption(QString::number(question().m));
}

void TBasicsDigitProductForm::ClearQuestion()
{
    for (Panel* panel : {pnlLeft, pnlRight, pnlMultiplier})
        panel->setCaption(QString());
}

void TBasicsDigitProductForm::ShowAnswer()
{
    pnlAnswer->setCaption(QString::number(question().answer));
    m_statusLine = UnitTenRules::statusLine(question());
    // A question that is no such sum has no line: the bar keeps what it shows.
    if (!m_statusLine.isEmpty())
        stbrScreen->setSimpleText(m_statusLine);
}

void TBasicsDigitProductForm::ClearAnswer()
{
    pnlAnswer->setCaption(QString());
    // The line goes; a hint the status bar shows since stays.
    if (!m_statusLine.isEmpty() && stbrScreen->simpleText() == m_statusLine)
        stbrScreen->setSimpleText(QString());
    m_statusLine.clear();
}
