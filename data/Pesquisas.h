#pragma once

#include <QString>
#include <QStringList>

// The sources of the lookup window and the statements and filters built from its boxes. Kept
// free of widgets so that tests and fcont-cli can build the same texts.
namespace data {

enum class ModoBusca { ComecandoCom, Contendo, TerminandoCom, PorPalavra };

struct FontePesquisa {
    QString tipo;
    QString sql;             // database kinds; empty for the referential chart
    QStringList rotulos;     // captions of the three boxes
    QStringList ordens;      // captions of the three sort choices
    QStringList condicoes;   // one condition text per box, blanks included
    QStringList ordensSql;   // database kinds: one order line per sort choice
    QStringList camposOrdem; // referential chart: the field of each sort choice
    bool referencial() const { return sql.isEmpty(); }
};

// The source of a kind text, compared trimmed and exactly; nullptr for an unknown kind.
const FontePesquisa* FonteDaPesquisa(const QString& tipo);

// A value of the code box sent without a quoted pattern: a whole number goes as the number,
// anything else as a quoted literal, so a typed text never becomes part of the statement.
QString LiteralCodigo(const QString& valor);

// The lines of a search over a database kind: the kind's statement, one condition line per box
// with a value, the order line of the sort choice (0-based).
QStringList MontaPesquisa(const FontePesquisa& fonte, ModoBusca modo, const QStringList& valores, int ordem);

// The filter expression of a search over the referential chart.
QString MontaFiltroPlanoRef(ModoBusca modo, const QStringList& valores);

} // namespace data
