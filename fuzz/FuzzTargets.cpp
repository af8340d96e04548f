#include "FuzzTargets.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <memory>

#include "app/HelpFile.h"
#include "basics/ReviewFile.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Rtf.h"
#include "practice/CustomQuestion.h"
#include "practice/MultiplyBasicRules.h"
#include "practice/PracticeMethods.h"
#include "records/HistoryFile.h"
#include "records/HistoryRules.h"
#include "records/OpenReport.h"
#include "shell/Globals.h"
#include "shell/Panel.h"
#include "shell/UserStore.h"
#include "tools/WorksheetCommand.h"

namespace {

// Boxes are counted, never shown.
class QuietDialogs : public Dialogs
{
public:
    QuietDialogs() { Dialogs::install(this); }
    ~QuietDialogs() override { Dialogs::install(nullptr); }
    void error(QWidget*, const QString&) override { ++errors; }
    void information(QWidget*, const QString&) override {}
    bool confirm(QWidget*, const QString&) override { return false; }
    void beep() override {}
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
    bool print(QWidget*, QPrinter&) override { return false; }
    bool printerSetup(QWidget*, QPrinter&) override { return false; }
    int errors = 0;
};

// Files of the readers go to memory where the system has it (/dev/shm).
QTemporaryDir& scratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/vsm-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + QStringLiteral("/vsm-fuzz-XXXXXX"));
    return dir;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What an ini file says: the first sections and keys and their texts.
QStringList snapshot(const IniFile& ini)
{
    QStringList said;
    const QStringList sections = ini.sections();
    for (const QString& section : sections.mid(0, 20)) {
        said << QLatin1Char('[') + section + QLatin1Char(']');
        const QStringList keys = ini.keys(section);
        for (const QString& key : keys.mid(0, 20))
            said << key + QLatin1Char('=') + ini.readString(section, key);
    }
    return said;
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text.left(200) + QLatin1Char('"');
}

// The count a worksheet command line asks for, 0 when none.
qint64 countAskedFor(const QStringList& args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1String("--count=")))
            return args[i].mid(8).toLongLong();
        if (args[i] == QLatin1String("--count") && i + 1 < args.size())
            return args[i + 1].toLongLong();
    }
    return 0;
}

} // namespace

namespace FuzzTargets {

void initialise()
{
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    scratch();
}

QString ini(const QByteArray& bytes)
{
    const QString path = scratch().filePath(QStringLiteral("Learner.ini"));
    if (!writeFile(path, bytes))
        return QStringLiteral("the scratch file could not be written");
    IniFile file(path);
    if (file.readFailed())
        return file.errorString().isEmpty() ? QStringLiteral("a read failed without a reason") : QString();
    const QStringList said = snapshot(file);
    for (const QString& section : file.sections().mid(0, 20)) {
        for (const QString& key : file.keys(section).mid(0, 20)) {
            file.readInteger(section, key, 0);
            file.readBool(section, key, false);
            file.readTime(section, key, 0);
        }
    }
    if (!file.save()) {
        if (file.errorString().isEmpty())
            return QStringLiteral("a save failed without a reason");
        return readFile(path) == bytes ? QString() : QStringLiteral("a refused save changed the file");
    }
    const QByteArray saved = readFile(path);
    if (saved.size() > IniFile::kMaxFileSize)
        return QStringLiteral("a save wrote more than is read back");
    IniFile again(path);
    if (again.readFailed())
        return QStringLiteral("the saved file cannot be read: ") + again.errorString();
    if (snapshot(again) != said)
        return QStringLiteral("saving changed what the file says: %1 became %2")
            .arg(quoted(said.join(u'|')), quoted(snapshot(again).join(u'|')));
    if (!again.save() || readFile(path) != saved)
        return QStringLiteral("a second save changed the file");

    // Two writes read back; nothing else changes.
    const QString section = said.isEmpty() ? QStringLiteral("Fuzz") : said.first().mid(1).chopped(1);
    again.writeInteger(QStringLiteral("Fuzz"), QStringLiteral("Total"), 7);
    again.writeString(section, QStringLiteral("Text"), QStringLiteral(" a \"b\" "));
    if (!again.save())
        return again.errorString().isEmpty() ? QStringLiteral("a save failed without a reason") : QString();
    const IniFile third(path);
    if (third.readInteger(QStringLiteral("Fuzz"), QStringLiteral("Total"), 0) != 7
        || third.readString(section, QStringLiteral("Text")) != QStringLiteral(" a \"b\" "))
        return QStringLiteral("a written value did not read back");
    const auto same = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    for (const QString& name : file.sections().mid(0, 20)) {
        for (const QString& key : file.keys(name).mid(0, 20)) {
            if ((same(name, QStringLiteral("Fuzz")) && same(key, QStringLiteral("Total")))
                || (same(name, section) && same(key, QStringLiteral("Text"))))
                continue;
            if (third.readString(name, key, QStringLiteral("<gone>")) != file.readString(name, key))
                return QStringLiteral("a write changed [%1] %2").arg(name, key);
        }
    }
    return QString();
}

QString nameList(const QByteArray& bytes)
{
    const QString previousFolder = Globals::UsersFolder;
    Globals::UsersFolder = scratch().path();
    const auto done = [&](const QString& result) {
        Globals::UsersFolder = previousFolder;
        return result;
    };
    const QString path = UserStore::nameListFile();
    if (!writeFile(path, bytes))
        return done(QStringLiteral("the scratch file could not be written"));
    UserStore store;
    QString error;
    if (store.loadNames(&error) != UserStore::LoadResult::Loaded)
        return done(error.isEmpty() ? QStringLiteral("a read failed without a reason") : QString());
    const QStringList names = store.names();
    for (const QString& name : names) {
        if (!UserStore::checkName(name).ok())
            return done(QStringLiteral("an unusable name is offered: ") + quoted(name));
    }
    if (!std::is_sorted(names.cbegin(), names.cend(), UserStore::nameLessThan))
        return done(QStringLiteral("the names are not in list order"));
    if (QSet<QString>(names.cbegin(), names.cend()).size() != names.size())
        return done(QStringLiteral("a name is offered twice"));
    if (!store.saveNames(&error)) {
        if (error.isEmpty())
            return done(QStringLiteral("a save failed without a reason"));
        return done(readFile(path) == bytes ? QString() : QStringLiteral("a refused save changed the list"));
    }
    UserStore again;
    if (again.loadNames(&error) != UserStore::LoadResult::Loaded || again.names() != names
        || again.keptLines() != store.keptLines())
        return done(QStringLiteral("the saved list reads back otherwise: ") + error);
    const QString added = QStringLiteral("Fuzz Learner");
    again.addName(added);
    if (!again.saveNames(&error))
        return done(error.isEmpty() ? QStringLiteral("a save failed without a reason") : QString());
    UserStore third;
    if (third.loadNames(&error) != UserStore::LoadResult::Loaded || third.indexOf(added) < 0)
        return done(QStringLiteral("an added learner is missing from the list"));
    return done(QString());
}

QString rtf(const QByteArray& bytes)
{
    // The viewer's own box: no line wrapping, its font.
    static TOpenReportForm* viewer = new TOpenReportForm;
    QTextEdit* box = viewer->rtfScores();
    const QString sentinel = QStringLiteral("sentinel");
    box->setPlainText(sentinel);
    QString error;
    if (!Rtf::read(bytes, box->document(), &error)) {
        if (error.isEmpty())
            return QStringLiteral("a refusal without a reason");
        return box->toPlainText() == sentinel ? QString() : QStringLiteral("a refused file changed the box");
    }
    box->document()->documentLayout()->documentSize();   // lays the whole document out
    QTextDocument back;
    if (!Rtf::read(Rtf::write(*box->document()), &back, &error))
        return QStringLiteral("what was read cannot be written and read again: ") + error;
    if (back.toPlainText() != box->toPlainText())
        return QStringLiteral("what was read reads back otherwise: %1 became %2")
            .arg(quoted(box->toPlainText()), quoted(back.toPlainText()));
    return QString();
}

QString help(const QByteArray& bytes)
{
    QString error;
    const std::shared_ptr<const HelpFile> file = HelpFile::parse(bytes, &error);
    if (!file)
        return error.isEmpty() ? QStringLiteral("a refusal without a reason") : QString();
    QTextDocument page;
    for (const HelpFile::Topic& topic : file->topics()) {
        page.setHtml(file->topicHtml(topic));
        if (!file->popupHtml(topic.number))
            return QStringLiteral("no pop-up for topic %1").arg(topic.number);
        if (!topic.jumpId.isEmpty() && file->topicByJumpId(topic.jumpId) != &topic)
            return QStringLiteral("jump identifier %1 leads elsewhere").arg(topic.jumpId);
    }
    for (const HelpFile::ContentsEntry& entry : file->contents()) {
        if (entry.heading.isEmpty() && !file->topic(entry.topic))
            return QStringLiteral("the contents list topic %1, which is none").arg(entry.topic);
    }
    page.setHtml(file->contentsHtml());
    return QString();
}

QString worksheet(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    const QStringList args = text.split(u'\n');
    // The work asked for grows with the count; a large count is no finding.
    if (countAskedFor(args) <= 100) {
        const Worksheet::Outcome outcome = Worksheet::run(args);
        if (outcome.exitCode == 0 && (outcome.out.isEmpty() || !outcome.error.isEmpty()))
            return QStringLiteral("success without output, or with an error");
        if (outcome.exitCode != 0
            && (outcome.exitCode != 2 || !outcome.out.isEmpty() || outcome.error.isEmpty()
                || outcome.error.contains(u'\n')))
            return QStringLiteral("a refusal that is not exit code 2 and one line: ") + quoted(outcome.error);
        // --help prints the usage whatever else is asked.
        if (outcome.exitCode == 0 && args.contains(QLatin1String("--json")) && !args.contains(QLatin1String("--help"))) {
            for (const QByteArray& line : outcome.out.trimmed().split('\n')) {
                QJsonParseError parsed;
                QJsonDocument::fromJson(line, &parsed);
                if (parsed.error != QJsonParseError::NoError)
                    return QStringLiteral("a line that is no JSON: ") + quoted(QString::fromUtf8(line));
            }
        }
    }
    // The whole text as a question of each method: solved, its own question
    // gives the same solution again.
    for (const PracticeMethod& method : PracticeMethods::all()) {
        const ParseResult<WorkedProblem> solved = method.solve(text);
        if (!solved.ok()) {
            if (solved.error.isEmpty())
                return QStringLiteral("%1 refused a question without a reason").arg(method.name);
            continue;
        }
        const QByteArray line = WorkedProblemWriter::toJsonLine(*solved.question);
        const ParseResult<WorkedProblem> again = method.solve(solved.question->question);
        if (!again.ok() || WorkedProblemWriter::toJsonLine(*again.question) != line)
            return QStringLiteral("%1: the question %2 does not solve the same again")
                .arg(method.name, quoted(solved.question->question));
    }
    return QString();
}

QString customQuestion(const QByteArray& bytes)
{
    if (bytes.size() < 2)
        return QString();
    QuietDialogs dialogs;
    TCustomQuestionForm::Setup setup;
    setup.questionWidth = 1 + uchar(bytes[0]) % 8;
    setup.usesOperator = uchar(bytes[0]) & 0x80;
    setup.operatorWidth = 1 + uchar(bytes[1]) % 5;
    setup.operatorSign = QStringLiteral("×");
    TCustomQuestionForm dialog;
    dialog.configure(setup);
    dialog.Prepare();
    auto* question = dialog.findChild<QLineEdit*>(QStringLiteral("edtQuestion"));
    auto* operand = dialog.findChild<QLineEdit*>(QStringLiteral("edtOperator"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BitBtnOK"));
    const auto shows = [&dialog](const char* prefix, const QString& digits, int width) {
        for (int i = 0; i < width; ++i) {
            const auto* box = dialog.findChild<Panel*>(QString::fromLatin1(prefix) + QString::number(i));
            const QString want = i < digits.size() ? QString(digits.at(digits.size() - 1 - i)) : QString();
            if (!box || box->caption() != want)
                return false;
        }
        return true;
    };
    // A dialog sees a few dozen edits, not thousands.
    const QList<QByteArray> pieces = bytes.mid(2).split('\0').mid(0, 32);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QLineEdit* edit = setup.usesOperator && i % 2 ? operand : question;
        const QString piece = QString::fromUtf8(pieces[i]);
        // Typing goes in at the caret; pasting a whole text replaces it.
        if (piece.startsWith(u'#')) {
            edit->setText(piece.mid(1));
        } else {
            edit->setCursorPosition(int(piece.size() % (edit->text().size() + 1)));
            edit->insert(piece);
        }
        for (const auto& [edit, width, prefix] :
             {std::tuple(question, setup.questionWidth, "pnlQuestion"),
              std::tuple(operand, setup.usesOperator ? setup.operatorWidth : 0, "pnlOperator")}) {
            const QString digits = edit->text();
            if (digits.size() > width || !std::all_of(digits.cbegin(), digits.cend(), [](QChar c) {
                    return c >= u'1' && c <= u'9';
                }))
                return QStringLiteral("the box holds %1").arg(quoted(digits));
            if (!shows(prefix, digits, width))
                return QStringLiteral("the digit boxes do not show %1").arg(quoted(digits));
        }
        const bool complete = question->text().size() == setup.questionWidth
                              && (!setup.usesOperator || operand->text().size() == setup.operatorWidth);
        if (ok->isEnabled() != complete)
            return QStringLiteral("OK is %1 for %2 and %3")
                .arg(ok->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"),
                     quoted(question->text()), quoted(operand->text()));
    }
    if (!ok->isEnabled())
        return QString();
    ok->click();
    if (Globals::CustomQuestion != question->text()
        || Globals::CustomOperator != (setup.usesOperator ? operand->text() : QString()))
        return QStringLiteral("OK handed back other texts");
    MultiplyBasicRules::Question multiplication;
    if (setup.questionWidth == MultiplyBasicRules::Digits
        && !MultiplyBasicRules::setMultiplicand(multiplication, Globals::CustomQuestion))
        return QStringLiteral("the multiplication screen refuses the custom question ") + quoted(Globals::CustomQuestion);
    return QString();
}

QString review(const QByteArray& bytes)
{
    QuietDialogs dialogs;
    const QString path = scratch().filePath(QStringLiteral("Learner.review.csv"));
    if (!writeFile(path, bytes))
        return QStringLiteral("the scratch file could not be written");
    const ReviewDeck deck = ReviewFile::load(nullptr, path);
    const std::optional<ReviewDeck> parsed = ReviewDeck::fromText(Cp1252::decode(bytes), nullptr);
    const bool readable = bytes.size() <= ReviewDeck::MaxFileSize && parsed;
    if (readable && (dialogs.errors != 0 || !(deck == *parsed)))
        return QStringLiteral("a good file was not read as it stands");
    if (!readable) {
        if (dialogs.errors != 1)
            return QStringLiteral("a damaged file gave %1 messages").arg(dialogs.errors);
        if (!deck.isEmpty() || readFile(path) != Cp1252::encode(ReviewDeck().toText()))
            return QStringLiteral("a damaged file was not started again");
    }
    if (deck.drills().size() > ReviewDeck::MaxDrills)
        return QStringLiteral("more drills than the bound");
    for (const QString& drill : deck.drills()) {
        const QList<ReviewRecord> records = deck.records(drill);
        if (records.size() > ReviewDeck::MaxFactsPerDrill || !ReviewDeck::validDrill(drill))
            return QStringLiteral("a drill beyond the bounds: ") + quoted(drill);
        for (const ReviewRecord& r : records) {
            if (!ReviewDeck::validKey(r.key) || r.seen < 1 || r.seen > ReviewDeck::MaxCount || r.missed < 0
                || r.missed > r.seen || r.level < 1 || r.level > ReviewDeck::TopLevel)
                return QStringLiteral("a record beyond the bounds: ") + quoted(r.key);
        }
    }
    // Saved and read again: the same; an answer recorded reads back.
    const int errors = dialogs.errors;
    if (!ReviewFile::save(nullptr, path, deck) || ReviewFile::load(nullptr, path) != deck || dialogs.errors != errors)
        return QStringLiteral("what was read does not read back the same");
    if (readFile(path).size() > ReviewDeck::MaxFileSize)
        return QStringLiteral("a save wrote more than is read back");
    ReviewDeck answered = deck;
    answered.record(QStringLiteral("BasicMultiplication"), QStringLiteral("7×8"), true);
    const ReviewRecord* before = deck.find(QStringLiteral("BasicMultiplication"), QStringLiteral("7×8"));
    if (!ReviewFile::save(nullptr, path, answered) || ReviewFile::load(nullptr, path) != answered)
        return QStringLiteral("a recorded answer does not read back");
    const ReviewRecord* after = answered.find(QStringLiteral("BasicMultiplication"), QStringLiteral("7×8"));
    if (!after || after->level != 1 || after->seen != qMin(before ? before->seen + 1 : 1, int(ReviewDeck::MaxCount)))
        return QStringLiteral("a recorded miss is not at level 1, asked once more");
    return QString();
}

QString history(const QByteArray& bytes)
{
    QuietDialogs dialogs;
    const QString path = scratch().filePath(QStringLiteral("Learner.history.csv"));
    if (!writeFile(path, bytes))
        return QStringLiteral("the scratch file could not be written");
    const qint64 now = HistoryRules::nowUtc();
    const QList<HistoryRules::Record> records = HistoryRules::parse(bytes, now);
    if (HistoryRules::readFile(path, now) != records)
        return QStringLiteral("the file reads otherwise than its bytes");
    for (const HistoryRules::Record& r : records) {
        const bool problem = r.kind == HistoryRules::Kind::Problem;
        if (r.when > now + HistoryRules::FutureSlackSeconds || r.section.isEmpty()
            || r.section.size() > HistoryRules::MaxSectionLength || r.option.size() > HistoryRules::MaxOptionLength
            || (problem && !(r.seconds >= 0 && r.seconds <= HistoryRules::MaxSeconds))
            || (!problem && (r.questions < 1 || r.questions > HistoryRules::MaxQuestions || r.correct < 0
                             || r.correct > r.questions || r.questionDelayMs < 0 || r.answerDelayMs < 0)))
            return QStringLiteral("a record beyond the bounds: ") + quoted(QString::fromUtf8(HistoryRules::line(r)));
        QByteArray line = HistoryRules::line(r);
        line.chop(2);
        const std::optional<HistoryRules::Record> again = HistoryRules::parseLine(line, now);
        if (!again || HistoryRules::line(*again) != HistoryRules::line(r))
            return QStringLiteral("a record does not read back as written: ") + quoted(QString::fromUtf8(line));
    }
    const QDateTime last = HistoryRules::lastRecordTime(path, now);
    if (last.isValid() && (records.isEmpty() || last != records.constLast().time()))
        return QStringLiteral("the last record's time is not that of the last record");
    // A record appended reads back after the old ones, whatever the file ended in.
    HistoryRules::Record added;
    added.when = now;
    added.section = QStringLiteral("Square2Digit");
    added.option = QStringLiteral("2Digit");
    added.right = true;
    added.seconds = 12.5;
    if (!HistoryFile::append(nullptr, path, added) || dialogs.errors != 0)
        return QStringLiteral("an append failed");
    QList<HistoryRules::Record> expected = records;
    expected.append(added);
    if (HistoryRules::readFile(path, now) != expected)
        return QStringLiteral("an appended record does not read back after the old ones");
    return QString();
}

QStringList names()
{
    return {QStringLiteral("ini"),  QStringLiteral("name-list"), QStringLiteral("rtf"),
            QStringLiteral("help"), QStringLiteral("worksheet"), QStringLiteral("custom-question"),
            QStringLiteral("review"), QStringLiteral("history")};
}

Entry entry(const QString& name)
{
    static const QHash<QString, Entry> entries = {
        {QStringLiteral("ini"), &ini},   {QStringLiteral("name-list"), &nameList},
        {QStringLiteral("rtf"), &rtf},   {QStringLiteral("help"), &help},
        {QStringLiteral("worksheet"), &worksheet}, {QStringLiteral("custom-question"), &customQuestion},
        {QStringLiteral("review"), &review},
        {QStringLiteral("history"), &history},
    };
    return entries.value(name, nullptr);
}

} // namespace FuzzTargets
