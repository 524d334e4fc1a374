#pragma once
// A viewer shell in a fresh program folder, with recorded messages, a clock
// that tests set, and a file dialog that answers with queued choices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "fixtures/scripted_file_dialog.h"
#include "fixtures/temp_folder.h"
#include "fixtures/viewer_test_days.h"
#include "viewer/viewer_shell.h"

namespace zov {

class ShellTest : public ::testing::Test {
protected:
    ShellTest() { use_utc_local_time(); }

    // The text of message `i` in UTF-8.
    std::string message(std::size_t i) const {
        return i < messages.entries.size() ? cp932_to_utf8(messages.entries[i].text) : "";
    }
    std::string last_message() const { return cp932_to_utf8(messages.last()); }

    // A small DXF drawing (one line on layer WALL) at `path`.
    static void write_small_dxf(const std::string& path) {
        write_file_bytes(path,
                         "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\nWALL\r\n10\r\n0\r\n"
                         "20\r\n0\r\n11\r\n10\r\n21\r\n5\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
    }

    TempFolder home;
    TempFolder files;
    RecordingMessages messages;
    FixedClock clock{kMay12};
    ScriptedFileDialog dialog;
    ViewerShell shell{home.path(), messages, clock, dialog};
};

}  // namespace zov
