#include "platform/ScriptedDialogs.h"
#include "tests/ui_app/Janelas.h"
#include "ui/app/Conexao.h"
#include "ui/app/TfmLogin.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

using platform::ScriptedDialogs;

namespace {

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pasta.isValid());
        ui::DefinePastaPrograma(pasta.path());
    }
    void TearDown() override { ui::DefinePastaPrograma({}); }

    void escreveIni(const QByteArray& conteudo) {
        QFile ini(pasta.filePath("FCONT.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(conteudo);
    }
    QByteArray leIni() {
        QFile ini(pasta.filePath("FCONT.ini"));
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    }

    QTemporaryDir pasta;
    platform::ScopedDialogs caixas;
    testsupport::TerminacaoContada terminacao;
};

} // namespace

TEST_F(LoginTest, WithoutTheFileAsksForThePathOnceAndWritesTheThreeLines) {
    caixas->answerNextInput(QStringLiteral("  192.168.10.5:C:\\DirBaseDados\\Dadosadm.fdb "));
    ui::TfmLogin login;
    login.show();

    ASSERT_EQ(caixas->boxes().size(), 1);
    const ScriptedDialogs::Box& prompt = caixas->boxes().first();
    EXPECT_EQ(prompt.kind, ScriptedDialogs::Kind::Input);
    EXPECT_EQ(prompt.title, "Configuração Conexão Quibrano Kalvero 3");
    EXPECT_TRUE(prompt.text.startsWith(
        "Informe o caminho da Base de Dados do sistema Quibrano Kalvero 3\rExemplo: "));
    EXPECT_TRUE(prompt.text.endsWith(":C:\\DirBaseDados\\Dadosadm.fdb"));
    EXPECT_EQ(prompt.defaultText, "");

    EXPECT_EQ(leIni(),
              "192.168.10.5:C:\\DirBaseDados\\Dadosadm.fdb\r\n[ULTIMO USUARIO LOGADO]\r\nSYSDBA\r\n");
    EXPECT_EQ(login.slConfiguracao.value(0), "192.168.10.5:C:\\DirBaseDados\\Dadosadm.fdb");
    EXPECT_EQ(login.edUsuario->text(), "");
    EXPECT_EQ(terminacao.vezes, 0);
}

TEST_F(LoginTest, AnEmptyOrCancelledPathEndsTheProgramWithoutWritingTheFile) {
    for (std::optional<QString> resposta :
         {std::optional<QString>(), std::optional<QString>(QStringLiteral("   "))}) {
        caixas->clear();
        caixas->answerNextInput(resposta);
        ui::TfmLogin login;
        login.show();
        EXPECT_EQ(caixas->texts().value(1), "Erro: Caminho Inválido Base Dados!");
        EXPECT_FALSE(QFile::exists(pasta.filePath("FCONT.ini")));
    }
    EXPECT_EQ(terminacao.vezes, 2);
}

TEST_F(LoginTest, FocusAndUserNameFollowTheFile) {
    escreveIni("localhost:/dados/base.fdb\r\n");
    {
        ui::TfmLogin login;
        login.show();
        login.activateWindow();
        EXPECT_EQ(login.edUsuario->text(), "");
        EXPECT_EQ(login.focusWidget(), login.edUsuario);
        EXPECT_TRUE(caixas->boxes().isEmpty());
    }
    escreveIni("localhost:/dados/base.fdb\n[ULTIMO USUARIO LOGADO]\nOPERADOR\n");
    {
        ui::TfmLogin login;
        login.show();
        EXPECT_EQ(login.edUsuario->text(), "OPERADOR");
        EXPECT_EQ(login.focusWidget(), login.edSenha);
        EXPECT_EQ(login.edSenha->echoMode(), QLineEdit::Password);
        EXPECT_EQ(login.windowTitle(), "Acesso ao Banco de Dados");
        EXPECT_EQ(login.size(), QSize(240, 140));
        EXPECT_EQ(login.buOK->focusPolicy() & Qt::TabFocus, 0);
        EXPECT_EQ(login.edSenha->nextInFocusChain(), login.edUsuario);
    }
}

TEST_F(LoginTest, EnterTriesOnlyWithBothBoxesFilledWhileOkAlwaysTries) {
    // Port 1 of the loopback refuses at once: every attempt that reaches the server ends there.
    escreveIni("127.0.0.1/1:/dados/base.fdb\r\n[ULTIMO USUARIO LOGADO]\r\nSYSDBA\r\n");
    ui::TfmLogin login;
    login.show();
    testsupport::pressionaTecla(login.edSenha, Qt::Key_Return);
    EXPECT_TRUE(caixas->boxes().isEmpty());

    login.buOK->click();
    ASSERT_EQ(caixas->boxes().size(), 1);
    EXPECT_EQ(caixas->texts().first(),
              "Aviso: Falha de Conexão.\rVerifique se o servidor Firebird está ativo");
    EXPECT_EQ(terminacao.vezes, 1);

    login.edSenha->setText("x");
    testsupport::pressionaTecla(login.edSenha, Qt::Key_Return);
    EXPECT_EQ(caixas->boxes().size(), 2);
    EXPECT_EQ(terminacao.vezes, 2);
}

TEST_F(LoginTest, AnEmptyFileReportsTheMissingLineAndKeepsTheWindow) {
    escreveIni("");
    ui::TfmLogin login;
    login.show();
    login.edSenha->setText("x");
    login.ValidaLogin();
    ASSERT_EQ(caixas->boxes().size(), 1);
    EXPECT_EQ(caixas->boxes().first().kind, ScriptedDialogs::Kind::Error);
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(terminacao.vezes, 0);
}

TEST_F(LoginTest, ClosingOrCancelEndsTheProgram) {
    escreveIni("localhost:/dados/base.fdb\r\n");
    ui::TfmLogin login;
    login.show();
    login.buCancelar->click();
    EXPECT_FALSE(login.isVisible());
    EXPECT_EQ(terminacao.vezes, 1);
}

TEST(HostDoBancoTest, TakesTheTextBeforeTheFirstColon) {
    EXPECT_EQ(ui::HostDoBanco("192.168.0.10:C:\\Dados\\base.fdb"), "192.168.0.10");
    EXPECT_EQ(ui::HostDoBanco("servidor/3051:/dados/base.fdb"), "servidor/3051");
    // A drive letter alone is taken for a host, and the check then fails to connect.
    EXPECT_EQ(ui::HostDoBanco("C:\\Dados\\base.fdb"), "C");
    EXPECT_EQ(ui::HostDoBanco("/dados/base.fdb"), "");
}
