#include "db/Script.h"
#include "db/Statement.h"

#include <gtest/gtest.h>

using db::parseNamedParameters;

TEST(NamedParameters, AreReplacedInOrderAndMayRepeat) {
    const auto parsed = parseNamedParameters(
        QStringLiteral("select * from T where A = :CODIGO and B >= :Data or C = :codigo"));
    EXPECT_EQ(parsed.sql, QStringLiteral("select * from T where A = ? and B >= ? or C = ?"));
    EXPECT_EQ(parsed.names, (QStringList{"CODIGO", "Data", "codigo"}));
}

TEST(NamedParameters, AreLeftAloneInLiteralsIdentifiersAndComments) {
    const QString sql = QStringLiteral("select 'a:b', 'it''s :X', \"Col:Y\" from T -- :Z here\n"
                                       "where /* :W */ A = :A and B = '10:30'");
    const auto parsed = parseNamedParameters(sql);
    EXPECT_EQ(parsed.names, QStringList{"A"});
    EXPECT_EQ(parsed.sql, QStringLiteral("select 'a:b', 'it''s :X', \"Col:Y\" from T -- :Z here\n"
                                         "where /* :W */ A = ? and B = '10:30'"));
}

TEST(NamedParameters, LeaveDoubleColonsAndBareColons) {
    const auto parsed = parseNamedParameters(QStringLiteral("select a::b, c : d, :E_1$ from T"));
    EXPECT_EQ(parsed.sql, QStringLiteral("select a::b, c : d, ? from T"));
    EXPECT_EQ(parsed.names, QStringList{"E_1$"});
    EXPECT_TRUE(parseNamedParameters(QStringLiteral("select 1 from T where a = ?")).names.isEmpty());
}

TEST(ScriptSplit, CutsAtTerminatorsOutsideLiteralsAndComments) {
    const QStringList statements =
        db::Script::split(QStringLiteral("-- heading; with a semicolon\n"
                                         "create table T (A varchar(10));\n"
                                         "insert into T values ('x;y'); /* a ; in here */\n"
                                         "insert into T values (\"weird;name\")  ;;\n"
                                         "update T set A = 'z'"));
    ASSERT_EQ(statements.size(), 4);
    EXPECT_EQ(statements[0], QStringLiteral("create table T (A varchar(10))"));
    EXPECT_EQ(statements[1], QStringLiteral("insert into T values ('x;y')"));
    EXPECT_EQ(statements[2], QStringLiteral("insert into T values (\"weird;name\")"));
    EXPECT_EQ(statements[3], QStringLiteral("update T set A = 'z'"));
}

TEST(ScriptSplit, SetTermChangesTheTerminatorForProcedureBodies) {
    const QStringList statements = db::Script::split(QStringLiteral(
        "set term ^ ;\n"
        "create procedure P as begin insert into T values (1); insert into T values (2); end^\n"
        "SET TERM ; ^\n"
        "select 1 from RDB$DATABASE;"));
    ASSERT_EQ(statements.size(), 2);
    EXPECT_EQ(statements[0],
              QStringLiteral(
                  "create procedure P as begin insert into T values (1); insert into T values (2); end"));
    EXPECT_EQ(statements[1], QStringLiteral("select 1 from RDB$DATABASE"));
}

TEST(SqlSpans, TellQuotesAndCommentsApartAndRunUnterminatedOnesToTheEnd) {
    const QString text = QStringLiteral("a 'x''y' \"N\" -- c\n/* b */ 'open");
    EXPECT_EQ(db::sqlSpanAt(text, 0).kind, db::SqlSpan::Code);
    EXPECT_EQ(db::sqlSpanAt(text, 0).length, 0);
    // A doubled quote ends one literal and starts the next.
    EXPECT_EQ(db::sqlSpanAt(text, 2).kind, db::SqlSpan::Literal);
    EXPECT_EQ(db::sqlSpanAt(text, 2).length, 3);
    EXPECT_EQ(db::sqlSpanAt(text, 5).kind, db::SqlSpan::Literal);
    EXPECT_EQ(db::sqlSpanAt(text, 5).length, 3);
    EXPECT_EQ(db::sqlSpanAt(text, 9).kind, db::SqlSpan::QuotedName);
    const db::SqlSpanAt line = db::sqlSpanAt(text, 13);
    EXPECT_EQ(line.kind, db::SqlSpan::LineComment);
    EXPECT_EQ(text.mid(13, line.length), QStringLiteral("-- c")); // the line break is not in it
    EXPECT_TRUE(db::sqlSpanAt(text, 18).isComment());
    EXPECT_EQ(db::sqlSpanAt(text, 18).length, 7);
    EXPECT_EQ(db::sqlSpanAt(text, 26).length, text.size() - 26);
    EXPECT_EQ(db::sqlSpanAt(QStringLiteral("/* open"), 0).length, 7);

    // The script and the parameters read an unterminated comment the same way.
    EXPECT_EQ(db::Script::split(QStringLiteral("select 1 from T; /* ; :P")).size(), 1);
    EXPECT_TRUE(db::parseNamedParameters(QStringLiteral("select 1 from T /* :P")).names.isEmpty());
}
