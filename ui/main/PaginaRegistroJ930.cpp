#include "ui/main/PaginaRegistroJ930.h"

#include "data/ColunasGrades.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/GradeColunas.h"
#include "ui/main/LinhasGrade.h"
#include "ui/search/LarguraColuna.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

PaginaRegistroJ930::PaginaRegistroJ930(platform::DataSet& signatarios, QWidget* parent)
    : PaginaRegistro(QStringLiteral("    Registro J930 - Identificação dos Signatários da Escrituração "),
                     parent) {
    m_modelo = new ModeloGrade(signatarios, data::ColunasSignatarios(), this);
    m_modelo->setGravaCadaCelula(true);
    m_grade = new QTableView(this);
    nomeia(m_grade, "dbgdRegJ930", QStringLiteral("Signatários"));
    platform::bindGrid(m_grade, m_modelo);
    m_grade->setItemDelegate(new DelegadoColunas(m_grade));
    m_grade->verticalHeader()->setDefaultSectionSize(22);
    m_grade->verticalHeader()->setFixedWidth(14);
    for (int i = 0; i < m_modelo->columnCount(); ++i) {
        const platform::ColunaGrade& c = *m_modelo->coluna(i);
        m_grade->setColumnWidth(i, LarguraNaTela(*m_grade, c.largura, c.titulo));
    }
    m_linhas = new LinhasGrade(*m_grade, *m_modelo, QStringLiteral("Confirma a exclusão do signatário?"));

    auto* botoes = new QHBoxLayout;
    m_incluir = new QPushButton(QStringLiteral("Incluir"), this);
    m_incluir->setObjectName(QStringLiteral("btIncluirJ930"));
    m_incluir->setToolTip(QStringLiteral("Inclui um signatário (Insert)"));
    m_excluir = new QPushButton(QStringLiteral("Excluir"), this);
    m_excluir->setObjectName(QStringLiteral("btExcluirJ930"));
    m_excluir->setToolTip(QStringLiteral("Exclui o signatário selecionado (Ctrl+Del)"));
    botoes->addWidget(m_incluir);
    botoes->addWidget(m_excluir);
    botoes->addStretch(1);
    connect(m_incluir, &QPushButton::clicked, this, [this] { inclui(); });
    connect(m_excluir, &QPushButton::clicked, this, [this] { exclui(); });

    corpo()->addLayout(botoes);
    corpo()->addWidget(m_grade, 1);
}

void PaginaRegistroJ930::inclui() {
    m_linhas->inclui();
}

void PaginaRegistroJ930::exclui() {
    m_linhas->exclui();
}

} // namespace ui
