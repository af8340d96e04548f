#include "practice/Squares5Rules.h"

#include "practice/SquareTwoDigitRules.h"
#include "shell/TextHelpers.h"

const QList<Squares5Rules::Option>& Squares5Rules::options()
{
    static const QList<Option> table = {
        {QStringLiteral("pnlOpt5_"), QStringLiteral("5 ?"), 1,
         QStringLiteral("|Practise squares of numbers starting with 5, such as : 51, 52, 53, 54, 55, 56, 57, 58, 59.")},
        {QStringLiteral("pnlOpt_5"), QStringLiteral("? 5"), 2,
         QStringLiteral("|Practise squares of numbers ending with 5, such as : 15, 25, 35, 45, 55, 65, 75, 85, 95.")},
    };
    return table;
}

QList<int> Squares5Rules::numbers(int storedOption)
{
    QList<int> list;
    for (int d = 1; d <= 9; ++d)
        list << (storedOption == 2 ? 10 * d + 5 : 50 + d);
    return list;
}

int Squares5Rules::draw(QRandomGenerator& rng, int storedOption, int previous)
{
    return SquareLevels::draw(rng, numbers(storedOption), previous);
}

QString Squares5Rules::factKey(int n)
{
    return QString::number(n) + TextChars::SuperTwo;
}

int Squares5Rules::parse(const QString& text, int storedOption)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && numbers(storedOption).contains(n) ? n : 0;
}
