// The key under which a message's pending categories wait for its sent copy
// when Outlook gives the message no conversation index: the MD5 digest
// (RFC 1321) of its subject and body with the white space taken out, so that
// the copy Outlook stores after the send, whose line ends and blanks may
// differ, still finds it.
#pragma once

#include "platform/outlook/OutlookObjects.h"

#include <string>
#include <string_view>

// The text without any TAB, LF, CR or blank.
std::string RemoveWhiteSpace(std::string_view Text);
// The MD5 digest of the text's bytes as 32 upper-case hexadecimal digits, in
// the digest's byte order.
std::string MD5Key(std::string_view Text);
// The item's Subject followed directly by its Body, as 8-bit text, without
// white space: what the stripped-text entries are named by and the MD5 key
// is taken of.
std::string StrippedMessageText(const outlook::ItemMembers& Item);
