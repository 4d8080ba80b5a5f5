// ore-host: the desktop application that opens the screen modules by code.

#include "core/db/DbConnection.h"
#include "framework/db/SharedDatabase.h"
#include "framework/net/NetSecurity.h"
#include "framework/services/Dialogs.h"
#include "host/HostOptions.h"
#include "host/HostSession.h"
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

int Run(QApplication& app, const THostOptions& options) {
    TNetSecurity::Set({options.tls, options.caFile, options.allowPlainHttp});
    std::unique_ptr<TDbConnection> db;
    if (!options.db.isEmpty()) {
        db = std::make_unique<TDbConnection>(options.db);
        SetSharedDatabase(db.get());
    }
    StartSession(SessionFromOptions(options, db.get()));

    TMessageBoxDialogs boxes;
    TDialogs::Install(&boxes);
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
    TDialogs::Install(nullptr);
    SetSharedDatabase(nullptr);
    return exitCode;
}

} // namespace

int main(int argc, char** argv) {
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
