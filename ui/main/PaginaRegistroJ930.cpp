#include "ui/main/PaginaRegistroJ930.h"

#include "common/Mensagens.h"
#include "data/ColunasGrades.h"
#include "platform/Dialogs.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/GradeColunas.h"
#include "ui/search/LarguraColuna.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

PaginaRegistroJ930::PaginaRegistroJ930(platform::DataSet& signatarios, QWidget* parent)
    : PaginaRegistro(QStringLiteral("    Registro J930 - Identificação dos Signatários da Escrituração "),
                     parent),
      m_signatarios(signatarios) {
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
    m_grade->installEventFilter(this);

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
    if (!m_signatarios.active())
        return;
    if (m_signatarios.state() != platform::DataSetState::Insert &&
        !platform::runReporting([this] { m_signatarios.append(); }))
        return;
    m_grade->setFocus();
    m_grade->setCurrentIndex(m_modelo->index(m_modelo->linhaNova(), 0));
}

void PaginaRegistroJ930::exclui() {
    if (!m_signatarios.active())
        return;
    if (m_signatarios.state() == platform::DataSetState::Insert) {
        m_signatarios.cancel();
        return;
    }
    if (m_signatarios.isEmpty())
        return;
    if (common::Pergunta(QStringLiteral("Confirma a exclusão do signatário?"),
                         {QStringLiteral("Sim"), QStringLiteral("Não")}) != QLatin1String("Sim"))
        return;
    platform::runReporting([this] { m_signatarios.remove(); });
}

bool PaginaRegistroJ930::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != m_grade || evento->type() != QEvent::KeyPress)
        return PaginaRegistro::eventFilter(objeto, evento);
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const Qt::KeyboardModifiers mods = tecla->modifiers() & ~Qt::KeypadModifier;
    if (tecla->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
        inclui();
        return true;
    }
    if (tecla->key() == Qt::Key_Delete && mods == Qt::ControlModifier) {
        exclui();
        return true;
    }
    // Down on the last stored row opens a new one, as in any grid of records.
    if (tecla->key() == Qt::Key_Down && mods == Qt::NoModifier && m_modelo->linhaNova() < 0 &&
        m_grade->currentIndex().row() == m_modelo->rowCount() - 1) {
        const int coluna = std::max(m_grade->currentIndex().column(), 0);
        inclui();
        if (m_modelo->linhaNova() >= 0)
            m_grade->setCurrentIndex(m_modelo->index(m_modelo->linhaNova(), coluna));
        return true;
    }
    return PaginaRegistro::eventFilter(objeto, evento);
}

} // namespace ui
