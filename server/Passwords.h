#pragma once
// Terminal passwords are stored as libsodium password-hash strings (Argon2id,
// salt and cost inside the string), never as plain text.

#include <QString>

#include <string>

namespace hq {

enum class HashCost {
    Interactive, // the store of a real server
    Minimal,     // throw-away databases of tests and benchmarks
};

QString hashPassword(const QString &password, HashCost cost = HashCost::Interactive);
// False for an empty password or hash, and for a hash that is not ours.
bool verifyPassword(const QString &hash, const QString &password);
// Verifies the password against a throw-away hash of the same cost as
// `sameCostAs` (a stored hash), so that a sign-in with an unknown ID takes as
// long as one with a known ID. The result means nothing and is not returned.
void verifyAgainstDummy(const QString &sameCostAs, const QString &password);

// A new random secret (32 bytes) as URL-safe text: terminal keys, session tokens.
QString randomSecret();
// The hash a secret is kept and found by (hex of the libsodium generic hash).
std::string secretHash(const QString &secret);

} // namespace hq
