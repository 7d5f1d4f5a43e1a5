#include "relatorios/TqrPlanoAssociacao.h"

#include "data/dmFCONT.h"
#include "relatorios/CabecalhoRelatorio.h"

namespace relatorios {

TqrPlanoAssociacao::TqrPlanoAssociacao(data::TdmFCONT& dm) : m_dm(dm) {
    titulo = QStringLiteral("Associação do Plano de Contas ao Plano Referencial");
    dataSet = &dm.quRegI050I051;
    // The grid of the chart page follows this dataset; it must not redraw for every printed row.
    suspendeVinculos = true;
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel1"), QStringLiteral("Ordenação"), 0, 24));
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel2"), QStringLiteral("Conta"), 24, 64));
    PageHeaderBand1.adiciona(
        Coluna(QStringLiteral("QRLabel3"), QStringLiteral("Tipo"), 88, 9, Qt::AlignHCenter));
    PageHeaderBand1.adiciona(Coluna(QStringLiteral("QRLabel4"), QStringLiteral("Conta Ref."), 97, 28));
    PageHeaderBand1.adiciona(
        Coluna(QStringLiteral("QRLabel5"), QStringLiteral("Descrição Referencial"), 125, 65));
    MontaCabecalho(PageHeaderBand1, QStringLiteral("QRLabel7"), titulo, QStringLiteral("QRLabel8"),
                   QStringLiteral("QRLabel9"), dm);

    DetailBand1.altura = 4.5;
    DetailBand1.adiciona(Dado(QStringLiteral("QRDBText1"), QStringLiteral("PCORDENACAO"), 0, 24));
    DetailBand1.adiciona(Dado(QStringLiteral("QRDBText2"), QStringLiteral("PCDESCRICAO"), 24, 64));
    DetailBand1.adiciona(
        Dado(QStringLiteral("QRDBText3"), QStringLiteral("PCTIPO"), 88, 9, Qt::AlignHCenter));
    DetailBand1.adiciona(Dado(QStringLiteral("QRDBText4"), QStringLiteral("COD_CTA_REF"), 97, 28));
    DetailBand1.adiciona(Dado(QStringLiteral("QRDBText5"), QStringLiteral("DESCRICAO"), 125, 65));
    DetailBand1.antesDeImprimir = [this](platform::Banda& banda) { DetailBand1BeforePrint(banda); };
}

void TqrPlanoAssociacao::DetailBand1BeforePrint(platform::Banda& banda) {
    const QColor cor = CorDoTipo(m_dm.quRegI050I051.fieldByName(QStringLiteral("PCTIPO")).asString());
    for (platform::TextoBanda& texto : banda.textos)
        texto.cor = cor;
}

} // namespace relatorios
