// Category lists as Outlook writes them: the names separated by ", ". The
// send actions build the list that the sent copy is to get from several
// sources (the answered message, the message itself, the default category,
// the categories dialog); these are the three ways they put two lists
// together. "Contains" is plain text containment with letter case ignored,
// so a list that holds "Offers 2027" is taken to hold "Offers" as well.
#pragma once

#include <string>
#include <string_view>

// First, ", " and Second; either alone when the other is empty.
std::string JoinCategories(std::string_view First, std::string_view Second);
// The message's own categories Own added to Base: Base when Own is empty,
// Own when it already contains Base (or Base is empty), else Base, ", ", Own.
std::string MergeCategories(std::string_view Base, std::string_view Own);
// Category added at the end of List unless List already contains it.
std::string AddCategory(std::string_view List, std::string_view Category);
