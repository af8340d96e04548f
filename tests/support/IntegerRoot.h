#pragma once

#include <QtGlobal>

#include <cmath>

// The whole square root of n, worked out apart from the rules the tests
// check: the floating-point root, corrected to the largest r with r² ≤ n.
inline qint64 isqrt(qint64 n)
{
    qint64 r = qint64(std::sqrt(double(n)));
    while (r * r > n)
        --r;
    while ((r + 1) * (r + 1) <= n)
        ++r;
    return r;
}
