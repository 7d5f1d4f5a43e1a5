#pragma once

#include "conferencia/Conferencia.h"
#include "conferencia/Sugestoes.h"

#include <QAbstractTableModel>
#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace ui {

class GradeAchados;
class TfmPrincipal;

// The suggestions in the columns of conferencia::ColunasSugestoes, each with its tick box.
class ModeloSugestoes : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the rows, none ticked.
    void mostra(const QList<conferencia::Sugestao>& sugestoes);
    const QList<conferencia::Sugestao>& sugestoes() const { return m_sugestoes; }
    QList<conferencia::Sugestao> marcadas() const;
    bool marcada(int linha) const { return m_marcadas.value(linha); }
    void marca(int linha, bool marcada);
    // Ticks every row at or above the confidence (as it reads in the grid) and unticks the rest.
    void marcaAPartirDe(double confianca);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<conferencia::Sugestao> m_sugestoes;
    QList<bool> m_marcadas;
};

// The conferência of the open set beside the main window: its findings in the findings grid, the
// suggestions for the accounts without a referential account with "Aceitar marcadas", and
// "Conferir" again. A double-click on a finding or a suggestion goes to where it is mended.
class TfmConferencia : public QWidget {
public:
    explicit TfmConferencia(TfmPrincipal& principal, QWidget* parent = nullptr);

    void mostra(const conferencia::ResultadoConferencia& resultado,
                const QList<conferencia::Sugestao>& sugestoes);

    // Handlers.
    void btConferirClick();
    void btMarcarClick();
    void btAceitarMarcadasClick();
    void dbgdSugestoesDblClick(int linha);

    GradeAchados* grade() const { return m_grade; }
    QTableView* dbgdSugestoes() const { return m_sugestoes; }
    ModeloSugestoes* modeloSugestoes() const { return m_modelo; }
    QLabel* laResumo() const { return m_resumo; }
    QSpinBox* edConfianca() const { return m_confianca; }
    QPushButton* btMarcar() const { return m_marcar; }
    QPushButton* btAceitarMarcadas() const { return m_aceitar; }
    QPushButton* btConferir() const { return m_conferir; }
    QPushButton* btFechar() const { return m_fechar; }

private:
    TfmPrincipal& m_principal;
    GradeAchados* m_grade;
    QTableView* m_sugestoes;
    ModeloSugestoes* m_modelo;
    QLabel* m_resumo;
    QLabel* m_tituloSugestoes;
    QSpinBox* m_confianca;
    QPushButton* m_marcar;
    QPushButton* m_aceitar;
    QPushButton* m_conferir;
    QPushButton* m_fechar;
};

// Runs the conferência of the open set and its suggestions (the conferência's window shows them).
struct Conferencia {
    conferencia::ResultadoConferencia resultado;
    QList<conferencia::Sugestao> sugestoes;
};
Conferencia ConfereComSugestoes();

} // namespace ui
