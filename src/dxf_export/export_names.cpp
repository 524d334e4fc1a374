// Names of the layers and blocks in the full export, and the block inserts
// that would make a block contain itself.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "common/cp932.h"
#include "common/messages.h"
#include "common/paths.h"
#include "dxf_export/full_export.h"
#include "store/store_reader.h"

namespace zov {

namespace {

// Characters that DXF table names cannot hold.
constexpr char kForbiddenInNames[] = "<>/\\\":;?*|=`";

// The name with every forbidden or control character replaced by "_";
// double-byte characters are copied whole (their second byte may be "\").
// A leading "*" is kept when `keep_star` (anonymous blocks).
std::string table_name(std::string_view cp932, bool keep_star) {
    std::string name;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (is_lead_byte(byte) && i + 1 < cp932.size()) {
            name.append(cp932.substr(i, 2));
            ++i;
        } else if (byte < 0x20 || (std::strchr(kForbiddenInNames, byte) != nullptr &&
                                   !(keep_star && i == 0 && byte == '*'))) {
            name += '_';
        } else {
            name += static_cast<char>(byte);
        }
    }
    return name;
}

// Letter case folded for comparing names, as DXF readers compare them.
std::string name_key(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

bool is_layout_block(const std::string& key) {
    return key.rfind("*MODEL_SPACE", 0) == 0 || key.rfind("*PAPER_SPACE", 0) == 0;
}

void name_layers(StoreReader& store, FullExportNames& names) {
    const std::int32_t count = store.layer_count();
    names.layers.assign(static_cast<std::size_t>(count) + 1, "0");
    std::map<std::string, std::string> written;
    for (std::int32_t n = 1; n <= count; ++n) {
        LayerRecord layer;
        if (store.read_layer(n, layer) != 0) break;
        std::string name = table_name(fixed_text(layer.name), false);
        if (name.empty()) continue;
        const auto [found, is_new] = written.try_emplace(name_key(name), name);
        names.layers[static_cast<std::size_t>(n)] = found->second;
        if (is_new && layer.use_count != 0) {
            names.layer_table.push_back(n);
        } else if (is_new) {
            // An unused layer gets no record; a later one of its name may.
            written.erase(found);
            names.layers[static_cast<std::size_t>(n)].assign(1, '0');
        }
    }
}

void name_blocks(StoreReader& store, FullExportNames& names) {
    const std::int32_t count = store.block_count();
    names.blocks.assign(static_cast<std::size_t>(count) + 1, std::string());
    std::set<std::string> taken{"*MODEL_SPACE", "*PAPER_SPACE", "REVDATE"};
    // The serial to try next for each name met more than once: every serial
    // below it is taken already (names are only ever added), so the search
    // goes on where it stopped and many blocks of one name stay linear.
    std::map<std::string, int> next_serial;
    for (std::int32_t n = 1; n <= count; ++n) {
        BlockRecord block;
        if (store.read_block(n, block) != 0) break;
        std::string name = table_name(fixed_text(block.name), true);
        if (name.empty() || name == "*") name = format_text("BLOCK%d", n);
        const std::string key = name_key(name);
        if (is_layout_block(key)) continue;
        std::string unique = name;
        if (taken.count(key) != 0) {
            int& serial = next_serial.try_emplace(key, 2).first->second;
            do {
                unique = format_text("%s_%d", name.c_str(), serial++);
            } while (taken.count(name_key(unique)) != 0);
        }
        taken.insert(name_key(unique));
        names.blocks[static_cast<std::size_t>(n)] = unique;
    }
}

// The blocks that block `number` inserts: its own inserts and those of the
// pictures of its dimensions.
std::vector<std::int32_t> inserted_blocks(StoreReader& store, std::int32_t number) {
    std::vector<std::int32_t> inserted;
    BlockRecord block;
    if (store.read_block(number, block) != 0) return inserted;
    for (std::int32_t i = 0; i < block.count; ++i) {
        EntityRecord e;
        if (store.read_block_entity(block, i, e) != 0) break;
        if (e.kind == kEntityInsert) {
            inserted.push_back(e.block);
        } else if (e.kind == kEntityDimension) {
            BlockRecord picture;
            if (e.block == number || store.read_block(e.block, picture) != 0) {
                inserted.push_back(e.block);
                continue;
            }
            for (std::int32_t k = 0; k < picture.count; ++k) {
                EntityRecord p;
                if (store.read_block_entity(picture, k, p) != 0) break;
                if (p.kind == kEntityInsert) inserted.push_back(p.block);
            }
        }
    }
    std::sort(inserted.begin(), inserted.end());
    inserted.erase(std::unique(inserted.begin(), inserted.end()), inserted.end());
    return inserted;
}

// Depth-first walk over the insert graph without recursion (a store may hold
// thousands of blocks nested deep); an insert of a block still on the walk's
// path closes a loop and is left out.
void find_looping_inserts(StoreReader& store, FullExportNames& names) {
    const auto count = static_cast<std::int32_t>(names.blocks.size()) - 1;
    enum class State { New, OnPath, Done };
    std::vector<State> state(names.blocks.size(), State::New);
    struct Step {
        std::int32_t block;
        std::vector<std::int32_t> targets;
        std::size_t next = 0;
    };
    for (std::int32_t root = 1; root <= count; ++root) {
        if (state[static_cast<std::size_t>(root)] != State::New) continue;
        std::vector<Step> path{{root, inserted_blocks(store, root)}};
        state[static_cast<std::size_t>(root)] = State::OnPath;
        while (!path.empty()) {
            Step& step = path.back();
            if (step.next == step.targets.size()) {
                state[static_cast<std::size_t>(step.block)] = State::Done;
                path.pop_back();
                continue;
            }
            const std::int32_t target = step.targets[step.next++];
            if (target < 1 || target > count) continue;
            const State seen = state[static_cast<std::size_t>(target)];
            if (seen == State::OnPath) {
                names.looping_inserts.insert({step.block, target});
            } else if (seen == State::New) {
                state[static_cast<std::size_t>(target)] = State::OnPath;
                std::vector<std::int32_t> next_targets = inserted_blocks(store, target);
                path.push_back({target, std::move(next_targets)});
            }
        }
    }
}

}  // namespace

const std::string& FullExportNames::layer_name(std::int32_t n) const {
    if (n < 0 || static_cast<std::size_t>(n) >= layers.size()) return layers.front();
    return layers[static_cast<std::size_t>(n)];
}

const std::string& FullExportNames::block_name(std::int32_t n) const {
    static const std::string kNone;
    if (n < 1 || static_cast<std::size_t>(n) >= blocks.size()) return kNone;
    return blocks[static_cast<std::size_t>(n)];
}

const std::string* FullExportNames::source_line_type(std::int32_t n) const {
    if (n < 1 || static_cast<std::size_t>(n) > line_types.size()) return nullptr;
    return &line_types[static_cast<std::size_t>(n) - 1].name;
}

const std::string* FullExportNames::source_line_type(std::string_view stored_name) const {
    for (const NamedLineType& type : line_types)
        if (!stored_name.empty() && fixed_text(type.pattern.name) == stored_name) return &type.name;
    return nullptr;
}

void name_source_line_types(const std::vector<SourceLineTypeRecord>& types,
                            FullExportNames& names) {
    names.line_types.clear();
    for (const SourceLineTypeRecord& type : types) {
        std::string name = table_name(fixed_text(type.name), false);
        if (name.empty()) name = "LTYPE" + std::to_string(names.line_types.size() + 1);
        names.line_types.push_back({0, std::move(name), type});
    }
}

bool is_fixed_line_type_name(std::string_view name) {
    return std::any_of(std::begin(kLineTypeNames), std::end(kLineTypeNames),
                       [name](const char* fixed) { return equals_ignore_case(name, fixed); });
}

FullExportNames name_layers_and_blocks(StoreReader& store) {
    FullExportNames names;
    name_layers(store, names);
    name_blocks(store, names);
    find_looping_inserts(store, names);
    return names;
}

}  // namespace zov
