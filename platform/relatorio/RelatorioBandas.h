#pragma once

#include <QColor>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace platform {

class DataSet;

// One text of a band: a fixed label, or a data text that shows a field of the report's dataset
// on the row being printed. Positions are millimetres from the band's top-left corner.
struct TextoBanda {
    QString nome;  // component name, as the report's code refers to it
    QString texto; // a label's caption
    QString campo; // a data text's field; empty for a label
    QRectF area;
    Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter;
    QColor cor = Qt::black;
    double pontos = 8;
    bool negrito = false;
};

struct Banda {
    QString nome;
    double altura = 5; // millimetres
    bool linhaInferior = false;
    std::vector<TextoBanda> textos;
    // Runs before every print of the band, with the dataset on the row to print; it may change the
    // texts' colours and captions. The band always prints.
    std::function<void(Banda&)> antesDeImprimir;

    TextoBanda& adiciona(TextoBanda texto);
    TextoBanda& texto(const QString& nome); // throws std::invalid_argument
};

// One band as it came out: on which page and where, and what each of its texts showed in which
// colour. The layout of the pages is a list of these, so tests can read what a report printed.
struct BandaImpressa {
    int pagina = 1; // 1-based
    QString banda;
    double topo = 0; // millimetres below the top of the printable area
    QStringList textos;
    QList<QColor> cores;
};

// A banded report: a page header band on top of every page and a detail band printed once per
// row of the dataset, from the first row to the last; "Página N de M" at the foot of every page.
class RelatorioBandas {
public:
    RelatorioBandas();
    virtual ~RelatorioBandas() = default;
    RelatorioBandas(const RelatorioBandas&) = delete;
    RelatorioBandas& operator=(const RelatorioBandas&) = delete;

    QString titulo; // the document's title in a PDF
    Banda PageHeaderBand1;
    Banda DetailBand1;
    DataSet* dataSet = nullptr; // none: a report of its header only
    // The dataset's views are told nothing while the report runs through its rows, and are
    // told once at the end that everything may have changed.
    bool suspendeVinculos = false;
    QPageLayout pagina;

    // Runs through the dataset and lays the bands out on pages; the dataset's current row ends
    // where it was. Called by every print, so a preview shows the data as it is then.
    const std::vector<BandaImpressa>& prepara();
    const std::vector<BandaImpressa>& bandas() const { return m_bandas; }
    int paginas() const { return m_paginas; }

    // Prepares and paints every page; the device's page layout is set from `pagina`. Returns the
    // number of pages.
    int imprime(QPagedPaintDevice& dispositivo);
    // Writes through platform::GravacaoSegura: an earlier file of that name stays as it was until
    // the new one is complete. While it writes, pending events are processed after every row and
    // band, so a hook there may stop the run by throwing; the file is then not written. Throws
    // std::runtime_error (ErroGravacao) when the file cannot be written.
    int salvaPdf(const QString& arquivo);

private:
    void percorre(const std::function<void()>& porLinha);
    void atendeInterrupcao() const;
    void registra(Banda& banda, double& topo);
    void pinta(QPainter& pintor, const BandaImpressa& impressa, const Banda& banda, double escala) const;

    std::vector<BandaImpressa> m_bandas;
    int m_paginas = 0;
    double m_alturaUtil = 0;
    bool m_gravando = false;
};

} // namespace platform
