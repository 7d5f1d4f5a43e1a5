#pragma once

#include <QString>

namespace common {

// The version line of the splash; every program's title is its own name, " - ", then this line.
inline QString TextoVersao() {
    return QStringLiteral("FCONT Versão 1.0 (Compilação 30-06-2015 09:00)");
}

} // namespace common
