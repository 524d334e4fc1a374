#pragma once
// The editor's font file ZOV_EDIT.VFN: one 60-byte character-format record,
// read from the current folder at every view start and written to the start
// folder after every use of the font dialog.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zov {

inline constexpr char kFontFileName[] = "ZOV_EDIT.VFN";

// Bits of `mask` (which fields count) and `effects`.
constexpr std::uint32_t kFontMaskBold = 0x00000001;
constexpr std::uint32_t kFontMaskItalic = 0x00000002;
constexpr std::uint32_t kFontMaskUnderline = 0x00000004;
constexpr std::uint32_t kFontMaskStrikeOut = 0x00000008;
constexpr std::uint32_t kFontMaskCharSet = 0x08000000;
constexpr std::uint32_t kFontMaskOffset = 0x10000000;
constexpr std::uint32_t kFontMaskFace = 0x20000000;
constexpr std::uint32_t kFontMaskColour = 0x40000000;
constexpr std::uint32_t kFontMaskSize = 0x80000000;
constexpr std::uint32_t kFontEffectAutoColour = 0x40000000;
// The mask of a record read from the file, and of one chosen in the dialog.
constexpr std::uint32_t kFontFileMask = kFontMaskBold | kFontMaskItalic | kFontMaskUnderline |
                                        kFontMaskStrikeOut | kFontMaskSize | kFontMaskColour |
                                        kFontMaskFace | kFontMaskOffset | kFontMaskCharSet;
constexpr std::uint8_t kShiftJisCharSet = 128;
constexpr std::uint8_t kFixedPitchModern = 0x31;

// The record as it stands in the file (little-endian fields).
struct FontRecord {
    std::uint32_t size;  // always 60
    std::uint32_t mask;
    std::uint32_t effects;
    std::int32_t height;   // twips
    std::int32_t offset;   // twips above the base line
    std::uint32_t colour;  // 0x00BBGGRR
    std::uint8_t char_set;
    std::uint8_t pitch_and_family;
    char face[32];  // CP932, NUL-terminated
    std::uint8_t padding[2];
};
static_assert(sizeof(FontRecord) == 60);
static_assert(offsetof(FontRecord, size) == 0);
static_assert(offsetof(FontRecord, mask) == 4);
static_assert(offsetof(FontRecord, effects) == 8);
static_assert(offsetof(FontRecord, height) == 12);
static_assert(offsetof(FontRecord, offset) == 16);
static_assert(offsetof(FontRecord, colour) == 20);
static_assert(offsetof(FontRecord, char_set) == 24);
static_assert(offsetof(FontRecord, pitch_and_family) == 25);
static_assert(offsetof(FontRecord, face) == 26);
static_assert(offsetof(FontRecord, padding) == 58);

// "Terminal" at 200 twips (10 points), mask size, face and character set:
// the view's font when no file is found.
FontRecord default_font_record();

// The record in `folder` (CP932, ending in "/"); nothing when the file is
// missing or shorter than a record. The face is always terminated and the
// height kept between 1 and 1638 points, so a damaged file still gives a
// usable font; the mask becomes that of a file record.
std::optional<FontRecord> read_font_record(const std::string& folder);

// Writes the record into `folder`, whole or not at all; false on failure.
bool write_font_record(const std::string& folder, const FontRecord& record);

// The face as text (CP932) and the face set from text, cut to 31 bytes
// without splitting a character.
std::string font_face(const FontRecord& record);
void set_font_face(FontRecord& record, const std::string& face);

// Height conversions of the font dialog: twips to pixels (× 4 ÷ 60), and
// point size in tenths to twips (× 2).
int font_pixels_from_twips(int twips);
int font_twips_from_tenths(int tenths);

}  // namespace zov
