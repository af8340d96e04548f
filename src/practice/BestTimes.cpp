#include "practice/BestTimes.h"

#include "platform/IniFile.h"

#include <cmath>

namespace {

constexpr double LongestTime = 365; // days

} // namespace

double BestTimes::clean(double days)
{
    return std::isfinite(days) && days > 0 && days < LongestTime ? days : 0;
}

bool BestTimes::isNewBest(bool correct, double elapsed, double best)
{
    return correct && elapsed > 0 && (best <= 0 || elapsed < best);
}

void BestTimes::setKeys(const QStringList& keys)
{
    m_keys = keys;
    m_times.clear();
}

void BestTimes::load(const IniFile& file, const QString& section)
{
    for (const QString& key : std::as_const(m_keys))
        m_times.insert(key, clean(file.readTime(section, key, 0)));
}

void BestTimes::save(IniFile& file, const QString& section) const
{
    for (const QString& key : m_keys)
        file.writeTime(section, key, best(key));
}

bool BestTimes::offer(const QString& key, bool correct, double elapsed)
{
    if (!m_keys.contains(key) || !isNewBest(correct, elapsed, best(key)))
        return false;
    m_times.insert(key, elapsed);
    return true;
}
