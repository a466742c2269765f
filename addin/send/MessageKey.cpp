// The message key's digest comes from OpenSSL's libcrypto, through its
// one-shot EVP call (the plain MD5 call is deprecated there). The library is
// loaded the first time a key is wanted, not with the add-in: binding its
// thousands of symbols cost more than the rest of a host's start and quit,
// and most sessions never key a message.
#include "addin/send/MessageKey.h"

#include "addin/settings/QelError.h"
#include "platform/text/Text.h"
#include "platform/win/Library.h"

#include <openssl/evp.h>

namespace {

// The two calls a digest needs; both empty when the library or one of them
// is missing.
class TCryptoLibrary {
public:
    TCryptoLibrary() {
        library_ = LoadLibrary(LORVANE_CRYPTO_LIBRARY);
        if (!library_)
            return;
        Digest = reinterpret_cast<decltype(&EVP_Digest)>(GetProcAddress(library_, "EVP_Digest"));
        Md5 = reinterpret_cast<decltype(&EVP_md5)>(GetProcAddress(library_, "EVP_md5"));
        if (!Digest || !Md5) {
            Digest = nullptr;
            Md5 = nullptr;
        }
    }
    ~TCryptoLibrary() {
        if (library_)
            FreeLibrary(library_);
    }
    TCryptoLibrary(const TCryptoLibrary&) = delete;
    TCryptoLibrary& operator=(const TCryptoLibrary&) = delete;

    decltype(&EVP_Digest) Digest = nullptr;
    decltype(&EVP_md5) Md5 = nullptr;

private:
    HMODULE library_ = nullptr;
};

const TCryptoLibrary& Crypto() {
    static const TCryptoLibrary library;
    return library;
}

} // namespace

std::string RemoveWhiteSpace(std::string_view Text) {
    std::string result;
    result.reserve(Text.size());
    for (char c : Text)
        if (c != '\t' && c != '\n' && c != '\r' && c != ' ')
            result += c;
    return result;
}

std::string MD5Key(std::string_view Text) {
    const TCryptoLibrary& crypto = Crypto();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!crypto.Digest ||
        crypto.Digest(Text.data(), Text.size(), digest, &length, crypto.Md5(), nullptr) != 1 ||
        length != 16)
        throw EQelError("The MD5 digest is not available.");
    std::string key;
    key.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        key += text::HexDigit(digest[i] >> 4);
        key += text::HexDigit(digest[i]);
    }
    return key;
}

std::string StrippedMessageText(const outlook::ItemMembers& Item) {
    return RemoveWhiteSpace(text::Narrow(Item.Subject() + Item.Body()));
}
