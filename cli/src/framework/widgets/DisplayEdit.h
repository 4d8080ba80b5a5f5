#pragma once

class QLineEdit;

// Makes `edit` show a value the operator reads but does not type (a name
// beside its code): read-only, not a tab stop, on the button face. A
// disabled edit would draw its text grey on grey.
void SetDisplayOnly(QLineEdit* edit);
