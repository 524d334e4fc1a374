#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "common/cp932.h"
#include "common/encoding.h"
#include "store/store_reader.h"
#include "store_folder.h"

namespace zov {
namespace {

// Message texts in CP932.
const std::string kCannotOpen9 = utf8_to_cp932(" をオープンできない*9");
const std::string kCannotCreate = utf8_to_cp932(" を作成できない");
const std::string kNotFound = utf8_to_cp932(" が見つからない");

template <class T>
std::string image(const T& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

EntityRecord entity(std::int32_t kind, double x) {
    EntityRecord e;
    e.kind = kind;
    e.x1 = x;
    return e;
}

LayerRecord layer(const char* name, std::int32_t use_count) {
    LayerRecord l;
    copy_bounded(l.name, name);
    l.use_count = use_count;
    return l;
}

class Assembly : public StoreFolder {
protected:
    void add_layers(int n) {
        for (int i = 0; i < n; ++i) ASSERT_EQ(append_layer(state(), layer("L", 1)), 0);
        state().header.lay_num += n;
    }
    void add_line_types(int n) {
        for (int i = 0; i < n; ++i) {
            LineTypeRecord t;
            t.line_type = i + 1;
            ASSERT_EQ(append_line_type(state(), t), 0);
        }
        state().header.line_num += n;
    }
    void add_entities(int n) {
        for (int i = 0; i < n; ++i) ASSERT_EQ(append_entity(state(), entity(kEntityLine, i)), 0);
        state().header.ent_num += n;
    }
};

TEST_F(Assembly, HeaderNamesTheSourceInCp932) {
    const std::string source = path("平面.dxf");  // a UTF-8 name
    write_bytes("平面.dxf", "0\r\nEOF\r\n");
    state().header.ent_num = 9;
    prepare_header(state(), source);
    EXPECT_EQ(fixed_text(state().header.ver), kStoreBanner);
    EXPECT_EQ(fixed_text(state().header.fname), folder_.string() + utf8_to_cp932("/平面.dxf"));
    EXPECT_EQ(state().header.fsize, 8);
    EXPECT_GT(state().header.ftime, 0);
    EXPECT_EQ(state().header.ent_num, 0);  // the rest is cleared
}

TEST_F(Assembly, SectionsFollowTheHeaderInTheirOrder) {
    ASSERT_EQ(open_section_files(state()), 0);
    EXPECT_EQ(append_text(state(), "AB", 2), 0);
    EXPECT_EQ(append_text(state(), "CDE", 3), 2);
    EXPECT_EQ(state().string_length, 5);
    state().header.str_num = 2;
    add_layers(2);
    add_line_types(3);
    ASSERT_EQ(begin_block_data(state()), 0);
    BlockRecord block;
    block.count = 3;
    block.last = 2;
    ASSERT_EQ(append_block(state(), block), 0);
    ASSERT_EQ(append_block(state(), BlockRecord{}), 0);
    state().header.bro_num = 2;
    for (int i = 0; i < 3; ++i) append_entity(state(), entity(kEntityPoint, 100 + i));
    ASSERT_EQ(end_block_data(state()), 0);
    add_entities(4);

    ASSERT_EQ(assemble_store(state()), 0);
    EXPECT_TRUE(messages_.entries.empty());

    const StoreHeader& h = state().header;
    EXPECT_EQ(h.add_str, 576);
    EXPECT_EQ(h.add_lay, 576 + 5);
    EXPECT_EQ(h.add_lin, 581 + 2 * 176);
    EXPECT_EQ(h.add_bro, 933 + 3 * 68);
    EXPECT_EQ(h.add_bda, 1137 + 2 * 192);
    EXPECT_EQ(h.add_ent, 1521 + 3 * 104);
    const std::string data = bytes_of(kDataFileName);
    ASSERT_EQ(data.size(), 1833u + 4 * 104);
    EXPECT_EQ(data.substr(0, 576), image(h));  // the completed header, not the placeholder
    EXPECT_EQ(data.substr(576, 5), "ABCDE");
    EXPECT_EQ(data.substr(1137, 192), image(block));
    EXPECT_EQ(data.substr(1521, 104), image(entity(kEntityPoint, 100)));
    EXPECT_EQ(data.substr(1833 + 3 * 104, 104), image(entity(kEntityLine, 3)));

    // Every merged section file is gone.
    EXPECT_EQ(files(), std::set<std::string>{kDataFileName});
}

// Sections continued in unnamed files (a part of the entities read on a
// thread of its own) are joined behind what was written before, the text
// offsets of the records the file held when taken in moved to follow.
TEST_F(Assembly, ContinuedSectionsFollowWithTheirTextsMoved) {
    ASSERT_EQ(open_section_files(state()), 0);
    ASSERT_EQ(append_text(state(), "AB", 2), 0);
    add_entities(1);
    const int strings = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    const int entities = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    ASSERT_GE(strings, 0);
    ASSERT_GE(entities, 0);
    EntityRecord part_text = entity(kEntityText, 1), part_line = entity(kEntityLine, 2);
    part_text.text_offset = 1000;
    part_line.text_offset = 0;
    for (const EntityRecord& record : {part_text, part_line})
        ASSERT_EQ(::write(entities, &record, sizeof record), static_cast<ssize_t>(sizeof record));
    ASSERT_EQ(::write(strings, "CDE", 3), 3);
    ASSERT_EQ(continue_sections_in(state(), strings, entities, {1000, 2}), Continuation::Taken);
    ::close(strings);
    ::close(entities);
    state().string_length += 3;
    EntityRecord later = entity(kEntityText, 3);
    later.text_offset = append_text(state(), "F", 1);
    ASSERT_EQ(later.text_offset, 5);
    ASSERT_EQ(append_entity(state(), later), 0);
    state().header.ent_num += 3;
    state().header.str_num = 3;

    ASSERT_EQ(assemble_store(state()), 0);
    const StoreHeader& h = state().header;
    const std::string data = bytes_of(kDataFileName);
    EXPECT_EQ(data.substr(static_cast<std::size_t>(h.add_str), 6), "ABCDEF");
    part_text.text_offset = 2;
    ASSERT_EQ(data.size(), static_cast<std::size_t>(h.add_ent) + 4 * sizeof(EntityRecord));
    const std::string records = data.substr(static_cast<std::size_t>(h.add_ent));
    EXPECT_EQ(records.substr(0, 104), image(entity(kEntityLine, 0)));
    EXPECT_EQ(records.substr(104, 104), image(part_text));
    EXPECT_EQ(records.substr(208, 104), image(part_line));
    EXPECT_EQ(records.substr(312, 104), image(later));  // written after: as it was
}

// An import over the store of a larger drawing writes over it in place: the
// result must be exactly the store an empty folder gets, nothing of the old
// one left at its end.
TEST_F(Assembly, AStoreOverALargerOneIsExactlyTheFreshStore) {
    auto assemble = [&](int layers, int entities) {
        state_ = std::make_unique<ImportState>(folder_.string(), messages_);
        ASSERT_EQ(open_section_files(state()), 0);
        add_layers(layers);
        add_entities(entities);
        ASSERT_EQ(assemble_store(state()), 0);
    };
    assemble(2, 3);
    const std::string fresh = bytes_of(kDataFileName);
    assemble(40, 5000);
    EXPECT_GT(bytes_of(kDataFileName).size(), fresh.size());
    assemble(2, 3);
    EXPECT_EQ(bytes_of(kDataFileName), fresh);
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(Assembly, AbsentSectionsKeepOffsetZeroAndTheirFiles) {
    ASSERT_EQ(open_section_files(state()), 0);
    add_layers(1);
    add_line_types(1);
    add_entities(2);
    ASSERT_EQ(assemble_store(state()), 0);

    const StoreHeader& h = state().header;
    EXPECT_EQ(h.add_str, 0);
    EXPECT_EQ(h.add_lay, 576);
    EXPECT_EQ(h.add_lin, 576 + 176);
    EXPECT_EQ(h.add_bro, 0);
    EXPECT_EQ(h.add_bda, 0);
    EXPECT_EQ(h.add_ent, 752 + 68);
    EXPECT_EQ(bytes_of(kDataFileName).size(), 820u + 2 * 104);
    // Sections with a count of 0 are neither merged nor deleted.
    EXPECT_EQ(files(), (std::set<std::string>{kDataFileName, kBlockFileName, kStringFileName}));
}

TEST_F(Assembly, MissingBlockDataIsSkippedSilently) {
    ASSERT_EQ(open_section_files(state()), 0);
    ASSERT_EQ(append_block(state(), BlockRecord{}), 0);
    state().header.bro_num = 1;
    add_entities(1);
    ASSERT_EQ(assemble_store(state()), 0);
    EXPECT_TRUE(messages_.entries.empty());
    EXPECT_EQ(state().header.add_bro, 576);
    EXPECT_EQ(state().header.add_bda, 576 + 192);  // the recorded position stays
    EXPECT_EQ(state().header.add_ent, 576 + 192);
}

TEST_F(Assembly, JwCadStoreKeepsItsExtentsAndOwnLineTypes) {
    ASSERT_EQ(open_jw_section_files(state()), 0);
    EXPECT_EQ(files(), (std::set<std::string>{kLayerFileName, kEntityFileName, kStringFileName}));
    state().header.kind = kSourceJwCad;
    state().header.min_x = -5;
    state().header.max_y = 7;
    state().extents_taken = 10;
    add_layers(1);
    add_entities(1);
    // The JW_CAD importer writes the line-type file on its own.
    std::string line_types;
    for (int code = 1; code <= kLineTypeCount; ++code) {
        LineTypeRecord t;
        t.line_type = code;
        copy_bounded(t.name, kLineTypeNames[code - 1]);
        line_types += image(t);
    }
    write_bytes(kLineTypeFileName, line_types);
    state().header.line_num = kLineTypeCount;

    ASSERT_EQ(assemble_store(state()), 0);
    EXPECT_EQ(state().header.min_x, -5);
    EXPECT_EQ(state().header.max_y, 7);
    EXPECT_EQ(state().header.add_lin, 576 + 176);
    EXPECT_EQ(bytes_of(kDataFileName).substr(576 + 176, 9 * 68), line_types);
    EXPECT_EQ(files(), (std::set<std::string>{kDataFileName, kStringFileName}));
}

TEST_F(Assembly, ExtentsComeFromEntitiesUnlessTwoVariablesWereTaken) {
    ASSERT_EQ(open_section_files(state()), 0);
    EXPECT_EQ(state().header.kind, kSourceDxf);
    EXPECT_EQ(state().header.min_x, 100000000.0);
    EXPECT_EQ(state().header.max_y, -100000000.0);
    state().header.min_x = 1;  // one extents variable taken
    state().extents_taken = 1;
    state().entity_extents.include(10, -3);
    state().entity_extents.include(-2, 8);
    ASSERT_EQ(assemble_store(state()), 0);
    EXPECT_EQ(state().header.min_x, -2);
    EXPECT_EQ(state().header.min_y, -3);
    EXPECT_EQ(state().header.max_x, 10);
    EXPECT_EQ(state().header.max_y, 8);

    ASSERT_EQ(open_section_files(state()), 0);
    state().header.min_x = 1;
    state().header.max_x = 2;
    state().extents_taken = 2;
    state().entity_extents.include(10, -3);
    ASSERT_EQ(assemble_store(state()), 0);
    EXPECT_EQ(state().header.min_x, 1);
    EXPECT_EQ(state().header.max_x, 2);
}

TEST_F(Assembly, SectionFilesThatCannotBeCreatedAreReported) {
    ImportState lost((folder_ / "no_such_folder").string(), messages_);
    EXPECT_EQ(open_section_files(lost), -1);
    EXPECT_EQ(messages_.last(), lost.path(kLineTypeFileName) + kCannotOpen9);
    EXPECT_EQ(messages_.entries.back().icon, MessageIcon::Stop);
    EXPECT_EQ(open_jw_section_files(lost), -1);
    EXPECT_EQ(messages_.last(), lost.path(kLayerFileName) + kCannotOpen9);

    // A folder in the way of $VV_BRO$.TMP stops the sequence there; the
    // files opened before it stay open.
    std::filesystem::create_directory(path(kBlockFileName));
    EXPECT_EQ(open_section_files(state()), -1);
    EXPECT_EQ(messages_.last(), path(kBlockFileName) + kCannotOpen9);
    EXPECT_NE(state().layers, nullptr);
    EXPECT_EQ(state().entities, nullptr);
    EXPECT_EQ(messages_.entries.size(), 3u);
}

TEST_F(Assembly, DataFileThatCannotBeCreatedIsReported) {
    ASSERT_EQ(open_section_files(state()), 0);
    add_entities(1);
    std::filesystem::create_directory(path(kDataFileName));
    EXPECT_EQ(assemble_store(state()), -1);
    EXPECT_EQ(messages_.last(), path(kDataFileName) + kCannotCreate);
    EXPECT_EQ(state().entities, nullptr);         // streams closed
    EXPECT_TRUE(files().count(kEntityFileName));  // section files stay
}

TEST_F(Assembly, MissingSectionIsReportedAfterEarlierOnesWereMerged) {
    ASSERT_EQ(open_section_files(state()), 0);
    append_text(state(), "T", 1);
    state().header.str_num = 1;
    add_layers(1);
    add_entities(1);
    close_all_streams(state());
    std::filesystem::remove(path(kLayerFileName));
    EXPECT_EQ(assemble_store(state()), -1);
    EXPECT_EQ(messages_.last(), path(kLayerFileName) + kNotFound);
    EXPECT_EQ(state().header.add_lay, 577);
    EXPECT_FALSE(files().count(kStringFileName));  // merged before the failure
    EXPECT_TRUE(files().count(kEntityFileName));
    // The half-joined store never takes the store's place, nor stays behind.
    for (const std::string& name : files()) EXPECT_EQ(name.find(kDataFileName), std::string::npos);
}

TEST_F(Assembly, BlockDataReplacesTheEntityOutputUntilTheSectionEnds) {
    ASSERT_EQ(open_section_files(state()), 0);
    append_entity(state(), entity(kEntityLine, 1));  // before BLOCKS: lost, as in the source
    ASSERT_EQ(begin_block_data(state()), 0);
    EXPECT_TRUE(state().entities_are_block_data);
    append_entity(state(), entity(kEntityPoint, 2));
    ASSERT_EQ(end_block_data(state()), 0);
    EXPECT_FALSE(state().entities_are_block_data);
    append_entity(state(), entity(kEntityLine, 3));
    close_all_streams(state());
    EXPECT_EQ(bytes_of(kBlockDataFileName), image(entity(kEntityPoint, 2)));
    EXPECT_EQ(bytes_of(kEntityFileName), image(entity(kEntityLine, 3)));
}

TEST_F(Assembly, RecordsReadAndRewrittenInPlaceKeepTheAppendPosition) {
    ASSERT_EQ(open_section_files(state()), 0);
    append_layer(state(), layer("A", 0));
    append_layer(state(), layer("B", 0));
    LayerRecord found;
    ASSERT_EQ(read_section_record(state().layers, 0, found), 0);
    EXPECT_EQ(fixed_text(found.name), "A");
    ++found.use_count;
    ASSERT_EQ(write_section_record(state().layers, 0, found), 0);
    EXPECT_EQ(read_section_record(state().layers, 2, found), -1);
    append_layer(state(), layer("C", 0));
    EXPECT_EQ(section_record_count(state().layers, sizeof(LayerRecord)), 3);
    close_all_streams(state());
    EXPECT_EQ(bytes_of(kLayerFileName),
              image(layer("A", 1)) + image(layer("B", 0)) + image(layer("C", 0)));
    EXPECT_EQ(read_section_record(state().layers, 0, found), -1);  // closed
    EXPECT_EQ(append_text(state(), "x", 1), -1);
}

TEST_F(Assembly, EntityOutputSetBackOverwritesTheLastRecord) {
    ASSERT_EQ(open_section_files(state()), 0);
    append_entity(state(), entity(kEntityLine, 1));
    const long before = std::ftell(state().entities);
    append_entity(state(), entity(kEntityLine, 2));
    std::fseek(state().entities, before, SEEK_SET);
    append_entity(state(), entity(kEntityLine, 3));
    close_all_streams(state());
    EXPECT_EQ(bytes_of(kEntityFileName),
              image(entity(kEntityLine, 1)) + image(entity(kEntityLine, 3)));
}

}  // namespace
}  // namespace zov
