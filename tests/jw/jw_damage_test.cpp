// Damaged JW_CAD files: counts that promise more than the file holds, absurd
// text areas, truncated and corrupted files. The import keeps what it could
// read, reports the damage, and leaves a consistent store.
#include <gtest/gtest.h>

#include <random>

#include "jw_import_fixture.h"

namespace zov {
namespace {

using fixtures::JwDataSpec;
using fixtures::JwSymbolSpec;

constexpr char kCutShort[] = " が途中で切れている(read)";

bool reported_cut_short(const RecordingMessages& messages) {
    for (const auto& entry : messages.entries)
        if (cp932_to_utf8(entry.text).find(kCutShort) != std::string::npos) return true;
    return false;
}

JwDataSpec small_plan() {
    JwDataSpec content;
    content.elements.lines = {
        {0, 0, 10, 0, 1, 1, 0x01}, {10, 0, 10, 8, 2, 2, 0x01}, {0, 0, 0, 8, 8, 3, 0x12}};
    content.elements.circles = {{5, 4, 1, 10000, 0, 0, 0, 1, 1, 0x01},
                                {5, 4, 2, 6000, 0, 90 * 65536, 0, 1, 1, 0x20}};
    content.elements.texts = {{1, 1, 4, 1, 3, 0x30, 0, utf8_to_cp932("居間")},
                              {1, 2, 1, 5, 2, 0x30, 32, "WC"}};
    content.elements.points = {{2, 2, 0x01, 1}};
    content.layer_names[0x01] = utf8_to_cp932("壁");
    content.group_names[1] = "PLAN";
    return content;
}

JwSymbolSpec small_symbol() {
    JwSymbolSpec content;
    content.elements.lines = {{0, 0, 10, 0}, {10, 0, 10, 10}};
    content.elements.circles = {{5, 5, 2, 5000, 0, 0, 0}};
    content.elements.points = {{1, 1}};
    content.elements.texts = {{0, 0, 5, 0, 1, 0, 0, "DOOR"}, {0, 0, 0, 5, 2, 0, 32, "D1"}};
    return content;
}

TEST_F(JwImportTest, CountsBeyondTheEndOfTheFileKeepWhatWasRead) {
    JwDataSpec content = small_plan();
    content.count_block = "2000000000,2000000000,7,9,0,0,0,0,0,100,0,3";
    ASSERT_EQ(import(build_jw_data_file(content)), -1);
    EXPECT_TRUE(reported_cut_short(messages_));
    expect_consistent_store();
    // Every record of the file reads as a line until the file ends; nothing more.
    std::int64_t line_bytes = static_cast<std::int64_t>(build_jw_data_file(content).size()) - 2389;
    EXPECT_EQ(header.ent_num, line_bytes / 22);

    JwSymbolSpec symbol = small_symbol();
    symbol.count_block = "2,1,1,2000000000,0,0,0,0,100";
    messages_.entries.clear();
    ASSERT_EQ(import(build_jw_symbol_file(symbol)), -1);
    EXPECT_TRUE(reported_cut_short(messages_));
    expect_consistent_store();
    EXPECT_EQ(of_kind(kEntityLine).size(), 2u);
    EXPECT_EQ(of_kind(kEntityArc).size(), 1u) << "the ellipse";
    EXPECT_EQ(of_kind(kEntityPoint).size(), 1u);
    // Two text records are whole; the text area cannot lie where 2000000000
    // records would end, so their strings are empty.
    ASSERT_EQ(of_kind(kEntityText).size(), 2u);
    EXPECT_EQ(texts.back(), "");
}

TEST_F(JwImportTest, AbsurdTextAreaLengthsLoseOnlyThePointsAndNames) {
    for (std::int64_t length : {std::int64_t{-100}, std::int64_t{1} << 20}) {
        JwDataSpec content = small_plan();
        content.announced_text_area_length = length;
        messages_.entries.clear();
        ASSERT_EQ(import(build_jw_data_file(content)), -1) << length;
        EXPECT_TRUE(reported_cut_short(messages_));
        expect_consistent_store();
        EXPECT_EQ(of_kind(kEntityText).size(), 2u);
        EXPECT_EQ(texts[of_kind(kEntityLine).size() + of_kind(kEntityArc).size()],
                  utf8_to_cp932("居間"))
            << "strings come from the text stream, not from the announced length";
        EXPECT_TRUE(of_kind(kEntityPoint).empty());
        for (const LayerRecord& layer : layers) EXPECT_EQ(layer.name[1], '-') << layer.name;
    }
}

TEST_F(JwImportTest, AFileWithoutItsNamesGetsDefaultNames) {
    std::string bytes = build_jw_data_file(small_plan());
    ASSERT_EQ(import(bytes.substr(0, bytes.size() - 2304)), -1);
    EXPECT_TRUE(reported_cut_short(messages_));
    EXPECT_EQ(header.ent_num, 3 + 2 + 2 + 1);
    ASSERT_FALSE(layers.empty());
    EXPECT_STREQ(layers[0].name, "0-1");
}

TEST_F(JwImportTest, MalformedHeaderValuesStayHarmless) {
    JwDataSpec content = small_plan();
    // Paper width 0, a scale beyond any drawing, a negative paper code.
    content.count_block = "3,2,2,1,0,0,0,0,0,1e300,0,-7,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
    content.real_variant = true;
    for (double& scale : content.group_scales) scale = -1e30;
    ASSERT_EQ(import(build_jw_data_file(content)), 0) << message(0);
    expect_consistent_store();
    for (const EntityRecord& e : entities) {
        for (const double* value : all_reals(e)) EXPECT_TRUE(std::isfinite(*value));
    }
}

// Imports anything and checks that the store stays consistent whatever happened.
class JwFuzzTest : public JwImportTest {
public:
    void import_anything(const std::string& bytes) {
        messages_.entries.clear();
        import(bytes);
        expect_consistent_store();
        ASSERT_LE(messages_.entries.size(), 2u);
    }
};

TEST_F(JwFuzzTest, EveryPrefixOfASymbolFile) {
    std::string bytes = build_jw_symbol_file(small_symbol());
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        SCOPED_TRACE(n);
        import_anything(bytes.substr(0, n));
        if (HasFatalFailure()) return;
    }
}

TEST_F(JwFuzzTest, EveryPrefixOfADataFile) {
    std::string bytes = build_jw_data_file(small_plan());
    // Every prefix that ends inside the element data; the header, the tables
    // and the names are each read whole or not at all, so a sample of them.
    const std::size_t elements_end = bytes.size() - 2304;
    for (std::size_t n = 0; n <= bytes.size(); n += n >= 2389 && n < elements_end ? 1 : 29) {
        SCOPED_TRACE(n);
        import_anything(bytes.substr(0, n));
        if (HasFatalFailure()) return;
    }
}

TEST_F(JwFuzzTest, RandomByteFlips) {
    std::mt19937 random(20240607);
    const std::string files[] = {build_jw_symbol_file(small_symbol()),
                                 build_jw_data_file(small_plan())};
    for (const std::string& original : files) {
        // Flips land in the headers and element data, where they matter.
        std::uniform_int_distribution<std::size_t> where(0, original.size() - 1);
        std::uniform_int_distribution<int> value(0, 255), count(1, 8);
        for (int round = 0; round < 100; ++round) {
            std::string bytes = original;
            for (int i = count(random); i > 0; --i)
                bytes[where(random)] = static_cast<char>(value(random));
            SCOPED_TRACE(round);
            import_anything(bytes);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace zov
