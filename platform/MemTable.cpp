#include "platform/MemTable.h"

#include "db/Value.h"

#include "platform/XmlDataPacket.h"

#include <stdexcept>

namespace platform {

void MemTable::emptyDataSet() {
    if (!active())
        return;
    cancel();
    m_rows.clear();
    rebuildView();
    m_pos = -1;
    setEof(true);
    notifyRefiltered();
}

void MemTable::setFilter(const QString& expression) {
    m_filterText = expression;
    if (expression.trimmed().isEmpty())
        m_filter.reset();
    else
        m_filter.emplace(FilterExpression::parse(expression));
    if (active() && m_filtered) {
        rebuildView();
        m_pos = isEmpty() ? -1 : 0;
        setEof(isEmpty());
        notifyRefiltered();
    }
}

void MemTable::setFiltered(bool on) {
    if (m_filtered == on)
        return;
    m_filtered = on;
    if (active()) {
        cancel();
        rebuildView();
        m_pos = isEmpty() ? -1 : 0;
        setEof(isEmpty());
        notifyRefiltered();
    }
}

bool MemTable::rowVisible(const Row& row) const {
    if (!m_filtered || !m_filter)
        return true;
    return m_filter->matches([this, &row](const QString& name) -> QVariant {
        const Field* f = findField(name);
        if (!f)
            throw std::invalid_argument((this->name() + ": Field '" + name + "' not found").toStdString());
        return row.value(f->index());
    });
}

void MemTable::addIndex(const QString& name, const QString& fieldList, bool caseInsensitive) {
    Index index{name, {}, caseInsensitive};
    for (const QString& part : fieldList.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        index.fields << fieldByName(part.trimmed()).index();
    m_indexes << index;
}

void MemTable::setIndexName(const QString& name) {
    m_indexName = name;
    m_activeIndex = -1;
    for (int i = 0; i < m_indexes.size(); ++i)
        if (m_indexes[i].name.compare(name, Qt::CaseInsensitive) == 0)
            m_activeIndex = i;
    if (!name.isEmpty() && m_activeIndex < 0)
        throw std::invalid_argument((this->name() + ": Index '" + name + "' not found").toStdString());
    if (active()) {
        rebuildView();
        m_pos = isEmpty() ? -1 : 0;
        notifyRefiltered();
    }
}

void MemTable::clearIndexes() {
    m_indexes.clear();
    m_indexName.clear();
    m_activeIndex = -1;
    if (active()) {
        rebuildView();
        notifyRefiltered();
    }
}

namespace {

int compareValues(const QVariant& a, const QVariant& b, bool caseInsensitive) {
    const bool na = db::isNull(a), nb = db::isNull(b);
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1); // nulls first
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    if (a.typeId() == QMetaType::QDateTime)
        return a.toDateTime() < b.toDateTime() ? -1 : (b.toDateTime() < a.toDateTime() ? 1 : 0);
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : (y < x ? 1 : 0);
}

} // namespace

bool MemTable::rowLess(const Row& a, const Row& b) const {
    const Index& index = m_indexes[m_activeIndex];
    for (int f : index.fields) {
        const int c = compareValues(a.value(f), b.value(f), index.caseInsensitive);
        if (c != 0)
            return c < 0;
    }
    return false;
}

namespace {

FieldType fieldTypeOf(const QString& xmlType) {
    const QString t = xmlType.toLower();
    if (t == QLatin1String("i2"))
        return FieldType::SmallInt;
    if (t == QLatin1String("i4"))
        return FieldType::Integer;
    if (t == QLatin1String("i8"))
        return FieldType::LargeInt;
    if (t == QLatin1String("r8") || t == QLatin1String("fixedfmt"))
        return FieldType::Float;
    if (t == QLatin1String("date"))
        return FieldType::Date;
    if (t == QLatin1String("datetime") || t == QLatin1String("sqldatetime"))
        return FieldType::DateTime;
    if (t == QLatin1String("time"))
        return FieldType::Time;
    if (t == QLatin1String("boolean"))
        return FieldType::Boolean;
    if (t == QLatin1String("fixed"))
        return FieldType::FixedChar;
    return FieldType::String;
}

} // namespace

void MemTable::loadFromFile(const QString& path) {
    const XmlPacket packet = readXmlDataPacket(path);
    close();
    if (fieldCount() == 0)
        for (const XmlField& xf : packet.fields) {
            FieldDef def;
            def.name = xf.name;
            def.type = fieldTypeOf(xf.fieldType);
            def.size = xf.width;
            addField(def);
        }
    QList<Field*> targets;
    for (const XmlField& xf : packet.fields)
        targets << findField(xf.name);
    open();
    for (const auto& values : packet.rows) {
        append();
        for (int i = 0; i < targets.size() && i < values.size(); ++i)
            if (targets[i])
                targets[i]->setValue(values[i]);
        post();
    }
    first();
}

} // namespace platform
