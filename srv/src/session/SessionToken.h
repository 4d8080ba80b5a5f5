#pragma once

#include <QString>

// A new session token: 32 bytes from getrandom(2), in base64url without padding
// (43 characters). Throws Exception when the system gives no random bytes.
QString NewSessionToken();
// Whether `token` has the form NewSessionToken gives: anything else is refused
// without asking the database.
bool LooksLikeSessionToken(const QString& token);
// What the database keeps of a token: its SHA-256, in hex.
QString SessionKey(const QString& token);
