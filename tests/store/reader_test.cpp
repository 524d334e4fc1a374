#include <unistd.h>

#include <cstring>
#include <random>
#include <string>

#include "common/cp932.h"
#include "common/encoding.h"
#include "fixtures/sample_store.h"
#include "store/store_reader.h"
#include "store_folder.h"

namespace zov {
namespace {

class Reader : public StoreFolder {
protected:
    std::string build_sample() {
        EXPECT_EQ(build_sample_store(state()), 0);
        return bytes_of(kDataFileName);
    }
    // Writes `bytes` as a store file and opens it.
    int open_bytes(StoreReader& reader, const std::string& bytes, bool update = false) {
        write_bytes("store.dat", bytes);
        return reader.open(path("store.dat"), update);
    }
};

TEST_F(Reader, ReadsTheSampleStoreBack) {
    build_sample();
    StoreReader reader;
    ASSERT_EQ(reader.open(path(kDataFileName)), 0);
    EXPECT_EQ(std::memcmp(&reader.header(), &state().header, sizeof(StoreHeader)), 0);
    EXPECT_EQ(reader.layer_count(), 3);
    EXPECT_EQ(reader.block_count(), 2);
    EXPECT_EQ(reader.line_type_count(), 2);
    EXPECT_EQ(reader.entity_count(), 7);

    LayerRecord layer;
    EXPECT_EQ(reader.read_layer(0, layer), -1);  // 0 = no layer: nothing read
    ASSERT_EQ(reader.read_layer(2, layer), 0);
    EXPECT_EQ(fixed_text(layer.name), "WALL");
    EXPECT_EQ(layer.used_number, 2);
    ASSERT_EQ(reader.read_layer(3, layer), 0);
    EXPECT_EQ(layer.used_index, -1);
    EXPECT_EQ(reader.read_layer(4, layer), -1);
    EXPECT_EQ(fixed_text(layer.name), "DIM");  // a failed read leaves the record alone

    LineTypeRecord line_type;
    ASSERT_EQ(reader.read_line_type(2, line_type), 0);
    EXPECT_EQ(fixed_text(line_type.name), "DASHED");

    EntityRecord insert;
    ASSERT_EQ(reader.read_entity(5, insert), 0);
    ASSERT_EQ(insert.kind, kEntityInsert);
    BlockRecord block;
    ASSERT_EQ(reader.read_block(insert.block, block), 0);
    EXPECT_EQ(fixed_text(block.name), "DOOR");
    EXPECT_EQ(block.used_number, 1);
    EntityRecord part;
    ASSERT_EQ(reader.read_block_entity(block, 1, part), 0);
    EXPECT_EQ(part.kind, kEntityArc);
    EXPECT_EQ(part.arc.radius, 900);
    EXPECT_EQ(reader.read_block_entity(block, 2, part), -1);  // beyond its count
    ASSERT_EQ(reader.read_block(2, block), 0);
    EXPECT_EQ(block.used_index, -1);  // *D1
    ASSERT_EQ(reader.read_block_entity(block, 0, part), 0);
    EXPECT_EQ(part.y1, -300);

    EntityRecord text;
    ASSERT_EQ(reader.read_entity(6, text), 0);
    std::string bytes;
    ASSERT_EQ(reader.read_text(text, bytes), 0);
    EXPECT_EQ(bytes, utf8_to_cp932("玄関"));
    EXPECT_EQ(reader.read_entity(7, text), -1);
}

TEST_F(Reader, LayerFlagsAndHeaderAreRewrittenInPlace) {
    build_sample();
    StoreReader reader;
    ASSERT_EQ(reader.open(path(kDataFileName)), 0);
    LayerRecord layer;
    ASSERT_EQ(reader.read_layer(2, layer), 0);
    layer.flags = toggle_bit(layer.flags, kLayerLockedBit);
    EXPECT_EQ(reader.write_layer(2, layer), -1);  // opened for reading only
    EXPECT_EQ(reader.write_header(reader.header()), -1);

    ASSERT_EQ(reader.open(path(kDataFileName), true), 0);
    ASSERT_EQ(reader.write_layer(2, layer), 0);
    EXPECT_EQ(reader.write_layer(4, layer), -1);
    StoreHeader header = reader.header();
    copy_bounded(header.fname, "ZovView");
    ASSERT_EQ(reader.write_header(header), 0);
    reader.close();

    ASSERT_EQ(reader.open(path(kDataFileName)), 0);
    EXPECT_EQ(fixed_text(reader.header().fname), "ZovView");
    LayerRecord again;
    ASSERT_EQ(reader.read_layer(2, again), 0);
    EXPECT_EQ(test_bit(again.flags, kLayerLockedBit), 1);
    EXPECT_EQ(fixed_text(again.name), "WALL");
}

TEST_F(Reader, WritesAreSeenAtOnceByEveryReaderOfTheFile) {
    build_sample();
    StoreReader writer, sheet_reader, plain_reader;
    ASSERT_EQ(writer.open(path(kDataFileName), true), 0);
    ASSERT_EQ(sheet_reader.open(path(kDataFileName), true), 0);
    ASSERT_EQ(plain_reader.open(path(kDataFileName)), 0);
    LayerRecord layer;
    ASSERT_EQ(plain_reader.read_layer(2, layer), 0);  // read before the write
    layer.flags = toggle_bit(layer.flags, kLayerHiddenBit);
    ASSERT_EQ(writer.write_layer(2, layer), 0);
    for (StoreReader* reader : {&writer, &sheet_reader, &plain_reader}) {
        LayerRecord seen;
        ASSERT_EQ(reader->read_layer(2, seen), 0);
        EXPECT_EQ(test_bit(seen.flags, kLayerHiddenBit), 1);
        char banner[7];
        ASSERT_TRUE(reader->read_at(0, banner, sizeof banner));
        EXPECT_EQ(std::string(banner, sizeof banner), "ZovView");
    }

    // The help drawing's caption is written into the header the same way;
    // the other readers take it with their next read_header().
    StoreHeader header = writer.header();
    copy_bounded(header.fname, "HELP");
    ASSERT_EQ(writer.write_header(header), 0);
    ASSERT_EQ(plain_reader.read_header(), 0);
    EXPECT_EQ(fixed_text(plain_reader.header().fname), "HELP");
}

TEST_F(Reader, AStoreRewrittenWhileOpenIsReadAfreshByTheNextPass) {
    const std::string sample = build_sample();
    StoreReader reader;
    ASSERT_EQ(reader.open(path(kDataFileName)), 0);
    EntityRecord e;
    ASSERT_EQ(reader.read_entity(6, e), 0);  // the entity buffer holds the section

    // A shorter store replaces the file's content (an import truncates and
    // writes it again): the reader keeps to the new size.
    write_bytes(kDataFileName, sample.substr(0, sample.size() - 2 * sizeof(EntityRecord)));
    ASSERT_EQ(reader.read_header(), 0);
    EXPECT_EQ(reader.file_size(), static_cast<long>(sample.size() - 2 * sizeof(EntityRecord)));
    EXPECT_EQ(reader.entity_count(), 5);
    EXPECT_EQ(reader.read_entity(5, e), -1);
    ASSERT_EQ(reader.read_entity(4, e), 0);

    // Grown back, every record is there again.
    write_bytes(kDataFileName, sample);
    ASSERT_EQ(reader.read_header(), 0);
    EXPECT_EQ(reader.entity_count(), 7);
    StoreReader fresh;
    ASSERT_EQ(fresh.open(path(kDataFileName)), 0);
    for (std::int32_t i = 0; i < 7; ++i) {
        EntityRecord expected;
        ASSERT_EQ(fresh.read_entity(i, expected), 0);
        ASSERT_EQ(reader.read_entity(i, e), 0);
        EXPECT_EQ(std::memcmp(&e, &expected, sizeof e), 0) << i;
    }

    write_bytes(kDataFileName, "");
    EXPECT_EQ(reader.read_header(), -1);
    EXPECT_EQ(reader.entity_count(), 0);
}

TEST_F(Reader, EntitiesAcrossManyBufferStretchesReadInAnyOrder) {
    // Enough entities for several stretches of the entity buffer, each
    // carrying its own index.
    StoreHeader header;
    constexpr std::int32_t kCount = 30000;  // about 3 MB
    header.add_ent = sizeof header;
    header.ent_num = kCount;
    std::string bytes(sizeof header + kCount * sizeof(EntityRecord), '\0');
    std::memcpy(bytes.data(), &header, sizeof header);
    for (std::int32_t i = 0; i < kCount; ++i) {
        EntityRecord e;
        e.kind = kEntityLine;
        e.x1 = i;
        std::memcpy(bytes.data() + sizeof header + i * sizeof e, &e, sizeof e);
    }
    StoreReader reader;
    ASSERT_EQ(open_bytes(reader, bytes), 0);
    std::mt19937 random(3);
    EntityRecord e;
    for (std::int32_t i = 0; i < kCount; ++i) {
        ASSERT_EQ(reader.read_entity(i, e), 0);
        ASSERT_EQ(e.x1, i);
    }
    for (int round = 0; round < 1000; ++round) {
        const auto i = static_cast<std::int32_t>(random() % kCount);
        ASSERT_EQ(reader.read_entity(i, e), 0);
        ASSERT_EQ(e.x1, i);
    }
    EXPECT_EQ(reader.read_entity(kCount, e), -1);
}

TEST_F(Reader, RefusesWhatIsNotAStore) {
    StoreReader reader;
    EXPECT_EQ(reader.open(path("missing.dat")), -1);
    EXPECT_EQ(open_bytes(reader, std::string(575, '\0')), -1);
    EXPECT_FALSE(reader.is_open());
    EntityRecord e;
    EXPECT_EQ(reader.read_entity(0, e), -1);
    EXPECT_EQ(reader.entity_count(), 0);
}

TEST_F(Reader, TruncatedStoreReadsOnlyWholeRecords) {
    const std::string sample = build_sample();
    StoreReader reader;
    // Cut inside the last entity: six whole entities remain.
    ASSERT_EQ(open_bytes(reader, sample.substr(0, sample.size() - 50)), 0);
    EXPECT_EQ(reader.header().ent_num, 7);
    EXPECT_EQ(reader.entity_count(), 6);
    EntityRecord e;
    EXPECT_EQ(reader.read_entity(5, e), 0);
    EXPECT_EQ(reader.read_entity(6, e), -1);

    // Cut right after the header: every section is gone.
    ASSERT_EQ(open_bytes(reader, sample.substr(0, 576)), 0);
    EXPECT_EQ(reader.layer_count(), 0);
    EXPECT_EQ(reader.block_count(), 0);
    EXPECT_EQ(reader.entity_count(), 0);
    LayerRecord layer;
    EXPECT_EQ(reader.read_layer(1, layer), -1);
    BlockRecord block;
    block.count = 1;
    EXPECT_EQ(reader.read_block_entity(block, 0, e), -1);
    e.text_length = 4;
    std::string text = "old";
    EXPECT_EQ(reader.read_text(e, text), -1);
    EXPECT_EQ(text, "");
}

// Another process may cut the file short while a reader has it mapped: what
// is gone reads as missing, never as a fault of the program.
TEST_F(Reader, AStoreCutShortWhileOpenReadsAsMissing) {
    StoreHeader header;
    header.add_str = 8192;
    header.str_num = 1;
    header.add_bro = 8192 + 4096;
    header.bro_num = 4;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.resize(header.add_bro + 4 * sizeof(BlockRecord), 'x');
    StoreReader reader;
    ASSERT_EQ(open_bytes(reader, bytes), 0);
    ASSERT_EQ(::truncate(path("store.dat").c_str(), 4096), 0);
    BlockRecord block;
    EXPECT_EQ(reader.read_block(1, block), -1);
    EntityRecord text;
    text.text_length = 10;
    std::string read = "old";
    EXPECT_EQ(reader.read_text(text, read), -1);
    EXPECT_EQ(read, "");
}

TEST_F(Reader, AbsurdHeaderValuesAreHarmless) {
    const std::string sample = build_sample();
    StoreHeader h;
    std::memcpy(&h, sample.data(), sizeof h);
    h.ent_num = INT32_MAX;
    h.lay_num = -4;
    h.add_lay = -100;
    h.add_bro = 100;  // inside the header: not a section
    h.add_str = INT32_MAX;
    std::string bytes = sample;
    std::memcpy(bytes.data(), &h, sizeof h);
    StoreReader reader;
    ASSERT_EQ(open_bytes(reader, bytes), 0);
    EXPECT_EQ(reader.entity_count(), 7);  // what lies in the file
    EXPECT_EQ(reader.layer_count(), 0);
    EXPECT_EQ(reader.block_count(), 0);
    LayerRecord layer;
    EXPECT_EQ(reader.read_layer(1, layer), -1);
    BlockRecord block;
    EXPECT_EQ(reader.read_block(1, block), -1);
    EntityRecord e;
    EXPECT_EQ(reader.read_entity(INT32_MAX - 1, e), -1);
    EXPECT_EQ(reader.read_entity(-1, e), -1);
    ASSERT_EQ(reader.read_entity(6, e), 0);
    std::string text;
    EXPECT_EQ(reader.read_text(e, text), -1);  // STR offset beyond the file

    block.first = INT32_MAX;
    block.count = INT32_MAX;
    EXPECT_EQ(reader.read_block_entity(block, INT32_MAX - 1, e), -1);
    block.first = -5;
    EXPECT_EQ(reader.read_block_entity(block, 0, e), -1);
    e.kind = kEntityText;
    e.text_offset = -3;
    e.text_length = 2;
    EXPECT_EQ(reader.read_text(e, text), -1);
    e.text_offset = 0;
    e.text_length = -2;
    EXPECT_EQ(reader.read_text(e, text), -1);
}

TEST_F(Reader, GarbageStoresNeverReadOutsideTheFile) {
    const std::string sample = build_sample();
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = sample.substr(0, random() % (sample.size() + 1));
        for (int flips = 0; flips < 40 && !bytes.empty(); ++flips)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        StoreReader reader;
        if (open_bytes(reader, bytes) != 0) continue;
        EntityRecord e;
        std::string text;
        for (std::int32_t i = 0; i < reader.entity_count(); ++i) {
            ASSERT_EQ(reader.read_entity(i, e), 0);
            reader.read_text(e, text);
            EXPECT_LE(text.size(), bytes.size());
            BlockRecord block;
            if (reader.read_block(e.block, block) == 0)
                for (std::int32_t k = 0; k < block.count && k < 1000; ++k)
                    reader.read_block_entity(block, k, e);
        }
        LayerRecord layer;
        for (std::int32_t n = 1; n <= reader.layer_count(); ++n)
            ASSERT_EQ(reader.read_layer(n, layer), 0);
    }
}

}  // namespace
}  // namespace zov
