#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <utility>

namespace platform {
class DataSet;
class Query;
} // namespace platform

namespace generation {

// Runs the query forward-only and stores one row of the record table per result row (columns
// assigned by name, floating-point columns rounded to cents). A failure shows
// "Erro: ao popular Bloco." with the query's name and the failure's text, then aborts.
void PopulaBloco(platform::Query& query, platform::DataSet& tabela);

// The I051 rows of one account from the association read once per generation (the first call
// reads it), stored as PopulaBloco stores the rows of the per-account statement.
void PopulaI051(int pcCodigo);

// Creates the record's query ("quReg" + code), fills in the statement's placeholders and
// populates the record's table.
void PopulaRegistro(const QString& registro, const QMap<QString, QString>& extras = {});

// Values of the placeholders that come from the open parameter set and the company filter.
QMap<QString, QString> ValoresDoConjunto();

// The statements a generation of the open set sends, in file order, with the I051 rows as the
// one read of the whole set; for measuring what the database alone costs.
QList<std::pair<QString, QString>> InstrucoesDaGeracao(const QString& filtroEmpresas);

// Fills every record of the file in file order; false when anything failed (the failure has
// been shown already). Never throws.
bool GeraBlocos(const QString& filtroEmpresas);

} // namespace generation
