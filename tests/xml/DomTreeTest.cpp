// The document tree: structure, names, ids, reference counting and the
// lifetime of nodes inside and outside a tree.
#include "DomTestSupport.h"

using domtest::DomTest;

namespace {

class DomTree : public DomTest {};

TEST_F(DomTree, DocumentTakesIdOneAndEachNewNodeTheNext) {
    EXPECT_EQ(doc_->GetIntID(), 1);
    EXPECT_EQ(doc_->CreateElement(u"a")->GetIntID(), 2);
    EXPECT_EQ(doc_->CreateComment(u"c")->GetIntID(), 3);
    EXPECT_EQ(doc_->CreateCDataSection(u"d")->GetIntID(), 4);
}

TEST_F(DomTree, NodesReportTheirTypesAndNames) {
    EXPECT_EQ(doc_->GetNodeType(), RwNodeType::Document);
    EXPECT_EQ(doc_->CreateElement(u"a")->GetNodeType(), RwNodeType::Element);
    EXPECT_EQ(doc_->CreateComment(u"c")->GetNodeType(), RwNodeType::Comment);
    EXPECT_EQ(doc_->CreateCDataSection(u"d")->GetNodeType(), RwNodeType::CDataSection);
    auto pi = doc_->CreateProcessingInstruction(u"version", u"1.0");
    EXPECT_EQ(pi->GetNodeType(), RwNodeType::ProcessingInstruction);
    EXPECT_EQ(pi->GetTarget(), u"version");
    EXPECT_EQ(pi->GetNodeName(), u"version");
    EXPECT_EQ(pi->GetData(), u"1.0");
}

TEST_F(DomTree, ElementCreatedWithNamespaceKeepsItsQualifiedNameWhole) {
    auto element = doc_->CreateElementNS(u"urn:x", u"p:q");
    EXPECT_EQ(element->GetNodeName(), u"p:q");
    EXPECT_EQ(element->GetLocalName(), u"p:q");
    EXPECT_EQ(element->GetPrefix(), u"");
    EXPECT_EQ(element->GetNamespaceURI(), u"urn:x");
}

TEST_F(DomTree, NodeNameJoinsPrefixAndLocalName) {
    auto element = doc_->CreateElement(u"q");
    element->GetSelf()->SetPrefix(u"p");
    EXPECT_EQ(element->GetNodeName(), u"p:q");
    EXPECT_EQ(element->GetLocalName(), u"q");
}

TEST_F(DomTree, AppendChildSetsTheParentAndReturnsTheChild) {
    auto root = doc_->CreateElement(u"root");
    auto returned = doc_->AppendChild(root.Get());
    EXPECT_EQ(returned.Get(), static_cast<IRwDOMNode*>(root.Get()));
    EXPECT_EQ(root->GetParentNode().Get(), static_cast<IRwDOMNode*>(doc_.Get()));
    EXPECT_EQ(doc_->GetParentNode(), nullptr);
    EXPECT_TRUE(doc_->HasChildNodes());
    EXPECT_FALSE(root->HasChildNodes());
    EXPECT_EQ(doc_->getFirstChild().Get(), static_cast<IRwDOMNode*>(root.Get()));
    EXPECT_EQ(doc_->GetLastChild().Get(), static_cast<IRwDOMNode*>(root.Get()));
}

TEST_F(DomTree, InsertBeforePutsTheChildBeforeItsReferenceOrLast) {
    auto root = AddElement(doc_.Get(), u"root");
    auto b = AddElement(root.Get(), u"b");
    auto a = doc_->CreateElement(u"a");
    root->InsertBefore(a.Get(), b.Get());
    EXPECT_EQ(ChildNames(root.Get()), u"a b");

    auto c = doc_->CreateElement(u"c");
    root->InsertBefore(c.Get(), nullptr);
    EXPECT_EQ(ChildNames(root.Get()), u"a b c");
}

TEST_F(DomTree, InsertBeforeGoesToTheParentOfTheReferenceChild) {
    auto root = AddElement(doc_.Get(), u"root");
    auto other = AddElement(doc_.Get(), u"other");
    auto b = AddElement(other.Get(), u"b");
    auto a = doc_->CreateElement(u"a");
    root->InsertBefore(a.Get(), b.Get());
    EXPECT_EQ(ChildNames(other.Get()), u"a b");
    EXPECT_EQ(ChildNames(root.Get()), u"");
}

TEST_F(DomTree, InsertBeforeAReferenceOutsideAnyTreeAppendsToThisNode) {
    auto root = AddElement(doc_.Get(), u"root");
    auto loose = doc_->CreateElement(u"loose");
    auto a = doc_->CreateElement(u"a");
    root->InsertBefore(a.Get(), loose.Get());
    EXPECT_EQ(ChildNames(root.Get()), u"a");
}

TEST_F(DomTree, AppendChildTakesTheNodeOutOfItsEarlierParent) {
    auto first = AddElement(doc_.Get(), u"first");
    auto second = AddElement(doc_.Get(), u"second");
    auto child = AddElement(first.Get(), u"child");
    second->AppendChild(child.Get());
    EXPECT_EQ(ChildNames(first.Get()), u"");
    EXPECT_EQ(ChildNames(second.Get()), u"child");
    EXPECT_EQ(child->GetParentNode().Get(), static_cast<IRwDOMNode*>(second.Get()));
}

TEST_F(DomTree, AppendChildMovesANodeWithinItsOwnParentToTheEnd) {
    auto root = AddElement(doc_.Get(), u"root");
    auto a = AddElement(root.Get(), u"a");
    AddElement(root.Get(), u"b");
    root->AppendChild(a.Get());
    EXPECT_EQ(ChildNames(root.Get()), u"b a");
}

TEST_F(DomTree, NodesThatWouldMakeALoopAreRefused) {
    auto root = AddElement(doc_.Get(), u"root");
    auto child = AddElement(root.Get(), u"child");
    auto grandchild = AddElement(child.Get(), u"grandchild");
    struct Case {
        const char* what;
        IRwDOMNode* parent;
        IRwDOMNode* child;
    } cases[] = {
        {"a node under itself", child.Get(), child.Get()},
        {"a node under its child", child.Get(), root.Get()},
        {"a node under its grandchild", grandchild.Get(), root.Get()},
        {"the document under an element", grandchild.Get(), doc_.Get()},
    };
    for (const Case& c : cases) {
        try {
            c.parent->AppendChild(c.child);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const ERwDOMException& e) {
            EXPECT_EQ(e.Code, RwDOMError::HierarchyRequest) << c.what;
            EXPECT_EQ(e.Message, "Hierarchy request error") << c.what;
        }
    }
    EXPECT_THROW(grandchild->InsertBefore(root.Get(), nullptr), ERwDOMException);
    EXPECT_EQ(ChildNames(doc_.Get()), u"root");
    EXPECT_EQ(ChildNames(child.Get()), u"grandchild");
}

TEST_F(DomTree, RemoveChildKeepsTheRemovedNodesChildren) {
    auto root = AddElement(doc_.Get(), u"root");
    auto folder = AddElement(root.Get(), u"folder");
    AddElement(folder.Get(), u"a");
    AddElement(folder.Get(), u"b");

    auto removed = root->RemoveChild(folder.Get());
    EXPECT_EQ(removed.Get(), static_cast<IRwDOMNode*>(folder.Get()));
    EXPECT_EQ(ChildNames(root.Get()), u"");
    EXPECT_EQ(folder->GetParentNode(), nullptr);
    EXPECT_EQ(ChildNames(folder.Get()), u"a b");
    EXPECT_EQ(folder->GetXML(), u"<folder><a/><b/></folder>");

    // A removed node can go back into a tree.
    root->AppendChild(folder.Get());
    EXPECT_EQ(root->GetXML(), u"<root><folder><a/><b/></folder></root>");
}

TEST_F(DomTree, RemoveChildOfAnotherNodeIsIgnored) {
    auto root = AddElement(doc_.Get(), u"root");
    auto other = AddElement(doc_.Get(), u"other");
    auto child = AddElement(other.Get(), u"child");
    EXPECT_EQ(root->RemoveChild(child.Get()), nullptr);
    EXPECT_EQ(root->RemoveChild(nullptr), nullptr);
    EXPECT_EQ(ChildNames(other.Get()), u"child");
}

TEST_F(DomTree, ARemovedNodeIsFreedWithItsSubtreeWithTheLastReference) {
    const long empty = TRwDOMBase::InstanceCount();
    auto root = AddElement(doc_.Get(), u"root");
    {
        auto folder = AddElement(root.Get(), u"folder");
        AddElement(folder.Get(), u"a");
        AddElement(folder.Get(), u"b");
        EXPECT_EQ(TRwDOMBase::InstanceCount(), empty + 4);
        root->RemoveChild(folder.Get());
        EXPECT_EQ(TRwDOMBase::InstanceCount(), empty + 4);
    }
    EXPECT_EQ(TRwDOMBase::InstanceCount(), empty + 1);
}

TEST_F(DomTree, AReferencedNodeBelowAFreedOneLivesOnOnItsOwn) {
    auto root = AddElement(doc_.Get(), u"root");
    auto folder = AddElement(root.Get(), u"folder");
    auto kept = AddElement(folder.Get(), u"kept");
    root->RemoveChild(folder.Get());
    folder = nullptr;
    EXPECT_EQ(kept->GetParentNode(), nullptr);
    EXPECT_EQ(kept->GetNodeName(), u"kept");
    root->AppendChild(kept.Get());
    EXPECT_EQ(root->GetXML(), u"<root><kept/></root>");
}

TEST_F(DomTree, ReferencesToNodesCountOnTheirDocument) {
    EXPECT_EQ(Refs(doc_), 1u);
    auto element = doc_->CreateElement(u"a");
    EXPECT_EQ(Refs(element.Get()), 1u);
    EXPECT_EQ(Refs(doc_), 2u);
    {
        auto children = element->GetChildNodes();
        EXPECT_EQ(Refs(element.Get()), 2u);
        EXPECT_EQ(Refs(doc_), 3u);
    }
    doc_->AppendChild(element.Get());
    element = nullptr;
    EXPECT_EQ(Refs(doc_), 1u);
}

TEST_F(DomTree, ANodeKeepsItsDocumentAliveAfterTheDocumentIsReleased) {
    auto element = doc_->CreateElement(u"a");
    auto child = doc_->CreateElement(u"b");
    doc_ = nullptr;
    element->AppendChild(child.Get());
    auto document = element->GetOwnerDocument();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->GetIntID(), 1);
    EXPECT_EQ(element->GetOwnerObject(), document->GetSelf());
}

TEST_F(DomTree, AListReferenceKeepsItsNodeAlive) {
    auto root = AddElement(doc_.Get(), u"root");
    auto folder = AddElement(root.Get(), u"folder");
    AddElement(folder.Get(), u"a");
    root->RemoveChild(folder.Get());
    auto children = folder->GetChildNodes();
    folder = nullptr;
    ASSERT_EQ(children->GetLength(), 1);
    EXPECT_EQ(children->Item(0)->GetNodeName(), u"a");
}

TEST_F(DomTree, ANodeAppendedIntoAnotherDocumentBelongsToIt) {
    auto other = TRwDOMDocument::Create();
    auto moved = other->CreateElement(u"moved");
    auto child = other->CreateElement(u"child");
    moved->AppendChild(child.Get());
    child = nullptr;
    auto root = AddElement(doc_.Get(), u"root");
    root->AppendChild(moved.Get());
    other = nullptr;

    EXPECT_EQ(moved->GetOwnerObject(), doc_->GetSelf());
    EXPECT_EQ(moved->getFirstChild()->GetOwnerObject(), doc_->GetSelf());
    EXPECT_EQ(root->GetXML(), u"<root><moved><child/></moved></root>");
    // Ids stay unique within the new document.
    EXPECT_GT(moved->GetIntID(), root->GetIntID());
    EXPECT_EQ(Refs(doc_), 3u);
}

TEST_F(DomTree, FirstAndLastChildOfANodeWithoutChildrenRaiseIndexErrors) {
    auto element = doc_->CreateElement(u"a");
    try {
        element->getFirstChild();
        FAIL() << "no exception";
    } catch (const ERwDOMException& e) {
        EXPECT_EQ(e.Code, RwDOMError::IndexSize);
        EXPECT_EQ(e.Message, "Index out of range 0");
    }
    try {
        element->GetLastChild();
        FAIL() << "no exception";
    } catch (const ERwDOMException& e) {
        EXPECT_EQ(e.Code, RwDOMError::IndexSize);
        EXPECT_EQ(e.Message, "Index out of range -1");
    }
}

TEST_F(DomTree, ItemAtTheLengthRaisesWithTheIndexInTheMessage) {
    auto root = AddElement(doc_.Get(), u"root");
    AddElement(root.Get(), u"a");
    auto children = root->GetChildNodes();
    EXPECT_EQ(children->Item(0)->GetNodeName(), u"a");
    try {
        children->Item(1);
        FAIL() << "no exception";
    } catch (const ERwDOMException& e) {
        EXPECT_EQ(e.Code, RwDOMError::IndexSize);
        EXPECT_EQ(e.Message, "Index out of range 1");
    }
}

TEST_F(DomTree, ChildAndAttributeListsAreCreatedEmptyOnFirstUse) {
    auto element = doc_->CreateElement(u"a");
    EXPECT_FALSE(element->HasChildNodes());
    EXPECT_FALSE(element->HasAttributes());
    EXPECT_EQ(element->GetChildNodes()->GetLength(), 0);
    EXPECT_EQ(element->GetAttributes()->GetLength(), 0);
    EXPECT_FALSE(element->HasChildNodes());
    EXPECT_FALSE(element->HasAttributes());
}

TEST_F(DomTree, ListsAnswerBothListInterfaces) {
    auto root = AddElement(doc_.Get(), u"root");
    AddElement(root.Get(), u"a");
    auto list = root->GetChildNodes();
    auto map = list.Query<IRwDOMNamedNodeMap>();
    ASSERT_TRUE(map);
    EXPECT_EQ(map->GetLength(), 1);
    EXPECT_EQ(map->GetNamedItem(u"a")->GetNodeName(), u"a");
    EXPECT_EQ(map->GetNamedItem(u"b"), nullptr);
    EXPECT_TRUE(IsSameObject(list.Get(), map.Get()));
}

TEST_F(DomTree, SetNamedItemKeepsTheNodeOfTheSameName) {
    auto root = AddElement(doc_.Get(), u"root");
    auto first = AddElement(root.Get(), u"a");
    auto map = root->GetChildNodes().Query<IRwDOMNamedNodeMap>();
    auto second = doc_->CreateElement(u"a");
    EXPECT_EQ(map->SetNamedItem(second.Get()).Get(), static_cast<IRwDOMNode*>(first.Get()));
    auto third = doc_->CreateElement(u"b");
    EXPECT_EQ(map->SetNamedItem(third.Get()).Get(), static_cast<IRwDOMNode*>(third.Get()));
    EXPECT_EQ(ChildNames(root.Get()), u"a b");
}

TEST_F(DomTree, AnAttributeListTakesAttributesOnly) {
    auto element = doc_->CreateElement(u"a");
    auto other = doc_->CreateElement(u"b");
    EXPECT_THROW(element->GetAttributes()->SetNamedItem(other.Get()), ERwDOMException);
}

TEST_F(DomTree, ProcessingInstructionOfTheSameTargetIsCreatedOnce) {
    auto first = doc_->CreateProcessingInstruction(u"version", u"1.0");
    auto second = doc_->CreateProcessingInstruction(u"version", u"2.0");
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(second->GetData(), u"1.0");
    EXPECT_EQ(doc_->GetChildNodes()->GetLength(), 1);
    EXPECT_EQ(first->GetParentNode().Get(), static_cast<IRwDOMNode*>(doc_.Get()));
}

TEST_F(DomTree, NodesAnswerTheirInterfacesWithOneIdentity) {
    auto element = doc_->CreateElement(u"a");
    EXPECT_TRUE(element.Query<IRwDOMNode>());
    EXPECT_TRUE(element.Query<IUnknown>());
    EXPECT_FALSE(element.Query<IRwDOMAttr>());
    EXPECT_FALSE(element.Query<IRwDOMDocument>());
    ComPtr<IUnknown> extra;
    EXPECT_EQ(element->QueryInterface(IID_IRwExtraDOM, extra.ReceiveVoid()), S_OK);
    EXPECT_EQ(static_cast<void*>(extra.Get()), static_cast<void*>(element.Get()));

    auto comment = doc_->CreateComment(u"c");
    EXPECT_TRUE(comment.Query<IRwDOMCharacterData>());
    EXPECT_TRUE(comment.Query<IRwDOMText>());
    EXPECT_FALSE(comment.Query<IRwDOMCDataSection>());
    auto cdata = doc_->CreateCDataSection(u"d");
    EXPECT_TRUE(cdata.Query<IRwDOMText>());
    EXPECT_FALSE(cdata.Query<IRwDOMComment>());
    EXPECT_TRUE(IsSameObject(cdata.Get(), cdata.Query<IRwDOMCharacterData>().Get()));

    EXPECT_TRUE(doc_.Query<IRwDOMNode>());
    EXPECT_FALSE(doc_.Query<IRwDOMElement>());
}

TEST_F(DomTree, IsSupportedIsAlwaysFalse) {
    EXPECT_FALSE(doc_->IsSupported(u"Core", u"2.0"));
}

TEST_F(DomTree, CharacterDataIsEditedWithOneBasedForgivingOffsets) {
    auto comment = doc_->CreateComment(u"hello");
    EXPECT_EQ(comment->GetLength(), 5);
    EXPECT_EQ(comment->SubstringData(2, 3), u"ell");
    EXPECT_EQ(comment->SubstringData(0, 2), u"he");
    EXPECT_EQ(comment->SubstringData(4, 99), u"lo");
    EXPECT_EQ(comment->SubstringData(9, 1), u"");
    comment->AppendData(u"!");
    EXPECT_EQ(comment->GetData(), u"hello!");
    comment->InsertData(1, u">");
    EXPECT_EQ(comment->GetData(), u">hello!");
    comment->InsertData(99, u"<");
    EXPECT_EQ(comment->GetData(), u">hello!<");
    comment->DeleteData(1, 1);
    EXPECT_EQ(comment->GetData(), u"hello!<");
    comment->DeleteData(0, 3);
    comment->DeleteData(9, 3);
    EXPECT_EQ(comment->GetData(), u"hello!<");
    comment->DeleteData(6, 99);
    EXPECT_EQ(comment->GetData(), u"hello");
    comment->ReplaceData(2, 3, u"EL");
    EXPECT_EQ(comment->GetData(), u"hELo");
    comment->SetData(u"x--y");
    EXPECT_EQ(comment->GetData(), u"x--y");
}

TEST_F(DomTree, ADeepTreeIsBuiltWrittenAndFreedWithoutRecursion) {
    constexpr int depth = 200000;
    ComPtr<IRwDOMNode> node = AddElement(doc_.Get(), u"d");
    for (int i = 1; i < depth; ++i)
        node = node->AppendChild(doc_->CreateElement(u"d").Get());
    node = nullptr;
    std::u16string xml = doc_->GetXML();
    EXPECT_EQ(xml.size(), static_cast<size_t>(depth) * 7 - 3);
    EXPECT_EQ(xml.substr(0, 6), u"<d><d>");
    EXPECT_EQ(xml.substr(xml.size() - 8), u"</d></d>");
}

TEST_F(DomTree, ADeepRemovedSubtreeIsFreedWithoutRecursion) {
    constexpr int depth = 200000;
    auto root = AddElement(doc_.Get(), u"root");
    ComPtr<IRwDOMNode> top = AddElement(root.Get(), u"d");
    ComPtr<IRwDOMNode> node = top;
    for (int i = 1; i < depth; ++i)
        node = node->AppendChild(doc_->CreateElement(u"d").Get());
    node = nullptr;
    root->RemoveChild(top.Get());
    top = nullptr;
    EXPECT_EQ(root->GetXML(), u"<root/>");
}

} // namespace
