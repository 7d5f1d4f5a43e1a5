#include "ui/main/PaginaRegistroM030.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ui {

namespace {

const CampoPagina lucro = {"rxdbRM030VL_LUC_LIQ",
                           "Valor do lucro líquido (ou do prejuízo) societário do período\n"
                           "(Valores Negativos igual a CRÉDITO e Positivos igual a DÉBITO) ",
                           "RM030VL_LUC_LIQ", Entrada::Valor, "###,###,##0.00"};

} // namespace

PaginaRegistroM030::PaginaRegistroM030(platform::DataSet& sped, QWidget* parent)
    : PaginaRegistro(QStringLiteral("    Registro M030 - Identificação do Período de Apuração do Lucro Real"),
                     parent) {
    const Controle c = cria(lucro, sped, this);
    c.controle->setMaximumWidth(220);
    corpo()->addWidget(c.rotulo);
    corpo()->addWidget(c.controle);
    corpo()->addStretch();
}

} // namespace ui
