#pragma once

#include "ui/main/PaginaRegistro.h"

class QTableView;

namespace ui {

class ModeloGrade;

// "Registro J930": the signatories of the parameter set in their grid; an edited cell is stored
// at once.
class PaginaRegistroJ930 : public PaginaRegistro {
public:
    explicit PaginaRegistroJ930(platform::DataSet& signatarios, QWidget* parent = nullptr);

    QTableView* dbgdRegJ930() const { return m_grade; }
    ModeloGrade* modelo() const { return m_modelo; }

private:
    QTableView* m_grade;
    ModeloGrade* m_modelo;
};

} // namespace ui
