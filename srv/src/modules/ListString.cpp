#include "modules/ListString.h"

#include "rpc/CallContext.h"

#include <QLocale>

namespace {

[[noreturn]] void Malformed(const QString& what, const QString& why) {
    throw ERemoteError(
        QStringLiteral("A lista de %1 recebida pelo servidor é inválida: %2.").arg(what, why));
}

} // namespace

QStringList ParseListString(const QString& text, const QString& what) {
    QStringList codes;
    if (text.isEmpty())
        return codes;
    QString code;
    auto finish = [&](qsizetype at) {
        if (code.isEmpty())
            Malformed(what, QStringLiteral("há um código vazio na posição %1").arg(at + 1));
        if (codes.size() == kMaxListCodes)
            throw ERemoteError(
                QStringLiteral("A lista de %1 recebida pelo servidor tem mais de "
                               "%2 códigos, o máximo que uma consulta aceita.")
                    .arg(what,
                         QLocale(QLocale::Portuguese, QLocale::Brazil).toString(kMaxListCodes)));
        codes << code;
        code.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'_') {
            finish(i);
        } else if (c == u'\\') {
            if (i + 1 == text.size())
                Malformed(what, QStringLiteral("o texto termina com uma barra invertida"));
            const QChar next = text[i + 1];
            if (next != u'_' && next != u'\\')
                Malformed(what, QStringLiteral("a barra invertida na posição %1 não é seguida "
                                               "de \"_\" nem de outra barra invertida")
                                    .arg(i + 1));
            code += next;
            ++i;
        } else {
            code += c;
        }
    }
    finish(text.size());
    return codes;
}

QString FormatListString(const QStringList& codes) {
    QStringList escaped;
    for (QString c : codes)
        escaped << c.replace(u'\\', QStringLiteral("\\\\")).replace(u'_', QStringLiteral("\\_"));
    return escaped.join(u'_');
}
