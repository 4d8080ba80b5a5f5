#pragma once

#include <QApplication>

// The screen cursor for a scope, put back however the scope ends; scopes nest.
class TCursorScope {
public:
    explicit TCursorScope(Qt::CursorShape shape) { QApplication::setOverrideCursor(shape); }
    ~TCursorScope() { QApplication::restoreOverrideCursor(); }
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;
};
