#include "ui/app/TfmLogin.h"

#include "common/Mensagens.h"
#include "db/FirebirdError.h"
#include "db/Services.h"
#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "platform/MensagemErro.h"
#include "platform/qt/BusyCursor.h"
#include "ui/app/AplicacaoFCONT.h"
#include "ui/app/Conexao.h"
#include "ui/main/Aplicacao.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace ui {

namespace {

QPixmap desenhaChave() {
    QPixmap imagem(41, 41);
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x1d), 2));
    p.setBrush(QColor(0xf2, 0xc1, 0x2e));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(9, 9, 7, 7));
    p.setBrush(QColor(0xf2, 0xc1, 0x2e));
    QPolygonF haste;
    haste << QPointF(18, 17) << QPointF(37, 36) << QPointF(33, 39) << QPointF(30, 36) << QPointF(28, 38)
          << QPointF(25, 35) << QPointF(27, 33) << QPointF(15, 21);
    p.drawPolygon(haste);
    return imagem;
}

} // namespace

TfmLogin::TfmLogin(QWidget* parent)
    : QWidget(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("fmLogin"));
    setWindowTitle(QStringLiteral("Acesso ao Banco de Dados"));
    setFixedSize(240, 140);
    setAutoFillBackground(true);
    QPalette branco = palette();
    branco.setColor(QPalette::Window, Qt::white);
    setPalette(branco);
    // The dialog's small size was laid out for an 8-point face.
    QFont fonte = font();
    fonte.setPixelSize(11);
    setFont(fonte);

    imChave = new QLabel(this);
    imChave->setObjectName(QStringLiteral("imChave"));
    imChave->setGeometry(8, 6, 41, 41);
    imChave->setPixmap(desenhaChave());
    imChave->setAccessibleName(QStringLiteral("Chave"));
    laTitulo = new QLabel(QStringLiteral("Digite seu nome do usuário e senha."), this);
    laTitulo->setObjectName(QStringLiteral("laTitulo"));
    laTitulo->setGeometry(56, 6, 180, 41);
    laTitulo->setWordWrap(true);

    laUsuario = new QLabel(QStringLiteral("Nome do Usuário:"), this);
    laUsuario->setObjectName(QStringLiteral("laUsuario"));
    laUsuario->setGeometry(8, 54, 104, 22);
    edUsuario = new QLineEdit(this);
    edUsuario->setObjectName(QStringLiteral("edUsuario"));
    edUsuario->setGeometry(114, 54, 118, 22);
    laUsuario->setBuddy(edUsuario);
    edUsuario->setAccessibleName(laUsuario->text());

    laSenha = new QLabel(QStringLiteral("Senha:"), this);
    laSenha->setObjectName(QStringLiteral("laSenha"));
    laSenha->setGeometry(8, 80, 104, 22);
    edSenha = new QLineEdit(this);
    edSenha->setObjectName(QStringLiteral("edSenha"));
    edSenha->setGeometry(114, 80, 118, 22);
    edSenha->setEchoMode(QLineEdit::Password);
    laSenha->setBuddy(edSenha);
    edSenha->setAccessibleName(laSenha->text());

    buOK = new QPushButton(QStringLiteral("&Ok"), this);
    buOK->setObjectName(QStringLiteral("buOK"));
    buOK->setGeometry(76, 110, 75, 24);
    buCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    buCancelar->setObjectName(QStringLiteral("buCancelar"));
    buCancelar->setGeometry(157, 110, 75, 24);
    for (QPushButton* botao : {buOK, buCancelar}) {
        botao->setFocusPolicy(Qt::ClickFocus);
        botao->setAutoDefault(false);
    }

    // The password comes first in the tab order: the user name is usually filled in already.
    setTabOrder(edSenha, edUsuario);
    edSenha->setFocus();

    // The window sees the keys before its controls.
    for (QWidget* controle : {static_cast<QWidget*>(edUsuario), static_cast<QWidget*>(edSenha),
                              static_cast<QWidget*>(buOK), static_cast<QWidget*>(buCancelar)})
        controle->installEventFilter(this);

    connect(buOK, &QPushButton::clicked, this, [this] { buOKClick(); });
    connect(buCancelar, &QPushButton::clicked, this, [this] { buCancelarClick(); });

    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

TfmLogin::~TfmLogin() = default;

void TfmLogin::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfmLogin::closeEvent(QCloseEvent* event) {
    event->accept();
    TerminaAplicacao();
}

bool TfmLogin::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && !edUsuario->text().isEmpty() &&
            !edSenha->text().isEmpty()) {
            ValidaLogin();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void TfmLogin::FormShow() {
    if (QFile::exists(ArquivoConfiguracao())) {
        slConfiguracao = LeLinhasConfiguracao();
        if (slConfiguracao.size() < 3)
            edUsuario->setFocus();
        else
            edUsuario->setText(slConfiguracao.at(2));
    } else {
        if (!ConfiguraConexao())
            return;
        slConfiguracao = LeLinhasConfiguracao();
    }
    if (!edUsuario->text().trimmed().isEmpty())
        edSenha->setFocus();
}

bool TfmLogin::ConfiguraConexao() {
    const std::optional<QString> resposta = platform::dialogs().input(
        QStringLiteral("Configuração Conexão Quibrano Kalvero 3"),
        QStringLiteral("Informe o caminho da Base de Dados do sistema Quibrano Kalvero 3\r"
                       "Exemplo: 192.168.10.5:C:\\DirBaseDados\\Dadosadm.fdb"),
        QString());
    // Blanks around a pasted path would end up in the database name and never connect.
    const QString caminho = resposta.value_or(QString()).trimmed();
    if (caminho.isEmpty()) {
        common::MostraMensagem(QStringLiteral("Erro: Caminho Inválido Base Dados!"));
        TerminaAplicacao();
        return false;
    }
    GravaLinhasConfiguracao({caminho, QStringLiteral("[ULTIMO USUARIO LOGADO]"), QStringLiteral("SYSDBA")});
    return true;
}

void TfmLogin::buOKClick() {
    ValidaLogin();
}

void TfmLogin::buCancelarClick() {
    close();
}

void TfmLogin::ValidaLogin() {
    const QString usuario = edUsuario->text();
    const QString senha = edSenha->text();
    try {
        if (slConfiguracao.isEmpty())
            throw std::out_of_range("List index out of bounds (0)");
        const QString host = HostDoBanco(slConfiguracao.first());
        {
            const platform::BusyCursor espera;
            // A plain path opens the database with the engine inside the program: there is no
            // server to ask and that engine checks no password, so the connection decides.
            if (!host.isEmpty())
                db::displayUser(host, usuario, senha, usuario);
            ConectarBanco(usuario, senha);
        }
        AbrirSistema();
    } catch (const db::FirebirdError& e) {
        switch (e.code()) {
        case db::codes::ioError:
            common::MostraMensagem(
                QStringLiteral("Aviso: Base de Dados não encontrada.\rVerifique o caminho Base de "
                               "Dados no arquivo de configuração (FCONT.ini)!"));
            TerminaAplicacao();
            return;
        case db::codes::login:
        case db::codes::login2:
            common::MostraMensagem(QStringLiteral("Aviso: Usuário e/ou Senha inválido(s)."));
            return;
        case db::codes::networkError:
            common::MostraMensagem(
                QStringLiteral("Aviso: Falha de Conexão.\rVerifique se o servidor Firebird está ativo"));
            TerminaAplicacao();
            return;
        default:
            platform::dialogs().error(platform::MensagemDoErro(e));
            TerminaAplicacao();
            return;
        }
    } catch (const platform::SilentAbort&) {
        return;
    } catch (...) {
        platform::dialogs().error(TextoDoErroAtual());
        return;
    }
    hide();
}

} // namespace ui
