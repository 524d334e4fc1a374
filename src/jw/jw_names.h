#pragma once
// Layer and group names of a JW_CAD data file turned into store layer names:
// only characters that every later consumer (layer table, DXF export) can
// hold are kept, half-width katakana become full-width, and names are cut to
// whole characters.
#include <string>
#include <string_view>

namespace zov {

// Cuts `name` to at most `max_bytes` bytes without splitting a double-byte
// character, then removes one trailing blank or other non-graphic
// single-byte character.
void limit_name(std::string& name, std::size_t max_bytes);

// The character cleaning of layer and group names (in place): "#l..."
// becomes "JW_25D"; other single-byte characters than letters, digits,
// half-width katakana, "$", "-" and "_" become "_"; letters become upper
// case; half-width katakana become full-width (the prolonged sound mark
// "-"); the full-width blank and all double-byte characters other than
// full-width digits, letters and kana, the degree sign, the voiced mark and
// kanji are dropped. At most 254 bytes.
void convert_layer_name(std::string& name);

// The name of layer `layer` (0-255) from its stored field of `field_size`
// bytes, with its default "%X-%X" when it is empty; one-byte names get
// their group digit in front.
std::string jw_layer_name(std::string_view stored, int layer, std::size_t field_size = 8);

// The name of group `group` (0-15) from its stored field of `field_size`
// bytes, "%X" when empty.
std::string jw_group_name(std::string_view stored, int group, std::size_t field_size = 16);

// The store name of a used layer: its own default form alone, or else
// group name + "-" + layer name; at most 31 bytes.
std::string jw_final_layer_name(const std::string& group_name, const std::string& layer_name,
                                int layer);

}  // namespace zov
