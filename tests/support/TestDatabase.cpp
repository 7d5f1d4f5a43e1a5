#include "tests/support/TestDatabase.h"

#include "db/FirebirdError.h"
#include "db/Script.h"
#include "db/Services.h"
#include "db/Statement.h"

#include <QFile>
#include <QStringDecoder>

#include <atomic>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

namespace {

QString environment(const char* name, const QString& fallback = QString()) {
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : QString::fromLocal8Bit(value);
}

QString passwordFromFile() {
    QFile file(QStringLiteral("/etc/firebird/3.0/SYSDBA.password"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    while (!file.atEnd()) {
        const QString line = QString::fromLocal8Bit(file.readLine()).trimmed();
        if (!line.startsWith(QLatin1String("ISC_PASSWORD=")))
            continue;
        QString value = line.mid(int(qstrlen("ISC_PASSWORD=")));
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return QString();
}

// The scripts may be saved as UTF-8 or as Latin-1; both reach the server as ISO8859_1.
QString readScript(const QString& relativePath) {
    const QString path = QStringLiteral(FCONT_SOURCE_DIR "/") + relativePath;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read script " + path.toStdString());
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

bool isLocalHost(const QString& host) {
    const QString name = host.section(QLatin1Char('/'), 0, 0);
    return name == QLatin1String("localhost") || name == QLatin1String("127.0.0.1");
}

QString ensureTestDir() {
    const QString dir = testDir();
    const QByteArray native = QFile::encodeName(dir);
    // The server writes the files as its own user, so the folder is open to everyone.
    if (::mkdir(native.constData(), 01777) == 0)
        ::chmod(native.constData(), 01777);
    return dir;
}

QString uniquePath() {
    static std::atomic<int> counter{0};
    const QString dir = ensureTestDir();
    for (;;) {
        const QString path = QStringLiteral("%1/fcont-%2-%3.fdb").arg(dir).arg(::getpid()).arg(++counter);
        // A file left by an earlier process with the same pid is stale.
        if (isLocalHost(testHost()) && QFile::exists(path) && !QFile::remove(path))
            continue;
        return path;
    }
}

void runText(const db::ConnectionParams& params, const QString& text, const QString& origin) {
    db::Attachment attachment = db::Attachment::connect(params);
    db::Transaction transaction(attachment);
    db::Script script(transaction);
    script.setText(text);
    try {
        script.run();
    } catch (const db::FirebirdError& error) {
        throw db::FirebirdError(error.code(), error.sqlState(), origin + QStringLiteral(": ") + error.text());
    }
    transaction.commit();
}

} // namespace

QStringList schemaScripts() {
    return {QStringLiteral("tools/sql/01_dominio.sql"), QStringLiteral("tools/sql/02_erp.sql"),
            QStringLiteral("tools/sql/03_proprias_antigas.sql")};
}

QStringList seedScripts() {
    return schemaScripts() << QStringLiteral("tools/sql/04_semente.sql");
}

QString testHost() {
    return environment("FCONT_TEST_HOST", QStringLiteral("localhost"));
}
QString testDir() {
    return environment("FCONT_TEST_DIR", QStringLiteral("/tmp/fcont-tests"));
}
QString testUser() {
    return environment("FCONT_TEST_USER", QStringLiteral("SYSDBA"));
}

QString testPassword() {
    QString password = environment("FCONT_TEST_PASSWORD");
    if (password.isEmpty())
        password = environment("ISC_PASSWORD");
    if (password.isEmpty())
        password = passwordFromFile();
    return password;
}

bool serverAvailable() {
    static const bool available = [] {
        try {
            db::displayUser(testHost(), testUser(), testPassword(), testUser());
            return true;
        } catch (const db::FirebirdError& error) {
            if (error.code() == db::codes::networkError) {
                std::fprintf(stderr, "Firebird server not reachable: %s\n", error.what());
                return false;
            }
            return true; // a wrong password or the like must fail the tests, not skip them
        }
    }();
    return available;
}

TestDatabase::TestDatabase(const QStringList& scripts) : m_path(uniquePath()) {
    db::ConnectionParams creation = params();
    creation.forcedWrites = false;
    db::Attachment::create(creation).disconnect();
    try {
        for (const QString& script : scripts)
            runScriptFile(script);
    } catch (...) {
        try {
            connect().drop();
        } catch (...) {
        }
        throw;
    }
}

TestDatabase::~TestDatabase() {
    try {
        connect().drop();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "warning: test database %s not dropped: %s\n", qPrintable(m_path), error.what());
    }
}

db::ConnectionParams TestDatabase::params() const {
    db::ConnectionParams params;
    params.database = testHost() + QLatin1Char(':') + m_path;
    params.user = testUser();
    params.password = testPassword();
    return params;
}

void TestDatabase::runScriptFile(const QString& relativePath) const {
    runText(params(), readScript(relativePath), relativePath);
}

void TestDatabase::runScript(const QString& text) const {
    runText(params(), text, QStringLiteral("script"));
}

QVariant value(db::Transaction& transaction, const QString& sql) {
    db::Statement statement(transaction, sql);
    auto cursor = statement.openCursor();
    EXPECT_TRUE(cursor->fetch()) << sql.toStdString();
    return cursor->value(0);
}

void DatabaseTest::SetUp() {
    if (!serverAvailable())
        GTEST_SKIP() << "No Firebird server reachable at " << testHost().toStdString()
                     << " (set FCONT_TEST_HOST / FCONT_TEST_PASSWORD)";
    database = std::make_unique<TestDatabase>(scripts());
    attachment = database->connect();
    transaction = std::make_unique<db::Transaction>(attachment);
}

void DatabaseTest::TearDown() {
    transaction.reset();
    attachment = db::Attachment();
    database.reset();
}

} // namespace testsupport
