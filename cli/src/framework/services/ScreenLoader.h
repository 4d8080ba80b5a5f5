#pragma once

#include <QString>
#include <QVariantList>

// Opens another screen module by its code ("ORE09000") with its parameters
// and returns when that screen has closed. The host installs the loader that
// finds the module's library; tests install a recording fake.
class TScreenLoader {
public:
    virtual ~TScreenLoader();

    virtual void Load(const QString& code, const QVariantList& params) = 0;

    // The installed loader, or null before the host installed one.
    static TScreenLoader* Current();
    // Installs `loader` (not owned); null uninstalls.
    static void Install(TScreenLoader* loader);
};

// Opens screen `code` through the installed loader, application-modal, and
// returns when it has closed. Failures of the loader or the screen reach the
// caller. Throws Exception when no loader is installed.
void LoadBPL(const QString& code, const QVariantList& params = {});
