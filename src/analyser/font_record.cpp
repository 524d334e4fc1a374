#include "analyser/font_record.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "analyser/disk.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/whole_file.h"

namespace zov {

static_assert(std::endian::native == std::endian::little,
              "the record is copied as it stands in the file");

namespace {

constexpr std::int32_t kMinTwips = 20;
constexpr std::int32_t kMaxTwips = 1638 * 20;

}  // namespace

FontRecord default_font_record() {
    FontRecord record{};
    record.size = sizeof(FontRecord);
    record.mask = kFontMaskSize | kFontMaskFace | kFontMaskCharSet;
    record.height = 200;
    record.char_set = kShiftJisCharSet;
    record.pitch_and_family = kFixedPitchModern;
    set_font_face(record, "Terminal");
    return record;
}

std::optional<FontRecord> read_font_record(const std::string& folder) {
    std::FILE* file = open_cp932(folder + kFontFileName, "rb");
    if (file == nullptr) return std::nullopt;
    FontRecord record{};
    std::size_t got = std::fread(&record, 1, sizeof record, file);
    std::fclose(file);
    if (got != sizeof record) return std::nullopt;
    record.size = sizeof(FontRecord);
    record.mask = kFontFileMask;
    record.face[sizeof record.face - 1] = '\0';
    set_font_face(record, std::string(fixed_text(record.face)));
    record.height = std::clamp(record.height, kMinTwips, kMaxTwips);
    record.offset = std::clamp(record.offset, -kMaxTwips, kMaxTwips);
    return record;
}

bool write_font_record(const std::string& folder, const FontRecord& record) {
    char bytes[sizeof(FontRecord)];
    std::memcpy(bytes, &record, sizeof bytes);
    return write_whole_file(cp932_to_file_name(folder + kFontFileName),
                            std::string_view(bytes, sizeof bytes));
}

std::string font_face(const FontRecord& record) { return std::string(fixed_text(record.face)); }

void set_font_face(FontRecord& record, const std::string& face) {
    std::memset(record.face, 0, sizeof record.face);
    copy_bounded(record.face, face);
}

int font_pixels_from_twips(int twips) { return twips * 4 / 60; }

int font_twips_from_tenths(int tenths) { return tenths * 2; }

}  // namespace zov
