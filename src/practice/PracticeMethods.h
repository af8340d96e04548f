#pragma once

#include "practice/PracticeMethod.h"

#include <QList>
#include <QString>

// The catalogue of the practice methods: one entry per rules class, under the
// method name that the rules class holds (the worksheet tool's METHOD, the
// question source's key, the tests' name for the method). The worksheet tool
// lists, parses and draws through this catalogue only. A rules class includes
// PracticeMethod.h for its entry, never this header.

namespace PracticeMethods {

// Every method, in the order the worksheet tool lists them.
const QList<PracticeMethod>& all();
// The method of that name, or nullptr.
const PracticeMethod* find(const QString& name);

} // namespace PracticeMethods
