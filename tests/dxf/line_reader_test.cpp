#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dxf/group_reader.h"
#include "dxf/line_reader.h"
#include "dxf/numbers.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

class LineFile : public ::testing::Test {
protected:
    // Every line of `bytes` as the reader splits it, up to the end report.
    std::vector<std::string> lines_of(const std::string& bytes, LineEnd* detected = nullptr) {
        std::ofstream(path_, std::ios::binary) << bytes;
        DxfLineReader reader;
        EXPECT_TRUE(reader.open(path_));
        if (detected != nullptr) *detected = reader.line_end();
        std::vector<std::string> lines;
        while (reader.read_line() > 0) lines.emplace_back(reader.line());
        EXPECT_EQ(reader.line(), "EOF");
        EXPECT_EQ(reader.read_line(), -1);
        return lines;
    }

    TempFolder folder_;
    std::string path_ = folder_.file("lines.dxf");
};

using Lines = std::vector<std::string>;

TEST_F(LineFile, EachLineEndStyleIsDetectedAndSplitsTheSameLines) {
    LineEnd style;
    EXPECT_EQ(lines_of("  0\r\nLINE\r\n", &style), (Lines{"  0", "LINE"}));
    EXPECT_EQ(style, LineEnd::CrLf);
    EXPECT_EQ(lines_of("  0\nLINE\n", &style), (Lines{"  0", "LINE"}));
    EXPECT_EQ(style, LineEnd::Lf);
    EXPECT_EQ(lines_of("  0\rLINE\r", &style), (Lines{"  0", "LINE"}));
    EXPECT_EQ(style, LineEnd::Cr);
    // An empty value line is a line.
    EXPECT_EQ(lines_of("1\n\n0\n"), (Lines{"1", "", "0"}));
}

TEST_F(LineFile, CrLfFilesReadAsTheViewerAlwaysReadThem) {
    // A lone LF stays in the line; the byte after a CR is dropped whatever it is.
    EXPECT_EQ(lines_of("0\r\nA\nB\r\nC\rxD\r\n"), (Lines{"0", "A\nB", "C", "D"}));
    // A last line without its line end is lost.
    EXPECT_EQ(lines_of("A\r\nB"), (Lines{"A"}));
    EXPECT_EQ(lines_of("A\r\nB\r"), (Lines{"A"}));
}

TEST_F(LineFile, LfFilesDropAStrayCrBeforeTheLf) {
    EXPECT_EQ(lines_of("A\nB\r\nC\n"), (Lines{"A", "B", "C"}));
    EXPECT_EQ(lines_of("A\nB"), (Lines{"A"}));
}

TEST_F(LineFile, LongLinesAreCutAndTheRestIsTheNextLine) {
    const std::string exact(DxfLineReader::kMaxLine, 'x');
    EXPECT_EQ(lines_of(exact + "\r\nE\r\n"), (Lines{exact, "E"}));
    EXPECT_EQ(lines_of(exact + "yz\nE\n"), (Lines{exact, "yz", "E"}));
    // Lines far longer than the reader's buffer still come in pieces.
    const std::string huge((3 << 20) + 5, 'h');
    Lines pieces = lines_of(huge + "\r\n");
    ASSERT_EQ(pieces.size(), (huge.size() + DxfLineReader::kMaxLine - 1) / DxfLineReader::kMaxLine);
    EXPECT_EQ(pieces.front(), std::string(DxfLineReader::kMaxLine, 'h'));
    EXPECT_EQ(pieces.back().size(), 5u);
}

TEST_F(LineFile, EmptyAndTerminatorFreeFilesEndAtOnce) {
    EXPECT_EQ(lines_of(""), Lines{});
    EXPECT_EQ(lines_of("no line end at all"), Lines{});
}

TEST_F(LineFile, LinesAcrossTheBufferBoundaryStayWhole) {
    // Lines of varying length over several megabytes: every one comes back.
    std::string bytes;
    Lines expected;
    for (int i = 0; bytes.size() < (5u << 20); ++i) {
        std::string line(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
        expected.push_back(line);
        bytes += line + "\r\n";
    }
    EXPECT_EQ(lines_of(bytes), expected);
}

// Lines of every length up to beyond the quick scan, so that the line end
// falls at every place within and across the bytes the reader looks at
// together: in CR LF, LF and CR files, and LF files with stray CRs.
TEST_F(LineFile, CrLfLinesOfEveryLengthReadWhole) {
    const struct {
        const char* style;
        const char* first;  // the first line end, which the reader detects
        const char* other;  // that of every third line after it
    } kStyles[] = {
        {"CR LF", "\r\n", "\r\n"},
        {"LF", "\n", "\n"},
        {"CR", "\r", "\r"},
        {"LF with stray CRs", "\n", "\r\n"},
    };
    for (const auto& s : kStyles) {
        Lines expected = {"0"};
        std::string bytes = std::string("0") + s.first;
        for (int length = 0; length <= 40; ++length) {
            for (int start = 0; start < 3; ++start) {
                std::string line;
                for (int i = 0; i < length; ++i) line += static_cast<char>('a' + (start + i) % 26);
                expected.push_back(line);
                bytes += line + (start == 1 ? s.other : s.first);
            }
        }
        EXPECT_EQ(lines_of(bytes), expected) << s.style;
    }
}

// Group codes written in every way a file may write them read as the
// general number reading reads them.
TEST_F(LineFile, GroupCodesOfEveryFormReadAsNumbers) {
    const std::vector<std::string> codes = {
        "0", "  0", " 10", "100", "330", "1071", " 8 ",           "+8", "-1", " -5", "\t62",
        "",  "   ", "x",   "1x",  "07",  "9 9",  "  99999999999", "1e2"};
    std::string bytes;
    for (const std::string& code : codes) bytes += code + "\r\nVALUE\r\n";
    std::ofstream(path_, std::ios::binary) << bytes;
    DxfGroupReader reader;
    ASSERT_TRUE(reader.open(path_));
    for (const std::string& code : codes) {
        ASSERT_GT(reader.read_group(), 0);
        EXPECT_EQ(reader.code(), parse_dxf_int(code)) << "'" << code << "'";
        ASSERT_GT(reader.read_group(), 0);
        EXPECT_EQ(reader.value(), "VALUE");
    }
}

}  // namespace
}  // namespace zov
