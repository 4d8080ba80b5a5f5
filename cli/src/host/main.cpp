// ore-host: the desktop application that opens the screen modules by code.

#include "core/data/MemoryTuning.h"
#include "core/db/DbConnection.h"
#include "framework/db/SharedDatabase.h"
#include "framework/net/NetSecurity.h"
#include "framework/services/Dialogs.h"
#include "host/HostOptions.h"
#include "host/HostSession.h"
#include "host/HostSignIn.h"
#include "host/MainWindow.h"
#include "host/ModuleLoader.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void Say(const QString& line) {
    std::fprintf(stderr, "ore-host: %s\n", line.toUtf8().constData());
}

QStringList ModuleDirs(const THostOptions& options) {
    if (!options.modulesDir.isEmpty())
        return {options.modulesDir};
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.absolutePath(), QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../lib")))};
}

// After the window and the opened screen are laid out, grabs the window and quits.
void ScheduleScreenshot(QMainWindow& window, const QString& file, int& exitCode) {
    QTimer::singleShot(0, &window, [&window, file, &exitCode] {
        QCoreApplication::sendPostedEvents();
        if (!window.grab().save(file)) {
            Say(QStringLiteral("não foi possível salvar a imagem em %1.").arg(file));
            exitCode = 1;
        }
        QCoreApplication::exit(exitCode);
    });
}

// The password comes from the environment, never from the command line
// (where other users could read it); it is not handed on to child processes.
QString TakePassword() {
    const QString password = qEnvironmentVariable("ORE_PASSWORD");
    qunsetenv("ORE_PASSWORD");
    return password;
}

// From sign-in to exit, however the host ends: a lost session asks the
// operator to sign in again, and the session is ended on the way out.
class TSignedIn {
public:
    TSignedIn(const TSignInServer& server, const QString& op) : m_server(server) {
        TNetSession::SetRenewer(HostRenewer(server, op));
    }
    ~TSignedIn() {
        TNetSession::SetRenewer({});
        TNetSession::SignOut(m_server.host, m_server.port);
    }
    TSignedIn(const TSignedIn&) = delete;
    TSignedIn& operator=(const TSignedIn&) = delete;

private:
    TSignInServer m_server;
};

int Run(QApplication& app, const THostOptions& options) {
    TNetSecurity::Set({options.tls, options.caFile, options.allowPlainHttp});
    std::unique_ptr<TDbConnection> db;
    if (!options.db.isEmpty()) {
        db = std::make_unique<TDbConnection>(options.db);
        SetSharedDatabase(db.get());
    }
    TSessionInfo session = SessionFromOptions(options, db.get());

    TMessageBoxDialogs boxes;
    TDialogs::Install(&boxes);
    // Whichever way Run ends, nothing is left pointing at what it destroys.
    struct TUninstall {
        ~TUninstall() {
            TDialogs::Install(nullptr);
            SetSharedDatabase(nullptr);
        }
    } uninstall;
    // No screen opens before the operator has signed in; the screens run as
    // the operator who did.
    const TSignInServer server{options.serverHost, options.serverPort};
    session.operador = SignInAtStart(server, options.operador, TakePassword());
    if (session.operador.isEmpty())
        return 0; // cancelled: the host ends as it would from its menu
    StartSession(session);
    TSignedIn signedIn(server, session.operador);

    int exitCode = 0;
    {
        TModuleLoader loader(ModuleDirs(options));
        TScreenLoader::Install(&loader);
        {
            TfrmPrincipal window(loader);
            window.show();
            if (!options.openCode.isEmpty())
                QTimer::singleShot(0, &window, [&] { window.OpenScreen(options.openCode); });
            if (!options.screenshot.isEmpty())
                ScheduleScreenshot(window, options.screenshot, exitCode);
            const int rc = app.exec();
            if (exitCode == 0)
                exitCode = rc;
        }
        // The screens went with the window; now the modules may go.
        TScreenLoader::Install(nullptr);
        for (const QString& failure : loader.UnloadAll()) {
            Say(failure);
            exitCode = 1;
        }
    }
    return exitCode;
}

} // namespace

int main(int argc, char** argv) {
    // The lists the screens load run to tens of megabytes: a reload reuses
    // the memory of the last one instead of taking every page again.
    KeepFreedMemoryForReuse();
    // Options first: a wrong command line is reported even without a display.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    THostOptions options;
    try {
        options = ParseHostOptions(args);
    } catch (const EUsage& e) {
        Say(e.Message());
        std::fputs("Use ore-host --help para ver as opções.\n", stderr);
        return 2;
    }
    if (options.help) {
        std::fputs(kHostUsage, stdout);
        return 0;
    }

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("ore-host"));
    try {
        return Run(app, options);
    } catch (const EUsage& e) {
        Say(e.Message());
        return 2;
    } catch (const Exception& e) {
        Say(e.Message());
        return 1;
    }
}
