// A JW_CAD drawing exported in full and read back by the viewer's own DXF
// import gives the same entities: the same kinds in the same order at the
// same coordinates, and the same text bytes; ellipses the same curve.
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

#include "common/encoding.h"
#include "dxf_export/dxf_export.h"
#include "fixtures/jw_samples.h"
#include "fixtures/jw_writer.h"
#include "jw/jw_format.h"
#include "shell_fixture.h"
#include "store/records.h"
#include "store/store_reader.h"
#include "viewer/load_drawing.h"
#include "viewer/settings_file.h"

namespace zov {
namespace {

struct StoredEntity {
    EntityRecord record;
    std::string text;
};

constexpr double kTolerance = 0.0015;  // coordinates are written with three decimals

// A point of an ellipse record at a parameter angle (degrees): the import may
// hold the same curve with other angles and tilt.
std::pair<double, double> ellipse_point(const EntityRecord& e, double parameter) {
    const double t = parameter * std::numbers::pi / 180, tilt = e.arc.tilt * std::numbers::pi / 180;
    const double u = e.arc.radius * std::cos(t), v = e.arc.radius * e.arc.axis_ratio * std::sin(t);
    return {e.x1 + u * std::cos(tilt) - v * std::sin(tilt),
            e.y1 + u * std::sin(tilt) + v * std::cos(tilt)};
}

class FullExportRoundTrip : public ShellTest {
protected:
    void SetUp() override { ASSERT_EQ(load_settings(shell), 0); }

    std::vector<StoredEntity> load_and_read(const std::string& path) {
        EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, path), 0);
        std::vector<StoredEntity> entities;
        StoreReader store;
        EXPECT_EQ(store.open(home.file(kDataFileName)), 0);
        for (std::int32_t i = 0; i < store.entity_count(); ++i) {
            StoredEntity e;
            store.read_entity(i, e.record);
            if (e.record.kind == kEntityText) store.read_text(e.record, e.text);
            entities.push_back(e);
        }
        return entities;
    }

    // Loads the JW_CAD file, exports it in full, loads the DXF, and compares.
    void expect_round_trip(const std::string& jw_path) {
        const std::vector<StoredEntity> before = load_and_read(jw_path);
        DxfHandles handles;
        ASSERT_TRUE(export_dxf(handles, home.path(), kDataFileName, messages, DxfContent::Full));
        const std::string dxf = files.file("round_trip.dxf");
        ASSERT_TRUE(write_file_bytes(dxf, read_file_bytes(home.file(kDxfOutputFileName))));
        const std::vector<StoredEntity> after = load_and_read(dxf);

        std::map<std::int32_t, int> kinds_before, kinds_after;
        for (const StoredEntity& e : before) ++kinds_before[e.record.kind];
        for (const StoredEntity& e : after) ++kinds_after[e.record.kind];
        EXPECT_EQ(kinds_before, kinds_after);
        ASSERT_EQ(before.size(), after.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            const EntityRecord& a = before[i].record;
            const EntityRecord& b = after[i].record;
            ASSERT_EQ(a.kind, b.kind) << i;
            EXPECT_NEAR(a.x1, b.x1, kTolerance) << i;
            EXPECT_NEAR(a.y1, b.y1, kTolerance) << i;
            if (a.kind == kEntityLine) {
                EXPECT_NEAR(a.line.end_x, b.line.end_x, kTolerance) << i;
                EXPECT_NEAR(a.line.end_y, b.line.end_y, kTolerance) << i;
            } else if (a.kind == kEntityArc && a.arc.axis_ratio != 1.0) {
                EXPECT_NEAR(a.arc.axis_ratio, b.arc.axis_ratio, 1e-6) << i;
                EXPECT_NEAR(std::remainder(b.arc.end_angle - b.arc.start_angle, 360.0),
                            std::remainder(a.arc.end_angle - a.arc.start_angle, 360.0), 1e-4)
                    << i;
                for (auto [pa, pb] : {std::pair{a.arc.start_angle, b.arc.start_angle},
                                      std::pair{a.arc.end_angle, b.arc.end_angle}}) {
                    EXPECT_NEAR(ellipse_point(a, pa).first, ellipse_point(b, pb).first, kTolerance)
                        << i;
                    EXPECT_NEAR(ellipse_point(a, pa).second, ellipse_point(b, pb).second,
                                kTolerance)
                        << i;
                }
            } else if (a.kind == kEntityArc) {
                EXPECT_NEAR(a.arc.radius, b.arc.radius, kTolerance) << i;
                EXPECT_NEAR(a.arc.start_angle, b.arc.start_angle, kTolerance) << i;
                EXPECT_NEAR(a.arc.end_angle, b.arc.end_angle, kTolerance) << i;
            } else if (a.kind == kEntityText) {
                EXPECT_EQ(before[i].text, after[i].text) << i;
                EXPECT_NEAR(a.text.height, b.text.height, kTolerance) << i;
                EXPECT_NEAR(std::remainder(a.text.angle - b.text.angle, 360.0), 0.0, 1e-6) << i;
                EXPECT_EQ(a.text_style % 10 != 0, b.text_style % 10 != 0) << i;
            }
        }
    }
};

TEST_F(FullExportRoundTrip, SampleFloorPlanAndDoorSymbol) {
    const std::string plan = files.file("floor_plan.jwc");
    ASSERT_TRUE(
        fixtures::write_jw_file(plan, fixtures::build_jw_data_file(fixtures::sample_floor_plan())));
    expect_round_trip(plan);
    const std::string door = files.file("door.jwc");
    ASSERT_TRUE(fixtures::write_jw_file(
        door, fixtures::build_jw_symbol_file(fixtures::sample_door_symbol())));
    expect_round_trip(door);
}

TEST_F(FullExportRoundTrip, VerticalAndTurnedTextsEllipsesAndPoints) {
    fixtures::JwDataSpec content;
    content.layer_names[0] = utf8_to_cp932("壁");
    content.layer_names[1] = utf8_to_cp932("室名");
    content.elements.lines.push_back({0, 0, 100.25f, 50.5f, 2, 1, 0});
    fixtures::JwCircle ellipse;
    ellipse.radius = 30;
    ellipse.flatness = 5000;
    ellipse.tilt = fixtures::jw_angle(20);
    content.elements.circles.push_back(ellipse);
    fixtures::JwCircle arc;
    arc.radius = 12;
    arc.start = fixtures::jw_angle(350);
    arc.end = fixtures::jw_angle(10);
    content.elements.circles.push_back(arc);
    content.elements.points.push_back({5, 7, 1, 3});
    // 会議室 upright, turned and vertical; a control-code text.
    content.elements.texts.push_back({10, 10, 40, 10, 3, 1, 0, utf8_to_cp932("会議室")});
    content.elements.texts.push_back({10, 10, 10, 40, 4, 1, 0, utf8_to_cp932("会議室")});
    content.elements.texts.push_back(
        {20, 20, 20, -10, 3, 1, kJwTextVertical, utf8_to_cp932("会議室")});
    content.elements.texts.push_back({0, 0, 10, 0, 2, 0, 0, "m^u2"});
    const std::string path = files.file("texts.jwc");
    ASSERT_TRUE(fixtures::write_jw_file(path, fixtures::build_jw_data_file(content)));
    expect_round_trip(path);
}

}  // namespace
}  // namespace zov
