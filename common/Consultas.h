#pragma once

#include <QString>
#include <memory>

namespace db {
class Transaction;
}
namespace platform {
class Query;
}

// Single-value lookups and scratch queries over the program's one transaction.
namespace common {

// " Select " + expressao + "  from " + tabela, then `extra` as a second line. The first column of
// the first row as text goes to `resultado`, blank when there is no row; any error is swallowed
// and leaves it unchanged.
void BuscaValor(const QString& expressao, const QString& tabela, const QString& extra, platform::Query& query,
                QString& resultado);
// The same statement, the first column read as an integer; 0 after a swallowed error or no row.
int BuscaValorInteiro(const QString& expressao, const QString& tabela, const QString& extra,
                      platform::Query& query);

// A new query named after the trimmed name on the transaction; null when it cannot be made.
std::unique_ptr<platform::Query> CriaQuery(const QString& nome, db::Transaction* transacao);

// Column names of a table, each followed by the separator except the last; the excluded column
// (compared upper-cased) is left out. Errors reach the caller.
QString ListaCampos(const QString& tabela, const QString& separador, const QString& excluido,
                    platform::Query& query);

} // namespace common
