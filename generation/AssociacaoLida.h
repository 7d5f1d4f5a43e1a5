#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <unordered_map>
#include <vector>

namespace platform {
class DataSet;
class Query;
} // namespace platform

namespace generation {

// Result rows of a statement held in memory, each value as the population assigns it (a
// floating-point value already rounded to cents).
struct LinhasLidas {
    QStringList colunas;
    std::vector<QList<QVariant>> linhas;
};

// Reads every row of an open query from its current position on; the first `omitidas` columns
// are left out.
LinhasLidas LeLinhas(platform::Query& query, int omitidas = 0);

// The I051 statement without its account condition, with the account as a first column.
QString InstrucaoI051DoConjunto();

// The association rows of the open parameter set, read once per generation. Without an index
// on AUGC80SPAS every per-account statement read the whole table, which made the chart block
// quadratic in the number of accounts; the one read keeps the table's natural order, which is
// also the order each per-account statement returns its rows in.
class AssociacaoLida {
public:
    // The I051 rows of every account of the set and company, as the I051 statement returns them.
    static AssociacaoLida LeI051(const QMap<QString, QString>& valores);

    // The I051 rows of one account, in the order of the per-account statement.
    LinhasLidas linhasI051(int pcCodigo) const;

    const QStringList& colunas() const { return m_colunas; }

private:
    QStringList m_colunas;
    std::unordered_map<int, std::vector<QList<QVariant>>> m_porConta;
};

// The superior account taken from the association (RI200LCTPGCR = -1): PCCODIGOSUP of the
// account's first association row in the open set and company, then that account's
// PCORDENACAO. Empty when either is missing.
class SuperiorDaAssociacao {
public:
    static SuperiorDaAssociacao Le(int spCodigo, int empresa);
    // The two reads: the set's association rows, then the company's chart.
    static QStringList InstrucoesDoSuperior(int spCodigo, int empresa);
    QString conta(int pcCodigo) const;

private:
    std::unordered_map<int, int> m_superior;      // first row per account, natural order
    std::unordered_map<int, QString> m_ordenacao; // chart of the company
};

// The per-account lookups the memory copies above must agree with, kept as the reference.
LinhasLidas LinhasI051NoBanco(int pcCodigo, const QMap<QString, QString>& valores);
QString SuperiorDaAssociacaoNoBanco(int pcCodigo);

// Stores one row of `tabela` per row held, as the population does for a query, under the
// query's name in a failure box.
void PopulaBloco(const QString& nomeQuery, const LinhasLidas& origem, platform::DataSet& tabela);

} // namespace generation
