#pragma once
// Terminal passwords are stored as libsodium password-hash strings (Argon2id,
// salt and cost inside the string), never as plain text.

#include <QString>

namespace hq {

enum class HashCost {
    Interactive, // the store of a real server
    Minimal,     // throw-away databases of tests and benchmarks
};

QString hashPassword(const QString &password, HashCost cost = HashCost::Interactive);
// False for an empty password or hash, and for a hash that is not ours.
bool verifyPassword(const QString &hash, const QString &password);

} // namespace hq
