#pragma once
// Probe drawings: written once per test program by ezdxf (write_probes.py),
// each imported into a fresh program folder and drawn on a recording surface
// and on a Qt image surface of the same size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QImage>

#include "common/messages.h"
#include "dxf_import/dxf_import.h"
#include "fixtures/temp_folder.h"
#include "render/recording_surface.h"
#include "store/import_state.h"
#include "store/store_reader.h"
#include "surfaces/gui_application.h"
#include "surfaces/qt_surface.h"
#include "view/drawing_view.h"

namespace zov {

using Calls = std::vector<std::string>;

class ProbeDrawing : public ::testing::Test {
protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    ~ProbeDrawing() override {
        store_.close();
        view_.reset();
    }

    // The folder of the probe drawings, written on first use.
    static const std::filesystem::path& probes() {
        static const TempFolder written;
        static const std::filesystem::path folder = [] {
            const std::string command =
                std::string(ZOV_PYTHON3) + " " + ZOV_PROBE_WRITER + " " + written.path();
            EXPECT_EQ(std::system(command.c_str()), 0) << command;
            return std::filesystem::path(written.path());
        }();
        return folder;
    }

    // Imports the probe `name` (or a DXF file at `path`); the import's result.
    int load(const std::string& name) { return load_file((probes() / name).string()); }
    int load_file(const std::string& path) {
        store_.close();
        view_.reset();
        ImportState state(folder_.string(), messages_);
        const int result = import_dxf_file(path, state);
        store_.open((folder_ / kDataFileName).string());
        return result;
    }

    std::vector<EntityRecord> entities() {
        std::vector<EntityRecord> records(static_cast<std::size_t>(store_.entity_count()));
        for (std::size_t i = 0; i < records.size(); ++i)
            store_.read_entity(static_cast<std::int32_t>(i), records[i]);
        return records;
    }

    // The calls of a fitted pass on the recording surface, from the first
    // entity on.
    Calls record() {
        RecordingSurface surface(kWidth, kHeight);
        view().draw_drawing(surface);
        Calls calls = surface.calls;
        if (calls.size() >= 3) calls.erase(calls.begin(), calls.begin() + 3);
        return calls;
    }

    // The picture of a fitted pass on the Qt surface.
    QImage picture() {
        ensure_gui_application();
        ImageSurface image(kWidth, kHeight);
        view().draw_drawing(image.surface());
        return image.finish().convertToFormat(QImage::Format_RGB32);
    }

    DrawingView& view() {
        if (!view_) view_ = std::make_unique<DrawingView>(folder_.string(), messages_);
        return *view_;
    }

    TempFolder temp_;
    const std::filesystem::path folder_{temp_.path()};
    RecordingMessages messages_;
    StoreReader store_;
    std::unique_ptr<DrawingView> view_;
};

// The calls of `calls` that begin with `prefix`.
inline Calls only(const Calls& calls, const std::string& prefix) {
    Calls found;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
}

}  // namespace zov
