#pragma once

#include "ui/main/PaginaRegistro.h"

#include <functional>

class QCheckBox;
class QPushButton;
class QTableView;

namespace ui {

class LinhasGrade;
class ModeloPlanoContas;

// "Registro I050": the referential entity of the parameter set, the box that narrows the grid to
// the accounts still without a referential account, and the association grid with its colours
// and its search buttons. Insert, Down past the last row and "Incluir" add a single row, Ctrl+Del
// and "Excluir" delete the current one once the user confirms; a row is stored when the user
// leaves it. The handlers of the box, the buttons and the grid's menu are the window's.
class PaginaRegistroI050 : public PaginaRegistro {
public:
    PaginaRegistroI050(platform::DataSet& sped, platform::DataSet& associacoes,
                       std::function<void()> botaoEdicao, QWidget* parent = nullptr);

    QCheckBox* ckRegI050I051ContasNRef() const { return m_contasNRef; }
    QTableView* dbgdPlanoContasRef() const { return m_grade; }
    ModeloPlanoContas* modelo() const { return m_modelo; }
    QPushButton* btIncluir() const { return m_incluir; }
    QPushButton* btExcluir() const { return m_excluir; }
    LinhasGrade* linhas() const { return m_linhas; }

private:
    QCheckBox* m_contasNRef;
    QTableView* m_grade;
    ModeloPlanoContas* m_modelo;
    QPushButton* m_incluir;
    QPushButton* m_excluir;
    LinhasGrade* m_linhas;
};

} // namespace ui
