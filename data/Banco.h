#pragma once

#include "db/Attachment.h"

#include <functional>

namespace data {

// The program's one database connection. The login fills in the parameters; after every
// successful connection the after-connect step (the schema upkeep) runs before connect returns.
class Banco {
public:
    db::ConnectionParams params;
    std::function<void()> afterConnect;

    void connect() {
        m_attachment = db::Attachment::connect(params);
        if (afterConnect)
            afterConnect();
    }
    void disconnect() { m_attachment.disconnect(); }
    bool connected() const { return m_attachment.connected(); }
    // Stable for the module's lifetime, so the transaction can hold on to it across connections.
    db::Attachment& attachment() { return m_attachment; }

private:
    db::Attachment m_attachment;
};

} // namespace data
