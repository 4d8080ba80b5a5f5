#include "storage/DbDate.h"

#include "core/data/OleDate.h"

QVariant DbDate(const QDate& date) {
    return date.isValid() ? QVariant(DateToOle(date)) : QVariant();
}

QVariant DbDateTime(const QDateTime& dateTime) {
    return dateTime.isValid() ? QVariant(DateTimeToOle(dateTime)) : QVariant();
}

QVariant DbNow() {
    return DbDateTime(QDateTime::currentDateTime());
}

double OleFromDb(const QVariant& value) {
    return value.isNull() ? 0.0 : value.toDouble();
}
