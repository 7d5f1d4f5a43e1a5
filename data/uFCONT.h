#pragma once

#include "platform/ColunaGrade.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace platform {
class DataSet;
class Field;
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
// A field of the open parameter set (quSPED), by its name.
platform::Field& CampoSPED(const char* nome);

// Fills the pick list of every column whose field, without its four-character table prefix,
// is `campo`: from the statement `consulta` when there is one (its column `campo`, in result
// order), else from the code lists' descriptions of `registro`/`campo` in table order.
void PreencheListaColuna(std::vector<platform::ColunaGrade>& colunas, const QString& registro,
                         const QString& campo, const QString& consulta);

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
