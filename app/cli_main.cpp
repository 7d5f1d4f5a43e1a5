#include "app/Cli.h"
#include "platform/Regional.h"

#include <QCoreApplication>
#include <QGuiApplication>
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
    QStringList argumentos = QCoreApplication::arguments();
    argumentos.removeFirst();
    return app::ExecutaCli(argumentos);
}
