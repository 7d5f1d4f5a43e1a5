#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace platform {

// Filter expressions of the in-memory tables, as the system writes them:
//   REGISTRO = 'J930' and CAMPO = 'IDENT_QUALIF' and DESCRICAO = 'O''NEIL'
// comparisons (=, <>, <, <=, >, >=) between a field name and a literal (quoted text with doubled
// quotes, number, or field), "and", "or", "not", parentheses, "is null"/"is not null".
// Field names and keywords are case-insensitive; text comparison is exact (case-sensitive).
class FilterExpression {
public:
    using FieldLookup = std::function<QVariant(const QString& fieldName)>;

    // Throws std::invalid_argument with a readable text for a malformed expression.
    static FilterExpression parse(const QString& text);

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
