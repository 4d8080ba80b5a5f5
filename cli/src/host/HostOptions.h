#pragma once

#include "core/data/Exceptions.h"

#include <QString>
#include <QStringList>

// What ore-host is told on its command line.
struct THostOptions {
    QString serverHost = QStringLiteral("127.0.0.1");
    int serverPort = 8211;
    QString db;         // business database URL; empty: none
    QString operador;   // operator code
    QString branch;     // branch in process
    bool bound = false; // the module is bound to the branch
    QString openCode;   // screen opened at start
    QString screenshot; // grab the window to this file and quit
    QString modulesDir; // empty: next to the executable and ../lib

    // The transport: HTTPS to the server; who signs its certificate (empty:
    // the system's store); plain HTTP to a server off this machine.
    bool tls = false;
    QString caFile;
    bool allowPlainHttp = false;

    bool help = false;
};

// A wrong command line: the message says what is wrong; ore-host exits with 2.
class EUsage : public Exception {
public:
    using Exception::Exception;
};

// Parses the arguments after the program name ("--name value" or
// "--name=value"); throws EUsage.
THostOptions ParseHostOptions(const QStringList& args);

extern const char* const kHostUsage;
