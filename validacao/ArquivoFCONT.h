#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace validacao {

struct LinhaFCONT {
    int numero = 0;          // from 1
    QString texto;           // without its line end
    QStringList campos;      // the texts between the pipes, the record code first
    bool delimitada = false; // begins and ends with "|"
    const QString& registro() const {
        static const QString nenhum;
        return campos.isEmpty() ? nenhum : campos.first();
    }
};

struct ArquivoFCONT {
    QList<LinhaFCONT> linhas;
    bool terminaComQuebra = true; // the last line has its line end
};

// An FCONT file's text: single-byte Latin-1, lines ended by CR LF as this program writes them or
// by LF alone as some others do. Nothing is trimmed: what the file holds is what is checked.
ArquivoFCONT LeTextoFCONT(const QByteArray& bytes);

// The file read from disk; empty, with `motivo` set, when it cannot be read.
std::optional<ArquivoFCONT> LeArquivoFCONT(const QString& caminho, QString* motivo = nullptr);

} // namespace validacao
