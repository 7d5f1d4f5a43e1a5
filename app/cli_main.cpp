#include "app/Cli.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    app::InstalaSinais();
    QCoreApplication aplicacao(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Gerador FCONT"));
    QStringList argumentos = QCoreApplication::arguments();
    argumentos.removeFirst();
    const app::OpcoesCli opcoes = app::LeOpcoes(argumentos);
    if (!opcoes.erro.isEmpty()) {
        std::fprintf(stderr, "%s\n%s\n", opcoes.erro.toLocal8Bit().constData(),
                     app::UsoCli().toLocal8Bit().constData());
        return 2;
    }
    if (opcoes.comando == QLatin1String("carregar-plano") ||
        opcoes.comando == QLatin1String("importar-plano"))
        return app::ExecutaPlano(opcoes);
    return opcoes.comando == QLatin1String("demo") ? app::ExecutaDemo(opcoes) : app::ExecutaGerar(opcoes);
}
