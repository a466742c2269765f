// Comparing two document trees.
#include "DomTreeCompare.h"

#include "platform/text/Text.h"
#include "xml/DomWriter.h"

#include <algorithm>
#include <vector>

namespace domtest {

namespace {

// The value as the writer preserves it.
std::u16string_view KeptValue(const TRwDOMNode& node) {
    if (node.NodeType() == RwNodeType::Element && node.ChildCount() > 0 && RwIsBlank(node.Value()))
        return {};
    return node.Value();
}

// Data of comments, CDATA sections and processing instructions; empty for others.
std::u16string_view DataOf(const TRwDOMNode& node) {
    switch (node.NodeType()) {
    case RwNodeType::Comment:
    case RwNodeType::CDataSection:
        return static_cast<const TRwDOMCharacterData&>(node).Data();
    case RwNodeType::ProcessingInstruction:
        return static_cast<const TRwProcessingInstruction&>(node).Data();
    default:
        return {};
    }
}

const std::pmr::vector<TRwDOMNode*>& NodesOf(const TRwDOMNodeList* list) {
    static const std::pmr::vector<TRwDOMNode*> none;
    return list ? list->Nodes() : none;
}

// The children in the order the writer writes them: a document's processing
// instructions form its declaration, ahead of everything else.
std::vector<const TRwDOMNode*> ChildrenInWrittenOrder(const TRwDOMNode& node) {
    const auto& children = NodesOf(node.ChildList());
    std::vector<const TRwDOMNode*> ordered(children.begin(), children.end());
    if (node.NodeType() == RwNodeType::Document)
        std::stable_partition(ordered.begin(), ordered.end(), [](const TRwDOMNode* child) {
            return child->NodeType() == RwNodeType::ProcessingInstruction;
        });
    return ordered;
}

std::string Quoted(std::u16string_view text) {
    return "'" + text::Narrow(text) + "'";
}

// The differences of the two nodes themselves, their children aside.
std::string CompareNodes(const TRwDOMNode& a, const TRwDOMNode& b) {
    if (a.NodeType() != b.NodeType())
        return "node type " + std::to_string(a.NodeType()) + " vs " + std::to_string(b.NodeType());
    if (a.LocalName() != b.LocalName() || a.Prefix() != b.Prefix())
        return "name " + Quoted(a.NodeName()) + " vs " + Quoted(b.NodeName());
    if (a.NamespaceURI() != b.NamespaceURI())
        return "namespace " + Quoted(a.NamespaceURI()) + " vs " + Quoted(b.NamespaceURI());
    if (KeptValue(a) != KeptValue(b))
        return "value " + Quoted(a.Value()) + " vs " + Quoted(b.Value());
    if (DataOf(a) != DataOf(b))
        return "data " + Quoted(DataOf(a)) + " vs " + Quoted(DataOf(b));
    const auto& attributesA = NodesOf(a.AttributeList());
    const auto& attributesB = NodesOf(b.AttributeList());
    if (attributesA.size() != attributesB.size())
        return std::to_string(attributesA.size()) + " vs " + std::to_string(attributesB.size()) +
               " attributes";
    for (size_t i = 0; i < attributesA.size(); ++i) {
        std::string difference = CompareNodes(*attributesA[i], *attributesB[i]);
        if (!difference.empty())
            return "attribute " + std::to_string(i) + ": " + difference;
    }
    if (a.ChildCount() != b.ChildCount())
        return std::to_string(a.ChildCount()) + " vs " + std::to_string(b.ChildCount()) +
               " children";
    return {};
}

} // namespace

std::string FirstDifference(const TRwDOMNode& a, const TRwDOMNode& b) {
    struct Pair {
        const TRwDOMNode* a;
        const TRwDOMNode* b;
        std::string path;
    };
    std::vector<Pair> pending{{&a, &b, ""}};
    while (!pending.empty()) {
        Pair pair = std::move(pending.back());
        pending.pop_back();
        std::string difference = CompareNodes(*pair.a, *pair.b);
        if (!difference.empty())
            return (pair.path.empty() ? "/" : pair.path) + ": " + difference;
        const auto childrenA = ChildrenInWrittenOrder(*pair.a);
        const auto childrenB = ChildrenInWrittenOrder(*pair.b);
        for (size_t i = childrenA.size(); i-- > 0;)
            pending.push_back({childrenA[i], childrenB[i],
                               pair.path + "/" + text::Narrow(childrenA[i]->NodeName()) + "[" +
                                   std::to_string(i) + "]"});
    }
    return {};
}

} // namespace domtest
