#include "practice/PractiseSquare3Digit.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"
#include "shell/SysColors.h"

using Rules = SquareThreeDigitRules;

namespace {

constexpr int Box = 25;
constexpr int WideBox = 36;
constexpr int FontPx = 16;

// The rows: the top of each and the left of each box, in list order.
struct Row {
    int top;
    int firstBox;
    QList<int> lefts;
};
const Row Rows[] = {
    {92, 0, {260, 286, 323}},
    {127, 3, {282, 308, 334, 360}},
    {153, 7, {256, 282, 308}},
    {202, 10, {256, 282, 308}},
    {229, 13, {193, 219}},
};
constexpr int AnswerTop = 265;
constexpr int CorrectTop = 305;
constexpr int TotalLineTop = 190;

// Answer digit k (1 units .. 6 hundred-thousands) stands at 360 - 26 (k - 1).
constexpr int answerLeft(int k)
{
    return 360 - BoxFactory::Step * (k - 1);
}

int widthOf(int box)
{
    return box == 0 || box == 13 ? 2 : (box == 1 || box == 14 ? 3 : 1);
}

// A small arrow head pointing down, where a guide line ends.
QPixmap arrowHead()
{
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(SysColors::buttonShadow());
    painter.drawPolygon(QPolygon({QPoint(0, 2), QPoint(10, 2), QPoint(5, 10)}));
    return pixmap;
}

} // namespace

TPractiseSquare3DigitForm::TPractiseSquare3DigitForm(QWidget* parent) : TPractiseRulesForm(parent)
{
    setObjectName(QStringLiteral("PractiseSquare3DigitForm"));
    AddOptionButtons(Rules::options());
    PnlOptions->setGeometry(427, 22, 157, 32);
    SetUpScreen({ScreenId::Square3Digit, PracticeHelp::LegendSquares,
                 FreeEntry, LeftToRight});
    pnlMover->setBevelOuter(Panel::Bevel::None);

    const BoxFactory boxes(this);
    for (int k = 1; k <= 3; ++k)
        AddQuestionPanel(boxes.question(Rules::questionPanel(k), {316 - 25 * (k - 1), 47, Box, Box}, FontPx,
                                        Panel::Bevel::Raised));
    boxes.sign(QStringLiteral("Label1"), QStringLiteral("2"), {344, 44, 12, 16}, 13);

    createGuides();
    for (const Row& row : Rows) {
        for (int i = 0; i < row.lefts.size(); ++i) {
            const int index = row.firstBox + i;
            const QRect at(row.lefts.at(i), row.top, widthOf(index) == 3 ? WideBox : Box, Box);
            AddWorkingPanel(boxes.working(Rules::workingBox(index), at, FontPx), widthOf(index));
        }
    }
    bvlTotal = boxes.rule(QStringLiteral("bvlTotal"), {256, TotalLineTop, 3 * BoxFactory::Step - 1, 2});
    for (int k = 6; k >= 1; --k)
        AddWorkingPanel(boxes.working(Rules::answerUserBox(k), {answerLeft(k), AnswerTop, Box, Box}, FontPx), 1);
    for (int k = 1; k <= 6; ++k) {
        AddMyAnswerPanel(PanelNamed(Rules::answerUserBox(k)));
        AddAnswerPanel(boxes.answer(Rules::answerPanel(k), {answerLeft(k), CorrectTop, Box, Box}, FontPx));
    }
    ResetWorkingPanels();
}

// The lines that show the digits dropping straight down: the tens and units
// of row 2 to the answer's tens and units, the units of row 4 to its
// hundreds; each ends in a small arrow head above the answer row.
void TPractiseSquare3DigitForm::createGuides()
{
    const struct {
        const char* name;
        const char* head;
        int left, top, height;
    } guides[] = {
        {"Bevel3", "imgBevel3", 345, 157, 94},
        {"Bevel4", "imgBevel4", 371, 157, 94},
        {"Bevel2", "imgBevel2", 319, 231, 25},
    };
    for (const auto& g : guides) {
        auto* line = new QFrame(this);
        line->setObjectName(QString::fromLatin1(g.name));
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(g.left, g.top, 2, g.height);
        auto* head = new QLabel(this);
        head->setObjectName(QString::fromLatin1(g.head));
        head->setPixmap(arrowHead());
        head->setGeometry(g.left - 4, 250, 10, 10);
    }
}

TCustomQuestionForm::Setup TPractiseSquare3DigitForm::CustomQuestionSetup() const
{
    return TCustomQuestionForm::Setup::questionOnly(3);
}

void TPractiseSquare3DigitForm::NewQuestion()
{
    m_question = CustomPosedOr<Rules>([this] {
        return Rules::draw(QuestionSource::generator(), GetOptionIndex(), m_question ? &*m_question : nullptr);
    });
    // A typed number is played under the level whose digits it has.
    SelectOptionOfQuestion(Rules::levelOf(*m_question));
}

bool TPractiseSquare3DigitForm::QuestionFitsOptions()
{
    return m_question && Rules::levelOf(*m_question) == GetOptionIndex();
}

WorkedProblem TPractiseSquare3DigitForm::SolveQuestion()
{
    return Rules::solve(*m_question);
}

// The total line spans the columns of row 3 that row 4's digits stand under.
void TPractiseSquare3DigitForm::BuildWorkingPanels()
{
    TPractiseRulesForm::BuildWorkingPanels();
    const QWidget* from = PanelNamed(Rules::workingBox(Rules::totalLineFrom(*m_question)));
    const QWidget* to = PanelNamed(Rules::workingBox(9));
    bvlTotal->setGeometry(from->x(), TotalLineTop, to->geometry().right() + 1 - from->x(), 2);
}

void TPractiseSquare3DigitForm::WorkingPanelChanged(QWidget* panel)
{
    for (const auto& [box, answer] : Rules::droppedDigits()) {
        if (panel && panel->objectName() == box) {
            if (Panel* target = PanelNamed(answer))
                target->setCaption(static_cast<Panel*>(panel)->caption());
        }
    }
}
