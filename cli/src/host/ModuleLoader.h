#pragma once

#include "framework/services/ScreenLoader.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>
#include <vector>

// Where a module stands with the loader. A request takes it from found to
// initialised (or to failed at the step that went wrong); the first screen
// opened makes it running. See docs/modules.md.
enum class TModuleState {
    Found,       // its file was found, the library is not loaded yet
    Loaded,      // the library is loaded, its Initialize has not run
    Initialised, // Initialize ran; no screen of it was asked for yet
    Running,     // IniProc or LoadScreen was called: screens of it may be open
    Failed,      // not usable: every request gets the recorded error again
};

struct TModuleStatus {
    QString code; // upper case
    QString path; // the library's file
    TModuleState state = TModuleState::Found;
    QString error; // what the operator was told when it failed
};

// Finds, loads and unloads the screen modules: libPkg_<code>.so, with the
// code in lower case, from the first folder of the search list that has it.
// A module's Initialize runs once, when it is first loaded; at the end every
// initialised module's Finalize runs and the modules are unloaded, newest
// first. Failures (no such module, a library that does not load, a missing
// entry point, an Initialize that throws) are Exceptions with a message for
// the operator; a module that failed is recorded so, and later requests get
// the same message without loading it again.
class TModuleLoader : public TScreenLoader {
public:
    explicit TModuleLoader(QStringList searchDirs);
    ~TModuleLoader() override;
    TModuleLoader(const TModuleLoader&) = delete;
    TModuleLoader& operator=(const TModuleLoader&) = delete;

    // "ORE00800" → "libPkg_ore00800.so".
    static QString LibraryFileName(const QString& code);
    // The code in upper case; throws when it is not letters and digits.
    static QString CheckedCode(const QString& code);

    // Opens a screen from the menu: its module's IniProc.
    void OpenScreen(const QString& code);
    // Opens a screen for LoadBPL: its module's LoadScreen, which returns
    // when the screen has closed.
    void Load(const QString& code, const QVariantList& params) override;

    // The module of `code` as the loader knows it; none when no request
    // found its file.
    std::optional<TModuleStatus> Status(const QString& code) const;
    // Codes of the modules initialised or running, in load order.
    QStringList LoadedCodes() const;
    // Finalises and unloads every initialised module, newest first, and
    // forgets every module. Returns the messages of the modules whose
    // Finalize failed; the others are finalised all the same.
    QStringList UnloadAll();

private:
    struct TModule;
    TModule& Usable(const QString& code);
    TModule& Start(const QString& code);
    TModule* Find(const QString& code) const;

    QStringList m_searchDirs;
    std::vector<std::unique_ptr<TModule>> m_modules;
};
