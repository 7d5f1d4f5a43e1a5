#pragma once

#include <QString>

namespace generation {

// The statement of a record code ("I155"), with its placeholders; empty for a record that has
// none (the closing rows and block 9 are made directly).
QString InstrucaoRegistro(const QString& registro);

} // namespace generation
