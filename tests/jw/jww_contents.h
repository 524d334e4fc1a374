#pragma once
// Contents for the JW_CAD for Windows reader's tests, built for any file
// kind and data version.
#include <cstdint>
#include <string>

#include "fixtures/jww_writer.h"

namespace zov {

JwwEntityBase jww_base(std::uint32_t curve, std::uint8_t pen_style, std::uint16_t pen_colour,
                       std::uint16_t pen_width, std::uint16_t layer, std::uint16_t group,
                       std::uint16_t flags);

fixtures::JwwBlock jww_block(std::uint32_t number, const std::string& name,
                             std::vector<fixtures::JwwObject> contents);

// A header with a distinct value in every field the reader hands on.
JwwHeader busy_header(JwwFileKind kind, std::uint32_t version);

// Every entity class and its variants (marker points, solids with and
// without their own colour, round solids, a dimension, long texts), blocks
// nested three deep, one inserting itself, and two embedded images.
fixtures::JwwContent every_kind(JwwFileKind kind, std::uint32_t version);

// A few entities of each common class and a nested block: small enough to
// cut at every offset.
fixtures::JwwContent small_content(JwwFileKind kind, std::uint32_t version);

}  // namespace zov
