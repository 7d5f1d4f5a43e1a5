#include "db/Attachment.h"
#include "db/FirebirdError.h"
#include "db/Services.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace testsupport;

namespace {

QVariant singleValue(db::Transaction& transaction, const QString& sql) {
    db::Statement statement(transaction, sql);
    auto cursor = statement.openCursor();
    EXPECT_TRUE(cursor->fetch()) << sql.toStdString();
    return cursor->value(0);
}

std::optional<db::FirebirdError> errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const db::FirebirdError& error) {
        return error;
    }
    return std::nullopt;
}

long errorCode(const std::function<void()>& action) {
    const auto error = errorOf(action);
    return error ? error->code() : 0;
}

} // namespace

class Connection : public DatabaseTest {};

TEST_F(Connection, CreatesDialectOneDatabasesWithLatin1AsDefaultCharset) {
    EXPECT_EQ(singleValue(*transaction, "select mon$sql_dialect from mon$database").toInt(), 1);
    EXPECT_EQ(
        singleValue(*transaction, "select rdb$character_set_name from rdb$database").toString().trimmed(),
        QStringLiteral("ISO8859_1"));
    EXPECT_EQ(singleValue(*transaction,
                          "select c.rdb$character_set_name from mon$attachments a "
                          "join rdb$character_sets c on c.rdb$character_set_id = a.mon$character_set_id "
                          "where a.mon$attachment_id = current_connection")
                  .toString()
                  .trimmed(),
              QStringLiteral("ISO8859_1"));
    EXPECT_EQ(attachment.dialect(), 1);
}

TEST_F(Connection, PreparesStatementsInDialectOne) {
    // Integer division gives a fraction only in dialect 1.
    EXPECT_DOUBLE_EQ(singleValue(*transaction, "select 1/2 from rdb$database").toDouble(), 0.5);

    db::executeImmediate(*transaction, "create table DATAS (D date)");
    transaction->commitRetaining();
    db::executeImmediate(*transaction, "insert into DATAS values ('12/01/09 10:20:30')");
    db::Statement select(*transaction, "select D from DATAS");
    ASSERT_EQ(select.columns().size(), 1);
    EXPECT_EQ(select.columns()[0].type, db::ColumnType::Timestamp);
    auto cursor = select.openCursor();
    ASSERT_TRUE(cursor->fetch());
    EXPECT_EQ(cursor->asDateTime(0), QDateTime(QDate(2009, 12, 1), QTime(10, 20, 30)));
}

TEST(ConnectionErrors, CarryTheEngineCodes) {
    FCONT_REQUIRE_SERVER();
    TestDatabase database;

    db::ConnectionParams wrongPassword = database.params();
    wrongPassword.password = QStringLiteral("not-the-password");
    EXPECT_EQ(errorCode([&] { db::Attachment::connect(wrongPassword); }), db::codes::login);

    db::ConnectionParams unreachable = database.params();
    unreachable.database = QStringLiteral("127.0.0.1/3999:") + database.path();
    EXPECT_EQ(errorCode([&] { db::Attachment::connect(unreachable); }), db::codes::networkError);

    db::ConnectionParams missing = database.params();
    missing.database += QStringLiteral(".missing");
    EXPECT_EQ(errorCode([&] { db::Attachment::connect(missing); }), db::codes::ioError);
}

TEST_F(Connection, UnknownTableGivesTheServerTextAndLeavesTheTransactionUsable) {
    try {
        db::Statement statement(*transaction, "select * from NAO_EXISTE");
        FAIL() << "prepared a select over a missing table";
    } catch (const db::FirebirdError& error) {
        EXPECT_EQ(error.code(), 335544569L); // isc_dsql_error, the first code of the vector
        EXPECT_EQ(error.sqlState(), QStringLiteral("42S02"));
        EXPECT_TRUE(error.text().contains("Table unknown")) << error.what();
        EXPECT_TRUE(error.text().contains("NAO_EXISTE")) << error.what();
        // The whole vector: the general code first, then the specific ones, each with its text.
        EXPECT_GT(error.codes().size(), 1);
        EXPECT_TRUE(error.codes().contains(335544580L)) << error.what(); // isc_dsql_relation_err
        EXPECT_GT(error.messages().size(), 1);
        EXPECT_EQ(error.messages().first(), QStringLiteral("Dynamic SQL Error"));
        EXPECT_TRUE(error.messages().contains(QStringLiteral("Table unknown"))) << error.what();
    }
    EXPECT_EQ(singleValue(*transaction, "select 1 from rdb$database").toInt(), 1);
}

TEST_F(Connection, TransactionOutlivingItsAttachmentFailsCleanly) {
    db::executeImmediate(*transaction, "create table T (A integer)");
    transaction->commit();
    db::executeImmediate(*transaction, "insert into T values (1)");
    try {
        attachment.disconnect();
    } catch (const db::FirebirdError&) {
    }
    EXPECT_THROW(transaction->commit(), db::FirebirdError);
    EXPECT_TRUE(transaction->inTransaction());

    transaction.reset();
    attachment = database->connect();
    db::Transaction again(attachment);
    EXPECT_EQ(singleValue(again, "select count(*) from T").toInt(), 0);
}

TEST(SecurityService, ChecksTheCredentials) {
    FCONT_REQUIRE_SERVER();
    EXPECT_NO_THROW(db::displayUser(testHost(), testUser(), testPassword(), testUser()));
    EXPECT_EQ(errorCode([] { db::displayUser(testHost(), testUser(), "not-the-password", testUser()); }),
              db::codes::login);
    EXPECT_EQ(errorCode([] { db::displayUser("127.0.0.1/3999", testUser(), testPassword(), testUser()); }),
              db::codes::networkError);
}
