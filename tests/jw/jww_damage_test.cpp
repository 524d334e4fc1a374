// Damaged JW_CAD for Windows files: cut at every offset, garbage after a
// signature, absurd counts and lengths, nesting beyond the limit, unknown
// classes and broken references, bytes after the end. The reader hands on
// what lay before the damage, never more, and stops without crash, hang or
// allocation in proportion to a claimed count.
#include <gtest/gtest.h>

#include <random>

#include "jww_contents.h"
#include "jww_events.h"

namespace zov {
namespace {

using fixtures::JwwBytes;
using fixtures::JwwContent;
using fixtures::JwwLengthForm;
using fixtures::JwwPart;
using fixtures::JwwStringForm;
using fixtures::JwwWriteOptions;

// Counts what the reader hands on, for cuts at thousands of offsets, and
// checks that every block started is ended.
class CountingVisitor : public JwwVisitor {
public:
    ~CountingVisitor() override { EXPECT_EQ(depth, 0) << "blocks left open"; }
    void header(const JwwHeader&) override { ++parts; }
    void line(const JwwLine&) override { ++parts; }
    void arc(const JwwArc&) override { ++parts; }
    void point(const JwwPoint&) override { ++parts; }
    void text(const JwwText&) override { ++parts; }
    void solid(const JwwSolid&) override { ++parts; }
    void insert(const JwwInsert&) override { ++parts; }
    void dimension(const JwwDimension&) override { ++parts; }
    void begin_block(const JwwBlockDefinition&) override {
        ++parts;
        ++begins;
        ++depth;
    }
    void end_block() override {
        ++parts;
        --depth;
    }
    void image(const JwwImage&) override { ++parts; }
    std::size_t parts = 0;
    int begins = 0;
    int depth = 0;
};

bool is_damage(JwwReadStatus status) {
    return status == JwwReadStatus::CutShort || status == JwwReadStatus::Damaged;
}

std::string dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

// A file cut at `cut` hands on every part whose bytes all lie before the cut
// and none whose delivered fields reach past it (the header may come early).
void expect_cut_reads_prefix(const JwwBytes& file, std::size_t cut) {
    CountingVisitor counter;
    JwwReadResult result = read_jww_bytes(std::string_view(file.bytes).substr(0, cut), counter);
    SCOPED_TRACE("cut at " + std::to_string(cut) + " of " + std::to_string(file.bytes.size()));
    if (cut < 8) {
        EXPECT_EQ(result.status, JwwReadStatus::NotJww);
        return;
    }
    EXPECT_TRUE(is_damage(result.status)) << status_name(result.status);
    EXPECT_LE(result.offset, static_cast<std::int64_t>(cut));
    std::size_t whole = 0, started = 0;
    for (const JwwPart& part : file.parts) {
        if (part.end <= cut) ++whole;
        if (part.ready <= cut || part.kind == fixtures::JwwPartKind::Header) ++started;
    }
    EXPECT_GE(counter.parts, whole);
    EXPECT_LE(counter.parts, started);
}

TEST(JwwDamage, ACutAtAnyOffsetHandsOnWhatLiesBeforeIt) {
    for (JwwFileKind kind : {JwwFileKind::Symbol, JwwFileKind::Drawing}) {
        for (std::uint32_t version : {300u, 700u}) {
            JwwWriteOptions options;
            options.string_styles = {{JwwStringForm::Utf16, JwwLengthForm::Shortest},
                                     {JwwStringForm::ShiftJis, JwwLengthForm::Dword}};
            JwwContent content = small_content(kind, version);
            JwwBytes file = fixtures::build_jww(content, options);
            for (std::size_t cut = 0; cut < file.bytes.size(); ++cut) {
                expect_cut_reads_prefix(file, cut);
                if (::testing::Test::HasFailure()) return;
            }
            // What is handed on before a cut is what the whole file hands on.
            std::size_t cut = file.parts.at(file.parts.size() - 2).end;
            JwwRecording part = read_recorded(file.bytes.substr(0, cut));
            std::vector<std::string> expected = expected_events(content);
            expected.resize(part.events.size());
            expect_same_events(expected, part.events);
        }
    }
}

TEST(JwwDamage, GarbageAfterASignatureEndsAsDamage) {
    std::mt19937 random(20240601);
    for (const char* signature : {"JwwData.", "JwsData."}) {
        for (int round = 0; round < 300; ++round) {
            std::string bytes = signature;
            if (bytes[2] == 's') bytes.append(192, '.');
            std::size_t length = random() % 20000;
            for (std::size_t i = 0; i < length; ++i) bytes.push_back(static_cast<char>(random()));
            CountingVisitor counter;
            EXPECT_TRUE(is_damage(read_jww_bytes(bytes, counter).status)) << round;
        }
    }
    // Bytes changed at random in a valid file: any status, no crash.
    const std::string valid = fixtures::build_jww(small_content(JwwFileKind::Drawing, 700)).bytes;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = valid;
        for (int k = 0; k < 4; ++k) bytes[random() % bytes.size()] = static_cast<char>(random());
        CountingVisitor counter;
        read_jww_bytes(bytes, counter);
    }
}

std::string replace(const std::string& bytes, std::size_t at, std::size_t length,
                    const std::string& with) {
    return bytes.substr(0, at) + with + bytes.substr(at + length);
}

// The DWORD before the last occurrence of `marker` (a DWORD string length).
std::string with_length_before(const JwwBytes& file, const std::string& marker,
                               std::uint32_t length) {
    std::size_t at = file.bytes.rfind(marker);
    return replace(file.bytes, at - 4, 4, dword(length));
}

const std::string kUtf16Mark("M\0A\0R\0K\0", 8);

TEST(JwwDamage, AbsurdCountsAndLengthsStopAtTheEndOfTheFile) {
    // Header, three lines, a text "MARK" in the DWORD length form, a block
    // holding one line, one image; strings alternate Shift-JIS and UTF-16.
    JwwContent content;
    content.header.version = 700;
    for (int i = 0; i < 3; ++i)
        content.entities.push_back(JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1});
    content.blocks = {jww_block(1, "x", {JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1}})};
    content.images = {{"img", "0123456789"}};
    JwwWriteOptions options;
    options.string_styles = {{JwwStringForm::ShiftJis, JwwLengthForm::Dword}};
    JwwContent with_text = content;
    with_text.entities.push_back(
        JwwText{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0, 1, 1, 1, 0, 0, "f", "MARK"});
    const JwwBytes sjis = fixtures::build_jww(with_text, options);
    options.string_styles = {{JwwStringForm::Utf16, JwwLengthForm::Dword}};
    const JwwBytes utf16 = fixtures::build_jww(with_text, options);
    const JwwBytes plain = fixtures::build_jww(content);

    const std::size_t block_count_at = plain.parts[4].end - 2;  // the block's contents' count
    // Each case rewrites some bytes; `delivered` parts come before the damage.
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t delivered;
    };
    const std::string long_count = "\xFF\xFF" + dword(0xFFFFFFFE);
    // 0xFFFF, 0xFFFFFFFF: a QWORD count follows.
    const std::string longer_count =
        "\xFF\xFF" + dword(0xFFFFFFFF) + dword(0xFFFFFFF0) + dword(0x7FFFFFFF);
    const std::vector<Case> cases = {
        {"entity count", replace(plain.bytes, plain.entity_list, 2, long_count), 4},
        {"entity count in a WORD", replace(plain.bytes, plain.entity_list, 2, "\xFE\xFF"), 4},
        {"entity count in a QWORD", replace(plain.bytes, plain.entity_list, 2, longer_count), 4},
        {"block definition count", replace(plain.bytes, plain.block_list, 2, long_count), 7},
        {"block contents count", replace(plain.bytes, block_count_at, 2, long_count), 7},
        {"image count", replace(plain.bytes, plain.images, 4, dword(0x7FFFFFFF)), 8},
        {"negative image count", replace(plain.bytes, plain.images, 4, dword(0xFFFFFFFF)), 7},
        {"image size", replace(plain.bytes, plain.bytes.size() - 14, 4, dword(0x7FFFFFFF)), 7},
        {"negative image size", replace(plain.bytes, plain.bytes.size() - 14, 4, dword(0xFFFFFFF6)),
         7},
        {"string length", with_length_before(sjis, "MARK", 0xFFFFFFF0), 4},
        {"UTF-16 length", with_length_before(utf16, kUtf16Mark, 0x7FFFFFFF), 4},
        // Twice this length overflows 32 bits to 2, which is there.
        {"UTF-16 length doubled past 32 bits", with_length_before(utf16, kUtf16Mark, 0x80000001),
         4},
    };
    for (const Case& c : cases) {
        CountingVisitor counter;
        JwwReadResult result = read_jww_bytes(c.bytes, counter);
        EXPECT_TRUE(is_damage(result.status)) << c.what << ": " << status_name(result.status);
        EXPECT_EQ(counter.parts, c.delivered) << c.what;
    }
}

JwwContent nested_blocks(int depth) {
    fixtures::JwwBlock block = jww_block(static_cast<std::uint32_t>(depth), "deepest", {});
    for (int level = depth - 1; level >= 1; --level)
        block = jww_block(static_cast<std::uint32_t>(level), "b", {std::move(block)});
    JwwContent content;
    content.header.kind = JwwFileKind::Symbol;
    content.header.version = 600;
    content.blocks.push_back(std::move(block));
    return content;
}

TEST(JwwDamage, BlocksNestedBeyondTheLimitAreDamage) {
    JwwRecording at_limit =
        read_recorded(fixtures::build_jww(nested_blocks(kJwwMaxBlockNesting)).bytes);
    EXPECT_EQ(at_limit.result.status, JwwReadStatus::Whole) << at_limit.result.detail;
    for (int depth : {kJwwMaxBlockNesting + 2, 400}) {
        CountingVisitor counter;
        JwwReadResult result =
            read_jww_bytes(fixtures::build_jww(nested_blocks(depth)).bytes, counter);
        EXPECT_EQ(result.status, JwwReadStatus::Damaged) << depth;
        EXPECT_LE(counter.begins, kJwwMaxBlockNesting + 1) << depth;
    }
}

TEST(JwwDamage, UnknownClassesAndBrokenReferencesAreDamage) {
    using fixtures::JwwObjectReference;
    using fixtures::JwwRawObject;
    // Table: line class 1, line 2; then the case's object.
    const std::vector<std::pair<const char*, fixtures::JwwObject>> cases = {
        {"unknown class", JwwRawObject{"CDataFoo", std::string(40, '\0')}},
        {"class name that is no entity", JwwRawObject{"CObList", ""}},
        {"back-reference to a later object", JwwObjectReference{3}},
        {"back-reference to a class", JwwObjectReference{1}},
        {"back-reference far beyond the table", JwwObjectReference{0x7FFE}},
    };
    for (const auto& [what, object] : cases) {
        JwwContent content;
        content.header.version = 600;
        content.entities = {JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1}, object,
                            JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1}};
        JwwRecording read = read_recorded(fixtures::build_jww(content).bytes);
        EXPECT_EQ(read.result.status, JwwReadStatus::Damaged) << what;
        EXPECT_EQ(read.events.size(), 2u) << what << ": the header and the first line";
    }
    // Class references (0x8000 | index) to an object and beyond the table.
    for (const std::string& tag : {std::string("\x02\x80"), std::string("\x10\x80"),
                                   std::string("\xFF\x7F\x02\x00\x00\x80", 6)}) {
        JwwContent content;
        content.header.version = 600;
        content.entities = {JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1}};
        JwwBytes file = fixtures::build_jww(content);
        std::string bytes = file.bytes.substr(0, file.block_list) + tag + std::string(60, '\0');
        bytes[file.entity_list] = 2;
        CountingVisitor counter;
        EXPECT_EQ(read_jww_bytes(bytes, counter).status, JwwReadStatus::Damaged);
        EXPECT_EQ(counter.parts, 2u);
    }
}

TEST(JwwDamage, BytesAfterTheEndAreDamage) {
    // Four zero bytes would be an empty image section, which only a version
    // 700 drawing has.
    for (JwwFileKind kind : {JwwFileKind::Drawing, JwwFileKind::Symbol}) {
        for (std::uint32_t version : {600u, 700u}) {
            std::string bytes = fixtures::build_jww(small_content(kind, version)).bytes;
            for (const std::string& extra : {std::string(4, '\0'), std::string("x")}) {
                JwwRecording read = read_recorded(bytes + extra);
                EXPECT_EQ(read.result.status, JwwReadStatus::Damaged)
                    << version << " " << extra.size();
                EXPECT_EQ(read.events.size(), expected_events(small_content(kind, version)).size());
            }
        }
    }
}

TEST(JwwDamage, OnlyTheExactSignaturesAreJww) {
    struct Case {
        std::string start;
        std::optional<JwwFileKind> kind;
    };
    const std::vector<Case> cases = {
        {"JwwData.", JwwFileKind::Drawing},
        {"JwsData.", JwwFileKind::Symbol},
        {"JwwData.\x58\x02", JwwFileKind::Drawing},
        {"JWWData.", std::nullopt},
        {"jwwData.", std::nullopt},
        {"JwwData", std::nullopt},
        {"", std::nullopt},
        {"  0\nSECTION", std::nullopt},
        {"jw_cad(c)data", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(jww_file_kind(c.start), c.kind) << c.start;
        if (c.kind) continue;
        CountingVisitor counter;
        EXPECT_EQ(read_jww_bytes(c.start + std::string(100, '\0'), counter).status,
                  JwwReadStatus::NotJww)
            << c.start;
        EXPECT_EQ(counter.parts, 0u);
    }
}

}  // namespace
}  // namespace zov
