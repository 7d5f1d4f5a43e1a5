#include "tests/relatorios/Planilha.h"

#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>

namespace testsupport {

namespace {

QByteArray membro(const QString& arquivo, const QString& nome, QString& erro) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), arquivo, nome});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        erro = QStringLiteral("unzip %1 %2 failed").arg(arquivo, nome);
    return unzip.readAllStandardOutput();
}

} // namespace

Planilha LePlanilha(const QString& arquivo) {
    Planilha p;
    QStringList compartilhados;
    QXmlStreamReader textos(membro(arquivo, QStringLiteral("xl/sharedStrings.xml"), p.erro));
    while (!textos.atEnd()) {
        textos.readNext();
        if (textos.isStartElement() && textos.name() == QLatin1String("si"))
            compartilhados << QString();
        else if (textos.isStartElement() && textos.name() == QLatin1String("t") && !compartilhados.isEmpty())
            compartilhados.last() += textos.readElementText();
    }

    QXmlStreamReader folha(membro(arquivo, QStringLiteral("xl/worksheets/sheet1.xml"), p.erro));
    QString referencia, tipo;
    while (!folha.atEnd()) {
        folha.readNext();
        if (!folha.isStartElement())
            continue;
        const auto atributos = folha.attributes();
        if (folha.name() == QLatin1String("col")) {
            p.larguras[atributos.value(QLatin1String("min")).toInt()] =
                atributos.value(QLatin1String("width")).toDouble();
        } else if (folha.name() == QLatin1String("c")) {
            referencia = atributos.value(QLatin1String("r")).toString();
            tipo = atributos.value(QLatin1String("t")).toString();
        } else if (folha.name() == QLatin1String("v")) {
            const QString valor = folha.readElementText();
            p.celulas[referencia] = tipo == QLatin1String("s") ? compartilhados.value(valor.toInt()) : valor;
        }
    }
    if (folha.hasError())
        p.erro = folha.errorString();
    return p;
}

} // namespace testsupport
