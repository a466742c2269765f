// Category lists put together as the send actions do it.
#include "addin/send/CategoryText.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* first;
    const char* second;
    const char* expected;
};

} // namespace

TEST(CategoryText, JoinSeparatesByCommaAndBlankAndSkipsEmptyLists) {
    const Case cases[] = {
        {"", "", ""},
        {"Red", "", "Red"},
        {"", "Red", "Red"},
        {"Red", "Blue", "Red, Blue"},
        {"Red", "Red", "Red, Red"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinCategories(c.first, c.second), c.expected) << c.first << " + " << c.second;
}

TEST(CategoryText, MergeTakesTheOwnListWhenItHoldsTheBaseIgnoringCase) {
    const Case cases[] = {
        {"", "", ""},
        {"Finance", "", "Finance"},
        {"", "Red", "Red"},
        {"Finance", "Red", "Finance, Red"},
        {"finance", "Red, Finance", "Red, Finance"},
        // Containment is by text: a longer name holds a shorter one.
        {"Offer", "Offers 2027", "Offers 2027"},
        {"Red, Blue", "Blue, Red", "Red, Blue, Blue, Red"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MergeCategories(c.first, c.second), c.expected) << c.first << " + " << c.second;
}

TEST(CategoryText, AddAppendsACategoryTheListDoesNotHold) {
    const Case cases[] = {
        {"", "Customers", "Customers"},
        {"Red", "Customers", "Red, Customers"},
        {"Red, customers", "Customers", "Red, customers"},
        {"Red", "", "Red"},
        {"", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddCategory(c.first, c.second), c.expected) << c.first << " + " << c.second;
}
