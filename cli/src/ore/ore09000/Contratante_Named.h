#pragma once

#include <QObject>

// Gives a new control, record set or source its designed name.
template <class T> T* Named(T* object, const char* name) {
    object->setObjectName(QLatin1String(name));
    return object;
}
