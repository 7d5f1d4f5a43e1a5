#pragma once

// Private to db/: what a statement and its cursor share.

#include "db/Message.h"
#include "db/Statement.h"

namespace db {

struct Statement::Impl {
    Transaction* transaction = nullptr;
    Handle<Firebird::IStatement> statement;
    Handle<Firebird::IMessageMetadata> inMeta;
    Handle<Firebird::IMessageMetadata> outMeta;
    std::vector<detail::Slot> inSlots;
    std::vector<detail::Slot> outSlots;
    unsigned type = 0;
    bool utf8 = false;
    QList<QVariant> parameters;
    QList<ColumnInfo> columns;
    Cursor::Impl* cursor = nullptr;       // the open cursor, closed when the statement opens another
    std::shared_ptr<ConnectionLoss> lost; // the attachment's (Attachment::lost)

    ~Impl();
    bool gone() const { return lost && lost->lost(); }
    void closeCursor();
    detail::InputMessage input() const {
        return detail::encodeParameters(inMeta.get(), inSlots, parameters, utf8);
    }
};

struct Cursor::Impl {
    Statement::Impl* owner = nullptr;
    Handle<Firebird::IResultSet> resultSet;
    std::vector<unsigned char> buffer;
    QList<QVariant> row;
    std::shared_ptr<ConnectionLoss> lost;

    ~Impl() {
        close();
        if (owner && owner->cursor == this)
            owner->cursor = nullptr;
    }

    // Closing cannot fail in a way the caller could act on: a cursor whose transaction ended
    // is gone on the server already.
    void close() {
        row.clear();
        if (lost && lost->lost())
            detail::letGo(resultSet);
        resultSet.reset();
    }
};

} // namespace db
