#pragma once

#include "framework/services/ScreenLoader.h"

#include <QFunctionPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <vector>

class QLibrary;

// Finds, loads and unloads the screen modules: libPkg_<code>.so, with the
// code in lower case, from the first folder of the search list that has it.
// A module's Initialize runs once, when it is first loaded; at the end every
// loaded module's Finalize runs and the modules are unloaded, newest first.
// Failures (no such module, a missing entry point) are Exceptions with a
// message for the operator. See docs/modules.md.
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

    // Codes of the loaded modules, in load order.
    QStringList LoadedCodes() const;
    // Finalises and unloads every module, newest first.
    void UnloadAll();

    const QStringList& SearchDirs() const { return m_searchDirs; }

private:
    struct TModule;
    TModule& Module(const QString& code);
    QFunctionPointer Entry(TModule& module, const char* name);

    QStringList m_searchDirs;
    std::vector<std::unique_ptr<TModule>> m_modules;
};
