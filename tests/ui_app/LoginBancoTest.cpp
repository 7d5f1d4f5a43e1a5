#include "tests/support/ModuloDados.h"
#include "tests/ui_app/Janelas.h"
#include "ui/app/Conexao.h"
#include "ui/app/TfmLogin.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

const QString usuarioTeste = QStringLiteral("FCONT_LOGIN_TESTE");
const QString senhaTeste = QStringLiteral("Sen12345");

class LoginBancoTest : public testsupport::ModuloDadosTest {
protected:
    Base base() const override { return Base::Semente; }

    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ui::DefinePastaPrograma(pastaAtual());
        ui::DefineCriacaoJanelaPrincipal([this] {
            ++criadas;
            return new QWidget;
        });
    }
    void TearDown() override {
        ui::LiberaJanelaPrincipal();
        ui::DefineCriacaoJanelaPrincipal({});
        ui::DefinePastaPrograma({});
        ModuloDadosTest::TearDown();
    }

    void escreveIni(const QString& banco, const QString& usuario) {
        escreveArquivo("FCONT.ini",
                       (banco + "\r\n[ULTIMO USUARIO LOGADO]\r\n" + usuario + "\r\n").toLatin1());
    }
    QString bancoNoServidor() const { return testsupport::testHost() + ":" + banco->path(); }

    int criadas = 0;
    testsupport::TerminacaoContada terminacao;
};

// A second account on the server, for as long as the test runs.
class UsuarioTemporario {
public:
    explicit UsuarioTemporario(const testsupport::TestDatabase& banco) : m_banco(banco) {
        try {
            m_banco.runScript("DROP USER " + usuarioTeste + ";");
        } catch (...) {
        }
        m_banco.runScript("CREATE USER " + usuarioTeste + " PASSWORD '" + senhaTeste + "';");
    }
    ~UsuarioTemporario() {
        try {
            m_banco.runScript("DROP USER " + usuarioTeste + ";");
        } catch (...) {
        }
    }

private:
    const testsupport::TestDatabase& m_banco;
};

} // namespace

TEST_F(LoginBancoTest, AWrongPasswordKeepsTheWindowAndTheRightOneOpensTheSystem) {
    UsuarioTemporario usuario(*banco);
    escreveIni(bancoNoServidor(), usuarioTeste);
    ui::TfmLogin login;
    login.show();
    ASSERT_EQ(login.edUsuario->text(), usuarioTeste);

    login.edSenha->setText("errada");
    login.buOKClick();
    EXPECT_EQ(caixas->get().texts(), QStringList{"Aviso: Usuário e/ou Senha inválido(s)."});
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(criadas, 0);
    EXPECT_EQ(terminacao.vezes, 0);

    login.edSenha->setText(senhaTeste);
    login.buOKClick();
    EXPECT_EQ(caixas->get().boxes().size(), 1);
    EXPECT_EQ(criadas, 1);
    ASSERT_NE(ui::JanelaPrincipal(), nullptr);
    EXPECT_TRUE(ui::JanelaPrincipal()->isVisible());
    EXPECT_FALSE(login.isVisible());
    EXPECT_EQ(terminacao.vezes, 0);
    EXPECT_TRUE(dm->dbBanco.connected());
    EXPECT_EQ(dm->dbBanco.params.user, usuarioTeste);
    EXPECT_EQ(dm->dbBanco.params.database, bancoNoServidor());
    EXPECT_EQ(dm->dbBanco.params.charset, "ISO8859_1");
    EXPECT_TRUE(dm->trBanco.inTransaction());
    dm->trBanco.rollback();
    dm->dbBanco.disconnect();
}

TEST_F(LoginBancoTest, AOneLineFileStillLogsIn) {
    escreveArquivo("FCONT.ini", (bancoNoServidor() + "\r\n").toLatin1());
    ui::TfmLogin login;
    login.show();
    EXPECT_EQ(login.edUsuario->text(), "");
    login.edUsuario->setText(testsupport::testUser());
    login.edSenha->setText(testsupport::testPassword());
    login.buOKClick();
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    EXPECT_EQ(criadas, 1);
    EXPECT_FALSE(login.isVisible());
}

TEST_F(LoginBancoTest, AMissingDatabaseFileEndsTheProgramWithItsWarning) {
    escreveIni(testsupport::testHost() + ":" + QDir(testsupport::testDir()).filePath("nao-existe-fcont.fdb"),
               testsupport::testUser());
    ui::TfmLogin login;
    login.show();
    login.edSenha->setText(testsupport::testPassword());
    login.buOKClick();
    EXPECT_EQ(caixas->get().texts(),
              QStringList{"Aviso: Base de Dados não encontrada.\rVerifique o caminho Base de "
                          "Dados no arquivo de configuração (FCONT.ini)!"});
    EXPECT_EQ(terminacao.vezes, 1);
    EXPECT_EQ(criadas, 0);
}

TEST_F(LoginBancoTest, ASettingsFileRemovedAfterShowEndsOnlyTheAttempt) {
    escreveIni(bancoNoServidor(), testsupport::testUser());
    ui::TfmLogin login;
    login.show();
    QFile::remove(ui::ArquivoConfiguracao());
    login.edSenha->setText(testsupport::testPassword());
    login.buOKClick();
    EXPECT_EQ(caixas->get().texts(), QStringList{"Arquivo de abertura do banco de dados não encontrado."});
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(terminacao.vezes, 0);
    EXPECT_EQ(criadas, 0);
}

namespace {

// Something listening where the server should be that hangs up on every caller, as a machine
// that is not the database server does: the engine says "connection rejected by remote interface".
class PortaQueRecusa {
public:
    PortaQueRecusa() {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in endereco{};
        endereco.sin_family = AF_INET;
        endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        endereco.sin_port = 0;
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco);
        socklen_t tamanho = sizeof endereco;
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&endereco), &tamanho);
        porta = ntohs(endereco.sin_port);
        ::listen(m_socket, 8);
        m_fio = std::thread([this] {
            for (;;) {
                const int cliente = ::accept(m_socket, nullptr, nullptr);
                if (cliente < 0)
                    return;
                char lido[256];
                (void)::recv(cliente, lido, sizeof lido, 0);
                ::close(cliente);
            }
        });
    }
    ~PortaQueRecusa() {
        ::shutdown(m_socket, SHUT_RDWR);
        ::close(m_socket);
        m_fio.join();
    }
    int porta = 0;

private:
    int m_socket = -1;
    std::thread m_fio;
};

} // namespace

TEST_F(LoginBancoTest, AnEngineRefusalIsToldInPortugueseFirstWithTheEnginesTextAsCause) {
    const PortaQueRecusa recusa;
    escreveIni(QStringLiteral("localhost/%1:%2").arg(recusa.porta).arg(banco->path()),
               testsupport::testUser());
    ui::TfmLogin login;
    login.show();
    login.edSenha->setText(testsupport::testPassword());
    login.buOKClick();
    ASSERT_EQ(caixas->get().texts().size(), 1);
    const QString caixa = caixas->get().texts().first();
    EXPECT_TRUE(caixa.startsWith(QStringLiteral("O servidor do banco de dados recusou a conexão.\rCausa: ")))
        << caixa.toStdString();
    EXPECT_TRUE(caixa.contains(QStringLiteral("connection rejected by remote interface")))
        << caixa.toStdString();
    EXPECT_EQ(terminacao.vezes, 1);
    EXPECT_EQ(criadas, 0);
}
