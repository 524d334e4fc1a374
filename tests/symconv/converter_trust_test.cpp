// Where ZR_JWK writes: never through a link planted at its scratch names,
// never outside the library folder whatever ZU_NAME.DAT says, and nothing
// left behind by a run.
#include <gtest/gtest.h>

#include <filesystem>

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
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(launch).parent_path().parent_path() / "X.DXF"));
    EXPECT_FALSE(dxf("X").empty());

    write_bytes(library + "ZU_NAME.DAT", "..");
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_FALSE(dxf("ZR_JWK").empty());
}

}  // namespace
}  // namespace zov
