// The real JW_CAD for Windows drawings of the shared corpus: each reads to
// its last byte, and its top-level entities and block definitions are as
// many as the format notes count.
#include <gtest/gtest.h>

#include <filesystem>

#include "jw/jww_reader.h"

namespace zov {
namespace {

struct Counts {
    int lines = 0, arcs = 0, circles = 0, ellipses = 0, points = 0, texts = 0, solids = 0,
        inserts = 0, blocks = 0;
    auto operator<=>(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << c.lines << " lines, " << c.arcs << " arcs, " << c.circles << " circles, "
               << c.ellipses << " ellipses, " << c.points << " points, " << c.texts << " texts, "
               << c.solids << " solids, " << c.inserts << " inserts, " << c.blocks << " blocks";
}

// Counts the top level only: nothing between a block's start and its end.
class TopLevelCounter : public JwwVisitor {
public:
    void line(const JwwLine&) override { count(counts.lines); }
    void arc(const JwwArc& a) override {
        count(a.flattening != 1 ? counts.ellipses : a.full ? counts.circles : counts.arcs);
    }
    void point(const JwwPoint&) override { count(counts.points); }
    void text(const JwwText&) override { count(counts.texts); }
    void solid(const JwwSolid&) override { count(counts.solids); }
    void insert(const JwwInsert&) override { count(counts.inserts); }
    void begin_block(const JwwBlockDefinition&) override {
        count(counts.blocks);
        ++depth_;
    }
    void end_block() override { --depth_; }

    Counts counts;

private:
    void count(int& n) {
        if (depth_ == 0) ++n;
    }
    int depth_ = 0;
};

struct CorpusFile {
    const char* name;  // UTF-8, as on disk
    std::uint32_t version;
    Counts counts;
};

const CorpusFile kCorpus[] = {
    {"Test1.jww", 600, {1642, 4, 0, 0, 4, 36, 0, 0, 0}},
    {"Test2.jww", 600, {38, 4, 0, 0, 6, 23, 0, 0, 0}},
    {"Test3.jww", 600, {104, 5, 1, 0, 33, 56, 0, 0, 0}},
    {"Test4.jww", 600, {72, 1, 0, 0, 18, 21, 0, 0, 0}},
    {"Test5.jww", 600, {46, 0, 0, 0, 0, 43, 0, 0, 0}},
    {"Test6.jww", 600, {1641, 21, 36, 10, 19, 235, 0, 0, 0}},
    {"Test7.jww", 600, {4083, 0, 5, 0, 26, 93, 0, 0, 0}},
    {"サンプル.jww", 600, {592, 56, 8, 0, 19, 20, 0, 0, 0}},
    {"天空率表.jww", 600, {6037, 2, 33, 0, 52, 351, 0, 0, 0}},
    {"敷地図.jww", 600, {9, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"日影図.jww", 600, {1385, 5, 1, 0, 50, 299, 0, 0, 0}},
    {"木造平面例.jww", 600, {751, 14, 3, 3, 0, 9, 0, 0, 0}},
    {"Ａマンション25d.jww", 600, {2150, 0, 0, 0, 12, 70, 0, 0, 0}},
    {"Ａマンション平面例.jww", 600, {1394, 171, 32, 12, 10, 56, 79, 0, 0}},
    {"Ａマンション立面例.jww", 600, {612, 0, 0, 0, 0, 1, 0, 0, 0}},
    {"block_regressions_2-circles-blocks.jww", 700, {4, 0, 0, 0, 0, 6, 0, 1, 1}},
    {"block_regressions_2blocks.jww", 700, {0, 0, 0, 0, 0, 6, 0, 2, 2}},
    {"block_regressions_3blocks.jww", 700, {0, 0, 0, 0, 0, 6, 0, 1, 1}},
    {"block_regressions_copy-block.jww", 700, {0, 0, 0, 0, 0, 6, 0, 1, 1}},
    {"block_regressions_non_block.jww", 700, {4, 0, 2, 0, 0, 6, 0, 0, 0}},
    {"block_regressions_out1_in2.jww", 700, {1, 0, 0, 0, 0, 6, 0, 1, 1}},
    {"block_regressions_sqr-circle-blocks.jww", 700, {0, 0, 1, 0, 0, 6, 0, 1, 1}},
};

TEST(JwwCorpus, EveryDrawingReadsWholeWithItsCounts) {
    const std::filesystem::path folder =
        std::filesystem::path(ZOV_CORPUS_DIR).parent_path() / "jww";
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "no JW_CAD corpus at " << folder << " (the shared corpus is not laid out)";
    for (const CorpusFile& file : kCorpus) {
        SCOPED_TRACE(file.name);
        struct : TopLevelCounter {
            void header(const JwwHeader& h) override { version = h.version; }
            std::uint32_t version = 0;
        } counter;
        const std::filesystem::path path = folder / file.name;
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        ASSERT_FALSE(error) << path << ": " << error.message();
        JwwReadResult result = read_jww_file(path.string(), counter);
        EXPECT_EQ(result.status, JwwReadStatus::Whole)
            << "at " << result.offset << ": " << result.detail;
        EXPECT_EQ(result.offset, static_cast<std::int64_t>(size));
        EXPECT_EQ(counter.version, file.version);
        EXPECT_EQ(counter.counts, file.counts);
    }
}

}  // namespace
}  // namespace zov
