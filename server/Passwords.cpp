#include "Passwords.h"

#include <sodium.h>

#include <stdexcept>

namespace hq {

namespace {

void ensureSodium()
{
    static const int rc = sodium_init();
    if (rc < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

} // namespace

QString hashPassword(const QString &password, HashCost cost)
{
    ensureSodium();
    const QByteArray pw = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    const unsigned long long ops =
        cost == HashCost::Interactive ? crypto_pwhash_OPSLIMIT_INTERACTIVE : crypto_pwhash_OPSLIMIT_MIN;
    const size_t mem = cost == HashCost::Interactive ? crypto_pwhash_MEMLIMIT_INTERACTIVE : crypto_pwhash_MEMLIMIT_MIN;
    if (crypto_pwhash_str(out, pw.constData(), size_t(pw.size()), ops, mem) != 0)
        throw std::runtime_error("password hash failed (out of memory)");
    return QString::fromLatin1(out);
}

bool verifyPassword(const QString &hash, const QString &password)
{
    if (hash.isEmpty() || password.isEmpty())
        return false;
    ensureSodium();
    const QByteArray h = hash.toLatin1();
    const QByteArray pw = password.toUtf8();
    if (size_t(h.size()) >= crypto_pwhash_STRBYTES)
        return false;
    return crypto_pwhash_str_verify(h.constData(), pw.constData(), size_t(pw.size())) == 0;
}

} // namespace hq
