#pragma once

#include "db/Transaction.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

namespace platform {
class Query;
}

namespace db {
class Attachment;
class Statement;
} // namespace db

// What the chart loading and the copy of association rows share: rows committed in batches with
// the prompt never ahead of the commits, keys that survive another user's insert, and a hold on
// the parameter set against a second loading.
namespace data {

// The prompt of the data module (dropped without one), with the abort of a pressed "Cancelar".
void MostraProgresso(const QString& principal, const QString& detalhe);

// Commits the rows a long run stores every `intervalo` at most, instead of once per row, and holds
// the prompt's detail lines back until the rows they count are committed: what the user saw
// counted stays stored even when the program is killed at that moment. Pending events run and
// `Cancelado` is read after every row, so a press of "Cancelar" commits at once and the held
// lines go out, the first of them raising the prompt's abort.
class GravacaoEmLotes {
public:
    static constexpr std::chrono::milliseconds intervalo{250};

    // `aposConfirmar` runs after each commit of stored rows, before their lines are shown.
    explicit GravacaoEmLotes(db::Transaction& transacao, std::function<void()> aposConfirmar = {});

    // One more row stored and not committed yet.
    void gravou() { ++m_pendentes; }
    // The detail line that follows a row, stored or not.
    void detalhe(const QString& texto);
    // Commits what is pending and shows the held lines: the end of a run.
    void confirma();
    // After a failure: commits the rows stored so far and shows their lines, raising nothing.
    void confirmaNaFalha() noexcept;

private:
    db::Transaction& m_transacao;
    std::function<void()> m_aposConfirmar;
    int m_pendentes = 0;
    QStringList m_linhas;
    std::chrono::steady_clock::time_point m_ultima;
};

// The association table's columns, comma-separated, without the two a copy sets itself (the key
// and the set): the server refuses a column named twice in one insert, so those come only at the
// end of the copy's lists.
QString ColunasCopiadasDasAssociacoes(platform::Query& consulta);

// "coalesce(MAX(SPASCODIGO) + 1, 1)" over the whole association table; a failure is raised.
qint64 ProximaChaveAssociacao(db::Transaction& transacao);

// Runs an insert whose parameter `parametro` is the row's key, starting at `chave`. When another
// user stored that key meanwhile, the next key is read again (and, should that key be taken by
// rows not committed yet, moved on by growing steps) and the row stored. Returns the key used.
qint64 GravaComChaveLivre(db::Statement& insercao, const QString& parametro, qint64 chave,
                          db::Transaction& transacao);

// Holds the parameter set against a second chart loading, from this program or another, while the
// object lives: a row lock on the set's AUGC80SP row, taken without waiting in a transaction of
// its own, since every commit of the module's transaction would release a lock taken there. A
// set held already shows a warning and ends by the silent abort. A set without its row (never
// stored) holds nothing.
class TravaDoConjunto {
public:
    TravaDoConjunto(db::Attachment& banco, qint64 conjunto);
    ~TravaDoConjunto();
    TravaDoConjunto(const TravaDoConjunto&) = delete;
    TravaDoConjunto& operator=(const TravaDoConjunto&) = delete;

private:
    db::Transaction m_transacao;
};

// "Cancelar" offered and "Gerar" refused while the object lives (a generation started from
// within the events of a loading would run on top of it), as during a generation.
class BotoesDaCarga {
public:
    BotoesDaCarga();
    ~BotoesDaCarga();
    BotoesDaCarga(const BotoesDaCarga&) = delete;
    BotoesDaCarga& operator=(const BotoesDaCarga&) = delete;
};

extern const QString avisoCargaEmAndamento;

} // namespace data
