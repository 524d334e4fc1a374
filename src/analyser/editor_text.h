#pragma once
// The editor shows a CP932 file as Unicode text and writes it back byte for
// byte. Every byte sequence has a Unicode form of its own:
// - a double-byte character whose code is not the one CP932 writes for its
//   Unicode character (the NEC and IBM extension rows hold the same
//   characters twice) is that character followed by a variation selector
//   (U+FE00 for the first other code, U+FE01 for the second);
// - a control byte is its control picture (0x18, the end code, shows as
//   U+2418), a tab stays a tab, and a CR or LF that is not the file's line
//   end shows as U+240D or U+240A;
// - a byte that starts no character is U+FFF00 plus the byte (private use).
// None of these Unicode characters exists in CP932, so reading them back is
// unambiguous.
#include <cstddef>
#include <string>
#include <string_view>

#include "dxf/line_end.h"

namespace zov {

struct EditorText {
    std::u16string text;  // lines joined by "\n"
    LineEnd line_end = LineEnd::CrLf;
};

// The file's line end is the first one found (CR LF when there is none).
EditorText decode_editor_text(std::string_view bytes);

struct EncodedText {
    std::string bytes;
    std::size_t unwritable = 0;  // characters CP932 cannot hold, written as "?"
};

// "\n" becomes `line_end`; every other character its bytes as above.
EncodedText encode_editor_text(std::u16string_view text, LineEnd line_end);

}  // namespace zov
