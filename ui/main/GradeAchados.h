#pragma once

#include "ui/main/GradeColunas.h"
#include "validacao/TabelaAchados.h"

#include <QWidget>

#include <functional>

class QLabel;
class QRadioButton;
class QTableView;

namespace ui {

// The findings' rows in their described columns: the severity cell in its colour, a click on a
// title sorts the table by that column.
class ModeloAchados : public ModeloGrade {
public:
    ModeloAchados(validacao::TabelaAchados& tabela, QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    validacao::TabelaAchados& tabela() const { return m_tabela; }

private:
    validacao::TabelaAchados& m_tabela;
};

// Background and text of a severity's cell: red for an error, yellow for a warning.
struct CoresGravidade {
    QColor fundo, texto;
};
CoresGravidade CoresDaGravidade(validacao::Gravidade gravidade);

// The bold, wrapping summary line ("laResumo") above a window's findings.
QLabel* RotuloResumo(QWidget* pai);

// The findings of one check with the severity filter above them ("Todos", "Erros", "Avisos") and
// the current finding's whole message below. A
// double-click on a finding, or Return on it, hands it to `aoEscolher`. Any window that shows
// findings puts this grid in it.
class GradeAchados : public QWidget {
public:
    explicit GradeAchados(QWidget* parent = nullptr);

    void mostra(const validacao::Achados& achados);
    void filtra(validacao::FiltroGravidade filtro);

    validacao::TabelaAchados& tabela() { return m_tabela; }
    ModeloAchados* modelo() const { return m_modelo; }
    QTableView* dbgdAchados() const { return m_grade; }
    QRadioButton* rbTodos() const { return m_todos; }
    QRadioButton* rbErros() const { return m_erros; }
    QRadioButton* rbAvisos() const { return m_avisos; }
    // The whole message of the current finding, below the grid.
    QLabel* laMensagem() const { return m_mensagem; }

    std::function<void(const validacao::Achado&)> aoEscolher;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void escolhe(int linha);
    void mostraMensagemAtual();

    validacao::TabelaAchados m_tabela;
    ModeloAchados* m_modelo;
    QTableView* m_grade;
    QRadioButton* m_todos;
    QRadioButton* m_erros;
    QRadioButton* m_avisos;
    QLabel* m_mensagem;
};

} // namespace ui
