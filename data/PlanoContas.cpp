#include "data/PlanoContas.h"

#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "data/CargaEmLotes.h"
#include "data/Esquema.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "db/Statement.h"
#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "platform/Erro.h"

#include <QSet>
#include <algorithm>
#include <memory>
#include <vector>

namespace data {

namespace {

const QString tabelaAssociacoes = QStringLiteral("AUGC80SPAS");

QString sqlAssociacoes(bool naoReferenciadas) {
    QString sql = QStringLiteral("select ass.*, \rcta.pcdescricao, cta.pcordenacao, cta.pctipo \r"
                                 "from AUGC80SPAS ass \rleft outer join ACBC15PC cta \r"
                                 "on cta.pccodigo = ass.pccodigo \rand cta.pacodigo = ass.pacodigo \r"
                                 "where ass.SPCODIGO = :SPCODIGO \r and coalesce(cta.pccodigo, '') <> '' \r");
    if (naoReferenciadas)
        sql += QStringLiteral(" and coalesce(ass.cod_cta_ref, '') = '' \r");
    return sql + QStringLiteral(" order by cta.pcordenacao ");
}

// The accounts of the company that have a row in the set already: one read instead of a count
// per account.
QSet<qint64> contasAssociadas(qint64 conjunto, qint64 empresa) {
    db::Statement consulta(
        dmFCONT->trBanco,
        QStringLiteral("select PCCODIGO from AUGC80SPAS where SPCODIGO = %1 and PACODIGO = %2")
            .arg(conjunto)
            .arg(empresa));
    QSet<qint64> contas;
    auto cursor = consulta.openCursor();
    while (cursor->fetch())
        if (const std::optional<qint64> conta = cursor->asInteger(0))
            contas.insert(*conta);
    return contas;
}

// The rows just committed join the grid as the posts of the per-row loading would have put them,
// each read back with its account's name, code and type, but in one notification per batch.
void mostraNaGrade(platform::Query& associacoes, std::vector<qint64>& chaves) {
    if (chaves.empty() || !associacoes.active())
        return;
    const std::vector<qint64> nossas = std::exchange(chaves, {});
    const int campo = associacoes.fieldByName(QStringLiteral("SPASCODIGO")).index();
    associacoes.appendFromSql(
        QStringLiteral("select ass.*, cta.pcdescricao, cta.pcordenacao, cta.pctipo from AUGC80SPAS ass "
                       "left outer join ACBC15PC cta on cta.pccodigo = ass.pccodigo "
                       "and cta.pacodigo = ass.pacodigo where ass.SPASCODIGO between %1 and %2 "
                       "order by ass.SPASCODIGO")
            .arg(nossas.front())
            .arg(nossas.back()),
        [&nossas, campo](const platform::Row& linha) {
            // Keys grow within a run; rows of other users in the range stay out.
            return std::binary_search(nossas.begin(), nossas.end(), linha.value(campo).toLongLong());
        });
}

} // namespace

void CarregaPlanoContas() {
    TdmFCONT& dm = *dmFCONT;
    dm.Cancelado = false;
    MostraProgresso(QStringLiteral("Iniciando Importação do Plano de Contas..."), QString());

    const qint64 conjunto = CampoSPED("SPCODIGO").asInteger();
    const qint64 empresa = CampoSPED("EMPRESA").asInteger();
    // The set's rows are read once, so they go stale while the run lasts: a second loading of the
    // same set at the same time would store every missing account again.
    const TravaDoConjunto trava(dm.dbBanco.attachment(), conjunto);
    const BotoesDaCarga botoes;

    platform::Query& contas = dm.quRegI050;
    contas.close();
    contas.setParam(QStringLiteral("PACODIGO"), empresa);
    contas.open();
    contas.first();
    const int total = contas.recordCount();
    QSet<qint64> associadas = contasAssociadas(conjunto, empresa);

    platform::Query& associacoes = dm.quRegI050I051;
    std::unique_ptr<db::Statement> insercao;
    qint64 chave = 0;
    std::vector<qint64> naoMostradas;
    GravacaoEmLotes lote(dm.trBanco, [&] { mostraNaGrade(associacoes, naoMostradas); });
    int criadas = 0;
    int processadas = 0;
    try {
        const platform::Field& campoConta = contas.fieldByName(QStringLiteral("PCCODIGO"));
        for (; !contas.eof(); contas.next()) {
            const QVariant conta = campoConta.value();
            if (!associadas.contains(conta.toLongLong())) {
                if (!insercao) {
                    // As the first append of the per-row loading: closed rows fail here, an edited
                    // row is stored first.
                    associacoes.checkBrowseOrEdit();
                    if (associacoes.editing())
                        associacoes.post();
                    insercao = std::make_unique<db::Statement>(dm.trBanco, associacoes.updateSql.insertSql);
                    chave = ProximaChaveAssociacao(dm.trBanco);
                }
                insercao->clearParameters();
                insercao->setParameter(QStringLiteral("SPCODIGO"), conjunto);
                insercao->setParameter(QStringLiteral("PACODIGO"), empresa);
                insercao->setParameter(QStringLiteral("PCCODIGO"), conta);
                chave = GravaComChaveLivre(*insercao, QStringLiteral("SPASCODIGO"), chave, dm.trBanco);
                naoMostradas.push_back(chave++);
                associadas.insert(conta.toLongLong());
                lote.gravou();
                ++criadas;
            }
            ++processadas;
            lote.detalhe(QStringLiteral("Carregando Conta %1 de %2").arg(criadas).arg(total));
        }
        lote.confirma();
    } catch (...) {
        lote.confirmaNaFalha();
        throw;
    }
    MostraProgresso(QString(), QStringLiteral("%1/%2 novas contas criadas!").arg(criadas).arg(processadas));
}

void ImportaPlanoContasECD(const QString& origem, qint64 destino) {
    bool numero = false;
    const int conjuntoOrigem = origem.toInt(&numero);
    if (!numero)
        common::MostraMensagem(QStringLiteral("Aviso: Código da Configuração ECD é inválido!"), true);

    TdmFCONT& dm = *dmFCONT;
    platform::Query& laco = dm.quLaco;
    try {
        const BotoesDaCarga botoes;
        platform::FechaAoSair fecha(laco);
        laco.close();
        laco.setSql(QStringLiteral("select * from AUGC80SPAS where SPCODIGO = ") +
                    QString::number(conjuntoOrigem));
        laco.open();
        laco.first();
        const int total = laco.recordCount();
        MostraProgresso(QStringLiteral("Iniciando Importação do Plano de Contas..."), QString());

        const QString conjuntoDestino = QString::number(
            destino > 0 ? destino : dm.quSPED.fieldByName(QStringLiteral("SPCODIGO")).asInteger());
        GravacaoEmLotes lote(dm.trBanco);
        try {
            std::unique_ptr<db::Statement> copia;
            qint64 chave = 0;
            const platform::Field& chaveDaOrigem = laco.fieldByName(QStringLiteral("SPASCODIGO"));
            for (int linha = 1; !laco.eof(); laco.next(), ++linha) {
                if (!copia) {
                    const QString colunas = ColunasCopiadasDasAssociacoes(dm.quAux);
                    copia = std::make_unique<db::Statement>(
                        dm.trBanco, QStringLiteral("Insert Into AUGC80SPAS (") + colunas +
                                        QStringLiteral(" , SPASCODIGO, SPCODIGO) select ") + colunas +
                                        QStringLiteral(" , cast(:CHAVE as integer) , ") + conjuntoDestino +
                                        QStringLiteral(" from AUGC80SPAS Where SPCODIGO = ") +
                                        QString::number(conjuntoOrigem) +
                                        QStringLiteral(" and SPASCODIGO = :ORIGEM"));
                    chave = ProximaChaveAssociacao(dm.trBanco);
                }
                copia->setParameter(QStringLiteral("ORIGEM"), chaveDaOrigem.value());
                chave = GravaComChaveLivre(*copia, QStringLiteral("CHAVE"), chave, dm.trBanco) + 1;
                lote.gravou();
                lote.detalhe(QStringLiteral("Carregando Conta %1 de %2").arg(linha).arg(total));
            }
            lote.confirma();
        } catch (...) {
            lote.confirmaNaFalha();
            throw;
        }
    } catch (const platform::UserCancel&) {
        // The user's own "Cancelar": the prompt already says so, and what was copied stays.
        throw;
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: ao importar Plano de Contas Referenciado.\r") +
                                   platform::TextoDoErro(e),
                               true);
    }
    common::MostraMensagem(QStringLiteral("Importação do Plano Referenciado ECD executada com sucesso!"));
    dm.quRegI050I051.close();
    dm.quRegI050I051.open();
}

void ImportarPlanoContasECD(qint64 destino) {
    const std::optional<QString> origem = platform::dialogs().input(
        QStringLiteral("Importação Plano Contas ECD"),
        QStringLiteral(
            "Informe o Código da Configuração SPED ECD \rpara importação do Plano de Contas Referenciado."),
        QStringLiteral("1"));
    // A cancelled question is no request to copy the default set.
    if (!origem)
        return;
    ImportaPlanoContasECD(*origem, destino);
}

void ExcluiPlanoContas(bool naoReferenciadas) {
    if (common::Pergunta(QStringLiteral("Você realmente deseja excluir o plano de contas?"),
                         {QStringLiteral("Sim"), QStringLiteral("Não")}) != QLatin1String("Sim"))
        return;
    ExecutaScript(QStringLiteral("delete from AUGC80SPAS where SPCODIGO = %1 and PACODIGO = %2")
                      .arg(CampoSPED("SPCODIGO").asInteger())
                      .arg(CampoSPED("EMPRESA").asInteger()));
    AbreAssociacoes(naoReferenciadas);
}

void AbreAssociacoes(bool naoReferenciadas) {
    platform::Query& associacoes = dmFCONT->quRegI050I051;
    if (associacoes.active())
        associacoes.close();
    associacoes.clearSql();
    associacoes.setSql(sqlAssociacoes(naoReferenciadas));
    AtribuiCodigoConfiguracao(associacoes);
    associacoes.open();
}

} // namespace data
