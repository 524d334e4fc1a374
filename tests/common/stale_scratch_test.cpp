// Scratch folders left by runs killed outright go at the next run; nothing
// else does.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <string>

#include "common/scratch_lock.h"
#include "common/whole_file.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

namespace fs = std::filesystem;

// Makes the folder `path` and dates it `seconds` back.
void make_folder_aged(const std::string& path, int seconds) {
    fs::create_directory(path);
    const struct timespec times[2] = {{std::time(nullptr) - seconds, 0},
                                      {std::time(nullptr) - seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(StaleScratchFolders, OnlyFoldersOfEndedRunsGoAndNoLinkIsFollowed) {
    TempFolder place, outside;
    ASSERT_TRUE(write_file_bytes(outside.file("precious"), "keep"));
    ScratchFolder live;
    ASSERT_TRUE(live.create(place.path(), "ZovEdit"));

    // A run killed outright, with a link to the outside folder in its scratch.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ScratchFolder scratch;
        if (!scratch.create(place.path(), "ZovEdit")) ::_exit(1);
        fs::create_directory_symlink(outside.folder(), scratch.path() + "link");
        write_file_bytes(scratch.path() + "$V_KOU$.TMP", "index");
        write_file_bytes(place.file("killed"), scratch.path());
        for (;;) ::pause();
    }
    std::string killed;
    for (int i = 0; i < 500 && (killed = read_file_bytes(place.file("killed"))).empty(); ++i)
        ::usleep(10000);
    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    ASSERT_FALSE(killed.empty());
    EXPECT_TRUE(fs::exists(killed + "$V_KOU$.TMP"));  // left behind by the kill

    fs::create_directory_symlink(outside.folder(), place.file("ZovEdit-linked"));
    make_folder_aged(place.file("ZovEdit-young1"), 0);    // its lock file may be coming
    make_folder_aged(place.file("ZovEdit-old111"), 120);  // made by a run that died at once
    for (const char* other : {"ZR_JWK-abcdef", "ZovEdit-abc", "ZovEdit-abcdefg", "ZovEditabcdef"})
        make_folder_aged(place.file(other), 120);
    remove_stale_scratch_folders(place.path(), "ZovEdit");

    for (const std::string& gone : {killed, place.file("ZovEdit-old111")})
        EXPECT_FALSE(fs::exists(fs::symlink_status(gone))) << gone;
    for (const std::string& stays :
         {live.path(), place.file("ZovEdit-linked"), place.file("ZovEdit-young1"),
          place.file("ZR_JWK-abcdef"), place.file("ZovEdit-abc"), place.file("ZovEdit-abcdefg"),
          place.file("ZovEditabcdef"), outside.file("precious")})
        EXPECT_TRUE(fs::exists(fs::symlink_status(stays))) << stays;
}

}  // namespace
}  // namespace zov
