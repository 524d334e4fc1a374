#include "analyser/output_name.h"

#include <gtest/gtest.h>

#include "analyser_test_support.h"

namespace zov {
namespace {

TEST(OutputName, ExamplesOfTheThreeRules) {
    TempFolder folder;
    const std::string source = folder.path() + "ZovEditDxf.dxf";
    EXPECT_EQ(make_output_dxf_name(0, source), folder.path() + "_ZovEditDxf.DXF");
    EXPECT_EQ(make_output_dxf_name(1, source), folder.path() + "ZovEditDxf$1.DXF");
    EXPECT_EQ(make_output_dxf_name(2, source), folder.path() + "ZovEdi$1.DXF");
    EXPECT_EQ(make_output_dxf_name(2, "AB.dxf"), "AB$$$$$1.DXF");
    EXPECT_EQ(make_output_dxf_name(7, "AB.dxf"), "AB$$$$$1.DXF");
    // A name that already begins with "_" names the source itself.
    EXPECT_EQ(make_output_dxf_name(0, folder.path() + "_X.dxf"), folder.path() + "_X.DXF");
}

TEST(OutputName, SerialSearch) {
    TempFolder folder;
    for (char serial : std::string("123456789"))
        write_file(folder.path() + "X$" + serial + ".DXF", "");
    EXPECT_EQ(make_output_dxf_name(1, folder.path() + "X.dxf"), folder.path() + "X$A.DXF");
    for (char serial = 'A'; serial <= 'Z'; ++serial)
        write_file(folder.path() + "X$" + serial + ".DXF", "");
    EXPECT_EQ(make_output_dxf_name(1, folder.path() + "X.dxf"), folder.path() + "X$Z.DXF");
    write_file(folder.path() + "X$$$$$$1.DXF", "");
    EXPECT_EQ(make_output_dxf_name(2, folder.path() + "X.dxf"), folder.path() + "X$$$$$$2.DXF");
}

TEST(OutputName, ShortNamesNeverSplitADoubleByteCharacter) {
    EXPECT_EQ(make_output_dxf_name(2, sj("ABCDE亜.dxf")), "ABCDE_$1.DXF");
    EXPECT_EQ(make_output_dxf_name(2, sj("AB亜亜XYZ.dxf")), sj("AB亜亜$1.DXF"));
    EXPECT_EQ(make_output_dxf_name(2, sj("A亜亜亜.dxf")), sj("A亜亜_$1.DXF"));
}

}  // namespace
}  // namespace zov
