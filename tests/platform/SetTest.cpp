// Set types: bit n stands for the value of ordinal n.
#include "platform/rtl/Set.h"

#include <gtest/gtest.h>

namespace {

enum THostApp { ohaExcel, ohaWord, ohaOutlook, ohaPowerPoint };
using THostAppSet = TSet<THostApp>;

TEST(Set, BitsFollowTheOrdinals) {
    THostAppSet s{ohaOutlook};
    EXPECT_EQ(s.Mask(), 4u);
    EXPECT_TRUE(s.Contains(ohaOutlook));
    EXPECT_FALSE(s.Contains(ohaWord));
    s.Include(ohaExcel).Include(ohaPowerPoint);
    EXPECT_EQ(s.Mask(), 0b1101u);
    s.Exclude(ohaPowerPoint);
    EXPECT_EQ(s, THostAppSet::FromMask(0b0101));
    EXPECT_TRUE(THostAppSet{}.Empty());
}

TEST(Set, UnionIntersectionDifferenceAndSubsets) {
    THostAppSet a{ohaExcel, ohaWord}, b{ohaWord, ohaOutlook};
    EXPECT_EQ(a + b, (THostAppSet{ohaExcel, ohaWord, ohaOutlook}));
    EXPECT_EQ(a * b, THostAppSet{ohaWord});
    EXPECT_EQ(a - b, THostAppSet{ohaExcel});
    EXPECT_TRUE(THostAppSet{ohaWord}.IsSubsetOf(a));
    EXPECT_FALSE(a.IsSubsetOf(b));
    // A 24-bit set held in 32 bits keeps its stored mask.
    static_assert(TSet<THostApp>::FromMask(0xFFFFFF).Mask() == 0xFFFFFF);
}

} // namespace
