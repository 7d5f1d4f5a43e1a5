#pragma once

#include "data/PesquisaGeral.h"
#include "platform/Query.h"

#include <QDialog>
#include <array>
#include <optional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class QToolButton;
class QWidget;

namespace platform {
class DataSetModel;
}

namespace ui {

// The general search window: a configured set of search fields over one table; see
// AbrePesquisaGeral.
class TfmPesquisaGeral : public QDialog {
public:
    explicit TfmPesquisaGeral(QWidget* parent = nullptr);
    ~TfmPesquisaGeral() override;

    void DefinePesquisa(int tipo);
    void ConfiguraCampos(const data::ConfiguracaoPesquisa& config, platform::DataSet& dataSet);
    // Builds and runs the search and its count; the count's failure leaves `encontrados` empty.
    void ExecutaPesquisa(QString& encontrados);
    static void CarregaCombo(const platform::DataSet& dataSet, QComboBox& combo);

    void bbPesquisaClick();
    void dbgdPesquisaGeralDblClick();
    void teclaF3();

    data::Onde onde() const;
    const data::ConfiguracaoPesquisa& configuracao() const { return m_config; }
    // Moves the result to the grid's current row.
    void sincronizaLinha();

    QWidget* paSelecao = nullptr;
    QGroupBox* gbSelecao = nullptr;
    std::array<QLabel*, 7> laCampo{};
    std::array<QLineEdit*, 7> mdCampo{};
    std::array<QToolButton*, 6> sbPesq{};
    QComboBox* cbCampos = nullptr;
    QLineEdit* edAlternativo = nullptr;
    QPushButton* bbPesquisa = nullptr;
    QGroupBox* rgOrdem = nullptr;
    QButtonGroup* grupoOrdem = nullptr;
    QGroupBox* rgOnde = nullptr;
    QButtonGroup* grupoOnde = nullptr;
    QTableView* dbgdPesquisaGeral = nullptr;
    QStatusBar* stInformacao = nullptr;
    std::array<QLabel*, 3> paineis{};
    platform::Query quConsulta;
    platform::DataSet* DataSetPesquisa = nullptr;

private:
    void montaSelecao();
    void ajustaGrade();
    std::optional<data::CampoAlternativo> alternativo() const;
    QString mascaraDaConta() const;

    data::ConfiguracaoPesquisa m_config;
    platform::Query m_quCampos;
    platform::DataSetModel* m_modelo = nullptr;
    QWidget* m_alternativo = nullptr;
};

} // namespace ui
