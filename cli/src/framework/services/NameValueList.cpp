#include "framework/services/NameValueList.h"

int TNameValueList::IndexOf(const QString& name) const {
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines[i];
        const qsizetype eq = line.indexOf(u'=');
        const QStringView key = eq < 0 ? QStringView(line) : QStringView(line).left(eq);
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TNameValueList::Value(const QString& name) const {
    const int i = IndexOf(name);
    if (i < 0)
        return {};
    const QString& line = m_lines[i];
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

void TNameValueList::SetValue(const QString& name, const QString& value) {
    const int i = IndexOf(name);
    if (value.isEmpty()) {
        if (i >= 0)
            m_lines.removeAt(i);
        return;
    }
    if (i >= 0) // the entry keeps its name as first written
        m_lines[i] = m_lines[i].left(m_lines[i].indexOf(u'=')) + u'=' + value;
    else
        m_lines.append(name + u'=' + value);
}
