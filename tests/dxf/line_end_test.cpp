#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "dxf/line_end.h"

namespace zov {
namespace {

constexpr std::size_t kAll = std::string_view::npos;

TEST(LineEnd, TheFirstLineEndDecidesWithinTheScannedBytes) {
    struct Case {
        std::string_view bytes;
        std::size_t scan_end;
        std::optional<LineEnd> expected;
    };
    const Case cases[] = {
        {"  0\r\nLINE\n", kAll, LineEnd::CrLf},
        {"  0\nLINE\r\n", kAll, LineEnd::Lf},
        {"  0\rLINE\r\n", kAll, LineEnd::Cr},
        {"  0\r", kAll, LineEnd::Cr},   // a CR at the very end is a lone CR
        {"\n\r\n", kAll, LineEnd::Lf},  // an LF before a CR LF
        {"", kAll, std::nullopt},
        {"no line end", kAll, std::nullopt},
        // The scan ends before the line end starts...
        {"ab\r\n", 2, std::nullopt},
        {"ab\n", 2, std::nullopt},
        // ...or after its CR: the LF behind the scan's end still makes it CR LF.
        {"ab\r\n", 3, LineEnd::CrLf},
        {"ab\rx", 3, LineEnd::Cr},
        {"ab\r\n", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(first_line_end(c.bytes, c.scan_end), c.expected)
            << testing::PrintToString(std::string(c.bytes)) << " scanned to " << c.scan_end;
    }
}

}  // namespace
}  // namespace zov
