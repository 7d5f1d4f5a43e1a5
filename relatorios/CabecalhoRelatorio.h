#pragma once

#include "platform/relatorio/RelatorioBandas.h"

namespace data {
class TdmFCONT;
}

namespace relatorios {

// The common top of both reports: the title, the open parameter set and the date of printing on
// the first two lines of the page header, the column headings under them.
void MontaCabecalho(platform::Banda& cabecalho, const QString& rotuloTitulo, const QString& titulo,
                    const QString& rotuloConfiguracao, const QString& rotuloData, const data::TdmFCONT& dm);
platform::TextoBanda Coluna(const QString& nome, const QString& texto, double esquerda, double largura,
                            Qt::Alignment alinhamento = Qt::AlignLeft);
platform::TextoBanda Dado(const QString& nome, const QString& campo, double esquerda, double largura,
                          Qt::Alignment alinhamento = Qt::AlignLeft);
// The colour of a detail row: silver for a synthetic account, black for any other.
QColor CorDoTipo(const QString& tipo);

} // namespace relatorios
