// The editor's Unicode form of a CP932 file gives back the very bytes read:
// analysis files of every corpus drawing in all three forms, the extension
// rows that hold characters twice, control and stray bytes, and every kind
// of line end.
#include <gtest/gtest.h>

#include <filesystem>

#include "analyser/conversion.h"
#include "analyser/editor_text.h"
#include "analyser_test_support.h"

namespace zov {
namespace {

std::string round_trip(const std::string& bytes) {
    EditorText text = decode_editor_text(bytes);
    EncodedText encoded = encode_editor_text(text.text, text.line_end);
    EXPECT_EQ(encoded.unwritable, 0u);
    return encoded.bytes;
}

TEST(EditorText, AnalysisFilesOfTheCorpusInEveryForm) {
    TestAnalyser analyser;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZOV_CORPUS_DIR)) {
        if (!entry.is_regular_file()) continue;
        for (int form : {0, 1, 2}) {
            SCOPED_TRACE(entry.path().filename().string() + " form " + std::to_string(form));
            analyser.context.settings.analysis_form = form;
            std::string analysis = analyser.file("analysis.TXT");
            ASSERT_EQ(convert_dxf_to_analysis(analyser.context, entry.path().string(), analysis),
                      1);
            std::string bytes = read_file(analysis);
            ASSERT_EQ(round_trip(bytes), bytes);
            if (form == 0) {
                // The end code shows as a visible character of its own.
                EditorText text = decode_editor_text(bytes);
                EXPECT_NE(text.text.find(u'\u2418'), std::u16string::npos);
                EXPECT_EQ(text.line_end, LineEnd::CrLf);
            }
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(EditorText, CharactersHeldTwiceKeepTheirCodes) {
    // "≒" at 0x81E0 (JIS row) and 0x8790 (NEC row 13); "∵" at 0x81E6,
    // 0x879A and 0xFA5B (IBM rows); "纊" at 0xED40 (NEC-selected IBM) and
    // 0xFA5C (IBM); "①" only at 0x8740; "髙" at 0xFB9C and 0xEE4A.
    const std::string bytes =  // each character's own bytes
        "\x81\xE0\x87\x90\x81\xE6\x87\x9A\xFA\x5B\xED\x40\xFA\x5C\x87\x40\xFB\x9C\xEE\x4A";
    EXPECT_EQ(round_trip(bytes), bytes);
    EditorText text = decode_editor_text(bytes);
    // The second "≒" is the same character with a selector, so it looks the same.
    EXPECT_EQ(text.text.substr(0, 3), std::u16string(u"\u2252\u2252\uFE00"));
}

TEST(EditorText, ControlAndStrayBytesSurvive) {
    std::string bytes = "A\x18_\x00\x7F\t\x80\xA0\xFD\xFE\xFF";
    bytes.push_back('\x00');
    bytes += "\x85\x40 \x81";  // an unassigned double-byte code, a lead byte at the end
    EXPECT_EQ(round_trip(bytes), bytes);
    EditorText text = decode_editor_text("1:LINE_\x18");
    EXPECT_EQ(text.text, u"1:LINE_\u2418");
}

TEST(EditorText, LineEndsAsFound) {
    for (const std::string& bytes : {std::string("a\r\nb\r\n"), std::string("a\nb"),
                                     std::string("a\rb\r"), std::string("a\r\nb\nc\rd\r\n"),
                                     std::string("\n\n"), std::string("no end"), std::string("")}) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(round_trip(bytes), bytes);
    }
    EXPECT_EQ(decode_editor_text("a\nb\r\n").line_end, LineEnd::Lf);
    EXPECT_EQ(decode_editor_text("a\rb").line_end, LineEnd::Cr);
    // A stray end of another kind is a visible character within the line.
    EXPECT_EQ(decode_editor_text("a\r\nb\nc").text, u"a\nb\u240Ac");
}

TEST(EditorText, EditedTextIsWrittenInCp932) {
    std::u16string edited = u"ラインLINE\n≒\uFE00円";
    EncodedText encoded = encode_editor_text(edited, LineEnd::Lf);
    EXPECT_EQ(encoded.bytes,
              sj("ラインLINE") + "\n" + "\x87\x90" + sj("円"));  // ≒ keeps its NEC bytes
    // A character CP932 has not is counted and written as "?".
    encoded = encode_editor_text(u"a\U0001F600b\u00E9", LineEnd::CrLf);
    EXPECT_EQ(encoded.bytes, "a?b?");
    EXPECT_EQ(encoded.unwritable, 2u);
    // A selector left alone by an edit writes nothing.
    EXPECT_EQ(encode_editor_text(u"\uFE00x", LineEnd::CrLf).bytes, "x");
}

}  // namespace
}  // namespace zov
