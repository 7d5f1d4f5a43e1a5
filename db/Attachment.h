#pragma once

#include "db/ConnectionLoss.h"
#include "db/FirebirdError.h"
#include "db/Handle.h"

#include <QString>
#include <memory>

namespace Firebird {
class IMaster;
} // namespace Firebird

namespace db {

struct ConnectionParams {
    QString database; // host:path, or a plain path for an embedded engine
    QString user;
    QString password;
    QString charset = QStringLiteral("ISO8859_1");
    int dialect = 1;
    // For create() only: synchronous writes, as a production database has. Throwaway test
    // databases turn them off, because every commit then waits for the disk.
    bool forcedWrites = true;
};

Firebird::IMaster* master();

// One attachment to one database. Move-only; the destructor detaches.
class Attachment {
public:
    Attachment() = default;
    ~Attachment();
    Attachment(Attachment&&) noexcept;
    Attachment& operator=(Attachment&&) noexcept;
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    static Attachment connect(const ConnectionParams& params);
    // Creates a new database in SQL dialect 1 with the connection's charset as default charset.
    static Attachment create(const ConnectionParams& params);
    // Attaching or creating fails with FirebirdError; disconnect() and drop() throw when the server
    // refuses (open transactions) and keep the attachment. The destructor detaches and swallows errors.

    bool connected() const { return m_handle != nullptr; }
    void disconnect();
    void drop(); // drops the database and detaches
    int dialect() const { return m_dialect; }
    // Texts go to and come from the server in the connection charset (ISO8859_1 by default).
    bool utf8Text() const { return m_utf8; }

    Firebird::IAttachment* handle() const { return m_handle.get(); }

    // True once the engine said the connection is gone (FirebirdError::connectionLost). From then
    // on nothing of this attachment calls the server: a call on a dead connection can wait
    // forever in the client library. Its transactions, statements and cursors throw
    // FirebirdError::lostConnection() at once, rollbacks and closes do nothing, and the handles
    // are let go without ending them; disconnect() only forgets the attachment.
    bool lost() const { return m_lost && m_lost->lost(); }
    // Shared with everything started on this attachment, which may be ended after it.
    const std::shared_ptr<ConnectionLoss>& loss() const { return m_lost; }

private:
    Attachment(Handle<Firebird::IAttachment> handle, int dialect, bool utf8);
    static Attachment open(const ConnectionParams& params, bool creating);
    void abandonIfLost() noexcept;
    void unbind() noexcept;
    Handle<Firebird::IAttachment> m_handle;
    int m_dialect = 1;
    bool m_utf8 = false;
    std::shared_ptr<ConnectionLoss> m_lost;
};

} // namespace db
