#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>

#include "common/cp932.h"
#include "store/source_line_types.h"
#include "store_folder.h"

namespace zov {
namespace {

using SourceLineTypes = StoreFolder;

std::string image(const SourceLineTypeRecord& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

SourceLineTypeRecord dashed() {
    SourceLineTypeRecord record;
    copy_bounded(record.name, "DASHED");
    record.elements = 2;
    record.total_length = 0.75;
    record.lengths[0] = 0.5;
    record.lengths[1] = -0.25;
    return record;
}

TEST_F(SourceLineTypes, WrittenWholeReadBackAndForgottenByTheNextImport) {
    const std::string folder = path("");
    ASSERT_TRUE(write_source_line_types(folder, {dashed(), dashed()}));
    const auto read = read_source_line_types(folder);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(image(read[1]), image(dashed()));
    ASSERT_EQ(open_jw_section_files(state()), 0);
    EXPECT_TRUE(read_source_line_types(folder).empty());
}

// Whatever the file holds, names end inside their fields, counts and lengths
// stay in range, a cut-off record is left out and at most 255 are read.
TEST_F(SourceLineTypes, AFileOfGarbageIsReadSafely) {
    SourceLineTypeRecord garbage;
    std::fill(std::begin(garbage.name), std::end(garbage.name), 'x');
    std::fill(std::begin(garbage.description), std::end(garbage.description), 'x');
    garbage.elements = 1 << 30;
    garbage.total_length = std::numeric_limits<double>::infinity();
    garbage.lengths[3] = std::numeric_limits<double>::quiet_NaN();
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += image(garbage);
    write_bytes(kSourceLineTypeFileName, bytes + image(dashed()).substr(0, 40));
    const auto read = read_source_line_types(path(""));
    ASSERT_EQ(read.size(), 255u);
    EXPECT_EQ(fixed_text(read[0].name).size(), sizeof garbage.name - 1);
    EXPECT_EQ(fixed_text(read[0].description).size(), sizeof garbage.description - 1);
    EXPECT_EQ(read[0].elements, 0);
    EXPECT_EQ(read[0].total_length, 0.0);
    EXPECT_EQ(read[0].lengths[3], 0.0);
}

}  // namespace
}  // namespace zov
