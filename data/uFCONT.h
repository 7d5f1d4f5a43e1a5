#pragma once

#include "data/Esquema.h"

#include <QString>

namespace platform {
class DataSet;
class Query;
} // namespace platform

// Dataset routines of the data module; they all work on the one dmFCONT.
namespace data {

void NovoRegistro(platform::DataSet& dataSet);
void GravaRegistro(platform::DataSet& dataSet);
void ExcluiRegistro(platform::DataSet& dataSet);
bool ExisteFilial(const QString& filial);
void AtribuiCodigoConfiguracao(platform::Query& query);
void CarregaPlanoReferencial();

// Superior account code of an account of the open parameter set's company: for a synthetic
// account the nearest synthetic account before it (in the chart's order) with a lower level,
// for an analytic account the nearest synthetic account before it.
QString RetornaContaSuperior(int pcCodigo, const QString& tipoConta);
// The same rule read straight from the database, one query per call. Kept as the reference the
// in-memory search is checked against.
QString RetornaContaSuperiorNoBanco(int pcCodigo, const QString& tipoConta);
// Forgets the chart read by RetornaContaSuperior; the generate command calls it at every run.
void DescartaPlanoOrdenado();

} // namespace data
