#pragma once
// Filter texts of data sets: a parser and an evaluator.
//
// Grammar (keywords and field names in any case, blanks anywhere):
//   expr       := term { OR term }
//   term       := factor { AND factor }
//   factor     := '(' expr ')' | comparison
//   comparison := operand op operand      op: = <> < > <= >=
//   operand    := field name | [field name] | 'text' ('' inside = one quote)
//               | number (123, -4, 1.5) | NULL
// One side of a comparison is a field, the other a constant.
//
// Meaning:
//   - "F = NULL" is true when F is null (a text field: null or ''), "F <> NULL"
//     the opposite; any other comparison with NULL is false;
//   - text fields compare by Unicode code point, case-sensitive; a null text
//     is ''; a bare number against a text field compares as its text;
//   - integer, float and currency fields compare as numbers with a quoted or
//     bare number; boolean fields with True/False/1/0; date-time fields with a
//     quoted date-time ('2000-01-01 12:00:00', '2000-01-01', ...);
//   - a null number, boolean or date-time passes no comparison but "= NULL" /
//     "<> NULL";
//   - a constant that does not convert to its field's type, or an unknown
//     field, makes binding throw DataSetError naming the filter text.
// An empty (or blank) text is no filter: every row passes.

#include "platform/dataset/Currency.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

struct FieldDef;

class FilterExpression {
public:
    FilterExpression();
    ~FilterExpression();
    FilterExpression(FilterExpression &&) noexcept;
    FilterExpression &operator=(FilterExpression &&) noexcept;

    // Parses a filter text; throws DataSetError ("Invalid filter text ...")
    // naming the text when it does not parse.
    static FilterExpression parse(const QString &text);

    bool isEmpty() const;
    const QString &text() const { return m_text; }

    // Resolves field names and converts the constants for these fields;
    // throws DataSetError naming the text. Must precede matches().
    void bind(const QList<FieldDef> &fields);
    bool isBound() const { return m_bound; }

    // Whether a row (values in the order of the bound fields, stored form)
    // passes.
    bool matches(const QList<QVariant> &row) const;

    struct Node;

private:
    QString m_text;
    std::shared_ptr<const Node> m_ast;   // parse tree
    struct Program;
    std::unique_ptr<Program> m_program;
    bool m_bound = false;
};

// The text as a quoted filter constant: 'O''Neil' for O'Neil.
QString QuotedStr(const QString &text);

// Compares two texts by Unicode code point (<0, 0, >0).
int compareCodePoints(QStringView a, QStringView b);
