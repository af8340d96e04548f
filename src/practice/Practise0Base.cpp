#include "practice/Practise0Base.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

#include "app/Help.h"
#include "app/Main.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/SoundPlayer.h"
#include "practice/PracticeClock.h"
#include "shell/GlyphButton.h"
#include "shell/Globals.h"
#include "shell/Grading.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/ScoreCounter.h"
#include "shell/ScreenSettings.h"
#include "shell/Shape.h"
#include "shell/StatusBar.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"
#include "shell/UpDown.h"
#include "shell/WhatsThisMenu.h"

namespace {

const char* const ShowHintProperty = "vsmShowHint";
const QString NoTime = QString(TextChars::EmDash) + QLatin1Char(':') + QString(TextChars::EmDash);

QString digitOfKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(u'0' + (key - Qt::Key_0)));
    return QString();
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::ButtonText, color);
    pal.setColor(QPalette::WindowText, color);
    widget->setPalette(pal);
}

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
    box->setFocusPolicy(Qt::NoFocus);
    Hints::setHint(box, hint);
    Hints::setHelpContext(box, helpContext);
    return box;
}

} // namespace

// ---------------------------------------------------------------- creation

TPractise0BaseForm::TPractise0BaseForm(QWidget* parent) : ChildForm(parent)
{
    setKeyPreview(true);
    setFocusPolicy(Qt::StrongFocus);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);
    setClientSize(588, 379);
    createControls();

    // The application's hints go to this screen's status bar.
    m_hintConnection = connect(&HintRouter::instance(), &HintRouter::hintChanged, this,
                               [this](const QString& hint) { DisplayHint(hint); });
    SetScreenHint(Strings::text(Strings::HintPressPlay));
    stbrScreen->setSimpleText(Hints::longHint(Strings::text(Strings::HintPressPlay)));
    setCaption(Globals::ScreenTitle);

    State = Idle;
    CurrentIndex = 0;
    LastKey = QStringLiteral("NIL");
    MyTimeText = QStringLiteral("0:00");
    setLampHint();
    UpdateLamp();
}

TPractise0BaseForm::~TPractise0BaseForm()
{
    disconnect(m_hintConnection);
}

void TPractise0BaseForm::createControls()
{
    using Glyph = GlyphButton::Glyph;

    stbrScreen = new StatusBar(this);
    stbrScreen->setGeometry(0, 0, 588, 19);
    Hints::setHelpContext(stbrScreen, 20180);

    popupWhatsThis = new WhatsThisMenu(this);

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
                           QStringLiteral("|Shows the details of how to calculate the number in the working boxes."), 20140, true);
    chkShowColorHints = checkBox(pnlShowHide, QStringLiteral("chkShowColorHints"), QStringLiteral("Show &Color Hints"),
                                 QStringLiteral("|Shows colors in the boxes that are involved in the calculation steps."), 20150, true);
    chkHideMentalBoxes = checkBox(pnlShowHide, QStringLiteral("chkHideMentalBoxes"), QStringLiteral("Hide M&ental Boxes"),
                                  QStringLiteral("|Hides boxes that are not required for mental calculations."), 20160, false);
    chkShowHint->setGeometry(6, 2, 120, 20);
    chkShowColorHints->setGeometry(6, 22, 120, 20);
    chkHideMentalBoxes->setGeometry(6, 42, 120, 20);
    connect(chkShowHint, &QCheckBox::clicked, this, [this] { chkShowHintClick(); });
    connect(chkShowColorHints, &QCheckBox::clicked, this, [this] { chkShowColorHintsClick(); });
    connect(chkHideMentalBoxes, &QCheckBox::clicked, this, [this] { chkHideMentalBoxesClick(); });

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
    Hints::setHelpContext(pnlTime, 20220);
    btnTime = new QPushButton(QStringLiteral("0:00"), pnlTime);
    btnTime->setObjectName(QStringLiteral("btnTime"));
    btnTime->setGeometry(2, 2, 72, 24);
    btnTime->setFocusPolicy(Qt::NoFocus);
    QFont timeFont = btnTime->font();
    timeFont.setPixelSize(15);
    timeFont.setBold(true);
    btnTime->setFont(timeFont);
    Hints::setHelpContext(btnTime, 20220);
    connect(btnTime, &QPushButton::clicked, this, [this] { btnTimeClick(); });

    // Scores.
    pnlScores = new Panel(this, QStringLiteral("pnlScores"));
    pnlScores->setGeometry(508, 106, 76, 126);
    auto scoreLabel = [this](const QString& name, const QString& text, int top) {
        auto* label = new QLabel(text, pnlScores);
        label->setObjectName(name);
        label->setGeometry(4, top, 68, 14);
        m_scoreLabels.append(label);
    };
    scoreLabel(QStringLiteral("lblCorrect"), QStringLiteral("Correct"), 3);
    pnlCorrect = new Panel(pnlScores, QStringLiteral("pnlCorrect"));
    pnlCorrect->setGeometry(4, 17, 48, 22);
    pnlCorrect->setBevelOuter(Panel::Bevel::Lowered);
    pnlCorrect->setColor(SysColors::window());
    pnlCorrect->setFontColor(SysColors::windowText());
    pnlCorrect->setFontSpec(QStringLiteral("Arial"), 13, true);
    Hints::setHint(pnlCorrect, QStringLiteral("Correct Answers|CORRECT ANSWERS: The number of right answers"));
    Hints::setHelpContext(pnlCorrect, 20130);
    updnCorrect = new UpDown(pnlScores, QStringLiteral("updnCorrect"));
    updnCorrect->setGeometry(54, 17, 16, 22);
    Hints::setHint(updnCorrect, QStringLiteral("|Adjusts your correct answers."));
    Hints::setHelpContext(updnCorrect, 20130);
    scoreLabel(QStringLiteral("lblTotal"), QStringLiteral("Total"), 42);
    pnlTotal = new Panel(pnlScores, QStringLiteral("pnlTotal"));
    pnlTotal->setGeometry(4, 56, 48, 22);
    pnlTotal->setBevelOuter(Panel::Bevel::Lowered);
    pnlTotal->setColor(SysColors::window());
    pnlTotal->setFontColor(SysColors::windowText());
    pnlTotal->setFontSpec(QStringLiteral("Arial"), 13, true);
    Hints::setHint(pnlTotal, QStringLiteral("Total Questions|TOTAL QUESTIONS: The total number of questions you have tried."));
    Hints::setHelpContext(pnlTotal, 10150);
    updnTotal = new UpDown(pnlScores, QStringLiteral("updnTotal"));
    updnTotal->setGeometry(54, 56, 16, 22);
    Hints::setHint(updnTotal, QStringLiteral("|Adjusts the TOTAL number of questions."));
    Hints::setHelpContext(updnTotal, 10150);
    m_scores = new ScoreCounter(this, {updnCorrect, pnlCorrect, updnTotal, pnlTotal, stbrScreen}, [this] { UpdateLamp(); });
    pnlLights = new Panel(pnlScores, QStringLiteral("pnlLights"));
    pnlLights->setGeometry(4, 84, 36, 36);
    pnlLights->setBevelOuter(Panel::Bevel::Lowered);
    Hints::setHelpContext(pnlLights, 20230);
    shpLights = new Shape(pnlLights, QStringLiteral("shpLights"));
    shpLights->setGeometry(3, 3, 30, 30);
    Hints::setHelpContext(shpLights, 20230);
    BitBtnClear = glyphButton(pnlScores, QStringLiteral("BitBtnClear"), Glyph::Clear,
                              QStringLiteral("Clear marks|Resets the CORRECT ANSWERS and TOTAL QUESTIONS to 0"), 10130);
    BitBtnClear->setGeometry(44, 88, 28, 28);
    connect(BitBtnClear, &QPushButton::clicked, this, [this] { BitBtnClearClick(); });

    // The right/wrong lamp, beside the answer row.
    pnlRightWrong = new Panel(this, QStringLiteral("pnlRightWrong"));
    pnlRightWrong->setGeometry(518, 268, 56, 56);
    pnlRightWrong->setBevelOuter(Panel::Bevel::Raised);
    imgRight = new QLabel(pnlRightWrong);
    imgRight->setObjectName(QStringLiteral("imgRight"));
    imgRight->setPixmap(GlyphButton::draw(Glyph::Tick, 40));
    imgRight->setGeometry(8, 8, 40, 40);
    imgWrong = new QLabel(pnlRightWrong);
    imgWrong->setObjectName(QStringLiteral("imgWrong"));
    imgWrong->setPixmap(GlyphButton::draw(Glyph::Cross, 40));
    imgWrong->setGeometry(8, 8, 40, 40);
    pnlRightWrong->hide();

    // VCR buttons, bottom left.
    pnlVCR = new Panel(this, QStringLiteral("pnlVCR"));
    pnlVCR->setGeometry(4, 340, 238, 36);
    pnlVCR->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pnlVCR, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) { pnlVCRContextPopup(pos); });
    BitBtnPlay = glyphButton(pnlVCR, QStringLiteral("BitBtnPlay"), Glyph::Play,
                             QStringLiteral("Play|Keyboard Shortcut: Press the ENTER key on your keyboard to play."), 20100);
    BitBtnStop = glyphButton(pnlVCR, QStringLiteral("BitBtnStop"), Glyph::Stop,
                             QStringLiteral("Stop|Keyboard Shortcut: Press ESC key to stop."), 10170);
    BitBtnRewind = glyphButton(pnlVCR, QStringLiteral("BitBtnRewind"), Glyph::Rewind,
                               QStringLiteral("Restart|Do this question again."), 20110);
    BitBtnCustom = glyphButton(pnlVCR, QStringLiteral("BitBtnCustom"), Glyph::Record,
                               QStringLiteral("Record|Create your own question."), 20120);
    BitBtnHelp = glyphButton(pnlVCR, QStringLiteral("BitBtnHelp"), Glyph::Help,
                             QStringLiteral("Show calculation method|Press this button to obtain help for this Vandrelsholm method."), 0);
    BitBtnClose = glyphButton(pnlVCR, QStringLiteral("BitBtnClose"), Glyph::Eject,
                              QStringLiteral("Eject|Keyboard Shortcut: Press ESC key to close this screen."), 10180);
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

    // My steps / actual steps, bottom middle (after STOP).
    pnlViewAnswers = new Panel(this, QStringLiteral("pnlViewAnswers"));
    pnlViewAnswers->setGeometry(248, 338, 190, 40);
    Hints::setHint(pnlViewAnswers, QStringLiteral("|Press the SPACEBAR on your keyboard to switch between your answers and the actual answers."));
    Hints::setHelpContext(pnlViewAnswers, 20170);
    rdoShowMyAnswerSteps = new QRadioButton(QStringLiteral("Show My Answer &Steps"), pnlViewAnswers);
    rdoShowMyAnswerSteps->setObjectName(QStringLiteral("rdoShowMyAnswerSteps"));
    rdoShowActualAnswerSteps = new QRadioButton(QStringLiteral("Show &Actual Answer Steps"), pnlViewAnswers);
    rdoShowActualAnswerSteps->setObjectName(QStringLiteral("rdoShowActualAnswerSteps"));
    rdoShowMyAnswerSteps->setGeometry(8, 2, 178, 18);
    rdoShowActualAnswerSteps->setGeometry(8, 20, 178, 18);
    for (QRadioButton* r : {rdoShowMyAnswerSteps, rdoShowActualAnswerSteps}) {
        r->setFocusPolicy(Qt::NoFocus);
        r->setAutoExclusive(false);
        Hints::setHelpContext(r, 20170);
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
    // A click on the checked button keeps it checked.
    for (QRadioButton* r : {rdoShowMyAnswerSteps, rdoShowActualAnswerSteps})
        connect(r, &QRadioButton::clicked, r, [r] { r->setChecked(true); });
    pnlViewAnswers->hide();

    // The legend of the keys, bottom right.
    pnlNavigate = new Panel(this, QStringLiteral("pnlNavigate"));
    pnlNavigate->setGeometry(508, 340, 76, 36);
    BitBtnNavigate = glyphButton(pnlNavigate, QStringLiteral("BitBtnNavigate"), Glyph::Navigate,
                                 QStringLiteral("Legend|Shows you how to move around working boxes using the keyboard keys."), 0);
    BitBtnNavigate->setText(QStringLiteral("Legend"));
    BitBtnNavigate->setGeometry(3, 3, 70, 30);
    connect(BitBtnNavigate, &QPushButton::clicked, this, [this] { BitBtnNavigateClick(); });

    for (QWidget* w : std::initializer_list<QWidget*>{BitBtnClear, pnlCorrect, updnCorrect, pnlTotal, updnTotal, pnlLights,
                                                     shpLights, chkShowHint, chkShowColorHints, chkHideMentalBoxes,
                                                     rdoShowMyAnswerSteps, rdoShowActualAnswerSteps, pnlTime, btnTime})
        popupWhatsThis->attach(w);
}

void TPractise0BaseForm::SetUpScreen(const ScreenSetup& setup)
{
    SectionName = setup.sectionName;
    EntryStyle = setup.entryStyle;
    BoxOrder = setup.boxOrder;
    Hints::setHelpContext(BitBtnHelp, setup.helpContext);
    Hints::setHelpContext(this, setup.helpContext);
    Hints::setHelpContext(BitBtnNavigate, setup.navigateContext);
    PnlOptions->setEnabled(setup.hasOptions);
    PnlOptions->setVisible(setup.hasOptions);
    LoadSettings();
    if (CurrentOption) {
        ActivateOptionButton(CurrentOption);
    } else {
        SelectBestTime();
        ShowBestTime();
    }
}

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
    connect(panel, &Panel::clicked, this, [this, panel] { HighlightWorkingPanelOnMouseClick(panel); });
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
    connect(panel, &Panel::clicked, this, [this, panel] { TransferHighlightToWorkingPanel(panel); });
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

Panel* TPractise0BaseForm::AddOptionButton(const QString& name, const QString& caption, const QString& hint)
{
    auto* button = new Panel(PnlOptions, name);
    button->setCaption(caption);
    button->setBold(true);
    styleOptionButton(button, false);
    if (!hint.isEmpty())
        Hints::setHint(button, hint);
    PnlOptions->layout()->addWidget(button);
    connect(button, &Panel::clicked, this, [this, button] { ActivateOptionButton(button); });
    return button;
}

// ---------------------------------------------------------------- hints

void TPractise0BaseForm::SetScreenHint(const QString& hint)
{
    Hints::setHint(this, hint);
    setToolTip(QString()); // the screen itself shows no tooltip
}

bool TPractise0BaseForm::PanelHintShown(const QWidget* panel)
{
    const QVariant v = panel ? panel->property(ShowHintProperty) : QVariant();
    return !v.isValid() || v.toBool();
}

void TPractise0BaseForm::SetPanelHintShown(QWidget* panel, bool shown)
{
    if (!panel)
        return;
    panel->setProperty(ShowHintProperty, shown);
    panel->setToolTip(shown ? Hints::shortHint(Hints::hint(panel)) : QString());
}

void TPractise0BaseForm::SetWorkingPanelHint(QWidget* panel, const QString& hint)
{
    Hints::setHint(panel, hint);
    if (!PanelHintShown(panel))
        panel->setToolTip(QString());
}

void TPractise0BaseForm::DisplayHint(const QString& hint)
{
    const QString text = Hints::longHint(hint);
    if (!text.isEmpty())
        stbrScreen->setSimpleText(text);
    else
        ShowPanelHint();
}

void TPractise0BaseForm::ShowPanelHint()
{
    if (CurrentPanel && PanelHintShown(CurrentPanel))
        stbrScreen->setSimpleText(Hints::shortHint(Hints::hint(CurrentPanel)));
}

void TPractise0BaseForm::setLampHint()
{
    const QString hint = LeftChars(Grading::levelName(Globals::UserLevel), 30)
                         + QStringLiteral("\r\nRed : 0-%1 %; Amber : %2-%3 %; Green : %4-100 %")
                               .arg(int(Globals::LowerAmber) - 1)
                               .arg(Globals::LowerAmber)
                               .arg(Globals::UpperAmber)
                               .arg(int(Globals::UpperAmber) + 1);
    Hints::setHint(shpLights, hint);
    Hints::setHint(pnlLights, hint);
}

// ---------------------------------------------------------------- hooks

void TPractise0BaseForm::HighlightWorkingPanel()
{
    if (!CurrentPanel || CurrentIndex < 0 || CurrentIndex > lastIndex())
        return;
    WorkingPanelEntry& entry = WorkingPanels[CurrentIndex];
    auto* panel = qobject_cast<Panel*>(CurrentPanel.data());
    if (!panel)
        return;
    panel->setColor(entry.Width == 1 ? SysColors::Lime : SysColors::Aqua);
    if (EntryStyle == CarryPairEntry && entry.CarryLink >= 0 && entry.CarryLink < CarryPanels.size()) {
        Panel* carry = CarryPanels[entry.CarryLink].Panel;
        carry->setColor(SysColors::Aqua);
        carry->setFontColor(SysColors::Black);
    }
    panel->setFontColor(GetHighlightFontColor(panel, WorkingPanels, lastIndex()));
}

bool TPractise0BaseForm::isVisibleBox(int index) const
{
    return index >= 0 && index <= lastIndex() && WorkingPanels[index].Panel->isVisibleTo(this);
}

void TPractise0BaseForm::MoveHighlight(int direction, QWidget* panel)
{
    const int last = lastIndex();
    if (last < 0)
        return;
    // A free-entry box is padded with zeros when the learner leaves it. (A
    // click has padded the box it left before choosing the new one.)
    if (State == Playing && EntryStyle == FreeEntry && direction != MoveToPanel)
        PadWorkingPanel(CurrentIndex);

    const int count = last + 1;
    switch (direction) {
    case MoveNext:
        for (int tries = 0; tries < count; ++tries) {
            CurrentIndex = CurrentIndex >= last ? 0 : CurrentIndex + 1;
            if (isVisibleBox(CurrentIndex))
                break;
        }
        break;
    case MovePrevious:
        for (int tries = 0; tries < count; ++tries) {
            CurrentIndex = CurrentIndex <= 0 ? last : CurrentIndex - 1;
            if (isVisibleBox(CurrentIndex))
                break;
        }
        break;
    case MoveToPanel:
        break;
    case MoveFirst:
        CurrentIndex = 0;
        while (CurrentIndex < last && !isVisibleBox(CurrentIndex))
            ++CurrentIndex;
        break;
    case MoveLast:
        CurrentIndex = last;
        while (CurrentIndex > 0 && !isVisibleBox(CurrentIndex))
            --CurrentIndex;
        break;
    default:
        // Left, right, up and down belong to the grid screens.
        break;
    }
    if (direction == MoveToPanel && panel)
        CurrentPanel = panel;
    else if (CurrentIndex >= 0 && CurrentIndex <= last)
        CurrentPanel = WorkingPanels[CurrentIndex].Panel;
    RefreshHighlight();
}

void TPractise0BaseForm::ClearQuestionPanels()
{
    for (const PanelEntry& e : QuestionPanels)
        e.Panel->setCaption(QString());
}

void TPractise0BaseForm::ClearAnswerPanels()
{
    for (const PanelEntry& e : AnswerPanels)
        e.Panel->setCaption(QString());
}

void TPractise0BaseForm::ClearWorkingPanels()
{
    for (const WorkingPanelEntry& e : WorkingPanels)
        e.Panel->setCaption(QString());
}

void TPractise0BaseForm::HideOptionPanels()
{
    if (PnlOptions->isEnabled())
        PnlOptions->hide();
    HideAnswerPanels();
}

void TPractise0BaseForm::ShowOptionPanels()
{
    if (PnlOptions->isEnabled())
        PnlOptions->show();
    for (const PanelEntry& e : AnswerPanels)
        e.Panel->setVisible(!e.IsUnused);
}

QColor TPractise0BaseForm::DefaultFontColor(int width) const
{
    if (width < 2)
        return SysColors::windowText();
    return EntryStyle == CarryPairEntry ? SysColors::Black : SysColors::Fuchsia;
}

void TPractise0BaseForm::ResetCarryPairBoxes()
{
    for (CarryPanelEntry& c : CarryPanels) {
        c.Panel->setCaption(QString());
        c.ExpectedDigit = 0;
        c.Color = SysColors::window();
        c.FontColor = SysColors::windowText();
        paintCarryPanel(c);
        c.Panel->setBold(false);
    }
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.Color = SysColors::window();
        e.FontColor = DefaultFontColor(e.Width);
        paintWorkingPanel(e);
        e.Panel->setCaption(QString());
    }
    for (PanelEntry& a : MyAnswerPanels)
        a.IsUnused = false;
}

void TPractise0BaseForm::ApplyWorkedProblem(const WorkedProblem& problem)
{
    m_ruleColorHints.clear();
    for (int i = 0; i < WorkingPanels.size() && i < problem.boxes.size(); ++i) {
        const RuleBox& rule = problem.boxes[i];
        WorkingPanelEntry& e = WorkingPanels[i];
        e.ExpectedValue = rule.value;
        e.ActualAnswer = rule.text;
        e.Width = rule.width;
        e.IsMental = rule.mental;
        e.IsUnused = rule.unused;
        e.CarryLink = rule.carryLink;
        if (!rule.hint.isEmpty())
            SetWorkingPanelHint(e.Panel, rule.hint);
        m_ruleColorHints.append(rule.colorHints);
    }
    for (int c = 0; c < CarryPanels.size() && c < problem.carries.size(); ++c)
        CarryPanels[c].ExpectedDigit = problem.carries[c].value;
}

Panel* TPractise0BaseForm::PanelNamed(const QString& name)
{
    auto it = m_panelsByName.constFind(name);
    if (it == m_panelsByName.constEnd()) {
        // Built on first use, and again for a panel made since.
        m_panelsByName.clear();
        for (Panel* panel : findChildren<Panel*>())
            m_panelsByName.insert(panel->objectName(), panel);
        it = m_panelsByName.constFind(name);
    }
    return it == m_panelsByName.constEnd() ? nullptr : *it;
}

void TPractise0BaseForm::ShowRuleColorHints(QWidget* panel)
{
    const int last = lastIndex();
    const int index = FindWorkingPanel(panel, WorkingPanels, last);
    if (index < 0 || index >= m_ruleColorHints.size())
        return;
    for (const ColorHint& hint : m_ruleColorHints.at(index)) {
        Panel* target = PanelNamed(hint.panel);
        if (!target)
            continue;
        switch (hint.style) {
        case ColorHintStyle::Background:
            target->setColor(SysColors::Yellow);
            if (FindWorkingPanel(target, WorkingPanels, last) >= 0)
                target->setFontColor(GetHighlightFontColor(target, WorkingPanels, last));
            break;
        case ColorHintStyle::Text:
            target->setFontColor(SysColors::Yellow);
            break;
        case ColorHintStyle::CarryBox:
            target->setColor(SysColors::Yellow);
            target->setFontColor(SysColors::Black);
            break;
        case ColorHintStyle::Paint:
            target->setColor(QColor::fromRgb(hint.rgb));
            break;
        }
    }
}

void TPractise0BaseForm::BuildWorkingPanels()
{
    const bool showHints = chkShowHint->isChecked();
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.Panel->setCaption(QString());
        e.Panel->setBold(false);
        e.Color = SysColors::window();
        e.FontColor = DefaultFontColor(e.Width);
        SetPanelHintShown(e.Panel, showHints);
        e.Panel->setVisible(!e.IsUnused && !(e.IsMental && MentalBoxesHidden));
    }
    if (!WorkingPanels.isEmpty()) {
        CurrentIndex = 0;
        CurrentPanel = WorkingPanels[0].Panel;
        if (isVisibleBox(0))
            RefreshHighlight();
        else
            MoveHighlight(MoveNext, nullptr);
    }
    pnlViewAnswers->hide();
    rdoShowMyAnswerSteps->setChecked(true);
    rdoShowActualAnswerSteps->setChecked(false);
    pnlRightWrong->hide();
    CarryRowWrong = false;
}

void TPractise0BaseForm::paintWorkingPanel(WorkingPanelEntry& entry)
{
    entry.Panel->setColor(entry.Color);
    entry.Panel->setFontColor(entry.FontColor);
}

void TPractise0BaseForm::paintCarryPanel(CarryPanelEntry& entry)
{
    entry.Panel->setColor(entry.Color);
    entry.Panel->setFontColor(entry.FontColor);
}

void TPractise0BaseForm::CheckWorkingPanels()
{
    RestoreColors();
    CurrentIndex = -1;
    CurrentPanel = pnlRightWrong;
    pnlRightWrong->setColor(SysColors::Lime);
    stbrScreen->setSimpleText(QString());
    SetScreenHint(QString());

    for (WorkingPanelEntry& e : WorkingPanels) {
        if (e.IsUnused)
            continue;
        const QString text = e.Panel->caption();
        e.MyAnswer = LeftChars(text, 3);
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        e.TypedValue = ok ? value : 0;
        const bool right = ok && !text.trimmed().isEmpty() && e.TypedValue == e.ExpectedValue;
        if (!right) {
            e.Color = SysColors::Red;
            e.FontColor = SysColors::White;
            paintWorkingPanel(e);
            e.Panel->setBold(true);
        }
    }
    for (CarryPanelEntry& c : CarryPanels) {
        const QString text = c.Panel->caption().trimmed();
        bool right;
        if (text.isEmpty()) {
            right = c.ExpectedDigit == 0;
        } else {
            bool ok = false;
            const int value = text.toInt(&ok);
            right = ok && value == c.ExpectedDigit;
        }
        if (!right) {
            c.Color = SysColors::Red;
            c.FontColor = SysColors::White;
            paintCarryPanel(c);
            c.Panel->setBold(true);
            CarryRowWrong = true;
        }
    }
}

void TPractise0BaseForm::RestoreColors()
{
    for (WorkingPanelEntry& e : WorkingPanels)
        paintWorkingPanel(e);
    for (const PanelEntry& q : QuestionPanels)
        q.Panel->setColor(SysColors::buttonFace());
    if (EntryStyle == CarryPairEntry) {
        for (CarryPanelEntry& c : CarryPanels)
            paintCarryPanel(c);
    }
}

void TPractise0BaseForm::SetWorkingPanelFontColor(Panel* panel, int width)
{
    const int index = panel ? panel->tag() : -1;
    if (index < 0 || index > lastIndex())
        return;
    WorkingPanels[index].FontColor = width < 2 ? SysColors::windowText() : SysColors::Fuchsia;
}

void TPractise0BaseForm::FormatWorkingPanel(Panel* panel, int mode)
{
    if (!panel)
        return;
    if (mode == 1)
        panel->setCaption(StripLeadingZeros(panel->caption()));
    else if (mode == 2)
        PadWorkingPanel(panel->tag());
}

void TPractise0BaseForm::ResetWorkingPanels()
{
    for (WorkingPanelEntry& e : WorkingPanels) {
        e.MyAnswer.clear();
        e.ActualAnswer.clear();
    }
}

void TPractise0BaseForm::ShowAnswerSteps(const QString& which)
{
    const bool actual = which == QLatin1String("sAA");
    for (const WorkingPanelEntry& e : WorkingPanels) {
        if (!e.IsUnused)
            e.Panel->setCaption(actual ? e.ActualAnswer : e.MyAnswer);
    }
}

void TPractise0BaseForm::EvaluateAnswer()
{
    QString mine;
    QString actual;
    for (int i = 0; i < MyAnswerPanels.size() && i < AnswerPanels.size(); ++i) {
        if (MyAnswerPanels[i].IsUnused)
            continue;
        mine += MyAnswerPanels[i].Panel->caption();
        actual += AnswerPanels[i].Panel->caption();
    }
    IsCorrect = LeftChars(mine, 20) == LeftChars(actual, 20);
    if (EntryStyle == CarryPairEntry && CarryRowWrong)
        IsCorrect = false;
}

void TPractise0BaseForm::UpdateScores()
{
    m_scores->count(IsCorrect);
}

void TPractise0BaseForm::HideAnswerPanels()
{
    for (const PanelEntry& e : AnswerPanels)
        e.Panel->hide();
    pnlRightWrong->hide();
}

int TPractise0BaseForm::FindWorkingPanel(const QWidget* panel, const QList<WorkingPanelEntry>& list, int last) const
{
    if (!panel)
        return -1;
    const int end = qMin(last, int(list.size()) - 1);
    for (int i = 0; i <= end; ++i) {
        if (list[i].Panel == panel)
            return i;
    }
    return -1;
}

QColor TPractise0BaseForm::GetHighlightFontColor(const QWidget* panel, const QList<WorkingPanelEntry>& list,
                                                 int last) const
{
    const int index = FindWorkingPanel(panel, list, last);
    if (index < 0)
        return SysColors::Black;
    const Panel* box = list[index].Panel;
    const QColor bg = box->color();
    if ((bg == SysColors::Lime || bg == SysColors::Yellow || bg == SysColors::Aqua) && box->fontColor() == SysColors::White)
        return SysColors::Black;
    return list[index].FontColor;
}

void TPractise0BaseForm::JumpVertically(QWidget*, bool)
{
}

void TPractise0BaseForm::SaveSettings()
{
    ScreenSettings::save(this, [this](IniFile& ini) {
        ini.writeInteger(SectionName, QStringLiteral("Option"), GetOptionIndex());
        if (CurrentOptionDividend)
            ini.writeInteger(SectionName, QStringLiteral("OptionDividend"), GetOptionDividendIndex());
        ini.writeInteger(SectionName, QStringLiteral("Total"), m_scores->total());
        ini.writeInteger(SectionName, QStringLiteral("Correct"), m_scores->correct());
        SaveBestTimes(ini);
    });
}

void TPractise0BaseForm::LoadSettings()
{
    ScreenSettings::load(this, [this](const IniFile& ini) {
        if (PnlOptions->isEnabled()) {
            if (Panel* option = GetOptionButton(ini.readInteger(SectionName, QStringLiteral("Option"), 1)))
                CurrentOption = option;
        }
        if (Panel* dividend = GetOptionDividendButton(ini.readInteger(SectionName, QStringLiteral("OptionDividend"), 1)))
            CurrentOptionDividend = dividend;
        m_scores->setCounts(ini.readInteger(SectionName, QStringLiteral("Correct"), 0),
                            ini.readInteger(SectionName, QStringLiteral("Total"), 0));
        LoadBestTimes(ini);
    });
}

int TPractise0BaseForm::GetOptionDividendIndex()
{
    return 1;
}

Panel* TPractise0BaseForm::GetOptionDividendButton(int)
{
    return nullptr;
}

void TPractise0BaseForm::RefreshHighlight()
{
    RestoreColors();
    HighlightWorkingPanel();
    ShowPanelHint();
    if (chkShowColorHints->isChecked())
        ShowColorHints(CurrentPanel);
    if (State != Idle && chkShowHint->isChecked())
        SetScreenHint(QStringLiteral("|") + Hints::shortHint(Hints::hint(CurrentPanel)));
}

// ---------------------------------------------------------------- the form's own operations

void TPractise0BaseForm::ActivateOptionButton(Panel* button)
{
    if (!button)
        return;
    if (CurrentOption && CurrentOption != button)
        styleOptionButton(CurrentOption, false);
    styleOptionButton(button, true);
    CurrentOption = button;
    setCaption(Globals::ScreenTitle + button->caption().toUpper());
    SelectBestTime();
    ShowBestTime();
}

void TPractise0BaseForm::BitBtnCustomClick()
{
    setFocus();
}

void TPractise0BaseForm::BitBtnRewindClick()
{
    if (PnlOptions->isEnabled() && PlayedOption)
        ActivateOptionButton(PlayedOption);
    BitBtnPlayClick(BitBtnRewind);
}

// ---------------------------------------------------------------- PLAY, STOP, close

void TPractise0BaseForm::showScoreControls(bool shown)
{
    for (QWidget* w : std::initializer_list<QWidget*>{updnCorrect, updnTotal, BitBtnClear, pnlCorrect, pnlTotal, pnlLights})
        w->setVisible(shown);
    for (QLabel* label : m_scoreLabels)
        label->setVisible(shown);
}

void TPractise0BaseForm::BitBtnPlayClick(QObject* sender)
{
    PlayScreenSound(sender == BitBtnRewind ? Sounds::ReDo : Sounds::Play);
    if (m_scores->atLimit())
        Dialogs::current().information(this, Strings::text(Strings::ScoreLimit));

    SwallowEnter = false;
    Globals::Practising = true;
    SetNumLockOn();
    SetScreenHint(Strings::text(Strings::HintPressStop));
    State = Playing;
    PlayedOption = CurrentOption;

    ClearQuestionPanels();
    ClearAnswerPanels();
    ClearWorkingPanels();

    for (GlyphButton* b : {BitBtnClose, BitBtnPlay, BitBtnRewind, BitBtnCustom})
        b->setEnabled(false);
    BitBtnStop->setEnabled(true);
    showScoreControls(false);
    HideOptionPanels();

    // The stopwatch shows the best time while the learner works.
    lblBestTime->show();
    btnTime->hide();
    SelectBestTime();
    pnlTime->setCaption(BestTimeText);
    pnlTime->setFontColor(BestTimeText != NoTime ? SysColors::Blue : SysColors::windowText());

    StartTime = PracticeClock::now();
    if (sender == BitBtnPlay)
        NewQuestion();
    BuildWorkingPanels();
    ShowQuestion();
    setFocus();
}

void TPractise0BaseForm::BitBtnStopClick()
{
    if (State != Playing)
        return;
    Globals::Practising = false;
    StopTime = PracticeClock::now();
    const double elapsed = StopTime - StartTime;
    MyTimeText = FormatElapsed(elapsed);
    ShowMyTime();

    ShowActualAnswer();
    CheckWorkingPanels();
    EvaluateAnswer();
    ShowRightWrong();
    UpdateScores();
    UpdateLamp();
    const bool newBest = UpdateBestTime(elapsed);
    if (newBest)
        SelectBestTime(); // the stopwatch's best time shows the new one

    if (Globals::PracticeSoundsOn) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (newBest) {
            Help::setPopupPosition(btnTime->mapToGlobal(QPoint(0, btnTime->height())));
            Help::showPopup(20105);
            SoundPlayer::current().playResource(Sounds::BestTime, SoundPlayer::Mode::Sync);
        }
        PlayAnswerSound(IsCorrect);
        QApplication::restoreOverrideCursor();
    }

    if (frmMain)
        frmMain->setEnabled(true);
    for (GlyphButton* b : {BitBtnClose, BitBtnPlay, BitBtnRewind, BitBtnCustom})
        b->setEnabled(true);
    BitBtnStop->setEnabled(false);
    showScoreControls(true);
    ShowOptionPanels();
    pnlTime->setCaption(QString());
    btnTime->show();

    SetScreenHint(Strings::text(Strings::HintPressPlay));
    State = Finished;
}

void TPractise0BaseForm::BitBtnCloseClick()
{
    PlayScreenSound(Sounds::ExitPractice, true);
    closeForm();
}

void TPractise0BaseForm::formClose()
{
    SaveSettings();
}

// ---------------------------------------------------------------- stopwatch and best time

QString TPractise0BaseForm::FormatElapsed(double days)
{
    if (days == 0)
        return NoTime;
    const qint64 ms = std::llround(days * PracticeClock::SecondsPerDay * 1000.0);
    const qint64 s = qMax<qint64>(0, ms / 1000);
    const qint64 h = s / 3600;
    const qint64 m = (s % 3600) / 60;
    const qint64 c = s % 60;
    QString text;
    if (h > 0)
        text = QString::number(h) + QLatin1Char(':');
    text += QStringLiteral("%1:%2").arg(m, h > 0 ? 2 : 1, 10, QLatin1Char('0')).arg(c, 2, 10, QLatin1Char('0'));
    return text;
}

bool TPractise0BaseForm::IsNewBestTime(bool correct, double elapsed, double best)
{
    return correct && elapsed > 0 && (best <= 0 || elapsed < best);
}

void TPractise0BaseForm::ShowMyTime()
{
    lblBestTime->hide();
    btnTime->setText(MyTimeText);
    Hints::setHint(btnTime, Strings::text(Strings::StopwatchMyTime));
    setTextColor(btnTime, SysColors::windowText());
}

void TPractise0BaseForm::ShowBestTime()
{
    lblBestTime->show();
    btnTime->setText(BestTimeText);
    Hints::setHint(btnTime, Strings::text(Strings::StopwatchBestTime));
    setTextColor(btnTime, BestTimeText != NoTime ? SysColors::Blue : SysColors::windowText());
}

void TPractise0BaseForm::btnTimeClick()
{
    if (!lblBestTime->isHidden())
        ShowMyTime();
    else
        ShowBestTime();
    setFocus();
}

// ---------------------------------------------------------------- scores

void TPractise0BaseForm::UpdateLamp()
{
    QColor color;
    switch (Grading::grade(m_scores->correct(), m_scores->total(), Globals::LowerAmber, Globals::UpperAmber)) {
    case Grading::Grade::None:
        color = SysColors::buttonShadow();
        break;
    case Grading::Grade::Red:
        color = SysColors::Red;
        break;
    case Grading::Grade::Amber:
        color = SysColors::Yellow;
        break;
    case Grading::Grade::Green:
        color = SysColors::Lime;
        break;
    case Grading::Grade::Keep:
        return;
    }
    shpLights->setBrushColor(color);
}





void TPractise0BaseForm::BitBtnClearClick()
{
    m_scores->clear();
}

// ---------------------------------------------------------------- help

void TPractise0BaseForm::BitBtnHelpClick()
{
    PlayScreenSound(Sounds::Help);
    setFocus();
    Help::showTopic(Hints::helpContext(BitBtnHelp));
}

void TPractise0BaseForm::BitBtnNavigateClick()
{
    Help::showPopup(Hints::helpContext(BitBtnNavigate));
    setFocus();
}

void TPractise0BaseForm::pnlVCRContextPopup(const QPoint& pos)
{
    QWidget* child = pnlVCR->childAt(pos);
    for (GlyphButton* b : {BitBtnPlay, BitBtnStop, BitBtnRewind, BitBtnCustom, BitBtnClose}) {
        if (child == b) {
            popupWhatsThis->popupFor(b, pnlVCR->mapToGlobal(pos));
            return;
        }
    }
}

bool TPractise0BaseForm::eventFilter(QObject* watched, QEvent* event)
{
    // A disabled button takes no right click of its own: the VCR panel gets it.
    if (event->type() == QEvent::ContextMenu && watched->parent() == pnlVCR && watched->isWidgetType()) {
        auto* button = static_cast<QWidget*>(watched);
        pnlVCRContextPopup(button->mapTo(pnlVCR, static_cast<QContextMenuEvent*>(event)->pos()));
        return true;
    }
    return ChildForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- check boxes and answer steps

void TPractise0BaseForm::chkShowHintClick()
{
    for (const WorkingPanelEntry& e : WorkingPanels)
        SetPanelHintShown(e.Panel, !PanelHintShown(e.Panel));
    if (State != Idle) {
        if (chkShowHint->isChecked()) {
            ShowPanelHint();
            SetScreenHint(QStringLiteral("|") + Hints::shortHint(Hints::hint(CurrentPanel)));
        } else {
            stbrScreen->setSimpleText(QString());
            SetScreenHint(Strings::text(State == Playing ? Strings::HintPressStop : Strings::HintPressPlay));
        }
    }
    setFocus();
}

void TPractise0BaseForm::chkShowColorHintsClick()
{
    if (State != Idle && CurrentIndex != -1) {
        if (chkShowColorHints->isChecked()) {
            ShowColorHints(CurrentPanel);
        } else {
            RestoreColors();
            HighlightWorkingPanel();
        }
    }
    setFocus();
}

void TPractise0BaseForm::chkHideMentalBoxesClick()
{
    for (const WorkingPanelEntry& e : WorkingPanels) {
        if (!e.IsMental || e.IsUnused)
            continue;
        e.Panel->setVisible(e.Panel->isHidden());
        if (State != Idle && e.Panel == CurrentPanel && e.Panel->isHidden())
            MoveHighlight(MoveNext, nullptr);
    }
    MentalBoxesHidden = !MentalBoxesHidden;
    setFocus();
}

void TPractise0BaseForm::rdoShowActualAnswerStepsClick()
{
    rdoShowMyAnswerSteps->setChecked(false);
    ShowAnswerSteps(QStringLiteral("sAA"));
    imgRight->show();
    imgWrong->hide();
    setFocus();
}

void TPractise0BaseForm::rdoShowMyAnswerStepsClick()
{
    rdoShowActualAnswerSteps->setChecked(false);
    if (!pnlViewAnswers->isHidden()) {
        ShowAnswerSteps(QStringLiteral("sUA"));
        ShowRightWrong();
    }
    setFocus();
}

void TPractise0BaseForm::ShowRightWrong()
{
    imgRight->setVisible(IsCorrect);
    imgWrong->setVisible(!IsCorrect);
    pnlRightWrong->show();
}

// ---------------------------------------------------------------- clicks on boxes

void TPractise0BaseForm::HighlightWorkingPanelOnMouseClick(QWidget* panel)
{
    if (State == Idle)
        return;
    const int index = FindWorkingPanel(panel, WorkingPanels, lastIndex());
    if (index < 0) {
        Dialogs::current().beep();
        return;
    }
    if (State == Playing && EntryStyle == FreeEntry)
        PadWorkingPanel(CurrentIndex);
    CurrentIndex = index;
    MoveHighlight(MoveToPanel, panel);
    if (State == Finished)
        LampToButtonFace();
    setFocus();
}

void TPractise0BaseForm::TransferHighlightToWorkingPanel(Panel* carryBox)
{
    int carry = -1;
    for (int i = 0; i < CarryPanels.size(); ++i) {
        if (CarryPanels[i].Panel == carryBox)
            carry = i;
    }
    for (const WorkingPanelEntry& e : WorkingPanels) {
        if (carry >= 0 && e.CarryLink == carry) {
            HighlightWorkingPanelOnMouseClick(e.Panel);
            return;
        }
    }
    HighlightWorkingPanelOnMouseClick(carryBox);
}

void TPractise0BaseForm::LampToButtonFace()
{
    pnlRightWrong->setColor(SysColors::buttonFace());
}

// ---------------------------------------------------------------- digit entry

bool TPractise0BaseForm::DigitEntryCarryPair(QWidget* panel, const QString& what)
{
    if (CurrentIndex < 0 || CurrentIndex > lastIndex())
        return false;
    WorkingPanelEntry& e = WorkingPanels[CurrentIndex];
    auto* box = qobject_cast<Panel*>(panel);
    if (!box)
        return false;
    Panel* carry = e.CarryLink >= 0 && e.CarryLink < CarryPanels.size() ? CarryPanels[e.CarryLink].Panel : nullptr;

    if (what == QLatin1String("numeric")) {
        if (e.MyAnswer.size() < e.Width)
            e.MyAnswer += LastKey;
        else
            e.MyAnswer = LastKey;
        box->setCaption(e.MyAnswer);
        if (carry)
            carry->setCaption(QString());
        if (box->caption().size() != e.Width)
            return false;
        if (carry) {
            // The pair splits: units digit in the box, tens digit in the carry box.
            const QString tens = e.MyAnswer.left(e.MyAnswer.size() - 1);
            box->setCaption(e.MyAnswer.right(1));
            carry->setCaption(tens == QLatin1String("0") ? QString() : tens);
        }
        return true;
    }
    if (what == QLatin1String("backspace")) {
        if (e.MyAnswer.isEmpty()) {
            Dialogs::current().beep();
            return false;
        }
        e.MyAnswer = e.MyAnswer.size() == 1 ? QString() : e.MyAnswer.left(1);
        box->setCaption(e.MyAnswer);
        if (carry)
            carry->setCaption(QString());
        return false;
    }
    if (what == QLatin1String("del")) {
        e.MyAnswer.clear();
        box->setCaption(QString());
        if (carry)
            carry->setCaption(QString());
    }
    return false;
}

bool TPractise0BaseForm::DigitEntryFree(QWidget* panel, const QString& what)
{
    if (CurrentIndex < 0 || CurrentIndex > lastIndex())
        return false;
    const WorkingPanelEntry& e = WorkingPanels[CurrentIndex];
    auto* box = qobject_cast<Panel*>(panel);
    if (!box)
        return false;
    QString text = box->caption();
    if (what == QLatin1String("numeric")) {
        text = text.size() < e.Width ? text + LastKey : LastKey;
        box->setCaption(text);
        return text.size() == e.Width;
    }
    if (what == QLatin1String("backspace")) {
        if (!text.isEmpty()) {
            box->setCaption(DropRight(text, 1));
            WorkingPanelChanged(CurrentPanel);
        }
        return false;
    }
    if (what == QLatin1String("del"))
        box->setCaption(QString());
    return false;
}

bool TPractise0BaseForm::digitEntry(const QString& what)
{
    return EntryStyle == CarryPairEntry ? DigitEntryCarryPair(CurrentPanel, what) : DigitEntryFree(CurrentPanel, what);
}

void TPractise0BaseForm::PadWorkingPanel(int index)
{
    if (index < 0 || index > lastIndex())
        return;
    Panel* box = WorkingPanels[index].Panel;
    if (!box->caption().isEmpty())
        box->setCaption(PadLeft(box->caption(), WorkingPanels[index].Width, QLatin1Char('0')));
}

// ---------------------------------------------------------------- keys

void TPractise0BaseForm::cannotCorrect()
{
    Dialogs::current().information(this, Strings::text(Strings::CannotCorrect));
    SwallowEnter = true;
}

bool TPractise0BaseForm::previewKeyPress(QKeyEvent* event)
{
    // Keys with Ctrl or Alt belong to the controls (mnemonics, shortcuts).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    int key = event->key();
    FormKeyDown(key, event->modifiers());
    return key == 0;
}

bool TPractise0BaseForm::previewKeyRelease(QKeyEvent* event)
{
    // The Enter that closed the cannot-correct message goes up here.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SwallowEnter) {
        SwallowEnter = false;
        return true;
    }
    return false;
}

void TPractise0BaseForm::FormKeyDown(int& key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    const QString digit = digitOfKey(key);
    const bool isNext = key == Qt::Key_Tab || (key == Qt::Key_Plus && keypad);
    const bool isPrevious = key == Qt::Key_Q || key == Qt::Key_F2 || key == Qt::Key_Backtab
                            || (key == Qt::Key_Minus && keypad);
    const bool isEnter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const int last = lastIndex();

    auto horizontal = [this](bool left) {
        switch (BoxOrder) {
        case RightToLeft:
            MoveHighlight(left ? MoveNext : MovePrevious, nullptr);
            break;
        case LeftToRight:
            MoveHighlight(left ? MovePrevious : MoveNext, nullptr);
            break;
        case Grid:
            MoveHighlight(left ? MoveLeft : MoveRight, nullptr);
            break;
        }
    };

    if (isEnter && State != Playing) {
        key = 0;
        if (SwallowEnter)
            SwallowEnter = false;
        else if (BitBtnPlay->isEnabled())
            BitBtnPlayClick(BitBtnPlay); // ENTER is the PLAY button's shortcut
        return;
    }

    if (State == Idle) {
        if (key == Qt::Key_Escape) {
            key = 0;
            closeForm();
        }
        return;
    }

    if (State == Finished) {
        if (key == Qt::Key_Escape) {
            key = 0;
            closeForm();
        } else if (!digit.isEmpty() || key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            key = 0;
            cannotCorrect();
        } else if (isNext) {
            key = 0;
            LampToButtonFace();
            MoveHighlight(MoveNext, nullptr);
        } else if (isPrevious) {
            key = 0;
            if (CurrentIndex == -1)
                CurrentIndex = last + 1;
            LampToButtonFace();
            MoveHighlight(MovePrevious, nullptr);
        } else if (key == Qt::Key_Home || key == Qt::Key_End) {
            const int direction = key == Qt::Key_Home ? MoveFirst : MoveLast;
            key = 0;
            LampToButtonFace();
            MoveHighlight(direction, nullptr);
        } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
            const bool left = key == Qt::Key_Left;
            key = 0;
            if (CurrentIndex == -1) {
                if (left && BoxOrder == LeftToRight)
                    CurrentIndex = last + 1;
                else if (left && BoxOrder == Grid)
                    CurrentIndex = last - 1;
                else if (!left && BoxOrder == RightToLeft)
                    CurrentIndex = last + 1;
                else if (!left && BoxOrder == Grid)
                    CurrentIndex = 57;
            }
            horizontal(left);
            LampToButtonFace();
        } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
            if (BoxOrder == Grid) {
                if (CurrentIndex != -1)
                    MoveHighlight(key == Qt::Key_Up ? MoveUp : MoveDown, nullptr);
            } else {
                JumpVertically(CurrentPanel, false);
            }
        } else if (key == Qt::Key_Space) {
            key = 0;
            if (!pnlViewAnswers->isHidden()) {
                if (rdoShowMyAnswerSteps->isChecked())
                    rdoShowActualAnswerSteps->setChecked(true);
                else
                    rdoShowMyAnswerSteps->setChecked(true);
            }
        }
        return;
    }

    // Playing.
    if (!digit.isEmpty()) {
        LastKey = digit;
        key = 0;
    } else if (key == Qt::Key_Delete) {
        LastKey = QStringLiteral("DEL");
        key = 0;
    } else if (key == Qt::Key_Backspace) {
        key = 0;
        digitEntry(QStringLiteral("backspace"));
    } else if (isNext) {
        key = 0;
        MoveHighlight(MoveNext, nullptr);
    } else if (isPrevious) {
        key = 0;
        MoveHighlight(MovePrevious, nullptr);
    } else if (key == Qt::Key_Home || key == Qt::Key_End) {
        MoveHighlight(key == Qt::Key_Home ? MoveFirst : MoveLast, nullptr);
        key = 0;
    } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
        horizontal(key == Qt::Key_Left);
        key = 0;
    } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (BoxOrder == Grid)
            MoveHighlight(key == Qt::Key_Up ? MoveUp : MoveDown, nullptr);
        else
            JumpVertically(CurrentPanel, false);
    } else if (key == Qt::Key_Escape) {
        key = 0;
        BitBtnStopClick();
        return;
    } else {
        SetNumLockOn();
        return;
    }

    if (LastKey == QLatin1String("DEL")) {
        digitEntry(QStringLiteral("del"));
        LastKey = QStringLiteral("NIL");
        WorkingPanelChanged(CurrentPanel);
    } else if (LastKey.size() == 1 && LastKey[0].isDigit()) {
        const bool advance = digitEntry(QStringLiteral("numeric"));
        WorkingPanelChanged(CurrentPanel);
        LastKey = QStringLiteral("NIL");
        if (advance)
            MoveHighlight(MoveNext, nullptr);
    }
}
