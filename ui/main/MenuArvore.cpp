#include "ui/main/MenuArvore.h"

#include "platform/GravacaoSegura.h"

#include <QTreeWidget>

#include <stdexcept>

namespace ui {

const QList<NoMenu>& NosMenuPadrao() {
    static const QList<NoMenu> nos = {
        {0, QStringLiteral("Abertura, Identificação e Referências (Bloco 0)")},
        {1, QStringLiteral("Registro 0000")},
        {0, QStringLiteral("Lançamentos (Bloco I)")},
        {1, QStringLiteral("Registro I050")},
        {0, QStringLiteral("Identificação dos Signatários da Escrituração (Bloco J)")},
        {1, QStringLiteral("Registro J930")},
        {0, QStringLiteral("Registros Fiscais (Bloco M)")},
        {1, QStringLiteral("Registro M020")},
        {1, QStringLiteral("Registro M030")},
        {0, QStringLiteral("Manutenção")},
        {1, QStringLiteral("Criar Índices de Performance")},
    };
    return nos;
}

QByteArray ConteudoMenu(const QList<NoMenu>& nos) {
    QByteArray bytes;
    for (const NoMenu& no : nos) {
        bytes += QByteArray(no.nivel, '\t');
        bytes += no.texto.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

void GravaMenuPadrao(const QString& caminho) {
    const QByteArray bytes = ConteudoMenu(NosMenuPadrao());
    platform::GravacaoSegura arquivo(caminho);
    arquivo.escreve(bytes);
    arquivo.conclui();
}

QList<NoMenu> LeMenu(const QByteArray& conteudo) {
    QList<NoMenu> nos;
    const QString texto = QString::fromLatin1(conteudo);
    int nivelAnterior = -1;
    for (QString linha : texto.split(QLatin1Char('\n'))) {
        if (linha.endsWith(QLatin1Char('\r')))
            linha.chop(1);
        if (linha.trimmed().isEmpty())
            continue;
        int nivel = 0;
        while (nivel < linha.size() &&
               (linha[nivel] == QLatin1Char('\t') || linha[nivel] == QLatin1Char(' ')))
            ++nivel;
        const QString item = linha.mid(nivel);
        if (nivelAnterior >= 0 && nivel > nivelAnterior + 1)
            throw std::runtime_error(
                QStringLiteral("Invalid level (%1) for item \"%2\"").arg(nivel).arg(item).toStdString());
        nos.append({nivel, item});
        nivelAnterior = nivel;
    }
    return nos;
}

void MontaArvore(QTreeWidget& arvore, const QList<NoMenu>& nos) {
    arvore.clear();
    // The chain of open ancestors with their levels; the first line is a root whatever its level.
    QList<QPair<int, QTreeWidgetItem*>> cadeia;
    for (const NoMenu& no : nos) {
        while (!cadeia.isEmpty() && cadeia.last().first > no.nivel && cadeia.size() > 1)
            cadeia.removeLast();
        QTreeWidgetItem* pai = nullptr;
        if (!cadeia.isEmpty()) {
            if (no.nivel > cadeia.last().first) {
                pai = cadeia.last().second;
            } else {
                pai = cadeia.last().second->parent();
                cadeia.removeLast();
            }
        }
        auto* item = pai ? new QTreeWidgetItem(pai) : new QTreeWidgetItem(&arvore);
        item->setText(0, no.texto);
        item->setToolTip(0, no.texto);
        cadeia.append({no.nivel, item});
    }
    arvore.expandAll();
}

} // namespace ui
