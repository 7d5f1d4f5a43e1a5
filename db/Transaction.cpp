#include "db/Transaction.h"

#include "db/Attachment.h"
#include "db/Detail.h"

namespace db {

using namespace detail;

Transaction::Transaction(Attachment& attachment) : m_attachment(&attachment) {}

Transaction::~Transaction() = default;
Transaction::Transaction(Transaction&&) noexcept = default;
Transaction& Transaction::operator=(Transaction&&) noexcept = default;

void Transaction::start() {
    if (m_handle)
        return;
    if (!m_attachment->connected())
        throw FirebirdError(0, QString(), QStringLiteral("Database not connected"));
    Status status;
    Handle<Firebird::IXpbBuilder> tpb(util()->getXpbBuilder(&status, Firebird::IXpbBuilder::TPB, nullptr, 0));
    tpb->insertTag(&status, isc_tpb_read_committed);
    tpb->insertTag(&status, isc_tpb_rec_version);
    tpb->insertTag(&status, isc_tpb_nowait);
    tpb->insertTag(&status, isc_tpb_write);
    const unsigned length = tpb->getBufferLength(&status);
    const unsigned char* buffer = tpb->getBuffer(&status);
    m_handle.reset(m_attachment->handle()->startTransaction(&status, length, buffer));
}

Firebird::ITransaction* Transaction::ensureStarted() {
    start();
    return m_handle.get();
}

// commit() and rollback() release the interface when they succeed.
void Transaction::commit() {
    if (!m_handle)
        return;
    Status status;
    m_handle->commit(&status);
    forget(m_handle);
}

void Transaction::rollback() {
    if (!m_handle)
        return;
    Status status;
    m_handle->rollback(&status);
    forget(m_handle);
}

void Transaction::commitRetaining() {
    if (!m_handle)
        return;
    Status status;
    m_handle->commitRetaining(&status);
}

void Transaction::rollbackRetaining() {
    if (!m_handle)
        return;
    Status status;
    m_handle->rollbackRetaining(&status);
}

} // namespace db
