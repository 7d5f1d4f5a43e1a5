#include "ui/main/IrParaAchado.h"

#include "common/Mensagens.h"
#include "data/dmFCONT.h"
#include "ui/main/TfmPrincipal.h"
#include "validacao/TabelaAchados.h"

#include <QCheckBox>
#include <QTableView>
#include <QTreeWidget>

namespace ui {

using validacao::PaginaCorrecao;

namespace {

QString legendaDa(PaginaCorrecao pagina) {
    switch (pagina) {
    case PaginaCorrecao::Registro0000:
        return QStringLiteral("Registro 0000");
    case PaginaCorrecao::RegistroI050:
        return QStringLiteral("Registro I050");
    case PaginaCorrecao::RegistroJ930:
        return QStringLiteral("Registro J930");
    case PaginaCorrecao::RegistroM020:
        return QStringLiteral("Registro M020");
    case PaginaCorrecao::RegistroM030:
        return QStringLiteral("Registro M030");
    case PaginaCorrecao::Nenhuma:
        break;
    }
    return {};
}

// Through the tree menu, so that its selection tells the user where they are, as a click would.
void mostraPagina(TfmPrincipal& janela, const QString& legenda) {
    QTreeWidget& menu = *janela.tvMenu();
    const QList<QTreeWidgetItem*> nos = menu.findItems(legenda, Qt::MatchExactly | Qt::MatchRecursive);
    if (!nos.isEmpty() && menu.currentItem() != nos.first()) {
        menu.setCurrentItem(nos.first());
        return;
    }
    janela.CarregaPaginaTreeView(legenda);
}

} // namespace

bool LocalizaContaAssociacao(const QString& conta) {
    platform::DataSet& associacoes = data::dmFCONT->quRegI050I051;
    const platform::Field* codigo = associacoes.findField(QStringLiteral("PCORDENACAO"));
    const QString chave = validacao::ChaveDeConta(conta);
    if (!associacoes.active() || !codigo || chave.isEmpty())
        return false;
    for (int linha = 0; linha < associacoes.recordCount(); ++linha)
        if (validacao::ChaveDeConta(associacoes.valueAt(linha, codigo->index()).toString()) == chave) {
            associacoes.moveTo(linha);
            return true;
        }
    return false;
}

bool MostraOndeCorrigir(TfmPrincipal& janela, const validacao::Achado& achado) {
    const PaginaCorrecao pagina = validacao::PaginaDoAchado(achado);
    if (pagina == PaginaCorrecao::Nenhuma)
        return false;
    janela.raise();
    janela.activateWindow();
    mostraPagina(janela, legendaDa(pagina));
    if (pagina != PaginaCorrecao::RegistroI050 || achado.conta.trimmed().isEmpty())
        return true;
    bool achou = LocalizaContaAssociacao(achado.conta);
    if (!achou && janela.ckRegI050I051ContasNRef()->isChecked()) {
        janela.ckRegI050I051ContasNRef()->setChecked(false);
        janela.ckRegI050I051ContasNRefClick();
        achou = LocalizaContaAssociacao(achado.conta);
    }
    if (!achou) {
        common::MostraMensagem(QStringLiteral("Aviso: a conta \"%1\" não está no plano de contas da "
                                              "configuração (página Registro I050).")
                                   .arg(achado.conta.trimmed()));
        return false;
    }
    janela.dbgdPlanoContasRef()->setFocus();
    janela.dbgdPlanoContasRef()->scrollTo(janela.dbgdPlanoContasRef()->currentIndex(),
                                          QAbstractItemView::PositionAtCenter);
    return true;
}

} // namespace ui
