#include "practice/PractiseMultiply2FingerMethod.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "practice/BoxFactory.h"
#include "practice/PracticeHelp.h"
#include "shell/Panel.h"
#include "shell/Hints.h"
#include "shell/WhatsThisMenu.h"

using Rules = MultiplyTwoFingerRules;
using LM = LongMultiplicationRules;

namespace {

constexpr int MultiplierLeft = 425;
constexpr int UtTop = 153;

const TPractiseLongMultiplicationForm::Layout TwoFingerLayout = {
    348, 127, 395, MultiplierLeft, 179, 191, 206, 241, 256, Rules::columnCount(Rules::MaxMultiplierDigits),
    &Rules::columnCount, {313, 22, 237, 32}};

} // namespace

TPractiseMultiply2FingerMethodForm::TPractiseMultiply2FingerMethodForm(QWidget* parent)
    : TPractiseLongMultiplicationForm(TwoFingerLayout, parent)
{
    setObjectName(QStringLiteral("PractiseMultiply2FingerMethodForm"));
    AddDigitOptions(Rules::options(), [](int) { return QString(); });
    createDigitRange();
    createUtRow();

    chkHideMentalBoxes->setText(QStringLiteral("Hide &UT Panels"));
    Hints::setHint(chkHideMentalBoxes, QStringLiteral("|To improve, hide the UT panels and practise."));
    Hints::setHelpContext(chkHideMentalBoxes, PracticeHelp::HideUtPanels);
    connect(chkShowHint, &QCheckBox::clicked, this, [this] { setUtHintsShown(chkShowHint->isChecked()); });

    CurrentOption = DigitButton(1);
    SetUpScreen({ScreenId::MultiplyTwoFinger, PracticeHelp::LegendMultiply,
                 CarryPairEntry, RightToLeft});
    ResetWorkingPanels();
}

// ---------------------------------------------------------------- layout

void TPractiseMultiply2FingerMethodForm::createDigitRange()
{
    pnlOptDigits = new Panel(this, QStringLiteral("pnlOptDigits"));
    pnlOptDigits->setGeometry(217, 22, 92, 33);
    pnlOptDigits->setBevelOuter(Panel::Bevel::Lowered);
    Hints::setHint(pnlOptDigits, Rules::digitsPanelHint());
    Hints::setHelpContext(pnlOptDigits, PracticeHelp::DigitRange);
    popupWhatsThis->attach(pnlOptDigits);

    auto* lblDigits = new QLabel(QStringLiteral("Numbers from"), pnlOptDigits);
    lblDigits->setObjectName(QStringLiteral("lblDigits"));
    lblDigits->setGeometry(4, 1, 84, 14);
    for (const Rules::Range& r : Rules::ranges()) {
        const int left = r.range == DigitRange::OneToFive ? 2 : 46;
        auto* radio = new QRadioButton(pnlOptDigits);
        radio->setObjectName(r.button);
        radio->setGeometry(left, 16, 15, 15);
        radio->setChecked(r.range == m_range);
        radio->setAccessibleName(r.caption); // its caption is the panel beside it
        auto* label = new Panel(pnlOptDigits, r.label);
        label->setGeometry(left + 15, 15, 29, 16);
        label->setBevelOuter(Panel::Bevel::None);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFontSpec(QStringLiteral("Arial"), 11, false);
        label->setCaption(r.caption);
        for (QWidget* w : {static_cast<QWidget*>(radio), static_cast<QWidget*>(label)}) {
            Hints::setHint(w, r.hint);
            Hints::setHelpContext(w, PracticeHelp::DigitRange);
            popupWhatsThis->attach(w);
        }
        const DigitRange range = r.range;
        connect(radio, &QRadioButton::clicked, this, [this, range] {
            selectRange(range);
            setFocus();
        });
        connect(label, &Panel::clicked, this, [this, range] { selectRange(range); });
        (range == DigitRange::OneToFive ? rdo1To5 : rdo1To9) = radio;
    }
}

void TPractiseMultiply2FingerMethodForm::createUtRow()
{
    pnlUT = new Panel(this, QStringLiteral("pnlUT"));
    pnlUT->setGeometry(MultiplierLeft, UtTop, 130, 19);
    pnlUT->setBevelOuter(Panel::Bevel::None);
    for (int i = 0; i < LM::MaxMultiplierDigits; ++i) {
        auto* ut = new Panel(pnlUT, Rules::utPanel(i));
        ut->setGeometry(BoxFactory::Step * i, 1, BoxFactory::BoxSize, 17);
        ut->setFontSpec(QStringLiteral("Arial"), 10, true);
        ut->setBevelOuter(Panel::Bevel::Raised);
        m_ut.append(ut);
    }
}

// ---------------------------------------------------------------- options and range

void TPractiseMultiply2FingerMethodForm::selectRange(DigitRange range)
{
    m_range = range;
    rdo1To5->setChecked(range == DigitRange::OneToFive);
    rdo1To9->setChecked(range == DigitRange::OneToNine);
    SelectBestTime();
    if (State != Playing) {
        ShowBestTime();
        return;
    }
    ShowBestTimeOnStopwatch();
}

// A question with a digit above 5 does not belong to the 1-5 range.
bool TPractiseMultiply2FingerMethodForm::QuestionFitsOptions()
{
    return TPractiseLongMultiplicationForm::QuestionFitsOptions() && Rules::rangeFor(m_question, m_range) == m_range;
}

QStringList TPractiseMultiply2FingerMethodForm::BestTimeKeys() const
{
    return PracticeMethods::bestTimeKeys(Rules::bestTimes());
}

QString TPractiseMultiply2FingerMethodForm::BestTimeKey() const
{
    return Rules::bestTimeKey(selectedDigits(), m_range);
}

void TPractiseMultiply2FingerMethodForm::HideOptionPanels()
{
    TPractiseLongMultiplicationForm::HideOptionPanels();
    pnlOptDigits->hide();
}

void TPractiseMultiply2FingerMethodForm::ShowOptionPanels()
{
    TPractiseLongMultiplicationForm::ShowOptionPanels();
    pnlOptDigits->show();
}

void TPractiseMultiply2FingerMethodForm::BitBtnRewindClick()
{
    selectRange(m_playedRange);
    TPractiseLongMultiplicationForm::BitBtnRewindClick();
}

// ---------------------------------------------------------------- the problem

void TPractiseMultiply2FingerMethodForm::NewQuestion()
{
    NextQuestion<Rules>(
        [this] { return Rules::draw(QuestionSource::generator(), selectedDigits(), m_range, &m_question); });
    // A typed question with a digit outside the range is played in 1-9.
    if (const DigitRange fits = Rules::rangeFor(m_question, m_range); fits != m_range)
        selectRange(fits);
}

WorkedProblem TPractiseMultiply2FingerMethodForm::SolveQuestion()
{
    return Rules::solve(m_question);
}

void TPractiseMultiply2FingerMethodForm::BuildWorkingPanels()
{
    m_playedRange = m_range;
    TPractiseLongMultiplicationForm::BuildWorkingPanels();
}

void TPractiseMultiply2FingerMethodForm::CheckWorkingPanels()
{
    pnlUT->move(MultiplierLeft, UtTop);
    for (Panel* ut : std::as_const(m_ut)) {
        ut->setCaption(QString());
        SetWorkingPanelHint(ut, QString());
    }
    Hints::setHint(pnlUT, QString());
    TPractiseLongMultiplicationForm::CheckWorkingPanels();
}

// ---------------------------------------------------------------- the UT row

void TPractiseMultiply2FingerMethodForm::ShowColumns(int digits)
{
    TPractiseLongMultiplicationForm::ShowColumns(digits);
    for (int i = 0; i < m_ut.size(); ++i)
        m_ut[i]->setVisible(i < digits);
}

void TPractiseMultiply2FingerMethodForm::RefreshHighlight()
{
    TPractiseLongMultiplicationForm::RefreshHighlight();
    showUtRow();
}

// The row stands under the current column: UT panel i under the two digits
// that multiplier digit i works on.
void TPractiseMultiply2FingerMethodForm::showUtRow()
{
    if (State == Idle || CurrentIndex < 0 || CurrentIndex >= Problem.boxes.size())
        return;
    pnlUT->move(ColumnLeft(CurrentIndex) + 12, UtTop);
    const QList<Rules::UtPanel> row = Rules::utRow(m_question, CurrentIndex);
    for (int i = 0; i < m_ut.size(); ++i) {
        const Rules::UtPanel ut = row.value(i);
        m_ut[i]->setCaption(ut.caption);
        SetWorkingPanelHint(m_ut[i], ut.hint);
    }
}

void TPractiseMultiply2FingerMethodForm::setUtHintsShown(bool shown)
{
    SetPanelHintShown(pnlUT, shown);
    for (Panel* ut : std::as_const(m_ut))
        SetPanelHintShown(ut, shown);
}

// "Hide UT Panels": the row comes and goes.
void TPractiseMultiply2FingerMethodForm::chkHideMentalBoxesClick()
{
    pnlUT->setVisible(!chkHideMentalBoxes->isChecked());
    setFocus();
}
