#include "records/Scores.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Rtf.h"
#include "records/MarksheetRules.h"
#include "records/ProgressHelp.h"
#include "records/ProgressWindow.h"
#include "shell/Globals.h"
#include "shell/ScreenSettings.h"

namespace {
constexpr int SaveHelpContext = 80110;
}

TScoresForm::TScoresForm(QWidget* parent)
    : ReportWindow(QStringLiteral("ScoresForm"), QStringLiteral("Performance Report"), parent)
{
    QPushButton* save = addButton(QStringLiteral("bitbtnSave"), QStringLiteral("&Save..."),
                                  QStringLiteral("Saves the marksheet into a file."), SaveHelpContext,
                                  style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(save, &QPushButton::clicked, this, &TScoresForm::bitbtnSaveClick);
    QPushButton* progress = addButton(QStringLiteral("bitbtnProgress"), QStringLiteral("&Progress"),
                                      QStringLiteral("Shows your practice history: figures and charts over time."),
                                      ProgressHelp::Open, QIcon());
    connect(progress, &QPushButton::clicked, this, [this] { ProgressWindow::open(this); });
    FormCreate();
}

void TScoresForm::FormCreate()
{
    // Counts of a screen never used, or of a learner without a file, are 0.
    QHash<QString, ScoreCounts> counts;
    ScreenSettings::load(this, [&counts](const IniFile& ini) {
        for (const MarksheetRules::Row& row : MarksheetRules::rows()) {
            counts.insert(row.section, {ini.readInteger(row.section, QStringLiteral("Correct"), 0),
                                        ini.readInteger(row.section, QStringLiteral("Total"), 0)});
        }
    });
    fillDocument(rtfScores()->document(),
                 MarksheetRules::build(Globals::UserName, dateText(),
                                       [&counts](const QString& section) { return counts.value(section); }));
    showFromStart();
}

QString TScoresForm::dateText()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

void TScoresForm::fillDocument(QTextDocument* doc, const QList<MarksheetParagraph>& paragraphs)
{
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    bool first = true;
    for (const MarksheetParagraph& p : paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(p.alignment);
        QTextCharFormat chars;
        chars.setFontFamilies({p.family});
        chars.setFontPointSize(p.points);
        chars.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
        // The paragraph mark takes the format too: an empty line is as high
        // as its font.
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(chars);
            first = false;
        } else {
            cursor.insertBlock(block, chars);
        }
        cursor.insertText(p.text, chars);
    }
    cursor.endEditBlock();
}

void TScoresForm::bitbtnSaveClick()
{
    const QString fileName = Dialogs::current().saveFile(
        this, QString(), QStringLiteral("Rich Text Format (*.rtf)"),
        QStringLiteral("rtf"), QStringLiteral("Vandrelsholm ") + Globals::UserName);
    if (fileName.isEmpty())
        return;
    QString error;
    if (!Rtf::save(*rtfScores()->document(), fileName, &error))
        Dialogs::current().error(this, error);
}
