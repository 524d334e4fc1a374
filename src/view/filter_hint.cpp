#include "view/filter_hint.h"

#include <vector>

#include "store/store_reader.h"

namespace zov {

bool filter_hides_every_entity(const std::string& store_path, LayerFilter filter) {
    StoreReader store;
    if (store.open(store_path) != 0 || store.read_header() != 0) return false;
    std::vector<std::int32_t> layer_flags(static_cast<std::size_t>(store.layer_count()));
    LayerRecord layer;
    for (std::size_t i = 0; i < layer_flags.size(); ++i)
        if (store.read_layer(static_cast<std::int32_t>(i + 1), layer) == 0)
            layer_flags[i] = layer.flags;
    std::int32_t flags = 0;  // before the first layer: what the pass takes
    EntityRecord entity;
    const std::int32_t count = store.entity_count();
    bool any = false;
    for (std::int32_t i = 0; i < count && store.read_entity(i, entity) == 0; ++i) {
        if (entity.layer > 0 && static_cast<std::size_t>(entity.layer) <= layer_flags.size())
            flags = layer_flags[static_cast<std::size_t>(entity.layer - 1)];
        if (filter_shows_layer(filter, flags)) return false;
        any = true;
    }
    return any;
}

}  // namespace zov
