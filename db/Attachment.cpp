#include "db/Attachment.h"

#include "db/Detail.h"

#include <utility>

namespace db {

using namespace detail;

Attachment::~Attachment() {
    if (!m_handle)
        return;
    Status status;
    m_handle->detach(&status);
    if (status.failed())
        m_handle->release();
}

Attachment::Attachment(Attachment&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_dialect(other.m_dialect), m_utf8(other.m_utf8) {}

Attachment& Attachment::operator=(Attachment&& other) noexcept {
    if (this != &other) {
        Attachment old(std::move(*this));
        m_handle = std::exchange(other.m_handle, nullptr);
        m_dialect = other.m_dialect;
        m_utf8 = other.m_utf8;
    }
    return *this;
}

Attachment Attachment::connect(const ConnectionParams& params) {
    return open(params, false);
}

Attachment Attachment::create(const ConnectionParams& params) {
    return open(params, true);
}

Attachment Attachment::open(const ConnectionParams& params, bool creating) {
    Status status;
    DisposePtr<Firebird::IXpbBuilder> dpb(
        util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0));
    status.check();
    dpb->insertString(&status, isc_dpb_user_name, params.user.toUtf8().constData());
    dpb->insertString(&status, isc_dpb_password, params.password.toUtf8().constData());
    dpb->insertString(&status, isc_dpb_lc_ctype, params.charset.toLatin1().constData());
    // On creation the client dialect is also the dialect of the new database.
    dpb->insertInt(&status, isc_dpb_sql_dialect, params.dialect);
    if (creating) {
        dpb->insertString(&status, isc_dpb_set_db_charset, params.charset.toLatin1().constData());
        dpb->insertInt(&status, isc_dpb_force_write, params.forcedWrites ? 1 : 0);
    }
    status.check();

    RefPtr<Firebird::IProvider> provider(master()->getDispatcher());
    const QByteArray name = params.database.toLocal8Bit();
    const unsigned length = dpb->getBufferLength(&status);
    const unsigned char* buffer = dpb->getBuffer(&status);
    status.check();
    Firebird::IAttachment* handle = creating
                                        ? provider->createDatabase(&status, name.constData(), length, buffer)
                                        : provider->attachDatabase(&status, name.constData(), length, buffer);
    status.check();
    return Attachment(handle, params.dialect, isUtf8Charset(params.charset));
}

void Attachment::disconnect() {
    if (!m_handle)
        return;
    Status status;
    m_handle->detach(&status);
    status.check();
    m_handle = nullptr;
}

void Attachment::drop() {
    if (!m_handle)
        return;
    Status status;
    m_handle->dropDatabase(&status);
    status.check();
    m_handle = nullptr;
}

} // namespace db
