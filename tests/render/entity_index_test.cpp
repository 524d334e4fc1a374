// The entity index against a box test of every entity, on generated boxes.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "render/entity_index.h"

namespace zov {
namespace {

TEST(EntityIndex, HitsAreThoseOfABoxTestOfEveryEntityInStoreOrder) {
    std::mt19937 random(7);
    // Quarters, which floats hold exactly: the index's outward rounding
    // then changes no box.
    auto coordinate = [&](int range) { return static_cast<int>(random() % range) / 4.0; };
    std::vector<DrawingExtents> boxes;
    EntityIndex index;
    for (int i = 0; i < 5000; ++i) {
        BoundingBox box;
        // Every 97th record has nothing finite to bound: it meets any area.
        if (i % 97 != 0) {
            const double x = coordinate(4000), y = coordinate(4000);
            const int size = i % 13 == 0 ? 2000 : 40;
            box.include(x, y);
            box.include(x + coordinate(size), y + coordinate(size));
        }
        boxes.push_back(box.empty() ? DrawingExtents{-1e300, -1e300, 1e300, 1e300}
                                    : box.extents());
        index.add(box);
    }
    for (int q = 0; q < 200; ++q) {
        const double x = coordinate(4400) - 50, y = coordinate(4400) - 50;
        const double side = q % 5 == 0 ? 0.0 : coordinate(q % 2 == 0 ? 80 : 1600);
        const DrawingExtents area{x, y, x + side, y + side};
        std::vector<std::int32_t> expected;
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(boxes.size()); ++i) {
            const DrawingExtents& b = boxes[static_cast<std::size_t>(i)];
            if (b.min_x <= area.max_x && b.max_x >= area.min_x && b.min_y <= area.max_y &&
                b.max_y >= area.min_y)
                expected.push_back(i);
        }
        std::vector<std::int32_t> hits;
        index.visit(area, [&](std::int32_t i) { hits.push_back(i); });
        ASSERT_EQ(hits, expected) << "query " << q;
    }
}

TEST(EntityIndex, BoxesRoundOutwardAndRecordsWithoutALayerKeepTheLayerBefore) {
    EntityIndex index;
    BoundingBox box;
    box.include(0.1, -0.1);
    box.include(1e39, 0.3);  // beyond the floats
    index.add(box);
    const EntityIndex::Box& kept = index.box(0);
    EXPECT_LE(kept.min_x, 0.1);
    EXPECT_LE(kept.min_y, -0.1);
    EXPECT_GE(kept.max_y, 0.3);
    EXPECT_TRUE(kept.meets({1e38, 0.2, 2e38, 0.25}));

    index.carry_layer(3, 2);
    index.carry_layer(9, 0);
    EXPECT_EQ(index.carried_layer(3), 2);
    EXPECT_EQ(index.carried_layer(9), 0);
    EXPECT_EQ(index.carried_layer(4), -1);
}

}  // namespace
}  // namespace zov
