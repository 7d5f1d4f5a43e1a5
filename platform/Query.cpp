#include "platform/Query.h"

#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/DataSetNotifier.h"

#include <stdexcept>

namespace platform {

namespace {

FieldType fieldTypeOf(const db::ColumnInfo& c) {
    switch (c.type) {
    case db::ColumnType::Text:
    case db::ColumnType::Blob:
    case db::ColumnType::Other:
        return FieldType::String;
    case db::ColumnType::FixedText:
        return FieldType::FixedChar;
    case db::ColumnType::SmallInt:
        return c.scale != 0 ? FieldType::Float : FieldType::SmallInt;
    case db::ColumnType::Integer:
        return c.scale != 0 ? FieldType::Float : FieldType::Integer;
    case db::ColumnType::BigInt:
        return c.scale != 0 ? FieldType::Float : FieldType::LargeInt;
    case db::ColumnType::Float:
    case db::ColumnType::Double:
        return FieldType::Float;
    case db::ColumnType::Timestamp:
        return FieldType::DateTime;
    case db::ColumnType::Date:
        return FieldType::Date;
    case db::ColumnType::Time:
        return FieldType::Time;
    }
    return FieldType::String;
}

} // namespace

Query::Query(QString name, db::Transaction* transaction)
    : DataSet(std::move(name)), m_transaction(transaction) {}

Query::~Query() {
    m_cursor.reset();
    m_statement.reset();
}

db::Transaction& Query::requireTransaction() const {
    if (!m_transaction)
        throw std::logic_error((name() + ": no transaction").toStdString());
    return *m_transaction;
}

void Query::setSql(const QString& text) {
    close();
    m_sql = text;
    const db::ParsedSql parsed = db::parseNamedParameters(text);
    QStringList names;
    for (const QString& n : parsed.names)
        if (!names.contains(n, Qt::CaseInsensitive))
            names << n;
    m_paramNames = names;
    QMap<QString, QVariant> kept;
    for (const QString& n : names)
        kept.insert(n.toUpper(), m_params.value(n.toUpper()));
    m_params = kept;
}

void Query::addSql(const QString& line) {
    setSql(m_sql.isEmpty() ? line : m_sql + QStringLiteral("\r\n") + line);
}

bool Query::hasParam(const QString& name) const {
    return m_params.contains(name.toUpper());
}

void Query::setParam(const QString& name, const QVariant& value) {
    if (!hasParam(name))
        throw std::invalid_argument((this->name() + ": Parameter '" + name + "' not found").toStdString());
    m_params[name.toUpper()] = value;
}

QVariant Query::param(const QString& name) const {
    return m_params.value(name.toUpper());
}

void Query::bindParams(db::Statement& statement, const Row* newRow, const Row* oldRow) const {
    const QStringList& names = statement.parameterNames();
    for (const QString& n : names) {
        QVariant v;
        if (newRow || oldRow) {
            const bool old = n.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
            const Row* row = old ? oldRow : newRow;
            const Field* f = findField(old ? n.mid(4) : n);
            if (row && f && !f->calculated())
                v = row->value(f->index());
            else if (!f)
                v = m_params.value(n.toUpper());
        } else {
            v = m_params.value(n.toUpper());
        }
        statement.setParameter(n, v);
    }
}

void Query::readRow(db::Cursor& cursor, Row& row, const QList<int>& targets) const {
    for (int c = 0; c < targets.size(); ++c)
        if (targets[c] >= 0)
            row[targets[c]] = field(targets[c]).convert(cursor.value(c));
}

void Query::doOpen() {
    m_statement = std::make_unique<db::Statement>(requireTransaction(), m_sql);
    bindParams(*m_statement, nullptr, nullptr);
    const QList<db::ColumnInfo> columns = m_statement->columns();
    // Fields defined in code are kept with their handlers; every other column gets a field of
    // its own for this opening.
    removeAutomaticFields();
    for (const db::ColumnInfo& c : columns) {
        if (findField(c.name))
            continue; // "select a.*, b.x" may repeat a name; the first one wins, as in the grids
        FieldDef def;
        def.name = c.name;
        def.type = fieldTypeOf(c);
        def.size = (def.type == FieldType::String || def.type == FieldType::FixedChar) ? c.length : 0;
        def.automatic = true;
        addField(def);
    }
    m_targets.clear();
    for (const db::ColumnInfo& c : columns) {
        const Field* f = findField(c.name);
        m_targets << (f && !f->calculated() ? f->index() : -1);
        if (f && m_targets.count(f->index()) > 1)
            m_targets.last() = -1;
    }
    for (const Field* f : fields())
        if (!f->calculated() && !m_targets.contains(f->index()))
            throw std::invalid_argument((name() + ": Field '" + f->name() + "' not found").toStdString());

    m_cursor = m_statement->openCursor();
    if (m_uniDirectional) {
        if (m_cursor->fetch()) {
            Row row(fieldCount());
            readRow(*m_cursor, row, m_targets);
            m_rows.push_back(row);
        }
        return;
    }
    while (m_cursor->fetch()) {
        Row row(fieldCount());
        readRow(*m_cursor, row, m_targets);
        if (!m_rows.empty())
            shareRepeatedTexts(row, m_rows.back());
        m_rows.push_back(std::move(row));
    }
    m_cursor.reset();
    m_statement.reset();
}

void Query::doClose() {
    m_cursor.reset();
    m_statement.reset();
}

void Query::next() {
    if (!m_uniDirectional || !m_cursor) {
        DataSet::next();
        return;
    }
    checkBrowseOrEdit();
    if (m_cursor->fetch()) {
        readRow(*m_cursor, m_rows.front(), m_targets);
        setEof(false);
        // Forward only: the one row held is the current one, now with other values.
        emit notifier().rowChanged(0);
        scrolled();
    } else {
        m_cursor.reset();
        m_statement.reset();
        setEof(true);
    }
}

void Query::execSql() {
    close();
    db::Statement statement(requireTransaction(), m_sql);
    bindParams(statement, nullptr, nullptr);
    statement.execute();
}

void Query::refresh(const QString& keyField) {
    QVariant key;
    const Field* kf = keyField.isEmpty() ? nullptr : findField(keyField);
    if (kf && active())
        key = kf->value();
    close();
    open();
    if (kf && key.isValid())
        for (int i = 0; i < recordCount(); ++i)
            if (valueAt(i, kf->index()) == key) {
                moveTo(i);
                break;
            }
}

int Query::appendFromSql(const QString& sql, const std::function<bool(const Row&)>& keep) {
    checkBrowseOrEdit();
    std::vector<Row> rows;
    {
        db::Statement statement(requireTransaction(), sql);
        bindParams(statement, nullptr, nullptr);
        auto cursor = statement.openCursor();
        QList<int> targets;
        for (const db::ColumnInfo& c : cursor->columns()) {
            const Field* f = findField(c.name);
            targets << (f && !f->calculated() && !targets.contains(f->index()) ? f->index() : -1);
        }
        while (cursor->fetch()) {
            Row row(fieldCount());
            readRow(*cursor, row, targets);
            if (!keep || keep(row))
                rows.push_back(std::move(row));
        }
    }
    const int added = static_cast<int>(rows.size());
    appendStored(std::move(rows));
    return added;
}

void Query::doPost(Row& row, const Row* oldRow) {
    const QString& sql = oldRow ? updateSql.modifySql : updateSql.insertSql;
    if (sql.isEmpty())
        throw std::logic_error((name() + ": the dataset cannot be modified").toStdString());
    {
        db::Statement statement(requireTransaction(), sql);
        bindParams(statement, &row, oldRow);
        statement.execute();
    }
    if (!updateSql.refreshSql.isEmpty()) {
        db::Statement statement(requireTransaction(), updateSql.refreshSql);
        bindParams(statement, &row, &row);
        auto cursor = statement.openCursor();
        if (cursor->fetch()) {
            QList<int> targets;
            for (const db::ColumnInfo& c : cursor->columns()) {
                const Field* f = findField(c.name);
                targets << (f && !f->calculated() && !targets.contains(f->index()) ? f->index() : -1);
            }
            readRow(*cursor, row, targets);
        }
    }
}

void Query::doDelete(const Row& row) {
    if (updateSql.deleteSql.isEmpty())
        throw std::logic_error((name() + ": the dataset cannot be modified").toStdString());
    db::Statement statement(requireTransaction(), updateSql.deleteSql);
    bindParams(statement, nullptr, &row);
    statement.execute();
}

} // namespace platform
