#include "rpc/ListStringArg.h"

#include "core/wire/ListString.h"
#include "rpc/CallContext.h"

#include <QLocale>

QStringList ParseListString(const QString& text, const QString& what) {
    try {
        return ListString::Decode(text);
    } catch (const ListString::EListStringError& e) {
        if (e.Fault() == ListString::EListStringError::Kind::TooManyCodes)
            throw ERemoteError(QStringLiteral("A lista de %1 recebida pelo servidor tem mais de "
                                              "%2 códigos, o máximo que uma consulta aceita.")
                                   .arg(what, QLocale(QLocale::Portuguese, QLocale::Brazil)
                                                  .toString(ListString::kMaxCodes)));
        throw ERemoteError(QStringLiteral("A lista de %1 recebida pelo servidor é inválida: %2.")
                               .arg(what, e.Reason()));
    }
}
