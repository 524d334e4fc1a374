// Outputs written whole or not at all, scratch folders of a run's own, names
// read from files, and the rule about a run's own source and existing outputs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <iterator>
#include <string>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/output_target.h"
#include "common/termination_cleanup.h"
#include "common/whole_file.h"
#include "fixtures/full_disk.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

std::size_t entries_in(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

TEST(WholeFile, AppearsOnlyWhenCommittedAndLeavesNothingElse) {
    TempFolder folder;
    const std::string target = folder.file("out.dxf");
    ASSERT_TRUE(write_file_bytes(target, "old"));
    {
        WholeFileOutput out;
        ASSERT_TRUE(out.open(target));
        std::fputs("half", out.stream());
        EXPECT_EQ(read_file_bytes(target), "old");  // not yet
    }                                               // dropped without commit
    EXPECT_EQ(read_file_bytes(target), "old");
    EXPECT_EQ(entries_in(folder.path()), 1u);

    EXPECT_TRUE(write_whole_file(target, "new"));
    EXPECT_EQ(read_file_bytes(target), "new");
    EXPECT_FALSE(write_whole_file(target, "other", ExistingTarget::Keep));
    EXPECT_EQ(read_file_bytes(target), "new");
    EXPECT_TRUE(write_whole_file(folder.file("fresh.dxf"), "x", ExistingTarget::Keep));
    EXPECT_EQ(entries_in(folder.path()), 2u);

    // The longest name a folder takes is written too.
    EXPECT_TRUE(write_whole_file(folder.file(std::string(255, 'n')), "long"));

    // A folder or a pipe under the name fails at once, and stays.
    std::filesystem::create_directory(folder.file("dir"));
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    WholeFileOutput out;
    EXPECT_FALSE(out.open(folder.file("dir")));
    EXPECT_FALSE(out.open(folder.file("pipe")));
    EXPECT_TRUE(std::filesystem::is_fifo(folder.file("pipe")));
}

TEST(WholeFile, AFullDiskKeepsTheOldFile) {
    TempFolder folder;
    const std::string target = folder.file("picture.png");
    ASSERT_TRUE(write_file_bytes(target, "old picture"));
    {
        FullDisk full(4096);
        EXPECT_FALSE(write_whole_file(target, std::string(100000, 'p')));
    }
    EXPECT_EQ(read_file_bytes(target), "old picture");
    EXPECT_EQ(entries_in(folder.path()), 1u);
}

TEST(WholeFile, AReplacedFileKeepsItsPermissionsButNoSetIdBits) {
    TempFolder folder;
    const std::string target = folder.file("plan.dxf");
    const struct {
        mode_t before, after;
    } cases[] = {{0600, 0600}, {0640, 0640}, {0755, 0755}, {04755, 0755}};
    for (const auto& c : cases) {
        ASSERT_TRUE(write_file_bytes(target, "old"));
        ASSERT_EQ(::chmod(target.c_str(), c.before), 0);
        ASSERT_TRUE(write_whole_file(target, "new"));
        struct stat info {};
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after) << std::oct << c.before;
    }
}

TEST(WholeFile, APlantedLinkIsReplacedNeverFollowed) {
    TempFolder folder;
    const std::string victim = folder.file("victim.txt");
    ASSERT_TRUE(write_file_bytes(victim, "precious"));
    std::filesystem::create_symlink(victim, folder.file("ZR_JWK.CFG"));
    EXPECT_TRUE(write_whole_file(folder.file("ZR_JWK.CFG"), "settings"));
    EXPECT_EQ(read_file_bytes(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(folder.file("ZR_JWK.CFG")));
    EXPECT_EQ(read_file_bytes(folder.file("ZR_JWK.CFG")), "settings");
}

TEST(ScratchFolder, PrivateFreshAndGoneAfterwards) {
    TempFolder folder;
    std::string path;
    {
        ScratchFolder one, two;
        ASSERT_TRUE(one.create(folder.path(), "ZovEdit"));
        ASSERT_TRUE(two.create(folder.path(), "ZovEdit"));
        EXPECT_NE(one.path(), two.path());  // two runs in one folder never share
        struct stat info {};
        ASSERT_EQ(::stat(one.path().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        path = one.path();
        write_file_bytes(path + "$V_KOU$.TMP", "index");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(entries_in(folder.path()), 0u);
    ScratchFolder none;
    EXPECT_FALSE(none.create(folder.file("missing/"), "x"));
    EXPECT_EQ(none.path(), "");
}

TEST(WholeFile, TemporaryFilesOfEndedRunsGoWhenTheNextOutputBeside) {
    TempFolder folder;
    // No process has a number beyond the largest pid the kernel gives.
    const std::string ended = folder.file(".out.dxf.99999999.1f.0.part");
    const std::string running =
        folder.file(".out.dxf." + std::to_string(::getpid()) + ".1f.0.part");
    const std::string another = folder.file(".other.dxf.99999999.1f.0.part");
    for (const std::string& made : {ended, running, another})
        ASSERT_TRUE(write_file_bytes(made, "half"));
    EXPECT_TRUE(write_whole_file(folder.file("out.dxf"), "whole"));
    EXPECT_FALSE(std::filesystem::exists(ended));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(another));
}

// A run ended by a signal leaves neither its scratch folder nor the
// temporary file of an output it was writing.
TEST(TerminationCleanup, SignalsRemoveScratchFoldersAndUnfinishedOutputs) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempFolder folder;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            start_termination_cleanup();
            ScratchFolder scratch;
            WholeFileOutput out;
            if (!scratch.create(folder.path(), "ZovEdit") || !out.open(folder.file("x.dxf")))
                ::_exit(1);
            write_file_bytes(folder.file("ready"), "");
            for (;;) ::pause();
        }
        for (int i = 0; i < 500 && !std::filesystem::exists(folder.file("ready")); ++i)
            ::usleep(10000);
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(entries_in(folder.path()), 1u) << signal;  // "ready" alone
    }
}

TEST(NamesFromFiles, AreNamesNeverPaths) {
    EXPECT_EQ(name_without_folders("KITCHEN"), "KITCHEN");
    EXPECT_EQ(name_without_folders("../../X"), "X");
    EXPECT_EQ(name_without_folders("/etc/passwd"), "passwd");
    EXPECT_EQ(name_without_folders("C:\\DXF\\PLAN.DXF"), "PLAN.DXF");
    EXPECT_EQ(name_without_folders(".."), "");
    EXPECT_EQ(name_without_folders("a/"), "");
    const std::string hyou = "\x95\x5C";  // 表 as bytes: its second byte is no folder mark
    EXPECT_EQ(name_without_folders(hyou + ".DXF"), hyou + ".DXF");
    EXPECT_EQ(name_without_folders("..\\" + hyou), hyou);
}

TEST(OutputTarget, TheSourceIsNeverTheOutputAnExistingFileNeedsConsent) {
    TempFolder folder;
    const std::string source = folder.file("in.dxf");
    ASSERT_TRUE(write_file_bytes(source, "0\r\nEOF\r\n"));
    EXPECT_EQ(check_output_target(source, {source}), OutputTarget::IsSource);
    std::filesystem::create_directory(folder.file("sub"));
    EXPECT_EQ(check_output_target(folder.file("sub/../in.dxf"), {source}), OutputTarget::IsSource);
    std::filesystem::create_hard_link(source, folder.file("same.dxf"));
    EXPECT_EQ(check_output_target(folder.file("same.dxf"), {"", source}), OutputTarget::IsSource);
    EXPECT_EQ(check_output_target(folder.file("new.png"), {source}), OutputTarget::Free);
    ASSERT_TRUE(write_file_bytes(folder.file("old.png"), "x"));
    EXPECT_EQ(check_output_target(folder.file("old.png"), {source}), OutputTarget::Exists);
    std::filesystem::create_symlink(folder.file("nowhere"), folder.file("link.png"));
    EXPECT_EQ(check_output_target(folder.file("link.png"), {source}), OutputTarget::Exists);
}

TEST(FileNameBytes, ConvertWithoutLossEitherWay) {
    // 階段 in UTF-8 and as CP932 bytes, as a name written on Windows has it.
    const std::string utf8 = "階段.JWK";
    const std::string cp932 = utf8_to_cp932("階段.JWK");
    EXPECT_EQ(file_name_to_cp932(utf8), cp932);
    EXPECT_EQ(file_name_to_cp932(cp932), cp932);            // not UTF-8: the bytes as they are
    EXPECT_EQ(file_name_to_cp932("\xFF\xFE"), "\xFF\xFE");  // never "?" nor U+FFFD

    TempFolder folder;
    // No file yet: the UTF-8 form (how new files are named).
    EXPECT_EQ(cp932_to_file_name(folder.path() + cp932), folder.path() + utf8);
    // A file named with the CP932 bytes themselves: that one.
    ASSERT_TRUE(write_file_bytes(folder.path() + cp932, "x"));
    EXPECT_EQ(cp932_to_file_name(folder.path() + cp932), folder.path() + cp932);
    ASSERT_TRUE(write_file_bytes(folder.path() + utf8, "y"));
    EXPECT_EQ(cp932_to_file_name(folder.path() + cp932), folder.path() + utf8);
    EXPECT_EQ(cp932_to_file_name("\x81"), "\x81");  // half a character: the byte as it is
}

}  // namespace
}  // namespace zov
