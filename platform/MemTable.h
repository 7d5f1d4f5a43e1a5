#pragma once

#include "platform/DataSet.h"
#include "platform/FilterExpression.h"

#include <optional>

namespace platform {

// The in-memory table: fields defined in code (or taken from an XML data packet), rows kept in
// memory only, a filter expression and named sort indexes.
class MemTable : public DataSet {
public:
    explicit MemTable(QString name = {}) : DataSet(std::move(name)) {}

    // Opens the table empty with the fields defined so far.
    void createDataSet() { open(); }
    // Removes every row (the table stays open).
    void emptyDataSet();

    // Filter expression as the system writes it ("REGISTRO = 'J930' and CAMPO = 'X'");
    // it applies while filtered() is set. A malformed text throws std::invalid_argument.
    void setFilter(const QString& expression);
    const QString& filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // Named sort index over one or more fields separated by ";".
    void addIndex(const QString& name, const QString& fields, bool caseInsensitive);
    void setIndexName(const QString& name); // empty: insertion order
    void clearIndexes();
    const QString& indexName() const { return m_indexName; }

    // Loads an XML data packet: fields are created from it when the table has none, else the
    // packet's fields are matched to the table's by name. The table is opened and refilled.
    void loadFromFile(const QString& path);

protected:
    bool rowVisible(const Row& row) const override;
    bool rowLess(const Row& a, const Row& b) const override;
    bool ordered() const override { return m_activeIndex >= 0; }

private:
    struct Index {
        QString name;
        QList<int> fields;
        bool caseInsensitive = true;
    };
    QString m_filterText;
    std::optional<FilterExpression> m_filter;
    bool m_filtered = false;
    QList<Index> m_indexes;
    QString m_indexName;
    int m_activeIndex = -1;
};

} // namespace platform
