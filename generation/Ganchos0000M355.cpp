#include "generation/dmBlocos.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "generation/LinhaRegistro.h"

namespace generation {

namespace {

// A null date counts as the zero date of the original data (30 December 1899), so a missing
// end date fails the period check and a missing start date fails the one-year rule.
QDate dataOuZero(const platform::Field& campo) {
    const QDate data = campo.asDateTime().date();
    return data.isValid() ? data : QDate(1899, 12, 30);
}

void trocaSinalNegativo(platform::Field& campo) {
    if (common::ArredondaValor(campo.asFloat()) < 0)
        campo.setValue(-campo.asFloat());
}

} // namespace

// The period is checked before the opening line is written, so a rejected 0000 row leaves the
// file empty.
void TdmBlocos::cdsReg0000AfterPost() {
    // An empty date would reach the balance statements as SQL null; it is named here instead.
    for (const auto& [campo, nome] : {std::pair{"DT_INI", "Inicial"}, std::pair{"DT_FIN", "Final"}})
        if (cdsReg0000.fieldByName(QLatin1String(campo)).isNull())
            common::MostraMensagem(
                QStringLiteral("Operação Abortada: \rData %1 do Período de Geração do arquivo não "
                               "informada!\rInforme a Data %1 na configuração.")
                    .arg(QLatin1String(nome)),
                true);
    const QDate inicio = dataOuZero(cdsReg0000.fieldByName(QStringLiteral("DT_INI")));
    const QDate fim = dataOuZero(cdsReg0000.fieldByName(QStringLiteral("DT_FIN")));
    if (fim < inicio)
        common::MostraMensagem(QStringLiteral("Operação Abortada: \rPeríodo de Geração do arquivo inválido!"),
                               true);
    // Only a special-situation indicator lets the period span two years.
    if (common::Trim(cdsReg0000.fieldByName(QStringLiteral("IND_SIT_ESP")).asString()).isEmpty() &&
        inicio.year() != fim.year())
        common::MostraMensagem(
            QStringLiteral("Operação Abortada: \rData de início e fim devem estar contidas em um mesmo ano e "
                           "\rcorrespondem ao período das informações contidas no Bloco I."),
            true);
    EscreveLinha(cdsReg0000);
}

// M355 carries the sign of its balances in the D/C indicators only.
void TdmBlocos::cdsRegM355BeforePost() {
    if (!cdsRegM355.editing())
        return;
    trocaSinalNegativo(cdsRegM355.fieldByName(QStringLiteral("VL_SLD_FIN_SOC")));
    trocaSinalNegativo(cdsRegM355.fieldByName(QStringLiteral("VL_SLD_FIN_FC_AL")));
}

} // namespace generation
