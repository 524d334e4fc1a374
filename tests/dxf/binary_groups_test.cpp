// Binary DXF groups read from a file that another process cuts short while
// it is read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "dxf/binary_groups.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

// A two-byte code and its text, as files from R13 on hold them.
void add_text_group(std::string& bytes, std::int16_t code, const std::string& text) {
    bytes.append(reinterpret_cast<const char*>(&code), sizeof code);
    bytes.append(text).push_back('\0');
}

TEST(DxfBinaryGroups, AFileCutShortWhileReadEndsWithoutAFault) {
    TempFolder folder;
    const std::string path = folder.file("cut.dxf");
    std::string bytes(kBinaryDxfSentinel);
    add_text_group(bytes, 0, "SECTION");
    constexpr int kGroups = 200000;  // about 5 MB, several read windows
    for (int i = 0; i < kGroups; ++i) add_text_group(bytes, 1, "a text of twenty bytes");
    std::ofstream(path, std::ios::binary) << bytes;

    DxfBinaryGroups groups;
    ASSERT_TRUE(groups.open(path));
    BinaryGroup group;
    ASSERT_TRUE(groups.next(group));
    EXPECT_EQ(group.text, "SECTION");
    ASSERT_EQ(::truncate(path.c_str(), 2'000'000), 0);
    int read = 0;
    while (groups.next(group)) {
        EXPECT_EQ(group.text, "a text of twenty bytes");
        ++read;
    }
    EXPECT_GT(read, 1'000'000 / 25);
    EXPECT_LT(read, kGroups);
}

}  // namespace
}  // namespace zov
