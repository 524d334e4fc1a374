// The entity index against a box test of every entity, on generated boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <vector>

#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "render/entity_index.h"

namespace zov {
namespace {

TEST(EntityIndex, HitsAreThoseOfABoxTestOfEveryEntityInStoreOrder) {
    std::mt19937 random(7);
    auto coordinate = [&](int range) { return static_cast<int>(random() % range) / 7.0; };
    std::vector<BoundingBox> boxes;
    EntityIndex index;
    for (int i = 0; i < 5000; ++i) {
        BoundingBox box;
        // Every 97th record has nothing finite to bound, every 89th lies
        // beyond what the index keeps: both meet any area.
        if (i % 97 != 0) {
            const double x = coordinate(7000), y = coordinate(7000);
            const int size = i % 13 == 0 ? 3000 : 70;
            box.include(i % 89 == 0 ? 1e305 : x, y);
            box.include(x + coordinate(size), y + coordinate(size));
        }
        boxes.push_back(box);
        index.add(box);
    }
    index.finish();
    ASSERT_EQ(index.size(), 5000);
    for (int i = 0; i < 5000; ++i) {
        const DrawingExtents kept = index.box(i),
                             own = boxes[static_cast<std::size_t>(i)].extents();
        if (boxes[static_cast<std::size_t>(i)].empty() || i % 89 == 0) {
            EXPECT_TRUE(std::isinf(kept.max_x)) << i;
            continue;
        }
        // At least the entity's own box, and not much more.
        EXPECT_TRUE(kept.min_x <= own.min_x && kept.min_y <= own.min_y && kept.max_x >= own.max_x &&
                    kept.max_y >= own.max_y)
            << i;
        EXPECT_LT(kept.max_x - kept.min_x, own.max_x - own.min_x + 1500 / 255.0 * 2.1) << i;
    }
    for (int q = 0; q < 300; ++q) {
        const double x = coordinate(7700) - 50, y = coordinate(7700) - 50;
        const double side = q % 5 == 0 ? 0.0 : coordinate(q % 2 == 0 ? 140 : 2800);
        const DrawingExtents area{x, y, x + side, y + side};
        std::vector<std::int32_t> expected;
        for (std::int32_t i = 0; i < index.size(); ++i)
            if (meets(index.box(i), area)) expected.push_back(i);
        std::vector<std::int32_t> hits;
        index.visit(area, [&](std::int32_t i) { hits.push_back(i); });
        ASSERT_EQ(hits, expected) << "query " << q;
    }
}

TEST(EntityIndex, RecordsWithoutALayerKeepTheLayerOfTheRecordsBefore) {
    EntityIndex index;
    index.carry_layer(3, 2);
    index.carry_layer(9, 0);
    EXPECT_EQ(index.carried_layer(3), 2);
    EXPECT_EQ(index.carried_layer(9), 0);
    EXPECT_EQ(index.carried_layer(4), -1);
}

// Built by one to four readers, and on a store cut inside its entities, the
// index is the same: boxes, and the layers carried by records of no layer
// (layer 0 or one without a record) across the joins of the parts (at 64,
// 128 and 192 of 300 records with three or four parts).
TEST(EntityIndex, BuiltInPartsIsTheIndexOfOneReader) {
    const TempFolder folder;
    RecordingMessages messages;
    StoreBuilder store(folder.path(), messages);
    store.add_layer("A");
    store.add_layer("B");
    for (int i = 0; i < 300; ++i) {
        const bool layerless = i < 3 || (i >= 60 && i < 70) || (i >= 125 && i < 200);
        const auto layer = static_cast<std::int16_t>(layerless ? (i % 2 == 0 ? 0 : 99) : 1 + i % 2);
        store.add_entity(line_record(layer, i, i % 7, i + 1 + i % 5, 3));
    }
    ASSERT_EQ(store.finish(), 0);
    const std::string path = folder.file(kDataFileName);
    for (const bool cut : {false, true}) {
        if (cut) {
            StoreReader whole;
            ASSERT_EQ(whole.open(path), 0);
            const auto end =
                static_cast<std::uintmax_t>(whole.header().add_ent) + 150 * sizeof(EntityRecord);
            whole.close();
            std::filesystem::resize_file(path, end);
        }
        StoreReader readers[4];
        StoreReader* pointers[4];
        for (int k = 0; k < 4; ++k) {
            ASSERT_EQ(readers[k].open(path), 0);
            pointers[k] = &readers[k];
        }
        const std::optional<EntityIndex> one = EntityIndex::build(readers[0]);
        ASSERT_TRUE(one);
        ASSERT_EQ(one->size(), cut ? 150 : 300);
        for (std::size_t parts = 2; parts <= 4; ++parts) {
            const std::optional<EntityIndex> joined =
                EntityIndex::build_in_parts(std::span(pointers, parts));
            ASSERT_TRUE(joined);
            ASSERT_EQ(joined->size(), one->size()) << parts;
            for (std::int32_t i = 0; i < one->size(); ++i) {
                EXPECT_EQ(joined->carried_layer(i), one->carried_layer(i)) << parts << " " << i;
                const DrawingExtents a = joined->box(i), b = one->box(i);
                EXPECT_TRUE(a.min_x == b.min_x && a.min_y == b.min_y && a.max_x == b.max_x &&
                            a.max_y == b.max_y)
                    << parts << " " << i;
            }
        }
        EXPECT_EQ(one->carried_layer(130), 1);  // record 124 is of layer 1
        EXPECT_EQ(one->carried_layer(1), 0);
    }
}

// The fit found by the walk that builds the index, by one to four readers
// and on a cut store, is the box of one walk in store order. The fit works
// out a block's box from where it is first met, so blocks inserted in each
// other, or nested deeper than a pass draws, give another box when each part
// walks its own records; plain nesting gives the same box either way. Hidden
// layers are left out of the fit.
TEST(EntityIndex, FitFoundInPartsIsTheFitOfOneWalk) {
    enum class Blocks { InEachOther, Nested, NestedTooDeep };
    for (const Blocks blocks : {Blocks::InEachOther, Blocks::Nested, Blocks::NestedTooDeep}) {
        const TempFolder folder;
        RecordingMessages messages;
        StoreBuilder store(folder.path(), messages);
        const std::int16_t shown = store.add_layer("A");
        const std::int16_t hidden = store.add_layer("H", 1 << kLayerHiddenBit);
        // Block 1 inserts block 2, which inserts block 1 or nothing; or a
        // chain of blocks 1 to 20, each inserting the next.
        const int chain = blocks == Blocks::NestedTooDeep ? 20 : 2;
        for (int b = 1; b <= chain; ++b) {
            const double at = b * 50.0;
            std::vector<EntityRecord> records = {line_record(shown, at, at, at + 1, at + 1)};
            if (b < chain || blocks == Blocks::InEachOther)
                records.push_back(insert_record(shown, static_cast<std::int16_t>(b % chain + 1),
                                                b == chain ? -900 : 0, 0));
            store.add_block("B" + std::to_string(b), records);
        }
        const auto later_block = static_cast<std::int16_t>(chain == 2 ? 2 : 5);
        for (int i = 0; i < 300; ++i) {
            const double x = i % 17;
            if (i == 10)
                store.add_entity(insert_record(shown, 1, x, 0));
            else if (i > 150 && i % 20 == 0)
                store.add_entity(insert_record(shown, later_block, x, 0));
            else
                store.add_entity(
                    line_record(i == 290 ? hidden : shown, x, 5, x + 1, i == 290 ? 1e4 : 6));
        }
        ASSERT_EQ(store.finish(), 0);
        const std::string path = folder.file(kDataFileName);
        for (const std::int32_t records : {300, 200}) {
            StoreReader readers[4];
            StoreReader* pointers[4];
            for (int k = 0; k < 4; ++k) {
                ASSERT_EQ(readers[k].open(path), 0);
                pointers[k] = &readers[k];
            }
            if (records < 300) {
                const auto end = static_cast<std::uintmax_t>(readers[0].header().add_ent) +
                                 static_cast<std::uintmax_t>(records) * sizeof(EntityRecord);
                std::filesystem::resize_file(path, end);
            }
            const DrawingExtents one = EntityBoxes(readers[0], BoxUse::ViewFit).drawing().extents();
            for (std::size_t parts = 1; parts <= 4; ++parts) {
                std::optional<BoundingBox> fit;
                ASSERT_TRUE(EntityIndex::build_in_parts(std::span(pointers, parts), nullptr, &fit));
                ASSERT_TRUE(fit);
                const DrawingExtents joined = fit->extents();
                EXPECT_TRUE(joined.min_x == one.min_x && joined.min_y == one.min_y &&
                            joined.max_x == one.max_x && joined.max_y == one.max_y)
                    << static_cast<int>(blocks) << ": " << records << " records, " << parts
                    << " parts";
            }
        }
    }
}

// The index's box of an arc taken from its fit box is the box the index
// works out itself, for arcs of every shape; where it cannot be (an arc left
// out of the fit, numbers beyond what stays finite) none is given.
TEST(EntityIndex, ArcBoxFromItsFitIsTheIndexBox) {
    const TempFolder folder;
    RecordingMessages messages;
    StoreBuilder store(folder.path(), messages);
    const std::int16_t shown = store.add_layer("A");
    const std::int16_t hidden = store.add_layer("H", 1 << kLayerHiddenBit);
    ASSERT_EQ(store.finish(), 0);
    StoreReader reader;
    ASSERT_EQ(reader.open(folder.file(kDataFileName)), 0);
    EntityBoxes reach_boxes(reader, BoxUse::Reach), fit_boxes(reader, BoxUse::ViewFit);
    std::mt19937 random(104u);
    std::uniform_real_distribution<double> place(-1e4, 1e4), angle(-400.0, 400.0);
    for (int round = 0; round < 400; ++round) {
        EntityRecord arc =
            circle_record(shown, place(random), place(random), std::abs(place(random)) / 10.0,
                          angle(random), round % 4 == 0 ? 0.0 : angle(random));
        if (round % 7 == 0) {
            arc.arc.axis_ratio = 0.4;
            arc.arc.tilt = angle(random);
        }
        const bool left_out = round % 50 == 1 || round % 50 == 2;
        const bool beyond = round % 50 == 3 || round % 50 == 4;
        if (round % 50 == 1) arc.layer = hidden;
        if (round % 50 == 2) arc.flags |= kEntityConstructionLine;
        if (round % 50 == 3) {  // a circle whose point at a quarter turn is the largest number
            arc = circle_record(shown, std::numeric_limits<double>::max(), 0.0, 1e300);
        }
        if (round % 50 == 4) arc.arc.radius = std::nan("");
        const BoundingBox reach = reach_boxes.box_of(arc);
        const std::optional<BoundingBox> taken =
            EntityBoxes::arc_reach_of_fit(fit_boxes.box_of(arc), arc);
        ASSERT_EQ(taken.has_value(), !left_out && !beyond) << round;
        if (!taken) continue;
        const DrawingExtents a = taken->extents(), b = reach.extents();
        EXPECT_TRUE(a.min_x == b.min_x && a.min_y == b.min_y && a.max_x == b.max_x &&
                    a.max_y == b.max_y)
            << round;
    }
}

}  // namespace
}  // namespace zov
