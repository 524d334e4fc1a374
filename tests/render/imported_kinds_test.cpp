// Kinds that the DXF import turns into the store's existing records (array
// inserts, faces, hatches) drawn on the recording surface.
#include <sstream>

#include "dxf_import/dxf_import.h"
#include "fixtures/dxf_fixture.h"

#include "render_fixture.h"

namespace zov {
namespace {

using Calls = std::vector<std::string>;

class ImportedKinds : public RenderTest {
protected:
    // Imports the drawing into the test's folder and draws it whole.
    Calls import_and_draw(DxfFixture& dxf) {
        dxf.write(path("IN.DXF"));
        ImportState state(folder_.string(), messages_);
        EXPECT_EQ(import_dxf_file(path("IN.DXF"), state), 0);
        return draw();
    }
};

DxfFixture drawing_with_extents() {
    DxfFixture dxf;
    dxf.section("HEADER")
        .header_point("$EXTMIN", 0, 0)
        .header_point("$EXTMAX", 100, 100)
        .end_section();
    return dxf;
}

TEST_F(ImportedKinds, ArrayInsertsDrawEveryCopy) {
    DxfFixture dxf = drawing_with_extents();
    dxf.section("BLOCKS")
        .block("BAR")
        .line("0", 0, 0, 10, 0)
        .end_block()
        .end_section()
        .section("ENTITIES")
        .insert("0", "BAR", 20, 20)
        .group(70, 2)
        .group(71, 2)
        .group(44, 30.0)
        .group(45, 40.0)
        .end_section()
        .end_of_file();
    EXPECT_EQ(import_and_draw(dxf),
              (Calls{"move 20,80", "line 30,80", "move 50,80", "line 60,80", "move 20,40",
                     "line 30,40", "move 50,40", "line 60,40"}));
}

TEST_F(ImportedKinds, FacesDrawTheirVisibleEdges) {
    DxfFixture dxf = drawing_with_extents();
    dxf.section("ENTITIES")
        .item("3DFACE")
        .group(10, 10.0)
        .group(20, 10.0)
        .group(11, 50.0)
        .group(21, 10.0)
        .group(12, 50.0)
        .group(22, 50.0)
        .group(13, 10.0)
        .group(23, 50.0)
        .group(70, 1 + 4)
        .end_section()
        .end_of_file();
    EXPECT_EQ(import_and_draw(dxf),
              (Calls{"move 50,90", "line 50,50", "move 10,50", "line 10,90"}));
}

TEST_F(ImportedKinds, SolidHatchesAreFilledInsideTheirBoundary) {
    DxfFixture dxf = drawing_with_extents();
    dxf.section("ENTITIES").item("HATCH").group(70, 1).group(91, 1).group(92, 2).group(93, 4);
    for (auto [x, y] : {std::pair{20.0, 20.0}, {80.0, 20.0}, {80.0, 80.0}, {20.0, 80.0}})
        dxf.group(10, x).group(20, y);
    dxf.end_section().end_of_file();
    const Calls calls = import_and_draw(dxf);
    // Two filled triangles and their edges, none outside the square.
    EXPECT_EQ(only(calls, "polygon").size(), 2u);
    for (const std::string& call : calls) {
        if (call.rfind("pen", 0) == 0) continue;
        std::istringstream words(call);
        std::string kind, point;
        words >> kind;
        while (words >> point) {
            int x = 0, y = 0;
            if (std::sscanf(point.c_str(), "%d,%d", &x, &y) != 2) continue;
            if (point.find(',', point.find(',') + 1) != std::string::npos) continue;  // colour
            EXPECT_GE(x, 20) << call;
            EXPECT_LE(x, 80) << call;
            EXPECT_GE(y, 20) << call;
            EXPECT_LE(y, 80) << call;
        }
    }
}

}  // namespace
}  // namespace zov
