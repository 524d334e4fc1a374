#include <regex>

#include "dxf_export/dxf_export.h"
#include "fixtures/dxf_bombs.h"
#include "fixtures/dxf_text.h"
#include "fixtures/jw_writer.h"
#include "shell_fixture.h"
#include "store/records.h"
#include "viewer/load_drawing.h"
#include "viewer/settings_file.h"

namespace zov {
namespace {

// Counts of `what` in `text`.
std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The last handle (group 5) before the OBJECTS section.
unsigned long last_handle(const std::string& dxf) {
    const std::string body = dxf.substr(0, dxf.find("OBJECTS"));
    unsigned long last = 0;
    const std::regex handle("\r\n5\r\n([0-9a-f]+)\r\n");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), handle);
         it != std::sregex_iterator(); ++it)
        last = std::stoul((*it)[1].str(), nullptr, 16);
    return last;
}

class ExportPipeline : public ShellTest {
protected:
    void SetUp() override { ASSERT_EQ(load_settings(shell), 0); }
    std::string export_store(DxfContent content = DxfContent::Curves) {
        EXPECT_TRUE(export_dxf(handles, home.path(), kDataFileName, messages, content));
        return read_file_bytes(home.file(kDxfOutputFileName));
    }
    DxfHandles handles;
};

TEST_F(ExportPipeline, JwCadAndDxfDrawingsLoadedAndExportedInOneRun) {
    fixtures::JwDataSpec content;
    content.layer_names[0] = "WALL";
    content.elements.lines.push_back({0, 0, 100, 50, 1, 2, 0});
    fixtures::JwCircle circle;
    circle.radius = 10;
    circle.pen = 1;
    content.elements.circles.push_back(circle);
    circle.radius = 20;
    circle.start = fixtures::jw_angle(30);
    circle.end = fixtures::jw_angle(120);
    circle.pen = 3;
    content.elements.circles.push_back(circle);
    content.elements.points.push_back({5, 5, 0, 1});
    ASSERT_TRUE(
        fixtures::write_jw_file(files.file("plan.jwc"), fixtures::build_jw_data_file(content)));

    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("plan.jwc")), 0);
    const std::string jw = export_store();
    EXPECT_EQ(count(jw, "\r\nLINE\r\n"), 1u);
    EXPECT_EQ(count(jw, "\r\nCIRCLE\r\n"), 1u);
    EXPECT_EQ(count(jw, "\r\nARC\r\n"), 1u);
    EXPECT_EQ(count(jw, "POINT"), 0u);
    // JW_CAD pens 2, 1 and 3 are DXF colours 7, 4 and 3.
    EXPECT_NE(jw.find("62\r\n  7\r\n100\r\nAcDbLine"), std::string::npos);
    EXPECT_NE(jw.find("62\r\n  4\r\n100\r\nAcDbCircle"), std::string::npos);
    EXPECT_NE(jw.find("62\r\n  3\r\n100\r\nAcDbCircle"), std::string::npos);
    EXPECT_NE(jw.find("50\r\n30.000000\r\n51\r\n120.000000\r\n"), std::string::npos);

    // The next drawing's export goes on with the handles.
    write_file_bytes(files.file("wall.dxf"),
                     "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nLAYER\r\n2\r\nWALL\r\n62\r\n-5\r\n"
                     "0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\nWALL\r\n"
                     "62\r\n256\r\n10\r\n0\r\n20\r\n0\r\n11\r\n10\r\n21\r\n5\r\n0\r\nENDSEC\r\n"
                     "0\r\nEOF\r\n");
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("wall.dxf")), 0);
    const std::string dxf = export_store();
    EXPECT_NE(dxf.find("0\r\nTABLE\r\n2\r\nLAYER\r\n5\r\n" +
                       format_text("%lx", last_handle(jw) + 1) + "\r\n"),
              std::string::npos);
    // The layer is off (colour -5): the layer carries the sign, its entity
    // keeps its colour (readers drop entities of a negative colour).
    EXPECT_NE(dxf.find("2\r\nWALL\r\n70\r\n64\r\n62\r\n-5\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("8\r\nWALL\r\n6\r\nCONTINUOUS\r\n70\r\n64\r\n62\r\n256\r\n"),
              std::string::npos);
    EXPECT_EQ(messages.last(), "DXF Write");
}

TEST_F(ExportPipeline, AbsurdNumbersOfTheSourceAreWrittenFinite) {
    ASSERT_TRUE(absurd_numbers().write(files.file("absurd.dxf")));
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("absurd.dxf")), 0);
    for (const DxfContent content : {DxfContent::Curves, DxfContent::Full}) {
        const std::vector<DxfGroup> groups = read_dxf_groups(export_store(content));
        ASSERT_GT(groups.size(), 100u);
        for (const DxfGroup& group : non_finite_reals(groups))
            ADD_FAILURE() << "group " << group.code << ": " << group.value;
    }
}

}  // namespace
}  // namespace zov
