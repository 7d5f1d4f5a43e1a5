#pragma once

#include "data/Pesquisas.h"
#include "platform/Query.h"

#include <QDialog>
#include <memory>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace platform {
class DataSet;
class DataSetModel;
} // namespace platform

namespace ui {

class ModeloPesquisa;

// The lookup window over one kind's source; see AbrePesquisa.
class TfmPesquisa : public QDialog {
public:
    explicit TfmPesquisa(QWidget* parent = nullptr);
    ~TfmPesquisa() override;

    QString TipoPesquisa;

    // Both raise the silent abort after their failure box.
    void ConfiguraPesquisa();
    void CarregaPesquisa();
    void dbgdPesquisaDblClick();

    // The key of the grid's current row, as the kind returns it.
    QString chaveAtual();
    data::ModoBusca modo() const;

    QGroupBox* gbCampo = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    QPushButton* buOK = nullptr;
    QGroupBox* rgOrdenar = nullptr;
    QButtonGroup* grupoOrdenar = nullptr;
    QGroupBox* rgOnde = nullptr;
    QButtonGroup* grupoOnde = nullptr;
    QTableView* dbgdPesquisa = nullptr;
    platform::Query quPesquisa;

private:
    void montaCampos();
    void montaOpcoes();
    void ligaGrade(platform::DataSet& dataSet);
    void sincronizaLinha();

    const data::FontePesquisa* m_fonte = nullptr;
    platform::DataSet* m_dataSet = nullptr;
    ModeloPesquisa* m_modelo = nullptr;
};

} // namespace ui
