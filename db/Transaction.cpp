#include "db/Transaction.h"

#include "db/Attachment.h"
#include "db/Detail.h"

namespace db {

using namespace detail;

Transaction::Transaction(Attachment& attachment) : m_attachment(&attachment) {}

Transaction::~Transaction() {
    abandonIfLost();
}

Transaction::Transaction(Transaction&&) noexcept = default;

Transaction& Transaction::operator=(Transaction&& other) noexcept {
    if (this != &other) {
        abandonIfLost();
        m_attachment = other.m_attachment;
        m_handle = std::move(other.m_handle);
        m_lost = std::move(other.m_lost);
    }
    return *this;
}

bool Transaction::lost() const {
    return m_lost && m_lost->lost();
}

// The transaction of a dead connection is gone on the server; ending it could wait forever.
void Transaction::abandonIfLost() noexcept {
    if (lost())
        letGo(m_handle);
}

void Transaction::start() {
    if (m_handle && !lost())
        return;
    abandonIfLost();
    if (m_attachment->lost())
        throw FirebirdError::lostConnection();
    if (!m_attachment->connected())
        throw FirebirdError(0, QString(), QStringLiteral("Database not connected"));
    m_lost = m_attachment->loss();
    Status status(m_lost.get());
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
    if (lost()) {
        abandonIfLost();
        throw FirebirdError::lostConnection();
    }
    Status status(m_lost.get());
    m_handle->commit(&status);
    forget(m_handle);
}

// A transaction whose connection is gone has ended with it: its rollback is done, not failed.
void Transaction::rollback() {
    abandonIfLost();
    if (!m_handle)
        return;
    try {
        Status status(m_lost.get());
        m_handle->rollback(&status);
    } catch (const FirebirdError& e) {
        if (!e.connectionLost())
            throw;
        abandonIfLost();
        return;
    }
    forget(m_handle);
}

void Transaction::commitRetaining() {
    if (!m_handle)
        return;
    if (lost()) {
        abandonIfLost();
        throw FirebirdError::lostConnection();
    }
    Status status(m_lost.get());
    m_handle->commitRetaining(&status);
}

void Transaction::rollbackRetaining() {
    abandonIfLost();
    if (!m_handle)
        return;
    try {
        Status status(m_lost.get());
        m_handle->rollbackRetaining(&status);
    } catch (const FirebirdError& e) {
        if (!e.connectionLost())
            throw;
        abandonIfLost();
    }
}

} // namespace db
