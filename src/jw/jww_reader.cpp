// The archive of a JW_CAD for Windows file: the signature, the header, then
// the entity list and the block-definition list as one stream of tagged
// objects. Classes and objects share one numbering across both lists: each
// class described gets the next number, and so does each object, before its
// fields (and so before the objects nested in it).
#include "jw/jww_reader.h"

#include <sys/stat.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "jw/jww_byte_source.h"
#include "jw/jww_entity_fields.h"
#include "jw/jww_header_reader.h"
#include "jw/jww_strings.h"

namespace zov {

namespace {

constexpr std::string_view kDrawingSignature = "JwwData.";
constexpr std::string_view kSymbolSignature = "JwsData.";

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kLongListCount = 0xFFFF;
constexpr std::uint32_t kLongerListCount = 0xFFFFFFFF;
// A file describes each of its few classes once; more than this is damage.
constexpr std::size_t kMaxClasses = 64;
constexpr std::uint16_t kMaxClassNameLength = 64;

enum class JwwClass { Line, Arc, Point, Text, Solid, Insert, Dimension, BlockDefinition };

constexpr std::array<std::pair<std::string_view, JwwClass>, 8> kClassNames{{
    {"CDataSen", JwwClass::Line},
    {"CDataEnko", JwwClass::Arc},
    {"CDataTen", JwwClass::Point},
    {"CDataMoji", JwwClass::Text},
    {"CDataSolid", JwwClass::Solid},
    {"CDataBlock", JwwClass::Insert},
    {"CDataSunpou", JwwClass::Dimension},
    {"CDataList", JwwClass::BlockDefinition},
}};

class Archive {
public:
    Archive(JwwByteSource& source, JwwVisitor& visitor) : s_(source), visitor_(visitor) {}

    JwwReadResult read(JwwFileKind kind) {
        JwwHeader header;
        const bool readable = kind == JwwFileKind::Drawing ? read_jww_drawing_header(s_, header)
                                                           : read_jww_symbol_header(s_, header);
        if (s_.cut_short()) return stop(JwwReadStatus::CutShort, "the header is cut short");
        if (!readable) return stop(JwwReadStatus::Damaged, "a header string is unreadable");
        visitor_.header(header);
        fields_.emplace(s_, header.version);
        if (!read_list(0) || !read_list(0)) return result_;
        if (kind == JwwFileKind::Drawing && header.version >= kJwwVersionImages && !read_images())
            return result_;
        if (s_.remaining() > 0)
            return stop(JwwReadStatus::Damaged, "bytes follow the last section");
        return stop(JwwReadStatus::Whole, "");
    }

private:
    JwwReadResult stop(JwwReadStatus status, std::string detail) {
        result_ = {status, s_.offset(), std::move(detail)};
        return result_;
    }
    bool fail(JwwReadStatus status, std::string detail) {
        stop(status, std::move(detail));
        return false;
    }
    bool cut() { return fail(JwwReadStatus::CutShort, "the file ends inside an object"); }

    // A list: a WORD count (0xFFFF: a DWORD follows, 0xFFFFFFFF: a QWORD),
    // then that many tagged objects. Every object takes at least its tag's
    // two bytes, so an absurd count ends with the input.
    bool read_list(int depth) {
        std::uint64_t count = s_.u16();
        if (count == kLongListCount) count = s_.u32();
        if (count == kLongerListCount) count = s_.u64();
        if (s_.cut_short()) return cut();
        for (std::uint64_t i = 0; i < count; ++i) {
            if (!read_object(depth)) return false;
        }
        return true;
    }

    bool read_object(int depth) {
        const std::uint16_t tag = s_.u16();
        if (s_.cut_short()) return cut();
        if (tag == kNullTag) return true;
        JwwClass cls{};
        if (tag == kNewClassTag) {
            if (!read_new_class(cls)) return false;
        } else if (tag == kBigObjectTag) {
            const std::uint32_t big = s_.u32();
            if (s_.cut_short()) return cut();
            if ((big & kBigClassTag) == 0) return back_reference(big);
            if (!find_class(big & ~kBigClassTag, cls)) return false;
        } else if ((tag & kClassTag) != 0) {
            if (!find_class(tag & ~kClassTag, cls)) return false;
        } else {
            return back_reference(tag);
        }
        ++next_index_;
        return read_fields(cls, depth);
    }

    bool read_new_class(JwwClass& cls) {
        s_.u16();  // schema: the data version again; the header's governs
        const std::uint16_t length = s_.u16();
        if (length > kMaxClassNameLength)
            return fail(JwwReadStatus::Damaged, "a class name is too long");
        std::string name;
        s_.append(name, length);
        if (s_.cut_short()) return cut();
        const auto* known = std::find_if(kClassNames.begin(), kClassNames.end(),
                                         [&](const auto& entry) { return entry.first == name; });
        if (known == kClassNames.end())
            return fail(JwwReadStatus::Damaged, "unknown class " + printable(name));
        if (classes_.size() >= kMaxClasses) return fail(JwwReadStatus::Damaged, "too many classes");
        cls = known->second;
        classes_.emplace_back(next_index_++, cls);
        return true;
    }

    bool find_class(std::uint32_t index, JwwClass& cls) {
        for (const auto& [class_index, known] : classes_) {
            if (class_index == index) {
                cls = known;
                return true;
            }
        }
        return fail(JwwReadStatus::Damaged, "a class reference names no class");
    }

    // An object already read, named again: nothing follows it, and it is
    // not handed on a second time.
    bool back_reference(std::uint32_t index) {
        const bool is_class = std::any_of(classes_.begin(), classes_.end(),
                                          [&](const auto& entry) { return entry.first == index; });
        if (index == 0 || index >= next_index_ || is_class)
            return fail(JwwReadStatus::Damaged, "a reference names no object read before");
        return true;
    }

    bool read_fields(JwwClass cls, int depth) {
        JwwEntityFields& f = *fields_;
        switch (cls) {
            case JwwClass::Line: return deliver(f, &JwwEntityFields::line, &JwwVisitor::line);
            case JwwClass::Arc: return deliver(f, &JwwEntityFields::arc, &JwwVisitor::arc);
            case JwwClass::Point: return deliver(f, &JwwEntityFields::point, &JwwVisitor::point);
            case JwwClass::Text: return deliver(f, &JwwEntityFields::text, &JwwVisitor::text);
            case JwwClass::Solid: return deliver(f, &JwwEntityFields::solid, &JwwVisitor::solid);
            case JwwClass::Insert: return deliver(f, &JwwEntityFields::insert, &JwwVisitor::insert);
            case JwwClass::Dimension:
                return deliver(f, &JwwEntityFields::dimension, &JwwVisitor::dimension);
            case JwwClass::BlockDefinition: return read_block_definition(depth);
        }
        return true;
    }

    // Reads one object's fields and hands the object on when it is whole.
    template <class Entity>
    bool deliver(JwwEntityFields& fields, void (JwwEntityFields::*read)(Entity&),
                 void (JwwVisitor::*take)(const Entity&)) {
        Entity entity;
        (fields.*read)(entity);
        if (s_.cut_short()) return cut();
        if (!fields.strings_readable())
            return fail(JwwReadStatus::Damaged, "a string is unreadable");
        (visitor_.*take)(entity);
        return true;
    }

    // The definition, then its contents as a nested list; end_block follows
    // every begin_block, even when the contents are cut short.
    bool read_block_definition(int depth) {
        if (depth + 1 > kJwwMaxBlockNesting)
            return fail(JwwReadStatus::Damaged, "block definitions nest too deep");
        JwwBlockDefinition definition;
        fields_->block_definition(definition);
        if (s_.cut_short()) return cut();
        if (!fields_->strings_readable())
            return fail(JwwReadStatus::Damaged, "a string is unreadable");
        visitor_.begin_block(definition);
        const bool whole = read_list(depth + 1);
        visitor_.end_block();
        return whole;
    }

    // Images embedded in a drawing: a count, then name, size and bytes each.
    bool read_images() {
        const std::int32_t count = s_.i32();
        if (s_.cut_short()) return cut();
        if (count < 0) return fail(JwwReadStatus::Damaged, "a negative image count");
        for (std::int32_t i = 0; i < count; ++i) {
            JwwImage image;
            if (!read_jww_string(s_, image.name))
                return fail(JwwReadStatus::Damaged, "an image name is unreadable");
            const std::int32_t size = s_.i32();
            if (size < 0) return fail(JwwReadStatus::Damaged, "a negative image size");
            s_.skip(size);
            if (s_.cut_short()) return cut();
            image.size = static_cast<std::uint32_t>(size);
            visitor_.image(image);
        }
        return true;
    }

    static std::string printable(std::string_view name) {
        std::string out;
        for (char c : name) out.push_back(c >= 0x20 && c < 0x7F ? c : '?');
        return out;
    }

    JwwByteSource& s_;
    JwwVisitor& visitor_;
    std::optional<JwwEntityFields> fields_;
    std::vector<std::pair<std::uint32_t, JwwClass>> classes_;
    std::uint32_t next_index_ = 1;  // 0 stands for the null object
    JwwReadResult result_;
};

JwwReadResult read_archive(JwwByteSource& source, std::optional<JwwFileKind> kind,
                           JwwVisitor& visitor) {
    if (!kind) return {JwwReadStatus::NotJww, 0, "no JwwData. or JwsData. signature"};
    source.skip(static_cast<std::int64_t>(kDrawingSignature.size()));
    JwwReadResult result = Archive(source, visitor).read(*kind);
    if (source.read_failed() && result.status != JwwReadStatus::Whole)
        result.detail = "the file could not be read to its end";
    return result;
}

}  // namespace

std::optional<JwwFileKind> jww_file_kind(std::string_view start) {
    if (start.substr(0, kDrawingSignature.size()) == kDrawingSignature) return JwwFileKind::Drawing;
    if (start.substr(0, kSymbolSignature.size()) == kSymbolSignature) return JwwFileKind::Symbol;
    return std::nullopt;
}

JwwReadResult read_jww_bytes(std::string_view bytes, JwwVisitor& visitor) {
    JwwByteSource source(bytes);
    return read_archive(source, jww_file_kind(bytes), visitor);
}

JwwReadResult read_jww_file(const std::string& path, JwwVisitor& visitor, ReadProgress* progress) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return {JwwReadStatus::CannotOpen, 0, "the file cannot be opened"};
    struct stat info {};
    char start[8] = {};
    const std::size_t got = std::fread(start, 1, sizeof start, file);
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode) ||
        std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return {JwwReadStatus::CannotOpen, 0, "the file cannot be read"};
    }
    JwwByteSource source(file, info.st_size);
    source.report_to(progress);
    if (progress != nullptr) progress->start(info.st_size);
    JwwReadResult result =
        read_archive(source, jww_file_kind(std::string_view(start, got)), visitor);
    std::fclose(file);
    return result;
}

}  // namespace zov
