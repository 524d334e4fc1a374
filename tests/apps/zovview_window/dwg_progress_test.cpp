// A DWG conversion that takes its time: the window goes on repainting and
// shows the conversion with the file's name; Esc or closing the window stops
// the converter at once. A DWG that fails at the start leaves the help
// drawing, titled as the help drawing.
#include <chrono>

#include <QLabel>
#include <QPushButton>

#include "load_progress_dialog.h"
#include "viewer/viewer_commands.h"
#include "window_fixture.h"

namespace zov {
namespace {

using Clock = std::chrono::steady_clock;

class SlowDwgWindow : public WindowTest {
protected:
    // A converter folder whose converter writes `script`.
    std::string converter(const std::string& script) {
        const std::string tools = make_converter_folder(files.file("tools/"), ZOV_SOURCE_DIR, true);
        write_converter(tools, script);
        return tools;
    }
    // One that notes its process number and takes 20 seconds.
    std::string slow_converter() {
        return converter("echo $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 20\n");
    }
    int converter_pid() { return wait_for_pid_file(files.file("tools/pid")); }
    LoadProgressDialog* progress() {
        return window->findChild<LoadProgressDialog*>("load_progress");
    }
};

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

TEST_F(SlowDwgWindow, TheWindowRepaintsShowsTheConversionAndEscStopsIt) {
    start({kSamples + "dxf/plan.dxf"});
    window->shell().state.converter_folder = slow_converter();
    write_file_bytes(files.file("house.dwg"), "dwg");
    dialog.answers = {files.file("house.dwg")};
    PaintCounter paints(view());
    int paints_before = 0;
    QString shown;
    bool cancel_offered = false;
    Clock::time_point esc_at;
    QTimer::singleShot(1200, [&] {
        LoadProgressDialog* dialog = progress();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        shown = dialog->label().text();
        cancel_offered = dialog->cancel_button().isEnabled();
        paints_before = paints.count;
        view().repaint();
        esc_at = Clock::now();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    window->run_command(kCmdOpenDwg);
    EXPECT_LT(Clock::now() - esc_at, std::chrono::seconds(1));
    EXPECT_GT(paints.count, paints_before);
    EXPECT_TRUE(shown.startsWith("house.dwg をDXFに変換しています (")) << shown.toStdString();
    EXPECT_TRUE(cancel_offered);
    EXPECT_FALSE(process_running(converter_pid()));
    // The drawing shown before stays, and nothing is reported.
    EXPECT_EQ(title(), "plan.dxf - ZovView");
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    EXPECT_FALSE(progress() != nullptr && progress()->isVisible());
}

TEST_F(SlowDwgWindow, ClosingTheWindowStopsTheConversion) {
    start({kSamples + "dxf/plan.dxf"});
    window->shell().state.converter_folder = slow_converter();
    write_file_bytes(files.file("house.dwg"), "dwg");
    dialog.answers = {files.file("house.dwg")};
    QTimer::singleShot(500, [&] { window->close(); });
    const Clock::time_point started = Clock::now();
    window->run_command(kCmdOpenDwg);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(3));
    QTest::qWait(20);  // the close waits for the end of the command
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(process_running(converter_pid()));
}

TEST_F(SlowDwgWindow, ADwgThatFailsAtTheStartLeavesTheHelpDrawing) {
    write_file_bytes(files.file("house.dwg"), "dwg");
    start({files.file("house.dwg"), "/D:" + converter("kill -SEGV $$\n")});
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_NE(message(0).find("が異常終了しました(シグナル 11)"), std::string::npos) << message(0);
}

}  // namespace
}  // namespace zov
