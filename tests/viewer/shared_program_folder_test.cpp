// The program folder as others may reach it: names that would shift the
// numbered lines of ZovView.CFG, lines that are not what their place says,
// relative folders, and a second viewer on the same folder, even one whose
// lock file was deleted.
#include <unistd.h>

#include <filesystem>

#include "common/encoding.h"
#include "common/files.h"
#include "common/scratch_lock.h"
#include "shell_fixture.h"
#include "store/records.h"
#include "viewer/command_line.h"
#include "viewer/history_file.h"
#include "viewer/load_drawing.h"
#include "viewer/open_commands.h"
#include "viewer/program_folder_claim.h"
#include "viewer/settings_file.h"

namespace zov {
namespace {

std::vector<std::string> cfg_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class SharedProgramFolder : public ShellTest {
protected:
    std::vector<std::string> settings_lines() const {
        return cfg_lines(read_file_bytes(home.file(kViewerSettingsFileName)));
    }
};

TEST_F(SharedProgramFolder, ANameWithALineBreakNeverReachesTheSettings) {
    ASSERT_EQ(load_settings(shell), 0);
    // The name's author wants line 8, the converter folder, to be "evil".
    const std::string evil = files.file("x\r\n/evil/\r\n/evil/\r\n/evil/\r\n/evil/\r\n");
    std::filesystem::create_directories(evil);
    write_small_dxf(files.file("ok\n.dxf"));
    load_drawing(shell, SettingsFile::Rewrite, files.file("ok\n.dxf"));
    write_small_dxf(evil + "plan.dxf");
    load_drawing(shell, SettingsFile::Rewrite, evil + "plan.dxf");

    const std::vector<std::string> lines = settings_lines();
    ASSERT_EQ(lines.size(), 8u);  // no entry, nothing shifted
    EXPECT_EQ(lines[0], "0");
    EXPECT_EQ(lines[5], files.path());  // the DXF folder kept what it was
    EXPECT_EQ(lines[7], home.path());
    EXPECT_EQ(shell.state.converter_folder, home.path());
}

TEST_F(SharedProgramFolder, SettingsLinesThatAreNotWhatTheirPlaceSaysArePassedOver) {
    const std::string converter = files.file("tools/");
    std::filesystem::create_directories(converter);
    auto load_with = [&](const std::string& text) {
        ASSERT_TRUE(write_file_bytes(home.file(kViewerSettingsFileName), text));
        ASSERT_EQ(load_settings(shell), 0);
    };
    load_with("1x\r\n0\r\nd\r\n/p/\r\nrelative/\r\n/d/\r\n/g\r\nh/\r\n");
    EXPECT_EQ(shell.state.history_count, 0);
    EXPECT_EQ(shell.state.jwc_folder, home.path());
    EXPECT_EQ(shell.state.dxf_folder, "/d/");
    EXPECT_EQ(shell.state.dwg_folder, home.path());
    EXPECT_EQ(shell.state.converter_folder, home.path());  // relative: never
    load_with("0\r\n0\r\nd\r\n/p/\r\n/j/\r\n/d/\r\n/g/\r\n/no/such/folder/\r\n");
    EXPECT_EQ(shell.state.converter_folder, home.path());
    load_with("0\r\n0\r\nd\r\n/p/\r\n/j/\r\n/d/\r\n/g/\r\n" + converter + "\r\n");
    EXPECT_EQ(shell.state.converter_folder, converter);
}

TEST_F(SharedProgramFolder, FoldersAreAbsoluteWhereverTheyCameFrom) {
    const std::string before = current_folder();
    ASSERT_TRUE(change_folder(files.path()));
    std::filesystem::create_directories("h/conv");
    write_file_bytes("h/conv/DCONVERT.EXE", "");
    write_small_dxf("a.dxf");
    ViewerShell relative("h", messages, clock, dialog);
    EXPECT_EQ(relative.program_folder, files.file("h/"));
    ASSERT_EQ(load_settings(relative), 0);
    EXPECT_EQ(parse_command_line(relative, {"a.dxf", "/D:h/conv"}), 2);
    EXPECT_EQ(relative.state.command_line_converter_folder, files.file("h/conv/"));
    const std::vector<std::string> lines =
        cfg_lines(read_file_bytes(files.file("h/") + kViewerSettingsFileName));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[7], files.file("h/"));
    ASSERT_TRUE(change_folder(before));
}

TEST_F(SharedProgramFolder, ASecondViewerKeepsItsOwnStoreAndSharesTheHistory) {
    ProgramFolderClaim first, second;
    ASSERT_TRUE(first.claim(home.path()));
    ASSERT_TRUE(second.claim(home.path()));
    EXPECT_EQ(first.store_folder(), home.path());
    EXPECT_FALSE(first.is_private());
    ASSERT_TRUE(second.is_private());
    EXPECT_EQ(second.store_folder().rfind(home.path(), 0), 0u);

    ViewerShell one(home.path(), messages, clock, dialog, first.store_folder());
    ViewerShell two(home.path(), messages, clock, dialog, second.store_folder());
    ASSERT_EQ(load_settings(one), 0);
    ASSERT_EQ(load_settings(two), 0);
    write_small_dxf(files.file("a.dxf"));
    write_small_dxf(files.file("b.dxf"));
    ASSERT_EQ(load_drawing(one, SettingsFile::Rewrite, files.file("a.dxf")), 0);
    ASSERT_EQ(load_drawing(two, SettingsFile::Rewrite, files.file("b.dxf")), 0);
    EXPECT_TRUE(file_exists(one.store_path(kDataFileName)));
    EXPECT_TRUE(file_exists(two.store_path(kDataFileName)));
    EXPECT_NE(one.store_path(kDataFileName), two.store_path(kDataFileName));

    // Both loads stand in the shared history, newest first.
    const std::vector<std::string> entries = history_dialog_entries(two);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_NE(entries[0].find("b.dxf"), std::string::npos);
    EXPECT_NE(entries[1].find("a.dxf"), std::string::npos);
}

TEST_F(SharedProgramFolder, ThePrivateStoreGoesWithItsViewerAndTheFolderIsFreeAgain) {
    std::string private_store;
    {
        ProgramFolderClaim first, second;
        ASSERT_TRUE(first.claim(home.path()));
        ASSERT_TRUE(second.claim(home.path()));
        private_store = second.store_folder();
        write_file_bytes(private_store + kDataFileName, "store");
    }
    EXPECT_FALSE(std::filesystem::exists(private_store));
    // One of a viewer killed outright (its lock file held by no one) goes
    // when the next viewer takes the folder.
    const std::string killed = home.file("instance-Abc123/");
    std::filesystem::create_directories(killed);
    write_file_bytes(killed + kScratchLockName, "");
    ProgramFolderClaim again;
    ASSERT_TRUE(again.claim(home.path()));
    EXPECT_FALSE(again.is_private());
    EXPECT_FALSE(std::filesystem::exists(killed));
}

// A lock file deleted under the first viewer: a second one makes the file
// anew and locks it, yet must still find the folder held.
TEST_F(SharedProgramFolder, ALockFileDeletedUnderTheFirstViewerStillKeepsTheFolder) {
    for (const char* deleted : kProgramFolderLockNames) {
        const std::string folder = files.file(std::string("folder") + deleted + "/");
        std::filesystem::create_directories(folder);
        {
            ProgramFolderClaim first, second;
            ASSERT_TRUE(first.claim(folder));
            ASSERT_FALSE(first.is_private());
            ASSERT_TRUE(std::filesystem::remove(folder + deleted));
            ASSERT_TRUE(second.claim(folder));
            EXPECT_TRUE(second.is_private()) << deleted;
        }
        ProgramFolderClaim again;  // the first has gone: the folder is free
        ASSERT_TRUE(again.claim(folder));
        EXPECT_FALSE(again.is_private()) << deleted;
    }
}

TEST_F(SharedProgramFolder, ANameInShiftJisStandsInTheHistoryAsItIs) {
    ASSERT_EQ(load_settings(shell), 0);
    const std::string name = files.file(utf8_to_cp932("階段.dxf"));
    write_small_dxf(name);
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, name), 0);
    EXPECT_EQ(shell.state.current_file_label, name);
    const std::vector<std::string> entries = history_dialog_entries(shell);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_NE(entries[0].find(utf8_to_cp932("階段.dxf")), std::string::npos);
}

}  // namespace
}  // namespace zov
