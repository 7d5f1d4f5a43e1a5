#pragma once

namespace Firebird {
class IAttachment;
} // namespace Firebird

namespace db {

// What an attachment shares with everything started on it (transactions, statements, cursors,
// which may be ended after it): whether the engine said the connection is gone.
class ConnectionLoss {
public:
    bool lost() const noexcept { return m_lost; }
    // Sets the loss and cuts the connection on this side at once. Every handle of the attachment
    // is let go from then on, and letting one go makes the client library send its rollback or
    // free over the connection and wait for the answer, which a server that dropped the
    // attachment may never give. With the connection cut those calls fail at once.
    void mark() noexcept;
    // The attachment whose connection mark() cuts; null once it is detached or let go.
    void bind(Firebird::IAttachment* attachment) noexcept { m_attachment = attachment; }

private:
    bool m_lost = false;
    Firebird::IAttachment* m_attachment = nullptr;
};

} // namespace db
