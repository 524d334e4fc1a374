// The ENTITIES section read in parts on several threads gives the store of
// the reading on one thread, byte for byte, with the same losses and notes.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "dxf_import/dxf_import.h"
#include "fixtures/dxf_fixture.h"
#include "fixtures/temp_folder.h"
#include "store/import_state.h"

namespace zov {
namespace {

struct Outcome {
    int result = 0;
    std::string store, line_types;
    std::vector<std::string> losses, notes, messages;
    int joined = 0;
};

Outcome import_on(const std::string& file, int threads) {
    const TempFolder folder;
    RecordingMessages messages;
    ImportState state(folder.path(), messages);
    DxfImportOptions options;
    options.entity_threads = threads;
    options.parts_from_bytes = 0;
    Outcome outcome;
    options.joined_parts = &outcome.joined;
    outcome.result = import_dxf_file(file, state, options);
    outcome.store = read_file_bytes(folder.file(kDataFileName));
    outcome.line_types = read_file_bytes(folder.file(kSourceLineTypeFileName));
    outcome.losses = state.dropped.lines();
    outcome.notes = state.notes;
    for (const auto& entry : messages.entries) outcome.messages.push_back(entry.text);
    return outcome;
}

// Imports `file` on one, two and four threads; the parts joined on two.
int expect_same_on_any_threads(const std::string& file) {
    const Outcome one = import_on(file, 1);
    EXPECT_EQ(one.joined, 0);
    int joined = 0;
    for (int threads : {2, 4}) {
        const Outcome many = import_on(file, threads);
        EXPECT_EQ(many.result, one.result) << file << " on " << threads;
        EXPECT_TRUE(many.store == one.store) << file << " on " << threads;
        EXPECT_EQ(many.line_types, one.line_types) << file;
        EXPECT_EQ(many.losses, one.losses) << file;
        EXPECT_EQ(many.notes, one.notes) << file;
        EXPECT_EQ(many.messages, one.messages) << file;
        if (threads == 2) joined = many.joined;
    }
    return joined;
}

TEST(EntityParts, CorpusAndSamplesGiveTheStoreOfOneThread) {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {ZOV_CORPUS_DIR, ZOV_SOURCE_DIR "/samples/dxf"}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.path().extension() == ".dxf") files.push_back(entry.path());
    }
    if (files.empty()) GTEST_SKIP() << "no corpus";
    int joined = 0;
    for (const auto& file : files) joined += expect_same_on_any_threads(file.string());
    EXPECT_GT(joined, 0);
}

// A drawing of `count` entities of every common kind over a few layers,
// with UTF-8 text that CP932 cannot hold; `entity` may add to each.
DxfFixture generated_drawing(int count, const std::function<void(DxfFixture&, int)>& entity = {}) {
    DxfFixture dxf;
    dxf.section("HEADER").group(9, "$ACADVER").group(1, "AC1021").end_section();
    dxf.section("TABLES");
    for (int layer = 0; layer < 5; ++layer)
        dxf.layer("L" + std::to_string(layer), layer + 1, layer % 2 ? "DASHED" : "CONTINUOUS");
    dxf.end_section();
    dxf.section("BLOCKS").block("B").line("0", 0, 0, 1, 1).end_block().end_section();
    dxf.section("ENTITIES");
    for (int i = 0; i < count; ++i) {
        const std::string layer = "L" + std::to_string(i % 7);  // L5 and L6 are unknown
        switch (i % 6) {
            case 0: dxf.line(layer, i, 0, i + 1, 2); break;
            case 1:
                dxf.text(layer, i, 1, 2.5, i % 12 == 1 ? "☃ snow" : "t" + std::to_string(i));
                break;
            case 2: dxf.insert(layer, "B", i, 3); break;
            case 3:
                dxf.item("CIRCLE").group(8, layer).group(10, i).group(20, 4.0).group(40, 1.0).group(
                    62, 0);
                break;
            case 4: dxf.item("3DSOLID").group(8, layer); break;
            case 5:
                dxf.item("LWPOLYLINE")
                    .group(8, layer)
                    .group(90, 2)
                    .group(10, 0.0)
                    .group(20, 0.0)
                    .group(10, i)
                    .group(20, 5.0);
                break;
        }
        if (entity) entity(dxf, i);
    }
    return dxf.end_section().end_of_file();
}

struct GeneratedCase {
    const char* name;
    std::function<void(DxfFixture&, int)> entity;
    bool must_join;      // parts are certain to join on two threads
    bool lf_too = true;  // also with LF line ends (not for the million records)
};

TEST(EntityParts, GeneratedDrawingsGiveTheStoreOfOneThread) {
    const GeneratedCase cases[] = {
        {"varied", {}, true},
        // Entities without a layer take the layer named before them.
        {"entities without layer",
         [](DxfFixture& dxf, int) { dxf.item("LINE").group(10, 1.0).group(11, 2.0); }, false},
        // XLINEs need the extents of what came before: read on one thread.
        {"construction lines",
         [](DxfFixture& dxf, int i) {
             if (i % 500 == 250)
                 dxf.item("XLINE").group(8, "L1").group(10, 0.0).group(11, 1.0).group(21, 0.0);
         },
         true},
        // Arrays that spend the record budget (a million and two a byte)
        // in the second half.
        {"budget spent",
         [](DxfFixture& dxf, int i) {
             if (i >= 2500 && i < 2520)
                 dxf.item("INSERT").group(8, "L1").group(2, "B").group(70, 400).group(71, 250);
         },
         false, false},
        // A layer table after the entities.
        {"tables behind",
         [](DxfFixture& dxf, int i) {
             if (i == 2999)
                 dxf.end_section().section("TABLES").layer("LATE", 3).end_section().section(
                     "ENTITIES");
         },
         true},
    };
    const TempFolder folder;
    for (const GeneratedCase& test : cases) {
        for (const char* line_end : {"\r\n", "\n"}) {
            if (!test.lf_too && line_end[0] == '\n') continue;
            SCOPED_TRACE(test.name);
            const std::string file = folder.file("IN.DXF");
            ASSERT_TRUE(generated_drawing(3000, test.entity).write(file, line_end));
            const int joined = expect_same_on_any_threads(file);
            if (test.must_join) {
                EXPECT_GT(joined, 0);
            }
        }
    }
}

}  // namespace
}  // namespace zov
