// Whole DXF files of one small library, compared byte for byte with the
// expected files in tests/symconv/data/, in the normal and thumbnail layouts;
// and the sheet of the bundled sample symbols, whose ellipses and vertical
// texts keep every digit.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/encoding.h"
#include "converter_test_support.h"

namespace zov {
namespace {

using fixtures::JwCircle;
using fixtures::JwLine;
using fixtures::JwPoint;
using fixtures::JwSymbolSpec;
using fixtures::JwText;
using testing::read_bytes;

// A door leaf with its swing and label, and a north mark with a point and a
// vertical text, both at 1/50.
void write_small_library(const std::string& folder) {
    JwSymbolSpec door;
    door.scale = 50;
    door.elements.lines.push_back(JwLine{0, 0, 0, 800, 1, 2, 0});
    door.elements.circles.push_back(
        JwCircle{0, 0, 800, 10000, 0, fixtures::jw_angle(90), 0, 3, 1, 0});
    door.elements.texts.push_back(JwText{100, 100, 300, 100, 3, 0, 0, "D1"});
    JwSymbolSpec mark;
    mark.scale = 50;
    mark.elements.circles.push_back(JwCircle{0, 0, 100, 10000, 0, 0, 0, 1, 5, 0});
    mark.elements.points.push_back(JwPoint{0, 0, 0, 1});
    mark.elements.texts.push_back(JwText{-20, 150, 20, 150, 5, 0, 32, utf8_to_cp932("北")});
    ASSERT_TRUE(fixtures::write_jw_file(folder + "DOOR.JWK", fixtures::build_jw_symbol_file(door)));
    ASSERT_TRUE(fixtures::write_jw_file(folder + "MARK.JWK", fixtures::build_jw_symbol_file(mark)));
}

class WholeFile : public testing::ConverterTest {
protected:
    // Runs with the launch folder as the current folder and the library
    // named relative to it, so that the folder written into the sheet is "lib/".
    std::string convert(std::vector<std::string> arguments) {
        write_small_library(library);
        std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(launch);
        int code = run(arguments);
        std::filesystem::current_path(previous);
        EXPECT_EQ(code, kExitNormal);
        return dxf();
    }

    static std::string expected(const std::string& name) {
        return read_bytes(std::string(ZOV_SOURCE_DIR) + "/tests/symconv/data/" + name);
    }
};

TEST_F(WholeFile, NormalLayout) { EXPECT_EQ(convert({"lib/"}), expected("library_normal.DXF")); }

TEST_F(WholeFile, ThumbnailLayout) {
    EXPECT_EQ(convert({"lib/", "-s"}), expected("library_thumbnail.DXF"));
}

TEST_F(WholeFile, BundledSamples) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(ZOV_SOURCE_DIR) + "/samples/jwk"))
        std::filesystem::copy_file(entry.path(), library + entry.path().filename().string());
    EXPECT_EQ(run({library}), kExitNormal);
    EXPECT_EQ(dxf(), expected("samples_sheet.DXF"));
}

}  // namespace
}  // namespace zov
