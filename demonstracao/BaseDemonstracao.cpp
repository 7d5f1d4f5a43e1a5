#include "demonstracao/BaseDemonstracao.h"

#include "app/AtualizacaoBanco.h"
#include "data/dmFCONT.h"
#include "db/Script.h"
#include "db/Transaction.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <stdexcept>

namespace demonstracao {

namespace {

const QString recursos = QStringLiteral(":/demonstracao/");

QString leScript(const QString& nome) {
    QFile f(recursos + QStringLiteral("sql/") + nome);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Script ausente: " + f.fileName()).toStdString());
    // The seed carries accented names in Latin-1 bytes.
    return QString::fromLatin1(f.readAll());
}

} // namespace

db::ConnectionParams MontaBaseDemonstracao(data::TdmFCONT& dm, const QString& arquivo, bool gravacaoForcada) {
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
            script.setText(leScript(QString::fromLatin1(nome)));
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
    for (const char* nome : {"05_configuracao.sql", "06_demonstracao.sql"}) {
        dm.IBScript.setText(leScript(QString::fromLatin1(nome)));
        dm.IBScript.run();
    }
    dm.trBanco.commit();
    return params;
}

void CopiaTabelasExternas(const QDir& pasta) {
    const QString externas = QStringLiteral("Tabelas Externas");
    const QDir origem(recursos + externas);
    if (!pasta.mkpath(externas))
        throw std::runtime_error(("Pasta inacessível: " + pasta.filePath(externas)).toStdString());
    for (const QString& nome : origem.entryList(QDir::Files)) {
        const QString destino = pasta.filePath(externas + QLatin1Char('/') + nome);
        QFile::remove(destino);
        // A copy out of the resources keeps their read-only permissions; the user may edit the tables.
        if (!QFile::copy(origem.filePath(nome), destino) ||
            !QFile::setPermissions(destino, QFile::permissions(destino) | QFileDevice::WriteOwner))
            throw std::runtime_error(("Não foi possível gravar " + destino).toStdString());
    }
}

} // namespace demonstracao
