#include "basics/BasicsRulesForMultiplication.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "basics/DrillWidgets.h"
#include "basics/RuleDrillRules.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"
#include "shell/UpDown.h"

TBasicsRulesForMultiplicationForm::TBasicsRulesForMultiplicationForm(QWidget* parent)
    : TBasicsOptionForm(parent),
      m_source(std::make_unique<RandomNumbers>(RuleDrillRules::FirstGuess, RuleDrillRules::LastRule))
{
    setObjectName(QStringLiteral("BasicsRulesForMultiplicationForm"));
    const QRect area = drillArea();
    constexpr int numberWidth = 76;
    constexpr int equalWidth = 32;
    const int numberLeft = DrillWidgets::AreaRight - numberWidth;
    // The memo leaves the options column's width free below the options (for
    // "Practise my misses" in a large font); the longest rule still fits.
    const int memoLeft = DrillWidgets::AreaLeft + 24;

    mmoRule = new QPlainTextEdit(this);
    mmoRule->setObjectName(QStringLiteral("mmoRule"));
    mmoRule->setReadOnly(true);
    mmoRule->setFocusPolicy(Qt::NoFocus);
    mmoRule->setAccessibleName(QStringLiteral("Rule"));
    mmoRule->installEventFilter(this);
    QFont memoFont(QStringLiteral("Times New Roman"));
    memoFont.setPixelSize(19);
    mmoRule->setFont(memoFont);
    mmoRule->setGeometry(memoLeft, area.top() + 8, numberLeft - equalWidth - 8 - memoLeft, area.height() - 16);
    Hints::setHint(mmoRule, QStringLiteral("|Rules of multiplication."));

    const int rowTop = area.top() + (area.height() - DrillWidgets::BoxHeight) / 2;
    lblEqual = DrillWidgets::bigLabel(this, QStringLiteral("lblEqual"), QStringLiteral("="));
    lblEqual->setGeometry(numberLeft - equalWidth - 4, rowTop, equalWidth, DrillWidgets::BoxHeight);
    pnlNumber = DrillWidgets::bigPanel(this, QStringLiteral("pnlNumber"), QString(), QColor());
    pnlNumber->setAccessibleName(QStringLiteral("Number"));
    pnlNumber->setGeometry(numberLeft, rowTop, numberWidth, DrillWidgets::BoxHeight);

    updnRuleChanger = new UpDown(this, QStringLiteral("updnRuleChanger"));
    updnRuleChanger->setHorizontal(true);
    updnRuleChanger->setWrap(true);
    updnRuleChanger->setRange(RuleDrillRules::FirstRule, RuleDrillRules::LastRule);
    updnRuleChanger->setGeometry(numberLeft + 8, rowTop + DrillWidgets::BoxHeight + 8, numberWidth - 16, 24);
    Hints::setHint(updnRuleChanger, QStringLiteral("|Click on this previous-next button to view the next or previous rule"));
    connect(updnRuleChanger, &UpDown::clicked, this, [this] { updnRuleChangerClick(); });

    Panel* options = createOptionsPanel(QStringLiteral("pnlOptions"), area.top() + 8, 3);
    Panel* first = addOption(options, LearnRules, QStringLiteral("pnlOptLearnRules"), QStringLiteral("Learn Rules"),
                             QStringLiteral("|See all the rules."));
    addOption(options, GuessRule, QStringLiteral("pnlOptGuessRule"), QStringLiteral("Guess Rule"),
              QStringLiteral("|Number will flash, you guess the rule."));
    addOption(options, GuessNumber, QStringLiteral("pnlOptGuessNumber"), QStringLiteral("Guess Number"),
              QStringLiteral("|Rule will flash, you guess the number."));
    FormCreateScreen(ScreenId::RulesForMultiplication, first);
}

void TBasicsRulesForMultiplicationForm::setQuestionSource(std::unique_ptr<NumberSource> source)
{
    if (source)
        m_source = std::move(source);
}

int& TBasicsRulesForMultiplicationForm::current()
{
    return mode() == GuessNumber ? m_guessNumber : m_guessRule;
}

QString TBasicsRulesForMultiplicationForm::factKey(int n) const
{
    return CurrentOption ? CurrentOption->caption() + QLatin1Char(' ') + QString::number(n) : QString();
}

QStringList TBasicsRulesForMultiplicationForm::ReviewFacts()
{
    QStringList keys;
    if (mode() != LearnRules) {
        for (int n = RuleDrillRules::FirstGuess; n <= RuleDrillRules::LastRule; ++n)
            keys << factKey(n);
    }
    return keys;
}

QString TBasicsRulesForMultiplicationForm::FactKey() const
{
    return factKey(current());
}

void TBasicsRulesForMultiplicationForm::showRule(int n)
{
    mmoRule->setPlainText(RuleDrillRules::memoText(n));
}

void TBasicsRulesForMultiplicationForm::showNumber(int n)
{
    pnlNumber->setCaption(QString::number(n));
}

void TBasicsRulesForMultiplicationForm::updnRuleChangerClick()
{
    showNumber(updnRuleChanger->position());
    showRule(updnRuleChanger->position());
}

void TBasicsRulesForMultiplicationForm::NewQuestion()
{
    if (mode() != LearnRules)
        current() = m_source->next(current());
}

void TBasicsRulesForMultiplicationForm::ShowQuestion()
{
    if (mode() == GuessRule) {
        showNumber(current());
        ClearQuestion();
    } else if (mode() == GuessNumber) {
        showRule(current());
        ClearAnswer();
    }
}

void TBasicsRulesForMultiplicationForm::ClearQuestion()
{
    mmoRule->clear();
}

void TBasicsRulesForMultiplicationForm::ShowAnswer()
{
    if (mode() == GuessRule)
        showRule(current());
    else if (mode() == GuessNumber)
        showNumber(current());
}

void TBasicsRulesForMultiplicationForm::ClearAnswer()
{
    pnlNumber->setCaption(QString());
}

void TBasicsRulesForMultiplicationForm::ApplyOption()
{
    const bool learning = mode() == LearnRules;
    updnRuleChanger->setVisible(learning);
    setPlayable(!learning);
    setFormHint(learning ? QStringLiteral("|Press previous-next button to see rules") : Strings::text(Strings::HintPressPlay));
    // Under "Guess Rule" the number is the question.
    pnlNumber->setColor(mode() == GuessRule ? SysColors::Lime : QColor());
}

bool TBasicsRulesForMultiplicationForm::eventFilter(QObject* watched, QEvent* event)
{
    // mmoRuleEnter: the memo never keeps the focus, so keys reach the screen.
    if (watched == mmoRule && event->type() == QEvent::FocusIn) {
        setFocus();
        return false;
    }
    return TBasicsOptionForm::eventFilter(watched, event);
}
