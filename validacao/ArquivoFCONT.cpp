#include "validacao/ArquivoFCONT.h"

#include <QFile>
#include <QFileInfo>

namespace validacao {

ArquivoFCONT LeTextoFCONT(const QByteArray& bytes) {
    ArquivoFCONT arquivo;
    const QString texto = QString::fromLatin1(bytes);
    arquivo.terminaComQuebra = texto.isEmpty() || texto.endsWith(QLatin1Char('\n'));
    qsizetype inicio = 0;
    int numero = 0;
    while (inicio < texto.size()) {
        qsizetype fim = texto.indexOf(QLatin1Char('\n'), inicio);
        if (fim < 0)
            fim = texto.size();
        qsizetype tamanho = fim - inicio;
        if (tamanho > 0 && texto.at(fim - 1) == QLatin1Char('\r'))
            --tamanho;
        LinhaFCONT linha;
        linha.numero = ++numero;
        linha.texto = texto.mid(inicio, tamanho);
        const QString& t = linha.texto;
        linha.delimitada = t.size() >= 2 && t.front() == QLatin1Char('|') && t.back() == QLatin1Char('|');
        // A line without its pipes is still split, so that its record can be named.
        const qsizetype de = t.startsWith(QLatin1Char('|')) ? 1 : 0;
        const qsizetype ate = t.size() > de && t.endsWith(QLatin1Char('|')) ? t.size() - 1 : t.size();
        if (ate > de || linha.delimitada)
            linha.campos = t.mid(de, ate - de).split(QLatin1Char('|'));
        arquivo.linhas.append(std::move(linha));
        inicio = fim + 1;
    }
    return arquivo;
}

std::optional<ArquivoFCONT> LeArquivoFCONT(const QString& caminho, QString* motivo) {
    QFile arquivo(caminho);
    const QFileInfo info(caminho);
    if (!info.exists() || info.isDir() || !arquivo.open(QIODevice::ReadOnly)) {
        if (motivo)
            *motivo =
                !info.exists() ? QStringLiteral("o arquivo não existe")
                : info.isDir()
                    ? QStringLiteral("é uma pasta")
                    : QStringLiteral("sem permissão de leitura ou ilegível (%1)").arg(arquivo.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError) {
        if (motivo)
            *motivo = arquivo.errorString();
        return std::nullopt;
    }
    return LeTextoFCONT(bytes);
}

} // namespace validacao
