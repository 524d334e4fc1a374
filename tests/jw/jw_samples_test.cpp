// The bundled samples are what the generator writes, and they import cleanly.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "fixtures/jw_samples.h"
#include "jw_import_fixture.h"

namespace zov {
namespace {

using namespace fixtures;

std::string repository_file(const std::string& relative) {
    std::ifstream in(std::string(ZOV_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(JwSamples, CommittedFilesMatchTheGenerator) {
    EXPECT_EQ(repository_file(kSampleFloorPlan), build_jw_data_file(sample_floor_plan()))
        << "rebuild with: build/tests/fixtures/jw_samples .";
    EXPECT_EQ(repository_file(kSampleDoorSymbol), build_jw_symbol_file(sample_door_symbol()));
    for (const SampleSymbol& symbol : sample_symbol_library()) {
        EXPECT_EQ(repository_file(kSampleLibraryFolder + symbol.file_name),
                  build_jw_symbol_file(symbol.content))
            << symbol.file_name;
    }
}

TEST_F(JwImportTest, TheSampleFloorPlanImportsCleanly) {
    ASSERT_EQ(import(repository_file(kSampleFloorPlan)), 0) << message(0);
    EXPECT_TRUE(messages_.entries.empty());
    expect_consistent_store();
    EXPECT_DOUBLE_EQ(header.scale, 50);
    ASSERT_EQ(layers.size(), 8u);
    EXPECT_EQ(cp932_to_utf8(layers[0].name), "１階平面図-壁");
    EXPECT_EQ(cp932_to_utf8(layers[6].name), "１階平面図-補助線");
    EXPECT_EQ(layers[6].flags, 1 << kLayerHiddenBit);
    EXPECT_EQ(cp932_to_utf8(layers[7].name), "図枠-枠");
    EXPECT_EQ(layers[7].flags, 1 << kLayerLockedBit);
    EXPECT_GT(header.str_num, 10);
    // The building's corner lies at (70, 80) paper mm, 50 times that in the drawing.
    EXPECT_DOUBLE_EQ(entities[0].x1, 3500);
    EXPECT_DOUBLE_EQ(entities[0].y1, 4000);
    for (const EntityRecord& e : entities) {
        EXPECT_GE(e.x1, 0);
        EXPECT_LE(e.x1, header.max_x);
    }
}

}  // namespace
}  // namespace zov
