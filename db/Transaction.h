#pragma once

#include <QString>

namespace Firebird {
class ITransaction;
}

namespace db {

class Attachment;

// The one transaction of the program: read committed, record versions, no wait. It is started
// on demand (statements start it when it is not running), and committed or rolled back
// retaining, because the design commits after every post without losing its open cursors.
// The destructor rolls back what nothing committed. Ending a transaction that is not running
// does nothing; a failed commit or rollback throws FirebirdError and leaves it running.
class Transaction {
public:
    explicit Transaction(Attachment& attachment);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void start();
    bool inTransaction() const { return m_handle != nullptr; }
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();

    Attachment& attachment() const { return *m_attachment; }
    // Starts the transaction when needed and returns its handle.
    Firebird::ITransaction* handle();

private:
    Attachment* m_attachment;
    Firebird::ITransaction* m_handle = nullptr;
};

} // namespace db
