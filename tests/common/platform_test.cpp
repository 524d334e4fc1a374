#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/clock.h"
#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "common/paths.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

TEST(Paths, SplitAndJoin) {
    PathParts p = split_path("/home/u/plan.v2.JWC");
    EXPECT_EQ(p.folder, "/home/u/");
    EXPECT_EQ(p.name, "plan.v2");
    EXPECT_EQ(p.extension, ".JWC");
    EXPECT_EQ(join_path(p), "/home/u/plan.v2.JWC");

    PathParts bare = split_path("README");
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.name, "README");
    EXPECT_EQ(bare.extension, "");

    PathParts hidden = split_path("/a/.profile");
    EXPECT_EQ(hidden.name, ".profile");
    EXPECT_EQ(hidden.extension, "");

    EXPECT_EQ(join_folder("/tmp", "x.dat"), "/tmp/x.dat");
    EXPECT_EQ(join_folder("/tmp/", "x.dat"), "/tmp/x.dat");
    EXPECT_EQ(replace_extension("/a/b.dwg", ".DXF"), "/a/b.DXF");
}

TEST(Paths, ExtensionsCompareInAnyCase) {
    EXPECT_TRUE(has_extension("a.jwc", ".JWC"));
    EXPECT_TRUE(has_extension("a.Jwc", ".jwc"));
    EXPECT_FALSE(has_extension("a.jwk", ".jwc"));
    EXPECT_FALSE(has_extension("jwc", ".jwc"));
}

TEST(Files, WildcardMatch) {
    EXPECT_TRUE(wildcard_match("*.JWK", "door.jwk"));
    EXPECT_TRUE(wildcard_match("*.JWK", "A.Jwk"));
    EXPECT_FALSE(wildcard_match("*.JWK", "door.jwk.bak"));
    EXPECT_TRUE(wildcard_match("a?c*", "abcdef"));
    EXPECT_TRUE(wildcard_match("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(wildcard_match("a", ""));
    EXPECT_TRUE(wildcard_match("*", ""));
}

class FilesInFolder : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (folder_ / name).string(); }
    TempFolder scratch_;
    std::filesystem::path folder_ = scratch_.folder();
};

TEST_F(FilesInFolder, SizeTimeSearchAndDelete) {
    { std::ofstream(path("b.JWK")) << "12345"; }
    { std::ofstream(path("a.jwk")) << "1"; }
    { std::ofstream(path("c.txt")) << "1"; }
    std::filesystem::create_directory(folder_ / "d.jwk");  // folders are not found

    EXPECT_EQ(file_size(path("b.JWK")), 5);
    EXPECT_GT(file_write_time(path("b.JWK")), 0);
    EXPECT_EQ(file_size(path("missing")), 0);
    EXPECT_EQ(file_write_time(path("missing")), 0);
    EXPECT_EQ(file_size(folder_.string()), 0);

    auto found = find_files(folder_.string(), "*.JWK");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "a.jwk");
    EXPECT_EQ(found[1].name, "b.JWK");
    EXPECT_EQ(found[1].size, 5);
    EXPECT_TRUE(find_files(path("nowhere"), "*").empty());

    EXPECT_TRUE(delete_file(path("c.txt")));
    EXPECT_FALSE(file_exists(path("c.txt")));
    EXPECT_FALSE(delete_file(path("c.txt")));
}

TEST_F(FilesInFolder, CurrentFolderEndsInSlash) {
    std::string before = current_folder();
    ASSERT_TRUE(change_folder(folder_.string()));
    EXPECT_EQ(current_folder(), std::filesystem::canonical(folder_).string() + "/");
    EXPECT_TRUE(change_folder(before));
    EXPECT_FALSE(change_folder(path("nowhere")));
}

TEST(Messages, InformationBoxRule) {
    RecordingMessages messages;
    show_information(messages, "%s", "");
    show_information(messages, "%s", std::string(1001, 'x').c_str());
    show_information(messages, "%s", std::string(1000, 'x').c_str());
    show_error(messages, "%s をオープンできない*9", "/p/$VV_LIN$.TMP");
    ASSERT_EQ(messages.entries.size(), 4u);
    EXPECT_EQ(messages.entries[0].text, "Eroor in MessageBox");
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messages.entries[1].text, "Eroor in MessageBox");
    EXPECT_EQ(messages.entries[2].icon, MessageIcon::Information);
    EXPECT_EQ(messages.entries[2].text.size(), 1000u);
    EXPECT_EQ(messages.entries[3].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.last(), "/p/$VV_LIN$.TMP をオープンできない*9");
}

TEST(Messages, RecordedQuestionsTakeQueuedAnswers) {
    RecordingMessages messages;
    messages.answers = {false};
    EXPECT_FALSE(messages.ask("q1"));
    EXPECT_TRUE(messages.ask("q2"));  // default
    EXPECT_TRUE(messages.entries[1].question);
}

TEST(Clock, FormatsLocalTime) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    std::time_t t = 315626635;  // 1980-01-02 02:03:55 UTC
    EXPECT_EQ(standard_time_text(t), "Wed Jan 02 02:03:55 1980\n");
    EXPECT_EQ(standard_time_text(t).size(), 25u);
    EXPECT_EQ(format_local_time(utf8_to_cp932("%Y年%m月%d日").c_str(), t),
              utf8_to_cp932("1980年01月02日"));
    FixedClock clock(t);
    EXPECT_EQ(clock.now(), t);
}

}  // namespace
}  // namespace zov
