#include "host/ModuleLoader.h"

#include "core/data/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>

namespace {

using TProc = void (*)();
using TLoadScreen = void (*)(const char* code, const QVariantList* params);

} // namespace

struct TModuleLoader::TModule {
    QString code;
    QString fileName;
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
    TModule& module = Module(code);
    reinterpret_cast<TProc>(Entry(module, "IniProc"))();
}

void TModuleLoader::Load(const QString& code, const QVariantList& params) {
    TModule& module = Module(code);
    const QByteArray codeUtf8 = module.code.toUtf8();
    reinterpret_cast<TLoadScreen>(Entry(module, "LoadScreen"))(codeUtf8.constData(), &params);
}

QStringList TModuleLoader::LoadedCodes() const {
    QStringList codes;
    for (const auto& m : m_modules)
        codes << m->code;
    return codes;
}

void TModuleLoader::UnloadAll() {
    // Widgets released with deleteLater still run module code when deleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (!m_modules.empty()) {
        std::unique_ptr<TModule> module = std::move(m_modules.back());
        m_modules.pop_back();
        module->finalize();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        module->library.unload();
    }
}

TModuleLoader::TModule& TModuleLoader::Module(const QString& rawCode) {
    const QString code = CheckedCode(rawCode);
    for (const auto& m : m_modules)
        if (m->code == code)
            return *m;

    const QString fileName = LibraryFileName(code);
    QString path;
    for (const QString& dir : m_searchDirs) {
        const QFileInfo candidate(QDir(dir), fileName);
        if (candidate.isFile()) {
            path = candidate.absoluteFilePath();
            break;
        }
    }
    if (path.isEmpty())
        throw Exception(QStringLiteral("Módulo da tela %1 não encontrado: %2").arg(code, fileName));

    auto module = std::make_unique<TModule>();
    module->code = code;
    module->fileName = fileName;
    module->library.setFileName(path);
    if (!module->library.load())
        throw Exception(QStringLiteral("Módulo da tela %1 não pôde ser carregado: %2")
                            .arg(code, module->library.errorString()));
    // A module that cannot be initialised and finalised is not used at all.
    try {
        const auto initialize = reinterpret_cast<TProc>(Entry(*module, "Initialize"));
        module->finalize = reinterpret_cast<TProc>(Entry(*module, "Finalize"));
        initialize();
    } catch (...) {
        module->library.unload();
        throw;
    }
    m_modules.push_back(std::move(module));
    return *m_modules.back();
}

QFunctionPointer TModuleLoader::Entry(TModule& module, const char* name) {
    if (const QFunctionPointer entry = module.library.resolve(name))
        return entry;
    throw Exception(QStringLiteral("Módulo da tela %1 sem o ponto de entrada %2: %3")
                        .arg(module.code, QString::fromLatin1(name), module.fileName));
}
