#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/encoding.h"
#include "store_folder.h"

namespace zov {
namespace {

TEST(BlockNames, SpecialNames) {
    for (const char* name : {"", "*D1", "*", "*U12", "DOT", "DOTT", "ORIGIN", "OPEN", "_OPEN",
                             "_DOT", "_DOTT", "_ORIGIN", "xOPEN"})
        EXPECT_TRUE(is_special_block_name(name)) << name;
    // Comparisons are exact and case-sensitive: only the whole rest counts, and
    // a double-byte character in front is two bytes.
    for (const std::string& name :
         std::vector<std::string>{"DOOR", "_open", "open", "Dot", "__OPEN", "OPENING", "_DOTSMALL",
                                  "A*", "O", "_", utf8_to_cp932("ＡOPEN")})
        EXPECT_FALSE(is_special_block_name(name)) << name;
}

class Numbering : public StoreFolder {};

TEST_F(Numbering, OrdinaryBlocksAndUsedLayersAreNumberedInFileOrder) {
    ASSERT_EQ(open_section_files(state()), 0);
    const std::vector<std::string> blocks = {"*D1", "DOOR", "_OPEN", "WINDOW", "", "DOTT", "TABLE"};
    for (const std::string& name : blocks) {
        BlockRecord b;
        copy_bounded(b.name, name);
        b.used_number = 77;  // left alone for special blocks
        append_block(state(), b);
    }
    const std::vector<std::int32_t> uses = {0, 3, 1, 0, 0, 2};
    for (std::int32_t use : uses) {
        LayerRecord l;
        l.use_count = use;
        append_layer(state(), l);
    }
    state().header.bro_num2 = 1;  // the numbers are added to what the header holds
    number_used_layers_and_blocks(state());
    EXPECT_EQ(state().header.bro_num2, 1 + 3);
    EXPECT_EQ(state().header.lay_num2, 3);

    const std::vector<std::int32_t> block_index = {-1, 0, -1, 1, -1, -1, 2};
    const std::vector<std::int32_t> block_number = {77, 1, 77, 2, 77, 77, 3};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        BlockRecord b;
        ASSERT_EQ(read_section_record(state().blocks, static_cast<long>(i), b), 0);
        EXPECT_EQ(b.used_index, block_index[i]) << blocks[i];
        EXPECT_EQ(b.used_number, block_number[i]) << blocks[i];
        EXPECT_EQ(fixed_text(b.name), blocks[i]);
    }
    const std::vector<std::int32_t> layer_index = {-1, 0, 1, -1, -1, 2};
    const std::vector<std::int32_t> layer_number = {0, 1, 2, 0, 0, 3};
    for (std::size_t i = 0; i < uses.size(); ++i) {
        LayerRecord l;
        ASSERT_EQ(read_section_record(state().layers, static_cast<long>(i), l), 0);
        EXPECT_EQ(l.used_index, layer_index[i]) << i;
        EXPECT_EQ(l.used_number, layer_number[i]) << i;
    }
    // The records were rewritten in place: nothing was appended.
    EXPECT_EQ(section_record_count(state().blocks, sizeof(BlockRecord)), 7);
    EXPECT_EQ(section_record_count(state().layers, sizeof(LayerRecord)), 6);
}

TEST_F(Numbering, NothingToNumberWithoutSectionFiles) {
    number_used_layers_and_blocks(state());
    EXPECT_EQ(state().header.lay_num2, 0);
    EXPECT_EQ(state().header.bro_num2, 0);
}

}  // namespace
}  // namespace zov
