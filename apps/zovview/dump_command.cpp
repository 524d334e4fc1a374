// zovview --dump FILE [--home DIR]: imports FILE into a drawing store and
// prints what the store holds, in UTF-8: the 26 lines of the header dump,
// one line per layer and per block, and the entity records of the drawing
// counted by kind.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "commands.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "store/header_dump.h"
#include "store/records.h"
#include "store/store_reader.h"

namespace {

// The source file: the one argument that is neither an option nor the
// folder after --home; empty when there is not exactly one.
std::string source_argument(const CommandArgs& args) {
    std::string file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home") {
            ++i;
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
        print_utf8(zov::format_text("layer=%d name=%s flags=%d colour=%d line_type=%d "
                                    "used_number=%d\n",
                                    n, std::string(zov::fixed_text(layer.name)).c_str(),
                                    layer.flags, layer.colour, layer.line_type,
                                    layer.used_number));
    }
}

void print_blocks(zov::StoreReader& store) {
    for (std::int32_t n = 1; n <= store.block_count(); ++n) {
        zov::BlockRecord block;
        if (store.read_block(n, block) != 0) break;
        print_utf8(zov::format_text("block=%d name=%s first=%d count=%d\n", n,
                                    std::string(zov::fixed_text(block.name)).c_str(),
                                    block.first, block.count));
    }
}

void print_entity_counts(zov::StoreReader& store) {
    std::map<std::int32_t, long> counts;
    zov::EntityRecord entity;
    for (std::int32_t i = 0; i < store.entity_count(); ++i) {
        if (store.read_entity(i, entity) != 0) break;
        ++counts[entity.kind];
    }
    for (const auto& [kind, count] : counts) std::printf("kind=%d count=%ld\n", kind, count);
}

// Imports `file` into the store of `folder` and prints the store; 0 or 1.
int import_and_print(const std::string& file, const std::string& folder,
                     zov::Messages& messages) {
    if (import_source(file, folder, messages) != 0) return 1;
    const std::string data_path = folder + zov::kDataFileName;
    zov::StoreReader store;
    if (store.open(data_path) != 0) {
        std::fprintf(stderr, "zovview: %s cannot be read\n", data_path.c_str());
        return 1;
    }
    print_utf8(zov::header_dump_text(store.header()));
    print_layers(store);
    print_blocks(store);
    print_entity_counts(store);
    return 0;
}

}  // namespace

int dump_command(const CommandArgs& args) {
    std::string file = source_argument(args);
    if (file.empty()) {
        std::fprintf(stderr, "zovview --dump: one FILE is needed\n");
        return zov::kExitMisuse;
    }
    // The store names its source by its full path.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (!error) file = absolute.lexically_normal().string();
    zov::ConsoleMessages messages;
    const CommandFolder folder(args);
    return import_and_print(file, folder.path(), messages);
}
