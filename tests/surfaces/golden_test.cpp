// Pictures of the Qt image surface compared with golden PNGs in
// tests/surfaces/golden/, with a tolerance for the font rasteriser's
// antialiasing. To regenerate the golden files after a deliberate change of
// the drawing, run the suite with ZOV_UPDATE_GOLDEN=1, look at the new
// pictures and commit them:
//   ZOV_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen build/tests/surfaces/test_surfaces
//   --gtest_filter='Golden*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QImage>

#include "common/cp932.h"
#include "common/encoding.h"
#include "gui_application.h"
#include "jw/jww_import.h"
#include "render/render_fixture.h"
#include "surfaces/qt_surface.h"

namespace zov {
namespace {

const std::string kGoldenFolder = std::string(ZOV_SOURCE_DIR) + "/tests/surfaces/golden/";
// A pixel differs when a channel is off by more than this; a picture may
// have this share of differing pixels (antialiased glyph edges).
constexpr int kChannelTolerance = 48;
constexpr double kPixelTolerance = 0.01;

// Compares `image` with the golden file `name`, or writes it when asked to.
void expect_golden(const QImage& image, const std::string& name) {
    const std::string path = kGoldenFolder + name + ".png";
    if (std::getenv("ZOV_UPDATE_GOLDEN") != nullptr) {
        ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
        GTEST_SKIP() << "wrote " << path;
    }
    QImage golden;
    ASSERT_TRUE(golden.load(QString::fromStdString(path)))
        << path << " is missing; run with ZOV_UPDATE_GOLDEN=1 to make it";
    golden = golden.convertToFormat(QImage::Format_RGB32);
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(golden.size(), actual.size());
    long differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y), g = golden.pixel(x, y);
            if (std::abs(qRed(a) - qRed(g)) > kChannelTolerance ||
                std::abs(qGreen(a) - qGreen(g)) > kChannelTolerance ||
                std::abs(qBlue(a) - qBlue(g)) > kChannelTolerance)
                ++differing;
        }
    }
    const double share = static_cast<double>(differing) / (actual.width() * actual.height());
    EXPECT_LE(share, kPixelTolerance) << differing << " pixels differ from " << path;
}

TEST(GoldenSurface, PolygonsAreFilledEvenBeyondThePainterRange) {
    ensure_gui_application();
    ImageSurface image(100, 100);
    Surface& s = image.surface();
    const PixelPoint triangle[] = {{10, 10}, {90, 10}, {10, 90}};
    s.fill_polygon(triangle, Rgb{255, 0, 0});
    // Corners far outside the painter's range: the part on the image is filled.
    const PixelPoint huge[] = {{60, 60}, {2'000'000'000, 60}, {60, 2'000'000'000}};
    s.fill_polygon(huge, Rgb{0, 0, 255});
    const PixelPoint too_few[] = {{0, 0}, {99, 99}};
    s.fill_polygon(too_few, Rgb{0, 255, 0});
    const QImage& picture = image.finish();
    EXPECT_EQ(picture.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(55, 55), qRgb(0, 0, 0));  // beyond the hypotenuse
    EXPECT_EQ(picture.pixel(95, 95), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(50, 50), qRgb(0, 0, 0));  // no line for two points
}

TEST(GoldenSurface, PensArcsAndTexts) {
    ensure_gui_application();
    ImageSurface image(240, 160);
    Surface& s = image.surface();
    const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot,
                               PenStyle::DashDotDot};
    for (int i = 0; i < 5; ++i) {
        s.select_pen(styles[i], 1, Rgb{255, static_cast<std::uint8_t>(50 * i), 0});
        s.move_to(10, 10 + 8 * i);
        s.line_to(110, 10 + 8 * i);
    }
    s.select_pen(PenStyle::Solid, 1, Rgb{0, 255, 255});
    s.arc(130, 10, 170, 50, 170, 30, 150, 10);   // quarter, right to top
    s.arc(180, 10, 220, 50, 200, 10, 200, 10);   // full circle
    s.arc(130, 60, 170, 100, 168, 86, 168, 74);  // through 0 degrees
    s.fill_rect(180, 60, 220, 100, Rgb{0, 0, 255});
    s.set_background_opaque(false);
    s.set_text_colour(Rgb{255, 255, 255});
    ASSERT_TRUE(s.select_font({kGothicFace, 16, 0, 400}));
    s.text_out(10, 60, utf8_to_cp932("Plan 平面"));
    ASSERT_TRUE(s.select_font({kGothicFace, 14, 450, 400}));
    s.text_out(10, 140, utf8_to_cp932("45°"));
    ASSERT_TRUE(s.select_font({kVerticalGothicFace, 14, 2700, 400}));
    s.text_out(120, 105, utf8_to_cp932("縦書A"));
    expect_golden(image.finish(), "surface");
}

TEST(GoldenSurface, XorDrawingTwiceRestoresThePicture) {
    ensure_gui_application();
    ImageSurface image(60, 40);
    Surface& s = image.surface();
    s.fill_rect(0, 0, 30, 40, Rgb{0, 128, 255});
    ImageSurface untouched(60, 40);
    untouched.surface().fill_rect(0, 0, 30, 40, Rgb{0, 128, 255});
    for (int pass = 0; pass < 2; ++pass) {
        s.set_xor_drawing(true);
        s.select_pen(PenStyle::Solid, 1, Rgb{255, 0, 0});
        s.move_to(5, 5);
        s.line_to(55, 35);
        s.set_xor_drawing(false);
    }
    EXPECT_EQ(image.finish(), untouched.finish());
}

// A small plan: walls, a door block with its swing, a dimension with arrow
// blocks, a Japanese room name, a solid, a leader and an entity on a hidden
// layer.
class GoldenPass : public RenderTest {
protected:
    void build_plan() {
        set_extents(0, 0, 4000, 3000);
        copy_bounded(store().header().fname, "/plans/PLAN.DXF");
        const std::int16_t door = store().add_block(
            "DOOR", {line_record(0, 0, 0, 0, 900), circle_record(0, 0, 0, 900, 0, 90)});
        const std::int16_t arrow = store().add_block(
            "_ARROW", {line_record(0, 0, 0, 100, 30), line_record(0, 0, 0, 100, -30)});
        EntityRecord d0, d1;
        d0.kind = d1.kind = kEntityPoint;
        d0.y1 = d1.y1 = 300;
        d1.x1 = 3600;
        const std::int16_t picture =
            store().add_block("*D1", {line_record(0, 0, 0, 3600, 0), insert_record(0, arrow, 0, 0),
                                      insert_record(0, arrow, 3600, 0, 1, 1, 180), d0, d1});
        const std::int16_t walls = store().add_layer("WALL");
        const std::int16_t doors = store().add_layer("DOOR");
        const std::int16_t dims = store().add_layer("DIM");
        const std::int16_t notes = store().add_layer("NOTE");
        const std::int16_t hidden = store().add_layer("HIDDEN", 1 << kLayerHiddenBit);

        const double corners[][2] = {{200, 300}, {3800, 300}, {3800, 2800}, {200, 2800}};
        for (int i = 0; i < 4; ++i) {
            EntityRecord wall = line_record(walls, corners[i][0], corners[i][1],
                                            corners[(i + 1) % 4][0], corners[(i + 1) % 4][1]);
            wall.colour = 7;
            wall.line_type = 1;
            store().add_entity(wall);
        }
        EntityRecord swing = insert_record(doors, door, 1200, 300);
        swing.colour = 3;
        store().add_entity(swing);
        EntityRecord column = circle_record(walls, 2000, 1550, 150);
        column.colour = 1;
        column.line_type = 5;
        store().add_entity(column);
        EntityRecord dimension;
        dimension.kind = kEntityDimension;
        dimension.layer = dims;
        dimension.block = picture;
        dimension.colour = 4;
        dimension.line_type = 1;
        dimension.x1 = 200;
        dimension.y1 = 50;
        store().add_entity(dimension);
        EntityRecord room = text_record(notes, 1600, 2000, 250);
        room.colour = 2;
        store().attach_text(room, utf8_to_cp932("玄関 Entrance"));
        store().add_entity(room);
        EntityRecord solid;
        solid.kind = kEntitySolid;
        solid.layer = walls;
        solid.colour = 6;
        solid.line_type = 1;
        solid.solid.first_x = 3500, solid.solid.first_y = 2500;
        solid.x1 = 3700, solid.y1 = 2500;
        solid.solid.third_x = 3500, solid.solid.third_y = 2700;
        solid.solid.fourth_x = 3700, solid.solid.fourth_y = 2700;
        store().add_entity(solid);
        EntityRecord leader = line_record(notes, 2500, 1000, 3200, 600);
        leader.kind = kEntityLeader;
        leader.colour = 2;
        leader.line_type = 4;
        store().add_entity(leader);
        store().add_entity(line_record(hidden, 200, 300, 3800, 2800));
        finish_store();
    }

    QImage render(DisplayStyle style, DimensionEnds ends = DimensionEnds::AsData) {
        ensure_gui_application();
        if (style == DisplayStyle::LayerSheet) {
            EXPECT_TRUE(view().show_layer_sheet());
        }
        ImageSurface image(400, 283);
        EXPECT_EQ(view().draw_drawing(image.surface()), 0);
        if (ends != DimensionEnds::AsData) {
            EXPECT_TRUE(view().set_dimension_ends(ends));
            EXPECT_EQ(view().draw_drawing(image.surface()), 0);
        }
        return image.finish();
    }
};

TEST_F(GoldenPass, StandardDisplay) {
    build_plan();
    expect_golden(render(DisplayStyle::Standard), "plan");
}

TEST_F(GoldenPass, FilledArrowDimensionEnds) {
    build_plan();
    expect_golden(render(DisplayStyle::Standard, DimensionEnds::FilledArrows), "plan_arrows");
}

TEST_F(GoldenPass, LayerSheet) {
    build_plan();
    expect_golden(render(DisplayStyle::LayerSheet), "layer_sheet");
}

// Real JW_CAD for Windows drawings as the viewer shows them after a load:
// upright, fitted to their paper, texts (vertical ones too), solids, arcs.
class GoldenJww : public RenderTest {
protected:
    QImage render_corpus(const std::string& name) {
        ensure_gui_application();
        const std::filesystem::path file =
            std::filesystem::path(ZOV_CORPUS_DIR).parent_path() / "jww" / (name + ".jww");
        if (!std::filesystem::exists(file)) return QImage();
        {
            ImportState state(folder_.string(), messages_);
            JwImportSettings settings;
            EXPECT_EQ(import_jww_file(file.string(), state, messages_, settings), 0);
        }
        ImageSurface image(800, 566);
        EXPECT_EQ(view().draw_drawing(image.surface()), 0);
        return image.finish();
    }
};

TEST_F(GoldenJww, ApartmentPlan) {
    const QImage picture = render_corpus("Ａマンション平面例");
    if (picture.isNull()) GTEST_SKIP() << "the JW_CAD corpus is missing";
    expect_golden(picture, "jww_apartment_plan");
}

TEST_F(GoldenJww, OfficePlan) {
    const QImage picture = render_corpus("サンプル");
    if (picture.isNull()) GTEST_SKIP() << "the JW_CAD corpus is missing";
    expect_golden(picture, "jww_office_plan");
}

}  // namespace
}  // namespace zov
