#pragma once

#include <QString>
#include <QVariantList>

// Minimal screen-loader interface; the full one replaces it.
class TScreenLoader {
public:
    virtual ~TScreenLoader();
    virtual void Load(const QString& code, const QVariantList& params) = 0;
    static TScreenLoader* Current();
    static void Install(TScreenLoader*);
};

void LoadBPL(const QString& code, const QVariantList& params);
