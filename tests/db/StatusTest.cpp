#include "db/Detail.h"

#include <gtest/gtest.h>

#include <QStringList>

using db::FirebirdError;
using db::detail::Status;
using db::detail::util;

// Every call clears the status before it runs. A flag without data in a transaction block is
// refused; the calls after it succeed and, checked only at the end, would report nothing.
TEST(StatusChecks, ThrowAtTheFailingCallBeforeLaterCallsCanHideIt) {
    Status status;
    db::Handle<Firebird::IXpbBuilder> tpb(
        util()->getXpbBuilder(&status, Firebird::IXpbBuilder::TPB, nullptr, 0));
    QStringList reached;
    try {
        tpb->insertInt(&status, isc_tpb_write, 1);
        reached << "after the wrong call";
        tpb->insertTag(&status, isc_tpb_read_committed);
        reached << "after a right call";
        FAIL() << "the wrong call went unnoticed";
    } catch (const FirebirdError& error) {
        EXPECT_TRUE(reached.isEmpty()) << reached.join(", ").toStdString();
        EXPECT_TRUE(error.text().contains("dataless")) << error.what();
        EXPECT_NE(error.code(), 0);
    }

    // The same status serves the next calls: the error does not linger either.
    EXPECT_NO_THROW(tpb->insertTag(&status, isc_tpb_read_committed));
    EXPECT_NO_THROW(tpb->getBufferLength(&status));
}

TEST(StatusChecks, KeepEveryCodeAndTextOfTheVector) {
    const intptr_t vector[] = {isc_arg_gds, isc_dsql_error,        isc_arg_gds,
                               isc_sqlerr,  isc_arg_number,        -204,
                               isc_arg_gds, isc_dsql_relation_err, isc_arg_gds,
                               isc_random,  isc_arg_string,        reinterpret_cast<intptr_t>("TABELA"),
                               isc_arg_end};
    Status status;
    status.setErrors(vector);
    const FirebirdError error = db::detail::toError(&status);
    EXPECT_EQ(error.code(), isc_dsql_error);
    EXPECT_EQ(error.codes(), (QList<long>{isc_dsql_error, isc_sqlerr, isc_dsql_relation_err, isc_random}));
    EXPECT_EQ(error.messages(),
              (QStringList{"Dynamic SQL Error", "SQL error code = -204", "Table unknown", "TABELA"}));
    EXPECT_EQ(error.sqlState(), QStringLiteral("42S02"));
    for (const QString& message : error.messages())
        EXPECT_TRUE(error.text().contains(message)) << error.what();
}
