#pragma once

// Private to db/: the layout of the engine's messages and the coding of values into and out of them.

#include "db/Detail.h"
#include "db/Value.h"

#include <QList>
#include <QVariant>
#include <vector>

namespace db::detail {

// Where one message field lives in its buffer and how to read it.
struct Slot {
    unsigned type = 0;
    int subType = 0;
    unsigned length = 0;
    int scale = 0;
    unsigned charset = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

std::vector<Slot> slotsOf(Firebird::IMessageMetadata* meta);
QList<ColumnInfo> columnsOf(Firebird::IMessageMetadata* meta, const std::vector<Slot>& outSlots);

// The input message of one execution: the parameters' metadata retyped to what each value is
// (the server converts to the declared type), and the buffer with the values.
struct InputMessage {
    Handle<Firebird::IMessageMetadata> meta;
    std::vector<unsigned char> buffer;
    unsigned char* data() { return buffer.empty() ? nullptr : buffer.data(); }
};
InputMessage encodeParameters(Firebird::IMessageMetadata* declared, const std::vector<Slot>& inSlots,
                              const QList<QVariant>& values, bool utf8);

// Text blobs and the connection charset need the attachment and the running transaction.
struct DecodeContext {
    Firebird::IAttachment* attachment = nullptr;
    Firebird::ITransaction* transaction = nullptr;
    bool utf8 = false;
    ConnectionLoss* lost = nullptr; // the attachment's
};
QVariant decodeField(const unsigned char* buffer, const Slot& slot, const DecodeContext& context);

} // namespace db::detail
