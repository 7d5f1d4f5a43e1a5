#include "ui/main/Aplicacao.h"

#include <QApplication>
#include <QWidget>

namespace ui {

namespace {

QString& titulo() {
    static QString valor;
    return valor;
}

std::function<void()>& terminacao() {
    static std::function<void()> valor;
    return valor;
}

} // namespace

QString TituloAplicacao() {
    return titulo().isEmpty() ? QCoreApplication::applicationName() : titulo();
}

void DefineTituloAplicacao(const QString& novo) {
    titulo() = novo;
}

void TerminaAplicacao() {
    if (terminacao())
        terminacao()();
    else
        QCoreApplication::exit(0);
}

void DefineTerminacao(std::function<void()> nova) {
    terminacao() = std::move(nova);
}

void EscondeLogin() {
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (janela->objectName() == QLatin1String("fmLogin"))
            janela->hide();
}

} // namespace ui
