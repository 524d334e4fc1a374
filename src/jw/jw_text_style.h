#pragma once
// How the renderer is to draw a JW_CAD text, and how much of it the store keeps.
#include <string>
#include <string_view>

namespace zov {

// Store text style codes; kJwStyleVertical is added for vertical writing.
constexpr int kJwStylePlain = 0;
constexpr int kJwStyleControl = 10;  // holds a "^" control sequence
constexpr int kJwStyleSpread = 20;   // ends with a middle dot
constexpr int kJwStyleVertical = 1;

// 20 when the text ends with the middle dot (full-width 0x81 0x45 or
// half-width 0xA5), else 10 when it holds "^" followed by one of 1-9, B, b,
// c, d, o, u, else 0.
int text_style_code(std::string_view text);

// 0 when every byte of the text is a printable single-byte character;
// otherwise 1, and the text is cut to its first 236 bytes (whole characters).
int has_double_byte(std::string& text);

}  // namespace zov
