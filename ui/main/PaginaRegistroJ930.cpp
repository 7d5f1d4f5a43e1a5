#include "ui/main/PaginaRegistroJ930.h"

#include "data/ColunasGrades.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/GradeColunas.h"
#include "ui/search/LarguraColuna.h"

#include <QHeaderView>
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
    corpo()->addWidget(m_grade, 1);
}

} // namespace ui
