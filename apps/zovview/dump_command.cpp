// zovview --dump FILE [--home DIR]: imports FILE into a drawing store and
// prints what the store holds, in UTF-8: the 26 lines of the header dump,
// one line per layer and per block, the entity records of the drawing
// counted by kind, and one note= line per note of the import (what it drew
// simpler than the file asks).
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "commands.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "store/header_dump.h"
#include "store/import_state.h"
#include "store/records.h"
#include "store/store_reader.h"

namespace {

// The source file: the one argument that is neither an option nor the
// folder after --home; empty when there is not exactly one.
std::string source_argument(const CommandArgs& args) {
    std::string file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home") {
            if (++i == args.size()) return std::string();  // --home without its folder
            continue;
        }
        if (!file.empty() || args[i].rfind("--", 0) == 0) return std::string();
        file = args[i];
    }
    return file;
}

void print_utf8(const std::string& cp932_text) {
    std::fputs(zov::cp932_to_utf8(cp932_text).c_str(), stdout);
}

void print_layers(zov::StoreReader& store) {
    for (std::int32_t n = 1; n <= store.layer_count(); ++n) {
        zov::LayerRecord layer;
        if (store.read_layer(n, layer) != 0) break;
        print_utf8(
            zov::format_text("layer=%d name=%s flags=%d colour=%d line_type=%d "
                             "used_number=%d\n",
                             n, std::string(zov::fixed_text(layer.name)).c_str(), layer.flags,
                             layer.colour, layer.line_type, layer.used_number));
    }
}

void print_blocks(zov::StoreReader& store) {
    for (std::int32_t n = 1; n <= store.block_count(); ++n) {
        zov::BlockRecord block;
        if (store.read_block(n, block) != 0) break;
        print_utf8(zov::format_text("block=%d name=%s first=%d count=%d\n", n,
                                    std::string(zov::fixed_text(block.name)).c_str(), block.first,
                                    block.count));
    }
}

void print_entity_counts(zov::StoreReader& store) {
    // Kinds are small numbers, counted in place; any other goes to the map.
    std::array<long, 256> small_kinds{};
    std::map<std::int32_t, long> counts;
    zov::EntityRecord entity;
    for (std::int32_t i = 0; i < store.entity_count(); ++i) {
        if (store.read_entity(i, entity) != 0) break;
        if (entity.kind >= 0 && entity.kind < static_cast<std::int32_t>(small_kinds.size())) {
            ++small_kinds[static_cast<std::size_t>(entity.kind)];
        } else {
            ++counts[entity.kind];
        }
    }
    for (std::size_t kind = 0; kind < small_kinds.size(); ++kind) {
        if (small_kinds[kind] > 0) counts[static_cast<std::int32_t>(kind)] = small_kinds[kind];
    }
    for (const auto& [kind, count] : counts) std::printf("kind=%d count=%ld\n", kind, count);
}

// Imports `file` into the store of `folder` and prints the store; 0 or 1.
int import_and_print(const std::string& file, const CommandFolder& folder,
                     zov::Messages& messages) {
    std::vector<std::string> notes;
    zov::LossReport dropped;
    if (import_source(file, folder, messages, &notes, &dropped) != 0) return 1;
    const std::string data_path = folder.store() + zov::kDataFileName;
    zov::StoreReader store;
    if (store.open(data_path) != 0) {
        std::fprintf(stderr, "zovview: %s cannot be read\n", data_path.c_str());
        return 1;
    }
    print_utf8(zov::header_dump_text(store.header()));
    print_layers(store);
    print_blocks(store);
    print_entity_counts(store);
    for (const std::string& note : notes) print_utf8("note=" + note + "\n");
    for (const std::string& line : dropped.lines()) print_utf8("note=" + line + "\n");
    zov::show_losses(messages, dropped, zov::kImportLossHint);
    return 0;
}

}  // namespace

int dump_command(const CommandArgs& args) {
    std::string file = source_argument(args);
    if (file.empty()) {
        std::fprintf(stderr, "zovview --dump: one FILE is needed (and a folder after --home)\n");
        return zov::kExitMisuse;
    }
    // The store names its source by its full path.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (!error) file = absolute.lexically_normal().string();
    zov::ConsoleMessages messages;
    const CommandFolder folder(args);
    if (!folder.ok()) return 1;
    return import_and_print(file, folder, messages);
}
