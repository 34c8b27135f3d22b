// EnMirel.Dll: enciphers the settings texts of the INI file.
//
// Both exports take three length-prefixed 8-bit strings of 256 bytes
// (byte 0 is the length, bytes 1..255 the text): the result, the key and the
// text. Inside: a 32-byte key hashed from the key text, libsodium secret-box
// (XSalsa20-Poly1305) with a random nonce; the cipher text is nonce + box in
// URL-safe base64 without padding, printable ASCII. A text whose cipher text
// would not fit 255 bytes, and a cipher text that does not decode or
// authenticate, give the empty result: a cipher text is never cut.

#include <sodium.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t maxLength = 255;
constexpr int base64Variant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;

std::string fromBuffer(const unsigned char *buffer)
{
    return std::string(reinterpret_cast<const char *>(buffer + 1), buffer[0]);
}

void toBuffer(unsigned char *buffer, const std::string &text)
{
    const std::size_t n = text.size() <= maxLength ? text.size() : 0;
    buffer[0] = static_cast<unsigned char>(n);
    std::memcpy(buffer + 1, text.data(), n);
}

void deriveKey(const std::string &keyText, unsigned char key[crypto_secretbox_KEYBYTES])
{
    static const unsigned char context[] = "EnMirel settings key v1";
    crypto_generichash(key, crypto_secretbox_KEYBYTES,
                       reinterpret_cast<const unsigned char *>(keyText.data()), keyText.size(),
                       context, sizeof context - 1);
}

std::string encrypt(const std::string &keyText, const std::string &plain)
{
    const std::size_t boxed = crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + plain.size();
    if (sodium_base64_encoded_len(boxed, base64Variant) - 1 > maxLength)
        return {};
    unsigned char key[crypto_secretbox_KEYBYTES];
    deriveKey(keyText, key);
    std::vector<unsigned char> out(boxed);
    randombytes_buf(out.data(), crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(out.data() + crypto_secretbox_NONCEBYTES,
                          reinterpret_cast<const unsigned char *>(plain.data()), plain.size(),
                          out.data(), key);
    sodium_memzero(key, sizeof key);
    std::string text(sodium_base64_encoded_len(boxed, base64Variant), '\0');
    sodium_bin2base64(text.data(), text.size(), out.data(), out.size(), base64Variant);
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string decrypt(const std::string &keyText, const std::string &cipher)
{
    if (cipher.empty())
        return {};
    std::vector<unsigned char> bin(cipher.size());
    std::size_t binLength = 0;
    const char *end = nullptr;
    if (sodium_base642bin(bin.data(), bin.size(), cipher.data(), cipher.size(), nullptr,
                          &binLength, &end, base64Variant) != 0
        || end != cipher.data() + cipher.size()
        || binLength < crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES)
        return {};
    unsigned char key[crypto_secretbox_KEYBYTES];
    deriveKey(keyText, key);
    const std::size_t boxLength = binLength - crypto_secretbox_NONCEBYTES;
    std::string plain(boxLength - crypto_secretbox_MACBYTES, '\0');
    const int rc = crypto_secretbox_open_easy(reinterpret_cast<unsigned char *>(plain.data()),
                                              bin.data() + crypto_secretbox_NONCEBYTES, boxLength,
                                              bin.data(), key);
    sodium_memzero(key, sizeof key);
    if (rc != 0 || plain.size() > maxLength)
        return {};
    return plain;
}

// Reads the key and text buffers, applies op and fills the result buffer;
// any missing buffer or a library that cannot start gives the empty result.
void run(unsigned char *result, const unsigned char *key, const unsigned char *text,
         std::string (*op)(const std::string &, const std::string &))
{
    if (!result)
        return;
    result[0] = 0;
    if (!key || !text || sodium_init() < 0)
        return;
    toBuffer(result, op(fromBuffer(key), fromBuffer(text)));
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) void EncryptString(unsigned char *result, unsigned char *key,
                                                           unsigned char *text)
{
    run(result, key, text, encrypt);
}

__attribute__((visibility("default"))) void DecryptString(unsigned char *result, unsigned char *key,
                                                           unsigned char *text)
{
    run(result, key, text, decrypt);
}

} // extern "C"
