#include "core/wire/ListString.h"

namespace ListString {

EListStringError::EListStringError(Kind kind, const QString& reason)
    : Exception(QStringLiteral("Lista de códigos inválida: %1.").arg(reason)), m_kind(kind),
      m_reason(reason) {}

namespace {

[[noreturn]] void Malformed(const QString& reason) {
    throw EListStringError(EListStringError::Kind::Malformed, reason);
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
    auto finish = [&](qsizetype at) {
        if (code.isEmpty())
            Malformed(QStringLiteral("há um código vazio na posição %1").arg(at + 1));
        if (codes.size() == kMaxCodes)
            throw EListStringError(EListStringError::Kind::TooManyCodes,
                                   QStringLiteral("há mais de %1 códigos").arg(kMaxCodes));
        codes << code;
        code.clear();
    };
    // The characters from `run` on are taken into the code in one piece, up
    // to the next separator or escape.
    qsizetype run = 0;
    auto take = [&](qsizetype end) { code += QStringView(text).sliced(run, end - run); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'_') {
            take(i);
            finish(i);
            run = i + 1;
        } else if (c == u'\\') {
            if (i + 1 == text.size())
                Malformed(QStringLiteral("o texto termina com uma barra invertida"));
            const QChar next = text[i + 1];
            if (next != u'_' && next != u'\\')
                Malformed(QStringLiteral("a barra invertida na posição %1 não é seguida "
                                         "de \"_\" nem de outra barra invertida")
                              .arg(i + 1));
            take(i);
            code += next;
            ++i;
            run = i + 1;
        }
    }
    take(text.size());
    finish(text.size());
    return codes;
}

} // namespace ListString
