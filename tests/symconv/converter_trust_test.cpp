// Where ZR_JWK writes: never through a link planted at its scratch names,
// never outside the library folder whatever ZU_NAME.DAT says, and nothing
// left behind by a run.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "common/encoding.h"
#include "converter_test_support.h"
#include "symconv/converter.h"

namespace zov {
namespace {

using testing::read_bytes;
using testing::write_bytes;

fixtures::JwSymbolSpec small_symbol() {
    fixtures::JwSymbolSpec content;
    fixtures::JwLine line;
    line.end_x = 10;
    line.end_y = 5;
    content.elements.lines.push_back(line);
    return content;
}

using ConverterTrust = testing::ConverterTest;

TEST_F(ConverterTrust, ScratchFilesNeverFollowPlantedLinksAndGoAfterTheRun) {
    add_symbol("A.JWK", small_symbol());
    const std::string victim = library + "victim.txt";
    write_bytes(victim, "precious");
    std::filesystem::create_symlink(victim, launch + "JWK_LIST.TMP");
    std::filesystem::create_symlink(victim, launch + "JWK_BRO.TMP");
    ASSERT_EQ(run({library, "-s"}), kExitNormal);
    EXPECT_EQ(read_bytes(victim), "precious");
    // The links stay as they were; the run's own scratch folder is gone.
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(launch)) {
        ++entries;
        EXPECT_EQ(entry.path().filename().string().rfind("ZR_JWK-", 0), std::string::npos);
    }
    EXPECT_EQ(entries, 4u);  // lib/, ZR_JWK.CFG and the two links
}

TEST_F(ConverterTrust, TheLibraryNameIsANameNeverAPath) {
    add_symbol("A.JWK", small_symbol());
    write_bytes(library + "ZU_NAME.DAT", "../../X");
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_FALSE(std::filesystem::exists(launch + "X.DXF"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(launch).parent_path().parent_path() /
                                         "X.DXF"));
    EXPECT_FALSE(dxf("X").empty());

    write_bytes(library + "ZU_NAME.DAT", "..");
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_FALSE(dxf("ZR_JWK").empty());
}

TEST_F(ConverterTrust, ElementsWithNumbersThatAreNotFiniteAreLeftOutAndCounted) {
    fixtures::JwSymbolSpec content = small_symbol();
    fixtures::JwLine bad;
    bad.start_x = std::numeric_limits<float>::quiet_NaN();
    bad.end_x = 1;
    content.elements.lines.push_back(bad);
    fixtures::JwPoint far;
    far.x = std::numeric_limits<float>::infinity();
    content.elements.points.push_back(far);
    add_symbol("A.JWK", content);
    ASSERT_EQ(run({library}), kExitNormal);
    const std::string out = dxf();
    for (const char* word : {"nan", "NAN", "inf", "INF"})
        EXPECT_EQ(out.find(word), std::string::npos) << word;
    EXPECT_NE(out.find("\r\nLINE\r\n"), std::string::npos);  // the good line stays
    EXPECT_NE(cp932_to_utf8(console()).find("A.JWKの数値でない座標の要素2個は変換しません。"),
              std::string::npos);
}

TEST_F(ConverterTrust, ASymbolFileNamedInShiftJisIsConvertedWithTheOthers) {
    add_symbol("A.JWK", small_symbol());
    add_symbol(utf8_to_cp932("階段.JWK"), small_symbol());
    ASSERT_EQ(run({library}), kExitNormal);
    const std::string out = dxf();
    EXPECT_NE(out.find(utf8_to_cp932("\r\n2\r\n階段\r\n")), std::string::npos);  // its block
    EXPECT_EQ(out.find("?"), std::string::npos);
}

}  // namespace
}  // namespace zov
