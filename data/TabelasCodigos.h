#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace data {

// The fixed code lists of the parameter set: the stored code, the text shown for it, and the
// item the main window offers (which differs from the shown text in a few places).
struct ItemCodigo {
    QString codigo;
    QString exibicao;
    QString item;
};

struct TabelaCodigos {
    QString campo;
    int largura;
    std::vector<ItemCodigo> itens;

    // Text shown for a stored code; empty for any other value.
    QString textoDe(const QString& codigo) const;
    QStringList itensDaLista() const;
};

const std::vector<TabelaCodigos>& TabelasCodigosSPED();
const TabelaCodigos& TabelaCodigosDe(const QString& campo);

} // namespace data
