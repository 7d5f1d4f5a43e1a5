#include "platform/ScriptedDialogs.h"
#include "tests/ui_app/Janelas.h"
#include "ui/app/Conexao.h"
#include "ui/app/TfmLogin.h"
#include "ui/app/TfmSplashScreen.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pasta.isValid());
        ui::DefinePastaPrograma(pasta.path());
        QFile ini(pasta.filePath("FCONT.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("localhost:/dados/base.fdb\r\n[ULTIMO USUARIO LOGADO]\r\nSYSDBA\r\n");
    }
    void TearDown() override { ui::DefinePastaPrograma({}); }

    QTemporaryDir pasta;
    platform::ScopedDialogs caixas;
    testsupport::TerminacaoContada terminacao;
};

} // namespace

TEST_F(SplashTest, ShowsTheVersionAndTitleRuleAtOnceAndArmsTheFiveSecondTimer) {
    const QString nome = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("FCONT");
    ui::TfmSplashScreen splash;
    QCoreApplication::setApplicationName(nome);

    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.size(), QSize(454, 190));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.laVersao->text(), "FCONT Versão 1.0 (Compilação 30-06-2015 09:00)");
    EXPECT_EQ(ui::TituloAplicacao(), "FCONT - FCONT Versão 1.0 (Compilação 30-06-2015 09:00)");
    EXPECT_EQ(splash.laTitulo->geometry(), QRect(200, 91, 208, 24));
    EXPECT_EQ(splash.laStatus->text(), "Carregando...");
    // Yellow is see-through: the window's shape is the rounded frame, not its rectangle.
    EXPECT_FALSE(splash.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(splash.mask().contains(QPoint(227, 95)));

    EXPECT_EQ(splash.tmTime->interval(), 5000);
    EXPECT_TRUE(splash.tmTime->isSingleShot());
    EXPECT_TRUE(splash.tmTime->isActive());
}

TEST_F(SplashTest, LoginAppearsOnlyWhenTheTimerFiresAndTheSplashHides) {
    ui::TfmSplashScreen splash;
    testsupport::esperaAte({}, 150);
    EXPECT_EQ(splash.fmLogin(), nullptr);
    EXPECT_TRUE(splash.isVisible());

    // The timer's moment, without waiting the five seconds.
    ASSERT_TRUE(QMetaObject::invokeMethod(splash.tmTime, "timeout", Qt::DirectConnection));
    ASSERT_NE(splash.fmLogin(), nullptr);
    EXPECT_TRUE(splash.fmLogin()->isVisible());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.tmTime->isActive());
    EXPECT_EQ(splash.fmLogin()->edUsuario->text(), "SYSDBA");
    EXPECT_EQ(terminacao.vezes, 0);
}

TEST_F(SplashTest, ARealShortenedTimerHandsOverByItself) {
    ui::TfmSplashScreen splash(60);
    EXPECT_EQ(splash.fmLogin(), nullptr);
    EXPECT_TRUE(
        testsupport::esperaAte([&] { return splash.fmLogin() && splash.fmLogin()->isVisible(); }, 3000));
    EXPECT_FALSE(splash.isVisible());
}
