// The chart of accounts page of the main window: the association grid, its menu and the box
// that narrows it to the rows still without a referential account.

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/PlanoContas.h"
#include "data/dmFCONT.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/GradeColunas.h"
#include "ui/main/GradePlanoContas.h"
#include "ui/main/TfmPrincipal.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace ui {

using data::dmFCONT;

void TfmPrincipal::montaGradePlanoContas() {
    m_modeloPlano = new ModeloPlanoContas(dmFCONT->quRegI050I051, this);
    platform::bindGrid(dbgdPlanoContasRef, m_modeloPlano);
    auto* delegado = new DelegadoColunas(
        dbgdPlanoContasRef, [this] { executa([this] { dbgdPlanoContasRefEditButtonClick(); }); });
    delegado->setSemSelecao(true);
    dbgdPlanoContasRef->setItemDelegate(delegado);
    dbgdPlanoContasRef->setEditTriggers(QAbstractItemView::DoubleClicked |
                                        QAbstractItemView::SelectedClicked |
                                        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    dbgdPlanoContasRef->verticalHeader()->setDefaultSectionSize(22);
    dbgdPlanoContasRef->verticalHeader()->setFixedWidth(14);
    ArrumaColunasPlano(*dbgdPlanoContasRef, *m_modeloPlano);
    connect(ckRegI050I051ContasNRef, &QCheckBox::clicked, this,
            [this] { executa([this] { ckRegI050I051ContasNRefClick(); }); });
    montaMenuPlanoContas();
}

void TfmPrincipal::montaMenuPlanoContas() {
    pmRegI050I051 = new QMenu(dbgdPlanoContasRef);
    pmRegI050I051->setObjectName(QStringLiteral("pmRegI050I051"));
    auto item = [this](const char* nome, const QString& legenda, void (TfmPrincipal::*acao)()) {
        QAction* a = pmRegI050I051->addAction(legenda);
        a->setObjectName(QString::fromLatin1(nome));
        connect(a, &QAction::triggered, this, [this, acao] { executa([this, acao] { (this->*acao)(); }); });
    };
    item("ImportarPlanoContas1", QStringLiteral("Importar Plano Contas"),
         &TfmPrincipal::ImportarPlanoContas1Click);
    item("ImportarPlanoContasECD1", QStringLiteral("Importar Plano Contas ECD"),
         &TfmPrincipal::ImportarPlanoContasECD1Click);
    item("Visualizar1", QStringLiteral("Visualizar"), &TfmPrincipal::VisualizarClick);
    item("ExportarExcel1", QStringLiteral("Exportar Excel"), &TfmPrincipal::ExportarExcelClick);
    pmRegI050I051->addSeparator();
    item("ExcluirPlanodeContas1", QStringLiteral("Excluir Plano de Contas"),
         &TfmPrincipal::ExcluirPlanodeContas1Click);
    dbgdPlanoContasRef->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(dbgdPlanoContasRef, &QWidget::customContextMenuRequested, this, [this](const QPoint& ponto) {
        pmRegI050I051->popup(dbgdPlanoContasRef->viewport()->mapToGlobal(ponto));
    });
}

void TfmPrincipal::CarregaPlanoContas() {
    data::CarregaPlanoContas();
}

void TfmPrincipal::ImportarPlanoContas1Click() {
    CarregaPlanoContas();
}

void TfmPrincipal::ImportarPlanoContasECD1Click() {
    data::ImportarPlanoContasECD();
}

void TfmPrincipal::ExcluirPlanodeContas1Click() {
    data::ExcluiPlanoContas(ckRegI050I051ContasNRef->isChecked());
}

void TfmPrincipal::ckRegI050I051ContasNRefClick() {
    data::AbreAssociacoes(ckRegI050I051ContasNRef->isChecked());
}

void TfmPrincipal::dbgdPlanoContasRefEditButtonClick() {
    platform::Query& associacoes = dmFCONT->quRegI050I051;
    const QString campo = m_modeloPlano->campoDa(dbgdPlanoContasRef->currentIndex().column());
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
    // The pending change is stored first, and the joined and looked-up columns show the new
    // account once the row is read again.
    if (associacoes.editing())
        associacoes.post();
    associacoes.refresh(QStringLiteral("SPASCODIGO"));
}

} // namespace ui
