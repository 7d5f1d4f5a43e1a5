#include "ui/main/PaginaRegistroM020.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

namespace {

const CampoPagina campos[] = {
    {"dbcbRM020QUALI_PJ", "Qualificação da Pessoa Jurídica", "RM020QUALI_PJ", Entrada::Lista},
    {"dbcbRM020TIPO_ESCRIT", "Tipo de Escrituração", "RM020TIPO_ESCRIT", Entrada::Lista},
    {"dbedRM020NRO_REC_ANTERIOR", "Número do Recibo Anterior:", "RM020NRO_REC_ANTERIOR"},
    {"dbedRM020ID_ESCR_PER_ANT", "Identificação da escrituração do período anterior ",
     "RM020ID_ESCR_PER_ANT"},
    {"dbcbRM020FORM_TRIBUT", "Forma de Tributação", "RM020FORM_TRIBUT", Entrada::Lista},
    {"dbcbRM020SIT_SLD_PER_ANT", "Situação do saldo da escrituração do período anterior",
     "RM020SIT_SLD_PER_ANT", Entrada::Lista},
    {"dbcbRegM020Form_trib_tri", "Apuração do Trimestre", "RM020FORM_TRIB_TRI", Entrada::Lista},
};

} // namespace

PaginaRegistroM020::PaginaRegistroM020(platform::DataSet& sped, QWidget* parent)
    : PaginaRegistro(QStringLiteral("    Registro M020 - Qualificação da Pessoa Jurídica e Retificação"),
                     parent) {
    auto* form = new QVBoxLayout;
    form->setSpacing(3);
    for (const CampoPagina& campo : campos) {
        const Controle c = cria(campo, sped, this);
        form->addWidget(c.rotulo);
        form->addWidget(c.controle);
        form->addSpacing(6);
    }
    auto* envolta = new QHBoxLayout;
    envolta->addLayout(form, 3);
    envolta->addStretch(1);
    corpo()->addLayout(envolta);
    corpo()->addStretch();
}

} // namespace ui
