#pragma once

#include "platform/Query.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTableView;

namespace platform {
class DataSetModel;
}

namespace ui {

// The list of this program's parameter sets, from which the user opens one, starts a new one,
// deletes one or leaves the program.
class TfmConfiguracao : public QDialog {
    Q_OBJECT
public:
    explicit TfmConfiguracao(QWidget* parent = nullptr);
    ~TfmConfiguracao() override;

    platform::Query quConfig;
    // Empty (open), "NOVO" or "EXCLUIR".
    QString Acao;

    QPushButton* laAbrir;
    QPushButton* laNovo;
    QPushButton* laExcluir;
    QPushButton* laSair;
    QTableView* dbgdConfig;
    QLabel* stInfo;

    // SPCODIGO of the grid's current row, 0 when the list is empty.
    int codigoAtual() const;

    void FormShow();
    void quConfigAfterOpen();
    void laAbrirClick();
    void dbgdConfigDblClick();
    void laNovoClick();
    void laExcluirClick();
    void laSairClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void acompanhaLinhaAtual();
    platform::DataSetModel* m_modelo;
};

// Shows the configuration list modally (a fresh window each call, the list re-read). True when
// the window closed with OK: codigo = SPCODIGO of the grid's current row (0 when the list is
// empty), acao = "" (open), "NOVO" or "EXCLUIR". Otherwise both are left unchanged.
bool SelecionaConfiguracao(int& codigo, QString& acao);

} // namespace ui
