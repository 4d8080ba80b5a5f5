#include "framework/services/ListString.h"

#include "core/data/Exceptions.h"

namespace ListString {

namespace {

[[noreturn]] void Malformed(const QString& text) {
    throw Exception(QStringLiteral("Lista de códigos inválida: \"%1\".").arg(text));
}

} // namespace

QString Encode(const QStringList& codes) {
    QString out;
    for (const QString& code : codes) {
        if (code.isEmpty())
            throw Exception(QStringLiteral("Um código vazio não pode ir numa lista de códigos."));
        if (!out.isEmpty())
            out += u'_';
        for (const QChar c : code) {
            if (c == u'_' || c == u'\\')
                out += u'\\';
            out += c;
        }
    }
    return out;
}

QStringList Decode(const QString& text) {
    QStringList codes;
    if (text.isEmpty())
        return codes;
    QString code;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'_') {
            if (code.isEmpty())
                Malformed(text);
            codes << code;
            code.clear();
        } else if (c == u'\\') {
            if (i + 1 == text.size() || (text[i + 1] != u'_' && text[i + 1] != u'\\'))
                Malformed(text);
            code += text[++i];
        } else {
            code += c;
        }
    }
    if (code.isEmpty())
        Malformed(text);
    codes << code;
    return codes;
}

} // namespace ListString
