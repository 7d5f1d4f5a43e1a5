#pragma once

#include <memory>

namespace Firebird {
class IAttachment;
class IBlob;
class IMessageMetadata;
class IMetadataBuilder;
class IProvider;
class IResultSet;
class IService;
class IStatement;
class ITransaction;
class IXpbBuilder;
} // namespace Firebird

namespace db {

// Ends a Firebird interface the way its kind must be ended. Objects with a server side (attachment,
// transaction, statement, cursor, blob, service) are first ended on the server: that call releases
// the interface when it succeeds, and when it fails the interface is released all the same, because
// a destructor cannot act on the error. Builders are disposed; the rest is reference-counted.
struct HandleEnd {
    void operator()(Firebird::IAttachment* p) const noexcept;  // detach (no open transactions)
    void operator()(Firebird::ITransaction* p) const noexcept; // roll back what nothing committed
    void operator()(Firebird::IStatement* p) const noexcept;   // free
    void operator()(Firebird::IResultSet* p) const noexcept;   // close
    void operator()(Firebird::IBlob* p) const noexcept;        // close
    void operator()(Firebird::IService* p) const noexcept;     // detach
    void operator()(Firebird::IProvider* p) const noexcept;    // release
    void operator()(Firebird::IMessageMetadata* p) const noexcept;
    void operator()(Firebird::IMetadataBuilder* p) const noexcept;
    void operator()(Firebird::IXpbBuilder* p) const noexcept; // dispose
};

// The one owner of every Firebird interface.
template <class T> using Handle = std::unique_ptr<T, HandleEnd>;

// After an explicit ending call (commit, detach, free, close) succeeded, the interface is gone:
// the holder lets go of it without ending it again.
template <class T> void forget(Handle<T>& handle) noexcept {
    static_cast<void>(handle.release());
}

} // namespace db
