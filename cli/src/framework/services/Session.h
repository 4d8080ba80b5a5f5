#pragma once

#include <QString>

// Minimal session interface; the full one replaces it.
struct TSessionInfo {
    QString filiProc, nomeFiliProc;
    bool moduFili = false;
    QString operador;
    QString webUrl = "127.0.0.1";
    int webPort = 8211;
    QString screenCode;
};

void StartSession(const TSessionInfo&);
const TSessionInfo& Session();
QString FiliProc();
QString NomeFiliProc();
bool ModuFili();
QString Operador();
QString WebURL();
int WebPort();
