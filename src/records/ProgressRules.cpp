#include "records/ProgressRules.h"

#include <QMap>

#include <algorithm>
#include <cmath>
#include <numeric>

using HistoryRules::Kind;
using HistoryRules::Record;

namespace {

double percent(qint64 part, qint64 whole)
{
    return whole > 0 ? 100.0 * double(part) / double(whole) : qQNaN();
}

// Questions and correct answers a record counts.
int questionsOf(const Record& r)
{
    return r.kind == Kind::Problem ? 1 : r.questions;
}

int correctOf(const Record& r)
{
    return r.kind == Kind::Problem ? (r.right ? 1 : 0) : r.correct;
}

ProgressRules::Span span(const QList<const Record*>& records, qsizetype from, qsizetype to)
{
    ProgressRules::Span s;
    QList<double> times;
    for (qsizetype i = std::max<qsizetype>(0, from); i < to; ++i) {
        const Record& r = *records[i];
        ++s.records;
        s.questions += questionsOf(r);
        s.correct += correctOf(r);
        if (r.kind == Kind::Problem && r.right)
            times.append(r.seconds);
    }
    s.accuracy = percent(s.correct, s.questions);
    s.medianSeconds = ProgressRules::median(times);
    return s;
}

// The calendar day (Julian day number) of a moment in a zone; the zone's
// offset is looked up once an hour of records.
class DayOf
{
public:
    explicit DayOf(const QTimeZone& zone) : m_zone(zone) {}
    qint64 operator()(qint64 when)
    {
        const qint64 hour = when >= 0 ? when / 3600 : (when - 3599) / 3600;
        if (hour != m_hour) {
            m_hour = hour;
            m_offset = m_zone.isValid() ? m_zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(hour * 3600, Qt::UTC)) : 0;
        }
        const qint64 local = when + m_offset;
        constexpr qint64 Epoch = 2440588; // Julian day of 1970-01-01
        return (local >= 0 ? local / 86400 : (local - 86399) / 86400) + Epoch;
    }

private:
    QTimeZone m_zone;
    qint64 m_hour = std::numeric_limits<qint64>::min();
    int m_offset = 0;
};

} // namespace

namespace ProgressRules {

double median(QList<double>& values)
{
    if (values.isEmpty())
        return qQNaN();
    const qsizetype mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + mid, values.end());
    const double upper = values[mid];
    if (values.size() % 2)
        return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + mid);
    return (lower + upper) / 2;
}

Summary summarise(const QList<Record>& records, const QString& section, const std::optional<QString>& option,
                  const QTimeZone& zone)
{
    Summary s;
    QList<const Record*> chosen;
    for (const Record& r : records) {
        if (r.section != section || (option && r.option != *option))
            continue;
        if (chosen.isEmpty())
            s.kind = r.kind;
        if (r.kind == s.kind)
            chosen.append(&r);
    }

    struct DayTally {
        int questions = 0;
        int correct = 0;
        QList<double> times;
    };
    QMap<qint64, DayTally> days;
    DayOf dayOf(zone);
    QList<double> times;
    double bestAccuracy = -1;
    for (const Record* r : chosen) {
        ++s.records;
        s.questions += questionsOf(*r);
        s.correct += correctOf(*r);
        DayTally& day = days[dayOf(r->when)];
        day.questions += questionsOf(*r);
        day.correct += correctOf(*r);
        if (r->kind == Kind::Problem && r->right) {
            times.append(r->seconds);
            day.times.append(r->seconds);
        }
        if (r->kind == Kind::Drill)
            bestAccuracy = std::max(bestAccuracy, percent(r->correct, r->questions));
    }
    s.accuracy = percent(s.correct, s.questions);
    if (!times.isEmpty()) {
        s.bestSeconds = *std::min_element(times.begin(), times.end());
        s.averageSeconds = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
        s.medianSeconds = median(times);
    }
    if (bestAccuracy >= 0)
        s.bestAccuracy = bestAccuracy;

    const qsizetype n = chosen.size();
    s.last10 = span(chosen, n - RecentCount, n);
    s.before10 = span(chosen, n - 2 * RecentCount, std::max<qsizetype>(0, n - RecentCount));

    s.days.reserve(days.size());
    for (auto it = days.begin(); it != days.end(); ++it) {
        Day d;
        d.date = QDate::fromJulianDay(it.key());
        d.questions = it->questions;
        d.correct = it->correct;
        d.accuracy = percent(it->correct, it->questions);
        d.medianSeconds = median(it->times);
        s.days.append(d);
    }
    return s;
}

QStringList options(const QList<Record>& records, const QString& section)
{
    QStringList found;
    QString last;
    bool any = false;
    for (const Record& r : records) {
        if (r.section != section || (any && r.option == last))
            continue;
        any = true;
        last = r.option;
        if (!found.contains(r.option))
            found.append(r.option);
    }
    found.sort(Qt::CaseInsensitive);
    return found;
}

} // namespace ProgressRules
