#include "relatorios/TqrPlanoReferencial.h"

#include "data/dmFCONT.h"
#include "relatorios/CabecalhoRelatorio.h"

namespace relatorios {

TqrPlanoReferencial::TqrPlanoReferencial(data::TdmFCONT& dm) : m_dm(dm) {
    titulo = QStringLiteral("Plano de Contas Referencial");
    dataSet = &dm.cdsPlanoRef;
    MontaCabecalho(PageHeaderBand1, QStringLiteral("QRLabel1"), titulo, QStringLiteral("QRLabel3"),
                   QStringLiteral("QRLabel5"), dm);
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel6"), QStringLiteral("Conta"), 0, 35));
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel7"), QStringLiteral("Descrição"), 35, 95));
    PageHeaderBand1.adiciona(
        Coluna(QStringLiteral("QRLabel2"), QStringLiteral("Início Validade"), 130, 25, Qt::AlignHCenter));
    PageHeaderBand1.adiciona(
        Coluna(QStringLiteral("QRLabel4"), QStringLiteral("Fim Validade"), 155, 25, Qt::AlignHCenter));
    PageHeaderBand1.adiciona(
        Coluna(QStringLiteral("QRLabel8"), QStringLiteral("Tipo"), 180, 10, Qt::AlignHCenter));

    DetailBand1.altura = 4.5;
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbCOD_CTA_REF"), QStringLiteral("COD_CTA_REF"), 0, 35));
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbDESCRICAO"), QStringLiteral("DESCRICAO"), 35, 95));
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbDTINIVALIDADE"), QStringLiteral("DT_INI_VALIDADE"), 130, 25,
                              Qt::AlignHCenter));
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbDTFINVALIDADE"), QStringLiteral("DT_FIN_VALIDADE"), 155, 25,
                              Qt::AlignHCenter));
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbTIPO"), QStringLiteral("TIPO"), 180, 10, Qt::AlignHCenter));
    DetailBand1.antesDeImprimir = [this](platform::Banda& banda) { DetailBand1BeforePrint(banda); };
}

void TqrPlanoReferencial::DetailBand1BeforePrint(platform::Banda& banda) {
    const QColor cor = CorDoTipo(m_dm.cdsPlanoRef.fieldByName(QStringLiteral("TIPO")).asString());
    for (platform::TextoBanda& texto : banda.textos)
        texto.cor = cor;
}

} // namespace relatorios
