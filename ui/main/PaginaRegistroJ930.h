#pragma once

#include "ui/main/PaginaRegistro.h"

class QPushButton;
class QTableView;

namespace ui {

class LinhasGrade;
class ModeloGrade;

// "Registro J930": the signatories of the parameter set in their grid; an edited cell is stored
// at once. Insert, Down past the last row and "Incluir" add a signatory; Ctrl+Del and "Excluir"
// delete the current one once the user confirms.
class PaginaRegistroJ930 : public PaginaRegistro {
public:
    explicit PaginaRegistroJ930(platform::DataSet& signatarios, QWidget* parent = nullptr);

    QTableView* dbgdRegJ930() const { return m_grade; }
    ModeloGrade* modelo() const { return m_modelo; }
    QPushButton* btIncluir() const { return m_incluir; }
    QPushButton* btExcluir() const { return m_excluir; }
    LinhasGrade* linhas() const { return m_linhas; }

    // A new row at the end with the defaults of a new signatory, the grid on its first cell.
    void inclui();
    // Asks "Confirma a exclusão do signatário?" and deletes the current row on "Sim"; a new row
    // not stored yet is dropped without asking.
    void exclui();

private:
    QTableView* m_grade;
    ModeloGrade* m_modelo;
    QPushButton* m_incluir;
    QPushButton* m_excluir;
    LinhasGrade* m_linhas;
};

} // namespace ui
