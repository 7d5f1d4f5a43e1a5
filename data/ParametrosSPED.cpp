#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/TabelasCodigos.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"

namespace data {

using common::Trim;

void TdmFCONT::quSPEDNewRecord() {
    quSPED.fieldByName(QStringLiteral("SPCODIGO"))
        .setValue(common::BuscaValorInteiro(QStringLiteral("coalesce(MAX(SPCODIGO) + 1, 1)"),
                                            QStringLiteral("AUGC80SP"), QString(), quExec));
    quSPED.fieldByName(QStringLiteral("SPID")).setValue(QStringLiteral("T"));
    quSPED.fieldByName(QStringLiteral("R0000COD_VER")).setValue(QStringLiteral("000"));
    quSPED.fieldByName(QStringLiteral("R0000COD_FIN")).setValue(0);
    quSPED.fieldByName(QStringLiteral("R0000IND_ATIV")).setValue(0);
    quSPED.fieldByName(QStringLiteral("SPNOME")).setValue(QStringLiteral("SPED FCONT - <Nome da Empresa>"));
    quSPED.fieldByName(QStringLiteral("RM020IND_LCTO_INI_SLD")).setValue(QStringLiteral("1"));
    quSPED.fieldByName(QStringLiteral("RM020FORM_APUR")).setValue(QStringLiteral("A"));
    quSPED.fieldByName(QStringLiteral("RM030VL_LUC_LIQ")).setValue(0.0);
}

void TdmFCONT::quSPEDBeforePost() {
    // Only a new set is checked: an existing one may have been saved by an older version.
    if (quSPED.state() != platform::DataSetState::Insert)
        return;
    const QString aviso = QStringLiteral("Aviso: operação abortada.\rEmpresa não selecionada!");
    if (Trim(quSPED.fieldByName(QStringLiteral("FILIAL")).asString()).isEmpty())
        common::MostraMensagem(aviso, true);
    else if (quSPED.fieldByName(QStringLiteral("EMPRESA")).asInteger() < 1)
        common::MostraMensagem(aviso, true);
}

void TdmFCONT::quSPEDAfterPost() {
    trBanco.commitRetaining();
}

// A deletion lasts like a post: the transaction stays open as long as the window shows the set
// and is rolled back when the program ends.
void TdmFCONT::quSPEDAfterDelete() {
    trBanco.commitRetaining();
}

void TdmFCONT::ligaTabelasDeCodigos() {
    for (const TabelaCodigos& tabela : TabelasCodigosSPED()) {
        platform::Field& campo = quSPED.fieldByName(tabela.campo);
        campo.onGetText = [&tabela](const platform::Field&, const QVariant& valor) {
            return tabela.textoDe(valor.isValid() ? valor.toString() : QString());
        };
    }
    // The quarter's taxation is four characters wide but holds one code.
    quSPED.fieldByName(QStringLiteral("RM020FORM_TRIB_TRI")).onSetText =
        [](platform::Field& campo, const QString& texto) { campo.setAsString(texto.left(1)); };
    // The referential entity is chosen by its text; anything else leaves the value alone.
    platform::Field& entidade = quSPED.fieldByName(QStringLiteral("RI051COD_ENT_REF"));
    entidade.onSetText = [](platform::Field& campo, const QString& texto) {
        const TabelaCodigos& tabela = TabelaCodigosDe(QStringLiteral("RI051COD_ENT_REF"));
        for (const ItemCodigo& item : tabela.itens)
            if (Trim(texto) == item.exibicao) {
                campo.setAsString(item.codigo);
                return;
            }
    };
    entidade.onChange = [](platform::Field&) { CarregaPlanoReferencial(); };
}

} // namespace data
