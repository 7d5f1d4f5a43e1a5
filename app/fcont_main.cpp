#include "app/AtualizacaoBanco.h"
#include "data/dmFCONT.h"
#include "generation/dmBlocos.h"
#include "platform/qt/QtDialogs.h"
#include "ui/app/AplicacaoFCONT.h"
#include "ui/app/Capturas.h"
#include "ui/app/Conexao.h"
#include "ui/app/TfmSplashScreen.h"
#include "ui/main/Aplicacao.h"
#include "ui/main/TfmConfiguracao.h"

#if __has_include("ui/main/TfmPrincipal.h")
#include "ui/main/TfmPrincipal.h"
#define FCONT_JANELA_PRINCIPAL 1
#endif

int main(int argc, char** argv) {
    ui::AplicacaoFCONT aplicacao(argc, argv);
    platform::QtDialogs dialogos;
    platform::setDialogs(&dialogos);

    data::TdmFCONT dmFCONT;
    dmFCONT.dbBanco.afterConnect = [] { app::dbBancoAfterConnect(); };
    generation::TdmBlocos dmBlocos;

#ifdef FCONT_JANELA_PRINCIPAL
    ui::TfmPrincipal::selecionaConfiguracao() = ui::SelecionaConfiguracao;
    ui::TfmPrincipal::terminaAplicacao() = ui::TerminaAplicacao;
    ui::DefineCriacaoJanelaPrincipal([] { return new ui::TfmPrincipal; });
#else
    // Until the main window exists the program ends after the choice of a parameter set.
    ui::DefineCriacaoJanelaPrincipal([]() -> QWidget* {
        int codigo = 0;
        QString acao;
        ui::SelecionaConfiguracao(codigo, acao);
        ui::TerminaAplicacao();
        return nullptr;
    });
#endif

    int resultado = 0;
    {
        ui::TfmSplashScreen fmSplashScreen;
        ui::IniciaCapturas();
        resultado = aplicacao.exec();
        ui::LiberaJanelaPrincipal();
    }
    platform::setDialogs(nullptr);
    return resultado;
}
