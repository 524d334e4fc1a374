#include "dxf_import/entity_split.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace zov {

namespace {

// A part begins only at an entity that stands on its own (never at an
// ATTRIB, which may belong to the INSERT before it) and whose reader needs
// nothing read before it.
constexpr std::array kPartStartNames = {
    std::string_view("LINE"),     std::string_view("CIRCLE"),    std::string_view("ARC"),
    std::string_view("TEXT"),     std::string_view("MTEXT"),     std::string_view("LWPOLYLINE"),
    std::string_view("POLYLINE"), std::string_view("INSERT"),    std::string_view("POINT"),
    std::string_view("SOLID"),    std::string_view("ELLIPSE"),   std::string_view("SPLINE"),
    std::string_view("HATCH"),    std::string_view("DIMENSION"),
};

// How far from the wished-for offset a part start is looked for.
constexpr std::size_t kSearchBytes = std::size_t{1} << 20;

bool is_part_start_name(std::string_view name) {
    for (std::string_view known : kPartStartNames) {
        if (known == name) return true;
    }
    return false;
}

bool is_zero_code(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line == "0";
}

// A line of a stretch of the file as the line reader splits it
// (dxf/line_reader.h): at the terminator, a CR LF file dropping the byte
// after its CR and an LF file a CR before its LF.
struct Line {
    std::string_view text;
    std::size_t next = 0;  // where the next line begins
};

class LineSplitter {
public:
    LineSplitter(std::string_view bytes, LineEnd line_end)
        : bytes_(bytes),
          terminator_(line_end == LineEnd::Lf ? '\n' : '\r'),
          step_(line_end == LineEnd::CrLf ? 2 : 1),
          lf_(line_end == LineEnd::Lf) {}

    // The line beginning at `begin`; false when it does not end within the bytes.
    bool line_at(std::size_t begin, Line& line) const {
        const std::size_t end = bytes_.find(terminator_, begin);
        if (end == std::string_view::npos || end + step_ > bytes_.size()) return false;
        const bool stray_cr = lf_ && end > begin && bytes_[end - 1] == '\r';
        line.text = bytes_.substr(begin, end - begin - (stray_cr ? 1 : 0));
        line.next = end + step_;
        return true;
    }

private:
    std::string_view bytes_;
    char terminator_;
    std::size_t step_;
    bool lf_;
};

}  // namespace

std::int64_t next_entity_start(int fd, LineEnd line_end, std::int64_t from, std::int64_t limit) {
    if (from < 0 || from >= limit) return -1;
    const auto wanted =
        static_cast<std::size_t>(std::min<std::int64_t>(limit - from, kSearchBytes));
    std::string bytes(wanted, '\0');
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n = ::pread(fd, bytes.data() + got, wanted - got,
                                  static_cast<off_t>(from + static_cast<std::int64_t>(got)));
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    const LineSplitter lines(bytes, line_end);
    // At an offset inside the file the line found first may be cut.
    Line code;
    if (from > 0 && !lines.line_at(0, code)) return -1;
    std::size_t begin = from > 0 ? code.next : 0;
    // Every line is taken for a code line in turn: pairs may be out of step
    // with a stretch cut anywhere.
    while (lines.line_at(begin, code)) {
        Line name;
        if (is_zero_code(code.text) && lines.line_at(code.next, name) &&
            is_part_start_name(name.text))
            return from + static_cast<std::int64_t>(code.next);
        begin = code.next;
    }
    return -1;
}

std::vector<std::int64_t> entity_part_starts(int fd, LineEnd line_end, std::int64_t begin,
                                             std::int64_t end, int parts) {
    std::vector<std::int64_t> starts;
    for (int part = 1; part < parts; ++part) {
        const std::int64_t wished = begin + (end - begin) / parts * part;
        const std::int64_t after = starts.empty() ? begin : starts.back() + 1;
        const std::int64_t start = next_entity_start(fd, line_end, std::max(wished, after), end);
        if (start < 0) break;
        starts.push_back(start);
    }
    return starts;
}

}  // namespace zov
