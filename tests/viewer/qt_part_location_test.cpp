#include "viewer/qt_part_location.h"

#include <gtest/gtest.h>

namespace {

TEST(QtPartLocation, OnlyAbsolutePlacesBelowTheProgramsFolder) {
    const struct {
        const char* folder;
        std::vector<std::string> expected;
    } cases[] = {
        {"/opt/zov/bin/",
         {"/opt/zov/bin/zovview-qt.so", "/opt/zov/bin/../lib/zovview/zovview-qt.so"}},
        // Unknown or relative folders would make dlopen search the current
        // folder or the library path: nothing is tried.
        {"", {}},
        {"bin/", {}},
        {"./", {}},
        {"/opt/zov/bin", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zov::qt_part_candidates(c.folder), c.expected) << c.folder;
}

}  // namespace
