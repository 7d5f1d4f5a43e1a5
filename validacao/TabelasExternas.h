#pragma once

#include <QDate>
#include <QHash>
#include <QString>

namespace validacao {

struct ContaReferencial {
    bool sintetica = false; // TIPO "S"; any other value is an analytic account
    QDate inicio, fim;      // validity; a null date is open on that side
};

// What the checks read from "Tabelas Externas": the referential chart (contasref-SRF.txt) and
// the code lists of the layout (SPEDTabCodigos.xml). Either may be missing; the checks that
// need it are then left out.
struct TabelasExternas {
    bool temPlano = false;
    QHash<QString, ContaReferencial> plano; // by referential code, trimmed

    bool temListas = false;
    // "J930/IDENT_QUALIF" -> code -> description, all trimmed.
    QHash<QString, QHash<QString, QString>> listas;

    // Reads the two files of `pasta` that exist. A file that is there but cannot be read is
    // a std::runtime_error with the reason.
    static TabelasExternas Carrega(const QString& pasta);
    // The chart's text: a header line, then "code;description;DDMMYYYY;DDMMYYYY;type".
    void lePlano(const QByteArray& conteudo);
    const QHash<QString, QString>* lista(const QString& registro, const QString& campo) const;
};

// What a check against the tables of `pasta` leaves out when one of them is missing, as the user
// reads it ("Aviso: sem ..."); empty when the table is there.
QString AvisoSemPlano(const QString& pasta);
QString AvisoSemListas(const QString& pasta);

} // namespace validacao
