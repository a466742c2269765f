// Conversation indexes of the simulated Outlook.
//
// Outlook threads a conversation by a binary index that it shows as hex text
// (ConversationIndex): a new message gets a 22-byte header block (a reserved
// byte, the moment of creation as the high bits of a FILETIME, and a GUID);
// every reply or forward copies its parent's index and appends a 5-byte child
// block (the time since the header, a random nibble and a sequence nibble).
// The add-in keys the categories waiting for a sent copy by this text, so the
// simulation builds it the way Outlook does.
#pragma once

#include "platform/com/Guid.h"
#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// Bytes of a header block and of one child block.
inline constexpr size_t ConversationHeaderSize = 22;
inline constexpr size_t ConversationChildSize = 5;

// The index of a new conversation started at `when` (local time stands in for
// UTC here), identified by `id`.
std::vector<uint8_t> NewConversationIndex(TDateTime when, const GUID& id);

// The index of an answer to a message whose index is `parent`, made at `when`;
// `random` supplies the random nibble. A parent too short to hold a header
// starts a new conversation instead (as Outlook does for a message that came
// without an index).
std::vector<uint8_t> ChildConversationIndex(const std::vector<uint8_t>& parent, TDateTime when,
                                            uint8_t random);

// Upper-case hex text of bytes, as Outlook's ConversationIndex shows it.
std::u16string ConversationIndexText(const std::vector<uint8_t>& bytes);
// The bytes of hex text; empty for text that is not an even run of hex digits.
std::vector<uint8_t> ConversationIndexBytes(std::u16string_view text);

} // namespace sim
