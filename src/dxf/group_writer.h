#pragma once
// The one writer of DXF groups: every call writes one group, its code line
// and its value line, each followed by the writer's line end. Numbers take
// the forms the programs' files have always held, named by what they are;
// they never depend on the C locale, so a decimal comma can never reach a
// file, and they are always finite (an overflow is written as the largest
// number of its sign).
#include <initializer_list>
#include <string_view>

namespace zov {

// Where the groups go: the program's own buffered file writer.
class DxfSink {
public:
    virtual ~DxfSink() = default;
    // Takes the bytes; false when they did not reach the output.
    virtual bool write(std::string_view bytes) = 0;
};

// A group code as written: its number right-aligned in `width` columns
// (0: as wide as the number). Implicit from a number, so that the plain
// code reads as itself at the call.
struct DxfCode {
    constexpr DxfCode(int number, int width = 0) : number(number), width(width) {}
    int number;
    int width;
};

// A group whose value is a fixed text.
struct DxfTextGroup {
    DxfCode code;
    std::string_view value;
};

class DxfGroupWriter {
public:
    // `line_end` must outlive the writer.
    DxfGroupWriter(DxfSink& sink, std::string_view line_end) : sink_(sink), line_end_(line_end) {}

    // The value as it is, whatever its length.
    void text(DxfCode code, std::string_view value);
    // Several groups of fixed texts, in order.
    void texts(std::initializer_list<DxfTextGroup> groups);
    // Decimal, right-aligned in `width` columns (0: as wide as the number).
    void integer(DxfCode code, long value, int width = 0);
    // A colour number in three columns ("%3d"), as the entity templates have it.
    void colour(DxfCode code, int value) { integer(code, value, 3); }
    // A handle in lower-case hexadecimal ("%lx").
    void handle(DxfCode code, unsigned long value);
    // Three decimals ("%0.3f"): coordinates, lengths and radii.
    void coordinate(DxfCode code, double value);
    // Six decimals ("%f"): angles, factors, ratios and the view's size.
    void real(DxfCode code, double value);
    // No decimals ("%0.0f"): extents of a sheet in whole units.
    void whole(DxfCode code, double value);

    // Bytes as they are, for groups copied from a file the user may edit.
    void verbatim(std::string_view bytes);

    // True once the sink has refused bytes.
    bool failed() const { return failed_; }

private:
    void put(std::string_view bytes);
    void fixed(DxfCode code, double value, int decimals);

    DxfSink& sink_;
    std::string_view line_end_;
    bool failed_ = false;
};

}  // namespace zov
