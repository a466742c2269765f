// The message key's digest comes from OpenSSL's libcrypto, through its
// one-shot EVP call (the plain MD5 call is deprecated there).
#include "addin/send/MessageKey.h"

#include "addin/settings/QelError.h"
#include "platform/text/Text.h"

#include <openssl/evp.h>

std::string RemoveWhiteSpace(std::string_view Text) {
    std::string result;
    result.reserve(Text.size());
    for (char c : Text)
        if (c != '\t' && c != '\n' && c != '\r' && c != ' ')
            result += c;
    return result;
}

std::string MD5Key(std::string_view Text) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(Text.data(), Text.size(), digest, &length, EVP_md5(), nullptr) != 1 ||
        length != 16)
        throw EQelError("The MD5 digest is not available.");
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string key;
    key.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        key += hex[digest[i] >> 4];
        key += hex[digest[i] & 0x0F];
    }
    return key;
}

std::string StrippedMessageText(const outlook::ItemMembers& Item) {
    return RemoveWhiteSpace(text::Narrow(Item.Subject() + Item.Body()));
}
