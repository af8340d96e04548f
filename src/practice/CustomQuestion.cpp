#include "practice/CustomQuestion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

#include "platform/Dialogs.h"
#include "practice/BoxFactory.h"
#include "practice/RootSign.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/Strings.h"
#include "shell/SysColors.h"

namespace {

constexpr int BoxTop = 47;
constexpr int BoxSize = BoxFactory::BoxSize;
constexpr int BoxStep = BoxFactory::Step;
constexpr int QuestionBox0Left = 199;
constexpr int OperatorBox0Left = 385;
constexpr int ButtonTop = 113;
constexpr int OkLeft = 77;
constexpr int OkLeftWithOperator = 263;
constexpr int CancelOffset = 80;

Panel* makeBox(QWidget* parent, const QString& name, int left)
{
    auto* box = new Panel(parent, name);
    box->setGeometry(left, BoxTop, BoxSize, BoxSize);
    box->setFontSpec(QStringLiteral("Arial"), 16, true);
    box->setBevelOuter(Panel::Bevel::Lowered);
    Hints::setHint(box, QStringLiteral("Enter your question below|"));
    return box;
}

// An options panel holding one lime option button in its middle.
Panel* makeOption(QWidget* parent, const QString& panelName, const QString& buttonName, const QRect& place,
                  Panel** button)
{
    auto* panel = new Panel(parent, panelName);
    panel->setGeometry(place);
    *button = new Panel(panel, buttonName);
    (*button)->setGeometry((place.width() - 64) / 2, 5, 64, place.height() - 10);
    (*button)->setFontSpec(QStringLiteral("Arial"), 13, true);
    styleOptionButton(*button, true);
    Hints::setHint(panel, Strings::text(Strings::CustomOptionHint));
    Hints::setHint(*button, Strings::text(Strings::CustomOptionHint));
    return panel;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, const QRect& place)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(14);
    edit->setFont(f);
    return edit;
}

void makeEnterLabel(QWidget* parent, const QString& name, int right)
{
    auto* label = new QLabel(QStringLiteral("Enter : "), parent);
    label->setObjectName(name);
    label->setGeometry(right - 60, 80, 60, 21);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// Leading blanks go silently; after them only the digits 1..9 stay. The
// number of characters dropped before the caret is counted so that the caret
// can stay where the learner left it.
struct Filtered {
    QString kept;
    int rejected = 0;
    int rejectedBeforeCaret = 0;
    int blanksRemoved = 0;
};

Filtered filterDigits(const QString& text, int caret)
{
    Filtered f;
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    f.blanksRemoved = int(start);
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) {
            if (f.kept.size() < Globals::CustomTextLimit)
                f.kept += c;
        } else {
            ++f.rejected;
            if (i < caret)
                ++f.rejectedBeforeCaret;
        }
    }
    return f;
}

} // namespace

TCustomQuestionForm::TCustomQuestionForm(QWidget* parent) : QDialog(parent)
{
    FormCreate();
}

void TCustomQuestionForm::FormCreate()
{
    setObjectName(QStringLiteral("CustomQuestionForm"));
    Dialogs::useDialogFrame(this);
    setWindowTitle(Strings::text(Strings::CustomQuestionCaption));
    setFixedSize(ClientWidth, ClientHeight);

    m_optionsQuestion = makeOption(this, QStringLiteral("PnlOptionsQuestion"), QStringLiteral("pnlOptQuestionDigit"),
                                   QRect(17, 2, 207, 40), &m_optQuestionDigit);
    m_optionsOperator = makeOption(this, QStringLiteral("pnlOptionsOperator"), QStringLiteral("pnlOptOperatorDigit"),
                                   QRect(281, 2, 129, 40), &m_optOperatorDigit);

    for (int i = 0; i < MaxQuestionWidth; ++i) {
        Panel* box = makeBox(this, QStringLiteral("pnlQuestion%1").arg(i), QuestionBox0Left - BoxStep * i);
        connect(box, &Panel::clicked, this, [this] { focusGroupEdit(m_question); });
        m_question.boxes.append(box);
    }
    for (int i = 0; i < MaxOperatorWidth; ++i) {
        Panel* box = makeBox(this, QStringLiteral("pnlOperator%1").arg(i), OperatorBox0Left - BoxStep * i);
        connect(box, &Panel::clicked, this, [this] { focusGroupEdit(m_operator); });
        m_operator.boxes.append(box);
    }
    for (Panel* box : m_question.boxes + m_operator.boxes) {
        box->setCaption(QString());
        box->setColor(SysColors::buttonFace());
        box->setFontColor(SysColors::windowText());
    }

    m_operatorSign = new QLabel(QStringLiteral("?"), this);
    m_operatorSign->setObjectName(QStringLiteral("lblOperatorSign"));
    m_operatorSign->setGeometry(247, 50, 25, 22);
    QFont signFont(QStringLiteral("Arial"));
    signFont.setPixelSize(19);
    signFont.setBold(true);
    m_operatorSign->setFont(signFont);

    m_rootSign = new RootSign(this);
    m_rootSign->hide();

    makeEnterLabel(this, QStringLiteral("lblEnterQuestion"), 121);
    m_question.edit = makeEdit(this, QStringLiteral("edtQuestion"), QRect(121, 80, 103, 21));
    makeEnterLabel(this, QStringLiteral("lblEnterOperator"), 332);
    m_operator.edit = makeEdit(this, QStringLiteral("edtOperator"), QRect(332, 80, 78, 21));
    m_operator.edit->setEnabled(false);
    for (QLineEdit* edit : {m_question.edit, m_operator.edit})
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { edtQuestionChange(edit); });

    m_ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtnOK"));
    m_ok->setGeometry(OkLeft, ButtonTop, 67, 25);
    m_ok->setEnabled(false);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TCustomQuestionForm::BitBtnOKClick);

    m_cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("BitBtnCancel"));
    m_cancel->setGeometry(OkLeft + CancelOffset, ButtonTop, 67, 25);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    configure(Setup());
}

bool TCustomQuestionForm::ask(QWidget* parent, const Setup& setup)
{
    QPointer<TCustomQuestionForm> dialog = new TCustomQuestionForm(parent);
    dialog->configure(setup);
    dialog->Prepare();
    const bool ok = dialog->exec() == QDialog::Accepted;
    delete dialog;
    return ok;
}

void TCustomQuestionForm::configure(const Setup& setup)
{
    m_setup = setup;
    m_setup.questionWidth = std::clamp(setup.questionWidth, 1, MaxQuestionWidth);
    m_setup.operatorWidth = setup.usesOperator ? std::clamp(setup.operatorWidth, 1, MaxOperatorWidth) : 0;
    m_question.width = m_setup.questionWidth;
    m_operator.width = m_setup.operatorWidth;

    m_question.edit->setMaxLength(m_question.width);
    m_operator.edit->setEnabled(m_setup.usesOperator);
    m_operator.edit->setMaxLength(std::max(m_operator.width, 1));
    m_operatorSign->setText(m_setup.usesOperator && !m_setup.operatorSign.isEmpty() ? m_setup.operatorSign
                                                                                    : QStringLiteral("?"));
    const int okLeft = m_setup.usesOperator ? OkLeftWithOperator : OkLeft;
    m_ok->move(okLeft, ButtonTop);
    m_cancel->move(okLeft + CancelOffset, ButtonTop);
    m_optionsQuestion->setVisible(m_setup.showQuestionOption);
}

void TCustomQuestionForm::Prepare()
{
    m_rootSign->setVisible(m_setup.showRootSign);
    if (m_setup.showRootSign) {
        const int left = QuestionBox0Left - BoxStep * (m_question.width - 1) - 15;
        m_rootSign->setGeometry(left, BoxTop - 5, QuestionBox0Left + BoxSize - left + 2, BoxSize + 7);
        m_rootSign->raise();
    }
    m_optQuestionDigit->setCaption(m_setup.questionOptionText.left(Globals::CustomTextLimit));
    for (int i = 0; i < m_question.width; ++i)
        m_question.boxes.at(i)->setColor(SysColors::window());
    if (m_setup.usesOperator) {
        m_optOperatorDigit->setCaption(m_setup.operatorOptionText.left(Globals::CustomTextLimit));
        for (int i = 0; i < m_operator.width; ++i)
            m_operator.boxes.at(i)->setColor(SysColors::window());
    } else {
        m_operatorSign->hide();
        setFixedSize(QuestionOnlyWidth, ClientHeight);
    }
    m_question.edit->setFocus();
}

QString TCustomQuestionForm::questionText() const
{
    return m_question.edit->text();
}

QString TCustomQuestionForm::operatorText() const
{
    return m_operator.edit->text();
}

TCustomQuestionForm::Group& TCustomQuestionForm::groupOf(QLineEdit* edit)
{
    return edit == m_operator.edit ? m_operator : m_question;
}

void TCustomQuestionForm::edtQuestionChange(QLineEdit* edit)
{
    // Putting the cleaned text back changes the edit again; that change has
    // nothing left to clean.
    if (m_filtering)
        return;
    Group& group = groupOf(edit);
    for (Panel* box : group.boxes)
        box->setCaption(QString());
    const int caret = edit->cursorPosition();
    const Filtered f = filterDigits(edit->text(), caret);

    m_filtering = true;
    if (f.kept.isEmpty() && f.rejected == 0) {
        if (!edit->text().isEmpty())
            edit->setText(QString());
        m_filtering = false;
        m_ok->setEnabled(false);
        return;
    }
    for (int i = 0; i < f.rejected; ++i)
        Dialogs::current().error(this, Strings::text(Strings::CustomDigitsOnly));
    if (edit->text() != f.kept) {
        edit->setText(f.kept);
        edit->setCursorPosition(std::max(0, caret - f.blanksRemoved - f.rejectedBeforeCaret));
    }
    m_filtering = false;

    showDigits(group);
    if (f.kept.isEmpty()) {
        m_ok->setEnabled(false);
        return;
    }
    Validate(edit);
}

void TCustomQuestionForm::showDigits(Group& group)
{
    const QString text = group.edit->text();
    for (qsizetype i = 0; i < text.size() && i < group.boxes.size(); ++i)
        group.boxes.at(i)->setCaption(text.at(text.size() - 1 - i));
}

void TCustomQuestionForm::Validate(QLineEdit* edit)
{
    const bool questionDone = m_question.edit->text().size() == m_question.width;
    if (!m_setup.usesOperator) {
        m_ok->setEnabled(questionDone);
        if (questionDone)
            m_ok->setFocus();
        return;
    }
    const bool operatorDone = m_operator.edit->text().size() == m_operator.width;
    if (questionDone && operatorDone) {
        m_ok->setEnabled(true);
        m_ok->setFocus();
        return;
    }
    m_ok->setEnabled(false);
    if (edit == m_question.edit && questionDone)
        m_operator.edit->setFocus();
    else if (edit == m_operator.edit && operatorDone)
        m_question.edit->setFocus();
}

void TCustomQuestionForm::focusGroupEdit(Group& group)
{
    Dialogs::current().beep();
    if (!group.edit->isEnabled())
        return;
    group.edit->setFocus();
    group.edit->setCursorPosition(int(group.edit->text().size()));
}

void TCustomQuestionForm::BitBtnOKClick()
{
    Globals::CustomQuestion = questionText().left(Globals::CustomTextLimit);
    Globals::CustomOperator = m_setup.usesOperator ? operatorText().left(Globals::CustomTextLimit) : QString();
    accept();
}
