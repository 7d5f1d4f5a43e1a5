#include "data/CargaEmLotes.h"

#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "data/dmFCONT.h"
#include "db/FirebirdError.h"
#include "db/Statement.h"
#include "platform/EventLoop.h"

#include <algorithm>

namespace data {

const QString avisoCargaEmAndamento =
    QStringLiteral("Aviso: \rOutra importação do Plano de Contas desta configuração está em andamento. "
                   "Aguarde o seu término.");

namespace {

common::PromptView& promptDoModulo() {
    static common::MemoPrompt descartado;
    return dmFCONT->prompt ? *dmFCONT->prompt : descartado;
}

bool contem(const db::FirebirdError& e, std::initializer_list<long> codigos) {
    return std::any_of(codigos.begin(), codigos.end(), [&e](long c) { return e.codes().contains(c); });
}

// isc_unique_key_violation and isc_no_dup: the key is taken, by a committed row or by one another
// transaction has not committed yet.
bool chaveTomada(const db::FirebirdError& e) {
    return contem(e, {335544665, 335544349});
}

// isc_lock_conflict, isc_deadlock, isc_update_conflict, isc_concurrent_transaction.
bool linhaTravada(const db::FirebirdError& e) {
    return contem(e, {335544345, 335544336, 335544451, 335544878});
}

// A key taken by rows not committed yet stays invisible to the highest key read again; each retry
// moves on twice as far, so a whole batch of another loading is passed in a few steps.
constexpr int tentativasDeChave = 24;

} // namespace

void MostraProgresso(const QString& principal, const QString& detalhe) {
    common::AtualizaPrompt(promptDoModulo(), principal, detalhe, dmFCONT->Cancelado);
}

GravacaoEmLotes::GravacaoEmLotes(db::Transaction& transacao, std::function<void()> aposConfirmar)
    : m_transacao(transacao), m_aposConfirmar(std::move(aposConfirmar)),
      m_ultima(std::chrono::steady_clock::now()) {}

void GravacaoEmLotes::detalhe(const QString& texto) {
    if (m_pendentes == 0) {
        MostraProgresso(QString(), texto);
        return;
    }
    m_linhas << texto;
    platform::processPendingEvents();
    if (dmFCONT->Cancelado || std::chrono::steady_clock::now() - m_ultima >= intervalo)
        confirma();
}

void GravacaoEmLotes::confirma() {
    if (m_pendentes > 0) {
        m_transacao.commitRetaining();
        m_pendentes = 0;
        m_ultima = std::chrono::steady_clock::now();
        if (m_aposConfirmar)
            m_aposConfirmar();
    }
    const QStringList linhas = std::exchange(m_linhas, {});
    for (const QString& linha : linhas)
        MostraProgresso(QString(), linha);
}

void GravacaoEmLotes::confirmaNaFalha() noexcept {
    try {
        if (m_pendentes > 0) {
            m_transacao.commitRetaining();
            m_pendentes = 0;
            if (m_aposConfirmar)
                m_aposConfirmar();
        }
    } catch (...) {
        // The failure that brought us here is the one to report; lines of rows that may not be
        // committed are not shown.
        if (m_pendentes > 0)
            return;
    }
    static const bool nuncaCancelado = false;
    try {
        for (const QString& linha : std::exchange(m_linhas, {}))
            common::AtualizaPrompt(promptDoModulo(), QString(), linha, nuncaCancelado);
    } catch (...) {
    }
}

qint64 ProximaChaveAssociacao(db::Transaction& transacao) {
    db::Statement consulta(transacao,
                           QStringLiteral("select coalesce(MAX(SPASCODIGO) + 1, 1) from AUGC80SPAS"));
    auto cursor = consulta.openCursor();
    // Dialect 1 may give the sum as a double.
    return cursor->fetch() ? cursor->value(0).toLongLong() : 1;
}

qint64 GravaComChaveLivre(db::Statement& insercao, const QString& parametro, qint64 chave,
                          db::Transaction& transacao) {
    for (int tentativa = 0;; ++tentativa) {
        insercao.setParameter(parametro, chave);
        try {
            insercao.execute();
            return chave;
        } catch (const db::FirebirdError& e) {
            if (!chaveTomada(e) || tentativa + 1 >= tentativasDeChave)
                throw;
        }
        chave = std::max(chave + (qint64(1) << tentativa), ProximaChaveAssociacao(transacao));
    }
}

TravaDoConjunto::TravaDoConjunto(db::Attachment& banco, qint64 conjunto) : m_transacao(banco) {
    try {
        db::Statement trava(
            m_transacao,
            QStringLiteral("select SPCODIGO from AUGC80SP where SPCODIGO = %1 with lock").arg(conjunto));
        auto cursor = trava.openCursor();
        while (cursor->fetch()) {
        }
    } catch (const db::FirebirdError& e) {
        try {
            m_transacao.rollback();
        } catch (...) {
        }
        if (!linhaTravada(e))
            throw;
        common::MostraMensagem(avisoCargaEmAndamento, true);
    }
}

TravaDoConjunto::~TravaDoConjunto() {
    try {
        m_transacao.rollback();
    } catch (...) {
    }
}

BotoesDaCarga::BotoesDaCarga() {
    if (common::PromptView* p = dmFCONT->prompt) {
        p->setCancelarEnabled(true);
        p->setGerarEnabled(false);
    }
}

BotoesDaCarga::~BotoesDaCarga() {
    if (common::PromptView* p = dmFCONT->prompt) {
        p->setCancelarEnabled(false);
        p->setGerarEnabled(true);
    }
}

} // namespace data

namespace data {

QString ColunasCopiadasDasAssociacoes(platform::Query& consulta) {
    QStringList colunas =
        common::ListaCampos(QStringLiteral("AUGC80SPAS"), QStringLiteral(","), QString(), consulta)
            .split(QLatin1Char(','));
    colunas.removeIf([](const QString& c) {
        return c.compare(QLatin1String("SPASCODIGO"), Qt::CaseInsensitive) == 0 ||
               c.compare(QLatin1String("SPCODIGO"), Qt::CaseInsensitive) == 0;
    });
    return colunas.join(QLatin1Char(','));
}

} // namespace data
