#include "ui/main/TfmPrincipal.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/PlanoContas.h"
#include "data/dmFCONT.h"
#include "platform/Dialogs.h"
#include "ui/main/GradePlanoContas.h"
#include "ui/main/LinhasGrade.h"
#include "ui/main/PaginaRegistroI050.h"
#include "ui/main/PaginaRegistroJ930.h"
#include "ui/main/Relatorios.h"

#include <QCheckBox>
#include <QMenu>
#include <QTableView>

#include <algorithm>

// The chart of accounts page's handlers: the association grid, its menu and the filter box.
namespace ui {

using data::dmFCONT;

void TfmPrincipal::montaMenuPlanoContas() {
    QTableView* grade = dbgdPlanoContasRef();
    m_pmRegI050I051 = new QMenu(grade);
    m_pmRegI050I051->setObjectName(QStringLiteral("pmRegI050I051"));
    auto item = [this](const char* nome, const QString& legenda, void (TfmPrincipal::*acao)()) {
        QAction* a = m_pmRegI050I051->addAction(legenda);
        a->setObjectName(QString::fromLatin1(nome));
        connect(a, &QAction::triggered, this,
                [this, acao] { platform::runReporting([this, acao] { (this->*acao)(); }); });
    };
    item("ImportarPlanoContas1", QStringLiteral("Importar Plano Contas"),
         &TfmPrincipal::ImportarPlanoContas1Click);
    item("ImportarPlanoContasECD1", QStringLiteral("Importar Plano Contas ECD"),
         &TfmPrincipal::ImportarPlanoContasECD1Click);
    item("Visualizar1", QStringLiteral("Visualizar"), &TfmPrincipal::VisualizarClick);
    item("ExportarExcel1", QStringLiteral("Exportar Excel"), &TfmPrincipal::ExportarExcelClick);
    m_pmRegI050I051->addSeparator();
    item("ExcluirPlanodeContas1", QStringLiteral("Excluir Plano de Contas"),
         &TfmPrincipal::ExcluirPlanodeContas1Click);
    // A deleted row may leave the rows without a referential account: the grid is read again
    // with the statement the box asks for, near where the user was.
    m_tsRegI050->linhas()->aposExclusao = [this] {
        const int linha = dmFCONT->quRegI050I051.recNo();
        ckRegI050I051ContasNRefClick();
        platform::Query& associacoes = dmFCONT->quRegI050I051;
        if (!associacoes.isEmpty())
            associacoes.moveTo(std::clamp(linha, 0, associacoes.recordCount() - 1));
    };
    m_tsRegI050->linhas()->antesDeIncluir = [this] {
        exigeConfiguracaoGravada(QStringLiteral("incluir contas no Plano de Contas"));
    };
    m_tsRegJ930->linhas()->antesDeIncluir = [this] {
        exigeConfiguracaoGravada(QStringLiteral("incluir signatários"));
    };
    grade->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grade, &QWidget::customContextMenuRequested, this, [this, grade](const QPoint& ponto) {
        m_pmRegI050I051->popup(grade->viewport()->mapToGlobal(ponto));
    });
}

void TfmPrincipal::VisualizarClick() {
    VisualizaRelatorios(this);
}

void TfmPrincipal::ExportarExcelClick() {
    ExportaExcel(this, ckRegI050I051ContasNRef()->isChecked());
}

void TfmPrincipal::CarregaPlanoContas() {
    exigeConfiguracaoGravada(QStringLiteral("importar o Plano de Contas"));
    const OperacaoLonga operacao(*this);
    data::CarregaPlanoContas();
}

void TfmPrincipal::ImportarPlanoContas1Click() {
    CarregaPlanoContas();
}

void TfmPrincipal::ImportarPlanoContasECD1Click() {
    exigeConfiguracaoGravada(QStringLiteral("importar o Plano de Contas ECD"));
    const OperacaoLonga operacao(*this);
    data::ImportarPlanoContasECD(CodigoConfiguracao);
}

void TfmPrincipal::ExcluirPlanodeContas1Click() {
    data::ExcluiPlanoContas(ckRegI050I051ContasNRef()->isChecked());
}

void TfmPrincipal::ckRegI050I051ContasNRefClick() {
    data::AbreAssociacoes(ckRegI050I051ContasNRef()->isChecked());
}

void TfmPrincipal::dbgdPlanoContasRefEditButtonClick() {
    platform::Query& associacoes = dmFCONT->quRegI050I051;
    const QString campo = m_tsRegI050->modelo()->campoDa(dbgdPlanoContasRef()->currentIndex().column());
    auto contaEscolhida = [] {
        QString r1, r2, r3, r4;
        const QString nome = QStringLiteral("PCCODIGO");
        if (abrePesquisaGeral())
            abrePesquisaGeral()(0, r1, r2, r3, r4, nome, nome, nome, nome);
        return r1;
    };
    if (campo == QLatin1String("PCCODIGO")) {
        const QString codigo = contaEscolhida();
        if (!codigo.isEmpty()) {
            associacoes.edit();
            associacoes.fieldByName(QStringLiteral("PCCODIGO")).setText(codigo);
            associacoes.fieldByName(QStringLiteral("PACODIGO"))
                .setValue(dmFCONT->quEmpresaProc.fieldByName(QStringLiteral("PACODIGO")).value());
        }
    } else if (campo == QLatin1String("COD_CTA_REF")) {
        if (associacoes.fieldByName(QStringLiteral("PCTIPO")).asString() == QLatin1String("S"))
            common::MostraMensagem(
                QStringLiteral("Aviso: \rApenas Contas Analíticas devem ser Referenciadas!"), true);
        const QString codigo = pesquisa(QStringLiteral("Plano Contas Referencial"));
        if (!codigo.isEmpty()) {
            associacoes.edit();
            associacoes.fieldByName(QStringLiteral("COD_CTA_REF")).setValue(common::Trim(codigo));
        }
    } else if (campo == QLatin1String("PCCODIGOSUP")) {
        const QString codigo = contaEscolhida();
        if (!codigo.isEmpty()) {
            associacoes.edit();
            associacoes.fieldByName(QStringLiteral("PCCODIGOSUP")).setText(codigo);
        }
    }
    // A new row left without an account stays open and empty, as the user left it.
    if (associacoes.state() == platform::DataSetState::Insert && !associacoes.modified())
        return;
    // The pending change is stored first, and the joined and looked-up columns show the new
    // account once the row is read again.
    if (associacoes.editing())
        associacoes.post();
    associacoes.refresh(QStringLiteral("SPASCODIGO"));
}

} // namespace ui
