#pragma once

#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace ui {

// Pages with their tabs on the left, where a page can be in view while its tab is hidden: the
// "Principal" page is shown without a tab, and at most one record page shows its own.
class ControlePaginas : public QWidget {
public:
    explicit ControlePaginas(QWidget* parent = nullptr);

    int adiciona(QWidget* pagina, const QString& legenda);
    int count() const;
    QString legenda(int indice) const;
    QWidget* pagina(int indice) const;
    void mostraAba(int indice, bool visivel);
    bool abaVisivel(int indice) const;
    void mostraPagina(int indice);
    int paginaAtual() const;
    QTabBar* abas() const { return m_abas; }

private:
    QTabBar* m_abas;
    QStackedWidget* m_paginas;
    bool m_ajustando = false;
};

} // namespace ui
