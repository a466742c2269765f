// Helpers shared by the document tree's tests.
#pragma once

#include "ChunkedReads.h"
#include "platform/text/Text.h"
#include "xml/DomLoad.h"
#include "xml/uRwXMLDOM.h"

#include <gtest/gtest.h>

#include <string>

namespace domtest {

// The bytes RwGetDOMDocumentFromString reads text as: UTF-16LE from the
// text's first "<" (the whole text when it has none).
inline std::string TextBytes(std::u16string_view text) {
    size_t start = text.find(u'<');
    if (start != std::u16string_view::npos)
        text.remove_prefix(start);
    std::vector<uint8_t> bytes = text::Utf16LeBytes(text);
    return std::string(bytes.begin(), bytes.end());
}

// What loading stream (which it frees) gives: the tree's text, or the
// message of the library's error after what was built up to it.
inline std::string LoadOutcome(TStream* stream) {
    ComPtr<IRwDOMDocument> document;
    std::string outcome;
    try {
        RwGetDOMDocument(stream, true, document);
    } catch (const Exception& e) {
        outcome = "raises " + e.Message + " after ";
    }
    return outcome + (document ? text::Narrow(document->GetXML()) : "no document");
}

// Loads bytes whole and at every chunk size, expecting the same tree or
// error each time.
inline void ExpectSameTreeAtEveryChunkSize(const std::string& bytes) {
    if (!bytes.empty())
        ReadAtEveryChunkSize(bytes, LoadOutcome);
}

// Every test of the tree starts with a fresh document and ends by checking
// that no node object is left alive.
class DomTest : public ::testing::Test {
protected:
    void SetUp() override {
        before_ = TRwDOMBase::InstanceCount();
        doc_ = TRwDOMDocument::Create();
    }
    void TearDown() override {
        doc_ = nullptr;
        EXPECT_EQ(TRwDOMBase::InstanceCount(), before_) << "node objects left alive";
    }

    // The references held on node now.
    static uint32_t Refs(IRwDOMNode* node) { return node->GetSelf()->RefCount(); }
    static uint32_t Refs(const ComPtr<IRwDOMDocument>& doc) { return Refs(doc.Get()); }

    // The node names of node's children, joined by blanks.
    static std::u16string ChildNames(IRwDOMNode* node) {
        std::u16string names;
        auto children = node->GetChildNodes();
        for (int32_t i = 0; i < children->GetLength(); ++i) {
            if (i > 0)
                names += u' ';
            names += children->Item(i)->GetNodeName();
        }
        return names;
    }

    // A new element appended to parent.
    ComPtr<IRwDOMElement> AddElement(IRwDOMNode* parent, std::u16string_view name) {
        auto element = doc_->CreateElement(name);
        parent->AppendChild(element.Get());
        return element;
    }

    ComPtr<IRwDOMDocument> doc_;
    long before_ = 0;
};

} // namespace domtest
