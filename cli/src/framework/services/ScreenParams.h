#pragma once

#include <QString>
#include <QVariantList>

class TDataSource;

// The parameter array that a screen opened by LoadBPL receives, checked as it
// is read. Screens are opened by other modules with plain values, so a wrong
// count or kind is the opener's fault and ends the opening with a sentence
// naming the screen and the parameter (1-based), instead of a screen working
// on a wrong value.
class TScreenParams {
public:
    // Throws Exception unless `params` holds exactly `count` values.
    TScreenParams(const QString& code, const QVariantList& params, int count);

    // The values by position, of the kind asked for; `name` names the
    // parameter in the message of a wrong kind.
    QString String(int i, const char* name) const;
    bool Bool(int i, const char* name) const;
    int Int(int i, const char* name) const;
    // A data-source handle: an integer that names a live data source of the
    // opener (framework/services/Handles.h). Null (0) is refused too: a
    // screen that writes through a handle needs a source.
    TDataSource* DataSource(int i, const char* name) const;

    const QString& Code() const { return m_code; }

private:
    [[noreturn]] void WrongKind(int i, const char* name, const QString& kind) const;

    QString m_code;
    const QVariantList& m_params;
};
