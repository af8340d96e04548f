// The practice workbench: its common controls and the lists of boxes a
// screen lays out.

#include "practice/Practise0Base.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "practice/PracticeHelp.h"
#include "shell/GlyphButton.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/ScoreCounter.h"
#include "shell/Shape.h"
#include "shell/StatusBar.h"
#include "shell/SysColors.h"
#include "shell/UpDown.h"
#include "shell/WhatsThisMenu.h"

namespace {

GlyphButton* glyphButton(QWidget* parent, const QString& name, GlyphButton::Glyph glyph, const QString& hint,
                         int helpContext)
{
    auto* button = new GlyphButton(parent, name, glyph);
    button->setIconSize(QSize(20, 20));
    button->setFocusPolicy(Qt::NoFocus);
    Hints::setHint(button, hint);
    Hints::setHelpContext(button, helpContext);
    return button;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, const QString& hint,
                    int helpContext, bool checked)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    box->setFocusPolicy(Qt::TabFocus);
    Hints::setHint(box, hint);
    Hints::setHelpContext(box, helpContext);
    return box;
}

// A caption panel of the scores: lowered, window colours, bold 13 px.
Panel* scorePanel(QWidget* parent, const QString& name, const QRect& at, const QString& hint, int helpContext)
{
    auto* panel = new Panel(parent, name);
    panel->setGeometry(at);
    panel->setBevelOuter(Panel::Bevel::Lowered);
    panel->setColor(SysColors::window());
    panel->setFontColor(SysColors::windowText());
    panel->setFontSpec(QStringLiteral("Arial"), 13, true);
    Hints::setHint(panel, hint);
    Hints::setHelpContext(panel, helpContext);
    return panel;
}

UpDown* upDown(QWidget* parent, const QString& name, const QRect& at, const QString& hint, int helpContext)
{
    auto* updn = new UpDown(parent, name);
    updn->setGeometry(at);
    Hints::setHint(updn, hint);
    Hints::setHelpContext(updn, helpContext);
    return updn;
}

} // namespace

void TPractise0BaseForm::createControls()
{
    stbrScreen = new StatusBar(this);
    stbrScreen->setGeometry(0, 0, 588, 19);
    // A long step hint takes more lines, over the options (hidden while the
    // learner works), never over the boxes.
    stbrScreen->setGrowsDown(true);
    Hints::setHelpContext(stbrScreen, PracticeHelp::StatusLine);
    popupWhatsThis = new WhatsThisMenu(this);
    popupWhatsThis->attach(stbrScreen);

    createOptionsAndShowHide();
    createStopwatch();
    createScores();
    createRightWrongAndAnswerSteps();
    createVcr();
    createLegend();

    for (QWidget* w : std::initializer_list<QWidget*>{BitBtnClear, pnlCorrect, updnCorrect, pnlTotal, updnTotal, pnlLights,
                                                     shpLights, chkShowHint, chkShowColorHints, chkHideMentalBoxes,
                                                     rdoShowMyAnswerSteps, rdoShowActualAnswerSteps, pnlTime, btnTime})
        popupWhatsThis->attach(w);
}

void TPractise0BaseForm::createOptionsAndShowHide()
{
    // Options: a row of option buttons along the top.
    PnlOptions = new Panel(this, QStringLiteral("PnlOptions"));
    PnlOptions->setGeometry(4, 22, 580, 32);
    PnlOptions->setBevelOuter(Panel::Bevel::Lowered);
    Hints::setHint(PnlOptions, QStringLiteral("|Options Panel: Click any button on this panel to set the practise option."));
    auto* optionsRow = new QHBoxLayout(PnlOptions);
    optionsRow->setContentsMargins(3, 3, 3, 3);
    optionsRow->setSpacing(3);

    // The working area; the screens' boxes stand on it.
    pnlMover = new Panel(this, QStringLiteral("pnlMover"));
    pnlMover->setGeometry(138, 54, 368, 283);
    pnlMover->setBevelOuter(Panel::Bevel::Lowered);

    // Show/hide check boxes, top left.
    pnlShowHide = new Panel(this, QStringLiteral("pnlShowHide"));
    pnlShowHide->setGeometry(4, 58, 130, 66);
    chkShowHint = checkBox(pnlShowHide, QStringLiteral("chkShowHint"), QStringLiteral("Show &Hint"),
                           QStringLiteral("|Shows the details of how to calculate the number in the working boxes."),
                           PracticeHelp::ShowHint, true);
    chkShowColorHints = checkBox(pnlShowHide, QStringLiteral("chkShowColorHints"), QStringLiteral("Show &Color Hints"),
                                 QStringLiteral("|Shows colors in the boxes that are involved in the calculation steps."),
                                 PracticeHelp::ShowColorHints, true);
    chkHideMentalBoxes = checkBox(pnlShowHide, QStringLiteral("chkHideMentalBoxes"), QStringLiteral("Hide M&ental Boxes"),
                                  QStringLiteral("|Hides boxes that are not required for mental calculations."),
                                  PracticeHelp::HideMentalBoxes, false);
    chkShowHint->setGeometry(6, 2, 120, 20);
    chkShowColorHints->setGeometry(6, 22, 120, 20);
    chkHideMentalBoxes->setGeometry(6, 42, 120, 20);
    connect(chkShowHint, &QCheckBox::clicked, this, [this] { chkShowHintClick(); });
    connect(chkShowColorHints, &QCheckBox::clicked, this, [this] { chkShowColorHintsClick(); });
    connect(chkHideMentalBoxes, &QCheckBox::clicked, this, [this] { chkHideMentalBoxesClick(); });
}

void TPractise0BaseForm::createStopwatch()
{
    // Stopwatch and best time, right column.
    lblBestTime = new QLabel(QStringLiteral("Best Time"), this);
    lblBestTime->setObjectName(QStringLiteral("lblBestTime"));
    lblBestTime->setGeometry(508, 58, 76, 14);
    lblBestTime->setAlignment(Qt::AlignCenter);
    Hints::setHint(lblBestTime, QStringLiteral("|The SHORTEST time you took to solve the problem CORRECTLY."));
    pnlTime = new Panel(this, QStringLiteral("pnlTime"));
    pnlTime->setGeometry(508, 72, 76, 28);
    pnlTime->setBevelOuter(Panel::Bevel::Lowered);
    pnlTime->setFontSpec(QStringLiteral("Arial"), 15, true);
    Hints::setHelpContext(pnlTime, PracticeHelp::Stopwatch);
    btnTime = new QPushButton(QStringLiteral("0:00"), pnlTime);
    btnTime->setObjectName(QStringLiteral("btnTime"));
    btnTime->setGeometry(2, 2, 72, 24);
    btnTime->setFocusPolicy(Qt::NoFocus);
    QFont timeFont = btnTime->font();
    timeFont.setPixelSize(15);
    timeFont.setBold(true);
    btnTime->setFont(timeFont);
    Hints::setHelpContext(btnTime, PracticeHelp::Stopwatch);
    connect(btnTime, &QPushButton::clicked, this, [this] { btnTimeClick(); });
}

void TPractise0BaseForm::createScores()
{
    pnlScores = new Panel(this, QStringLiteral("pnlScores"));
    pnlScores->setGeometry(508, 106, 76, 126);
    auto scoreLabel = [this](const QString& name, const QString& text, int top) {
        auto* label = new QLabel(text, pnlScores);
        label->setObjectName(name);
        label->setGeometry(4, top, 68, 14);
        m_scoreLabels.append(label);
    };
    scoreLabel(QStringLiteral("lblCorrect"), QStringLiteral("Correct"), 3);
    pnlCorrect = scorePanel(pnlScores, QStringLiteral("pnlCorrect"), {4, 17, 48, 22},
                            QStringLiteral("Correct Answers|CORRECT ANSWERS: The number of right answers"), PracticeHelp::CorrectScore);
    updnCorrect = upDown(pnlScores, QStringLiteral("updnCorrect"), {54, 17, 16, 22},
                         QStringLiteral("|Adjusts your correct answers."), PracticeHelp::CorrectScore);
    scoreLabel(QStringLiteral("lblTotal"), QStringLiteral("Total"), 42);
    pnlTotal = scorePanel(pnlScores, QStringLiteral("pnlTotal"), {4, 56, 48, 22},
                          QStringLiteral("Total Questions|TOTAL QUESTIONS: The total number of questions you have tried."),
                          PracticeHelp::TotalScore);
    updnTotal = upDown(pnlScores, QStringLiteral("updnTotal"), {54, 56, 16, 22},
                       QStringLiteral("|Adjusts the TOTAL number of questions."), PracticeHelp::TotalScore);
    m_scores = new ScoreCounter(this, {updnCorrect, pnlCorrect, updnTotal, pnlTotal, stbrScreen}, [this] { UpdateLamp(); });

    pnlLights = new Panel(pnlScores, QStringLiteral("pnlLights"));
    pnlLights->setGeometry(4, 84, 36, 36);
    pnlLights->setBevelOuter(Panel::Bevel::Lowered);
    Hints::setHelpContext(pnlLights, PracticeHelp::GradeLamp);
    shpLights = new Shape(pnlLights, QStringLiteral("shpLights"));
    shpLights->setGeometry(3, 3, 30, 30);
    Hints::setHelpContext(shpLights, PracticeHelp::GradeLamp);
    BitBtnClear = glyphButton(pnlScores, QStringLiteral("BitBtnClear"), GlyphButton::Glyph::Clear,
                              QStringLiteral("Clear marks|Resets the CORRECT ANSWERS and TOTAL QUESTIONS to 0"),
                              PracticeHelp::ClearScores);
    BitBtnClear->setGeometry(44, 88, 28, 28);
    connect(BitBtnClear, &QPushButton::clicked, this, [this] { BitBtnClearClick(); });
}

void TPractise0BaseForm::createRightWrongAndAnswerSteps()
{
    // The right/wrong lamp, beside the answer row.
    pnlRightWrong = new Panel(this, QStringLiteral("pnlRightWrong"));
    pnlRightWrong->setGeometry(518, 268, 56, 56);
    pnlRightWrong->setBevelOuter(Panel::Bevel::Raised);
    imgRight = new QLabel(pnlRightWrong);
    imgRight->setObjectName(QStringLiteral("imgRight"));
    imgRight->setPixmap(GlyphButton::draw(GlyphButton::Glyph::Tick, 40));
    imgRight->setGeometry(8, 8, 40, 40);
    imgWrong = new QLabel(pnlRightWrong);
    imgWrong->setObjectName(QStringLiteral("imgWrong"));
    imgWrong->setPixmap(GlyphButton::draw(GlyphButton::Glyph::Cross, 40));
    imgWrong->setGeometry(8, 8, 40, 40);
    pnlRightWrong->hide();

    // My steps / actual steps, bottom middle (after STOP).
    pnlViewAnswers = new Panel(this, QStringLiteral("pnlViewAnswers"));
    pnlViewAnswers->setGeometry(248, 338, 190, 40);
    Hints::setHint(pnlViewAnswers, QStringLiteral("|Press the SPACEBAR on your keyboard to switch between your answers and the actual answers."));
    Hints::setHelpContext(pnlViewAnswers, PracticeHelp::AnswerSteps);
    rdoShowMyAnswerSteps = new QRadioButton(QStringLiteral("Show My Answer &Steps"), pnlViewAnswers);
    rdoShowMyAnswerSteps->setObjectName(QStringLiteral("rdoShowMyAnswerSteps"));
    rdoShowActualAnswerSteps = new QRadioButton(QStringLiteral("Show &Actual Answer Steps"), pnlViewAnswers);
    rdoShowActualAnswerSteps->setObjectName(QStringLiteral("rdoShowActualAnswerSteps"));
    rdoShowMyAnswerSteps->setGeometry(8, 2, 178, 18);
    rdoShowActualAnswerSteps->setGeometry(8, 20, 178, 18);
    for (QRadioButton* r : {rdoShowMyAnswerSteps, rdoShowActualAnswerSteps}) {
        r->setFocusPolicy(Qt::TabFocus);
        r->setAutoExclusive(false);
        Hints::setHelpContext(r, PracticeHelp::AnswerSteps);
        // A click on the checked button keeps it checked.
        connect(r, &QRadioButton::clicked, r, [r] { r->setChecked(true); });
    }
    rdoShowMyAnswerSteps->setChecked(true);
    connect(rdoShowMyAnswerSteps, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rdoShowMyAnswerStepsClick();
    });
    connect(rdoShowActualAnswerSteps, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rdoShowActualAnswerStepsClick();
    });
    pnlViewAnswers->hide();
}

void TPractise0BaseForm::createVcr()
{
    using Glyph = GlyphButton::Glyph;
    pnlVCR = new Panel(this, QStringLiteral("pnlVCR"));
    pnlVCR->setGeometry(4, 340, 238, 36);
    pnlVCR->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pnlVCR, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) { pnlVCRContextPopup(pos); });
    BitBtnPlay = glyphButton(pnlVCR, QStringLiteral("BitBtnPlay"), Glyph::Play,
                             QStringLiteral("Play|Keyboard Shortcut: Press the ENTER key on your keyboard to play."), PracticeHelp::PlayButton);
    BitBtnStop = glyphButton(pnlVCR, QStringLiteral("BitBtnStop"), Glyph::Stop,
                             QStringLiteral("Stop|Keyboard Shortcut: Press ESC key to stop."), PracticeHelp::StopButton);
    BitBtnRewind = glyphButton(pnlVCR, QStringLiteral("BitBtnRewind"), Glyph::Rewind,
                               QStringLiteral("Restart|Do this question again."), PracticeHelp::RestartButton);
    BitBtnCustom = glyphButton(pnlVCR, QStringLiteral("BitBtnCustom"), Glyph::Record,
                               QStringLiteral("Record|Create your own question."), PracticeHelp::CustomButton);
    BitBtnHelp = glyphButton(pnlVCR, QStringLiteral("BitBtnHelp"), Glyph::Help,
                             QStringLiteral("Show calculation method|Press this button to obtain help for this Vandrelsholm method."), 0);
    BitBtnClose = glyphButton(pnlVCR, QStringLiteral("BitBtnClose"), Glyph::Eject,
                              QStringLiteral("Eject|Keyboard Shortcut: Press ESC key to close this screen."), PracticeHelp::EjectButton);
    // A row that closes up when a screen hides a button.
    auto* vcrRow = new QHBoxLayout(pnlVCR);
    vcrRow->setContentsMargins(3, 3, 3, 3);
    vcrRow->setSpacing(2);
    for (GlyphButton* b : {BitBtnPlay, BitBtnStop, BitBtnRewind, BitBtnCustom, BitBtnHelp, BitBtnClose}) {
        b->setFixedSize(37, 30);
        b->installEventFilter(this); // right clicks go to the VCR panel
        vcrRow->addWidget(b);
    }
    vcrRow->addStretch();
    BitBtnPlay->setDefault(true);
    BitBtnStop->setEnabled(false);
    BitBtnRewind->setEnabled(false);
    connect(BitBtnPlay, &QPushButton::clicked, this, [this] { BitBtnPlayClick(BitBtnPlay); });
    connect(BitBtnStop, &QPushButton::clicked, this, [this] { BitBtnStopClick(); });
    connect(BitBtnRewind, &QPushButton::clicked, this, [this] { BitBtnRewindClick(); });
    connect(BitBtnCustom, &QPushButton::clicked, this, [this] { BitBtnCustomClick(); });
    connect(BitBtnHelp, &QPushButton::clicked, this, [this] { BitBtnHelpClick(); });
    connect(BitBtnClose, &QPushButton::clicked, this, [this] { BitBtnCloseClick(); });
}

void TPractise0BaseForm::createLegend()
{
    pnlNavigate = new Panel(this, QStringLiteral("pnlNavigate"));
    pnlNavigate->setGeometry(508, 340, 76, 36);
    BitBtnNavigate = glyphButton(pnlNavigate, QStringLiteral("BitBtnNavigate"), GlyphButton::Glyph::Navigate,
                                 QStringLiteral("Legend|Shows you how to move around working boxes using the keyboard keys."), 0);
    BitBtnNavigate->setText(QStringLiteral("Legend"));
    BitBtnNavigate->setGeometry(3, 3, 70, 30);
    connect(BitBtnNavigate, &QPushButton::clicked, this, [this] { BitBtnNavigateClick(); });
    popupWhatsThis->attach(BitBtnNavigate);
}

// ---------------------------------------------------------------- the lists of boxes

int TPractise0BaseForm::AddWorkingPanel(Panel* panel, int width, int carryLink)
{
    WorkingPanelEntry entry;
    entry.Panel = panel;
    entry.Width = width;
    entry.CarryLink = carryLink;
    entry.Color = SysColors::window();
    entry.FontColor = DefaultFontColor(width);
    const int index = int(WorkingPanels.size());
    WorkingPanels.append(entry);
    panel->setTag(index);
    panel->setKind(Panel::Kind::Box);
    if (!m_wiredPanels.contains(panel)) {
        m_wiredPanels.insert(panel);
        connect(panel, &Panel::clicked, this, [this, panel] { HighlightWorkingPanelOnMouseClick(panel); });
        popupWhatsThis->attach(panel);
    }
    return index;
}

int TPractise0BaseForm::AddCarryPanel(Panel* panel)
{
    CarryPanelEntry entry;
    entry.Panel = panel;
    entry.Color = SysColors::window();
    entry.FontColor = SysColors::windowText();
    const int index = int(CarryPanels.size());
    CarryPanels.append(entry);
    panel->setKind(Panel::Kind::Box);
    connect(panel, &Panel::clicked, this, [this, panel] { TransferHighlightToWorkingPanel(panel); });
    popupWhatsThis->attach(panel);
    return index;
}

void TPractise0BaseForm::AddQuestionPanel(Panel* panel)
{
    QuestionPanels.append({panel, false});
}

void TPractise0BaseForm::AddAnswerPanel(Panel* panel)
{
    AnswerPanels.append({panel, false});
}

void TPractise0BaseForm::AddMyAnswerPanel(Panel* panel)
{
    MyAnswerPanels.append({panel, false});
}

void TPractise0BaseForm::ClearPanelLists()
{
    WorkingPanels.clear();
    QuestionPanels.clear();
    AnswerPanels.clear();
    MyAnswerPanels.clear();
}

Panel* TPractise0BaseForm::AddOptionButton(const QString& name, const QString& caption, const QString& hint,
                                           const QString& bestTimeKey)
{
    Q_ASSERT_X(!m_setUp, "AddOptionButton", "option buttons come before SetUpScreen, which selects the stored one");
    auto* button = new Panel(PnlOptions, name);
    button->setCaption(caption);
    button->setBold(true);
    styleOptionButton(button, false);
    if (!hint.isEmpty())
        Hints::setHint(button, hint);
    PnlOptions->layout()->addWidget(button);
    connect(button, &Panel::clicked, this, [this, button] { ActivateOptionButton(button); });
    m_optionButtons.append({button, bestTimeKey});
    return button;
}

QList<Panel*> TPractise0BaseForm::OptionButtons() const
{
    QList<Panel*> buttons;
    for (const OptionButton& o : m_optionButtons)
        buttons.append(o.button);
    return buttons;
}
