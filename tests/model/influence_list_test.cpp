#include "model/influence_list.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<uint32_t> Values(const InfluenceList& list) { return {list.begin(), list.end()}; }

}  // namespace

TEST(InfluenceList, BehavesLikeAVectorInPlaceAndOnTheHeap) {
  for (size_t count : {0u, 3u, 4u, 5u, 120u}) {
    SCOPED_TRACE(count);
    std::vector<uint32_t> expected;
    InfluenceList list;
    for (size_t i = 0; i < count; ++i) {
      list.push_back(static_cast<uint32_t>(i * 7));
      expected.push_back(static_cast<uint32_t>(i * 7));
    }
    EXPECT_EQ(list.size(), count);
    EXPECT_EQ(Values(list), expected);

    InfluenceList copy = list;
    EXPECT_EQ(copy, list);
    InfluenceList moved = std::move(copy);
    EXPECT_EQ(Values(moved), expected);
    EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from list is empty and usable
    copy.push_back(1);
    EXPECT_EQ(copy.size(), 1u);

    InfluenceList assigned{9, 9};
    assigned = moved;
    EXPECT_EQ(Values(assigned), expected);
    assigned.resize(count + 2);
    EXPECT_EQ(assigned[count + 1], 0u);
    if (count > 0) {
      EXPECT_EQ(assigned[count - 1], expected.back());
    }
  }
}

TEST(InfluenceList, AssignsFromUnalignedBytes) {
  const uint8_t bytes[] = {0xFF, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0};
  InfluenceList list;
  list.AssignBytes(bytes + 1, 5);
  EXPECT_EQ(Values(list), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
  list.AssignBytes(bytes + 1, 2);
  EXPECT_EQ(Values(list), (std::vector<uint32_t>{1, 2}));
}
