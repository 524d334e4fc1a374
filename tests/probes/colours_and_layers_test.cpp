// Colours as every DXF program shows them: the index palette, ByLayer,
// ByBlock, frozen layers, and nothing drawn in the background black.
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "probe_drawing.h"

namespace zov {
namespace {

std::string pen_colour(int r, int g, int b) {
    return std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b);
}

// ezdxf's palette, with the grey row 249 to 254 as AutoCAD publishes it
// (ezdxf's own values for these six differ), and as the screen shows it.
std::vector<std::string> published_palette(const std::filesystem::path& ezdxf_palette) {
    const std::map<int, std::string> published = {{249, "38,19,23"},    {250, "51,51,51"},
                                                  {251, "80,80,80"},    {252, "105,105,105"},
                                                  {253, "130,130,130"}, {254, "190,190,190"}};
    std::vector<std::string> colours;
    std::ifstream in(ezdxf_palette);
    int index, r, g, b;
    while (in >> index >> r >> g >> b) {
        const auto found = published.find(index);
        colours.push_back(found != published.end() ? found->second : pen_colour(r, g, b));
    }
    return colours;
}

TEST_F(ProbeDrawing, EveryIndexColourIsItsPaletteColourAndNeverBlack) {
    ASSERT_EQ(load("colours.dxf"), 0);
    const std::vector<std::string> palette = published_palette(probes() / "palette.txt");
    ASSERT_EQ(palette.size(), 255u);

    // One line per index colour in index order: one pen each.
    Calls pens;
    for (const std::string& call : only(record(), "pen ")) pens.push_back(call.substr(12));
    ASSERT_EQ(pens.size(), palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) {
        EXPECT_EQ(pens[i], palette[i]) << "index " << i + 1;
        EXPECT_NE(pens[i], "0,0,0") << "index " << i + 1;
    }

    // The Qt picture shows every one of them.
    const QImage image = picture();
    std::set<std::string> shown;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            shown.insert(pen_colour(qRed(p), qGreen(p), qBlue(p)));
        }
    for (std::size_t i = 0; i < palette.size(); ++i)
        EXPECT_TRUE(shown.count(palette[i])) << "index " << i + 1 << " " << palette[i];
}

TEST_F(ProbeDrawing, ByLayerTakesTheLayersColourAndFrozenLayersDrawNothing) {
    ASSERT_EQ(load("layers.dxf"), 0);
    // Blue on layer 0, then the red dashed layer's ByLayer line ("ByLayer"
    // as line type in mixed case); the frozen layer's line is not drawn.
    const Calls calls = record();
    EXPECT_EQ(only(calls, "pen "), (Calls{"pen solid 1 0,0,255", "pen dot 1 255,0,0"}));
    EXPECT_EQ(only(calls, "move ").size(), 2u);

    const QImage image = picture();
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) green += image.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_EQ(green, 0);
}

TEST_F(ProbeDrawing, BlockPartsKeepTheirColoursAndByBlockTakesTheInserts) {
    ASSERT_EQ(load("blocks.dxf"), 0);
    const Calls calls = record();
    // The magenta insert's pen, the block's red and green, ByBlock magenta
    // (the insert's), the blue of its layer, then the grey diagonal.
    EXPECT_EQ(only(calls, "pen "),
              (Calls{"pen solid 1 255,0,255", "pen solid 1 255,0,0", "pen solid 1 0,255,0",
                     "pen solid 1 255,0,255", "pen solid 1 0,0,255", "pen solid 1 128,128,128"}));
    // The base point (10, 10) lands on the insertion point (100, 100): three
    // parts of the block start where the diagonal passes through (100, 100).
    const Calls moves = only(calls, "move ");
    const Calls lines = only(calls, "line ");
    ASSERT_EQ(moves.size(), 5u);
    EXPECT_EQ(moves[0], moves[1]);
    EXPECT_EQ(moves[0], moves[2]);
    auto pixel = [](const std::string& call) {
        const std::string at = call.substr(call.find(' ') + 1);
        return std::pair{std::stoi(at), std::stoi(at.substr(at.find(',') + 1))};
    };
    const auto [cx, cy] = pixel(moves[0]);
    const auto [x0, y0] = pixel(moves[4]);
    const auto [x1, y1] = pixel(lines[4]);
    EXPECT_NEAR(cx, (x0 + x1) / 2.0, 1.0);
    EXPECT_NEAR(cy, (y0 + y1) / 2.0, 1.0);
}

}  // namespace
}  // namespace zov
