#include "db/Transaction.h"
#include "db/Statement.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class Transactions : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        db::executeImmediate(*transaction, "create table T (A integer)");
        transaction->commit();
    }

    int count(db::Transaction& in) {
        db::Statement statement(in, "select count(*) from T");
        auto cursor = statement.openCursor();
        EXPECT_TRUE(cursor->fetch());
        return int(cursor->asInteger(0).value_or(-1));
    }

    // What other connections see: only committed work.
    int committedCount() {
        db::Attachment other = database->connect();
        db::Transaction reader(other);
        return count(reader);
    }
};

} // namespace

TEST_F(Transactions, StartOnDemandAndEndWithCommitOrRollback) {
    EXPECT_FALSE(transaction->inTransaction());
    db::executeImmediate(*transaction, "insert into T values (1)");
    EXPECT_TRUE(transaction->inTransaction());
    transaction->commit();
    EXPECT_FALSE(transaction->inTransaction());
    EXPECT_EQ(committedCount(), 1);

    db::executeImmediate(*transaction, "insert into T values (2)");
    transaction->rollback();
    EXPECT_FALSE(transaction->inTransaction());
    EXPECT_EQ(committedCount(), 1);
    EXPECT_NO_THROW(transaction->commit()); // nothing running: nothing to do
}

TEST_F(Transactions, CommitRetainingKeepsAnOpenCursorValid) {
    db::Statement insert(*transaction, "insert into T values (:A)");
    for (int i = 1; i <= 5; ++i) {
        insert.setParameter("A", i);
        insert.execute();
    }
    transaction->commitRetaining();

    db::Statement select(*transaction, "select A from T order by A");
    db::Statement update(*transaction, "update T set A = A + 100 where A = :A");
    auto cursor = select.openCursor();
    QList<qint64> seen;
    while (cursor->fetch()) {
        seen.append(*cursor->asInteger(0));
        // The design posts and commits while a dataset stays open on the same transaction.
        update.setParameter("A", seen.last());
        update.execute();
        transaction->commitRetaining();
        EXPECT_TRUE(transaction->inTransaction());
    }
    EXPECT_EQ(seen, (QList<qint64>{1, 2, 3, 4, 5}));
    EXPECT_EQ(committedCount(), 5);
}

TEST_F(Transactions, RollbackRetainingUndoesAndKeepsRunning) {
    db::executeImmediate(*transaction, "insert into T values (1)");
    transaction->commitRetaining();
    db::executeImmediate(*transaction, "insert into T values (2)");
    EXPECT_EQ(count(*transaction), 2);
    transaction->rollbackRetaining();
    EXPECT_TRUE(transaction->inTransaction());
    EXPECT_EQ(count(*transaction), 1);
    EXPECT_EQ(committedCount(), 1);
}

TEST_F(Transactions, DestructionRollsBackUncommittedWork) {
    {
        db::Transaction scoped(attachment);
        db::executeImmediate(scoped, "insert into T values (1)");
        EXPECT_EQ(count(scoped), 1);
    }
    EXPECT_EQ(committedCount(), 0);
}

TEST_F(Transactions, MoveCarriesTheRunningWorkAndReplacedWorkIsRolledBack) {
    db::Transaction first(attachment);
    EXPECT_EQ(first.handle(), nullptr);
    EXPECT_FALSE(first.inTransaction()); // looking at the handle starts nothing
    db::executeImmediate(first, "insert into T values (1)");
    Firebird::ITransaction* running = first.handle();
    ASSERT_NE(running, nullptr);

    db::Transaction second(std::move(first));
    EXPECT_FALSE(first.inTransaction());
    EXPECT_EQ(second.handle(), running);
    EXPECT_EQ(&second.attachment(), &attachment);

    db::Transaction replaced(attachment);
    db::executeImmediate(replaced, "insert into T values (2)");
    replaced = std::move(second);
    EXPECT_EQ(replaced.handle(), running);
    replaced.commit();
    EXPECT_EQ(committedCount(), 1);

    // The moved-from transaction still belongs to its attachment and starts again on demand.
    db::executeImmediate(first, "insert into T values (3)");
    first.commit();
    EXPECT_EQ(committedCount(), 2);
}
