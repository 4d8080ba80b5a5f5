#pragma once

#include <QString>

#include <vector>

// A record-set filter: `FIELD = 'value'` conditions joined by ` AND `, values
// compared as exact text. A quote inside a value is written twice ('O''Brien').
struct TFilterCondition {
    QString field;
    QString value;
};

struct TFilterExpression {
    std::vector<TFilterCondition> conditions;

    // Parses `text`; throws EDatabaseError quoting the expression on any other syntax.
    static TFilterExpression Parse(const QString& text);
};
