#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"

namespace data {

using common::Trim;

QVariant TdmFCONT::procuraPlanoRef(const QVariant& codigo, const QString& campo) const {
    if (!codigo.isValid() || !cdsPlanoRef.active())
        return {};
    const platform::Field& conta = cdsPlanoRef.fieldByName(QStringLiteral("COD_CTA_REF"));
    const platform::Field& alvo = cdsPlanoRef.fieldByName(campo);
    const QString procurado = codigo.toString();
    for (int i = 0; i < cdsPlanoRef.recordCount(); ++i)
        if (cdsPlanoRef.valueAt(i, conta.index()).toString() == procurado)
            return alvo.convert(cdsPlanoRef.valueAt(i, alvo.index()));
    return {};
}

void TdmFCONT::quRegI050I051BeforeOpen() {
    CarregaPlanoReferencial();
    AtribuiCodigoConfiguracao(quRegI050I051);
}

void TdmFCONT::quRegI050I051NewRecord() {
    quRegI050I051.fieldByName(QStringLiteral("SPASCODIGO"))
        .setValue(common::BuscaValorInteiro(QStringLiteral("coalesce(MAX(SPASCODIGO) + 1, 1)"),
                                            QStringLiteral("AUGC80SPAS"), QString(), quExec));
    quRegI050I051.fieldByName(QStringLiteral("SPCODIGO")).setValue(quSPED.fieldByName(QStringLiteral("SPCODIGO")).value());
    quRegI050I051.fieldByName(QStringLiteral("PACODIGO")).setValue(quSPED.fieldByName(QStringLiteral("EMPRESA")).value());
}

void TdmFCONT::quRegI050I051BeforePost() {
    if (quRegI050I051.fieldByName(QStringLiteral("PCTIPO")).asString() == QLatin1String("S") &&
        !Trim(quRegI050I051.fieldByName(QStringLiteral("COD_AGL")).asString()).isEmpty())
        common::MostraMensagem(QStringLiteral("Aviso: operação abortada.\rO campo \"Cod. Aglutinação\" deve ser "
                                              "preenchido somente para as Contas Analíticas!"),
                               true);
}

void TdmFCONT::quRegI050I051AfterPost() { trBanco.commitRetaining(); }

void TdmFCONT::quRegI050I051AfterDelete() { trBanco.commitRetaining(); }

void TdmFCONT::quRegJ930oldBeforeOpen() { AtribuiCodigoConfiguracao(quRegJ930old); }

void TdmFCONT::quRegJ930oldNewRecord() {
    quRegJ930old.fieldByName(QStringLiteral("SPSGCODIGO"))
        .setValue(common::BuscaValorInteiro(QStringLiteral("coalesce(MAX(SPSGCODIGO) + 1, 1)"),
                                            QStringLiteral("AUGC80SPSG"), QString(), quExec));
    quRegJ930old.fieldByName(QStringLiteral("SPCODIGO")).setValue(quSPED.fieldByName(QStringLiteral("SPCODIGO")).value());
    quRegJ930old.fieldByName(QStringLiteral("SPSGREG")).setValue(QStringLiteral("J930"));
}

void TdmFCONT::quRegJ930oldAfterPost() { trBanco.commitRetaining(); }

void TdmFCONT::quRegJ930oldSPSGIDENT_QUALIFChange() {
    // Narrows the code list to the chosen qualification and lets it go again; the code itself
    // is kept as the user's own entry (the column is read only on screen).
    cdsListas.setFilter(QStringLiteral("REGISTRO = 'J930' and CAMPO = 'IDENT_QUALIF' and DESCRICAO = ") +
                        common::Q(Trim(quRegJ930old.fieldByName(QStringLiteral("SPSGIDENT_QUALIF")).asString())));
    cdsListas.setFiltered(true);
    cdsListas.setFiltered(false);
}

} // namespace data
