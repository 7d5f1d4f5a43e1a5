#pragma once

#include "db/ConnectionLoss.h"
#include "db/Handle.h"

#include <QString>
#include <memory>

namespace db {

class Attachment;

// The one transaction of the program: read committed, record versions, no wait. It is started
// on demand (statements start it when it is not running), and committed or rolled back
// retaining, because the design commits after every post without losing its open cursors.
// The destructor rolls back what nothing committed. Ending a transaction that is not running
// does nothing; a failed commit or rollback throws FirebirdError and leaves it running.
// Move-only: the moved-from transaction is not running and still belongs to its attachment.
// On a lost attachment (Attachment::lost) commits throw FirebirdError::lostConnection() and
// rollbacks only let the transaction go, without a call to the server; a rollback that finds the
// connection gone succeeds, since the transaction ended with it.
class Transaction {
public:
    explicit Transaction(Attachment& attachment);
    ~Transaction();
    Transaction(Transaction&&) noexcept;
    Transaction& operator=(Transaction&&) noexcept;
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void start();
    bool inTransaction() const { return m_handle != nullptr; }
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();

    Attachment& attachment() const { return *m_attachment; }
    // The running transaction, null when none runs.
    Firebird::ITransaction* handle() const { return m_handle.get(); }
    // Starts the transaction when needed and returns its handle.
    Firebird::ITransaction* ensureStarted();
    // The loss of the attachment the running transaction was started on.
    ConnectionLoss* loss() const { return m_lost.get(); }

private:
    bool lost() const;
    void abandonIfLost() noexcept;
    Attachment* m_attachment;
    Handle<Firebird::ITransaction> m_handle;
    std::shared_ptr<ConnectionLoss> m_lost;
};

} // namespace db
