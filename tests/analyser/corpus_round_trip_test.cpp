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

namespace zov {
namespace {

struct Group {
    long code;
    std::string value;
    bool operator==(const Group& other) const = default;
};

// The groups of a DXF text, read independently of the analyser: lines split
// at the file's first kind of line end, paired as code and value.
std::vector<Group> dxf_groups(const std::string& text) {
    std::size_t first = text.find_first_of("\r\n");
    std::string end = "\n";
    if (first != std::string::npos && text[first] == '\r')
        end = text.compare(first, 2, "\r\n") == 0 ? "\r\n" : "\r";
    std::vector<std::string> lines = split_lines(text, end);
    std::vector<Group> groups;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
        groups.push_back({std::strtol(lines[i].c_str(), nullptr, 10), lines[i + 1]});
    return groups;
}

TEST(CorpusRoundTrip, EveryFileRebuildsToItsOwnGroups) {
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(ZOV_CORPUS_DIR))
        if (entry.is_regular_file()) sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    ASSERT_FALSE(sources.empty()) << "no corpus at " << ZOV_CORPUS_DIR;

    TestAnalyser analyser;
    analyser.context.settings.KTM = 0;
    const Group eof{0, "EOF"};
    for (int comments : {1, 0}) {
        for (const std::filesystem::path& source : sources) {
            analyser.context.settings.KHO = comments;
            SCOPED_TRACE(source.filename().string() + (comments ? "" : " without comments"));
            std::string analysis = analyser.file("analysis.TXT");
            std::string rebuilt = analyser.file("rebuilt.dxf");
            std::filesystem::remove(analysis);  // an existing output would be a question
            std::filesystem::remove(rebuilt);
            ASSERT_EQ(convert_dxf_to_analysis(analyser.context, source.string(), analysis), 1);
            ASSERT_EQ(rebuild_from_analysis(analyser.context, kWriteDxf, analysis, rebuilt), 0);

            std::vector<Group> expected = dxf_groups(read_file(source.string()));
            if (!expected.empty() && expected.back() == eof) expected.pop_back();
            std::vector<Group> actual = dxf_groups(read_file(rebuilt));
            ASSERT_GE(actual.size(), 3u);
            EXPECT_EQ(actual[0].code, 999);
            EXPECT_EQ(actual[1].code, 999);
            EXPECT_EQ(actual.back(), eof);
            actual = std::vector<Group>(actual.begin() + 2, actual.end() - 1);
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
