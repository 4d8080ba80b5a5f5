#include "core/db/DbError.h"

bool IsTransientConflict(const EDbError& e) {
    const QString& code = e.NativeCode();
    if (code == u"40001" || code == u"40P01" || code == u"55P03")
        return true;
    bool numeric = false;
    const int sqlite = code.toInt(&numeric);
    // The low byte is the primary code: SQLITE_BUSY_SNAPSHOT (517) is busy too.
    return numeric && ((sqlite & 0xff) == 5 || (sqlite & 0xff) == 6);
}
