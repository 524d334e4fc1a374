#pragma once
// A fresh program folder per test: imports DXF text written by DxfFixture and
// reads the assembled store back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/messages.h"
#include "dxf_import/dxf_import.h"
#include "fixtures/dxf_fixture.h"
#include "fixtures/temp_folder.h"
#include "store/import_state.h"
#include "store/store_reader.h"

namespace zov {

class ImportFolder : public ::testing::Test {
protected:
    ~ImportFolder() override { store_.close(); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    // Writes the fixture as IN.DXF and imports it; the import's result.
    int import(const DxfFixture& dxf, std::string_view line_end = "\r\n") {
        dxf.write(path("IN.DXF"), line_end);
        return import_file(path("IN.DXF"));
    }

    int import_file(const std::string& file) {
        store_.close();
        ImportState state(folder_.string(), messages_);
        DxfImportOptions options;
        options.block_tallies = &tallies_;
        const int result = import_dxf_file(file, state, options);
        dropped_ = state.dropped;
        store_.open(path(kDataFileName));
        return result;
    }

    const StoreHeader& header() const { return store_.header(); }

    std::vector<EntityRecord> entities() {
        std::vector<EntityRecord> records(static_cast<std::size_t>(store_.entity_count()));
        for (std::size_t i = 0; i < records.size(); ++i)
            store_.read_entity(static_cast<std::int32_t>(i), records[i]);
        return records;
    }

    std::vector<EntityRecord> block_entities(std::int32_t n) {
        BlockRecord block;
        std::vector<EntityRecord> records;
        if (store_.read_block(n, block) != 0) return records;
        records.resize(static_cast<std::size_t>(block.count));
        for (std::size_t i = 0; i < records.size(); ++i)
            store_.read_block_entity(block, static_cast<std::int32_t>(i), records[i]);
        return records;
    }

    LayerRecord layer(std::int32_t n) {
        LayerRecord record;
        store_.read_layer(n, record);
        return record;
    }

    BlockRecord block(std::int32_t n) {
        BlockRecord record;
        store_.read_block(n, record);
        return record;
    }

    std::string text_of(const EntityRecord& record) {
        std::string text;
        store_.read_text(record, text);
        return text;
    }

    // Entity records in the ENT section as the data file's size tells.
    long entity_records_in_file() const {
        if (header().add_ent == 0) return 0;
        return (store_.file_size() - header().add_ent) / static_cast<long>(sizeof(EntityRecord));
    }

    TempFolder scratch_;
    std::filesystem::path folder_ = scratch_.folder();
    RecordingMessages messages_;
    StoreReader store_;
    std::vector<BlockTally> tallies_;
    LossReport dropped_;  // what the last import could not store
};

}  // namespace zov
