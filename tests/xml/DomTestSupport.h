// Helpers shared by the document tree's tests.
#pragma once

#include "xml/uRwXMLDOM.h"

#include <gtest/gtest.h>

#include <string>

namespace domtest {

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
