#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace platform {

// Filter expressions of the in-memory tables, as the system writes them:
//   REGISTRO = 'J930' and CAMPO = 'IDENT_QUALIF' and DESCRICAO = 'O''NEIL'
// comparisons (=, <>, <, <=, >, >=) between a field name and a literal (quoted text with doubled
// quotes, number, or field), "and", "or", "not", parentheses, "is null"/"is not null", and what
// the lookup window writes: "1 = 1", [not] like with % and _, upper(...)/lower(...), [not] in (...).
// Field names and keywords are case-insensitive; text comparison is exact (case-sensitive).
// A null compares false with everything (also with <>); only "is null" sees it. A date or time
// field compares with a quoted text in the regional short form ('31/12/2008').
class FilterExpression {
public:
    using FieldLookup = std::function<QVariant(const QString& fieldName)>;

    // Throws std::invalid_argument with a readable text for a malformed expression.
    static FilterExpression parse(const QString& text);

    // Throws std::invalid_argument when a value cannot be compared with the other side
    // ('abc' against a number or a date field).
    bool matches(const FieldLookup& lookup) const;
    // Names of the fields the expression refers to (for checking them against the table).
    QStringList fieldNames() const;

    FilterExpression(FilterExpression&&) noexcept;
    FilterExpression& operator=(FilterExpression&&) noexcept;
    ~FilterExpression();

    struct Node;

private:
    explicit FilterExpression(std::unique_ptr<Node> root);
    std::unique_ptr<Node> m_root;
};

} // namespace platform
