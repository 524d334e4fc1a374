#include "dxf_export/text_fonts.h"

#include "common/japanese_texts.h"

namespace zov {

const char* mt_font_name(int choice) {
    switch (choice) {
        case 1: return "MS Mincho";
        case 2: return cp932_text(JaText::PGothicFace);
        case 4: return "extfont.shx";
        default: return "MS Gothic";
    }
}

}  // namespace zov
