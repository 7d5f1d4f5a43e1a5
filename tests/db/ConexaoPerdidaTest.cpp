#include "db/Detail.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace testsupport;

namespace {

class ConexaoPerdida : public DatabaseTest {
protected:
    // What an administrator does to a connection: deletes it from the monitoring table.
    void derruba(db::Attachment& vitima) {
        const qint64 id =
            testsupport::value(*transaction, "select current_connection from rdb$database").toLongLong();
        transaction->commit();
        db::Transaction dela(vitima);
        const qint64 alvo =
            testsupport::value(dela, "select current_connection from rdb$database").toLongLong();
        dela.commit();
        ASSERT_NE(id, alvo);
        db::executeImmediate(
            *transaction,
            QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID = %1").arg(alvo));
        transaction->commit();
    }
};

} // namespace

TEST_F(ConexaoPerdida, AfterTheEngineSaysTheConnectionIsGoneNothingWaitsOnIt) {
    QElapsedTimer relogio;
    {
        db::Attachment vitima = database->connect();
        auto trabalho = std::make_unique<db::Transaction>(vitima);
        auto consulta =
            std::make_unique<db::Statement>(*trabalho, "select rdb$relation_name from rdb$relations");
        auto cursor = consulta->openCursor();
        ASSERT_TRUE(cursor->fetch());
        derruba(vitima);
        ASSERT_FALSE(vitima.lost());

        // The first call after the drop is the one the engine answers with the shutdown.
        try {
            db::Statement outra(*trabalho, "select 1 from rdb$database");
            outra.execute();
            ADD_FAILURE() << "a statement ran on a deleted attachment";
        } catch (const db::FirebirdError& e) {
            EXPECT_TRUE(e.connectionLost()) << e.text().toStdString();
        }
        EXPECT_TRUE(vitima.lost());
        // The connection is cut on this side as soon as the loss is known: what is let go from now
        // on cannot wait for a server that dropped the attachment. A raw call fails in the client
        // library itself, with no answer of the server's ("connection shutdown") in it.
        {
            db::detail::QuietStatus status;
            vitima.handle()->ping(&status);
            ASSERT_TRUE(status.failed());
            const db::FirebirdError e = db::detail::toError(&status);
            EXPECT_TRUE(e.connectionLost()) << e.text().toStdString();
            EXPECT_FALSE(e.codes().contains(335544856)) << e.text().toStdString();
        }

        relogio.start();
        // From here on every call gives up at once, without the server.
        try {
            trabalho->commit();
            ADD_FAILURE() << "a commit on a lost connection was taken as done";
        } catch (const db::FirebirdError& e) {
            EXPECT_TRUE(e.connectionLost());
            EXPECT_EQ(e.code(), db::codes::lostDbConnection);
        }
        EXPECT_THROW(cursor->fetch(), db::FirebirdError);
        EXPECT_THROW(db::executeImmediate(*trabalho, "select 1 from rdb$database"), db::FirebirdError);
        EXPECT_NO_THROW(trabalho->rollback());
        EXPECT_NO_THROW(trabalho->rollbackRetaining());
        cursor.reset();
        consulta.reset();
        trabalho.reset();
        EXPECT_NO_THROW(vitima.disconnect());
        EXPECT_FALSE(vitima.connected());
    }
    EXPECT_LT(relogio.elapsed(), 1000) << "ms spent after the loss";

    // The other connections go on.
    EXPECT_EQ(value("select 1 from rdb$database").toInt(), 1);
}

TEST(FirebirdError, TellsALostConnectionByAnyCodeOfItsVector) {
    EXPECT_TRUE(
        db::FirebirdError({335544856}, {"connection shutdown"}, {}, "connection shutdown").connectionLost());
    EXPECT_TRUE(db::FirebirdError({335544721, 335544727}, {"a", "b"}, {}, "a b").connectionLost());
    EXPECT_TRUE(db::FirebirdError({335544569, 335544726}, {"a", "b"}, {}, "a b").connectionLost());
    EXPECT_FALSE(db::FirebirdError({335544665}, {"violation of PRIMARY or UNIQUE KEY constraint"}, {}, "x")
                     .connectionLost());
    EXPECT_FALSE(db::FirebirdError(0, {}, "ours").connectionLost());
    EXPECT_TRUE(db::FirebirdError::lostConnection().connectionLost());
}
