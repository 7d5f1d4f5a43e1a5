#include "generation/Leiaute.h"

#include "generation/dmBlocos.h"

namespace generation {

const QList<RegistroLeiaute>& LeiauteRegistros() {
    static const QList<RegistroLeiaute> leiaute = [] {
        // A short-lived set of record tables, read and dropped; the running generation's own
        // instance stays the one the hooks find.
        TdmBlocos* const emUso = dmBlocos;
        QList<RegistroLeiaute> registros;
        {
            TdmBlocos tabelas;
            for (platform::MemTable* t : tabelas.tabelas()) {
                RegistroLeiaute r;
                r.codigo = t->name().mid(6);
                for (const platform::Field* f : t->visibleFields())
                    r.campos.append({f->name(), f->type(), f->size(), f->tag()});
                registros.append(r);
            }
        }
        dmBlocos = emUso;
        return registros;
    }();
    return leiaute;
}

const QStringList& RegistrosContadosNoBloco9() {
    // Block M before block J although J comes first in the file: the order the delivered files
    // carry. 9001, 9900, 9990 and 9999 get no 9900 row.
    static const QStringList codigos = {
        QStringLiteral("0000"), QStringLiteral("I001"), QStringLiteral("I050"), QStringLiteral("I051"),
        QStringLiteral("I075"), QStringLiteral("I100"), QStringLiteral("I150"), QStringLiteral("I155"),
        QStringLiteral("I200"), QStringLiteral("I250"), QStringLiteral("I350"), QStringLiteral("I355"),
        QStringLiteral("I990"), QStringLiteral("M001"), QStringLiteral("M020"), QStringLiteral("M025"),
        QStringLiteral("M030"), QStringLiteral("M355"), QStringLiteral("M990"), QStringLiteral("J001"),
        QStringLiteral("J930"), QStringLiteral("J990")};
    return codigos;
}

} // namespace generation
