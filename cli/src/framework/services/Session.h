#pragma once

#include <QString>

// What the host knows of the session: the branch in process, the operator and
// the application server's address. Number and date conventions are in
// TFormatSettings (pt-BR unless the host sets others); the database in
// SharedDatabase().
struct TSessionInfo {
    QString filiProc, nomeFiliProc; // branch in process: code and name
    bool moduFili = false;          // whether the operator may change branch
    QString operador;
    QString webUrl = QStringLiteral("127.0.0.1"); // application server
    int webPort = 8211;
    QString screenCode; // the screen module opened, "ORE00800"
};

// Replaces the session and forgets what was read for the previous one (the
// pictures of coded fields).
void StartSession(const TSessionInfo& info);
// The current session; defaults until StartSession.
const TSessionInfo& Session();

QString FiliProc();
QString NomeFiliProc();
bool ModuFili();
QString Operador();
QString WebURL();
int WebPort();
