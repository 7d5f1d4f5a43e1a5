#include "db/Handle.h"

#include "db/Detail.h"

namespace db {

using detail::QuietStatus;

namespace {

// The ending call releases the interface only when it succeeds.
template <class T, class End> void endOrRelease(T* p, End end) noexcept {
    if (!p)
        return;
    QuietStatus status;
    end(p, &status);
    if (status.failed())
        p->release();
}

} // namespace

void HandleEnd::operator()(Firebird::IAttachment* p) const noexcept {
    endOrRelease(p, [](auto* h, QuietStatus* s) { h->detach(s); });
}

void HandleEnd::operator()(Firebird::ITransaction* p) const noexcept {
    endOrRelease(p, [](auto* h, QuietStatus* s) { h->rollback(s); });
}

void HandleEnd::operator()(Firebird::IStatement* p) const noexcept {
    endOrRelease(p, [](auto* h, QuietStatus* s) { h->free(s); });
}

void HandleEnd::operator()(Firebird::IResultSet* p) const noexcept {
    endOrRelease(p, [](auto* h, QuietStatus* s) { h->close(s); });
}

void HandleEnd::operator()(Firebird::IBlob* p) const noexcept {
    endOrRelease(p, [](auto* h, QuietStatus* s) { h->close(s); });
}

void HandleEnd::operator()(Firebird::IService* p) const noexcept {
    endOrRelease(p, [](auto* h, QuietStatus* s) { h->detach(s); });
}

void HandleEnd::operator()(Firebird::IProvider* p) const noexcept {
    if (p)
        p->release();
}

void HandleEnd::operator()(Firebird::IMessageMetadata* p) const noexcept {
    if (p)
        p->release();
}

void HandleEnd::operator()(Firebird::IMetadataBuilder* p) const noexcept {
    if (p)
        p->release();
}

void HandleEnd::operator()(Firebird::IXpbBuilder* p) const noexcept {
    if (p)
        p->dispose();
}

} // namespace db
