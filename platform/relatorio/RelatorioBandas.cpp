#include "platform/relatorio/RelatorioBandas.h"

#include "platform/DataSet.h"
#include "platform/DataSetNotifier.h"
#include "platform/EventLoop.h"
#include "platform/GravacaoSegura.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <stdexcept>

namespace platform {

namespace {

// Room at the foot of every page for its number.
constexpr double alturaRodape = 6;

QFont fonteDe(const TextoBanda& t) {
    QFont fonte(QStringLiteral("Sans Serif"));
    fonte.setPointSizeF(t.pontos);
    fonte.setBold(t.negrito);
    return fonte;
}

QRectF emPontos(const QRectF& mm, double escala, double topo) {
    return {mm.left() * escala, (mm.top() + topo) * escala, mm.width() * escala, mm.height() * escala};
}

} // namespace

TextoBanda& Banda::adiciona(TextoBanda texto) {
    return textos.emplace_back(std::move(texto));
}

TextoBanda& Banda::texto(const QString& nomeTexto) {
    for (TextoBanda& t : textos)
        if (t.nome == nomeTexto)
            return t;
    throw std::invalid_argument(("No text " + nomeTexto + " in band " + nome).toStdString());
}

RelatorioBandas::RelatorioBandas()
    : pagina(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
             QPageLayout::Millimeter) {
    PageHeaderBand1.nome = QStringLiteral("PageHeaderBand1");
    DetailBand1.nome = QStringLiteral("DetailBand1");
}

void RelatorioBandas::atendeInterrupcao() const {
    // A preview paints inside the toolkit's own loop, which must not run again from here.
    if (m_gravando)
        processPendingEvents();
}

void RelatorioBandas::percorre(const std::function<void()>& porLinha) {
    if (!dataSet || !dataSet->active())
        return;
    DataSetNotifier& avisos = dataSet->notifier();
    const bool bloqueado = suspendeVinculos && !avisos.signalsBlocked();
    if (bloqueado)
        avisos.blockSignals(true);
    // The views learn of the run only once it is over, whether or not it completed.
    struct Retoma {
        DataSetNotifier& avisos;
        bool bloqueado;
        ~Retoma() {
            if (!bloqueado)
                return;
            avisos.blockSignals(false);
            emit avisos.refiltered();
        }
    } retoma{avisos, bloqueado};

    const int anterior = dataSet->recNo();
    for (dataSet->first(); !dataSet->eof(); dataSet->next()) {
        porLinha();
        atendeInterrupcao();
    }
    if (anterior >= 0 && anterior < dataSet->recordCount())
        dataSet->moveTo(anterior);
}

void RelatorioBandas::registra(Banda& banda, double& topo) {
    if (banda.antesDeImprimir)
        banda.antesDeImprimir(banda);
    BandaImpressa impressa;
    impressa.pagina = m_paginas;
    impressa.banda = banda.nome;
    impressa.topo = topo;
    for (const TextoBanda& t : banda.textos) {
        impressa.textos << (t.campo.isEmpty() ? t.texto : dataSet->fieldByName(t.campo).displayText());
        impressa.cores << t.cor;
    }
    m_bandas.push_back(std::move(impressa));
    topo += banda.altura;
}

const std::vector<BandaImpressa>& RelatorioBandas::prepara() {
    m_bandas.clear();
    m_paginas = 1;
    m_alturaUtil = pagina.paintRect(QPageLayout::Millimeter).height() - alturaRodape;
    double topo = 0;
    registra(PageHeaderBand1, topo);
    percorre([&] {
        if (topo + DetailBand1.altura > m_alturaUtil && topo > PageHeaderBand1.altura) {
            ++m_paginas;
            topo = 0;
            registra(PageHeaderBand1, topo);
        }
        registra(DetailBand1, topo);
    });
    return m_bandas;
}

void RelatorioBandas::pinta(QPainter& pintor, const BandaImpressa& impressa, const Banda& banda,
                            double escala) const {
    for (qsizetype i = 0; i < impressa.textos.size() && i < static_cast<qsizetype>(banda.textos.size());
         ++i) {
        const TextoBanda& t = banda.textos[static_cast<size_t>(i)];
        const QRectF area = emPontos(t.area, escala, impressa.topo);
        pintor.setFont(fonteDe(t));
        pintor.setPen(impressa.cores[i]);
        const QString texto = pintor.fontMetrics().elidedText(impressa.textos[i], Qt::ElideRight,
                                                              static_cast<int>(area.width()));
        pintor.drawText(area, static_cast<int>(t.alinhamento), texto);
    }
    if (banda.linhaInferior) {
        pintor.setPen(QPen(Qt::black, 0.3 * escala));
        const double y = (impressa.topo + banda.altura) * escala - 0.3 * escala;
        pintor.drawLine(QPointF(0, y),
                        QPointF(pagina.paintRect(QPageLayout::Millimeter).width() * escala, y));
    }
}

int RelatorioBandas::imprime(QPagedPaintDevice& dispositivo) {
    prepara();
    dispositivo.setPageLayout(pagina);
    QPainter pintor;
    if (!pintor.begin(&dispositivo))
        throw std::runtime_error("The report's pages cannot be written");
    const double escala = dispositivo.logicalDpiY() / 25.4;
    const double largura = pagina.paintRect(QPageLayout::Millimeter).width();
    int atual = 1;
    auto rodape = [&] {
        TextoBanda numero;
        numero.pontos = 7;
        pintor.setFont(fonteDe(numero));
        pintor.setPen(Qt::black);
        pintor.drawText(emPontos(QRectF(0, m_alturaUtil + 1, largura, alturaRodape - 1), escala, 0),
                        Qt::AlignRight | Qt::AlignVCenter,
                        QStringLiteral("Página %1 de %2").arg(atual).arg(m_paginas));
    };
    for (const BandaImpressa& impressa : m_bandas) {
        if (impressa.pagina != atual) {
            rodape();
            dispositivo.newPage();
            atual = impressa.pagina;
        }
        pinta(pintor, impressa, impressa.banda == PageHeaderBand1.nome ? PageHeaderBand1 : DetailBand1,
              escala);
        atendeInterrupcao();
    }
    rodape();
    pintor.end();
    return m_paginas;
}

int RelatorioBandas::salvaPdf(const QString& arquivo) {
    GravacaoSegura gravacao(arquivo);
    int paginas = 0;
    {
        QPdfWriter escritor(&gravacao.dispositivo());
        escritor.setTitle(titulo);
        escritor.setCreator(QStringLiteral("Gerador FCONT"));
        escritor.setResolution(300);
        const bool antes = m_gravando;
        m_gravando = true;
        struct Volta {
            bool& gravando;
            bool antes;
            ~Volta() { gravando = antes; }
        } volta{m_gravando, antes};
        paginas = imprime(escritor);
    }
    gravacao.conclui();
    return paginas;
}

} // namespace platform
