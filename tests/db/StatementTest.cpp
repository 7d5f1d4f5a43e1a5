#include "db/Statement.h"
#include "db/FirebirdError.h"
#include "db/Transaction.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QString operacao = QStringLiteral("Operação");

class Statements : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        db::executeImmediate(*transaction, "create table TIPOS ("
                                           " ID integer not null primary key,"
                                           " PEQUENO smallint,"
                                           " NOME varchar(60),"
                                           " SIGLA char(5),"
                                           " DATA date,"
                                           " DOVALOR numeric(15,2),"
                                           " PRECO numeric(9,2),"
                                           " TAXA double precision,"
                                           " MEMO blob sub_type text)");
        transaction->commitRetaining();
    }
};

} // namespace

TEST_F(Statements, RoundTripLatin1TextThroughParametersAndLiterals) {
    db::Statement insert(*transaction, "insert into TIPOS (ID, NOME) values (:ID, :NOME)");
    insert.setParameter("ID", 1);
    insert.setParameter("NOME", operacao);
    insert.execute();
    db::executeImmediate(*transaction, "insert into TIPOS (ID, NOME) values (2, 'Operação')");

    // One byte per character on the server: the text arrived as ISO8859_1, not as UTF-8.
    EXPECT_EQ(value("select char_length(NOME) from TIPOS where ID = 1").toInt(), 8);
    EXPECT_EQ(value("select octet_length(NOME) from TIPOS where ID = 2").toInt(), 8);
    EXPECT_EQ(value("select NOME from TIPOS where ID = 1").toString(), operacao);
    EXPECT_EQ(value("select count(*) from TIPOS where NOME = 'Operação'").toInt(), 2);

    db::Statement byName(*transaction, "select ID from TIPOS where NOME = :NOME order by ID");
    byName.setParameter("nome", operacao);
    auto cursor = byName.openCursor();
    ASSERT_TRUE(cursor->fetch());
    EXPECT_EQ(cursor->asInteger(0), 1);
}

TEST_F(Statements, KeepNullApartFromEmptyText) {
    db::Statement insert(*transaction, "insert into TIPOS (ID, NOME, DATA, DOVALOR) values (?, ?, ?, ?)");
    ASSERT_EQ(insert.parameterCount(), 4);
    insert.setParameter(0, 1);
    insert.setParameter(1, QVariant());
    insert.setParameter(2, QVariant());
    insert.setParameter(3, QVariant());
    insert.execute();
    insert.setParameter(0, 2);
    insert.setParameter(1, QString());
    insert.setParameter(2, QDateTime()); // an invalid date is no date
    insert.setParameter(3, 0.0);
    insert.execute();

    EXPECT_EQ(value("select count(*) from TIPOS where NOME is null").toInt(), 1);
    EXPECT_EQ(value("select count(*) from TIPOS where NOME = ''").toInt(), 1);
    EXPECT_EQ(value("select count(*) from TIPOS where DATA is null").toInt(), 2);
    EXPECT_EQ(value("select count(*) from TIPOS where DOVALOR = 0").toInt(), 1);

    db::Statement select(*transaction, "select NOME, DOVALOR from TIPOS order by ID");
    auto cursor = select.openCursor();
    ASSERT_TRUE(cursor->fetch());
    EXPECT_TRUE(cursor->isNull(0));
    EXPECT_EQ(cursor->asText(0), std::nullopt);
    EXPECT_EQ(cursor->asDouble(1), std::nullopt);
    ASSERT_TRUE(cursor->fetch());
    EXPECT_FALSE(cursor->isNull(0));
    EXPECT_EQ(cursor->asText(0), QString());
    EXPECT_EQ(cursor->asDouble(1), 0.0);
    EXPECT_FALSE(cursor->fetch());
}

TEST_F(Statements, ConvertParametersToTheColumnTypes) {
    db::Statement insert(*transaction,
                         "insert into TIPOS (ID, PEQUENO, NOME, SIGLA, DATA, DOVALOR, PRECO, TAXA)"
                         " values (:ID, :PEQUENO, :NOME, :SIGLA, :DATA, :DOVALOR, :PRECO, :TAXA)");
    insert.setParameter("ID", QStringLiteral("42")); // text into an integer
    insert.setParameter("PEQUENO", 7);
    insert.setParameter("NOME", QStringLiteral("x"));
    insert.setParameter("SIGLA", QStringLiteral("ab"));
    insert.setParameter("DATA", QDateTime(QDate(2009, 12, 31), QTime(23, 59, 58)));
    insert.setParameter("DOVALOR", 1234567.89);
    insert.setParameter("PRECO", QStringLiteral("12.5"));
    insert.setParameter("TAXA", 0.125);
    insert.execute();
    insert.clearParameters();
    insert.setParameter("ID", qint64(43));
    insert.setParameter("DATA", QDate(2010, 1, 2));
    insert.setParameter("DOVALOR", 7); // an integer into a numeric
    insert.execute();

    db::Statement select(*transaction,
                         "select ID, PEQUENO, NOME, SIGLA, DATA, DOVALOR, PRECO, TAXA from TIPOS"
                         " order by ID");
    const QList<db::ColumnInfo> columns = select.columns();
    ASSERT_EQ(columns.size(), 8);
    EXPECT_EQ(columns[0].type, db::ColumnType::Integer);
    EXPECT_FALSE(columns[0].nullable);
    EXPECT_EQ(columns[1].type, db::ColumnType::SmallInt);
    EXPECT_EQ(columns[2].type, db::ColumnType::Text);
    EXPECT_EQ(columns[2].length, 60);
    EXPECT_EQ(columns[2].relation, QStringLiteral("TIPOS"));
    EXPECT_EQ(columns[3].type, db::ColumnType::FixedText);
    EXPECT_EQ(columns[4].type, db::ColumnType::Timestamp);
    EXPECT_EQ(columns[5].type, db::ColumnType::Double); // numeric(15,2) is a double in dialect 1
    EXPECT_EQ(columns[6].type, db::ColumnType::Double); // numeric(9,2) a scaled integer
    EXPECT_EQ(columns[6].scale, -2);
    EXPECT_EQ(columns[7].type, db::ColumnType::Double);

    auto cursor = select.openCursor();
    ASSERT_TRUE(cursor->fetch());
    EXPECT_EQ(cursor->value(0), QVariant(42));
    EXPECT_EQ(cursor->asInteger(1), 7);
    EXPECT_EQ(cursor->asText(2), QStringLiteral("x"));
    EXPECT_EQ(cursor->asText(3), QStringLiteral("ab   ")); // CHAR keeps its padding
    EXPECT_EQ(cursor->asDateTime(4), QDateTime(QDate(2009, 12, 31), QTime(23, 59, 58)));
    EXPECT_DOUBLE_EQ(*cursor->asDouble(5), 1234567.89);
    EXPECT_DOUBLE_EQ(*cursor->asDouble(6), 12.5);
    EXPECT_DOUBLE_EQ(*cursor->asDouble(7), 0.125);
    ASSERT_TRUE(cursor->fetch());
    EXPECT_EQ(cursor->asInteger(0), 43);
    EXPECT_TRUE(cursor->isNull(1));
    EXPECT_EQ(cursor->asDateTime(4), QDateTime(QDate(2010, 1, 2), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(*cursor->asDouble(5), 7.0);
}

TEST_F(Statements, ReadTextBlobsAndNameColumnsByAlias) {
    db::Statement insert(*transaction, "insert into TIPOS (ID, MEMO) values (1, :MEMO)");
    const QString memo = operacao + QStringLiteral(" ") + QString(5000, QLatin1Char('x'));
    insert.setParameter("MEMO", memo);
    insert.execute();

    db::Statement select(*transaction, "select MEMO, ID as Codigo, ID + 1 from TIPOS");
    auto cursor = select.openCursor();
    ASSERT_EQ(cursor->columnCount(), 3);
    EXPECT_EQ(cursor->columns()[0].type, db::ColumnType::Blob);
    EXPECT_EQ(cursor->columns()[0].subType, 1);
    EXPECT_EQ(cursor->columns()[1].name, QStringLiteral("CODIGO"));
    EXPECT_EQ(cursor->columns()[1].field, QStringLiteral("ID"));
    EXPECT_EQ(cursor->columns()[2].name, QStringLiteral("ADD"));
    EXPECT_EQ(cursor->indexOf("codigo"), 1);
    EXPECT_EQ(cursor->indexOf("MEMO"), 0);
    EXPECT_EQ(cursor->indexOf("NADA"), -1);
    ASSERT_TRUE(cursor->fetch());
    EXPECT_EQ(cursor->asText(0), memo);
}

TEST_F(Statements, MatchRepeatedNamedParametersAndIgnoreColonsInTextAndComments) {
    db::executeImmediate(*transaction, "insert into TIPOS (ID, NOME) values (1, 'a:b')");
    db::executeImmediate(*transaction, "insert into TIPOS (ID, NOME) values (2, 'c')");
    db::executeImmediate(*transaction, "insert into TIPOS (ID, NOME) values (3, 'd')");
    db::Statement select(*transaction, "select ID from TIPOS -- :IGNORADO\n"
                                       "where (ID = :ID or ID = :ID + 1 or NOME = 'a:b') and ID <> :FORA"
                                       " order by ID");
    EXPECT_EQ(select.parameterNames(), (QStringList{"ID", "ID", "FORA"}));
    EXPECT_TRUE(select.setParameter("id", 2));
    EXPECT_TRUE(select.setParameter("FORA", 0));
    EXPECT_FALSE(select.setParameter("IGNORADO", 0));
    EXPECT_TRUE(select.isSelect());

    QList<qint64> ids;
    auto cursor = select.openCursor();
    while (cursor->fetch())
        ids.append(*cursor->asInteger(0));
    EXPECT_EQ(ids, (QList<qint64>{1, 2, 3}));
}

TEST_F(Statements, ReopeningACursorClosesThePreviousOne) {
    db::executeImmediate(*transaction, "insert into TIPOS (ID) values (1)");
    db::Statement select(*transaction, "select ID from TIPOS");
    auto first = select.openCursor();
    ASSERT_TRUE(first->fetch());
    auto second = select.openCursor();
    EXPECT_FALSE(first->fetch());
    ASSERT_TRUE(second->fetch());
    EXPECT_EQ(second->asInteger(0), 1);
    EXPECT_FALSE(second->fetch());
    EXPECT_FALSE(second->fetch());
}

TEST_F(Statements, FailingExecutionThrowsAndKeepsTheStatementUsable) {
    db::Statement insert(*transaction, "insert into TIPOS (ID, NOME) values (:ID, :NOME)");
    insert.setParameter("ID", 1);
    insert.execute();
    try {
        insert.execute();
        FAIL() << "a duplicate key was accepted";
    } catch (const db::FirebirdError& error) {
        EXPECT_EQ(error.code(), 335544665L); // isc_unique_key_violation
        EXPECT_TRUE(error.text().contains("TIPOS")) << error.what();
    }
    insert.setParameter("ID", 2);
    insert.setParameter("NOME", QString(61, QLatin1Char('x')));
    EXPECT_THROW(insert.execute(), db::FirebirdError); // string truncation
    insert.setParameter("NOME", QStringLiteral("ok"));
    EXPECT_NO_THROW(insert.execute());
    EXPECT_EQ(value("select count(*) from TIPOS").toInt(), 2);
}

TEST_F(Statements, LeaveNoServerStatementsBehind) {
    auto serverStatements = [this] {
        // Monitoring tables are a snapshot per transaction, so each count takes a new one.
        db::Transaction fresh(attachment);
        db::Statement count(
            fresh, "select count(*) from mon$statements where mon$attachment_id = current_connection");
        auto cursor = count.openCursor();
        EXPECT_TRUE(cursor->fetch());
        return *cursor->asInteger(0);
    };
    db::executeImmediate(*transaction, "insert into TIPOS (ID) values (1)");
    transaction->commitRetaining();
    const qint64 before = serverStatements();
    for (int i = 0; i < 20; ++i) {
        EXPECT_THROW(db::Statement(*transaction, "select * from NAO_EXISTE"), db::FirebirdError);
        db::Statement duplicate(*transaction, "insert into TIPOS (ID) values (1)");
        EXPECT_THROW(duplicate.execute(), db::FirebirdError);
        std::unique_ptr<db::Cursor> cursor;
        {
            db::Statement select(*transaction, "select ID, MEMO from TIPOS");
            cursor = select.openCursor();
            EXPECT_TRUE(cursor->fetch());
        }
        EXPECT_FALSE(cursor->fetch()); // the statement's end closed it
    }
    EXPECT_EQ(serverStatements(), before);
}
