#include "ui/main/ControlePaginas.h"

#include <QHBoxLayout>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace ui {

ControlePaginas::ControlePaginas(QWidget* parent) : QWidget(parent) {
    m_abas = new QTabBar(this);
    m_abas->setShape(QTabBar::RoundedWest);
    m_abas->setExpanding(false);
    m_abas->setDrawBase(false);
    m_paginas = new QStackedWidget(this);
    m_paginas->setFrameShape(QFrame::StyledPanel);
    auto* coluna = new QVBoxLayout;
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->addWidget(m_abas);
    coluna->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(coluna);
    layout->addWidget(m_paginas, 1);
    connect(m_abas, &QTabBar::currentChanged, this, [this](int indice) {
        if (!m_ajustando && indice >= 0 && abaVisivel(indice))
            m_paginas->setCurrentIndex(indice);
    });
}

int ControlePaginas::adiciona(QWidget* pagina, const QString& legenda) {
    m_ajustando = true;
    const int indice = m_abas->addTab(legenda);
    m_paginas->addWidget(pagina);
    m_ajustando = false;
    return indice;
}

int ControlePaginas::count() const {
    return m_abas->count();
}
QString ControlePaginas::legenda(int indice) const {
    return m_abas->tabText(indice);
}
QWidget* ControlePaginas::pagina(int indice) const {
    return m_paginas->widget(indice);
}
bool ControlePaginas::abaVisivel(int indice) const {
    return m_abas->isTabVisible(indice);
}
int ControlePaginas::paginaAtual() const {
    return m_paginas->currentIndex();
}

void ControlePaginas::mostraAba(int indice, bool visivel) {
    m_ajustando = true;
    m_abas->setTabVisible(indice, visivel);
    m_ajustando = false;
    // The bar does not tell the layout that its width changed when tabs come and go.
    m_abas->updateGeometry();
}

void ControlePaginas::mostraPagina(int indice) {
    m_paginas->setCurrentIndex(indice);
    if (abaVisivel(indice)) {
        m_ajustando = true;
        m_abas->setCurrentIndex(indice);
        m_ajustando = false;
    }
}

} // namespace ui
