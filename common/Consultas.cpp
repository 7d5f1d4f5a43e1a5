#include "common/Consultas.h"

#include "platform/Query.h"

namespace common {

namespace {

void preparaBusca(const QString& expressao, const QString& tabela, const QString& extra,
                  platform::Query& query) {
    query.close();
    query.setSql(QStringLiteral(" Select ") + expressao + QStringLiteral("  from ") + tabela +
                 QStringLiteral("\r\n") + extra);
    query.open();
}

} // namespace

void BuscaValor(const QString& expressao, const QString& tabela, const QString& extra, platform::Query& query,
                QString& resultado) {
    try {
        preparaBusca(expressao, tabela, extra, query);
        // A lookup that finds nothing answers blank; only a failing statement keeps the old text.
        resultado = !query.isEmpty() && query.fieldCount() > 0 ? query.field(0).asString() : QString();
    } catch (...) {
        // Lookups never report: the caller keeps what it had.
    }
    try {
        query.close();
    } catch (...) {
    }
}

int BuscaValorInteiro(const QString& expressao, const QString& tabela, const QString& extra,
                      platform::Query& query) {
    int resultado = 0;
    try {
        preparaBusca(expressao, tabela, extra, query);
        if (!query.isEmpty() && query.fieldCount() > 0)
            resultado = static_cast<int>(query.field(0).asInteger());
    } catch (...) {
    }
    try {
        query.close();
    } catch (...) {
    }
    return resultado;
}

std::unique_ptr<platform::Query> CriaQuery(const QString& nome, db::Transaction* transacao) {
    try {
        return std::make_unique<platform::Query>(nome.trimmed(), transacao);
    } catch (...) {
        return nullptr;
    }
}

QString ListaCampos(const QString& tabela, const QString& separador, const QString& excluido,
                    platform::Query& query) {
    platform::FechaAoSair fecha(query);
    query.close();
    query.clearSql();
    query.setSql(QStringLiteral("Select First 1 * from ") + tabela);
    QString lista;
    query.open();
    for (const platform::Field* f : query.fields())
        if (f->name().toUpper() != excluido.toUpper())
            lista += f->name() + separador;
    lista.chop(separador.size());
    return lista;
}

} // namespace common
