#pragma once

// Private to db/: the Firebird interface types and the ownership helpers over them.

#include "db/Attachment.h"
#include "db/FirebirdError.h"
#include "db/Handle.h"

#include <firebird/Interface.h>

#include <QByteArray>
#include <QString>
#include <memory>

namespace db::detail {

Firebird::IUtil* util();

// Charset ids of the engine that matter for decoding text.
constexpr unsigned charsetNone = 0;
constexpr unsigned charsetOctets = 1;
constexpr unsigned charsetUnicodeFss = 3;
constexpr unsigned charsetUtf8 = 4;

FirebirdError toError(Firebird::IStatus* status);

// The status of the calls that must succeed. Every call through the interface clears the status
// before it runs, so an error checked only after a later call would be gone: this wrapper is
// checked by the interface itself after each call and throws FirebirdError at the call that failed.
// Given an attachment's loss, an error that says the connection is gone marks it on its way out,
// so that no later call waits on the dead connection.
class Status : public Firebird::BaseStatusWrapper<Status> {
public:
    explicit Status(ConnectionLoss* lost = nullptr)
        : Firebird::BaseStatusWrapper<Status>(master()->getStatus()), m_lost(lost) {}
    ~Status() { status->dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    static void checkException(Status* wrapper) {
        if (!wrapper->dirty || !(wrapper->getState() & Firebird::IStatus::STATE_ERRORS))
            return;
        FirebirdError error = toError(wrapper);
        if (wrapper->m_lost && error.connectionLost())
            wrapper->m_lost->mark();
        throw error;
    }

private:
    ConnectionLoss* m_lost;
};

// An interface of a lost connection: only our reference is dropped, nothing is ended on the
// server, and the client library frees the object itself (left alone, its clean-up at exit would
// still find the object and fail on it).
template <class T> void letGo(Handle<T>& handle) noexcept {
    if (T* p = handle.release())
        p->release();
}

// The status of cleanup calls, whose failure the caller cannot act on (destructors): never throws.
class QuietStatus : public Firebird::CheckStatusWrapper {
public:
    QuietStatus() : Firebird::CheckStatusWrapper(master()->getStatus()) {}
    ~QuietStatus() { status->dispose(); }
    QuietStatus(const QuietStatus&) = delete;
    QuietStatus& operator=(const QuietStatus&) = delete;

    bool failed() const { return (getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
};

// Texts travel in the connection charset; columns in UNICODE_FSS or UTF8 come as UTF-8.
bool isUtf8Charset(const QString& name);
QByteArray encodeText(const QString& text, bool utf8);
QString decodeText(const char* data, int length, unsigned charset, bool connectionUtf8);
int bytesPerChar(unsigned charset);

} // namespace db::detail
