// Comments, CDATA sections and the one-based text routines they use.
#include "xml/DomCharacterData.h"

#include <algorithm>

std::u16string RwCopyText(std::u16string_view text, int32_t offset, int32_t count) {
    size_t start = static_cast<size_t>(std::max(offset, 1)) - 1;
    if (start >= text.size() || count <= 0)
        return {};
    return std::u16string(text.substr(start, static_cast<size_t>(count)));
}

void RwInsertText(std::pmr::u16string& text, int32_t offset, std::u16string_view insert) {
    size_t at = std::min(static_cast<size_t>(std::max(offset, 1)) - 1, text.size());
    text.insert(at, insert);
}

void RwDeleteText(std::pmr::u16string& text, int32_t offset, int32_t count) {
    if (offset < 1 || static_cast<size_t>(offset) > text.size() || count <= 0)
        return;
    text.erase(static_cast<size_t>(offset) - 1, static_cast<size_t>(count));
}

TRwDOMCharacterData::TRwDOMCharacterData(TRwDOMDocument* ownerDocument, uint16_t nodeType,
                                         std::u16string_view name, std::u16string_view data)
    : TRwDOMNode(ownerDocument, nodeType, name, {}), data_(data, Resource()) {}

TRwDOMCDataSection::TRwDOMCDataSection(TRwDOMDocument* ownerDocument, std::u16string_view data)
    : TRwDOMCharacterData(ownerDocument, RwNodeType::CDataSection, u"#cdata-section", data) {}

TRwDOMComment::TRwDOMComment(TRwDOMDocument* ownerDocument, std::u16string_view data)
    : TRwDOMCharacterData(ownerDocument, RwNodeType::Comment, u"#comment", data) {}
