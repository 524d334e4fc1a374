#pragma once
// Imports fixture files into a fresh program folder and reads the store back.
#include <string>
#include <vector>

#include "common/encoding.h"
#include "fixtures/jw_writer.h"
#include "jw/jw_import.h"
#include "store/store_folder.h"
#include "store/store_reader.h"

namespace zov {

class JwImportTest : public StoreFolder {
protected:
    // Writes `bytes` as the source file and imports it.
    int import(const std::string& bytes) { return import(bytes, settings_); }
    int import(const std::string& bytes, JwImportSettings& settings) {
        fixtures::write_jw_file(source_path(), bytes);
        int result = import_jwc_file(source_path(), state(), messages_, settings);
        load_store();
        return result;
    }
    std::string source_path() const { return (folder_ / "source").string() + ".jwc"; }

    // Reads header, layers, entities and texts of the assembled store.
    void load_store() {
        header = StoreHeader{};
        layers.clear();
        entities.clear();
        texts.clear();
        StoreReader reader;
        if (reader.open(path(kDataFileName)) != 0) return;
        header = reader.header();
        for (std::int32_t n = 1; n <= reader.layer_count(); ++n) {
            LayerRecord layer;
            reader.read_layer(n, layer);
            layers.push_back(layer);
        }
        for (std::int32_t i = 0; i < reader.entity_count(); ++i) {
            EntityRecord entity;
            reader.read_entity(i, entity);
            entities.push_back(entity);
            std::string text;
            if (entity.kind == kEntityText) reader.read_text(entity, text);
            texts.push_back(text);
        }
    }

    // Entities of one kind, in store order.
    std::vector<EntityRecord> of_kind(std::int32_t kind) const {
        std::vector<EntityRecord> found;
        for (const EntityRecord& e : entities)
            if (e.kind == kind) found.push_back(e);
        return found;
    }

    // Every layer number refers to a written layer record; counts match the file.
    void expect_consistent_store() const {
        EXPECT_EQ(header.lay_num, static_cast<std::int32_t>(layers.size()));
        EXPECT_EQ(header.lay_num2, header.lay_num);
        EXPECT_EQ(header.ent_num, static_cast<std::int32_t>(entities.size()));
        for (const EntityRecord& e : entities) {
            EXPECT_GE(e.layer, 0);
            EXPECT_LE(e.layer, header.lay_num);
        }
    }

    std::string message(std::size_t i) const {
        return i < messages_.entries.size() ? cp932_to_utf8(messages_.entries[i].text) : "";
    }

    JwImportSettings settings_;
    StoreHeader header;
    std::vector<LayerRecord> layers;
    std::vector<EntityRecord> entities;
    std::vector<std::string> texts;  // CP932, one per entity ("" for non-texts)
};

}  // namespace zov
