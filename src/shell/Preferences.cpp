#include "shell/Preferences.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/DisplaySettings.h"
#include "shell/Globals.h"
#include "shell/Grading.h"
#include "shell/Hints.h"
#include "shell/ShellHelp.h"
#include "shell/Panel.h"
#include "shell/SetIni.h"
#include "shell/Shape.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"
#include "shell/WhatsThisMenu.h"

namespace {

Panel* lampPanel(QWidget* parent, const QString& name, const QColor& color, const QString& hint)
{
    auto* panel = new Panel(parent, name);
    panel->setBevelOuter(Panel::Bevel::Lowered);
    panel->setFixedSize(30, 30);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* lamp = new Shape(panel, name + QStringLiteral("Shape"));
    lamp->setFixedSize(20, 20);
    lamp->setAttribute(Qt::WA_TransparentForMouseEvents);
    lamp->setBrushColor(color);
    layout->addWidget(lamp, 0, Qt::AlignCenter);
    Hints::setHint(panel, hint);
    Hints::setHelpContext(panel, 90150);
    return panel;
}

QLabel* staticText(QWidget* parent, const QString& name, const QString& text, int helpContext)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("100 - 100")) + 6);
    Hints::setHelpContext(label, helpContext);
    return label;
}

QRadioButton* radio(QWidget* parent, const QString& name, const QString& caption, int helpContext)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    Hints::setHelpContext(button, helpContext);
    return button;
}

QCheckBox* check(QWidget* parent, const QString& name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& hint,
                    int helpContext)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    Hints::setHint(b, hint);
    Hints::setHelpContext(b, helpContext);
    return b;
}

} // namespace

// ---- the dialog ------------------------------------------------------------------

TPrefsForm::TPrefsForm(QWidget* parent) : ChildForm(parent)
{
    setObjectName(QStringLiteral("PrefsForm"));
    setCaption(QStringLiteral("Preferences for"));
    Hints::setHelpContext(this, ShellHelp::Preferences);
    buildControls();
    FormCreate();
}

void TPrefsForm::buildControls()
{
    grpGrading = new QGroupBox(QStringLiteral(" Grading "), this);
    grpGrading->setObjectName(QStringLiteral("grpGrading"));
    pnlRedLight = lampPanel(grpGrading, QStringLiteral("pnlRedLight"), SysColors::Red, QStringLiteral("Red Light"));
    pnlAmberLight = lampPanel(grpGrading, QStringLiteral("pnlAmberLight"), SysColors::Yellow, QStringLiteral("Amber Light"));
    pnlGreenLight = lampPanel(grpGrading, QStringLiteral("pnlGreenLight"), SysColors::Lime, QStringLiteral("Green Light"));

    rdoBeginner = radio(grpGrading, QStringLiteral("rdoBeginner"), QStringLiteral("&Beginner"), 90130);
    rdoIntermediate = radio(grpGrading, QStringLiteral("rdoIntermediate"), QStringLiteral("&Intermediate"), 90130);
    rdoAdvanced = radio(grpGrading, QStringLiteral("rdoAdvanced"), QStringLiteral("&Advanced"), 90130);
    rdoCustom = radio(grpGrading, QStringLiteral("rdoCustom"), QStringLiteral("&Custom"), 90160);
    Hints::setHint(rdoCustom, QStringLiteral("Set your own range of marks"));
    auto* levels = new QButtonGroup(this);
    for (QRadioButton* r : {rdoBeginner, rdoIntermediate, rdoAdvanced, rdoCustom}) {
        levels->addButton(r);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                RespondToRadioButtonClick();
        });
    }

    auto* grid = new QGridLayout(grpGrading);
    grid->setHorizontalSpacing(14);
    grid->addWidget(pnlRedLight, 0, 1, Qt::AlignCenter);
    grid->addWidget(pnlAmberLight, 0, 2, Qt::AlignCenter);
    grid->addWidget(pnlGreenLight, 0, 3, Qt::AlignCenter);
    const struct {
        QRadioButton* button;
        const char* name;
        const char* red;
        const char* amber;
        const char* green;
    } fixedRows[] = {
        {rdoBeginner, "Beginner", "0 - 49", "50 - 74", "75 - 100"},
        {rdoIntermediate, "Intermediate", "0 - 64", "65 - 84", "85 - 100"},
        {rdoAdvanced, "Advanced", "0 - 79", "80 - 94", "95 - 100"},
    };
    int row = 1;
    for (const auto& r : fixedRows) {
        const QString level = QString::fromLatin1(r.name);
        grid->addWidget(r.button, row, 0);
        grid->addWidget(staticText(grpGrading, QStringLiteral("stxtRed") + level, QString::fromLatin1(r.red), 90170), row, 1);
        grid->addWidget(staticText(grpGrading, QStringLiteral("stxtAmber") + level, QString::fromLatin1(r.amber), 90170), row, 2);
        grid->addWidget(staticText(grpGrading, QStringLiteral("stxtGreen") + level, QString::fromLatin1(r.green), 90170), row, 3);
        ++row;
    }
    stxtCustomRed = staticText(grpGrading, QStringLiteral("stxtCustomRed"), QString(), 90180);
    stxtCustomAmber = staticText(grpGrading, QStringLiteral("stxtCustomAmber"), QString(), 90180);
    stxtCustomGreen = staticText(grpGrading, QStringLiteral("stxtCustomGreen"), QString(), 90180);
    updnLower = new UpDown(grpGrading, QStringLiteral("updnLower"));
    updnUpper = new UpDown(grpGrading, QStringLiteral("updnUpper"));
    updnLower->setRange(2, 97);
    updnUpper->setRange(3, 98);
    for (UpDown* updn : {updnLower, updnUpper}) {
        updn->setFixedSize(18, 26);
        Hints::setHelpContext(updn, 90140);
    }
    connect(updnLower, &UpDown::clicked, this, &TPrefsForm::updnLowerClick);
    connect(updnUpper, &UpDown::clicked, this, &TPrefsForm::updnUpperClick);
    auto* amber = new QHBoxLayout;
    amber->setSpacing(2);
    amber->addWidget(updnLower);
    amber->addWidget(stxtCustomAmber, 1);
    amber->addWidget(updnUpper);
    grid->addWidget(rdoCustom, row, 0);
    grid->addWidget(stxtCustomRed, row, 1);
    grid->addLayout(amber, row, 2);
    grid->addWidget(stxtCustomGreen, row, 3);
    grid->setColumnMinimumWidth(2, stxtCustomAmber->minimumWidth() + 2 * updnLower->width() + 8);

    grpGrading->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grpGrading, &QWidget::customContextMenuRequested, this, &TPrefsForm::popupGrading);
    popupWhatsThis = new WhatsThisMenu(this);

    grpSounds = new QGroupBox(QStringLiteral("Play Sounds"), this);
    grpSounds->setObjectName(QStringLiteral("grpSounds"));
    chkOpenCloseGreeting = check(grpSounds, QStringLiteral("chkOpenCloseGreeting"),
                                 QStringLiteral("&Greet on opening/closing VandrelsholmSpeedMath."));
    chkPracticeSound = check(grpSounds, QStringLiteral("chkPracticeSound"),
                             QStringLiteral("Ring bells and cheer while learning."));
    chkIdleSound = check(grpSounds, QStringLiteral("chkIdleSound"),
                         QStringLiteral("Play background music when all screens are closed."));
    auto* sounds = new QVBoxLayout(grpSounds);
    sounds->addWidget(chkOpenCloseGreeting);
    sounds->addWidget(chkPracticeSound);
    sounds->addWidget(chkIdleSound);

    btnSetColorScheme = button(this, QStringLiteral("btnSetColorScheme"), QStringLiteral("Set &Scheme..."),
                               QStringLiteral("Changes color scheme of your desktop."), 90120);
    BitBtnOK = button(this, QStringLiteral("BitBtnOK"), QStringLiteral("&OK"), QStringLiteral("Save changes"), 90110);
    BitBtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtnCancel = button(this, QStringLiteral("BitBtnCancel"), QStringLiteral("Cancel"),
                          QStringLiteral("Go back to previous settings."), 90100);
    BitBtnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    for (QPushButton* b : {btnSetColorScheme, BitBtnOK, BitBtnCancel})
        popupWhatsThis->attach(b);
    connect(btnSetColorScheme, &QPushButton::clicked, this, &TPrefsForm::btnSetColorSchemeClick);
    connect(BitBtnOK, &QPushButton::clicked, this, &TPrefsForm::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TPrefsForm::BitBtnCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSetColorScheme);
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(grpGrading);
    layout->addWidget(grpSounds);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    const QSize size = layout->sizeHint();
    setClientSize(size.width(), size.height());
}

void TPrefsForm::FormCreate()
{
    setCaption(Strings::text(Strings::PreferencesFor) + Globals::UserName);
    // The dialog always starts from what is stored.
    LoadPreferences(this);

    WorkLower = Globals::LowerAmber;
    WorkUpper = Globals::UpperAmber;
    updnLower->setPosition(Globals::CustomLowerAmber);
    updnUpper->setPosition(Globals::CustomUpperAmber);
    // A file edited by hand may hold custom bounds the wrong way round; amber
    // then starts just above the lower bound, as the arrows would push it.
    if (updnUpper->position() <= updnLower->position())
        updnUpper->setPosition(updnLower->position() + 1);
    refreshCustomTexts();

    switch (Globals::UserLevel) {
    case 2: rdoIntermediate->setChecked(true); break;
    case 3: rdoAdvanced->setChecked(true); break;
    case 4: rdoCustom->setChecked(true); break;
    default: rdoBeginner->setChecked(true); break;
    }

    chkOpenCloseGreeting->setChecked(Globals::GreetingsOn);
    chkPracticeSound->setChecked(Globals::PracticeSoundsOn);
    chkIdleSound->setChecked(Globals::IdleMusicOn);
}

void TPrefsForm::refreshCustomTexts()
{
    const int l = updnLower->position();
    const int u = updnUpper->position();
    stxtCustomRed->setText(QStringLiteral("0 - %1").arg(l - 1));
    stxtCustomAmber->setText(QStringLiteral("%1 - %2").arg(l).arg(u));
    stxtCustomGreen->setText(QStringLiteral("%1 - 100").arg(u + 1));
}

int TPrefsForm::checkedLevel() const
{
    return rdoIntermediate->isChecked() ? 2 : rdoAdvanced->isChecked() ? 3 : rdoCustom->isChecked() ? 4 : 1;
}

void TPrefsForm::RespondToRadioButtonClick()
{
    const bool custom = rdoCustom->isChecked();
    if (custom) {
        WorkLower = quint8(updnLower->position());
        WorkUpper = quint8(updnUpper->position());
    } else {
        const Grading::Bounds bounds = Grading::levelBounds(checkedLevel());
        WorkLower = quint8(bounds.lower);
        WorkUpper = quint8(bounds.upper);
    }
    updnLower->setEnabled(custom);
    updnUpper->setEnabled(custom);
}

void TPrefsForm::updnLowerClick()
{
    WorkLower = quint8(updnLower->position());
    if (WorkLower == WorkUpper) {
        ++WorkUpper;
        updnUpper->setPosition(updnUpper->position() + 1);
    }
    refreshCustomTexts();
}

void TPrefsForm::updnUpperClick()
{
    WorkUpper = quint8(updnUpper->position());
    if (WorkUpper == WorkLower) {
        --WorkLower;
        updnLower->setPosition(updnLower->position() - 1);
    }
    refreshCustomTexts();
}

void TPrefsForm::BitBtnOKClick()
{
    if (Globals::UserDataWritable) {
        Globals::UpperAmber = WorkUpper;
        Globals::LowerAmber = WorkLower;
        Globals::CustomLowerAmber = quint8(updnLower->position());
        Globals::CustomUpperAmber = quint8(updnUpper->position());
        Globals::UserLevel = quint8(checkedLevel());
        Globals::GreetingsOn = chkOpenCloseGreeting->isChecked();
        Globals::PracticeSoundsOn = chkPracticeSound->isChecked();
        Globals::IdleMusicOn = chkIdleSound->isChecked();
        SavePreferences(this);
    }
    closeForm();
}

void TPrefsForm::BitBtnCancelClick()
{
    closeForm();
}

void TPrefsForm::btnSetColorSchemeClick()
{
    DisplaySettings::open(this, GetWindowsPlatform());
}

void TPrefsForm::popupGrading(const QPoint& pos)
{
    // The control under the mouse, or the nearest parent with a help context.
    for (QWidget* w = grpGrading->childAt(pos); w && w != grpGrading; w = w->parentWidget()) {
        if (Hints::helpContext(w) != 0) {
            popupWhatsThis->popupFor(w, grpGrading->mapToGlobal(pos));
            return;
        }
    }
}
