#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class IniFile;

// The best times of a practice screen, one per problem type, kept under keys
// of the screen's section ("Time1", "Time11", ...) as elapsed days; 0 means
// none. Only a right attempt that is strictly faster than the kept time (or
// the first right one) becomes the new best time.
class BestTimes
{
public:
    // A stored time that cannot be one (negative, not a number, text, a year
    // or more) counts as none.
    static double clean(double days);
    // The best-time rule.
    static bool isNewBest(bool correct, double elapsed, double best);

    // The keys of the screen's problem types, all none.
    void setKeys(const QStringList& keys);
    // Reads the keys from the section (missing keys: none).
    void load(const IniFile& file, const QString& section);
    // Writes every key, none as 0.
    void save(IniFile& file, const QString& section) const;

    double best(const QString& key) const { return m_times.value(key, 0); }
    // Keeps elapsed as the best time of key when the attempt sets one; true then.
    bool offer(const QString& key, bool correct, double elapsed);

private:
    QStringList m_keys;
    QHash<QString, double> m_times;
};
