// The font file ZOV_EDIT.VFN: its 60-byte layout, the default font, and
// damaged files that still give a usable font.
#include <gtest/gtest.h>

#include <cstring>

#include "analyser/font_record.h"
#include "analyser_test_support.h"

namespace zov {
namespace {

TEST(FontRecord, DefaultIsTerminalAtTenPoints) {
    FontRecord record = default_font_record();
    EXPECT_EQ(record.size, 60u);
    EXPECT_EQ(font_face(record), "Terminal");
    EXPECT_EQ(record.height, 200);
    EXPECT_EQ(record.mask, kFontMaskSize | kFontMaskFace | kFontMaskCharSet);
    EXPECT_EQ(record.char_set, kShiftJisCharSet);
    EXPECT_EQ(font_pixels_from_twips(200), 13);
    EXPECT_EQ(font_twips_from_tenths(105), 210);
}

TEST(FontRecord, WrittenAndReadBackByteForByte) {
    TempFolder folder;
    EXPECT_FALSE(read_font_record(folder.path()));
    FontRecord record = default_font_record();
    set_font_face(record, sj("ＭＳ ゴシック"));
    record.mask = kFontFileMask;
    record.effects = kFontMaskBold | kFontMaskUnderline;
    record.height = 240;
    record.colour = 0x00FF0080;
    ASSERT_TRUE(write_font_record(folder.path(), record));
    std::string bytes = read_file(folder.path() + kFontFileName);
    ASSERT_EQ(bytes.size(), 60u);
    // Little-endian fields at their offsets.
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x3C\0\0\0", 4));
    EXPECT_EQ(bytes.substr(12, 4), std::string("\xF0\0\0\0", 4));
    EXPECT_EQ(bytes.substr(20, 4), std::string("\x80\0\xFF\0", 4));
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 128);
    EXPECT_EQ(bytes.substr(26, sj("ＭＳ ゴシック").size()), sj("ＭＳ ゴシック"));
    std::optional<FontRecord> back = read_font_record(folder.path());
    ASSERT_TRUE(back);
    EXPECT_EQ(std::memcmp(&*back, &record, sizeof record), 0);
}

TEST(FontRecord, DamagedFilesGiveAUsableFontOrNone) {
    TempFolder folder;
    write_file(folder.path() + kFontFileName, std::string(59, 'x'));
    EXPECT_FALSE(read_font_record(folder.path()));  // shorter than a record
    std::string garbage(60, '\xFF');
    // The face field ends in the middle of a double-byte character.
    garbage.replace(26, 32, std::string(31, 'A') + "\x82");
    write_file(folder.path() + kFontFileName, garbage);
    std::optional<FontRecord> record = read_font_record(folder.path());
    ASSERT_TRUE(record);
    EXPECT_EQ(font_face(*record), std::string(31, 'A'));
    EXPECT_GE(record->height, 20);
    EXPECT_LE(record->height, 1638 * 20);
    EXPECT_EQ(record->mask, kFontFileMask);
}

TEST(FontRecord, LongFaceIsCutWithoutSplittingACharacter) {
    FontRecord record = default_font_record();
    set_font_face(record, "A" + sj("あいうえおかきくけこさしすせそた"));
    EXPECT_EQ(font_face(record), "A" + sj("あいうえおかきくけこさしすせそ"));  // 31 bytes
}

}  // namespace
}  // namespace zov
