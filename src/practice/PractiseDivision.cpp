#include "practice/PractiseDivision.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <tuple>

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"
#include "shell/GlyphButton.h"
#include "shell/Hints.h"
#include "shell/WhatsThisMenu.h"
#include "shell/SysColors.h"
#include "shell/TextHelpers.h"
#include "shell/UpDown.h"

using Rules = DivisionRules;

namespace {

// Client pixels of the question line, the marks above the divisor and the
// rows of the answer.
constexpr int BoxSize = BoxFactory::BoxSize;
constexpr int Step = BoxFactory::Step;
constexpr int QuestionTop = 170;
constexpr int DividendLeft = 8;
constexpr int MoverTop = 196;
constexpr int MoverHeight = 79;
constexpr int AnswerTop = 222;
constexpr int RemainderTop = 248;
constexpr int MarkHeight = 18;
constexpr int MarkTops[] = {115, 115, 133, 133, 151}; // pnlNT_N, pnlNT_T, pnlUT_U, pnlUT_T, pnlUT
constexpr int MarkOver[] = {0, 1, 1, 2, 2};           // the divisor digit each mark stands over
constexpr int LinesWidth = 195;
constexpr int LinesStart = LinesWidth - 1; // lineNTVertical's left inside pnlLines

constexpr int divisorLeft(int i)
{
    return 321 + Step * i;
}

constexpr int quotientLeft(int k)
{
    return 424 + Step * k;
}

// Left of pnlDividend<i> inside pnlDividend (pnlDividend0 is the units digit).
constexpr int dividendDigitLeft(int i)
{
    return i == 5 ? 1 : 52 * (5 - i);
}

// Where box i stands inside pnlMover (the quotient boxes stand on the
// question line instead): rows a step apart, each group two steps right of
// the one before.
QPoint moverPlace(int box)
{
    using Role = Rules::BoxRole;
    const int group = 2 * Step * Rules::groupOf(box);
    switch (Rules::roleOf(box)) {
    case Role::NT: return {group + 3 * Step, Step};
    case Role::B: return {group + 4 * Step, 0};
    case Role::U: return {group + 4 * Step, Step};
    default: return {group + 2 * Step, 2 * Step}; // A and the remainder
    }
}

QRect square(int left, int top)
{
    return {left, top, BoxSize, BoxSize};
}

// A thin black line (or a filled bar) on a panel.
QFrame* line(QWidget* parent, const QString& name, const QRect& at)
{
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, SysColors::Black);
    f->setPalette(pal);
    f->setGeometry(at);
    return f;
}

// An arrow head (with a shaft when long) pointing down or up.
QPixmap arrow(QSize size, bool up, int shaft)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(SysColors::Black);
    const int w = size.width(), h = size.height(), head = h - shaft;
    const int tip = up ? 0 : h, base = up ? head : h - head;
    p.drawPolygon(QPolygon{{w / 2, tip}, {0, base}, {w, base}});
    if (shaft > 0)
        p.drawRect(w / 2 - 2, up ? head : 0, 4, shaft);
    return pm;
}

void showAll(const QList<QFrame*>& frames, bool shown)
{
    for (QFrame* f : frames)
        f->setVisible(shown);
}

} // namespace

TPractiseDivisionForm::TPractiseDivisionForm(QWidget* parent) : TPractiseRulesForm(parent)
{
    setObjectName(QStringLiteral("PractiseDivisionForm"));
    createOptions();
    createQuestionLine();
    createBoxes();
    createMarksAndLines();
    placeCommonControls();

    CurrentOption = PanelNamed(Rules::divisorOptions().first().button);
    CurrentOptionDividend = m_dividendButtons.first();
    SetUpScreen({ScreenId::SpeedDivision, PracticeHelp::LegendDivisionRoot,
                 FreeEntry, LeftToRight});
    ActivateOptionDividendButton(CurrentOptionDividend);
    connect(chkShowColorHints, &QCheckBox::clicked, this, [this] { showMarkLettersWhileIdle(); });
    showMarkLettersWhileIdle();
}

// ---------------------------------------------------------------- layout

void TPractiseDivisionForm::createOptions()
{
    PnlOptions->setGeometry(445, 22, 105, 33);
    Hints::setHint(PnlOptions,
                   QStringLiteral("|Click any button on this panel to set the number of digits in the DIVISOR."));
    for (const Rules::Option& o : Rules::divisorOptions())
        AddOptionButton(o.button, o.caption, o.hint);

    pnlOptDividend = new Panel(this, QStringLiteral("pnlOptDividend"));
    pnlOptDividend->setGeometry(274, 22, 154, 33);
    pnlOptDividend->setBevelOuter(Panel::Bevel::Lowered);
    Hints::setHint(pnlOptDividend,
                   QStringLiteral("|Click any button on this panel to set the number of digits in the DIVIDEND."));
    auto* row = new QHBoxLayout(pnlOptDividend);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(3);
    for (const Rules::Option& o : Rules::dividendOptions()) {
        auto* button = new Panel(pnlOptDividend, o.button);
        button->setCaption(o.caption);
        button->setBold(true);
        styleOptionButton(button, false);
        Hints::setHint(button, o.hint);
        row->addWidget(button);
        connect(button, &Panel::clicked, this, [this, button] { ActivateOptionDividendButton(button); });
        m_dividendButtons.append(button);
    }
    lblDivide = BoxFactory(this).sign(QStringLiteral("lblDivide"), QString(TextChars::Divide), {430, 27, 14, 22}, 16);
}

void TPractiseDivisionForm::createQuestionLine()
{
    pnlDividend = new Panel(this, QStringLiteral("pnlDividend"));
    pnlDividend->setGeometry(DividendLeft, QuestionTop, 285, BoxSize);
    pnlDividend->setBevelOuter(Panel::Bevel::None);
    Hints::setHint(pnlDividend, QStringLiteral("Dividend|"));
    const BoxFactory inDividend(pnlDividend);
    for (int i = 0; i < Rules::MaxDividendDigits; ++i) {
        Panel* digit = inDividend.question(Rules::dividendPanel(i), square(dividendDigitLeft(i), 0), 16,
                                           Panel::Bevel::None, QStringLiteral("Dividend|"));
        AddQuestionPanel(digit);
        m_dividendDigits.append(digit);
    }

    const BoxFactory boxes(this);
    for (const auto& [panel, label, sign, left] : {std::tuple{"Panel1", "Label1", TextChars::Divide, 299},
                                                   std::tuple{"pnlEqual", "lblEqual", QChar(u'='), 401}}) {
        auto* holder = new Panel(this, QString::fromLatin1(panel));
        holder->setGeometry(left, QuestionTop, 20, BoxSize);
        holder->setBevelOuter(Panel::Bevel::None);
        BoxFactory(holder).sign(QString::fromLatin1(label), QString(sign), {0, 0, 20, BoxSize}, 19);
    }
    for (int i = 0; i < 3; ++i)
        AddQuestionPanel(boxes.question(Rules::divisorPanel(i), square(divisorLeft(i), QuestionTop), 16,
                                        Panel::Bevel::None, QStringLiteral("Divisor|")));

    // The remainder line between the last dividend digits.
    pnlSeparator = new Panel(this, QStringLiteral("pnlSeparator"));
    pnlSeparator->resize(12, 21);
    pnlSeparator->setBevelOuter(Panel::Bevel::None);
    Hints::setHint(pnlSeparator, QStringLiteral("Remainder line|Your working to the right of this line is for "
                                                "calculating the remainder."));
    line(pnlSeparator, QStringLiteral("lineSeparator"), {5, 0, 2, 21});
}

void TPractiseDivisionForm::createBoxes()
{
    pnlMover->setBevelOuter(Panel::Bevel::None);
    const BoxFactory onLine(this);
    const BoxFactory inMover(pnlMover);
    for (int i = 0; i < Rules::BoxCount; ++i) {
        // The quotient digits stand on the question line, the rest in the mover.
        const QString name = Rules::workingBox(i);
        Panel* box = Rules::roleOf(i) == Rules::BoxRole::Quotient
                         ? onLine.working(name, square(quotientLeft(Rules::groupOf(i)), QuestionTop), 16)
                         : inMover.working(name, QRect(moverPlace(i), QSize(BoxSize, BoxSize)), 16);
        AddWorkingPanel(box, Rules::layoutWidth(Rules::layout(6, 2, false), i));
    }
    m_boxes = WorkingPanels;

    // The first working number comes down from the dividend (and, for a
    // short quotient, from the first digit along the arm).
    line(pnlMover, QStringLiteral("lineQuestionDigit7"), {63, 0, 2, 44});
    auto* head = new QLabel(pnlMover);
    head->setObjectName(QStringLiteral("arrowQuestionDigit7"));
    head->setPixmap(arrow({10, 8}, false, 0));
    head->setGeometry(59, 44, 10, 8);
    m_arm = {line(pnlMover, QStringLiteral("lineArmVertical"), {11, 0, 2, 9}),
             line(pnlMover, QStringLiteral("lineArmHorizontal"), {11, 7, 54, 2})};

    const BoxFactory answers(this);
    for (int k = 0; k < Rules::MaxGroups; ++k) {
        Panel* a = answers.answer(Rules::answerPanel(k), square(quotientLeft(k), AnswerTop), 16);
        Hints::setHint(a, QStringLiteral("Quotient|"));
    }
    Panel* remainder = answers.answer(Rules::remainderPanel(), {quotientLeft(0), RemainderTop, 3 * BoxSize, BoxSize}, 16);
    remainder->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Hints::setHint(remainder, QStringLiteral("Remainder|"));

    const auto label = [this](const char* name, const char* text, const QRect& at, Qt::Alignment align) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(at);
        l->setAlignment(align | Qt::AlignVCenter);
        m_answerLabels.append(l);
    };
    label("lblActualAnswer", "Answer:", {quotientLeft(0), 205, 80, 14}, Qt::AlignLeft);
    label("lblActualQuotient", "Quotient", {346, AnswerTop, 72, BoxSize}, Qt::AlignRight);
    label("lblActualRemainder", "Remainder", {346, RemainderTop, 72, BoxSize}, Qt::AlignRight);
    label("lblMyRemainder", "My Remainder", {0, MoverTop + MoverHeight + 1, 80, 14}, Qt::AlignHCenter);
}

void TPractiseDivisionForm::createMarksAndLines()
{
    const BoxFactory boxes(this);
    for (int i = 0; i < Rules::markPanels().size(); ++i)
        boxes.question(Rules::markPanels().at(i), {divisorLeft(MarkOver[i]), MarkTops[i], BoxSize, MarkHeight}, 13);

    pnlLines = new Panel(this, QStringLiteral("pnlLines"));
    pnlLines->setGeometry(0, MarkTops[0] - 1, LinesWidth, 56);
    pnlLines->setBevelOuter(Panel::Bevel::None);
    pnlLines->setColor(Qt::transparent);
    pnlLines->setAttribute(Qt::WA_TransparentForMouseEvents);
    lineNTVertical = line(pnlLines, QStringLiteral("lineNTVertical"), {LinesStart, 0, 1, 1});
    lineNThorizontal = line(pnlLines, QStringLiteral("lineNThorizontal"), {0, 0, 1, 1});
    lineUTVertical = line(pnlLines, QStringLiteral("lineUTVertical"), {LinesStart - Step, 0, 1, 1});
    lineUTHorizontal = line(pnlLines, QStringLiteral("lineUTHorizontal"), {0, 0, 1, 1});
    pnlLines->hide();

    pnlJumpGraphic = new Panel(this, QStringLiteral("pnlJumpGraphic"));
    pnlJumpGraphic->setGeometry(quotientLeft(0), MoverTop, BoxSize, 22);
    pnlJumpGraphic->setBevelOuter(Panel::Bevel::None);
    Hints::setHelpContext(pnlJumpGraphic, PracticeHelp::JumpArrow);
    auto* img = new QLabel(pnlJumpGraphic);
    img->setObjectName(QStringLiteral("imgJump"));
    img->setPixmap(arrow({14, 20}, true, 11));
    img->setGeometry(5, 1, 14, 20);
    Hints::setHint(img, QStringLiteral("Press Up- or Down-arrow key\r\nto jump to the box above|"));
    Hints::setHelpContext(img, PracticeHelp::JumpArrow);
    popupWhatsThis->attach(pnlJumpGraphic);
    popupWhatsThis->attach(img);
    pnlJumpGraphic->hide();
}

// The options take the top row, so the check boxes, the stopwatch and a
// flat row of scores stand between them and the marks over the divisor.
void TPractiseDivisionForm::placeCommonControls()
{
    chkShowColorHints->setText(QStringLiteral("Show &Color && NT,UT Hints"));
    pnlShowHide->setGeometry(4, 58, 170, 66);
    for (QCheckBox* check : {chkShowHint, chkShowColorHints, chkHideMentalBoxes})
        check->resize(160, check->height());
    lblBestTime->move(180, 58);
    pnlTime->move(180, 72);

    pnlScores->setGeometry(360, 58, 224, 50);
    pnlScores->findChild<QLabel*>(QStringLiteral("lblCorrect"))->move(4, 3);
    pnlCorrect->move(4, 17);
    updnCorrect->move(54, 17);
    pnlScores->findChild<QLabel*>(QStringLiteral("lblTotal"))->move(76, 3);
    pnlTotal->move(76, 17);
    updnTotal->move(126, 17);
    pnlLights->move(150, 7);
    BitBtnClear->move(192, 11);

    // A small lamp after the quotient boxes.
    pnlRightWrong->setGeometry(555, QuestionTop, 30, 30);
    for (auto [image, glyph] : {std::pair{imgRight, GlyphButton::Glyph::Tick}, std::pair{imgWrong, GlyphButton::Glyph::Cross}}) {
        image->setPixmap(GlyphButton::draw(glyph, 24));
        image->setGeometry(3, 3, 24, 24);
    }
    Hints::setHelpContext(BitBtnNavigate, PracticeHelp::LegendDivisionRoot);
}

// ---------------------------------------------------------------- options

namespace {

int digitsOf(const QList<DivisionRules::Option>& options, const Panel* button)
{
    for (const DivisionRules::Option& o : options)
        if (button && o.button == button->objectName())
            return o.digits;
    return options.first().digits;
}

QString buttonOf(const QList<DivisionRules::Option>& options, int digits)
{
    for (const DivisionRules::Option& o : options)
        if (o.digits == digits)
            return o.button;
    return QString();
}

} // namespace

int TPractiseDivisionForm::divisorDigits() const
{
    return digitsOf(Rules::divisorOptions(), CurrentOption);
}

int TPractiseDivisionForm::dividendDigits() const
{
    return digitsOf(Rules::dividendOptions(), CurrentOptionDividend);
}

void TPractiseDivisionForm::ActivateOptionButton(Panel* button)
{
    TPractiseRulesForm::ActivateOptionButton(button);
    if (State == Idle && !m_boxes.isEmpty()) {
        m_layout = Rules::layout(dividendDigits(), divisorDigits(), false);
        ResetWorkingPanels();
    }
}

void TPractiseDivisionForm::ActivateOptionDividendButton(Panel* button)
{
    if (!button)
        return;
    for (Panel* b : std::as_const(m_dividendButtons))
        styleOptionButton(b, b == button);
    CurrentOptionDividend = button;
    SelectBestTime();
    ShowBestTime();
    if (State == Idle) {
        m_layout = Rules::layout(dividendDigits(), divisorDigits(), false);
        ResetWorkingPanels();
    }
}

int TPractiseDivisionForm::GetOptionDividendIndex()
{
    return int(m_dividendButtons.indexOf(CurrentOptionDividend)) + 1;
}

Panel* TPractiseDivisionForm::GetOptionDividendButton(int n)
{
    return m_dividendButtons.value(n - 1, nullptr);
}

QStringList TPractiseDivisionForm::BestTimeKeys() const
{
    return PracticeMethods::bestTimeKeys(Rules::bestTimes());
}

QString TPractiseDivisionForm::BestTimeKey() const
{
    return Rules::bestTimeKey(dividendDigits(), divisorDigits());
}

void TPractiseDivisionForm::HideOptionPanels()
{
    TPractiseRulesForm::HideOptionPanels();
    pnlOptDividend->hide();
    lblDivide->hide();
}

void TPractiseDivisionForm::ShowOptionPanels()
{
    TPractiseRulesForm::ShowOptionPanels();
    pnlOptDividend->show();
    lblDivide->show();
}

// RESTART puts back both options the problem was played with.
void TPractiseDivisionForm::BitBtnRewindClick()
{
    if (PnlOptions->isEnabled() && m_playedDividend)
        ActivateOptionDividendButton(m_playedDividend);
    TPractiseRulesForm::BitBtnRewindClick();
}

// ---------------------------------------------------------------- the problem

TCustomQuestionForm::Setup TPractiseDivisionForm::CustomQuestionSetup() const
{
    TCustomQuestionForm::Setup setup;
    setup.questionWidth = dividendDigits();
    setup.questionOptionText = CurrentOptionDividend ? CurrentOptionDividend->caption() : QString();
    setup.usesOperator = true;
    setup.operatorWidth = divisorDigits();
    setup.operatorOptionText = CurrentOption ? CurrentOption->caption() : QString();
    setup.operatorSign = QString(TextChars::Divide);
    return setup;
}

void TPractiseDivisionForm::NewQuestion()
{
    const int n = dividendDigits(), m = divisorDigits();
    Rules::Question q;
    if (const auto custom = TakeCustomQuestion(); custom && Rules::setQuestion(q, custom->question, custom->op, n, m))
        m_question = q;
    else
        m_question = PosedOr<Rules>([&] { return Rules::draw(QuestionSource::generator(), n, m, &m_question); });
    // A posed problem of other sizes selects its own options.
    if (m_question.divisorDigits() != m)
        ActivateOptionButton(PanelNamed(buttonOf(Rules::divisorOptions(), m_question.divisorDigits())));
    if (m_question.dividendDigits() != n)
        ActivateOptionDividendButton(PanelNamed(buttonOf(Rules::dividendOptions(), m_question.dividendDigits())));
}

bool TPractiseDivisionForm::QuestionFitsOptions()
{
    return m_question.divisor != 0 && m_question.dividendDigits() == dividendDigits()
           && m_question.divisorDigits() == divisorDigits();
}

WorkedProblem TPractiseDivisionForm::SolveQuestion()
{
    return Rules::solve(m_question);
}

void TPractiseDivisionForm::BuildWorkingPanels()
{
    m_playedDividend = CurrentOptionDividend;
    m_layout = Rules::layout(m_question);
    TPractiseRulesForm::BuildWorkingPanels();
    // A box of three or four digits writes them smaller.
    for (const WorkingPanelEntry& e : std::as_const(WorkingPanels))
        e.Panel->setFontSpec(QStringLiteral("Arial"), e.Width < 3 ? 16 : (e.Width == 3 ? 12 : 9), false);
}

// The list of boxes, the dividend digits, the answer columns and where the
// working stands, for the problem's sizes (m_layout).
void TPractiseDivisionForm::ResetWorkingPanels()
{
    const Rules::Layout& l = m_layout;
    for (const WorkingPanelEntry& e : std::as_const(m_boxes)) {
        e.Panel->setCaption(QString());
        e.Panel->setColor(SysColors::buttonFace());
        e.Panel->hide();
    }
    WorkingPanels = m_boxes.mid(0, l.boxCount());
    MyAnswerPanels.clear();
    AnswerPanels.clear();
    for (int i = 0; i < WorkingPanels.size(); ++i) {
        WorkingPanelEntry& e = WorkingPanels[i];
        const bool quotient = Rules::roleOf(i) == Rules::BoxRole::Quotient;
        e.Width = Rules::layoutWidth(l, i);
        e.IsMental = Rules::isMental(l, i);
        e.IsUnused = Rules::isUnused(l, i);
        e.Color = SysColors::window();
        e.FontColor = DefaultFontColor(e.Width);
        e.Panel->setFontSpec(QStringLiteral("Arial"), 16, false);
        SetWorkingPanelHint(e.Panel, i == l.remainderBox ? QStringLiteral("Remainder|")
                                     : quotient          ? QStringLiteral("Quotient|")
                                                         : QStringLiteral("Working Box|"));
        e.Panel->setVisible(!e.IsUnused && !(e.IsMental && MentalBoxesHidden));
        if (quotient && Rules::groupOf(i) < l.quotientDigits) {
            MyAnswerPanels.append({e.Panel, false});
            AnswerPanels.append({PanelNamed(Rules::answerPanel(Rules::groupOf(i))), false});
        }
    }
    MyAnswerPanels.append({WorkingPanels.last().Panel, false});
    AnswerPanels.append({PanelNamed(Rules::remainderPanel()), false});
    for (int k = 0; k < Rules::MaxGroups; ++k)
        PanelNamed(Rules::answerPanel(k))->hide();
    PanelNamed(Rules::remainderPanel())->hide();

    for (int i = 0; i < m_dividendDigits.size(); ++i) {
        m_dividendDigits[i]->setCaption(QString());
        m_dividendDigits[i]->setVisible(i < l.dividendDigits);
    }
    PanelNamed(Rules::divisorPanel(2))->setVisible(l.divisorDigits == 3);
    for (int i = 3; i < 5; ++i)
        PanelNamed(Rules::markPanels().at(i))->setVisible(l.divisorDigits == 3);

    const int remainderLeft = moverPlace(l.remainderBox).x();
    pnlMover->setGeometry(pnlDividend->x() + l.moverOffset, MoverTop, remainderLeft + BoxSize + 1, MoverHeight);
    showAll(m_arm, l.armLines);
    pnlSeparator->move(pnlDividend->x() + dividendDigitLeft(l.separatorAfter) + BoxSize - 5, QuestionTop + 2);
    QLabel* myRemainder = m_answerLabels.last();
    myRemainder->move(pnlMover->x() + remainderLeft + (BoxSize - myRemainder->width()) / 2, myRemainder->y());
    setAnswerLabelsVisible(false);
    pnlJumpGraphic->hide();
    pnlLines->hide();
    TPractiseRulesForm::ResetWorkingPanels();
}

void TPractiseDivisionForm::CheckWorkingPanels()
{
    setAnswerLabelsVisible(true);
    TPractiseRulesForm::CheckWorkingPanels();
    pnlJumpGraphic->hide();
}

void TPractiseDivisionForm::setAnswerLabelsVisible(bool shown)
{
    for (QLabel* l : std::as_const(m_answerLabels))
        l->setVisible(shown);
}

// ---------------------------------------------------------------- hints and moves

void TPractiseDivisionForm::ShowColorHints(QWidget* panel)
{
    TPractiseRulesForm::ShowColorHints(panel);
    const int index = FindWorkingPanel(panel, WorkingPanels, int(WorkingPanels.size()) - 1);
    showMarks(Rules::marks(m_layout, index));
}

// The letters over the divisor, and the lines from the quotient digit in use
// (and the one before it) to them.
void TPractiseDivisionForm::showMarks(const Rules::Marks& marks)
{
    for (int i = 0; i < Rules::markPanels().size(); ++i)
        PanelNamed(Rules::markPanels().at(i))->setCaption(marks.letters.at(i));
    if (marks.group < 0) {
        pnlLines->hide();
        return;
    }
    const int left = quotientLeft(0) + BoxSize / 2 - LinesStart + Step * marks.group;
    pnlLines->move(left, pnlLines->y());
    const int bottom = QuestionTop - pnlLines->y(); // the quotient boxes' top
    const auto rowMiddle = [&](int mark) { return MarkTops[mark] + MarkHeight / 2 - pnlLines->y(); };
    // The lines end at the right edge of the last mark of their row.
    const int markRow = marks.uRow ? 2 : 0;
    const int lastMark = marks.letters.at(markRow + 1).isEmpty() ? markRow : markRow + 1;
    const int y = rowMiddle(markRow);
    const int from = divisorLeft(MarkOver[lastMark]) + BoxSize - left;
    lineNTVertical->setGeometry(LinesStart, y, 1, bottom - y);
    lineNThorizontal->setGeometry(from, y, LinesStart - from + 1, 1);
    const int uy = rowMiddle(4);
    const int ufrom = divisorLeft(MarkOver[4]) + BoxSize - left;
    lineUTVertical->setGeometry(LinesStart - Step, uy, 1, bottom - uy); // under the quotient digit before
    lineUTHorizontal->setGeometry(ufrom, uy, LinesStart - Step - ufrom + 1, 1);
    lineNTVertical->setVisible(marks.ntLines);
    lineNThorizontal->setVisible(marks.ntLines);
    lineUTVertical->setVisible(marks.utLines);
    lineUTHorizontal->setVisible(marks.utLines);
    pnlLines->show();
    pnlLines->raise();
}

void TPractiseDivisionForm::RestoreColors()
{
    TPractiseRulesForm::RestoreColors();
    JumpVertically(CurrentPanel, true);
    showMarks({});
}

// Before any problem, the marks show their letters while colour hints are on.
void TPractiseDivisionForm::showMarkLettersWhileIdle()
{
    if (State != Idle)
        return;
    Rules::Marks all;
    if (chkShowColorHints->isChecked())
        all.letters = Rules::markLetters();
    showMarks(all);
}

// Up and Down go from an NT or U box, or from the next quotient box, to the
// quotient digit it uses; with showOnly the jump arrow shows that box.
void TPractiseDivisionForm::JumpVertically(QWidget* panel, bool showOnly)
{
    const int index = FindWorkingPanel(panel, WorkingPanels, int(WorkingPanels.size()) - 1);
    const int target = index < 0 ? -1 : Rules::jumpTarget(m_layout, index);
    Panel* to = target >= 0 && target < WorkingPanels.size() ? WorkingPanels[target].Panel : nullptr;
    const bool possible = to && !WorkingPanels[target].IsUnused && !to->isHidden();
    if (showOnly) {
        if (possible)
            pnlJumpGraphic->move(to->x(), pnlJumpGraphic->y());
        pnlJumpGraphic->setVisible(possible);
        return;
    }
    if (!possible)
        return;
    if (State == Playing)
        PadWorkingPanel(CurrentIndex);
    CurrentIndex = target;
    MoveHighlight(MoveToPanel, to);
}
