// The JW_CAD for Windows reader against files the test writer builds from
// the documented layout: every entity class at every version step, both file
// kinds, both string forms and their long length prefixes, and the rarer
// forms of the MFC archive (null tags, back-references, big tags, long
// list counts).
#include <gtest/gtest.h>

#include "common/encoding.h"
#include "common/whole_file.h"
#include "fixtures/jww_large_drawing.h"
#include "fixtures/temp_folder.h"
#include "jw/jww_strings.h"
#include "jww_contents.h"
#include "jww_events.h"

namespace zov {
namespace {

using fixtures::JwwContent;
using fixtures::JwwLengthForm;
using fixtures::JwwNullObject;
using fixtures::JwwObjectReference;
using fixtures::JwwStringForm;
using fixtures::JwwWriteOptions;

void expect_read_whole(const JwwContent& content, const JwwWriteOptions& options = {}) {
    fixtures::JwwBytes file = fixtures::build_jww(content, options);
    JwwRecording read = read_recorded(file.bytes);
    EXPECT_EQ(read.result.status, JwwReadStatus::Whole)
        << status_name(read.result.status) << " at " << read.result.offset << ": "
        << read.result.detail;
    EXPECT_EQ(read.result.offset, static_cast<std::int64_t>(file.bytes.size()));
    expect_same_events(expected_events(content), read.events);
}

TEST(JwwReader, EveryEntityClassVersionAndStringFormReadsBack) {
    using fixtures::JwwStringStyle;
    const std::vector<std::vector<JwwStringStyle>> string_styles = {
        {},
        {{JwwStringForm::Utf16, JwwLengthForm::Shortest}},
        {{JwwStringForm::ShiftJis, JwwLengthForm::Shortest},
         {JwwStringForm::Utf16, JwwLengthForm::Word},
         {JwwStringForm::ShiftJis, JwwLengthForm::Dword},
         {JwwStringForm::Utf16, JwwLengthForm::Shortest},
         {JwwStringForm::ShiftJis, JwwLengthForm::Word},
         {JwwStringForm::Utf16, JwwLengthForm::Dword}},
    };
    for (JwwFileKind kind : {JwwFileKind::Drawing, JwwFileKind::Symbol}) {
        for (std::uint32_t version : {230u, 300u, 351u, 420u, 600u, 700u, 800u}) {
            for (std::size_t s = 0; s < string_styles.size(); ++s) {
                SCOPED_TRACE(std::string(kind == JwwFileKind::Drawing ? "jww " : "jws ") +
                             std::to_string(version) + ", string styles " + std::to_string(s));
                JwwWriteOptions options;
                options.string_styles = string_styles[s];
                expect_read_whole(every_kind(kind, version), options);
            }
        }
    }
}

TEST(JwwReader, RareArchiveFormsReadLikeTheCommonOnes) {
    // Table: line = 1 (class), 2; arc = 3, 4; block = 5, 6; its line = 7;
    // the second block = 8. Null objects and back-references add no entry.
    JwwContent tags;
    tags.header.version = 700;
    tags.entities = {
        JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1}, JwwNullObject{}, JwwObjectReference{2},
        JwwArc{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0, 1, 0, 1, true}, JwwObjectReference{4}};
    tags.blocks = {JwwNullObject{},
                   jww_block(1, "a",
                             {JwwNullObject{}, JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 1, 2, 3, 4},
                              JwwObjectReference{7}, JwwObjectReference{2}}),
                   JwwObjectReference{6}, jww_block(2, "b", {JwwObjectReference{8}})};

    // 70 000 objects: list counts beyond a WORD, and the arc class described
    // after 32 767 table entries, so that it is referred to by big tags.
    JwwContent many;
    many.header.kind = JwwFileKind::Symbol;
    many.header.version = 600;
    for (int i = 0; i < 33'000; ++i)
        many.entities.push_back(JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, i * 1.0, 1});
    for (int i = 0; i < 37'000; ++i)
        many.entities.push_back(
            JwwArc{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, i * 1.0, 0, 1, 0, 1, false});
    many.entities.push_back(JwwObjectReference{33'003});  // the first arc, by a big tag
    many.entities.push_back(JwwObjectReference{3});       // a line

    JwwWriteOptions big_tags;
    big_tags.big_tags = true;
    JwwWriteOptions long_counts;
    long_counts.long_list_counts = true;
    JwwWriteOptions other_schema;
    other_schema.schema = 351;
    for (const JwwWriteOptions& options :
         {JwwWriteOptions{}, big_tags, long_counts, other_schema}) {
        SCOPED_TRACE(std::string("big tags ") + (options.big_tags ? "on" : "off") +
                     ", long counts " + (options.long_list_counts ? "on" : "off") + ", schema " +
                     std::to_string(options.schema.value_or(0)));
        expect_read_whole(tags, options);
        expect_read_whole(every_kind(JwwFileKind::Drawing, 700), options);
    }
    expect_read_whole(many);
}

TEST(JwwReader, StringsBeyondWhatTheReaderKeepsAreCutAndPassedOver) {
    // One byte, then double-byte characters, so that the cut falls inside one.
    const std::string kanji = utf8_to_cp932("壁");
    std::string text = "a";
    while (text.size() < kJwwStringKeep + 10) text += kanji;
    for (JwwStringForm form : {JwwStringForm::ShiftJis, JwwStringForm::Utf16}) {
        JwwContent content;
        content.header.kind = JwwFileKind::Symbol;
        content.header.version = 600;
        content.entities = {
            JwwText{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0, 1, 1, 1, 0, 0, "", text},
            JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1}};
        JwwWriteOptions options;
        options.string_styles = {{form, JwwLengthForm::Shortest}};
        SCOPED_TRACE(form == JwwStringForm::Utf16 ? "UTF-16" : "Shift-JIS");
        struct : JwwEventRecorder {
            void text(const JwwText& t) override { kept = t.text; }
            std::string kept;
        } read;
        JwwReadResult result = read_jww_bytes(fixtures::build_jww(content, options).bytes, read);
        EXPECT_EQ(result.status, JwwReadStatus::Whole) << result.detail;
        ASSERT_EQ(read.events.size(), 2u);
        EXPECT_EQ(read.events[1], expected_events(content)[2]) << "the line after the text";
        // Kept: whole characters from the start, "a" and the kanji of the
        // first kJwwStringKeep bytes (or as many UTF-16 units).
        EXPECT_EQ(read.kept.size(), kJwwStringKeep - 1);
        EXPECT_TRUE(text.starts_with(read.kept));
    }
}

TEST(JwwReader, ALargeDrawingReadsTheSameFromFileAndMemory) {
    JwwContent content = fixtures::make_large_jww(3'000'000);
    fixtures::JwwBytes file = fixtures::build_jww(content);
    EXPECT_GT(file.bytes.size(), 2'800'000u);
    EXPECT_LT(file.bytes.size(), 3'200'000u);
    TempFolder folder;
    ASSERT_TRUE(write_whole_file(folder.file("large.jww"), file.bytes));

    JwwEventRecorder from_file;
    JwwReadResult result = read_jww_file(folder.file("large.jww"), from_file);
    EXPECT_EQ(result.status, JwwReadStatus::Whole) << result.detail;
    EXPECT_EQ(result.offset, static_cast<std::int64_t>(file.bytes.size()));
    expect_same_events(expected_events(content), from_file.events);

    EXPECT_EQ(read_jww_file(folder.file("missing.jww"), from_file).status,
              JwwReadStatus::CannotOpen);
}

}  // namespace
}  // namespace zov
