#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/full_export.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

// One item of a DXF file (an entity, a table record, a block): its type and
// its groups in order.
struct Item {
    std::string type;
    std::vector<std::pair<int, std::string>> groups;

    // The value of the n-th group `code` ("" when missing).
    std::string value(int code, int n = 0) const {
        for (const auto& [c, v] : groups)
            if (c == code && n-- == 0) return v;
        return "";
    }
    double number(int code, int n = 0) const { return std::stod(value(code, n)); }
    std::vector<std::string> values(std::initializer_list<int> codes) const {
        std::vector<std::string> found;
        for (int code : codes) found.push_back(value(code));
        return found;
    }
};

// The items of section `section` of a CR LF DXF text.
std::vector<Item> items_of(const std::string& dxf, const std::string& section) {
    std::vector<std::pair<int, std::string>> pairs;
    std::size_t at = 0;
    while (at < dxf.size()) {
        const std::size_t code_end = dxf.find("\r\n", at);
        const std::size_t value_end = dxf.find("\r\n", code_end + 2);
        if (code_end == std::string::npos || value_end == std::string::npos) break;
        pairs.emplace_back(std::stoi(dxf.substr(at, code_end - at)),
                           dxf.substr(code_end + 2, value_end - code_end - 2));
        at = value_end + 2;
    }
    std::vector<Item> items;
    bool inside = false;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const auto& [code, value] = pairs[i];
        if (code == 2 && i > 0 && pairs[i - 1].second == "SECTION") inside = value == section;
        if (!inside) continue;
        if (code == 0) {
            if (value == "ENDSEC") break;
            items.push_back({value, {}});
        } else if (!items.empty()) {
            items.back().groups.emplace_back(code, value);
        }
    }
    return items;
}

std::vector<Item> of_type(const std::vector<Item>& items, const std::string& type) {
    std::vector<Item> found;
    for (const Item& item : items)
        if (item.type == type) found.push_back(item);
    return found;
}

// The names (group 2) of the items.
std::vector<std::string> names_of(const std::vector<Item>& items) {
    std::vector<std::string> names;
    for (const Item& item : items) names.push_back(item.value(2));
    return names;
}

EntityRecord with_kind(EntityRecord e, std::int32_t kind) {
    e.kind = kind;
    return e;
}

class FullExport : public ::testing::Test {
protected:
    FullExport() : store(folder.path(), messages) {
        store.header().kind = kSourceDxf;
        store.header().max_x = 1000;
        store.header().max_y = 500;
    }

    std::string export_full() {
        EXPECT_EQ(store.finish(), 0);
        EXPECT_TRUE(export_dxf(handles, folder.path(), kDataFileName, messages, DxfContent::Full));
        return read_file_bytes(folder.file(kDxfOutputFileName));
    }

    EntityRecord text(std::int16_t layer, double x, double y, double height, std::string_view bytes,
                      std::int32_t style = 0) {
        EntityRecord e = text_record(layer, x, y, height, 30.0);
        e.text.width_factor = 1.0;
        e.text_style = style;
        store.attach_text(e, bytes);
        return e;
    }

    TempFolder folder;
    RecordingMessages messages;
    StoreBuilder store;
    DxfHandles handles;
};

TEST_F(FullExport, EveryStoreKindBecomesItsDxfEntity) {
    const std::int16_t room = store.add_layer(utf8_to_cp932("部屋"));
    EntityRecord arrow = line_record(room, 0, 0, -2, 1);
    const std::int16_t arrow_block = store.add_block("_ARROW", {arrow});
    const std::int16_t picture =
        store.add_block("*D1", {line_record(room, 0, 0, 100, 0),
                                with_kind(line_record(room, 0, 0, 0, 0), kEntityPoint),
                                insert_record(room, arrow_block, 100, 0)});
    store.add_entity(line_record(room, 1, 2, 3, 4));
    store.add_entity(circle_record(room, 10, 10, 5, 0, 90));
    store.add_entity(with_kind(line_record(room, 7, 8, 0, 0), kEntityPoint));
    store.add_entity(with_kind(line_record(room, 0, 0, 10, 10), kEntityLeader));
    // 居間 with a percent pair and a tab: the DXF value escapes both.
    store.add_entity(text(room, 50, 60, 2.5, utf8_to_cp932("居間 10%%\t")));
    store.add_entity(text(room, 70, 80, 4.0, utf8_to_cp932("勝"), 21));  // vertical spread text
    EntityRecord mirrored = insert_record(room, arrow_block, 5, 6, -2.0, 0.0, 45.0);
    store.add_entity(mirrored);
    EntityRecord dimension = with_kind(line_record(room, 1000, 2000, 0, 0), kEntityDimension);
    dimension.block = picture;
    dimension.colour = 3;
    store.add_entity(dimension);
    EntityRecord solid = with_kind(line_record(room, 1, 1, 2, 2), kEntitySolid);
    solid.solid.third_x = 3;
    solid.solid.third_y = 3;
    solid.solid.fourth_x = 4;
    solid.solid.fourth_y = 5;
    store.add_entity(solid);

    const std::vector<Item> entities = items_of(export_full(), "ENTITIES");
    std::vector<std::string> types;
    for (const Item& e : entities) types.push_back(e.type);
    EXPECT_EQ(types, (std::vector<std::string>{"LINE", "ARC", "POINT", "LEADER", "TEXT", "TEXT",
                                               "INSERT", "LINE", "INSERT", "SOLID"}));
    for (const Item& e : entities) EXPECT_EQ(e.value(8), utf8_to_cp932("部屋")) << e.type;

    EXPECT_EQ(entities[2].value(10), "7.000");
    EXPECT_EQ(entities[3].value(76), "2");
    EXPECT_EQ(entities[3].value(10, 1), "10.000");
    EXPECT_EQ(entities[4].value(1), utf8_to_cp932("居間 10%%%%%%^I"));
    EXPECT_EQ(entities[4].value(7), "MT");
    EXPECT_EQ(entities[4].number(50), 30.0);
    EXPECT_EQ(entities[4].number(40), 2.5);
    // Vertical: the vertical style, a quarter turn further, half a height back.
    EXPECT_EQ(entities[5].value(7), "TMT");
    EXPECT_EQ(entities[5].number(10), 68.0);
    EXPECT_EQ(entities[5].number(50), 120.0);
    // Mirrored insert: the negative x scale stays, a y scale of 0 is 1.
    EXPECT_EQ(entities[6].value(2), "_ARROW");
    EXPECT_EQ(entities[6].number(41), -2.0);
    EXPECT_EQ(entities[6].number(42), 1.0);
    EXPECT_EQ(entities[6].number(50), 45.0);
    // The dimension: its picture's line and arrow insert moved to its place,
    // in its colour; the definition point is left out.
    using Values = std::vector<std::string>;
    EXPECT_EQ(entities[7].values({10, 11, 21, 62}),
              (Values{"1000.000", "1100.000", "2000.000", "3"}));
    EXPECT_EQ(entities[8].value(10), "1100.000");
    // Solid corners in DXF order: first, second, third, fourth.
    EXPECT_EQ(entities[9].values({10, 11, 12, 13, 23}),
              (Values{"2.000", "1.000", "3.000", "4.000", "5.000"}));

    // "As the layer" is written BYLAYER.
    EXPECT_EQ(entities[0].value(62), "256");
    EXPECT_EQ(entities[0].value(6), "BYLAYER");
}

TEST_F(FullExport, SourceMarksNameWhatTheSourceNamed) {
    struct Case {
        EntityRecord record;
        std::uint8_t marks;
        std::vector<std::string> groups;  // type, then the values of `codes`
    };
    const std::vector<int> codes = {6, 62, 10, 11, 21};
    const std::int16_t walls = store.add_layer("WALL");
    EntityRecord line = line_record(walls, 0, 0, 10, 0);
    line.colour = 5;
    line.line_type = kLineDashed;
    EntityRecord ray = line_record(walls, 1, 2, 1, 12);
    Case cases[] = {
        {line, 0, {"LINE", "DASHED", "5", "0.000", "10.000", "0.000"}},
        {line,
         kMarkColourByLayer | kMarkLineTypeByLayer,
         {"LINE", "BYLAYER", "256", "0.000", "10.000", "0.000"}},
        {line,
         kMarkColourByBlock | kMarkLineTypeByBlock,
         {"LINE", "BYBLOCK", "0", "0.000", "10.000", "0.000"}},
        // The part the store keeps: a RAY from its start, an XLINE through its middle.
        {ray, kMarkRay, {"RAY", "BYLAYER", "7", "1.000", "0.000", "1.000"}},
        {ray, kMarkXline, {"XLINE", "BYLAYER", "7", "1.000", "0.000", "1.000"}},
        {with_kind(line_record(walls, 3, 3, 3, 3), kEntityLine),
         kMarkRay,
         {"LINE", "BYLAYER", "7", "3.000", "3.000", "3.000"}},
    };
    cases[3].record.colour = cases[4].record.colour = cases[5].record.colour = 7;
    for (Case& c : cases) {
        c.record.source_marks = c.marks;
        store.add_entity(c.record);
    }
    EntityRecord definition = text(walls, 5, 5, 2.0, "ROOM NO");
    definition.source_marks = kMarkAttributeDefinition;
    store.add_entity(definition);

    const std::vector<Item> entities = items_of(export_full(), "ENTITIES");
    ASSERT_EQ(entities.size(), std::size(cases) + 1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::vector<std::string> got{entities[i].type};
        for (int code : codes) got.push_back(entities[i].value(code));
        EXPECT_EQ(got, cases[i].groups) << i;
    }
    EXPECT_EQ(entities.back().type, "ATTDEF");
    EXPECT_EQ(entities.back().values({1, 2}), (std::vector<std::string>{"ROOM NO", "ROOM_NO"}));
}

TEST_F(FullExport, BlocksGetUniqueDxfNamesAndNoLoops) {
    const std::int16_t a_number = 1, b_number = 2;
    store.add_block("A", {insert_record(0, b_number, 0, 0)});
    store.add_block("B", {insert_record(0, a_number, 0, 0), line_record(0, 0, 0, 1, 1)});
    store.add_block("SELF", {insert_record(0, 3, 0, 0)});
    store.add_block("revdate", {});
    store.add_block("", {});
    const std::string hyou = "\x95\x5c";  // 表 as bytes: its second byte is a backslash
    store.add_block("x<y" + hyou, {});
    store.add_block("*Paper_Space0", {line_record(0, 0, 0, 1, 1)});
    store.add_block("*U7", {});
    store.add_entity(insert_record(0, a_number, 1, 1));
    store.add_entity(insert_record(0, 7, 1, 1));   // the paper-space block is not written
    store.add_entity(insert_record(0, 99, 1, 1));  // no such block

    const std::string dxf = export_full();
    const std::vector<std::string> expected{
        "*MODEL_SPACE", "*PAPER_SPACE", "REVDATE", "A",          "B",
        "SELF",         "revdate_2",    "BLOCK5",  "x_y" + hyou, "*U7"};
    EXPECT_EQ(names_of(of_type(items_of(dxf, "BLOCKS"), "BLOCK")), expected);
    EXPECT_EQ(names_of(of_type(items_of(dxf, "TABLES"), "BLOCK_RECORD")), expected);
    EXPECT_EQ(of_type(items_of(dxf, "BLOCKS"), "BLOCK").back().value(70), "1");

    // A inserts B, but B's insert of A and SELF's insert of itself would
    // close loops: those two are left out.
    const std::vector<Item> inserts = of_type(items_of(dxf, "BLOCKS"), "INSERT");
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_EQ(inserts[0].value(2), "B");
    const std::vector<Item> drawn = of_type(items_of(dxf, "ENTITIES"), "INSERT");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].value(2), "A");
}

TEST_F(FullExport, NamesCleanedAlikeTakeTheNextFreeSerial) {
    // Serials go on where the name's last one stopped, past names that the
    // drawing gives itself.
    for (const char* name : {"w?", "W_", "w_2", "w|", "w__4", "w:"}) store.add_block(name, {});
    constexpr int kAlike = 300;
    for (int i = 0; i < kAlike; ++i) store.add_block("same*", {});
    store.add_entity(line_record(0, 0, 0, 1, 1));
    const std::vector<std::string> names =
        names_of(of_type(items_of(export_full(), "BLOCKS"), "BLOCK"));
    ASSERT_EQ(names.size(), 3u + 6u + kAlike);
    EXPECT_EQ(std::vector<std::string>(names.begin() + 3, names.begin() + 9),
              (std::vector<std::string>{"w_", "W__2", "w_2", "w__3", "w__4", "w__5"}));
    EXPECT_EQ(names[9], "same_");
    EXPECT_EQ(names.back(), "same__" + std::to_string(kAlike));
}

TEST_F(FullExport, LayerTableHoldsLayerZeroAndTheStatesOfTheLayersInUse) {
    store.add_layer("WALL", 1 << kLayerHiddenBit);
    store.add_layer("GRID", (1 << kLayerFrozenBit) | (1 << kLayerLockedBit));
    store.add_layer("wall");  // the same name for a DXF reader: shares WALL's record
    store.add_layer("SPARE", 0, 0);
    store.add_layer("a:b");
    for (std::int16_t layer = 1; layer <= 5; ++layer)
        store.add_entity(line_record(layer, 0, 0, 1, 1));

    const std::string dxf = export_full();
    std::map<std::string, Item> layers;
    for (const Item& layer : of_type(items_of(dxf, "TABLES"), "LAYER"))
        layers[layer.value(2)] = layer;
    ASSERT_EQ(layers.size(), 4u);
    EXPECT_EQ(layers["0"].value(70), "0");
    EXPECT_EQ(layers["WALL"].value(62), "-7");
    EXPECT_EQ(layers["GRID"].value(70), "5");
    EXPECT_EQ(layers["GRID"].value(62), "7");
    EXPECT_EQ(layers.count("a_b"), 1u);

    std::vector<std::string> on;
    for (const Item& e : items_of(dxf, "ENTITIES")) on.push_back(e.value(8));
    EXPECT_EQ(on, (std::vector<std::string>{"WALL", "GRID", "WALL", "0", "a_b"}));
}

TEST_F(FullExport, HandlesAreUniqueAndBelowTheSeed) {
    const std::int16_t picture =
        store.add_block("*D1", std::vector<EntityRecord>(50, line_record(0, 0, 0, 1, 1)));
    for (int i = 0; i < 30; ++i) {
        EntityRecord dimension = with_kind(line_record(0, i, 0, 0, 0), kEntityDimension);
        dimension.block = picture;
        store.add_entity(dimension);
    }
    const std::string dxf = export_full();
    std::set<unsigned long> handles_seen;
    unsigned long highest = 0;
    for (const char* section : {"TABLES", "BLOCKS", "ENTITIES"}) {
        for (const Item& item : items_of(dxf, section)) {
            const std::string handle = item.value(item.type == "DIMSTYLE" ? 105 : 5);
            if (handle.empty()) continue;
            const unsigned long h = std::stoul(handle, nullptr, 16);
            EXPECT_TRUE(handles_seen.insert(h).second) << handle;
            highest = std::max(highest, h);
        }
    }
    EXPECT_EQ(of_type(items_of(dxf, "ENTITIES"), "LINE").size(), 1500u);
    const std::size_t seed_at = dxf.find("$HANDSEED\r\n  5\r\n");
    ASSERT_NE(seed_at, std::string::npos);
    EXPECT_GT(std::stoul(dxf.substr(seed_at + 16), nullptr, 16), highest);
}

TEST_F(FullExport, DamagedStoresAreWrittenAsFarAsTheyGo) {
    // A picture that holds a dimension of itself, dimensions and inserts of
    // blocks that do not exist, a text whose bytes lie beyond the file.
    EntityRecord self_dimension = with_kind(line_record(0, 0, 0, 0, 0), kEntityDimension);
    self_dimension.block = 1;
    store.add_block("*D1", {line_record(0, 0, 0, 1, 1), self_dimension});
    for (std::int16_t block :
         {std::int16_t{0}, std::int16_t{-3}, std::int16_t{1}, std::int16_t{999}}) {
        EntityRecord dimension = self_dimension;
        dimension.block = block;
        store.add_entity(dimension);
        store.add_entity(insert_record(0, block, 0, 0));
    }
    EntityRecord text = text_record(0, 0, 0, 1);
    text.text_offset = 1 << 30;
    text.text_length = 500;
    store.add_entity(text);
    std::string dxf = export_full();
    // Only block 1 exists: one dimension of it (its line) and one insert.
    EXPECT_EQ(of_type(items_of(dxf, "ENTITIES"), "LINE").size(), 1u);
    EXPECT_EQ(of_type(items_of(dxf, "ENTITIES"), "INSERT").size(), 1u);
    EXPECT_EQ(of_type(items_of(dxf, "ENTITIES"), "TEXT").at(0).value(1), "");
    EXPECT_EQ(of_type(items_of(dxf, "BLOCKS"), "LINE").size(), 1u);

    // Absurd counts in the header and a cut file.
    std::string bytes = read_file_bytes(folder.file(kDataFileName));
    StoreHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    header.ent_num = header.lay_num = header.bro_num = 2000000000;
    std::memcpy(bytes.data(), &header, sizeof header);
    bytes.resize(bytes.size() - 50);
    ASSERT_TRUE(write_file_bytes(folder.file(kDataFileName), bytes));
    ASSERT_TRUE(export_dxf(handles, folder.path(), kDataFileName, messages, DxfContent::Full));
    dxf = read_file_bytes(folder.file(kDxfOutputFileName));
    EXPECT_NE(dxf.find("0\r\nEOF\r\n"), std::string::npos);
}

TEST_F(FullExport, NumbersThatAreNotFiniteAreNeverWritten) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::int16_t block =
        store.add_block("PART", {line_record(0, 0, 0, 1, 1), line_record(0, nan, 0, 1, 1)});
    store.add_entity(line_record(0, 0, 0, 5, 5));
    store.add_entity(text_record(0, inf, 0, 3, 0));
    store.add_entity(with_kind(line_record(0, 0, nan, 0, 0), kEntityPoint));
    store.add_entity(insert_record(0, block, -inf, 0));
    const std::string dxf = export_full();
    for (const char* word : {"nan", "NAN", "inf", "INF"})
        EXPECT_EQ(dxf.find(word), std::string::npos) << word;
    EXPECT_EQ(of_type(items_of(dxf, "ENTITIES"), "LINE").size(), 1u);
    EXPECT_TRUE(of_type(items_of(dxf, "ENTITIES"), "TEXT").empty());
    EXPECT_TRUE(of_type(items_of(dxf, "ENTITIES"), "INSERT").empty());
    EXPECT_EQ(of_type(items_of(dxf, "BLOCKS"), "LINE").size(), 1u);
    // The four records are left out and said so.
    bool said = false;
    for (const auto& entry : messages.entries)
        said = said || cp932_to_utf8(entry.text) == "数値でない座標の図形4個は書き出していません";
    EXPECT_TRUE(said);
}

TEST(DxfTextValue, KeepsDoubleByteCharactersWhole) {
    // The bytes: ソ is 0x83 0x5C, 表 0x95 0x5C, ー 0x81 0x5B.
    EXPECT_EQ(dxf_text_value("\x83\x5c\x95\x5c\x81\x5b"), "\x83\x5c\x95\x5c\x81\x5b");
    EXPECT_EQ(dxf_text_value("a\r\nb"), "a^M^Jb");
    EXPECT_EQ(dxf_text_value("%%c50"), "%%%%%%c50");
    EXPECT_EQ(dxf_text_value("5%"), "5%");
}

}  // namespace
}  // namespace zov
