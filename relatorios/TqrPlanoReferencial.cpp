#include "relatorios/TqrPlanoReferencial.h"

#include "data/dmFCONT.h"
#include "relatorios/CabecalhoRelatorio.h"

namespace relatorios {

TqrPlanoReferencial::TqrPlanoReferencial(data::TdmFCONT& dm) : m_dm(dm) {
    titulo = QStringLiteral("Plano de Contas Referencial");
    dataSet = &dm.cdsPlanoRef;
    MontaCabecalho(PageHeaderBand1, QStringLiteral("QRLabel1"), titulo, QStringLiteral("QRLabel3"),
                   QStringLiteral("QRLabel5"), dm);
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel6"), QStringLiteral("Conta"), 0, 38));
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel7"), QStringLiteral("Descrição"), 38, 100));
    PageHeaderBand1.adiciona(
        Coluna(QStringLiteral("QRLabel2"), QStringLiteral("Início Validade"), 138, 21, Qt::AlignHCenter));
    PageHeaderBand1.adiciona(
        Coluna(QStringLiteral("QRLabel4"), QStringLiteral("Fim Validade"), 159, 21, Qt::AlignHCenter));
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel8"), QStringLiteral("Tipo"), 180, 10, Qt::AlignHCenter));

    DetailBand1.altura = 4.5;
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbCOD_CTA_REF"), QStringLiteral("COD_CTA_REF"), 0, 38));
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbDESCRICAO"), QStringLiteral("DESCRICAO"), 38, 100));
    DetailBand1.adiciona(
        Dado(QStringLiteral("qrdbDTINIVALIDADE"), QStringLiteral("DT_INI_VALIDADE"), 138, 21, Qt::AlignHCenter));
    DetailBand1.adiciona(
        Dado(QStringLiteral("qrdbDTFINVALIDADE"), QStringLiteral("DT_FIN_VALIDADE"), 159, 21, Qt::AlignHCenter));
    DetailBand1.adiciona(Dado(QStringLiteral("qrdbTIPO"), QStringLiteral("TIPO"), 180, 10, Qt::AlignHCenter));
    DetailBand1.antesDeImprimir = [this](platform::Banda& banda) { DetailBand1BeforePrint(banda); };
}

void TqrPlanoReferencial::DetailBand1BeforePrint(platform::Banda& banda) {
    const QColor cor = CorDoTipo(m_dm.cdsPlanoRef.fieldByName(QStringLiteral("TIPO")).asString());
    for (platform::TextoBanda& texto : banda.textos)
        texto.cor = cor;
}

} // namespace relatorios
