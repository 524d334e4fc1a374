#pragma once
// The real main window on the offscreen platform, in a start folder of its
// own, with recorded messages and the real set-up dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "analyser/context.h"
#include "analyser/editor_session.h"
#include "common/clock.h"
#include "common/messages.h"
#include "fixtures/temp_folder.h"
#include "main_window.h"
#include "qt_dialogs.h"

namespace zovedit {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `act` on the next modal dialog as soon as it shows.
    static void when_dialog_opens(std::function<void(QDialog*)> act);
    // Converts the sample room drawing (copied into the folder as "room.dxf")
    // into "room.TXT" in `form`, without a window; its path.
    std::string analyse_room(int form = 0);
    std::string room_dxf() const { return folder.file("room.dxf"); }
    // The window's text as the program's bytes.
    std::string shown_bytes() const;

    zov::TempFolder folder;
    zov::RecordingMessages messages;
    zov::FixedClock clock{1700000000};
    QtDialogs dialogs;
    std::optional<zov::AnalyserContext> context;
    std::unique_ptr<zov::EditorSession> session;
    std::unique_ptr<MainWindow> window;

private:
    std::string previous_folder_;
};

}  // namespace zovedit
