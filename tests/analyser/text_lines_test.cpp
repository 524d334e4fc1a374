#include "analyser/text_lines.h"

#include <gtest/gtest.h>

#include "analyser_test_support.h"

namespace zov {
namespace {

std::string macbinary_header(const char* type_and_creator) {
    std::string header(kMacBinaryHeaderSize, '\0');
    header[1] = 5;
    header.replace(2, 5, "A.DXF");
    header.replace(65, 8, type_and_creator);
    return header;
}

std::vector<std::string> read_all(const std::string& path, int style) {
    LineReader reader;
    EXPECT_TRUE(reader.open(path, style));
    std::vector<std::string> lines;
    while (reader.read_line() == 1) lines.emplace_back(reader.line());
    EXPECT_EQ(reader.line(), "EOF");
    return lines;
}

TEST(LineEndDetection, StylesOfEveryKindOfFile) {
    TempFolder folder;
    auto style_of = [&](const std::string& bytes) {
        write_file(folder.path() + "f", bytes);
        return detect_line_end_style(folder.path() + "f");
    };
    EXPECT_EQ(detect_line_end_style(folder.path() + "missing"), -1);
    EXPECT_EQ(style_of(""), -1);
    EXPECT_EQ(style_of("  0\r\nSECTION\r\n"), kLineEndCrLf);
    EXPECT_EQ(style_of("  0\rSECTION\r"), kLineEndCr);
    EXPECT_EQ(style_of("  0\nSECTION\n"), kLineEndLf);
    EXPECT_EQ(style_of(sj("亜　\x1a\x13 text\n")), kLineEndLf);  // double-byte and 26, 19
    EXPECT_EQ(style_of(macbinary_header("TEXTdos ") + "  0\rSECTION\r"), kLineEndMacBinary);
    EXPECT_EQ(style_of(macbinary_header("TEXTdos ") + "  0\r\nSECTION\r\n"), kLineEndCrLf);
    EXPECT_EQ(style_of("no line end at all"), kLineEndUnknown);
    EXPECT_EQ(style_of("binary \x02 byte\r\n"), kLineEndUnknown);
    EXPECT_EQ(style_of(std::string(4096, 'x') + "\r\n"), kLineEndUnknown);
    EXPECT_EQ(style_of(std::string(4095, 'x') + "\r\n"), kLineEndCrLf);
}

TEST(LineReading, LongLinesComeInPiecesOfAtMost4095Bytes) {
    TempFolder folder;
    std::string path = folder.path() + "f";
    write_file(path, std::string(5000, 'a') + "\r\nnext\r\n");
    std::vector<std::string> lines = read_all(path, kLineEndCrLf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(4095, 'a'));
    EXPECT_EQ(lines[1], std::string(905, 'a'));
    EXPECT_EQ(lines[2], "next");
}

TEST(LineReading, ALineOfExactly4095BytesKeepsItsLineEnd) {
    // Its line end must not come back as an empty line of its own, which
    // would shift every group code onto a value line.
    TempFolder folder;
    for (const auto& [style, end] : {std::pair{kLineEndCrLf, "\r\n"}, std::pair{kLineEndLf, "\n"},
                                     std::pair{kLineEndCr, "\r"}}) {
        std::string path = folder.path() + "f";
        write_file(path, std::string(4095, 'b') + end + "  0" + end);
        std::vector<std::string> lines = read_all(path, style);
        ASSERT_EQ(lines.size(), 2u) << style;
        EXPECT_EQ(lines[1], "  0");
    }
}

TEST(LineReading, LastLineWithoutLineEndIsNotDelivered) {
    TempFolder folder;
    std::string path = folder.path() + "f";
    write_file(path, "  0\nEOF");
    EXPECT_EQ(read_all(path, kLineEndLf), std::vector<std::string>{"  0"});
}

TEST(LineReading, EveryStyleAcrossBufferBoundaries) {
    // Lines of varied length over more than one read buffer, so that line
    // ends (and the two bytes of CR LF) fall on buffer boundaries.
    TempFolder folder;
    std::vector<std::string> expected;
    for (int i = 0; i < 60000; ++i)
        expected.push_back(std::string(static_cast<std::size_t>(i % 17), 'x') + std::to_string(i));
    for (const auto& [style, end] : {std::pair{kLineEndCrLf, "\r\n"}, std::pair{kLineEndLf, "\n"},
                                     std::pair{kLineEndCr, "\r"}}) {
        std::string text;
        for (const std::string& line : expected) text += line + end;
        write_file(folder.path() + "f", text);
        EXPECT_EQ(read_all(folder.path() + "f", style), expected) << style;
    }
}

TEST(LineReading, AFileWithoutLineEndsStillEnds) {
    TempFolder folder;
    write_file(folder.path() + "f", std::string(10000, 'z'));
    std::vector<std::string> lines = read_all(folder.path() + "f", kLineEndUnknown);
    EXPECT_EQ(lines.size(), 2u);  // two full pieces; the rest has no line end
}

TEST(LineReading, MacBinaryHeaderIsSkipped) {
    TempFolder folder;
    std::string path = folder.path() + "f";
    write_file(path, macbinary_header("TEXTdos ") + "  0\rSECTION\r");
    EXPECT_TRUE(has_macbinary_text_header(path));
    LineReader reader;
    ASSERT_TRUE(reader.open(path, kLineEndMacBinary));
    reader.skip_bytes(kMacBinaryHeaderSize);
    ASSERT_EQ(reader.read_line(), 1);
    EXPECT_EQ(reader.line(), "  0");
    // A text file that merely holds "TEXT" at byte 65 has no such header.
    std::string plain(65, ' ');
    write_file(path, plain + "TEXT" + std::string(100, ' ') + "\r\n");
    EXPECT_FALSE(has_macbinary_text_header(path));
}

TEST(LineWriting, LineEndsAndTheLengthLimit) {
    TempFolder folder;
    std::string path = folder.path() + "out";
    LineWriter writer;
    ASSERT_TRUE(writer.create(path));
    writer.set_line_end(2);
    EXPECT_EQ(writer.write_line("mac"), 3);
    writer.set_line_end(3);
    EXPECT_EQ(writer.write_format("unix %d", 3), 6);
    writer.set_line_end(7);  // anything else is CR LF
    EXPECT_EQ(writer.write_line(std::string(4093, 'x')), 4093);
    EXPECT_EQ(writer.write_line(std::string(4094, 'x')), 2);
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(read_file(path), "mac\runix 3\n" + std::string(4093, 'x') + "\r\n??\r\n");
}

TEST(LineWriting, UncreatableFileIsReported) {
    LineWriter writer;
    EXPECT_FALSE(writer.create("/nonexistent-folder/out"));
}

}  // namespace
}  // namespace zov
