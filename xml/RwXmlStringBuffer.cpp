// The reader's 16-bit character buffer.
#include "xml/RwXmlStringBuffer.h"

#include "platform/rtl/Exception.h"

std::u16string TRwXmlStringBuffer::Copy(uint32_t start, uint32_t count) const {
    if ((CharSize() == 2) != RwWideStringMode)
        throw Exception("Copy not allowed");
    std::u16string_view view = WideView();
    if (start >= view.size())
        return {};
    return std::u16string(view.substr(start, count));
}
