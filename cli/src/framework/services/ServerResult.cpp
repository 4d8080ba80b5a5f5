#include "framework/services/ServerResult.h"

#include "framework/services/Dialogs.h"

QVariant CheckResultServ(const TServerReply& reply, bool abort, int) {
    if (reply.ok)
        return reply.payload;
    if (abort)
        throw EServerError(reply.message);
    TDialogs::Current().Error(reply.message);
    return {};
}
