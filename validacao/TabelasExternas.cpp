#include "validacao/TabelasExternas.h"

#include "common/Texto.h"
#include "platform/XmlDataPacket.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace validacao {

namespace {

// The chart's dates carry their four-digit year; all of it is read.
QDate dataDoPlano(const QString& campo) {
    const QString t = common::Trim(campo);
    if (t.size() != 8)
        return {};
    return QDate(t.mid(4, 4).toInt(), t.mid(2, 2).toInt(), t.mid(0, 2).toInt());
}

} // namespace

void TabelasExternas::lePlano(const QByteArray& conteudo) {
    temPlano = true;
    plano.clear();
    QString texto = QString::fromLatin1(conteudo);
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList linhas = texto.split(QLatin1Char('\n'));
    for (qsizetype i = 1; i < linhas.size(); ++i) {
        if (common::Trim(linhas[i]).isEmpty())
            continue;
        const QStringList campos = linhas[i].split(QLatin1Char(';'));
        ContaReferencial conta;
        conta.inicio = campos.size() > 2 ? dataDoPlano(campos[2]) : QDate();
        conta.fim = campos.size() > 3 ? dataDoPlano(campos[3]) : QDate();
        conta.sintetica = campos.size() > 4 && common::Trim(campos[4]) == QLatin1String("S");
        plano.insert(common::Trim(campos[0]), conta);
    }
}

const QHash<QString, QString>* TabelasExternas::lista(const QString& registro, const QString& campo) const {
    const auto i = listas.constFind(registro + QLatin1Char('/') + campo);
    return i == listas.constEnd() ? nullptr : &i.value();
}

TabelasExternas TabelasExternas::Carrega(const QString& pasta) {
    TabelasExternas t;
    const QDir dir(pasta);
    const QString plano = dir.filePath(QStringLiteral("contasref-SRF.txt"));
    if (QFile::exists(plano)) {
        QFile arquivo(plano);
        if (!arquivo.open(QIODevice::ReadOnly))
            throw std::runtime_error((plano + QStringLiteral(": ") + arquivo.errorString()).toStdString());
        t.lePlano(arquivo.readAll());
    }
    const QString listas = dir.filePath(QStringLiteral("SPEDTabCodigos.xml"));
    if (QFile::exists(listas)) {
        const platform::XmlPacket pacote = platform::readXmlDataPacket(listas);
        int registro = -1, campo = -1, codigo = -1, descricao = -1;
        for (int i = 0; i < pacote.fields.size(); ++i) {
            const QString nome = pacote.fields[i].name.toUpper();
            if (nome == QLatin1String("REGISTRO"))
                registro = i;
            else if (nome == QLatin1String("CAMPO"))
                campo = i;
            else if (nome == QLatin1String("CODIGO"))
                codigo = i;
            else if (nome == QLatin1String("DESCRICAO"))
                descricao = i;
        }
        if (registro < 0 || campo < 0 || codigo < 0)
            throw std::runtime_error(
                (listas + QStringLiteral(": faltam os campos REGISTRO, CAMPO e CODIGO")).toStdString());
        t.temListas = true;
        for (const QList<QVariant>& linha : pacote.rows) {
            auto valor = [&linha](int i) {
                return i >= 0 && i < linha.size() ? common::Trim(linha[i].toString()) : QString();
            };
            t.listas[valor(registro) + QLatin1Char('/') + valor(campo)].insert(valor(codigo),
                                                                               valor(descricao));
        }
    }
    return t;
}

QString AvisoSemPlano(const QString& pasta) {
    const QString plano = QDir(pasta).filePath(QStringLiteral("contasref-SRF.txt"));
    if (QFileInfo::exists(plano))
        return {};
    return QStringLiteral("Aviso: sem \"%1\": as contas referenciais não foram conferidas com o plano "
                          "referencial.")
        .arg(QDir::toNativeSeparators(plano));
}

QString AvisoSemListas(const QString& pasta) {
    const QString listas = QDir(pasta).filePath(QStringLiteral("SPEDTabCodigos.xml"));
    if (QFileInfo::exists(listas))
        return {};
    return QStringLiteral("Aviso: sem \"%1\": os códigos não foram conferidos com as listas do leiaute.")
        .arg(QDir::toNativeSeparators(listas));
}

} // namespace validacao
