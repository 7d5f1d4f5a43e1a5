#pragma once

#include "ui/main/PaginaRegistro.h"

namespace ui {

// "Registro M030": the company's net profit or loss of the period, with its sign rule.
class PaginaRegistroM030 : public PaginaRegistro {
public:
    explicit PaginaRegistroM030(platform::DataSet& sped, QWidget* parent = nullptr);
};

} // namespace ui
