#include "Passwords.h"

#include <sodium.h>

#include <QRegularExpression>

#include <map>
#include <mutex>
#include <stdexcept>
#include <utility>

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

void verifyAgainstDummy(const QString &sameCostAs, const QString &password)
{
    if (password.isEmpty())
        return; // a known ID with an empty password is refused without hashing too
    ensureSodium();
    // The cost sits in the hash string: "$argon2id$v=19$m=65536,t=2,p=1$...".
    static const QRegularExpression cost(QStringLiteral(R"(^\$argon2id\$v=\d+\$m=(\d+),t=(\d+),p=\d+\$)"));
    const auto m = cost.match(sameCostAs);
    size_t mem = crypto_pwhash_MEMLIMIT_INTERACTIVE;
    unsigned long long ops = crypto_pwhash_OPSLIMIT_INTERACTIVE;
    if (m.hasMatch()) {
        mem = size_t(m.captured(1).toULongLong()) * 1024;
        ops = m.captured(2).toULongLong();
    }
    if (mem < crypto_pwhash_MEMLIMIT_MIN || mem > crypto_pwhash_MEMLIMIT_MODERATE || ops < crypto_pwhash_OPSLIMIT_MIN
        || ops > crypto_pwhash_OPSLIMIT_MODERATE) {
        mem = crypto_pwhash_MEMLIMIT_INTERACTIVE;
        ops = crypto_pwhash_OPSLIMIT_INTERACTIVE;
    }
    // One dummy hash per cost, made once.
    static std::mutex mutex;
    static std::map<std::pair<size_t, unsigned long long>, std::string> dummies;
    std::string dummy;
    {
        std::lock_guard lock(mutex);
        std::string &d = dummies[{mem, ops}];
        if (d.empty()) {
            char out[crypto_pwhash_STRBYTES];
            const QByteArray secret = randomSecret().toLatin1();
            if (crypto_pwhash_str(out, secret.constData(), size_t(secret.size()), ops, mem) != 0)
                return;
            d = out;
        }
        dummy = d;
    }
    const QByteArray pw = password.toUtf8();
    if (crypto_pwhash_str_verify(dummy.c_str(), pw.constData(), size_t(pw.size())) == 0)
        return; // a random secret matched: nothing to do either way
}

QString randomSecret()
{
    ensureSodium();
    unsigned char bytes[32];
    randombytes_buf(bytes, sizeof bytes);
    char text[sodium_base64_ENCODED_LEN(sizeof bytes, sodium_base64_VARIANT_URLSAFE_NO_PADDING)];
    sodium_bin2base64(text, sizeof text, bytes, sizeof bytes, sodium_base64_VARIANT_URLSAFE_NO_PADDING);
    return QString::fromLatin1(text);
}

std::string secretHash(const QString &secret)
{
    ensureSodium();
    const QByteArray bytes = secret.toUtf8();
    unsigned char hash[crypto_generichash_BYTES];
    crypto_generichash(hash, sizeof hash, reinterpret_cast<const unsigned char *>(bytes.constData()),
                       size_t(bytes.size()), nullptr, 0);
    char hex[sizeof hash * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, hash, sizeof hash);
    return hex;
}

} // namespace hq
