#include "core/db/SqliteFunctions.h"

#include "core/db/DbError.h"

#include <QString>

#include <sqlite3.h>

#include <cmath>

namespace {

void SqliteFold(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = static_cast<const QChar*>(sqlite3_value_text16(argv[0]));
    const int bytes = sqlite3_value_bytes16(argv[0]);
    const QString folded = QString(text, bytes / 2).toLower();
    sqlite3_result_text16(ctx, folded.utf16(), int(folded.size() * 2), SQLITE_TRANSIENT);
}

void SqliteMoney(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const double x = sqlite3_value_double(argv[0]);
    // Beyond 2^52 a double has no fraction: ROUND gives it back as it is.
    if (std::fabs(x) > 4503599627370496.0) {
        sqlite3_result_double(ctx, x);
        return;
    }
    const double cents = x * 100.0;
    const double whole = std::nearbyint(cents);
    // Below 10^12 a value has at most 14 digits to the cent, well inside the
    // 16 that ROUND prints, so its text is exactly that many cents.
    if (std::fabs(x) < 1e12 && std::fabs(cents - whole) < 1e-6) {
        // ROUND prints "-0.00" for a negative value that rounds to nothing,
        // and "0.00" for -0.0 itself.
        sqlite3_result_double(ctx, whole != 0 ? whole / 100.0 : x < 0 ? -0.0 : 0.0);
        return;
    }
    char* text = sqlite3_mprintf("%.2f", x);
    if (!text) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    sqlite3_result_text(ctx, text, -1, sqlite3_free);
}

void Register(sqlite3* h, const char* name,
              void (*function)(sqlite3_context*, int, sqlite3_value**), int encoding) {
    const int rc =
        sqlite3_create_function_v2(h, name, 1, encoding | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, function, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw EDbError(QStringLiteral("Não foi possível registrar %1 no SQLite: %2")
                           .arg(QString::fromLatin1(name), QString::fromUtf8(sqlite3_errstr(rc))));
}

} // namespace

void RegisterSqliteFunctions(sqlite3* h) {
    Register(h, "ore_fold", &SqliteFold, SQLITE_UTF16);
    Register(h, "ore_money", &SqliteMoney, SQLITE_UTF8);
}
