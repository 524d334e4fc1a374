#pragma once
// The fixed text-font setting of the DXF writer: it chooses the primary font
// of the text style MT (and, with an at sign in front, of the vertical style TMT).

namespace zov {

inline constexpr int kTextFontChoice = 3;

// 0 or 3 "MS Gothic", 1 "MS Mincho", 2 "ＭＳ Ｐゴシック" (CP932), 4 "extfont.shx".
const char* mt_font_name(int choice);

}  // namespace zov
