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
#include "ui/main/TfmPrincipal.h"

int main(int argc, char** argv) {
    ui::AplicacaoFCONT aplicacao(argc, argv);
    platform::QtDialogs dialogos;
    platform::setDialogs(&dialogos);

    data::TdmFCONT dmFCONT;
    dmFCONT.dbBanco.afterConnect = [] { app::dbBancoAfterConnect(); };
    generation::TdmBlocos dmBlocos;

    ui::TfmPrincipal::selecionaConfiguracao() = ui::SelecionaConfiguracao;
    ui::TfmPrincipal::terminaAplicacao() = ui::TerminaAplicacao;
    ui::DefineCriacaoJanelaPrincipal([] { return new ui::TfmPrincipal; });

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
