#include "dxf_export/text_fonts.h"

namespace zov {

const char* mt_font_name(int choice) {
    switch (choice) {
        case 1: return "MS Mincho";
        case 2: return "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ Ｐゴシック
        case 4: return "extfont.shx";
        default: return "MS Gothic";
    }
}

}  // namespace zov
