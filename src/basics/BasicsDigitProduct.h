#pragma once

#include <QList>

#include "basics/BasicsOptionForm.h"
#include "basics/UnitTenRules.h"

class QCheckBox;
class QLabel;

// What the units-and-tens and the numbers-and-tens drills share: a left
// digit a, a right digit b, the part asked, the multiplier m, "=" and the
// answer in a row; the letters over the two digits with the check box that
// shows or hides them; the row of the two products under the digits; and the
// sum the answer adds, in the status bar. A drill builds them in its
// constructor, adds its options and ends with FormCreateScreen().
class TBasicsDigitProductForm : public TBasicsSourcedForm<UnitTenQuestion, UnitTenAsk>
{
    Q_OBJECT
protected:
    explicit TBasicsDigitProductForm(QWidget* parent = nullptr);

    // The names of the row's controls, left to right.
    struct RowNames {
        QString left, right, part, multiplier;
    };
    // The question row; the answer panel is answerWidth wide.
    void createDigitRow(const RowNames& names, const QString& partCaption, int answerWidth);
    // Over the two digits: the letter leftLetter (label leftName) over a and
    // "T" (lblT) over b, with the check box chkNT that shows or hides them.
    void createLetters(const QString& panelName, const QString& leftName, const QString& leftLetter,
                       const QString& checkHint, int helpContext);
    // Under the digits: labels in a row, each with its fixed text (empty
    // for the labels that show a product's digits). Returns them in order.
    struct ProductLabel {
        QString name;
        QString text;
        int width;
    };
    QList<QLabel*> createProductRow(const QString& panelName, const QList<ProductLabel>& labels);

    void ShowQuestion() override;
    void ClearQuestion() override;
    // The answer and the status line; a drill adds its product row.
    void ShowAnswer() override;
    void ClearAnswer() override;

    Panel* pnlLeft = nullptr;
    Panel* pnlRight = nullptr;
    QLabel* lblPart = nullptr;
    Panel* pnlMultiplier = nullptr;
    QLabel* lblEqual = nullptr;
    Panel* pnlAnswer = nullptr;
    Panel* pnlLetters = nullptr;
    QCheckBox* chkNT = nullptr;
    Panel* pnlProducts = nullptr;

private:
    QString m_statusLine; // the sum the status bar shows, if any
};
