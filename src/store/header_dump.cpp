#include "store/header_dump.h"

#include <cstdio>

#include "common/clock.h"
#include "common/cp932.h"
#include "common/japanese_texts.h"
#include "common/messages.h"
#include "store/import_state.h"

namespace zov {

std::string header_dump_text(const StoreHeader& h) {
    std::string text;
    text += format_text("ver  =%s\n", std::string(fixed_text(h.ver)).c_str());
    text += format_text("kind =%d\n", h.kind);
    text += format_text("fname=%s\n", std::string(fixed_text(h.fname)).c_str());
    text += "ftime=" + standard_time_text(h.ftime);
    text += format_text("paper_x  =%f %f\n", h.paper_x, h.paper_y);
    text += format_text("pe_flag  =%d\n", h.pe_flag);
    text += format_text("pe_min_x =%f %f\n", h.pe_min_x, h.pe_min_y);
    text += format_text("pe_max_x =%f %f\n", h.pe_max_x, h.pe_max_y);
    text += format_text("   min_x =%f %f\n", h.min_x, h.min_y);
    text += format_text("   max_x =%f %f\n", h.max_x, h.max_y);
    text += format_text("scale    =%f\n", h.scale);
    text += format_text("add_lin  =%ld\n", static_cast<long>(h.add_lin));
    text += format_text("add_lay  =%ld\n", static_cast<long>(h.add_lay));
    text += format_text("add_bro  =%ld\n", static_cast<long>(h.add_bro));
    text += format_text("add_bda  =%ld\n", static_cast<long>(h.add_bda));
    text += format_text("add_str  =%ld\n", static_cast<long>(h.add_str));
    text += format_text("add_ent  =%ld\n", static_cast<long>(h.add_ent));
    text += format_text("lay_num  =%d\n", h.lay_num);
    text += format_text("lay_num2 =%d\n", h.lay_num2);
    text += format_text("bro_num  =%d\n", h.bro_num);
    text += format_text("bro_num2 =%d\n", h.bro_num2);
    text += format_text("line_num =%d\n", h.line_num);
    text += format_text("cir_num  =%d\n", h.cir_num);
    text += format_text("str_num  =%d\n", h.str_num);
    text += format_text("ent_num  =%d\n", h.ent_num);
    text += format_text("dsp_mode =%d\n", h.dsp_mode);
    return text;
}

namespace {

// The dump cannot be opened; the text names the viewer's general dump file,
// ZovView.txt, as it always has.
const char* const kCannotOpenDump = cp932_text(JaText::CannotOpenDump);

}  // namespace

int write_header_dump(ImportState& state) {
    const std::string path = state.path(kHeaderDumpFileName);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        show_error(state.messages, kCannotOpenDump);
        return -1;
    }
    // Written as a text-mode file of the viewer's platform: every line ends in CR LF.
    std::string bytes;
    for (char c : header_dump_text(state.header)) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        show_error(state.messages, kCannotOpenDump);
        return -1;
    }
    return 0;
}

}  // namespace zov
