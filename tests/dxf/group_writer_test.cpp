// The DXF group writer: one group per call in each number form, the
// writer's line end, and a sink that refuses bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <string>

#include "dxf/group_writer.h"

namespace zov {
namespace {

class MemorySink : public DxfSink {
public:
    bool write(std::string_view bytes) override {
        if (refuse) return false;
        text.append(bytes);
        return true;
    }
    std::string text;
    bool refuse = false;
};

std::string written(std::string_view line_end, const std::function<void(DxfGroupWriter&)>& write) {
    MemorySink sink;
    DxfGroupWriter out(sink, line_end);
    write(out);
    return sink.text;
}

TEST(DxfGroupWriter, WritesEachFormAsCodeLineAndValueLine) {
    const std::string long_text(3000, 'a');
    const struct {
        std::function<void(DxfGroupWriter&)> write;
        std::string expected;
    } cases[] = {
        {[](DxfGroupWriter& o) { o.text(8, "Zukei"); }, "8|Zukei|"},
        {[](DxfGroupWriter& o) { o.text(1, ""); }, "1||"},
        {[&](DxfGroupWriter& o) { o.text(1, long_text); }, "1|" + long_text + "|"},
        {[](DxfGroupWriter& o) {
             o.texts({{0, "LINE"}, {8, "0"}});
         },
         "0|LINE|8|0|"},
        {[](DxfGroupWriter& o) {
             o.text({9, 2}, "$CMLJUST");
         },
         " 9|$CMLJUST|"},
        {[](DxfGroupWriter& o) {
             o.text({70, 8}, "64");
         },
         "      70|64|"},
        {[](DxfGroupWriter& o) { o.integer(70, -12); }, "70|-12|"},
        {[](DxfGroupWriter& o) {
             o.integer({70, 3}, 0, 2);
         },
         " 70| 0|"},
        {[](DxfGroupWriter& o) { o.colour(62, 7); }, "62|  7|"},
        {[](DxfGroupWriter& o) { o.colour(62, -7); }, "62| -7|"},
        {[](DxfGroupWriter& o) { o.colour(62, 256); }, "62|256|"},
        {[](DxfGroupWriter& o) { o.handle(5, 0x3e8); }, "5|3e8|"},
        {[](DxfGroupWriter& o) { o.handle(5, 0xffffffffUL); }, "5|ffffffff|"},
    };
    for (const auto& c : cases) EXPECT_EQ(written("|", c.write), c.expected);
}

// The real forms write what printf's forms have always written.
TEST(DxfGroupWriter, RealFormsMatchPrintf) {
    const double values[] = {0.0,     -0.0,  0.0005,     0.0015,
                             2.5,     3.5,   -0.0004,    1.0 / 3.0,
                             123.456, -1e-9, 1e15 + 0.5, 1.7976931348623157e308};
    const struct {
        void (DxfGroupWriter::*write)(DxfCode, double);
        const char* format;
    } forms[] = {{&DxfGroupWriter::coordinate, "10\n%0.3f\n"},
                 {&DxfGroupWriter::real, "10\n%f\n"},
                 {&DxfGroupWriter::whole, "10\n%0.0f\n"}};
    for (const auto& form : forms) {
        for (double value : values) {
            char expected[400];
            std::snprintf(expected, sizeof expected, form.format, value);
            EXPECT_EQ(written("\n", [&](DxfGroupWriter& o) { (o.*form.write)(10, value); }),
                      expected)
                << form.format << " " << value;
        }
    }
}

// A number that overflowed is written as the largest one of its sign, one
// that is not a number as 0: every number written reads back as a number.
TEST(DxfGroupWriter, NumbersThatAreNotFiniteAreWrittenFinite) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        double written_as;
    } cases[] = {{inf, std::numeric_limits<double>::max()},
                 {-inf, -std::numeric_limits<double>::max()},
                 {std::numeric_limits<double>::quiet_NaN(), 0.0}};
    for (const auto& c : cases) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "40\n%f\n", c.written_as);
        EXPECT_EQ(written("\n", [&](DxfGroupWriter& o) { o.real(40, c.value); }), expected);
    }
}

TEST(DxfGroupWriter, EndsEveryLineWithTheWritersLineEnd) {
    for (const char* line_end : {"\n", "\r\n", "\r"}) {
        const std::string e = line_end;
        EXPECT_EQ(written(line_end,
                          [](DxfGroupWriter& o) {
                              o.text(0, "EOF");
                              o.coordinate(10, 1);
                              o.verbatim("999\r\nas it is\n");
                          }),
                  "0" + e + "EOF" + e + "10" + e + "1.000" + e + "999\r\nas it is\n");
    }
}

TEST(DxfGroupWriter, ReportsASinkThatRefusedBytes) {
    MemorySink sink;
    DxfGroupWriter out(sink, "\r\n");
    out.text(0, "SECTION");
    EXPECT_FALSE(out.failed());
    sink.refuse = true;
    out.text(1, std::string(3000, 'a'));
    sink.refuse = false;
    out.text(0, "EOF");
    EXPECT_TRUE(out.failed());
    EXPECT_EQ(sink.text, "0\r\nSECTION\r\n0\r\nEOF\r\n");
}

}  // namespace
}  // namespace zov
