#include "framework/services/Session.h"

#include "framework/services/Pictures.h"

namespace {
TSessionInfo& Current() {
    static TSessionInfo session;
    return session;
}
} // namespace

void StartSession(const TSessionInfo& info) {
    Current() = info;
    ResetPictureCache();
}

const TSessionInfo& Session() {
    return Current();
}

QString FiliProc() {
    return Current().filiProc;
}
QString NomeFiliProc() {
    return Current().nomeFiliProc;
}
bool ModuFili() {
    return Current().moduFili;
}
QString Operador() {
    return Current().operador;
}
QString WebURL() {
    return Current().webUrl;
}
int WebPort() {
    return Current().webPort;
}
