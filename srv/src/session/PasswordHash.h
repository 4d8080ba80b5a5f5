#pragma once

#include <QString>

// Salted, deliberately slow password hashes: yescrypt from the system's
// crypt library, in its usual "$y$..." text form.
QString HashPassword(const QString& password); // throws Exception when the library fails
// Whether `password` gives `hash`; false for a hash that is not one.
bool PasswordMatches(const QString& password, const QString& hash);
// Spends the time of one PasswordMatches against a hash nobody has, so that an
// unknown operator takes as long to refuse as a wrong password.
void SpendPasswordCheck(const QString& password);
