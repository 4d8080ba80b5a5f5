#pragma once

#include "core/data/DataPacket.h"
#include "core/wire/WireVariant.h"
#include "rpc/CallContext.h"

#include <QVariant>

#include <optional>

// Typed access to a call's arguments. Every check throws EArgumentError with
// a sentence that names the argument, so that a malformed request gets a
// clear refusal instead of a handler working on a wrong value:
//     const TArgs a = Args(args).Count(3);
//     const QString filial = a.String(0, "CDFILIAL");
class TArgs {
public:
    explicit TArgs(const QVariantList& args) : m_args(args) {}

    // Exactly `n` arguments.
    const TArgs& Count(int n) const;
    int Size() const { return int(m_args.size()); }

    bool IsNull(int i) const;
    QString String(int i, const QString& name = {}) const;
    qint64 Integer(int i, const QString& name = {}) const;
    // Integers are taken as doubles too: a caller's 2 means 2.0. NaN and the
    // infinities are refused: no rule has a meaning for them.
    double Double(int i, const QString& name = {}) const;
    bool Boolean(int i, const QString& name = {}) const;
    // A date-time of the years 100 to 9999 (or zero, no date); NaN, the
    // infinities and days outside those years are refused.
    TOleDateTime DateTime(int i, const QString& name = {}) const;
    // A date as a date-time or as a plain OLE day number, checked as DateTime.
    double Date(int i, const QString& name = {}) const;
    QVariantList Array(int i, const QString& name = {}) const;
    TDataPacket Packet(int i, const QString& name = {}) const;
    // A packet, or nothing when the caller passed null.
    std::optional<TDataPacket> PacketOrNull(int i, const QString& name = {}) const;

    // The name of a value's kind as the messages say it ("texto", "nulo").
    static QString KindName(const QVariant& v);

private:
    const QVariant& At(int i, const QString& name) const;
    [[noreturn]] void Wrong(int i, const QString& name, const QString& expected) const;
    // A value of the right kind that is not one: "…, mas veio NaN."
    [[noreturn]] void Invalid(int i, const QString& name, const QString& expected,
                              double value) const;
    double CheckedDate(int i, const QString& name, double day) const;

    const QVariantList& m_args;
};

inline TArgs Args(const QVariantList& args) {
    return TArgs(args);
}
