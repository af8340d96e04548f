#include "records/ClassOverviewRules.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/IniFile.h"
#include "practice/BestTimes.h"
#include "practice/PracticeMethods.h"
#include "shell/Strings.h"

namespace {

const QString SettingsEnding = QStringLiteral(".ini");

bool countsCouldBeWritten(int correct, int total)
{
    return correct >= 0 && total >= 0 && correct <= ClassOverviewRules::MaxCount
           && total <= ClassOverviewRules::MaxCount && correct <= total;
}

// The median of integers, in tenths.
int medianTenthsOf(QList<qint64> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    const qint64 tenths = values.size() % 2 ? values.at(mid) * 10 : (values.at(mid - 1) + values.at(mid)) * 5;
    return int(qMin<qint64>(tenths, std::numeric_limits<int>::max()));
}

} // namespace

const QList<ClassOverviewRules::Column>& ClassOverviewRules::columns()
{
    static const QList<Column> table = [] {
        QList<Column> columns;
        for (const ScreenCatalogue::Row* screen : ScreenCatalogue::inReportOrder()) {
            const PracticeMethod* method = screen->method.isEmpty() ? nullptr : PracticeMethods::find(screen->method);
            columns.append({screen->id, screen->section, screen->titleId,
                            screen->group == ScreenCatalogue::Group::Basics,
                            method ? method->bestTimes : QList<MethodBestTime>()});
        }
        return columns;
    }();
    return table;
}

ClassOverviewRules::Learner ClassOverviewRules::readLearner(const QString& name, const QString& iniFile, bool listed)
{
    Learner learner;
    learner.name = name;
    learner.file = iniFile;
    learner.listed = listed;
    learner.cells.resize(columns().size());
    const QFileInfo info(iniFile);
    if (!info.exists())
        return learner; // never practised: the defaults, every cell blank
    const IniFile ini(iniFile);
    if (ini.readFailed()) {
        learner.problem = ini.errorString();
        return learner;
    }
    const Grading::LevelPrefs prefs = Grading::readLevelPrefs(ini);
    learner.level = prefs.level;
    learner.lowerAmber = prefs.lowerAmber;
    learner.upperAmber = prefs.upperAmber;

    QStringList damaged;
    for (qsizetype i = 0; i < columns().size(); ++i) {
        const Column& column = columns().at(i);
        Cell& cell = learner.cells[i];
        cell.correct = ini.readInteger(column.section, QStringLiteral("Correct"), 0);
        cell.total = ini.readInteger(column.section, QStringLiteral("Total"), 0);
        for (const MethodBestTime& time : column.bestTimes)
            cell.bestTimes.append({time.caption, BestTimes::clean(ini.readTime(column.section, time.key, 0))});
        if (!countsCouldBeWritten(cell.correct, cell.total)) {
            cell.damaged = true;
            damaged.append(QStringLiteral("%1 (Correct %2, Total %3)")
                               .arg(Strings::text(column.titleId), QString::number(cell.correct),
                                    QString::number(cell.total)));
            continue;
        }
        learner.problemsDone += cell.total;
        cell.grade = Grading::grade(cell.correct, cell.total, learner.lowerAmber, learner.upperAmber);
        if (cell.grade != Grading::Grade::None)
            cell.percent = cell.correct * 100 / cell.total;
    }
    if (!damaged.isEmpty())
        learner.note = QStringLiteral("Damaged counts: ") + damaged.join(QStringLiteral(", "));
    else if (info.size() > 0 && ini.sections().isEmpty())
        learner.note = QStringLiteral("The file holds no settings (it may be damaged).");
    return learner;
}

QStringList ClassOverviewRules::learnerNamesInFolder(const QString& folder)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.ini")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& file : files) {
        if (!file.endsWith(SettingsEnding, Qt::CaseInsensitive))
            continue;
        const QString name = file.chopped(SettingsEnding.size());
        if (name.isEmpty() || name.compare(QLatin1String("UserList"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("QVL"), Qt::CaseInsensitive) == 0)
            continue;
        names.append(name);
    }
    return names;
}

QList<ClassOverviewRules::Learner> ClassOverviewRules::readClass(const QStringList& listedNames,
                                                                 const QString& userDataFolder,
                                                                 const LastPractised& lastPractised)
{
    QList<Learner> learners;
    if (userDataFolder.isEmpty())
        return learners;
    const QDir folder(userDataFolder);
    QSet<QString> owned; // letter case ignored: one file per name on a case-blind file system
    for (const QString& name : listedNames) {
        owned.insert(name.toCaseFolded());
        learners.append(readLearner(name, folder.filePath(name + SettingsEnding), true));
    }
    for (const QString& name : learnerNamesInFolder(userDataFolder)) {
        if (!owned.contains(name.toCaseFolded()))
            learners.append(readLearner(name, folder.filePath(name + SettingsEnding), false));
    }
    if (lastPractised) {
        for (Learner& learner : learners)
            learner.lastPractised = lastPractised(learner.file);
    }
    return learners;
}

bool ClassOverviewRules::shows(Filter filter, const Column& column)
{
    switch (filter) {
    case Filter::Basics: return column.basics;
    case Filter::Practice: return !column.basics;
    case Filter::All: break;
    }
    return true;
}

void ClassOverviewRules::sort(QList<Learner>& learners, SortKey key, bool ascending)
{
    // The value a learner sorts by; nullopt for a blank, which goes last.
    const auto value = [key](const Learner& l) -> std::optional<qint64> {
        if (!l.problem.isEmpty())
            return std::nullopt;
        switch (key.key) {
        case Key::Screen: {
            const Cell& cell = l.cells.at(key.column);
            return cell.practised() ? std::optional<qint64>(cell.percent) : std::nullopt;
        }
        case Key::ProblemsDone: return l.problemsDone;
        case Key::LastPractised:
            return l.lastPractised.isValid() ? std::optional<qint64>(l.lastPractised.toMSecsSinceEpoch()) : std::nullopt;
        case Key::Level: return l.level;
        case Key::Name:
        case Key::Note: break;
        }
        return 0;
    };
    const auto nameLess = [](const Learner& a, const Learner& b) {
        const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.name < b.name;
    };
    std::stable_sort(learners.begin(), learners.end(), [&](const Learner& a, const Learner& b) {
        if (key.key == Key::Name)
            return ascending ? nameLess(a, b) : nameLess(b, a);
        if (key.key == Key::Note) {
            const QString na = a.problem.isEmpty() ? a.note : a.problem;
            const QString nb = b.problem.isEmpty() ? b.note : b.problem;
            if (na.isEmpty() != nb.isEmpty())
                return nb.isEmpty();
            const int order = na.compare(nb, Qt::CaseInsensitive);
            return order != 0 ? (ascending ? order < 0 : order > 0) : nameLess(a, b);
        }
        const std::optional<qint64> va = value(a);
        const std::optional<qint64> vb = value(b);
        if (va.has_value() != vb.has_value())
            return va.has_value();
        if (va && *va != *vb)
            return ascending ? *va < *vb : *va > *vb;
        return nameLess(a, b);
    });
}

int ClassOverviewRules::medianTenths(const QList<Learner>& learners, int column)
{
    QList<qint64> percents;
    for (const Learner& l : learners) {
        if (l.problem.isEmpty() && l.cells.at(column).practised())
            percents.append(l.cells.at(column).percent);
    }
    return medianTenthsOf(percents);
}

int ClassOverviewRules::medianProblemsTenths(const QList<Learner>& learners)
{
    QList<qint64> done;
    for (const Learner& l : learners) {
        if (l.problem.isEmpty())
            done.append(l.problemsDone);
    }
    return medianTenthsOf(done);
}

QString ClassOverviewRules::tenthsText(int tenths)
{
    if (tenths < 0)
        return QString();
    return tenths % 10 ? QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10) : QString::number(tenths / 10);
}

QString ClassOverviewRules::levelText(int level)
{
    QString text = Grading::levelName(level);
    if (text.endsWith(QLatin1String(" : ")))
        text.chop(3);
    return text;
}

QString ClassOverviewRules::timeText(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QString();
}

QList<QStringList> ClassOverviewRules::table(const QList<Learner>& learners, Filter filter)
{
    QList<int> shown;
    for (qsizetype i = 0; i < columns().size(); ++i) {
        if (shows(filter, columns().at(i)))
            shown.append(int(i));
    }
    QList<QStringList> rows;
    QStringList header = {QStringLiteral("Learner"), QStringLiteral("In list"), QStringLiteral("Level")};
    for (int i : shown)
        header.append(Strings::text(columns().at(i).titleId));
    header << QStringLiteral("Problems done") << QStringLiteral("Last practised") << QStringLiteral("Note");
    rows.append(header);

    for (const Learner& l : learners) {
        QStringList row = {l.name, l.listed ? QStringLiteral("yes") : QStringLiteral("no"),
                           l.problem.isEmpty() ? levelText(l.level) : QString()};
        for (int i : shown) {
            const Cell& cell = l.cells.at(i);
            row.append(cell.practised() ? QString::number(cell.percent) : QString());
        }
        row << (l.problem.isEmpty() ? QString::number(l.problemsDone) : QString()) << timeText(l.lastPractised)
            << (l.problem.isEmpty() ? l.note : l.problem);
        rows.append(row);
    }

    QStringList medians = {QStringLiteral("Class median"), QString(), QString()};
    for (int i : shown)
        medians.append(tenthsText(medianTenths(learners, i)));
    medians << tenthsText(medianProblemsTenths(learners)) << QString() << QString();
    rows.append(medians);
    return rows;
}

QString ClassOverviewRules::csvField(const QString& field)
{
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(field.cbegin(), field.cend(), [](QChar c) { return special.contains(c); }))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray ClassOverviewRules::csv(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& field : row)
            fields.append(csvField(field));
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}
