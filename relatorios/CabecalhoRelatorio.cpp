#include "relatorios/CabecalhoRelatorio.h"

#include "data/dmFCONT.h"

#include <QDate>
#include <QLocale>

namespace relatorios {

namespace {
constexpr double alturaTitulo = 8;
constexpr double alturaLinha = 5;
constexpr double larguraUtil = 190;
} // namespace

void MontaCabecalho(platform::Banda& cabecalho, const QString& rotuloTitulo, const QString& titulo,
                    const QString& rotuloConfiguracao, const QString& rotuloData, const data::TdmFCONT& dm) {
    platform::TextoBanda t;
    t.nome = rotuloTitulo;
    t.texto = titulo;
    t.area = QRectF(0, 0, larguraUtil, alturaTitulo);
    t.pontos = 13;
    t.negrito = true;
    cabecalho.adiciona(t);

    QString configuracao;
    const platform::Query& sped = dm.quSPED;
    if (sped.active() && !sped.isEmpty())
        configuracao = QStringLiteral("Configuração: %1 - %2")
                           .arg(sped.fieldByName(QStringLiteral("SPCODIGO")).displayText(),
                                sped.fieldByName(QStringLiteral("SPNOME")).displayText().trimmed());
    platform::TextoBanda c;
    c.nome = rotuloConfiguracao;
    c.texto = configuracao;
    c.area = QRectF(0, alturaTitulo, larguraUtil * 0.7, alturaLinha);
    cabecalho.adiciona(c);

    platform::TextoBanda d;
    d.nome = rotuloData;
    d.texto = QStringLiteral("Emitido em ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    d.area = QRectF(larguraUtil * 0.7, alturaTitulo, larguraUtil * 0.3, alturaLinha);
    d.alinhamento = Qt::AlignRight | Qt::AlignVCenter;
    cabecalho.adiciona(d);

    cabecalho.altura = alturaTitulo + 2 * alturaLinha + 2;
    cabecalho.linhaInferior = true;
}

platform::TextoBanda Coluna(const QString& nome, const QString& texto, double esquerda, double largura,
                            Qt::Alignment alinhamento) {
    platform::TextoBanda t;
    t.nome = nome;
    t.texto = texto;
    t.area = QRectF(esquerda, alturaTitulo + alturaLinha + 1, largura - 1, alturaLinha);
    t.alinhamento = alinhamento | Qt::AlignVCenter;
    t.negrito = true;
    return t;
}

platform::TextoBanda Dado(const QString& nome, const QString& campo, double esquerda, double largura,
                          Qt::Alignment alinhamento) {
    platform::TextoBanda t;
    t.nome = nome;
    t.campo = campo;
    t.area = QRectF(esquerda, 0, largura - 1, 4.5);
    t.alinhamento = alinhamento | Qt::AlignVCenter;
    return t;
}

QColor CorDoTipo(const QString& tipo) {
    return tipo == QLatin1String("S") ? QColor(192, 192, 192) : QColor(0, 0, 0);
}

} // namespace relatorios
