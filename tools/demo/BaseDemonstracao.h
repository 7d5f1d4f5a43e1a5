#pragma once

#include "db/Attachment.h"

#include <QString>

namespace data {
class TdmFCONT;
}

namespace demo {

// Builds the embedded demonstration database in `arquivo` (replacing it) from the scripts of
// tools/sql under `pastaFerramentas`: the ERP tables with the seed company, the program's own
// tables in their old version brought up to date by the schema upkeep, then the parameter sets.
// Leaves `dm` connected to it. Without forced writes the load does not wait for the disk.
db::ConnectionParams MontaBaseDemonstracao(data::TdmFCONT& dm, const QString& arquivo,
                                           const QString& pastaFerramentas, bool gravacaoForcada = true);

} // namespace demo
