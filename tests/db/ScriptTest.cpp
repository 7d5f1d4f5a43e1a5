#include "db/Script.h"
#include "db/FirebirdError.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class Scripts : public DatabaseTest {};

} // namespace

TEST_F(Scripts, RunDdlWithTermChangesAndUseNewColumnsAtOnce) {
    db::Script script(*transaction);
    script.setText(QStringLiteral("SET SQL DIALECT 1;\n"
                                  "SET NAMES ISO8859_1;\n"
                                  "CREATE DATABASE 'ignored.fdb';\n"
                                  "create table CONTA (ID integer not null primary key, NOME varchar(30));\n"
                                  "set term ^ ;\n"
                                  "create trigger CONTA_BI for CONTA before insert as\n"
                                  "begin\n"
                                  "  if (new.NOME is null) then new.NOME = 'Sem descrição';\n"
                                  "end^\n"
                                  "create procedure DOBRA (X integer) returns (Y integer) as\n"
                                  "begin\n"
                                  "  Y = :X * 2;\n"
                                  "  suspend;\n"
                                  "end^\n"
                                  "set term ; ^\n"
                                  "alter table CONTA add EXTRA integer;\n"
                                  "insert into CONTA (ID, EXTRA) values (1, 7);\n"
                                  "update CONTA set EXTRA = EXTRA + 1 where ID = 1; -- a ; in a comment\n"
                                  "insert into CONTA (ID, NOME) values (2, 'x;y');\n"
                                  "COMMIT WORK;\n"
                                  "insert into CONTA (ID, NOME) values (3, 'z')"));
    script.run();

    EXPECT_TRUE(transaction->inTransaction());
    EXPECT_EQ(value("select NOME from CONTA where ID = 1").toString(), QStringLiteral("Sem descrição"));
    EXPECT_EQ(value("select EXTRA from CONTA where ID = 1").toInt(), 8);
    EXPECT_EQ(value("select NOME from CONTA where ID = 2").toString(), QStringLiteral("x;y"));
    EXPECT_EQ(value("select Y from DOBRA(21)").toInt(), 42);

    // The end of the script committed its work: a second connection sees it.
    db::Attachment other = database->connect();
    db::Transaction reader(other);
    db::Statement count(reader, "select count(*) from CONTA");
    auto cursor = count.openCursor();
    ASSERT_TRUE(cursor->fetch());
    EXPECT_EQ(cursor->asInteger(0), 3);
}

TEST_F(Scripts, StopAtTheFailingStatementKeepingTheEarlierOnes) {
    db::Script script(*transaction);
    script.setText(QStringLiteral("create table A (X integer);\n"
                                  "insert into A values (1);\n"
                                  "insert into NAO_EXISTE values (1);\n"
                                  "insert into A values (2);"));
    try {
        script.run();
        FAIL() << "the script ran past a missing table";
    } catch (const db::FirebirdError& error) {
        EXPECT_TRUE(error.text().contains("NAO_EXISTE")) << error.what();
    }
    EXPECT_EQ(value("select count(*) from A").toInt(), 1);
}

TEST_F(Scripts, SetAutoDdlOffLeavesNewTablesUncommitted) {
    db::Script script(*transaction);
    script.setText(
        QStringLiteral("SET AUTODDL OFF;\ncreate table C (X integer);\ninsert into C values (1);"));
    // Without the commit after the DDL the insert cannot use the new table yet.
    EXPECT_THROW(script.run(), db::FirebirdError);
}
