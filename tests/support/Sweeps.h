#pragma once

// How many random cases a property sweep runs. The sizes written in the
// tests keep every test program well within 20 s under AddressSanitizer on a
// slow machine; VSM_LONG_SWEEPS=N multiplies every sweep by N for a longer
// hunt (the `sweep` target runs the rules tests so, with N = 20).

#include <QtGlobal>

inline int sweepSize(int quick)
{
    static const int factor = [] {
        bool ok = false;
        const int n = qEnvironmentVariableIntValue("VSM_LONG_SWEEPS", &ok);
        return ok && n > 1 ? n : 1;
    }();
    return quick * factor;
}
