// Shapes, texts and fit as CAD users expect them, on probe drawings written
// by ezdxf and by the fixture writer.
#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <utility>

#include "fixtures/dxf_fixture.h"
#include "probe_drawing.h"
#include "surfaces/page_output.h"

namespace zov {
namespace {

// The box of the lit pixels of `image` within rows [top, bottom).
struct Lit {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
};
Lit lit_pixels(const QImage& image, int top = 0, int bottom = -1) {
    Lit lit;
    if (bottom < 0) bottom = image.height();
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == 0) continue;
            lit.left = std::min(lit.left, x), lit.right = std::max(lit.right, x);
            lit.top = std::min(lit.top, y), lit.bottom = std::max(lit.bottom, y);
        }
    return lit;
}

// The least distance from `p` to the chain of line records.
double distance_to_lines(const std::vector<EntityRecord>& lines, double px, double py) {
    double best = INFINITY;
    for (const EntityRecord& e : lines) {
        const double dx = e.line.end_x - e.x1, dy = e.line.end_y - e.y1,
                     length2 = dx * dx + dy * dy;
        const double t =
            length2 > 0 ? std::clamp(((px - e.x1) * dx + (py - e.y1) * dy) / length2, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(e.x1 + t * dx - px, e.y1 + t * dy - py));
    }
    return best;
}

TEST_F(ProbeDrawing, StaleHeaderExtentsGiveWayToWhatIsDrawn) {
    ASSERT_EQ(load("stale_extents.dxf"), 0);
    const Calls calls = record();
    EXPECT_EQ(only(calls, "text ").size(), 1u);  // NOTE, at the top, is drawn
    // The picture fills the image in one direction and is cut in neither.
    const Lit lit = lit_pixels(picture());
    const double width = lit.right - lit.left + 1, height = lit.bottom - lit.top + 1;
    EXPECT_TRUE(width > 0.9 * kWidth || height > 0.9 * kHeight) << width << " x " << height;
    EXPECT_GT(lit.left, 0);
    EXPECT_GT(lit.top, 0);
    EXPECT_LT(lit.right, kWidth - 1);
    EXPECT_LT(lit.bottom, kHeight - 1);
}

// Drawings whose header extents are stale or that hold endless lines: the
// box of what is drawn (XLINE and RAY left out) fills the picture in one
// direction, with a margin on every side.
TEST_F(ProbeDrawing, TheFitFramesWhatIsDrawnWithAMargin) {
    struct Probe {
        const char* name;
        double min_x, min_y, max_x, max_y;
    };
    for (const Probe& p : {Probe{"trusted_extents.dxf", 0, 0, 100, 60},
                           Probe{"construction_lines.dxf", 0, 0, 10, 10}}) {
        ASSERT_EQ(load(p.name), 0) << p.name;
        record();
        const ViewWindow& v = view().view;
        const int left = v.pixel_x(p.min_x), right = v.pixel_x(p.max_x);
        const int top = v.pixel_y(p.max_y), bottom = v.pixel_y(p.min_y);
        EXPECT_GT(std::max(double(right - left) / kWidth, double(bottom - top) / kHeight), 0.9)
            << p.name;
        EXPECT_GE(std::min({left, top, kWidth - 1 - right, kHeight - 1 - bottom}), 3) << p.name;
    }
}

// Half ellipses of every axis direction, circular ones too: each shows the
// half through its minor axis's end turned a quarter left of the major
// axis (ellipses.txt: centre and that end's offset), not the other half.
TEST_F(ProbeDrawing, EllipticArcsRunFromTheirMajorAxisCounterClockwise) {
    ASSERT_EQ(load("ellipses.dxf"), 0);
    const QImage image = picture();
    const ViewWindow& v = view().view;
    auto lit_near = [&](double x, double y) {
        const int px = v.pixel_x(x), py = v.pixel_y(y);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (image.valid(px + dx, py + dy) &&
                    (image.pixel(px + dx, py + dy) & 0xFFFFFF) != 0)
                    return true;
        return false;
    };
    std::ifstream table(probes() / "ellipses.txt");
    double cx, cy, mx, my;
    int count = 0;
    while (table >> cx >> cy >> mx >> my) {
        EXPECT_TRUE(lit_near(cx + mx, cy + my)) << "ellipse " << count;
        EXPECT_FALSE(lit_near(cx - mx, cy - my)) << "ellipse " << count;
        ++count;
    }
    EXPECT_EQ(count, 7);
}

TEST_F(ProbeDrawing, ClosedPolylinesOfBulgeOneAreCirclesAndPolyfacesTheirEdges) {
    ASSERT_EQ(load("bulges.dxf"), 0);
    const std::vector<EntityRecord> e = entities();
    ASSERT_EQ(e.size(), 2u + 2u + 4u);
    for (std::size_t i : {0u, 1u}) {  // two halves of the circle about (50, 50)
        EXPECT_EQ(e[i].kind, kEntityArc);
        EXPECT_NEAR(e[i].x1, 50, 1e-9);
        EXPECT_NEAR(e[i].y1, 50, 1e-9);
        EXPECT_NEAR(e[i].arc.radius, 10, 1e-9);
        EXPECT_NEAR(e[i].arc.end_angle - e[i].arc.start_angle, 180, 1e-9);
    }
    EXPECT_NEAR(std::fmod(e[1].arc.start_angle - e[0].arc.start_angle + 360, 360), 180, 1e-9);
    for (std::size_t i = 4; i < 8; ++i) {  // the face's square, no spike to the origin
        EXPECT_EQ(e[i].kind, kEntityLine);
        EXPECT_GE(std::min(e[i].x1, e[i].line.end_x), 100);
    }
    // Both halves share the circle's box on the surface.
    const Calls arcs = only(record(), "arc ");
    ASSERT_EQ(arcs.size(), 4u);
    EXPECT_EQ(arcs[0].substr(0, arcs[0].find(' ', 4)), arcs[1].substr(0, arcs[1].find(' ', 4)));
    const ViewWindow& v = view().view;
    EXPECT_EQ(arcs[0].substr(4, arcs[0].find(' ', 4) - 4),
              std::to_string(v.pixel_x(40)) + "," + std::to_string(v.pixel_y(60)) + "," +
                  std::to_string(v.pixel_x(60)) + "," + std::to_string(v.pixel_y(40)));
}

TEST_F(ProbeDrawing, TextsAreAlignedSizedByTheirCapitalsAndStretched) {
    ASSERT_EQ(load("texts.dxf"), 0);
    record();
    const ViewWindow& v = view().view;
    const QImage image = picture();
    // "HH", capitals 20 high and twice as wide as the face's own.
    const Lit hh = lit_pixels(image, v.pixel_y(50 + 21), v.pixel_y(50 - 1));
    EXPECT_NEAR(hh.bottom - hh.top + 1, v.pixels(20), 2);
    EXPECT_NEAR(hh.left, v.pixel_x(10), 12);  // the stretched side bearing
    EXPECT_GT(hh.right - hh.left + 1, 1.9 * v.pixels(20));
    // "MID" centred on (100, 20).
    const Lit mid = lit_pixels(image, v.pixel_y(20 + 11), v.pixel_y(20 - 1));
    EXPECT_NEAR((mid.left + mid.right) / 2.0, v.pixel_x(100), 3);
    EXPECT_NEAR(mid.bottom, v.pixel_y(20), 2);
    // "RIGHT" hangs from its top right corner at (190, 80).
    const Lit right = lit_pixels(image, v.pixel_y(80 + 1), v.pixel_y(80 - 11));
    EXPECT_NEAR(right.right, v.pixel_x(190), 3);
    EXPECT_NEAR(right.top, v.pixel_y(80), 2);
    // "FIT" fills the base line from (10, 5) to (70, 5).
    const Lit fit = lit_pixels(image, v.pixel_y(5 + 11), v.pixel_y(5 - 1));
    EXPECT_NEAR(fit.left, v.pixel_x(10), 8);
    EXPECT_NEAR(fit.right, v.pixel_x(70), 8);
}

TEST_F(ProbeDrawing, TextsAreAsLongAsInOtherCadPrograms) {
    ASSERT_EQ(load("text_lengths.dxf"), 0);
    record();
    const ViewWindow& v = view().view;
    const QImage image = picture();
    struct Row {
        double base_y, length;
    };
    for (const Row row : {Row{0, 100}, Row{30, 40}}) {
        const Lit lit = lit_pixels(image, v.pixel_y(row.base_y + 13), v.pixel_y(row.base_y - 1));
        const double length = (lit.right - lit.left + 1) / v.view_scale;
        EXPECT_NEAR(length, row.length, 0.1 * row.length) << "text on " << row.base_y;
    }
}

// Line weights of entities and layers are their millimetres on the device,
// at least one pixel: a picture or screen of 96 dots per inch, a page of 150.
TEST_F(ProbeDrawing, LineWeightsAreTheirWidthInMillimetres) {
    ASSERT_EQ(load("line_weights.dxf"), 0);
    struct Device {
        double dots_per_inch;
        int widths[5];  // default, 0.13 mm, 2.00 mm, 1.00 mm of the layer, 2.00 of the insert
    };
    for (const Device& device : {Device{96, {1, 1, 8, 4, 8}}, Device{150, {1, 1, 12, 6, 12}}}) {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        const int dots_per_metre = static_cast<int>(std::lround(device.dots_per_inch / 0.0254));
        image.setDotsPerMeterX(dots_per_metre);
        image.setDotsPerMeterY(dots_per_metre);
        view_.reset();
        ASSERT_EQ(draw_on_page(view(), image, Paper::Black), 0);
        const ViewWindow& v = view().view;
        for (int i = 0; i < 5; ++i) {
            const int centre = v.pixel_y(20.0 * i);
            int lit = 0;
            for (int y = centre - 20; y <= centre + 20; ++y)
                lit += image.valid(kWidth / 2, y) && (image.pixel(kWidth / 2, y) & 0xFFFFFF) != 0;
            EXPECT_EQ(lit, device.widths[i]) << "line " << i << " at " << device.dots_per_inch;
        }
    }
}

TEST_F(ProbeDrawing, EntitiesSeenFromBelowAreMirrored) {
    ASSERT_EQ(load("mirrored.dxf"), 0);
    const std::vector<EntityRecord> e = entities();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_NEAR(e[1].x1, -30, 1e-9);              // the arc's centre
    EXPECT_NEAR(e[1].arc.start_angle, 90, 1e-9);  // the quarter turned to the upper left
    EXPECT_NEAR(e[1].arc.end_angle, 180, 1e-9);
    EXPECT_NEAR(e[2].x1, -10, 1e-9);
    EXPECT_NEAR(e[2].line.end_x, -40, 1e-9);
    EXPECT_LT(e[3].x1, -50);  // the text, readable, ends at x = -50
    const Calls arcs = only(record(), "arc ");
    ASSERT_EQ(arcs.size(), 1u);
    const ViewWindow& v = view().view;
    EXPECT_EQ(arcs[0].substr(4, arcs[0].find(' ', 4) - 4),
              std::to_string(v.pixel_x(-40)) + "," + std::to_string(v.pixel_y(10)) + "," +
                  std::to_string(v.pixel_x(-20)) + "," + std::to_string(v.pixel_y(-10)));
}

TEST_F(ProbeDrawing, SplinesPassThroughTheirFitPoints) {
    ASSERT_EQ(load("splines.dxf"), 0);
    // The two chains, the second starting where the first does not go on.
    std::vector<EntityRecord> framed, fitted;
    for (const EntityRecord& e : entities()) {
        const bool goes_on = framed.empty() ||
                             (e.x1 == framed.back().line.end_x && e.y1 == framed.back().line.end_y);
        (fitted.empty() && goes_on ? framed : fitted).push_back(e);
    }
    EXPECT_GT(framed.size(), 30u);  // a curve, not its four-point control polygon
    EXPECT_GT(fitted.size(), 30u);
    const double fit[4][2] = {{0, 0}, {30, 40}, {60, 10}, {100, 50}};
    for (const auto& p : fit) {
        EXPECT_LT(distance_to_lines(framed, p[0], p[1]), 0.2) << p[0] << "," << p[1];
        EXPECT_LT(distance_to_lines(fitted, p[0], p[1] - 100), 1e-9) << p[0] << "," << p[1];
    }
    EXPECT_EQ(only(record(), "line ").size(), framed.size() + fitted.size());
}

TEST_F(ProbeDrawing, NewerMtextKeepsItsFrameAndShowsFractions) {
    // R2018 MTEXT: after "101 Embedded Object" the frame is repeated with
    // other numbers, which must not move, turn or grow the text.
    DxfFixture dxf;
    dxf.section("ENTITIES")
        .item("MTEXT")
        .group(8, "0")
        .group(100, "AcDbMText")
        .group(10, 10.0)
        .group(20, 20.0)
        .group(40, 2.5)
        .group(71, 7)
        .group(1, "Width \\S1^2;\\PNext")
        .group(11, 1.0)
        .group(21, 0.0)
        .group(101, "Embedded Object")
        .group(70, 1)
        .group(10, 0.0)
        .group(20, 1.0)
        .group(11, 500.0)
        .group(21, 600.0)
        .group(40, 900.0)
        .group(41, 30.0)
        .line("0", 0, 0, 40, 40)
        .end_section()
        .end_of_file();
    const std::string path = (folder_ / "MTEXT.DXF").string();
    ASSERT_TRUE(dxf.write(path));
    ASSERT_EQ(load_file(path), 0);
    const std::vector<EntityRecord> e = entities();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].x1, 10);
    EXPECT_EQ(e[0].y1, 20);
    EXPECT_EQ(e[0].text.height, 2.5);
    EXPECT_EQ(e[0].text.angle, 0);
    EXPECT_NEAR(e[1].y1, 20 - 1.3 * 2.5, 1e-9);
    const Calls texts = only(record(), "text ");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].substr(texts[0].find(' ', 5) + 1), "Width 1/2");
    const ViewWindow& v = view().view;
    EXPECT_EQ(
        texts[0].substr(5, texts[0].find(' ', 5) - 5),
        std::to_string(v.pixel_x(10)) + "," + std::to_string(v.pixel_y(20 + 2.5 / 0.75 * 0.88)));
}

// The first point of each text record, by its text.
std::map<std::string, std::pair<double, double>> text_places(StoreReader& store,
                                                             const std::vector<EntityRecord>& e) {
    std::map<std::string, std::pair<double, double>> places;
    std::string text;
    for (const EntityRecord& record : e)
        if (record.kind == kEntityText && store.read_text(record, text) == 0)
            places[text] = {record.x1, record.y1};
    return places;
}

TEST_F(ProbeDrawing, MtextColumnsStandSideBySideInEveryFileForm) {
    for (const char* name :
         {"mtext_columns_R2000.dxf", "mtext_columns_R2007.dxf", "mtext_columns_R2018.dxf"}) {
        ASSERT_EQ(load(name), 0) << name;
        const auto at = text_places(store_, entities());
        // Static columns: one per column break, 10 wide with a gutter of 2.
        const std::pair<std::string, double> columns[] = {
            {"AAAA", 0}, {"AAA2", 0}, {"BBBB", 12}, {"CCCC", 24}};
        for (const auto& [text, x] : columns) {
            ASSERT_TRUE(at.count(text)) << name << " " << text;
            EXPECT_NEAR(at.at(text).first, x, 1e-9) << name << " " << text;
        }
        EXPECT_NEAR(at.at("BBBB").second, at.at("AAAA").second, 1e-9) << name;
        // Dynamic columns: the first, 3 high, holds two lines of height 1.
        EXPECT_NEAR(at.at("YY").first, 0, 1e-9) << name;
        EXPECT_NEAR(at.at("ZZ").first, 12, 1e-9) << name;
        EXPECT_NEAR(at.at("ZZ").second, at.at("XX").second, 1e-9) << name;
        EXPECT_LT(at.at("WW").second, at.at("ZZ").second) << name;
    }
}

TEST_F(ProbeDrawing, InlineColoursUnderlinesAndBrokenCodesAreDrawn) {
    ASSERT_EQ(load("mtext_codes.dxf"), 0);
    const std::vector<EntityRecord> e = entities();
    const auto at = text_places(store_, e);
    // "A{\C1;RED}B": three pieces on one base line, the middle one red.
    ASSERT_TRUE(at.count("A") && at.count("RED") && at.count("B"));
    EXPECT_EQ(at.at("RED").second, at.at("A").second);
    EXPECT_GT(at.at("RED").first, at.at("A").first);
    EXPECT_GT(at.at("B").first, at.at("RED").first);
    // A code without its ";" stays text, and the line after it is kept.
    EXPECT_TRUE(at.count("\\H2xBROKEN"));
    EXPECT_TRUE(at.count("NEXT; END"));
    // Both underlines are lines 2 below the base lines of their texts.
    int underlines = 0;
    for (const EntityRecord& r : e) {
        if (r.kind != kEntityLine) continue;
        ++underlines;
        EXPECT_EQ(r.y1, r.line.end_y);
        EXPECT_TRUE(std::any_of(e.begin(), e.end(),
                                [&](const EntityRecord& t) {
                                    return t.kind == kEntityText && t.x1 == r.x1 &&
                                           std::abs(t.y1 - 2 - r.y1) < 1e-9;
                                }))
            << r.x1 << "," << r.y1;
    }
    EXPECT_EQ(underlines, 2);
    // Red pixels on the picture, where before the whole line was white.
    const QImage image = picture();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) red += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    EXPECT_GT(red, 20);
}

TEST_F(ProbeDrawing, TextBoxesAreHolesOfTheFillAndTextsAreDrawnOverFills) {
    ASSERT_EQ(load("hatch_text_boxes.dxf"), 0);
    // Each fill covers its square less its hole, and less the part of its
    // text box that lies on the fill; no triangle reaches into a text box.
    const struct {
        double left, area;
        double box[4];  // x0, y0, x1, y1
    } fills[] = {{0, 100 * 100 - 60 * 60, {40, 40, 60, 50}},
                 {200, 100 * 100 - 60 * 60 - 10 * 10, {210, 45, 250, 55}}};
    const std::vector<EntityRecord> e = entities();
    for (const auto& fill : fills) {
        double area = 0;
        for (const EntityRecord& t : e) {
            if (t.kind != kEntitySolid || t.x1 < fill.left || t.x1 > fill.left + 100) continue;
            const double ax = t.solid.first_x, ay = t.solid.first_y;
            area += std::abs((t.x1 - ax) * (t.solid.third_y - ay) -
                             (t.solid.third_x - ax) * (t.y1 - ay)) /
                    2;
            const double cx = (ax + t.x1 + t.solid.third_x) / 3,
                         cy = (ay + t.y1 + t.solid.third_y) / 3;
            EXPECT_FALSE(cx > fill.box[0] && cx < fill.box[2] && cy > fill.box[1] &&
                         cy < fill.box[3])
                << cx << "," << cy;
        }
        EXPECT_NEAR(area, fill.area, 1e-6) << fill.left;
    }
    // "ON", written before the fill it lies on, is drawn over it in green.
    record();
    const ViewWindow& v = view().view;
    const QImage image = picture();
    int green = 0;
    for (int y = v.pixel_y(13); y <= v.pixel_y(5); ++y)
        for (int x = v.pixel_x(2); x <= v.pixel_x(18); ++x)
            green += qGreen(image.pixel(x, y)) > 160 && qRed(image.pixel(x, y)) < 96;
    EXPECT_GT(green, 5);
}

TEST_F(ProbeDrawing, AttributeTagsAreDrawnInModelSpaceOnly) {
    ASSERT_EQ(load("attribute_definitions.dxf"), 0);
    const auto at = text_places(store_, entities());
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at.begin()->first, "TAG");
    EXPECT_EQ(only(record(), "text ").size(), 1u);
}

TEST_F(ProbeDrawing, AnEmptyModelSpaceShowsThePaperSpace) {
    ASSERT_EQ(load("paper_space_only.dxf"), 0);
    const std::vector<EntityRecord> e = entities();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].kind, kEntityInsert);
    EXPECT_EQ(only(record(), "line ").size(), 1u);
}

}  // namespace
}  // namespace zov
