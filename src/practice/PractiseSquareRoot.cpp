#include "practice/PractiseSquareRoot.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPainter>

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"
#include "practice/RootSign.h"
#include "shell/Hints.h"
#include "shell/WhatsThisMenu.h"
#include "shell/SysColors.h"

using Rules = SquareRootRules;

namespace {

constexpr int BoxSize = 25;
constexpr int FontPx = 14;
constexpr int Step = BoxFactory::Step;

// pnlMover: the question, the first rounds' boxes and the remainder area.
// Its right edge stays where it is at creation; its width follows the last
// question panel of the layout.
constexpr int MoverRight = 17 + 235;
constexpr int MoverTop = 61;
constexpr int MoverHeight = 242;
constexpr int QuestionTop = 13;
constexpr int MirrorTop = 65;
constexpr int TakenTop = 91;
constexpr int RemainderTop = 121;
constexpr int ActualRemainderTop = 150;

// The form: the root row and the rows of the later rounds. Column c of the
// last round's staircase (c = 0 for the units) stands at 453 - 26c.
constexpr int RootTop = 74;
constexpr int RootLeft = 297;
constexpr int AnswerLeft = 453;
constexpr int JumpTop = 57;

constexpr int questionLeft(int i)
{
    return 26 + Step * i;
}

constexpr int stairLeft(int column)
{
    return 453 - Step * column;
}

// Where each working box stands: on pnlMover or on the form.
struct Place {
    int box;
    bool onMover;
    int left;
    int top;
};

const Place Places[] = {
    {0, false, RootLeft, RootTop}, {5, false, RootLeft + Step, RootTop},
    {15, false, RootLeft + 2 * Step, RootTop}, {31, false, RootLeft + 3 * Step, RootTop},
    {1, true, 26, 39}, {2, true, 52, 39}, {12, true, 78, 39}, {18, true, 104, 39},
    {3, true, 52, 65}, {13, true, 78, 65}, {29, true, 104, 65},
    {4, true, 52, 202}, {14, true, 78, 202}, {30, true, 104, 202},
    {9, false, 297, 100}, {10, false, 323, 100}, {11, false, 349, 100},
    {6, false, 479, 100}, {7, false, 505, 100}, {8, false, 531, 100},
    {16, false, 323, 126}, {17, false, 349, 126},
    {22, false, 349, 152}, {23, false, 375, 152}, {24, false, 401, 152},
    {19, false, 479, 152}, {20, false, 505, 152}, {21, false, 531, 152},
    {25, false, stairLeft(5), 182}, {26, false, stairLeft(4), 182},
    {27, false, stairLeft(3), 182}, {28, false, stairLeft(2), 182},
    {32, false, stairLeft(5), 211}, {33, false, stairLeft(4), 211}, {34, false, stairLeft(3), 211},
    {35, false, stairLeft(4), 237}, {36, false, stairLeft(3), 237}, {37, false, stairLeft(2), 237},
    {38, false, stairLeft(3), 263}, {39, false, stairLeft(2), 263}, {40, false, stairLeft(1), 263},
    {41, false, stairLeft(2), 289}, {42, false, stairLeft(1), 289}, {43, false, stairLeft(0), 289},
    {44, false, stairLeft(5), 319}, {45, false, stairLeft(4), 319}, {46, false, stairLeft(3), 319},
    {47, false, stairLeft(2), 319}, {48, false, stairLeft(1), 319}, {49, false, stairLeft(0), 319},
    {50, true, 104, RemainderTop}, {51, true, 130, RemainderTop}, {52, true, 156, RemainderTop},
    {53, true, 182, RemainderTop}, {54, true, 208, RemainderTop},
};

QRect square(int left, int top)
{
    return {left, top, BoxSize, BoxSize};
}

// A small arrow pointing down: the bring-down arrows and the jump arrow.
class DownArrow : public QWidget
{
public:
    DownArrow(QWidget* parent, const QString& name, const QRect& at) : QWidget(parent)
    {
        setObjectName(name);
        setGeometry(at);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(SysColors::Black);
        const QPointF points[] = {{0, 0}, {width() * 1.0, 0}, {width() / 2.0, height() * 1.0}};
        p.drawPolygon(points, 3);
    }
};

QFrame* line(QWidget* parent, const QString& name, const QRect& at, QFrame::Shape shape)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Plain);
    frame->setGeometry(at);
    return frame;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& at, Qt::Alignment align)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(at);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

// The smallest number of a digit count: the layout of its boxes is that of
// every number with as many digits.
Rules::Question firstNumber(int digits)
{
    Rules::Question q{1};
    while (q.digits() < digits)
        q.number *= 10;
    return q;
}

const Rules::Option* optionOf(const Panel* button)
{
    return button ? Rules::optionForButton(button->objectName()) : nullptr;
}

} // namespace

TPractiseSquareRootForm::TPractiseSquareRootForm(QWidget* parent) : TPractiseRulesForm(parent)
{
    setObjectName(QStringLiteral("PractiseSquareRootForm"));
    setClientSize(588, 440);
    AddOptionButtons(Rules::options());
    createQuestionArea();
    createRemainderArea();
    createRootArea();
    createMarks();
    placeCommonControls();

    CurrentOption = PanelNamed(Rules::optionForDigits(Rules::MaxDigits)->button);
    SetUpScreen({ScreenId::SquareRoot, PracticeHelp::LegendDivisionRoot,
                 FreeEntry, LeftToRight});
    ResetWorkingPanels();
}

// ---------------------------------------------------------------- layout

void TPractiseSquareRootForm::createQuestionArea()
{
    pnlMover->setGeometry(MoverRight - 235, MoverTop, 235, MoverHeight);
    pnlMover->setBevelOuter(Panel::Bevel::None);
    pnlMover->setTag(MoverRight);
    const BoxFactory onMover(pnlMover);
    for (int i = 0; i < 8; ++i)
        m_questions << onMover.question(Rules::questionPanel(i), square(questionLeft(i), QuestionTop), 16);
    m_rootSign = new RootSign(pnlMover);

    const BoxFactory onForm(this);
    m_boxes.resize(55);
    for (const Place& p : Places) {
        const BoxFactory& factory = p.onMover ? onMover : onForm;
        m_boxes[p.box] = factory.working(Rules::workingBox(p.box), square(p.left, p.top), FontPx);
    }
    // The rest of the 55 boxes are mirrors on pnlMover (pnlWorking27, 28 on
    // the form stand among the third round's rows).
    for (Panel* mirror : {m_boxes[27], m_boxes[28]}) {
        mirror->setBevelOuter(Panel::Bevel::None);
        Hints::setHint(mirror, QStringLiteral("|"));
    }
    // Every box explains itself, in whichever layout it shows.
    for (Panel* box : std::as_const(m_boxes))
        popupWhatsThis->attach(box);
}

void TPractiseSquareRootForm::createRemainderArea()
{
    const BoxFactory onMover(pnlMover);
    for (int i = 4; i < 8; ++i)
        onMover.question(Rules::questionPanel(i) + QLatin1Char('R'), square(questionLeft(i), MirrorTop), FontPx);
    onMover.question(QStringLiteral("pnlWorking4445R"), square(104, TakenTop), FontPx, Panel::Bevel::None,
                     QStringLiteral("|"));
    for (int i = 46; i <= 49; ++i)
        onMover.question(QStringLiteral("pnlWorking%1R").arg(i), square(questionLeft(i - 42), TakenTop), FontPx,
                         Panel::Bevel::None, QStringLiteral("|"));
    for (int i = 0; i < 5; ++i) {
        Panel* remainder = onMover.answer(PracticeText::numbered("pnlRemainder", i),
                                          square(104 + Step * i, ActualRemainderTop), 16);
        Hints::setHint(remainder, QStringLiteral("Remainder part of answer|"));
    }
    lblMyRemainder = label(pnlMover, QStringLiteral("lblMyRemainder"), QStringLiteral("My Remainder"),
                           {0, RemainderTop, 100, BoxSize}, Qt::AlignRight);
    lblActual = label(pnlMover, QStringLiteral("lblActual"), QStringLiteral("Remainder"),
                      {0, ActualRemainderTop, 100, BoxSize}, Qt::AlignRight);
}

void TPractiseSquareRootForm::createRootArea()
{
    const BoxFactory onForm(this);
    onForm.sign(QStringLiteral("lblEqual"), QStringLiteral("="), {271, 76, 20, 21}, 19); // a whole line of the font
    for (int i = 0; i < 4; ++i) {
        Panel* answer = onForm.answer(PracticeText::numbered("pnlAnswer", 3 - i),
                                      square(AnswerLeft + Step * i, RootTop), 16);
        Hints::setHint(answer, QStringLiteral("Answer (without remainder)|"));
    }
    lblActualAnswer = label(this, QStringLiteral("lblActualAnswer"), QStringLiteral("Answer"),
                            {AnswerLeft, RootTop - 16, 4 * Step, 14}, Qt::AlignLeft);

    pnlJumpGraphic = new Panel(this, QStringLiteral("pnlJumpGraphic"));
    pnlJumpGraphic->setGeometry(405, JumpTop, BoxSize, 16);
    pnlJumpGraphic->setBevelOuter(Panel::Bevel::None);
    imgJump = new DownArrow(pnlJumpGraphic, QStringLiteral("imgJump"), {5, 2, 15, 12});
    for (QWidget* w : {static_cast<QWidget*>(pnlJumpGraphic), imgJump}) {
        Hints::setHint(w, QStringLiteral("Press Up- or Down-arrow key\r\nto jump to the box below|"));
        Hints::setHelpContext(w, PracticeHelp::JumpArrow);
        popupWhatsThis->attach(w);
    }
    imgJump->hide();
}

// The block markers above the question, the bring-down arrows under its
// digits 4..7, the rules of the remainder area and the sum rules of the
// later rounds. Which of them show depends on the layout.
void TPractiseSquareRootForm::createMarks()
{
    const QString markerHint = QStringLiteral(
        "2-digit block marker|Used to find out how many digits are used in the square root calculation of the first answer digit.");
    const QList<std::pair<QString, int>> markers = {{QStringLiteral("separatorQD34"), 103},
                                                    {QStringLiteral("separatorQD56_1"), 77},
                                                    {QStringLiteral("separatorQD56_2"), 129},
                                                    {QStringLiteral("separatorQD78_1"), 181}};
    for (const auto& [name, x] : markers) {
        QFrame* marker = line(pnlMover, name, {x, 1, 2, 10}, QFrame::VLine);
        Hints::setHint(marker, markerHint);
        m_marks << marker;
    }
    for (int i = 4; i < 8; ++i) {
        const int middle = questionLeft(i) + BoxSize / 2;
        m_marks << line(pnlMover, QStringLiteral("lineQuestionDigit%1").arg(i), {middle, 40, 1, 18}, QFrame::VLine);
        m_marks << new DownArrow(pnlMover, QStringLiteral("arrowQuestionDigit%1").arg(i), {middle - 4, 57, 9, 7});
    }
    // The rule under the remainder area's subtraction, in pieces that
    // together cover the layout's columns (from pnlWorking29's column on).
    const int ruleTop = RemainderTop - 3;
    const QList<std::pair<QString, QRect>> rules = {
        {QStringLiteral("lineRemainder34Digit1"), {104, ruleTop, 13, 1}},
        {QStringLiteral("lineRemainder34Digit2"), {117, ruleTop, 13, 1}},
        {QStringLiteral("lineRemainder34Digit3"), {130, ruleTop, 13, 1}},
        {QStringLiteral("lineRemainder34Digit4"), {143, ruleTop, 13, 1}},
        {QStringLiteral("lineRemainder56Digit1"), {104, ruleTop, 39, 1}},
        {QStringLiteral("lineRemainder56Digit2"), {143, ruleTop, 39, 1}},
        {QStringLiteral("lineRemainder78Digit1"), {104, ruleTop, 39, 1}},
        {QStringLiteral("lineRemainder78Digit2"), {182, ruleTop, 52, 1}},
    };
    for (const auto& [name, at] : rules)
        m_marks << line(pnlMover, name, at, QFrame::HLine);
    // The sum rules: above the third round's column sum and above the last
    // round's column sums.
    m_marks << line(this, QStringLiteral("bvl56"), {stairLeft(5) - 2, 179, 4 * Step + 2, 1}, QFrame::HLine);
    m_marks << line(this, QStringLiteral("bvl78"), {stairLeft(5) - 2, 316, 6 * Step + 2, 1}, QFrame::HLine);
}

// The boxes take the whole middle of the form, so the check boxes stand
// under the question, the stopwatch and the scores in the right column under
// the answer, and the buttons along a lower bottom row.
void TPractiseSquareRootForm::placeCommonControls()
{
    PnlOptions->setGeometry(267, 22, 283, 32);
    PnlOptions->layout()->setContentsMargins(5, 3, 5, 4);
    pnlShowHide->move(4, 320);
    lblBestTime->move(508, 186);
    pnlTime->move(508, 200);
    pnlScores->move(508, 234);
    pnlRightWrong->setGeometry(405, RootTop, 46, 46);
    for (QWidget* w : {static_cast<QWidget*>(pnlVCR), static_cast<QWidget*>(pnlViewAnswers),
                       static_cast<QWidget*>(pnlNavigate)})
        w->move(w->x(), w->y() + 61);
}

// ---------------------------------------------------------------- options and layouts

int TPractiseSquareRootForm::selectedDigits() const
{
    const Rules::Option* option = optionOf(CurrentOption);
    return option ? option->digits : Rules::MaxDigits;
}

void TPractiseSquareRootForm::ActivateOptionButton(Panel* button)
{
    if (!optionOf(button))
        return;
    TPractiseRulesForm::ActivateOptionButton(button);
    if (m_boxes.isEmpty() || State == Playing)
        return;
    // Another option after STOP shows its own layout, empty.
    pnlViewAnswers->hide();
    pnlRightWrong->hide();
    ResetWorkingPanels();
}

// The lists of the option's layout, its boxes, question panels and marks
// shown, every other box and mark hidden, every box empty.
void TPractiseSquareRootForm::ResetWorkingPanels()
{
    const Rules::Question first = firstNumber(selectedDigits());
    const WorkedProblem layout = Rules::solve(first);
    ClearPanelLists();
    for (const RuleBox& b : layout.boxes) {
        const int index = AddWorkingPanel(PanelNamed(b.box), b.width);
        WorkingPanels[index].IsMental = b.mental;
        WorkingPanels[index].IsUnused = b.unused;
    }
    for (const PanelText& q : Rules::questionPanels(first))
        AddQuestionPanel(PanelNamed(q.panel));
    if (Rules::firstQuestionPanelUnused(first))
        QuestionPanels.first().IsUnused = true;
    for (const PanelText& a : layout.answerPanels)
        AddAnswerPanel(PanelNamed(a.panel));
    for (const QString& name : Rules::myAnswerBoxes(rootDigits()))
        AddMyAnswerPanel(PanelNamed(name));

    for (Panel* box : std::as_const(m_boxes)) {
        box->setCaption(QString());
        box->setBold(false);
        box->setColor(SysColors::window());
        box->setFontColor(SysColors::windowText());
        box->hide();
    }
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.Color = SysColors::window();
        e.FontColor = DefaultFontColor(e.Width);
        e.Panel->setFontColor(e.FontColor);
    }
    for (Panel* q : std::as_const(m_questions)) {
        q->setCaption(QString());
        q->hide();
    }
    for (Panel* a : {PanelNamed(QStringLiteral("pnlAnswer3")), PanelNamed(QStringLiteral("pnlAnswer2")),
                     PanelNamed(QStringLiteral("pnlAnswer1")), PanelNamed(QStringLiteral("pnlAnswer0"))})
        a->hide();
    for (int i = 0; i < 5; ++i)
        PanelNamed(PracticeText::numbered("pnlRemainder", i))->hide();
    for (QLabel* l : {lblActualAnswer, lblMyRemainder, lblActual})
        l->hide();
    showLayout();
    TPractiseRulesForm::ResetWorkingPanels();
}

void TPractiseSquareRootForm::showLayout()
{
    for (const WorkingPanelEntry& e : std::as_const(WorkingPanels))
        e.Panel->setVisible(!e.IsUnused && !(e.IsMental && MentalBoxesHidden));
    for (const PanelEntry& q : std::as_const(QuestionPanels))
        q.Panel->setVisible(!q.IsUnused);
    const QStringList marks = Rules::shownMarks(rootDigits());
    for (QWidget* mark : std::as_const(m_marks))
        mark->setVisible(marks.contains(mark->objectName()));
    const QList<Panel*> mirrors = mirrorPanels();
    for (const QString& name : {QStringLiteral("pnlQuestion4R"), QStringLiteral("pnlQuestion5R"),
                                QStringLiteral("pnlQuestion6R"), QStringLiteral("pnlQuestion7R"),
                                QStringLiteral("pnlWorking4445R"), QStringLiteral("pnlWorking46R"),
                                QStringLiteral("pnlWorking47R"), QStringLiteral("pnlWorking48R"),
                                QStringLiteral("pnlWorking49R")}) {
        Panel* panel = PanelNamed(name);
        panel->setCaption(QString());
        panel->setVisible(mirrors.contains(panel));
    }
    for (Panel* mirror : mirrors) {
        mirror->setCaption(QString());
        mirror->setColor(SysColors::buttonFace());
        mirror->setFontColor(SysColors::windowText());
        mirror->show();
    }
    placeQuestion();
}

// The mirrors of the layout: the question digits and the learner's entries
// repeated in the remainder area.
QList<Panel*> TPractiseSquareRootForm::mirrorPanels()
{
    QList<Panel*> panels;
    for (const Rules::Mirror& m : Rules::mirrors(rootDigits()))
        panels << PanelNamed(m.panel);
    for (const PanelText& q : Rules::questionMirrors(firstNumber(selectedDigits())))
        panels << PanelNamed(q.panel);
    return panels;
}

// pnlMover ends at the right edge of the last question panel and keeps its
// right edge; the root sign stands 22 px left of the first visible digit.
void TPractiseSquareRootForm::placeQuestion()
{
    const Panel* first = nullptr;
    const Panel* last = nullptr;
    for (const PanelEntry& q : std::as_const(QuestionPanels)) {
        if (q.IsUnused)
            continue;
        if (!first)
            first = q.Panel;
        last = q.Panel;
    }
    if (!first)
        return;
    const int width = last->x() + last->width();
    pnlMover->setGeometry(pnlMover->tag() - width, MoverTop, width, MoverHeight);
    const int left = first->x() - 22;
    m_rootSign->setGeometry(left, QuestionTop - 5, width - left, BoxSize + 7);
    m_rootSign->raise();
    m_rootSign->show();
}

// ---------------------------------------------------------------- the problem

TCustomQuestionForm::Setup TPractiseSquareRootForm::CustomQuestionSetup() const
{
    TCustomQuestionForm::Setup setup;
    setup.questionWidth = selectedDigits();
    setup.questionOptionText = CurrentOption ? CurrentOption->caption() : QString();
    setup.showRootSign = true;
    return setup;
}

void TPractiseSquareRootForm::NewQuestion()
{
    if (const auto custom = TakeCustomQuestion()) {
        const auto parsed = Rules::parse(custom->question);
        if (parsed.ok() && parsed.question->digits() == selectedDigits()) {
            m_question = *parsed.question;
            return;
        }
    }
    const Rules::Question previous = m_question;
    m_question = PosedOr<Rules>(
        [&] { return Rules::draw(QuestionSource::generator(), selectedDigits(), &previous); });
    // A posed number chooses its own layout.
    if (m_question.digits() != selectedDigits())
        ActivateOptionButton(PanelNamed(Rules::optionForDigits(m_question.digits())->button));
}

bool TPractiseSquareRootForm::QuestionFitsOptions()
{
    return m_question.number != 0 && m_question.digits() == selectedDigits();
}

WorkedProblem TPractiseSquareRootForm::SolveQuestion()
{
    return Rules::solve(m_question);
}

void TPractiseSquareRootForm::BuildWorkingPanels()
{
    TPractiseRulesForm::BuildWorkingPanels();
    showLayout();
}

void TPractiseSquareRootForm::CheckWorkingPanels()
{
    for (QLabel* l : {lblActualAnswer, lblMyRemainder, lblActual})
        l->show();
    // The boxes whose width follows the subtrahend take the width of their
    // correct text.
    for (const char* name : {"pnlWorking9", "pnlWorking16", "pnlWorking22"}) {
        const int index = FindWorkingPanel(PanelNamed(QLatin1String(name)), WorkingPanels, int(WorkingPanels.size()) - 1);
        if (index >= 0)
            setBoxWidth(QLatin1String(name), int(WorkingPanels[index].ActualAnswer.size()), false);
    }
    // Leading remainder boxes left empty count as 0.
    const int remainderBoxes = int(Rules::myAnswerBoxes(rootDigits()).size()) - rootDigits();
    for (int k = 0; k < remainderBoxes; ++k) {
        Panel* box = PanelNamed(Rules::workingBox(50 + k));
        if (!box->caption().isEmpty())
            break;
        box->setCaption(QStringLiteral("0"));
    }
    TPractiseRulesForm::CheckWorkingPanels();
    imgJump->hide();
}

void TPractiseSquareRootForm::WorkingPanelChanged(QWidget*)
{
    updateMirrors();
    updateWidths();
}

// The mirrors repeat the boxes' texts as they stand.
void TPractiseSquareRootForm::updateMirrors()
{
    for (const Rules::Mirror& m : Rules::mirrors(rootDigits())) {
        QString joined;
        for (const QString& box : m.boxes)
            joined += PanelNamed(box)->caption();
        PanelNamed(m.panel)->setCaption(m.stripZeros ? StripLeadingZeros(joined) : joined);
    }
}

// The head of a subtrahend takes two digits only when it reaches 10: known
// from the root digits when the cross product and square stay in the head,
// and from the cross product and square once they are written.
void TPractiseSquareRootForm::updateWidths()
{
    const auto digit = [this](int box, int& value) {
        const QString text = PanelNamed(Rules::workingBox(box))->caption();
        value = text.toInt();
        return !text.isEmpty();
    };
    const auto headWidth = [](int cross, int square) {
        return cross / 10 + (cross % 10 + square / 10) / 10 < 10 ? 1 : 2;
    };
    const bool hidden = chkHideMentalBoxes->isChecked();
    int r1 = 0, r2 = 0, r3 = 0, cross = 0, square = 0;
    if (hidden && digit(0, r1) && digit(5, r2))
        setBoxWidth(QStringLiteral("pnlWorking9"), headWidth(2 * r1 * r2, r2 * r2));
    if (digit(7, cross) && digit(8, square))
        setBoxWidth(QStringLiteral("pnlWorking9"), headWidth(cross, square));
    if (rootDigits() < 3)
        return;
    if (hidden && digit(5, r2) && digit(15, r3))
        setBoxWidth(QStringLiteral("pnlWorking22"), headWidth(2 * r2 * r3, r3 * r3));
    if (digit(20, cross) && digit(21, square))
        setBoxWidth(QStringLiteral("pnlWorking22"), headWidth(cross, square));
    if (digit(0, r1) && digit(15, r3))
        setBoxWidth(QStringLiteral("pnlWorking16"), 2 * r1 * r3 < 100 ? 1 : 2);
}

void TPractiseSquareRootForm::setBoxWidth(const QString& name, int width, bool format)
{
    Panel* box = PanelNamed(name);
    const int index = FindWorkingPanel(box, WorkingPanels, int(WorkingPanels.size()) - 1);
    if (index < 0 || WorkingPanels[index].Width == width)
        return;
    WorkingPanels[index].Width = width;
    SetWorkingPanelFontColor(box, width);
    if (format)
        FormatWorkingPanel(box, width);
    if (box != CurrentPanel)
        box->setFontColor(WorkingPanels[index].FontColor);
}

void TPractiseSquareRootForm::RestoreColors()
{
    TPractiseRulesForm::RestoreColors();
    for (Panel* mirror : mirrorPanels()) {
        mirror->setColor(SysColors::buttonFace());
        mirror->setFontColor(SysColors::windowText());
    }
    JumpVertically(CurrentPanel, true);
}

void TPractiseSquareRootForm::ShowAnswerSteps(const QString& which)
{
    TPractiseRulesForm::ShowAnswerSteps(which);
    updateMirrors();
    lblMyRemainder->setVisible(which == QLatin1String("sUA"));
}

// Up and Down: from a box of a round to the root digit that round leads to.
// Show-only puts the jump arrow over that root digit.
void TPractiseSquareRootForm::JumpVertically(QWidget* panel, bool showOnly)
{
    const QString target = panel ? Rules::jumpTarget(rootDigits(), panel->objectName()) : QString();
    Panel* to = target.isEmpty() ? nullptr : PanelNamed(target);
    if (showOnly) {
        imgJump->setVisible(to && State != Idle);
        if (to)
            pnlJumpGraphic->move(to->x(), JumpTop);
        return;
    }
    if (to && State != Idle)
        HighlightWorkingPanelOnMouseClick(to);
}
