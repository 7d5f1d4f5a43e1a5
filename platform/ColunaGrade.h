#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

#include <vector>

namespace platform {

// Where a described column appears: a grid, the spreadsheet written from it, the printed report.
enum Vista : unsigned { NaGrade = 1u, NaPlanilha = 2u, NoRelatorio = 4u, EmTodas = 7u };

// One column of a grid as the design lays it out, and the one description its spreadsheet and
// its report read as well, so the three never disagree on what a column shows.
struct ColunaGrade {
    QString campo{};
    QString titulo{};
    int largura = 0; // design pixels for a small 8-point face; 0: the grid's default
    bool somenteLeitura = false;
    QStringList lista{}; // pick list offered while the cell is edited
    bool botao = false;  // the cell's editor has a "..." button that opens a search window
    bool cinza = false;  // grey background: a code filled in by the program
    QString mascara{};   // the cell is typed through this input mask and its digits alone are stored
    unsigned vistas = EmTodas;
    Qt::Alignment alinhamento = Qt::AlignLeft;

    bool em(Vista vista) const { return (vistas & vista) != 0; }
};

// The columns of a description meant for one view, in their order.
inline std::vector<ColunaGrade> ColunasDa(const std::vector<ColunaGrade>& colunas, Vista vista) {
    std::vector<ColunaGrade> escolhidas;
    for (const ColunaGrade& c : colunas)
        if (c.em(vista))
            escolhidas.push_back(c);
    return escolhidas;
}

} // namespace platform
