#pragma once

#include "validacao/Achado.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace ui {

class GradeAchados;

// Findings in their grid, what was checked and the summary above them, and the buttons
// "Exportar Excel" and "Fechar". It stays open beside the
// main window, so the user can go from finding to finding while mending them.
class TfmAchados : public QWidget {
public:
    explicit TfmAchados(QWidget* parent = nullptr);

    // `origem` names what was checked ("Arquivo: ..."), `resumo` is the summary (may hold more
    // than one line); the window's title is the caller's.
    void mostra(const QString& origem, const QString& resumo, const validacao::Achados& achados);

    GradeAchados* grade() const { return m_grade; }
    QLabel* laOrigem() const { return m_origem; }
    QLabel* laResumo() const { return m_resumo; }
    QPushButton* btExportar() const { return m_exportar; }
    QPushButton* btFechar() const { return m_fechar; }

    // Writes the findings as the grid shows them (filter and order) to the workbook the user
    // names, in the grid's column description.
    void btExportarClick();

    // The name of the workbook to write; empty when the user gave none. A seam for the tests.
    using NomeArquivo = std::function<QString(QWidget* pai)>;
    static NomeArquivo& escolheArquivoExcel();

private:
    GradeAchados* m_grade;
    QLabel* m_origem;
    QLabel* m_resumo;
    QPushButton* m_exportar;
    QPushButton* m_fechar;
};

} // namespace ui
