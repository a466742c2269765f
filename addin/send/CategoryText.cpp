// Putting category lists together.
#include "addin/send/CategoryText.h"

#include "platform/rtl/StrUtils.h"

namespace {

constexpr std::string_view Separator = ", ";

} // namespace

std::string JoinCategories(std::string_view First, std::string_view Second) {
    if (First.empty())
        return std::string(Second);
    if (Second.empty())
        return std::string(First);
    std::string joined(First);
    joined += Separator;
    joined += Second;
    return joined;
}

std::string MergeCategories(std::string_view Base, std::string_view Own) {
    if (Own.empty())
        return std::string(Base);
    if (ContainsText(Own, Base))
        return std::string(Own);
    return JoinCategories(Base, Own);
}

std::string AddCategory(std::string_view List, std::string_view Category) {
    if (ContainsText(List, Category))
        return std::string(List);
    return JoinCategories(List, Category);
}
