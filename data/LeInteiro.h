#pragma once

#include <QString>

namespace data {

// Reads "StrToInt"-style: optional leading blanks, optional sign, decimal digits, nothing after.
bool LeInteiro(const QString& texto, int& valor);

} // namespace data
