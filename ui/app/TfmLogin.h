#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

// Asks for the database server's user name and password, checks them with the server, connects
// the data module and opens the main window. Any closing of this window ends the program; after
// a successful login it is only hidden.
class TfmLogin : public QWidget {
    Q_OBJECT
public:
    explicit TfmLogin(QWidget* parent = nullptr);
    ~TfmLogin() override;

    QLabel* imChave;
    QLabel* laTitulo;
    QLabel* laUsuario;
    QLineEdit* edUsuario;
    QLabel* laSenha;
    QLineEdit* edSenha;
    QPushButton* buOK;
    QPushButton* buCancelar;

    // The lines of FCONT.ini read at show time, used by every attempt.
    QStringList slConfiguracao;

    void FormShow();
    // Asks for the database path and writes FCONT.ini; false (after the message and the
    // termination) when no path was given.
    bool ConfiguraConexao();
    void ValidaLogin();
    void buOKClick();
    void buCancelarClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};

} // namespace ui
