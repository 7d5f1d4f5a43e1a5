#include "db/Attachment.h"

#include "db/Detail.h"

namespace db {

using namespace detail;

void ConnectionLoss::mark() noexcept {
    if (m_lost)
        return;
    m_lost = true;
    if (m_attachment) {
        // Over the network this closes the socket; an embedded attachment is shut down.
        QuietStatus status;
        m_attachment->cancelOperation(&status, fb_cancel_abort);
    }
}

Attachment::Attachment(Handle<Firebird::IAttachment> handle, int dialect, bool utf8)
    : m_handle(std::move(handle)), m_dialect(dialect), m_utf8(utf8),
      m_lost(std::make_shared<ConnectionLoss>()) {
    m_lost->bind(m_handle.get());
}

Attachment::~Attachment() {
    abandonIfLost();
    unbind();
}

Attachment::Attachment(Attachment&&) noexcept = default;

Attachment& Attachment::operator=(Attachment&& other) noexcept {
    if (this != &other) {
        abandonIfLost();
        unbind();
        m_handle = std::move(other.m_handle);
        m_dialect = other.m_dialect;
        m_utf8 = other.m_utf8;
        m_lost = std::move(other.m_lost);
    }
    return *this;
}

// A dead connection's interface is left to the client library: detaching could wait forever.
void Attachment::abandonIfLost() noexcept {
    if (lost()) {
        unbind();
        letGo(m_handle);
    }
}

// What is started on the attachment may outlive its interface.
void Attachment::unbind() noexcept {
    if (m_lost)
        m_lost->bind(nullptr);
}

Attachment Attachment::connect(const ConnectionParams& params) {
    return open(params, false);
}

Attachment Attachment::create(const ConnectionParams& params) {
    return open(params, true);
}

Attachment Attachment::open(const ConnectionParams& params, bool creating) {
    Status status;
    Handle<Firebird::IXpbBuilder> dpb(util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0));
    dpb->insertString(&status, isc_dpb_user_name, params.user.toUtf8().constData());
    dpb->insertString(&status, isc_dpb_password, params.password.toUtf8().constData());
    dpb->insertString(&status, isc_dpb_lc_ctype, params.charset.toLatin1().constData());
    // On creation the client dialect is also the dialect of the new database.
    dpb->insertInt(&status, isc_dpb_sql_dialect, params.dialect);
    if (creating) {
        dpb->insertString(&status, isc_dpb_set_db_charset, params.charset.toLatin1().constData());
        dpb->insertInt(&status, isc_dpb_force_write, params.forcedWrites ? 1 : 0);
    }

    Handle<Firebird::IProvider> provider(master()->getDispatcher());
    const QByteArray name = params.database.toLocal8Bit();
    const unsigned length = dpb->getBufferLength(&status);
    const unsigned char* buffer = dpb->getBuffer(&status);
    Handle<Firebird::IAttachment> handle(
        creating ? provider->createDatabase(&status, name.constData(), length, buffer)
                 : provider->attachDatabase(&status, name.constData(), length, buffer));
    return Attachment(std::move(handle), params.dialect, isUtf8Charset(params.charset));
}

// detach() and dropDatabase() release the interface when they succeed.
void Attachment::disconnect() {
    abandonIfLost();
    if (!m_handle)
        return;
    Status status(m_lost.get());
    m_handle->detach(&status);
    unbind();
    forget(m_handle);
}

void Attachment::drop() {
    if (lost())
        throw FirebirdError::lostConnection();
    if (!m_handle)
        return;
    Status status(m_lost.get());
    m_handle->dropDatabase(&status);
    unbind();
    forget(m_handle);
}

} // namespace db
