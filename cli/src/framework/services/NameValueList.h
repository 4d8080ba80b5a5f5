#pragma once

#include <QString>
#include <QStringList>

// An ordered list of "name=value" lines. Writing an empty value removes the
// entry; reading a missing one gives an empty value. Names compare ignoring case.
class TNameValueList {
public:
    QString Value(const QString& name) const;
    void SetValue(const QString& name, const QString& value);
    void Clear() { m_lines.clear(); }
    int Count() const { return int(m_lines.size()); }

    // The lines as "name=value"; the value is everything after the first "=".
    const QStringList& Lines() const { return m_lines; }
    void SetLines(const QStringList& lines) { m_lines = lines; }

private:
    int IndexOf(const QString& name) const;

    QStringList m_lines;
};
