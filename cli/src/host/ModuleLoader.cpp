#include "host/ModuleLoader.h"

#include "core/data/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>

#include <exception>

namespace {

using TProc = void (*)();
using TLoadScreen = void (*)(const char* code, const QVariantList* params);

// The text of what a module's entry point threw.
QString Reason(const std::exception_ptr& thrown) {
    try {
        std::rethrow_exception(thrown);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("exceção desconhecida");
    }
}

QString MissingEntry(const QString& code, const char* name) {
    return QStringLiteral("Módulo da tela %1 sem o ponto de entrada %2: %3")
        .arg(code, QString::fromLatin1(name), TModuleLoader::LibraryFileName(code));
}

QFunctionPointer Entry(QLibrary& library, const QString& code, const char* name) {
    if (const QFunctionPointer entry = library.resolve(name))
        return entry;
    throw Exception(MissingEntry(code, name));
}

// From now on every request for the module gets `error`.
[[noreturn]] void Fail(TModuleStatus& module, const QString& error) {
    module.state = TModuleState::Failed;
    module.error = error;
    throw Exception(error);
}

void DeliverDeferredDeletes() {
    // Widgets released with deleteLater still run module code when deleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

struct TModuleLoader::TModule : TModuleStatus {
    QLibrary library;
    TProc finalize = nullptr;
};

TModuleLoader::TModuleLoader(QStringList searchDirs) : m_searchDirs(std::move(searchDirs)) {}

TModuleLoader::~TModuleLoader() {
    UnloadAll();
}

QString TModuleLoader::LibraryFileName(const QString& code) {
    return QStringLiteral("libPkg_%1.so").arg(code.toLower());
}

QString TModuleLoader::CheckedCode(const QString& code) {
    // Only letters and digits: the code becomes part of a file name.
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9]{1,20}$"));
    const QString trimmed = code.trimmed();
    if (!valid.match(trimmed).hasMatch())
        throw Exception(QStringLiteral("Código de tela inválido: \"%1\".").arg(code));
    return trimmed.toUpper();
}

void TModuleLoader::OpenScreen(const QString& code) {
    TModule& module = Usable(code);
    const auto iniProc = reinterpret_cast<TProc>(Entry(module.library, module.code, "IniProc"));
    // Running from the call on: a screen may be open even if IniProc then throws.
    module.state = TModuleState::Running;
    iniProc();
}

void TModuleLoader::Load(const QString& code, const QVariantList& params) {
    TModule& module = Usable(code);
    const auto loadScreen =
        reinterpret_cast<TLoadScreen>(Entry(module.library, module.code, "LoadScreen"));
    module.state = TModuleState::Running;
    const QByteArray codeUtf8 = module.code.toUtf8();
    loadScreen(codeUtf8.constData(), &params);
}

std::optional<TModuleStatus> TModuleLoader::Status(const QString& code) const {
    if (const TModule* module = Find(code.trimmed().toUpper()))
        return static_cast<const TModuleStatus&>(*module);
    return std::nullopt;
}

QStringList TModuleLoader::LoadedCodes() const {
    QStringList codes;
    for (const auto& m : m_modules)
        if (m->state == TModuleState::Initialised || m->state == TModuleState::Running)
            codes << m->code;
    return codes;
}

QStringList TModuleLoader::UnloadAll() {
    QStringList failures;
    DeliverDeferredDeletes();
    while (!m_modules.empty()) {
        std::unique_ptr<TModule> module = std::move(m_modules.back());
        m_modules.pop_back();
        // A failed module was never initialised, so it is not finalised
        // either; its library, if still loaded, stays so (see Start).
        if (module->state != TModuleState::Initialised && module->state != TModuleState::Running)
            continue;
        bool finalised = false;
        try {
            module->finalize();
            finalised = true;
        } catch (...) {
            failures << QStringLiteral("Módulo da tela %1 não pôde ser finalizado: %2")
                            .arg(module->code, Reason(std::current_exception()));
        }
        DeliverDeferredDeletes();
        // After a failed Finalize windows of the module may still be alive:
        // its code stays until the process ends.
        if (finalised)
            module->library.unload();
    }
    return failures;
}

TModuleLoader::TModule& TModuleLoader::Usable(const QString& rawCode) {
    const QString code = CheckedCode(rawCode);
    TModule* module = Find(code);
    if (!module)
        return Start(code);
    if (module->state == TModuleState::Failed)
        throw Exception(module->error);
    return *module;
}

TModuleLoader::TModule& TModuleLoader::Start(const QString& code) {
    const QString fileName = LibraryFileName(code);
    QString path;
    for (const QString& dir : m_searchDirs) {
        const QFileInfo candidate(QDir(dir), fileName);
        if (candidate.isFile()) {
            path = candidate.absoluteFilePath();
            break;
        }
    }
    // Not recorded: the folders are looked at again on the next request, so
    // that a module installed meanwhile is found.
    if (path.isEmpty())
        throw Exception(QStringLiteral("Módulo da tela %1 não encontrado: %2").arg(code, fileName));

    TModule& module = *m_modules.emplace_back(std::make_unique<TModule>());
    module.code = code;
    module.path = path;
    module.library.setFileName(path);
    // Every symbol at once: a missing one is a message now rather than the
    // end of the process when the code that needs it first runs.
    module.library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!module.library.load())
        Fail(module, QStringLiteral("Módulo da tela %1 não pôde ser carregado: %2")
                         .arg(code, module.library.errorString()));
    module.state = TModuleState::Loaded;

    // A module that cannot be initialised and finalised is not used at all.
    const auto initialize = reinterpret_cast<TProc>(module.library.resolve("Initialize"));
    module.finalize = reinterpret_cast<TProc>(module.library.resolve("Finalize"));
    if (!initialize || !module.finalize) {
        module.library.unload(); // none of its code has run
        Fail(module, MissingEntry(code, initialize ? "Finalize" : "Initialize"));
    }
    try {
        initialize();
    } catch (...) {
        // Part of it may have run and left something that points into its
        // code: it is neither finalised nor unloaded.
        Fail(module, QStringLiteral("Módulo da tela %1 não pôde ser inicializado: %2")
                         .arg(code, Reason(std::current_exception())));
    }
    module.state = TModuleState::Initialised;
    return module;
}

TModuleLoader::TModule* TModuleLoader::Find(const QString& code) const {
    for (const auto& m : m_modules)
        if (m->code == code)
            return m.get();
    return nullptr;
}
