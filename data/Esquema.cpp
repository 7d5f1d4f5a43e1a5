#include "data/Esquema.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "platform/Erro.h"

namespace data {

bool ExisteCampo(const QString& tabela, const QString& campo) {
    platform::Query& q = dmFCONT->quExec;
    q.close();
    QString sql =
        QStringLiteral("Select count(*) as Tot from rdb$relation_fields where rdb$relation_name = ") +
        common::Q(tabela.toUpper());
    if (!campo.isEmpty())
        sql += QStringLiteral("\r\n and rdb$field_name = ") + common::Q(campo.toUpper());
    q.setSql(sql);
    q.open();
    const bool existe = q.fieldByName(QStringLiteral("Tot")).asInteger() > 0;
    q.close();
    return existe;
}

void AdicionaCampo(const QString& tabela, const QString& definicao) {
    TdmFCONT& dm = *dmFCONT;
    try {
        dm.IBScript.clear();
        dm.IBScript.setText(QStringLiteral("ALTER TABLE ") + tabela + QStringLiteral(" ADD ") + definicao);
        dm.IBScript.run();
        if (dm.trBanco.inTransaction())
            dm.trBanco.commitRetaining();
    } catch (const std::exception& e) {
        try {
            if (dm.trBanco.inTransaction())
                dm.trBanco.rollbackRetaining();
        } catch (...) {
        }
        dm.slErros << QStringLiteral("Erro: ") + platform::TextoDoErro(e);
    }
}

bool ExecutaScript(const QString& texto) {
    TdmFCONT& dm = *dmFCONT;
    try {
        dm.IBScript.setText(texto);
        dm.IBScript.setAutoDdl(true);
        dm.IBScript.run();
        dm.trBanco.commitRetaining();
        return true;
    } catch (...) {
        // Nothing is rolled back: a pending delete of the open set is committed later.
        return false;
    }
}

void CriaIndices() {
    if (ExecutaScript(QStringLiteral("CREATE INDEX ALFM2001_IDXSPEDEFD ON ALFM2001 (EMITENTE);")))
        common::MostraMensagem(QStringLiteral("Índices de Performance criados com sucesso!"));
    else
        common::MostraMensagem(QStringLiteral("Aviso: Índices de Performance já criados anteriormente."),
                               true);
}

} // namespace data
