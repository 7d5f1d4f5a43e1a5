#pragma once

// Databases for the tests: each test gets its own fresh database on the loopback server, built
// from the repository's scripts and dropped afterwards.
//
// Environment:
//   FCONT_TEST_HOST      server host (default "localhost"; "host/port" for another port)
//   FCONT_TEST_DIR       folder for the database files, writable by the server's user
//                        (default "/tmp/fcont-tests", created with mode 01777)
//   FCONT_TEST_USER      user (default "SYSDBA")
//   FCONT_TEST_PASSWORD  password; else ISC_PASSWORD; else the one in /etc/firebird/3.0/SYSDBA.password

#include "db/Attachment.h"
#include "db/Transaction.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace testsupport {

// The schema scripts of tools/sql, in order, without and with the seed data.
QStringList schemaScripts();
QStringList seedScripts();

QString testHost();
QString testDir();
QString testUser();
QString testPassword();

// False only when the server cannot be reached at all (connection refused, network error);
// any other failure is left for the tests to report. Checked once per process.
bool serverAvailable();

// The first column of the first row of a query; a query without rows fails the test.
QVariant value(db::Transaction& transaction, const QString& sql);

class TestDatabase {
public:
    // Creates the database and runs the scripts (paths relative to the repository root) in it.
    explicit TestDatabase(const QStringList& scripts = {});
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& path() const { return m_path; }
    db::ConnectionParams params() const;
    db::Attachment connect() const { return db::Attachment::connect(params()); }

    // Runs one more script file, or a script text, in a connection of its own.
    void runScriptFile(const QString& relativePath) const;
    void runScript(const QString& text) const;

private:
    QString m_path;
};

// A test with a fresh database, one attachment and its transaction. Derived fixtures name their
// scripts; tests are skipped, with the reason, when no server is reachable.
class DatabaseTest : public ::testing::Test {
protected:
    virtual QStringList scripts() const { return {}; }
    void SetUp() override;
    void TearDown() override;
    QVariant value(const QString& sql) { return testsupport::value(*transaction, sql); }

    std::unique_ptr<TestDatabase> database;
    db::Attachment attachment;
    std::unique_ptr<db::Transaction> transaction;
};

} // namespace testsupport

// For database tests outside DatabaseTest: skips the test when the server is unreachable.
#define FCONT_REQUIRE_SERVER()                                                                               \
    do {                                                                                                     \
        if (!::testsupport::serverAvailable())                                                               \
            GTEST_SKIP() << "No Firebird server reachable at " << ::testsupport::testHost().toStdString()    \
                         << " (set FCONT_TEST_HOST / FCONT_TEST_PASSWORD)";                                  \
    } while (false)
