// Character data: comments and CDATA sections. Their text is held and written
// as it stands, without escaping.
#pragma once

#include "xml/DomNodeFacet.h"

#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>

// The class library's forgiving one-based string routines, as the character
// data operations take their offsets: an offset before the text counts as 1
// (deletion: does nothing), a range past the end is cut at the end.
std::u16string RwCopyText(std::u16string_view text, int32_t offset, int32_t count);
void RwInsertText(std::pmr::u16string& text, int32_t offset, std::u16string_view insert);
void RwDeleteText(std::pmr::u16string& text, int32_t offset, int32_t count);

// The text shared by the character-data classes.
class TRwDOMCharacterData : public TRwDOMNode {
public:
    // The data as held.
    std::u16string_view Data() const noexcept { return data_; }

protected:
    TRwDOMCharacterData(TRwDOMDocument* ownerDocument, uint16_t nodeType, std::u16string_view name,
                        std::u16string_view data);

    std::pmr::u16string data_;

    template <class Itf, class Self> friend class TRwDOMCharacterDataFacet;
};

// Implements the IRwDOMCharacterData slots of Itf for the class Self.
template <class Itf, class Self>
class TRwDOMCharacterDataFacet : public TRwDOMNodeFacet<Itf, Self> {
public:
    std::u16string SubstringData(int32_t offset, int32_t count) override {
        return RwCopyText(Text(), offset, count);
    }
    void AppendData(std::u16string_view text) override { Text().append(text); }
    void InsertData(int32_t offset, std::u16string_view text) override {
        RwInsertText(Text(), offset, text);
    }
    void DeleteData(int32_t offset, int32_t count) override { RwDeleteText(Text(), offset, count); }
    void ReplaceData(int32_t offset, int32_t count, std::u16string_view text) override {
        RwDeleteText(Text(), offset, count);
        RwInsertText(Text(), offset, text);
    }
    std::u16string GetData() override { return std::u16string(Text()); }
    void SetData(std::u16string_view data) override { Text().assign(data); }
    int32_t GetLength() override { return static_cast<int32_t>(Text().size()); }
    ComPtr<IRwDOMNode> SplitText(int32_t) override { RwRaiseNotImplemented("SplitText"); }

protected:
    TRwDOMCharacterDataFacet() = default;
    ~TRwDOMCharacterDataFacet() override = default;

private:
    std::pmr::u16string& Text() noexcept { return static_cast<Self&>(*this).data_; }
};

// A CDATA section (node type 4).
class TRwDOMCDataSection final
    : public TRwDOMCharacterData,
      public TRwDOMCharacterDataFacet<IRwDOMCDataSection, TRwDOMCDataSection> {
public:
    IRwDOMNode* Intf() noexcept override { return this; }

private:
    // A CDATA section of ownerDocument, in no list (TRwDOMDocument::NewCDataSection).
    TRwDOMCDataSection(TRwDOMDocument* ownerDocument, std::u16string_view data);
    ~TRwDOMCDataSection() override = default;

    friend class TRwDOMDocument;
};

// A comment (node type 8).
class TRwDOMComment final : public TRwDOMCharacterData,
                            public TRwDOMCharacterDataFacet<IRwDOMComment, TRwDOMComment> {
public:
    IRwDOMNode* Intf() noexcept override { return this; }

private:
    // A comment of ownerDocument, in no list (TRwDOMDocument::NewComment).
    TRwDOMComment(TRwDOMDocument* ownerDocument, std::u16string_view data);
    ~TRwDOMComment() override = default;

    friend class TRwDOMDocument;
};
