#pragma once

#include "conferencia/Conferencia.h"
#include "platform/ColunaGrade.h"

#include <QList>
#include <QString>

namespace db {
class Transaction;
}

namespace conferencia {

enum class TipoSugestao {
    OutroConjunto, // the same account's referential account in another set of the company
    Irmas,         // what most accounts under the same synthetic account have
    Descricao,     // the referential account whose description is closest to the account's name
};

// A referential account proposed for an account without one. Nothing is stored until accepted.
struct Sugestao {
    ContaSemReferencia conta;
    QString referencia, descricao; // the referential account and its description
    TipoSugestao tipo = TipoSugestao::Descricao;
    QString motivo;       // why, in words the user reads
    double confianca = 0; // 0 to 1: how likely the accountant is to keep it
};

// The best suggestion for each account that has one, in the accounts' order. Only analytic
// referential accounts of the chart, valid in the set's period and of the group the account's
// nature asks for, are ever proposed; without the referential chart there is none.
QList<Sugestao> SugereReferencias(db::Transaction& transacao, const Conjunto& conjunto,
                                  const PlanoReferencial& plano, const QList<ContaSemReferencia>& contas);

// The suggestions for the open set of dmFCONT.
QList<Sugestao> SugereReferenciasDoConjuntoAberto(const QList<ContaSemReferencia>& contas);

// Those at or above the confidence.
QList<Sugestao> AcimaDe(const QList<Sugestao>& sugestoes, double confianca);

// Stores each suggestion into its association row through dmFCONT->quRegI050I051 as an edit of
// the grid would (edit, the field, post: the dataset's own handlers run and commit). A row that
// is not among the open rows, or that has a referential account by now, is left alone. Returns
// how many were stored; the current row stays where it was. A failing post is cancelled and its
// error goes to the caller, the rows stored before it staying stored.
int AceitaSugestoes(const QList<Sugestao>& sugestoes);

// "85%"
QString TextoConfianca(double confianca);

// The suggestions' grid: the tick box ("ACEITAR"), the account, its name, the referential account
// and its description, the reason and the confidence.
const std::vector<platform::ColunaGrade>& ColunasSugestoes();
// The text of a suggestion in a column of ColunasSugestoes (the tick box has none).
QString TextoDaColuna(const Sugestao& sugestao, const QString& campo);

} // namespace conferencia
