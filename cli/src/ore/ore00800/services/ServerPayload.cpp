#include "ore/ore00800/services/ServerPayload.h"

#include "framework/services/ServerResult.h"

namespace {

[[noreturn]] void Malformed(const QString& method, const QString& what) {
    throw EServerError(
        QStringLiteral("Resposta inesperada do servidor de aplicação à chamada %1: %2.")
            .arg(method, what));
}

} // namespace

TDataPacket PacketOf(const QVariant& payload, const QString& method) {
    if (payload.metaType() != QMetaType::fromType<TDataPacket>())
        Malformed(method, QStringLiteral("era esperado um pacote de dados"));
    return payload.value<TDataPacket>();
}

QVariant ElementAt(const QVariant& payload, int index, const QString& method) {
    if (payload.metaType() != QMetaType::fromType<QVariantList>())
        Malformed(method, QStringLiteral("era esperada uma lista"));
    const QVariantList list = payload.toList();
    if (index < 0 || index >= list.size())
        Malformed(method, QStringLiteral("a lista tem %1 elementos, falta o de número %2")
                              .arg(list.size())
                              .arg(index));
    return list.at(index);
}

TDataPacket PacketAt(const QVariant& payload, int index, const QString& method) {
    return PacketOf(ElementAt(payload, index, method), method);
}
