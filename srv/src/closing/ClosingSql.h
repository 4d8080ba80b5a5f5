#pragma once

// Small helpers the closing's statements share.

#include "core/db/SqlStatement.h"

#include <QString>
#include <QVariant>

#include <initializer_list>

inline TSqlParams With(TSqlParams p, std::initializer_list<std::pair<QString, QVariant>> more) {
    p.insert(p.end(), more);
    return p;
}

// Reads one row; false when there is none.
inline bool One(TSqlStatement& st, const TSqlParams& params) {
    st.Exec(params);
    return st.Next();
}

// An empty text is stored as NULL.
inline QVariant Nullable(const QString& s) {
    return s.isEmpty() ? QVariant() : QVariant(s);
}
