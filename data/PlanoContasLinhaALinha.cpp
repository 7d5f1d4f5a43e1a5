#include "data/PlanoContasLinhaALinha.h"

#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "data/CargaEmLotes.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "platform/Erro.h"

namespace data {

namespace {

const QString tabelaAssociacoes = QStringLiteral("AUGC80SPAS");

int proximaChave() {
    return common::BuscaValorInteiro(QStringLiteral("COALESCE(MAX(SPASCODIGO)+1, 1)"), tabelaAssociacoes,
                                     QString(), dmFCONT->quExec);
}

} // namespace

void CarregaPlanoContasLinhaALinha() {
    TdmFCONT& dm = *dmFCONT;
    dm.Cancelado = false;
    MostraProgresso(QStringLiteral("Iniciando Importação do Plano de Contas..."), QString());

    const qint64 conjunto = CampoSPED("SPCODIGO").asInteger();
    const qint64 empresa = CampoSPED("EMPRESA").asInteger();
    platform::Query& contas = dm.quRegI050;
    contas.close();
    contas.setParam(QStringLiteral("PACODIGO"), empresa);
    contas.open();
    contas.first();
    const int total = contas.recordCount();

    platform::Query& associacoes = dm.quRegI050I051;
    int criadas = 0;
    int processadas = 0;
    for (; !contas.eof(); contas.next()) {
        const QVariant conta = contas.fieldByName(QStringLiteral("PCCODIGO")).value();
        const int existentes = common::BuscaValorInteiro(
            QStringLiteral("coalesce(Count(*), 0)"), tabelaAssociacoes,
            QStringLiteral(" where SPCODIGO = %1 and PACODIGO = %2 and PCCODIGO = %3")
                .arg(conjunto)
                .arg(empresa)
                .arg(conta.toLongLong()),
            dm.quExec);
        if (existentes == 0) {
            associacoes.append();
            associacoes.fieldByName(QStringLiteral("SPCODIGO")).setValue(conjunto);
            associacoes.fieldByName(QStringLiteral("PACODIGO")).setValue(empresa);
            associacoes.fieldByName(QStringLiteral("SPASCODIGO")).setValue(proximaChave());
            associacoes.fieldByName(QStringLiteral("PCCODIGO")).setValue(conta);
            associacoes.fieldByName(QStringLiteral("PCORDENACAO"))
                .setValue(contas.fieldByName(QStringLiteral("COD_CTA")).value());
            associacoes.post();
            ++criadas;
        }
        ++processadas;
        MostraProgresso(QString(), QStringLiteral("Carregando Conta %1 de %2").arg(criadas).arg(total));
    }
    MostraProgresso(QString(), QStringLiteral("%1/%2 novas contas criadas!").arg(criadas).arg(processadas));
}

void ImportaPlanoContasECDLinhaALinha(const QString& origem) {
    bool numero = false;
    const int conjuntoOrigem = origem.toInt(&numero);
    if (!numero)
        common::MostraMensagem(QStringLiteral("Aviso: Código da Configuração ECD é inválido!"), true);

    TdmFCONT& dm = *dmFCONT;
    platform::Query& laco = dm.quLaco;
    try {
        platform::FechaAoSair fecha(laco);
        laco.close();
        laco.setSql(QStringLiteral("select * from AUGC80SPAS where SPCODIGO = ") +
                    QString::number(conjuntoOrigem));
        laco.open();
        laco.first();
        const int total = laco.recordCount();
        MostraProgresso(QStringLiteral("Iniciando Importação do Plano de Contas..."), QString());

        const QString destino =
            QString::number(dm.quSPED.fieldByName(QStringLiteral("SPCODIGO")).asInteger());
        for (int linha = 1; !laco.eof(); laco.next(), ++linha) {
            const int chave = common::BuscaValorInteiro(QStringLiteral("coalesce(MAX(SPASCODIGO) + 1, 1)"),
                                                        tabelaAssociacoes, QString(), dm.quExec);
            const QString colunasInsert = ColunasCopiadasDasAssociacoes(dm.quAux);
            const QString colunasSelect = ColunasCopiadasDasAssociacoes(dm.quAux1);
            dm.IBScript.clear();
            dm.IBScript.setText(QStringLiteral("Insert Into AUGC80SPAS (") + colunasInsert +
                                QStringLiteral(" , SPASCODIGO, SPCODIGO) ") + QStringLiteral("select ") +
                                colunasSelect + QStringLiteral(" , ") + QString::number(chave) +
                                QStringLiteral(" , ") + destino + QStringLiteral(" from AUGC80SPAS ") +
                                QStringLiteral("Where SPCODIGO = ") + QString::number(conjuntoOrigem) +
                                QStringLiteral(" and SPASCODIGO = ") +
                                laco.fieldByName(QStringLiteral("SPASCODIGO")).asString());
            dm.IBScript.run();
            dm.trBanco.commitRetaining();
            MostraProgresso(QString(), QStringLiteral("Carregando Conta %1 de %2").arg(linha).arg(total));
        }
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: ao importar Plano de Contas Referenciado.\r") +
                                   platform::TextoDoErro(e),
                               true);
    }
    common::MostraMensagem(QStringLiteral("Importação do Plano Referenciado ECD executada com sucesso!"));
    dm.quRegI050I051.close();
    dm.quRegI050I051.open();
}

} // namespace data
