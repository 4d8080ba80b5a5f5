#include "Session.h"

namespace {
TSessionInfo g_session;
}

void StartSession(const TSessionInfo& info) {
    g_session = info;
}
const TSessionInfo& Session() {
    return g_session;
}
QString FiliProc() {
    return g_session.filiProc;
}
QString NomeFiliProc() {
    return g_session.nomeFiliProc;
}
bool ModuFili() {
    return g_session.moduFili;
}
QString Operador() {
    return g_session.operador;
}
QString WebURL() {
    return g_session.webUrl;
}
int WebPort() {
    return g_session.webPort;
}
