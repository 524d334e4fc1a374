// Readers of outside data meet truncated and random input: every file must be
// read to its end without a crash, a hang or unbounded output.
#include <gtest/gtest.h>

#include <random>

#include "analyser/conversion.h"
#include "analyser/item_index.h"
#include "analyser/rebuild.h"
#include "analyser/settings_file.h"
#include "analyser_test_support.h"
#include "common/files.h"

namespace zov {
namespace {

std::string random_text(std::mt19937& random, std::size_t size) {
    static const char kBytes[] =
        "0123456789 :_\x18^-/\r\n\r\n\x81\x40\x88"  // damaged files' bytes: half characters
        "ABCZov=$";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kBytes - 2);
    std::string text(size, ' ');
    for (char& c : text) c = kBytes[pick(random)];
    return text;
}

TEST(GarbageInput, ConversionReadsAnythingToItsEnd) {
    TestAnalyser analyser;
    analyser.context.settings.analysis_form = 0;
    std::mt19937 random(8);
    const std::string dxf = analyser.file("g.dxf"), analysis = analyser.file("g.TXT");
    for (int round = 0; round < 40; ++round) {
        std::string text = random_text(random, 1 + static_cast<std::size_t>(round) * 997);
        write_file(dxf, text);
        int written = convert_dxf_to_analysis(analyser.context, dxf, analysis);
        if (written == 1) {
            // Item lines stay within what the writer can write.
            for (const std::string& line : split_lines(read_file(analysis)))
                EXPECT_LE(line.size(), 4093u);
            std::string out = analyser.file("g.out");
            rebuild_from_analysis(analyser.context, RebuildStep::WriteDxf, analysis, out);
        }
        // Truncated at every tenth of its length.
        write_file(dxf, text.substr(0, text.size() / 10 * static_cast<std::size_t>(round % 10)));
        convert_dxf_to_analysis(analyser.context, dxf, analysis);
    }
}

TEST(GarbageInput, RebuildOfDamagedAnalysisFiles) {
    TestAnalyser analyser;
    analyser.context.settings.analysis_form = 0;
    write_file(analyser.file("s.dxf"), "  0\r\nLINE\r\n  8\r\n0\r\n  0\r\nEOF\r\n");
    ASSERT_EQ(
        convert_dxf_to_analysis(analyser.context, analyser.file("s.dxf"), analyser.file("s.TXT")),
        1);
    std::vector<std::string> good = split_lines(read_file(analyser.file("s.TXT")));
    std::mt19937 random(11);
    std::string out = analyser.file("s.out");
    for (int round = 0; round < 40; ++round) {
        std::string text;
        for (std::size_t i = 0; i < 47; ++i) text += good[i] + "\r\n";
        text += random_text(random, static_cast<std::size_t>(round) * 331);
        write_file(analyser.file("s.TXT"), text);
        rebuild_from_analysis(analyser.context, RebuildStep::WriteDxf, analyser.file("s.TXT"), out);
        write_file(analyser.file("s.TXT"),
                   text.substr(0, text.size() * static_cast<std::size_t>(round) / 40));
        rebuild_from_analysis(analyser.context, RebuildStep::WriteDxf, analyser.file("s.TXT"), out);
    }
}

TEST(GarbageInput, SettingsAndTablesOfRandomText) {
    TestAnalyser analyser;
    analyser.context.settings.rewrite_item_csv = 0;
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        write_file(analyser.file("ZovEdit.CFG"),
                   random_text(random, 200 + static_cast<std::size_t>(round) * 500));
        load_settings(analyser.context);
        analyser.context.settings.rewrite_item_csv = 0;
        write_file(analyser.file("_ZOV_.CSV"),
                   random_text(random, 100 + static_cast<std::size_t>(round) * 800));
        build_item_index(analyser.context);
    }
    SUCCEED();
}

}  // namespace
}  // namespace zov
