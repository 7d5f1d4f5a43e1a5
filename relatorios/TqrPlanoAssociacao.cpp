#include "relatorios/TqrPlanoAssociacao.h"

#include "data/dmFCONT.h"
#include "relatorios/CabecalhoRelatorio.h"

namespace relatorios {

namespace {

// A column of the grid's default width prints as wide as the account's name.
constexpr int larguraPadrao = 240;
constexpr double larguraUtil = 190;

// The components keep their numbers: labels 1 to 6 and 10 on, as 7 to 9 belong to the header.
QString numerado(const char* prefixo, size_t i) {
    return QString::fromLatin1(prefixo) + QString::number(i < 6 ? i + 1 : i + 4);
}

} // namespace

TqrPlanoAssociacao::TqrPlanoAssociacao(data::TdmFCONT& dm,
                                       const std::vector<platform::ColunaGrade>& descricao)
    : m_dm(dm) {
    titulo = QStringLiteral("Associação do Plano de Contas ao Plano Referencial");
    dataSet = &dm.quRegI050I051;
    // The grid of the chart page follows this dataset; it must not redraw for every printed row.
    suspendeVinculos = true;
    const std::vector<platform::ColunaGrade> colunas = platform::ColunasDa(descricao, platform::NoRelatorio);
    double total = 0;
    for (const platform::ColunaGrade& c : colunas)
        total += c.largura > 0 ? c.largura : larguraPadrao;
    double esquerda = 0;
    for (size_t i = 0; i < colunas.size(); ++i) {
        const platform::ColunaGrade& c = colunas[i];
        const double largura = larguraUtil * (c.largura > 0 ? c.largura : larguraPadrao) / total;
        PageHeaderBand1.adiciona(Coluna(numerado("QRLabel", i), c.titulo, esquerda, largura, c.alinhamento));
        DetailBand1.adiciona(Dado(numerado("QRDBText", i), c.campo, esquerda, largura, c.alinhamento));
        esquerda += largura;
    }
    MontaCabecalho(PageHeaderBand1, QStringLiteral("QRLabel7"), titulo, QStringLiteral("QRLabel8"),
                   QStringLiteral("QRLabel9"), dm);
    DetailBand1.altura = 4.5;
    DetailBand1.antesDeImprimir = [this](platform::Banda& banda) { DetailBand1BeforePrint(banda); };
}

void TqrPlanoAssociacao::DetailBand1BeforePrint(platform::Banda& banda) {
    const QColor cor = CorDoTipo(m_dm.quRegI050I051.fieldByName(QStringLiteral("PCTIPO")).asString());
    for (platform::TextoBanda& texto : banda.textos)
        texto.cor = cor;
}

} // namespace relatorios
