#pragma once

#include "ui/main/PaginaRegistro.h"

namespace ui {

// "Registro M020": the qualification of the company and the rectification, each label over its
// control.
class PaginaRegistroM020 : public PaginaRegistro {
public:
    explicit PaginaRegistroM020(platform::DataSet& sped, QWidget* parent = nullptr);
};

} // namespace ui
