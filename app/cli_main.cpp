#include "app/Cli.h"
#include "platform/Regional.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    app::InstalaSinais();
    // Painting a report needs fonts, hence a graphical application; it draws into a file only.
    std::unique_ptr<QCoreApplication> aplicacao;
    if (app::PrecisaDePintura(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString())) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        aplicacao = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        aplicacao = std::make_unique<QCoreApplication>(argc, argv);
    }
    platform::regional::keepMachineNumbers();
    QCoreApplication::setApplicationName(QStringLiteral("Gerador FCONT"));
    QStringList argumentos = QCoreApplication::arguments();
    argumentos.removeFirst();
    const app::OpcoesCli opcoes = app::LeOpcoes(argumentos);
    if (!opcoes.erro.isEmpty()) {
        std::fprintf(stderr, "%s\n%s\n", opcoes.erro.toLocal8Bit().constData(),
                     app::UsoCli().toLocal8Bit().constData());
        return 2;
    }
    if (opcoes.comando == QLatin1String("relatorio"))
        return app::ExecutaRelatorio(opcoes);
    if (opcoes.comando == QLatin1String("exportar"))
        return app::ExecutaExportar(opcoes);
    if (opcoes.comando == QLatin1String("carregar-plano") ||
        opcoes.comando == QLatin1String("importar-plano"))
        return app::ExecutaPlano(opcoes);
    return opcoes.comando == QLatin1String("demo") ? app::ExecutaDemo(opcoes) : app::ExecutaGerar(opcoes);
}
