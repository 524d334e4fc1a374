#include "dxf/line_end.h"

namespace zov {

std::string_view line_end_bytes(LineEnd line_end) {
    switch (line_end) {
        case LineEnd::Lf: return "\n";
        case LineEnd::Cr: return "\r";
        case LineEnd::CrLf: break;
    }
    return "\r\n";
}

std::optional<LineEnd> first_line_end(std::string_view bytes, std::size_t scan_end) {
    const std::size_t at = bytes.substr(0, scan_end).find_first_of("\r\n");
    if (at == std::string_view::npos) return std::nullopt;
    if (bytes[at] == '\n') return LineEnd::Lf;
    return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
}

}  // namespace zov
