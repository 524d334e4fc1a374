#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "common/text_file_writer.h"
#include "fixtures/full_disk.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

TEST(TextFileWriter, WritesCrLfLineEndsAndLongLines) {
    TempFolder folder;
    TextFileWriter out;
    ASSERT_TRUE(out.open(folder.file("a.txt")));
    out.put("%d\n%s\n", 7, "x");
    const std::string long_text(2000, 'y');
    out.put("%s\n", long_text.c_str());  // beyond the small format buffer
    out.put_text("a\rb\n");
    EXPECT_TRUE(out.close());
    EXPECT_EQ(read_file_bytes(folder.file("a.txt")), "7\r\nx\r\n" + long_text + "\r\na\rb\r\n");
    EXPECT_FALSE(out.open(folder.file("missing/a.txt")));
}

TEST(TextFileWriter, ReportsAFailedWrite) {
    TempFolder folder;
    ASSERT_TRUE(write_file_bytes(folder.file("a.txt"), "old\r\n"));
    TextFileWriter out;
    ASSERT_TRUE(out.open(folder.file("a.txt")));
    out.put("%s\n", std::string(200000, 'x').c_str());
    {
        FullDisk full(4096);
        EXPECT_FALSE(out.close());
    }
    // The old file stands, and nothing else is left in the folder.
    EXPECT_EQ(read_file_bytes(folder.file("a.txt")), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace zov
