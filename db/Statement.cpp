#include "db/Statement.h"

#include "db/Attachment.h"
#include "db/StatementImpl.h"
#include "db/Transaction.h"

#include <stdexcept>

namespace db {

using namespace detail;

void executeImmediate(Transaction& transaction, const QString& sql) {
    Attachment& attachment = transaction.attachment();
    Firebird::ITransaction* handle = transaction.ensureStarted();
    const QByteArray text = encodeText(sql, attachment.utf8Text());
    Status status(transaction.loss());
    attachment.handle()->execute(&status, handle, unsigned(text.size()), text.constData(),
                                 unsigned(attachment.dialect()), nullptr, nullptr, nullptr, nullptr);
}

Statement::Impl::~Impl() {
    closeCursor();
    // Freeing a statement of a dead connection could wait forever on it.
    if (gone())
        letGo(statement);
}

void Statement::Impl::closeCursor() {
    if (!cursor)
        return;
    cursor->close();
    cursor->owner = nullptr;
    cursor = nullptr;
}

Statement::Statement(Transaction& transaction, const QString& sql) : m(std::make_unique<Impl>()) {
    ParsedSql parsed = parseNamedParameters(sql);
    m_names = std::move(parsed.names);
    m->transaction = &transaction;

    Attachment& attachment = transaction.attachment();
    Firebird::ITransaction* handle = transaction.ensureStarted();
    m->lost = attachment.loss();
    m->utf8 = attachment.utf8Text();
    const QByteArray text = encodeText(parsed.sql, m->utf8);
    Status status(m->lost.get());
    m->statement.reset(attachment.handle()->prepare(&status, handle, unsigned(text.size()), text.constData(),
                                                    unsigned(attachment.dialect()),
                                                    Firebird::IStatement::PREPARE_PREFETCH_METADATA));
    m->type = m->statement->getType(&status);
    m->inMeta.reset(m->statement->getInputMetadata(&status));
    m->outMeta.reset(m->statement->getOutputMetadata(&status));
    m->inSlots = slotsOf(m->inMeta.get());
    m->outSlots = slotsOf(m->outMeta.get());
    m->parameters = QList<QVariant>(qsizetype(m->inSlots.size()));
    m->columns = columnsOf(m->outMeta.get(), m->outSlots);
}

Statement::~Statement() = default;

bool Statement::isSelect() const {
    return m->type == isc_info_sql_stmt_select || m->type == isc_info_sql_stmt_select_for_upd;
}

int Statement::parameterCount() const {
    return int(m->inSlots.size());
}

void Statement::setParameter(int index, const QVariant& value) {
    if (index < 0 || index >= m->parameters.size())
        throw std::out_of_range("parameter index out of range");
    m->parameters[index] = value;
}

bool Statement::setParameter(const QString& name, const QVariant& value) {
    bool found = false;
    for (qsizetype i = 0; i < m_names.size() && i < m->parameters.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) {
            m->parameters[i] = value;
            found = true;
        }
    }
    return found;
}

void Statement::clearParameters() {
    for (QVariant& value : m->parameters)
        value = QVariant();
}

QList<ColumnInfo> Statement::columns() const {
    return m->columns;
}

std::unique_ptr<Cursor> Statement::openCursor() {
    m->closeCursor();
    Firebird::ITransaction* handle = m->transaction->ensureStarted();
    InputMessage input = m->input();

    auto impl = std::make_unique<Cursor::Impl>();
    impl->lost = m->lost;
    Status status(m->lost.get());
    impl->buffer.assign(m->outMeta->getMessageLength(&status), 0);
    impl->resultSet.reset(
        m->statement->openCursor(&status, handle, input.meta.get(), input.data(), m->outMeta.get(), 0));
    impl->owner = m.get();
    m->cursor = impl.get();
    return std::unique_ptr<Cursor>(new Cursor(std::move(impl), m->columns));
}

void Statement::execute() {
    if (isSelect()) {
        openCursor()->close();
        return;
    }
    m->closeCursor();
    Firebird::ITransaction* handle = m->transaction->ensureStarted();
    InputMessage input = m->input();
    std::vector<unsigned char> output;
    Firebird::IMessageMetadata* outMeta = m->outSlots.empty() ? nullptr : m->outMeta.get();
    Status status(m->lost.get());
    if (outMeta)
        output.assign(outMeta->getMessageLength(&status), 0);
    m->statement->execute(&status, handle, input.meta.get(), input.data(), outMeta,
                          output.empty() ? nullptr : output.data());
}

} // namespace db
