#include "tools/demo/BaseDemonstracao.h"

#include "app/AtualizacaoBanco.h"
#include "data/dmFCONT.h"
#include "db/Script.h"
#include "db/Transaction.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <stdexcept>

namespace demo {

namespace {

QString leScript(const QDir& ferramentas, const QString& nome) {
    QFile f(ferramentas.filePath(QStringLiteral("sql/") + nome));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Script ausente: " + f.fileName()).toStdString());
    // The seed carries accented names in Latin-1 bytes.
    return QString::fromLatin1(f.readAll());
}

} // namespace

db::ConnectionParams MontaBaseDemonstracao(data::TdmFCONT& dm, const QString& arquivo,
                                           const QString& pastaFerramentas, bool gravacaoForcada) {
    const QDir ferramentas(pastaFerramentas);
    db::ConnectionParams params;
    params.database = arquivo;
    params.user = QStringLiteral("SYSDBA");
    params.forcedWrites = gravacaoForcada;
    QFile::remove(arquivo);
    {
        db::Attachment banco = db::Attachment::create(params);
        db::Transaction transacao(banco);
        db::Script script(transacao);
        for (const char* nome :
             {"01_dominio.sql", "02_erp.sql", "03_proprias_antigas.sql", "04_semente.sql"}) {
            script.setText(leScript(ferramentas, QString::fromLatin1(nome)));
            script.run();
            transacao.commitRetaining();
        }
        transacao.commit();
    }
    dm.dbBanco.params = params;
    dm.dbBanco.afterConnect = [] { app::dbBancoAfterConnect(); };
    dm.dbBanco.connect();
    for (const QString& erro : dm.slErros)
        std::fprintf(stderr, "%s\n", erro.toLocal8Bit().constData());
    dm.IBScript.setText(leScript(ferramentas, QStringLiteral("05_configuracao.sql")));
    dm.IBScript.run();
    dm.trBanco.commit();
    return params;
}

} // namespace demo
