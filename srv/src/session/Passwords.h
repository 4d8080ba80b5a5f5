#pragma once

#include <QString>

#include <optional>

class TDbConnection;

// The stored password hashes (SENHAOPER).
namespace Passwords {

// Sets the password of operator `code`; throws Exception for an unknown
// operator or an empty password.
void Set(TDbConnection& db, const QString& code, const QString& password);
// As Set, with the hash of a password already computed.
void SetHash(TDbConnection& db, const QString& code, const QString& hash);

} // namespace Passwords

// `ore-server set-password`: the password of `code` from one line of standard
// input. Returns the process exit code and reports on stderr.
int RunSetPassword(const QString& dbUrl, const QString& code);
