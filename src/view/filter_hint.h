#pragma once
// A layer filter kept from one drawing to the next can leave the next one
// blank; the window then says so instead of showing a black view.
#include <string>

#include "common/japanese_texts.h"
#include "render/display_settings.h"

namespace zov {

inline const char* const kEverythingFilteredOut = cp932_text(JaText::EverythingFilteredOut);

// True when the store at `store_path` has entities and the standard display
// with `filter` draws none of them (an entity of layer 0, or of a number
// with no record, takes the layer of the entity before it, as the drawing
// pass does). False for an empty store or one that cannot be read.
bool filter_hides_every_entity(const std::string& store_path, LayerFilter filter);

}  // namespace zov
