#include "ui/main/PaginaRegistroI050.h"

#include "data/TabelasCodigos.h"
#include "platform/DataSet.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/GradeColunas.h"
#include "ui/main/GradePlanoContas.h"
#include "ui/main/LinhasGrade.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

PaginaRegistroI050::PaginaRegistroI050(platform::DataSet& sped, platform::DataSet& associacoes,
                                       std::function<void()> botaoEdicao, QWidget* parent)
    : PaginaRegistro(QStringLiteral("    Registro I050 - Plano de Contas"), parent) {
    platform::Field& entidade = sped.fieldByName(QStringLiteral("RI051COD_ENT_REF"));
    const QStringList entidades = data::TabelaCodigosDe(entidade.name()).itensDaLista();
    const QString tituloGrupo = QStringLiteral("Código da Entidade Referente");
    auto* grupo = new QGroupBox(tituloGrupo, this);
    nomeia(grupo, "rgRegI051COD_ENT_REF", tituloGrupo);
    auto* botoes = new QButtonGroup(grupo);
    auto* colunas = new QHBoxLayout(grupo);
    for (int i = 0; i < entidades.size(); ++i) {
        auto* opcao = new QRadioButton(entidades[i], grupo);
        opcao->setObjectName(QStringLiteral("rgRegI051COD_ENT_REF_%1").arg(i));
        opcao->setAccessibleName(entidades[i]);
        botoes->addButton(opcao, i);
        colunas->addWidget(opcao, 1);
    }
    platform::bindOptions(grupo, botoes, entidade, entidades);
    corpo()->addWidget(grupo);

    const QString contasNRef = QStringLiteral("Contas não Referenciadas");
    m_contasNRef = new QCheckBox(contasNRef, this);
    nomeia(m_contasNRef, "ckRegI050I051ContasNRef", contasNRef);
    m_contasNRef->setCursor(Qt::PointingHandCursor);
    m_contasNRef->setToolTip(
        QStringLiteral("Clique aqui para visualizar somente as Contas não Referenciadas."));

    m_incluir = new QPushButton(QStringLiteral("Incluir"), this);
    m_incluir->setObjectName(QStringLiteral("btIncluirI050"));
    m_incluir->setToolTip(QStringLiteral("Inclui uma conta no plano de contas (Insert)"));
    m_excluir = new QPushButton(QStringLiteral("Excluir"), this);
    m_excluir->setObjectName(QStringLiteral("btExcluirI050"));
    m_excluir->setToolTip(QStringLiteral("Exclui a conta selecionada do plano de contas (Ctrl+Del)"));
    auto* linha = new QHBoxLayout;
    linha->addWidget(m_contasNRef);
    linha->addStretch(1);
    linha->addWidget(m_incluir);
    linha->addWidget(m_excluir);
    corpo()->addLayout(linha);

    m_grade = new QTableView(this);
    nomeia(m_grade, "dbgdPlanoContasRef", QStringLiteral("Plano de Contas"));
    m_modelo = new ModeloPlanoContas(associacoes, this);
    platform::bindGrid(m_grade, m_modelo);
    auto* delegado = new DelegadoColunas(m_grade, std::move(botaoEdicao));
    delegado->setSemSelecao(true);
    m_grade->setItemDelegate(delegado);
    m_grade->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grade->verticalHeader()->setDefaultSectionSize(22);
    m_grade->verticalHeader()->setFixedWidth(14);
    ArrumaColunasPlano(*m_grade, *m_modelo);
    m_linhas = new LinhasGrade(*m_grade, *m_modelo, QString());
    m_linhas->perguntaDaLinha = [&associacoes] {
        const auto texto = [&associacoes](const char* campo) {
            return associacoes.fieldByName(QString::fromLatin1(campo)).asString().trimmed();
        };
        QString conta = texto("PCORDENACAO");
        if (!texto("PCDESCRICAO").isEmpty())
            conta += QStringLiteral(" - ") + texto("PCDESCRICAO");
        return QStringLiteral("Confirma a exclusão da conta %1 do plano de contas?").arg(conta);
    };
    connect(m_incluir, &QPushButton::clicked, this, [this] { m_linhas->inclui(); });
    connect(m_excluir, &QPushButton::clicked, this, [this] { m_linhas->exclui(); });
    corpo()->addWidget(m_grade, 1);
}

} // namespace ui
