// Drawings written by ezdxf, a DXF library of others, with the kinds that real
// drawings hold beyond the basic entities: binary DXF, array inserts, faces,
// construction lines, multileaders, true colours, hatches and texts in other
// code pages. Each is checked on the store the import makes, and the binary
// save of each drawing must give the same store as its ASCII save.
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>

#include "common/cp932.h"
#include "common/encoding.h"
#include "fixtures/temp_folder.h"
#include "import_folder.h"

namespace zov {
namespace {

class EzdxfProbes : public ImportFolder {
protected:
    static void SetUpTestSuite() {
        written_ = std::make_unique<TempFolder>();
        probes_ = written_->folder();
        const std::string command = std::string(ZOV_PYTHON3) + " " + ZOV_SOURCE_DIR +
                                    "/tests/dxf_import/ezdxf_probes.py " + probes_.string();
        probes_made_ = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite() { written_.reset(); }

    void SetUp() override { ASSERT_TRUE(probes_made_) << "python3-ezdxf is missing"; }

    int import_probe(const std::string& name) {
        return import_file((probes_ / (name + ".dxf")).string());
    }

    // The store file after the header's source name, time and size.
    std::string store_bytes() {
        std::ifstream in(path(kDataFileName), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return bytes.size() > offsetof(StoreHeader, pe_flag)
                   ? bytes.substr(offsetof(StoreHeader, pe_flag))
                   : std::string();
    }

    std::vector<EntityRecord> of_kind(std::int32_t kind) {
        std::vector<EntityRecord> found;
        for (const EntityRecord& e : entities()) {
            if (e.kind == kind) found.push_back(e);
        }
        return found;
    }

    static std::unique_ptr<TempFolder> written_;
    static std::filesystem::path probes_;
    static bool probes_made_;
};

std::unique_ptr<TempFolder> EzdxfProbes::written_;
std::filesystem::path EzdxfProbes::probes_;
bool EzdxfProbes::probes_made_ = false;

const char* const kProbes[] = {"entities_R12",  "entities_R2000", "entities_R2018", "hatches_R2000",
                               "hatches_R2018", "texts_R2000",    "texts_R2018"};

TEST_F(EzdxfProbes, BinaryAndAsciiSavesGiveTheSameStore) {
    for (const char* probe : kProbes) {
        SCOPED_TRACE(probe);
        ASSERT_EQ(import_probe(probe), 0) << messages_.last();
        const std::string ascii = store_bytes();
        ASSERT_GT(header().ent_num, 0);
        ASSERT_EQ(import_probe(std::string(probe) + "_bin"), 0) << messages_.last();
        EXPECT_EQ(store_bytes(), ascii);
    }
}

TEST_F(EzdxfProbes, ArrayInsertsBecomeOneInsertPerCopy) {
    for (const char* probe : {"entities_R12", "entities_R2018"}) {
        SCOPED_TRACE(probe);
        ASSERT_EQ(import_probe(probe), 0);
        const auto inserts = of_kind(kEntityInsert);
        ASSERT_EQ(inserts.size(), 6u);  // 2 rows of 3 columns
        // Columns 5 apart and rows 10 apart along the insert's axes, turned 30 degrees.
        const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
        for (std::size_t i = 0; i < inserts.size(); ++i) {
            const double dx = static_cast<double>(i % 3) * 10, dy = static_cast<double>(i / 3) * 5;
            EXPECT_NEAR(inserts[i].x1, 10 + dx * c - dy * s, 1e-9) << i;
            EXPECT_NEAR(inserts[i].y1, 20 + dx * s + dy * c, 1e-9) << i;
            EXPECT_EQ(inserts[i].insert.rotation, 30);
            EXPECT_EQ(inserts[i].block, inserts[0].block);
        }
    }
}

TEST_F(EzdxfProbes, FacesAreTheirVisibleEdges) {
    ASSERT_EQ(import_probe("entities_R2000"), 0);
    std::vector<std::array<double, 4>> edges;
    for (const EntityRecord& e : of_kind(kEntityLine)) {
        if (e.y1 <= 3 && e.line.end_y <= 3 && e.x1 <= 14 && e.line.end_x <= 14 && e.colour != 3)
            edges.push_back({e.x1, e.y1, e.line.end_x, e.line.end_y});
    }
    // The quadrilateral without its second edge, the triangle with three.
    const std::vector<std::array<double, 4>> expected = {
        {0, 0, 4, 0}, {4, 3, 0, 3}, {0, 3, 0, 0}, {10, 0, 14, 0}, {14, 0, 12, 3}, {12, 3, 10, 0}};
    EXPECT_EQ(edges, expected);
}

TEST_F(EzdxfProbes, WidePolylinesAreTheBandsTheyCover) {
    for (const char* probe : {"entities_R12", "entities_R2018"}) {
        SCOPED_TRACE(probe);
        ASSERT_EQ(import_probe(probe), 0);
        std::map<int, std::vector<EntityRecord>> bands;
        for (const EntityRecord& e : of_kind(kEntitySolid)) bands[e.colour].push_back(e);
        // POLYLINE: a straight segment 2 wide, then an arc narrowing to nothing.
        const auto& polyline = bands[4];
        ASSERT_GT(polyline.size(), 2u);
        const EntityRecord& first = polyline[0];
        const std::array<double, 8> corners = {first.solid.first_x,
                                               first.solid.first_y,
                                               first.x1,
                                               first.y1,
                                               first.solid.third_x,
                                               first.solid.third_y,
                                               first.solid.fourth_x,
                                               first.solid.fourth_y};
        EXPECT_EQ(corners, (std::array<double, 8>{0, 61, 0, 59, 10, 61, 10, 59}));
        // The arc ends in a point at (10, 70).
        EXPECT_NEAR(polyline.back().solid.third_x, 10, 1e-9);
        EXPECT_NEAR(polyline.back().solid.third_y, 70, 1e-9);
        EXPECT_EQ(polyline.back().solid.third_x, polyline.back().solid.fourth_x);
        EXPECT_EQ(polyline.back().solid.third_y, polyline.back().solid.fourth_y);
        if (std::string(probe) == "entities_R12") continue;
        // LWPOLYLINE of constant width 1: two segments, two bands.
        const auto& light = bands[5];
        ASSERT_EQ(light.size(), 2u);
        EXPECT_EQ(light[1].solid.first_x, 29.5);  // up from (30, 60), its left side at x 29.5
        EXPECT_EQ(light[1].x1, 30.5);
        EXPECT_EQ(light[1].solid.fourth_y, 70);
    }
}

TEST_F(EzdxfProbes, ConstructionLinesReachAcrossTheDrawing) {
    ASSERT_EQ(import_probe("entities_R2000"), 0);
    // The drawing spans (0, 0) to (100, 50) (the header's extents are left
    // empty by ezdxf): the lines reach well beyond it on both sides.
    bool xline = false, ray = false;
    for (const EntityRecord& e : of_kind(kEntityLine)) {
        if (std::fabs(e.y1 - e.x1 + 25) < 1e-9 &&
            std::fabs(e.line.end_y - e.line.end_x + 25) < 1e-9) {
            // Both ways through (50, 25) along (1, 1).
            EXPECT_LT(std::min(e.x1, e.line.end_x), -50);
            EXPECT_GT(std::max(e.x1, e.line.end_x), 150);
            xline = true;
        }
        if (e.x1 == 50 && e.y1 == 25 && e.line.end_x == 50) {
            EXPECT_GT(e.line.end_y, 100);  // one way, up from its base point
            ray = true;
        }
    }
    EXPECT_TRUE(xline);
    EXPECT_TRUE(ray);
}

TEST_F(EzdxfProbes, MultileaderIsItsLeaderAndText) {
    ASSERT_EQ(import_probe("entities_R2018"), 0);
    const auto arrows = of_kind(kEntityLeader);
    ASSERT_EQ(arrows.size(), 1u);
    EXPECT_EQ(arrows[0].x1, 60);  // the arrow tip
    EXPECT_EQ(arrows[0].y1, 30);
    const auto texts = of_kind(kEntityText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(text_of(texts[0]), "NOTE");
    EXPECT_EQ(text_of(texts[1]), "TWO");
    EXPECT_EQ(texts[0].text.height, 2.0);
    EXPECT_NEAR(texts[0].y1 - texts[1].y1, 1.3 * 2.0, 1e-9);
}

TEST_F(EzdxfProbes, TrueColourIsTheNearestColourIndex) {
    ASSERT_EQ(import_probe("entities_R2018"), 0);
    bool found = false;
    for (const EntityRecord& e : of_kind(kEntityLine)) {
        if (e.x1 == 0 && e.y1 == 50) {
            EXPECT_EQ(e.colour, 1);  // (250, 2, 1) is nearly red
            found = true;
        }
    }
    EXPECT_TRUE(found);
    // A layer's true colour: (0, 128, 128) is nearest to index 134 (0, 127, 127).
    bool teal = false;
    for (std::int32_t n = 1; n <= header().lay_num; ++n) {
        if (fixed_text(layer(n).name) != "TEAL") continue;
        EXPECT_EQ(layer(n).colour, 134);
        teal = true;
    }
    EXPECT_TRUE(teal);
}

TEST_F(EzdxfProbes, TextsOfWesternCodePagesAndEscapesBecomeCp932) {
    for (const char* probe : {"texts_R2000", "texts_R2018"}) {
        SCOPED_TRACE(probe);
        ASSERT_EQ(import_probe(probe), 0);
        const auto texts = of_kind(kEntityText);
        ASSERT_EQ(texts.size(), 2u);
        // CP932 has the degree sign but no umlauts.
        EXPECT_EQ(text_of(texts[0]), utf8_to_cp932("45°") + " ???");
        // Japanese characters as CP932, a Cyrillic one as CP932 holds it too.
        EXPECT_EQ(text_of(texts[1]), utf8_to_cp932("日本 Ж"));
        // In names an "_" stands for what CP932 lacks, which keeps them valid
        // names; UTF-8 files keep the "?" they always had.
        const std::string name = std::string(probe) == "texts_R2000" ? "W_nde" : "W?nde";
        bool layer_found = false;
        for (std::int32_t n = 1; n <= header().lay_num; ++n)
            layer_found |= fixed_text(layer(n).name) == name;
        EXPECT_TRUE(layer_found) << name;
    }
}

TEST_F(EzdxfProbes, FilesWithoutCodePageAreWesternUnlessTheyReadAsShiftJis) {
    const struct {
        const char* probe;
        std::string text;
    } cases[] = {{"western_R12", "ABC??? caf?"},  // CP932 has no umlauts
                 {"katakana_R12", utf8_to_cp932("ABCﾄﾜﾖ")}};
    for (const auto& c : cases) {
        ASSERT_EQ(import_probe(c.probe), 0) << c.probe;
        const auto texts = of_kind(kEntityText);
        ASSERT_EQ(texts.size(), 1u) << c.probe;
        EXPECT_EQ(text_of(texts[0]), c.text) << c.probe;
    }
}

// Area of a filled triangle record (first, second and third corner).
double triangle_area(const EntityRecord& e) {
    return std::fabs((e.x1 - e.solid.first_x) * (e.solid.third_y - e.solid.first_y) -
                     (e.solid.third_x - e.solid.first_x) * (e.y1 - e.solid.first_y)) /
           2;
}

TEST_F(EzdxfProbes, SolidHatchesFillTheirBoundaryWithoutTheHoles) {
    ASSERT_EQ(import_probe("hatches_R2018"), 0);
    std::map<int, double> area;
    for (const EntityRecord& e : of_kind(kEntitySolid)) {
        EXPECT_EQ(e.solid.fourth_x, e.solid.third_x);  // triangles: the fourth corner is the third
        EXPECT_EQ(e.solid.fourth_y, e.solid.third_y);
        area[e.colour] += triangle_area(e);
    }
    // Arcs are followed in steps of 5 degrees, which loses a little area.
    EXPECT_NEAR(area[1], 100 - 16, 1e-9);                    // square with a square hole
    EXPECT_NEAR(area[2], M_PI * (25 - 4), 0.05 * 21);        // disc with a hole
    EXPECT_NEAR(area[3], M_PI * 5 * 2.5 / 2, 0.05 * 6.25);   // half ellipse
    EXPECT_NEAR(area[4], 100 + M_PI * 25 / 2, 0.05 * 12.5);  // square with a bulged side
    // A spline edge through (80, 0), (85, 8), (90, 0) closed by a line: a
    // smooth arch holding more than the triangle of those points, less than their box.
    EXPECT_GT(area[8], 40);
    EXPECT_LT(area[8], 80);
}

TEST_F(EzdxfProbes, PatternHatchesAreTheirPatternLinesInsideTheBoundary) {
    ASSERT_EQ(import_probe("hatches_R2018"), 0);
    std::ifstream expect(probes_ / "hatches.expect");
    std::map<int, double> expected;
    int colour = 0;
    double length = 0;
    while (expect >> colour >> length) expected[colour] = length;
    std::map<int, double> found;
    for (const EntityRecord& e : of_kind(kEntityLine)) {
        found[e.colour] += std::hypot(e.line.end_x - e.x1, e.line.end_y - e.y1);
        if (e.colour == 5) {
            // Inside the square, outside the circle of radius 4 in its middle.
            for (auto [x, y] : {std::pair{e.x1, e.y1}, std::pair{e.line.end_x, e.line.end_y}}) {
                EXPECT_GE(x, -1e-9);
                EXPECT_LE(x, 20 + 1e-9);
                EXPECT_GE(std::hypot(x - 10, y - 30), 4 * std::cos(M_PI / 72) - 1e-9);
            }
        }
    }
    // The same dashes as ezdxf's own hatching, within the arc steps.
    ASSERT_GT(expected[5], 0);
    ASSERT_GT(expected[6], 0);
    EXPECT_NEAR(found[5], expected[5], 0.01 * expected[5]);
    EXPECT_NEAR(found[6], expected[6], 0.01 * expected[6]);
}

}  // namespace
}  // namespace zov
