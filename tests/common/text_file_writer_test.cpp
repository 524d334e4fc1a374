#include <gtest/gtest.h>

#include <string>

#include "common/text_file_writer.h"
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
    TextFileWriter out;
    ASSERT_TRUE(out.open("/dev/full"));
    out.put("%s\n", "lost");
    EXPECT_FALSE(out.close());
}

}  // namespace
}  // namespace zov
