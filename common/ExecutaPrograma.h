#pragma once

#include <QString>

namespace common {

// Shows a file to the user (the generated FCONT file). Nothing is reported when it fails.
void ExecutaPrograma(const QString& programa, const QString& parametros);

} // namespace common
