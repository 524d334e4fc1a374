// Every DXF file of the corpus, written by other programs, is analysed in the
// program's own form with the default settings (and once more without item
// comments) and rebuilt; the rebuilt file must hold the source's groups, code
// for code and value for value.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "analyser/conversion.h"
#include "analyser/rebuild.h"
#include "analyser_test_support.h"
#include "fixtures/dxf_text.h"

namespace zov {
namespace {

TEST(CorpusRoundTrip, EveryFileRebuildsToItsOwnGroups) {
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(ZOV_CORPUS_DIR))
        if (entry.is_regular_file()) sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    ASSERT_FALSE(sources.empty()) << "no corpus at " << ZOV_CORPUS_DIR;

    TestAnalyser analyser;
    analyser.context.settings.analysis_form = 0;
    const DxfGroup eof{0, "EOF"};
    for (int comments : {1, 0}) {
        for (const std::filesystem::path& source : sources) {
            analyser.context.settings.item_comments = comments;
            SCOPED_TRACE(source.filename().string() + (comments ? "" : " without comments"));
            std::string analysis = analyser.file("analysis.TXT");
            std::string rebuilt = analyser.file("rebuilt.dxf");
            std::filesystem::remove(analysis);  // an existing output would be a question
            std::filesystem::remove(rebuilt);
            ASSERT_EQ(convert_dxf_to_analysis(analyser.context, source.string(), analysis), 1);
            ASSERT_TRUE(
                rebuild_from_analysis(analyser.context, RebuildStep::WriteDxf, analysis, rebuilt));

            std::vector<DxfGroup> expected = read_dxf_groups(read_file(source.string()));
            if (!expected.empty() && expected.back() == eof) expected.pop_back();
            std::vector<DxfGroup> actual = read_dxf_groups(read_file(rebuilt));
            ASSERT_GE(actual.size(), 3u);
            EXPECT_EQ(actual[0].code, 999);
            EXPECT_EQ(actual[1].code, 999);
            EXPECT_EQ(actual.back(), eof);
            actual = std::vector<DxfGroup>(actual.begin() + 2, actual.end() - 1);
            ASSERT_EQ(actual.size(), expected.size());
            for (std::size_t i = 0; i < expected.size(); ++i) {
                ASSERT_EQ(actual[i].code, expected[i].code) << "group " << i;
                ASSERT_EQ(actual[i].value, expected[i].value) << "group " << i;
            }
        }
    }
    EXPECT_TRUE(analyser.messages.entries.empty());
}

}  // namespace
}  // namespace zov
