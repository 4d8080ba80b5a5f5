#include "framework/services/Messages.h"

QString TMessages::Msg(const QString& key) const {
    for (const QString& line : m_lines) {
        const qsizetype bar = line.indexOf(u'|');
        if (bar == key.size() && QStringView(line).left(bar) == key)
            return line.mid(bar + 1);
    }
    return QStringLiteral("Mensagem não cadastrada: ") + key;
}
