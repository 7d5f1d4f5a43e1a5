#pragma once

// Private to db/: the Firebird interface types and the ownership helpers over them.

#include "db/Attachment.h"
#include "db/FirebirdError.h"

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

// One status object for a short sequence of calls; check() turns an error into FirebirdError.
class Status : public Firebird::CheckStatusWrapper {
public:
    Status() : Firebird::CheckStatusWrapper(master()->getStatus()) {}
    ~Status() { status->dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    bool failed() const { return (getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
    void check() {
        if (failed())
            throw toError(this);
    }
};

template <class T> struct Releaser {
    void operator()(T* p) const { p->release(); }
};
template <class T> using RefPtr = std::unique_ptr<T, Releaser<T>>;

template <class T> struct Disposer {
    void operator()(T* p) const { p->dispose(); }
};
template <class T> using DisposePtr = std::unique_ptr<T, Disposer<T>>;

// Texts travel in the connection charset; columns in UNICODE_FSS or UTF8 come as UTF-8.
bool isUtf8Charset(const QString& name);
QByteArray encodeText(const QString& text, bool utf8);
QString decodeText(const char* data, int length, unsigned charset, bool connectionUtf8);
int bytesPerChar(unsigned charset);

} // namespace db::detail
