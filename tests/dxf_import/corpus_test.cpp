// Every DXF file of the collected corpus of files written by other programs.
#include <algorithm>
#include <set>

#include "common/paths.h"

#include "import_folder.h"

namespace zov {
namespace {

// The lines of a file, whatever its line ends.
std::vector<std::string> file_lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    return lines;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// True when the file holds, outside its BLOCKS section, an entity of a kind
// that the importer reads.
bool holds_importable_entity(const std::string& path) {
    static const std::set<std::string> kinds = {
        "LINE",   "POLYLINE", "LWPOLYLINE", "TEXT",  "CIRCLE", "ARC",       "INSERT", "MTEXT",
        "ATTRIB", "ELLIPSE",  "POINT",      "SOLID", "TRACE",  "DIMENSION", "SPLINE", "LEADER"};
    const auto lines = file_lines(path);
    bool in_blocks = false;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string code = trimmed(lines[i]);
        const std::string value = trimmed(lines[i + 1]);
        if (code == "2" && i >= 2 && trimmed(lines[i - 1]) == "SECTION")
            in_blocks = value == "BLOCKS";
        if (code == "0" && !in_blocks && kinds.count(value) > 0) return true;
    }
    return false;
}

using Corpus = ImportFolder;

TEST_F(Corpus, EveryCollectedFileImports) {
    const std::filesystem::path corpus = ZOV_CORPUS_DIR;
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (has_extension(entry.path().string(), ".dxf")) files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ASSERT_EQ(import_file(file), 0) << messages_.last();
        EXPECT_EQ(header().kind, kSourceDxf);
        EXPECT_EQ(header().ent_num, entity_records_in_file());
        if (holds_importable_entity(file)) {
            EXPECT_GT(header().ent_num, 0);
        }

        // Both passes over the BLOCKS section agree block by block, and the
        // block records account for every record of the block data.
        ASSERT_EQ(static_cast<std::int32_t>(tallies_.size()), header().bro_num);
        long counted = 0;
        for (std::size_t b = 0; b < tallies_.size(); ++b) {
            EXPECT_EQ(tallies_[b].counted, tallies_[b].written) << "block " << b + 1;
            const BlockRecord record = block(static_cast<std::int32_t>(b + 1));
            EXPECT_EQ(record.count, tallies_[b].counted);
            EXPECT_EQ(record.first, counted);
            counted += record.count;
        }
        if (header().add_bda != 0) {
            const long end = header().add_ent != 0 ? header().add_ent : store_.file_size();
            EXPECT_EQ((end - header().add_bda) / static_cast<long>(sizeof(EntityRecord)), counted);
        }
    }
}

}  // namespace
}  // namespace zov
