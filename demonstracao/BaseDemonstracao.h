#pragma once

#include "db/Attachment.h"

#include <QString>

class QDir;

namespace data {
class TdmFCONT;
}

namespace demonstracao {

// Builds the embedded demonstration database in `arquivo` (replacing it) from the built-in copies
// of the scripts of tools/sql: the ERP tables with the seed company, the program's own tables in
// their old version brought up to date by the schema upkeep, then the parameter sets and the
// demo's own additions (06_demonstracao.sql: last year's set, accounts left to map). Leaves `dm`
// connected to it. Without forced writes the load does not wait for the disk.
db::ConnectionParams MontaBaseDemonstracao(data::TdmFCONT& dm, const QString& arquivo,
                                           bool gravacaoForcada = true);

// Writes the sample "Tabelas Externas" (code lists and referential chart) into `pasta`, replacing
// files of the same name. Throws when one cannot be written.
void CopiaTabelasExternas(const QDir& pasta);

} // namespace demonstracao
