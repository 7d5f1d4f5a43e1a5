#pragma once

#include "validacao/Achado.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace db {
class Transaction;
}

// The conferência of the open parameter set: what the ERP's tables and the set's association
// rows say before a file is generated. It only reads; nothing here writes to the database.
namespace conferencia {

// What the conferência reads of the open set.
struct Conjunto {
    int spcodigo = 0;
    int empresa = 0;
    QString filtro;    // " = 1" or " in (1,2)": the companies whose books are read
    QDate inicio, fim; // R0000DT_INI and R0000DT_FIN, for the referential validity
    int ano = 0;       // the year of the books: the year of R0000DT_INI, as the file's I150
    QString entidade;  // RI051COD_ENT_REF
};

// The open set of dmFCONT (quSPED) and its company filter; a consolidation list that is not a
// list of company numbers is a std::runtime_error (no box).
Conjunto ConjuntoAberto();

struct ContaReferencial {
    QString codigo, descricao;
    bool sintetica = false;
    QDate inicio, fim; // a null date is open on that side

    // The group of the referential chart the account belongs to ('1', '2', '3'...).
    QChar grupo() const { return codigo.isEmpty() ? QChar() : codigo.front(); }
    bool valeNoPeriodo(const QDate& inicioPeriodo, const QDate& fimPeriodo) const;
};

struct PlanoReferencial {
    bool carregado = false; // false when the chart file was missing or empty: its checks are left out
    QList<ContaReferencial> contas;
    QHash<QString, int> porCodigo; // trimmed code -> index in contas

    const ContaReferencial* conta(const QString& codigo) const;
};

// The referential chart the open set's rows are looked up in (dmFCONT->cdsPlanoRef).
PlanoReferencial PlanoReferencialAberto();

// The referential group an account of this nature must map to: '1' for 01, '2' for 02 and 03,
// '3' for 04; null for the other natures (compensation accounts and the like).
QChar GrupoDaNatureza(const QString& natureza);

// An analytic account of nature 01 to 04 with a balance or a ledger entry in the year and no
// referential account in the set's rows.
struct ContaSemReferencia {
    int spascodigo = 0;
    int pccodigo = 0;
    QString conta, nome, natureza;
    double saldoFinal = 0; // December's closing balance, signed (debit positive)
};

QList<ContaSemReferencia> ContasSemReferencia(db::Transaction& transacao, const Conjunto& conjunto);

// Findings of the three families, each from a few set-based statements.
validacao::Achados ConfereContasSemReferencia(const QList<ContaSemReferencia>& contas);
// Analytic accounts of nature 01 to 04 of the set's companies with a balance or an entry in the
// year and no row at all in the set: the file would leave out their balances.
validacao::Achados ConfereContasForaDoConjunto(db::Transaction& transacao, const Conjunto& conjunto);
validacao::Achados ConfereReferencias(db::Transaction& transacao, const Conjunto& conjunto,
                                      const PlanoReferencial& plano);
validacao::Achados ConfereLivros(db::Transaction& transacao, const Conjunto& conjunto);

struct ResultadoConferencia {
    QList<ContaSemReferencia> semReferencia;
    validacao::Achados achados; // unmapped accounts, those outside the set, mappings, the books
};

// The whole conferência of the open set of dmFCONT, over its transaction.
ResultadoConferencia ConfereConjuntoAberto();

// "1.234,56" / "-1.234,56": amounts in messages, under the Brazilian rules whatever the host's.
QString TextoValor(double valor);

} // namespace conferencia
