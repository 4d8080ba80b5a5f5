#include "core/wire/SharedBytes.h"

QByteArray SharedBytes(const QByteArray& whole, qsizetype from, qsizetype n) {
    Q_ASSERT(from >= 0 && n >= 0 && from + n <= whole.size());
    QByteArray owner = whole; // one more reference, dropped on return
    QByteArray::DataPointer& d = owner.data_ptr();
    if (!d.isMutable()) // raw data: no header to count references on
        return whole.sliced(from, n);
    d.ref(); // the slice's own reference
    return QByteArray(QByteArray::DataPointer(d.d_ptr(), d.data() + from, n));
}
