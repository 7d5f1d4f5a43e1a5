#include "db/Transaction.h"

#include "db/Attachment.h"
#include "db/Detail.h"

namespace db {

using namespace detail;

Transaction::Transaction(Attachment& attachment) : m_attachment(&attachment) {}

Transaction::~Transaction() {
    if (!m_handle)
        return;
    Status status;
    m_handle->rollback(&status);
    if (status.failed())
        m_handle->release();
}

void Transaction::start() {
    if (m_handle)
        return;
    if (!m_attachment->connected())
        throw FirebirdError(0, QString(), QStringLiteral("Database not connected"));
    Status status;
    DisposePtr<Firebird::IXpbBuilder> tpb(
        util()->getXpbBuilder(&status, Firebird::IXpbBuilder::TPB, nullptr, 0));
    status.check();
    tpb->insertTag(&status, isc_tpb_read_committed);
    tpb->insertTag(&status, isc_tpb_rec_version);
    tpb->insertTag(&status, isc_tpb_nowait);
    tpb->insertTag(&status, isc_tpb_write);
    const unsigned length = tpb->getBufferLength(&status);
    const unsigned char* buffer = tpb->getBuffer(&status);
    status.check();
    Firebird::ITransaction* handle = m_attachment->handle()->startTransaction(&status, length, buffer);
    status.check();
    m_handle = handle;
}

Firebird::ITransaction* Transaction::handle() {
    start();
    return m_handle;
}

// commit() and rollback() release the interface when they succeed.
void Transaction::commit() {
    if (!m_handle)
        return;
    Status status;
    m_handle->commit(&status);
    status.check();
    m_handle = nullptr;
}

void Transaction::rollback() {
    if (!m_handle)
        return;
    Status status;
    m_handle->rollback(&status);
    status.check();
    m_handle = nullptr;
}

void Transaction::commitRetaining() {
    if (!m_handle)
        return;
    Status status;
    m_handle->commitRetaining(&status);
    status.check();
}

void Transaction::rollbackRetaining() {
    if (!m_handle)
        return;
    Status status;
    m_handle->rollbackRetaining(&status);
    status.check();
}

} // namespace db
