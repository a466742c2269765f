// Processing instructions. At document level they carry the pseudo-attributes
// of the XML declaration, which the writer gathers into its first line.
#pragma once

#include "xml/DomNodeFacet.h"

// A processing instruction (node type 7); the target is the node's name.
class TRwProcessingInstruction final
    : public TRwDOMNode,
      public TRwDOMNodeFacet<IRwProcessingInstruction, TRwProcessingInstruction> {
public:
    IRwDOMNode* Intf() noexcept override { return this; }

    // IRwProcessingInstruction (see DomInterfaces.h).
    std::u16string GetTarget() override { return LocalName(); }
    std::u16string GetData() override { return std::u16string(data_); }
    void SetData(std::u16string_view data) override { data_.assign(data); }

    // The data as held.
    std::u16string_view Data() const noexcept { return data_; }

private:
    // A processing instruction of ownerDocument, in no list.
    TRwProcessingInstruction(TRwDOMDocument* ownerDocument, std::u16string_view target,
                             std::u16string_view data);
    ~TRwProcessingInstruction() override = default;

    std::pmr::u16string data_;

    friend class TRwDOMDocument;
};
