#pragma once

#include "ui/main/PaginaRegistro.h"

class QToolButton;

namespace ui {

// "Registro 0000": the period, the special situations, the company and branch chosen through
// their lookup buttons, and the company's identification, in a scrollable area.
class PaginaRegistro0000 : public PaginaRegistro {
public:
    PaginaRegistro0000(platform::DataSet& sped, QWidget* parent = nullptr);

    // The lookup buttons; their handlers are the window's.
    QToolButton* btPesqEmpProc() const;
    QToolButton* btPesqLocal() const;
    QToolButton* btPesqMunicipio() const;
};

} // namespace ui
